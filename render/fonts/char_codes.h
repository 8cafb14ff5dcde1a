// UTF-16 text in the printer's single- and double-byte codes: font names
// and the document name, and the tables the conversion uses.
#pragma once

#include <array>

#include "platform/base/wintypes.h"

// Conversion modes.
inline constexpr ULONG kAnsiSystem = 0x80;  // the system's double-byte code page
inline constexpr ULONG kAnsiPrefixed = 0xFE;

// A byte code and its UTF-16 code.
struct UniCodeRow {
  BYTE code;
  BYTE zero;
  USHORT unicode;
};
inline constexpr int kUniCodeRows = 32;
// Bytes 0x80-0x9F of the Western code page, sorted by UTF-16 code.
extern const UniCodeRow UniCodeTable[kUniCodeRows];
// 1 for the lead bytes of Shift-JIS.
extern const std::array<BYTE, 256> kanji_tbl;
// By high byte of a UTF-16 code: prefix byte in the high byte, 0x80 when
// the whole row is mapped, 0x40 when only low bytes below 0x50 are.
extern const std::array<USHORT, 256> spunicode;
inline constexpr USHORT kRowMapped = 0x80;
inline constexpr USHORT kRowLowHalf = 0x40;

// The number of units before the terminating zero.
ULONG strwlen(const WCHAR* string);
// Converts srcBytes / 2 units of src into at most dstBytes bytes of dst in
// the mode; a character that does not fit whole ends the conversion.
// Returns the bytes written; no terminator is written.
ULONG unicode2ansi(BYTE* dst, ULONG dstBytes, const WCHAR* src, ULONG srcBytes, ULONG mode);
