// Path records from the engine's paths: each subpath as its start point and
// its line and curve segments, in 28.4 fixed point.
#pragma once

#include "platform/engine/winddi.h"

struct PDEV;

// The path as one path record of the kind (render/records/shape_records.h);
// a stroke (kind 0) of several subpaths of which one is closed goes as one
// record per subpath instead (makeMultiStrokePath). The (last) record, or
// null when the path has nothing to draw, holds a curve run that is not
// whole curves, or the display list cannot take it; then nothing of the
// path stays in the list.
BYTE* makeCommonPath(PDEV* pdev, PATHOBJ* ppo, BYTE kind);
// One path record of the kind per subpath, each marked closed when its
// subpath is; once a record holds a curve, the later ones carry the curve
// opcode too. The last record, or null as for makeCommonPath.
BYTE* makeMultiStrokePath(PDEV* pdev, PATHOBJ* ppo, BYTE kind);
// How a drawing call's path went: drawn, empty (nothing to draw: no record
// and no failure) or failed.
enum class PathResult { kDrawn, kEmpty, kFailed };
PathResult DrawPath(PDEV* pdev, PATHOBJ* ppo, BYTE kind);

// The path body without a record head, for records that carry a path of
// their own: its size estimate (u32), then the subpaths, every point moved
// by the offset. Written into buffer of size bytes; *closed tells whether a
// subpath was closed. Its length (a multiple of 4), or 0 when the path is
// empty, holds a curve run that is not whole curves, or does not fit.
ULONG iGetPath(PDEV* pdev, PATHOBJ* ppo, BOOL* closed, BYTE* buffer, ULONG size, LONG xOffset, LONG yOffset);
