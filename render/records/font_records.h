// The font description of one text call, and the two font-definition
// records made of it: 0x50 for the printer's own fonts and outlines, 0x56
// for fonts sent as glyph bitmaps.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"
#include "render/records/opcodes.h"

struct JobStream;

inline constexpr std::size_t kFontNameBytes = 260;

// Font kinds.
inline constexpr signed char kFontDevice = 2;   // a string of device codes
inline constexpr signed char kFontOutline = 4;  // glyph paths
inline constexpr signed char kFontBitmap = 5;   // downloaded glyph bitmaps

struct FontDescription {
  BYTE italic;  // 1: the engine simulates italic
  BYTE bold;    // 1: the engine simulates bold
  signed char kind;
  BYTE vertical;  // 1: a vertical string
  BYTE reserved;
  BYTE charSet;
  BYTE pitchAndFamily;
  BYTE boldAgain;  // a copy of bold
  USHORT weight;
  SHORT escapement;  // degrees, 0 to 359
  SHORT height;      // em height, device pixels
  SHORT width;       // em width
  SHORT averageWidth;
  CHAR familyName[kFontNameBytes];  // ANSI, NUL-terminated
  CHAR faceName[kFontNameBytes];
  SHORT internalLeading;
  USHORT defaultChar;
  ULONG fontId;      // kind 5: the engine's id of the font
  ULONG generation;  // kind 5: the glyph-cache generation
};
static_assert(offsetof(FontDescription, weight) == 8 && offsetof(FontDescription, familyName) == 18);
static_assert(offsetof(FontDescription, faceName) == 278 && offsetof(FontDescription, internalLeading) == 538);
static_assert(offsetof(FontDescription, fontId) == 544 && sizeof(FontDescription) == 552);

// Flags word of the font records.
inline constexpr USHORT kFontFlagItalic = 0x0001;
inline constexpr USHORT kFontFlagBold = 0x0002;
inline constexpr USHORT kFontFlagKind1 = 0x0004;
inline constexpr USHORT kFontFlagKind2 = 0x0008;
inline constexpr USHORT kFontFlagKind3 = 0x0010;
inline constexpr USHORT kFontFlagEmboldened = 0x0020;
inline constexpr USHORT kFontFlagReserved = 0x0040;
inline constexpr USHORT kFontFlagVertical = 0x0080;
inline constexpr USHORT kFontFlagKind4 = 0x0200;
inline constexpr USHORT kFontFlagNotDevice = 0x2000;

// The flags word of a description.
USHORT FontRecordFlags(const FontDescription& font);
// The face name's length in 16-bit units as the records carry it: the units
// before the first zero unit, within the field (130 at most).
ULONG FontFaceUnits(const FontDescription& font);

// 0x50: {0x50, 0, character set, pitch and family, flags u16, weight u16,
// escapement u16, em width u16, em height u16, length u16, 0 u32, internal
// leading u16, default character u16}, then the face name from 24 (2n
// bytes, n = FontFaceUnits) and one zero byte, padded to a multiple of 4.
BYTE* PrnIdlDefineFont(JobStream* stream, const FontDescription* font);
// 0x56: the same fields with the character set at 1 and the pitch and
// family at 2, and the face name from 32.
BYTE* PrnIdlDefineFontEx(JobStream* stream, const FontDescription* font);
