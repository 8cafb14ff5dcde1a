// The image record (0x20): a bitmap with its optional palette, its source
// point and the destination it is scaled to by the printer.
//   0   0x20
//   2   format byte: format code, + 0x20 when no palette follows
//   3   0x04 when the PDEV bands (the one-piece form only)
//   4   record length u32
//   8   destination rectangle: x, y, x + cx, y + cy
//   24  source x, source y, bitmap width, bitmap height, x, y, cx, cy (i32)
//   56  palette: 3 bytes an entry, 2, 16 or 256 entries by the format
//   ..  the bitmap's lines, top line first, each padded to 4 bytes
// then zero filler up to a multiple of 4.
#pragma once

#include <cstdint>

#include "platform/base/wintypes.h"
#include "render/records/opcodes.h"

struct JobStream;

// Format codes, the low nibble of the format byte (any code but 0, 1, 2
// has 24 bits a pixel).
inline constexpr BYTE kImage1Bit = 0;
inline constexpr BYTE kImage4Bit = 1;
inline constexpr BYTE kImage8Bit = 2;
inline constexpr BYTE kImage24Bit = 4;
inline constexpr BYTE kImageNoPalette = 0x20;
inline constexpr BYTE kImageBanding = 0x04;
inline constexpr ULONG kImageHeadBytes = 56;

// The sizes of an image record, or ok false when its length would pass
// what a record can say (or the bitmap's size is negative).
struct ImageLayout {
  bool ok;
  ULONG bits;  // per pixel
  ULONG paletteBytes;
  ULONG lineBytes;
  ULONG lines;
  ULONG length;  // of the whole record
};
ImageLayout ImageRecordLayout(BYTE format, LONG width, LONG height, bool palette);

// The image record in one piece. pixels is the bitmap's top line; the
// following lines are lineBytes further on, or lineBytes back when
// bottomUp is set. palette holds 3 bytes an entry, or is null. Null when
// the display list cannot take the record whole.
BYTE* PrnIdlStretchBlt(JobStream* stream, LONG x, LONG y, LONG cx, LONG cy, LONG sourceX, LONG sourceY, LONG width,
                       LONG height, BYTE format, const BYTE* pixels, const BYTE* palette, BOOL bottomUp);
// The same record for a bitmap too large to be had in one piece: it is
// taken from the display list in pieces of a line each (the first holding
// the head and the palette), so that the page so far can go out while it
// is written; the banding mark is not set. The pieces are cut at multiples
// of 4 bytes from the record's start, so that the list stays aligned for
// the records after it. TRUE when the whole record was appended. A record
// whose pieces could not all be had is withdrawn; when part of it has
// already been written out, the job stream is failed (the write-error
// flag), as the printer could not read what would follow it.
BOOL PrnIdlStretchBltDirect(JobStream* stream, LONG x, LONG y, LONG cx, LONG cy, LONG sourceX, LONG sourceY, LONG width,
                            LONG height, BYTE format, const BYTE* pixels, const BYTE* palette, BOOL bottomUp);
// The image record of lines that lie delta bytes apart from top (their
// own line length, which may be longer than the record's, or negative), at
// the destination rectangle, with source point (0, 0); never with the
// banding mark. In one piece, or in pieces as PrnIdlStretchBltDirect when
// inPieces is TRUE. The record's start, or null as those give.
BYTE* PrnIdlImageLines(JobStream* stream, const RECTL& dest, LONG width, LONG height, BYTE format,
                       const BYTE* top, LONG delta, const BYTE* palette, BOOL inPieces);
