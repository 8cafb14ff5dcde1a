// The character and string records. Each encoder appends its record and
// returns its address, or null when the arguments make no record or the
// display list cannot take it. Positions are device pixels of the page.
#pragma once

#include "platform/base/wintypes.h"
#include "render/records/opcodes.h"

struct JobStream;

inline constexpr ULONG kPutCharBytes = 36;
inline constexpr BYTE kPutCharOutline = 0x01;  // byte 2 of an outline character

// 0x51, 36 bytes: {0x51, 0, 0, 0, length, cell, x, y, code u16}.
BYTE* PrnIdlPutChar(JobStream* stream, const RECTL* cell, LONG x, LONG y, USHORT code);
// 0x51 with byte 2 = 1 and the outline (a path body in the cell's
// coordinates, length bytes) from offset 36; padded to a multiple of 4.
BYTE* PrnIdlPutCharOutLine(JobStream* stream, const RECTL* box, LONG x, LONG y, USHORT code, const BYTE* outline,
                           ULONG length);

inline constexpr BYTE kPutStringAdvanceEach = 0x80;  // byte 2: one advance per character

// 0x52: {0x52, 0, flags, 0, length, background rectangle, x, y, count u16,
// 0 u16}, the advances (i16) and the character codes (u16), padded to a
// multiple of 4. advanceCount is 1 for one advance shared by every
// character, or count for one advance each (flag 0x80 when there are
// several); any other advance count makes no record.
BYTE* PrnIdlPutString(JobStream* stream, const RECTL* background, LONG x, LONG y, const USHORT* codes,
                      const SHORT* advances, USHORT count, USHORT advanceCount);

// Data forms of the glyph bitmap records.
inline constexpr BYTE kGlyphRaw = 0;
inline constexpr BYTE kGlyphM9 = 2;
inline constexpr ULONG kPutCharBitmapHeadBytes = 64;
inline constexpr ULONG kRegistCharBitmapHeadBytes = 28;

// 0x53 when cache is set (the printer keeps the bitmap under its key), else
// 0x57: {opcode, 0, flags, 0, length, cell, x, y, data offset (64, or 0
// without data), left, top, width, height, data length, 0, key u16, data
// form u8, 0}, then space bytes holding the data (dataLength bytes) padded
// to a multiple of 4. Without data (null, or a data length of 0) the record
// places the bitmap registered earlier under the key. Null when the data
// is longer than its space.
BYTE* PrnIdlPutCharBitmap(JobStream* stream, BOOL cache, const RECTL* cell, BYTE flags, USHORT code, LONG x, LONG y,
                          LONG left, LONG top, ULONG width, ULONG height, const BYTE* data, ULONG space,
                          ULONG dataLength, BYTE form);
// 0x54: {0x54, 0, flags, 0, length, data length, width, height, 0, key u16,
// data form u8, 0}, then space bytes holding the data padded to a multiple
// of 4. Null (no record) when the space, the data or its length is 0, or
// the data is longer than its space.
BYTE* PrnIDLRegistCharBitmap(JobStream* stream, BYTE flags, USHORT code, ULONG width, ULONG height, const BYTE* data,
                             ULONG space, ULONG dataLength, BYTE form);

// One character of an extended string: its offset from the previous
// character's bitmap (the first: 0, 0) and its code.
struct StringExEntry {
  SHORT dx;
  SHORT dy;
  USHORT code;
};
static_assert(sizeof(StringExEntry) == 6);

// 0x55: {0x55, 0, flags, 0, length, background rectangle, x, y, count u16,
// 0 u16}, then the 6-byte entries, padded to a multiple of 4.
BYTE* PrnIDLPutStringEx(JobStream* stream, const RECTL* background, BYTE flags, LONG x, LONG y,
                        const StringExEntry* entries, USHORT count);
