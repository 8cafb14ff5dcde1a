// Rectangle and path records. A path record is built in place: its largest
// size is taken from the display list, its subpaths are written one segment
// run at a time, then its head is filled in and the record cut back to its
// real length.
#pragma once

#include "platform/base/wintypes.h"
#include "render/records/opcodes.h"

struct JobStream;
struct PDEV;

// Rectangle kinds.
inline constexpr BYTE kRectFill = 1;  // a filled rectangle, sent with the same rectangle twice
inline constexpr BYTE kRectClip = 5;

// 0x10: {0x10, 0, kind, 0, length u32, first rectangle}, and for every kind
// but 5 and 6 the second rectangle: 24 or 40 bytes.
BYTE* PrnIdlRect(JobStream* stream, const RECTL* first, const RECTL* second, BYTE kind);

// Path kinds, and the marks added to the kind byte.
inline constexpr BYTE kPathStroke = 0;
inline constexpr BYTE kPathAlternateFill = 1;
inline constexpr BYTE kPathWindingFill = 2;
inline constexpr BYTE kPathStrokeAlternateFill = 3;
inline constexpr BYTE kPathStrokeWindingFill = 4;
inline constexpr BYTE kPathClip = 5;
inline constexpr BYTE kPathClosed = 0x08;
inline constexpr BYTE kPathSubpaths = 0x10;

// The head of a path record; its subpaths follow it.
inline constexpr ULONG kPathHeadBytes = 28;
// Segment kinds and sizes: {u32 0, x, y} and {u32 1, x1, y1, x2, y2, x3, y3},
// coordinates in 28.4 fixed point.
inline constexpr ULONG kLineSegmentBytes = 12;
inline constexpr ULONG kCurveSegmentBytes = 28;
// A subpath opens with its segment count and its start point.
inline constexpr ULONG kSubpathStartBytes = 12;

// What a path record holds, counted as it is written.
struct PathTally {
  ULONG subpaths;
  ULONG lines;   // line segments
  ULONG curves;  // curve segments
  BOOL closed;   // a subpath was closed
};

// 3 per line segment, 7 per curve segment, 3 per subpath, and 1 more when
// there is more than one subpath: the printer's measure of the work.
ULONG PathSizeEstimate(const PathTally& tally);

// 40 x points + 40 bytes for a path record of that many points, enough for
// any mix of segments; the space in *length. Null when the count is beyond
// what a record can hold or the display list cannot take it.
BYTE* IdlAllocPath(PDEV* pdev, ULONG points, ULONG* length);
// Where the first subpath of the record goes.
BYTE* IdlGetPathPointer(PDEV* pdev, BYTE* record);

// The segment writers put their bytes at at and return where the next ones
// go, or null (writing nothing) when they would pass end.
// A subpath's segment count (0 for now) and start point.
BYTE* IdlPutSubpathStart(BYTE* at, BYTE* end, const POINTL& start);
// Sets the segment count at the start of a subpath.
void IdlSetSubpathSegments(BYTE* subpath, ULONG segments);
// One line segment to each point.
BYTE* IdlPutPolyLine(BYTE* at, BYTE* end, const POINTL* points, ULONG count);
// One curve segment for each 3 points (two control points and the end);
// a count that is not a multiple of 3 writes nothing and gives null.
BYTE* IdlPutBezier(BYTE* at, BYTE* end, const POINTL* points, ULONG count);

// Fills the head of a path record whose subpaths end at end, and cuts the
// display list back to it: opcode 0x11 when curves is TRUE, else 0x12; the
// kind byte with 0x08 when a subpath was closed and 0x10 for more than one
// subpath; the length; the bounds, given in 28.4 fixed point, in whole
// pixels; the size estimate. The record must be the last in the list.
void IdlFinishPath(PDEV* pdev, BYTE* record, BYTE* end, BOOL curves, BYTE kind, const PathTally& tally,
                   const RECTL& bounds);
