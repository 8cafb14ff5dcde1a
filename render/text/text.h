// The parts of DrvTextOut, shared only within this folder.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/engine/winddi.h"
#include "render/records/font_records.h"

struct PDEV;

// The font's sizes on the device, in pixels. They are kept wide: the
// engine may pass transforms far beyond what the records' 16-bit fields
// hold, and each field is cut only where it is stored.
struct TextSizes {
  XFORML xform;
  std::int64_t emWidth;   // W
  std::int64_t emHeight;  // H
  std::int64_t ascent;    // A
  std::int64_t descent;   // D
};

// The sizes from the font's transform and metrics; false without a
// transform.
bool ComputeTextSizes(FONTOBJ* pfo, const IFIMETRICS& ifi, TextSizes& sizes);
// A value cut to the 16-bit range of a record field, or to 32 bits.
SHORT Clamp16(std::int64_t value);
LONG Clamp32(std::int64_t value);
// M11 and M22 (times 5000) have opposite signs: the text is mirrored.
bool Mirrored(const XFORML& xform);

// Fill the description and define the font: for the outline and
// device-string path, and for glyph-bitmap mode.
BOOL SelectDevFont(PDEV* pdev, STROBJ* pstro, FONTOBJ* pfo, const IFIMETRICS& ifi, const TextSizes& sizes,
                   FontDescription* font);
BOOL ExtSelectDevFont(PDEV* pdev, STROBJ* pstro, FONTOBJ* pfo, const IFIMETRICS& ifi, const TextSizes& sizes,
                      FontDescription* font);

// One glyph of the string with its code and position.
struct TextGlyph {
  GLYPHPOS pos;
  USHORT code;
};
// Every glyph of the string in enumeration order. With default placement
// and a character increment the positions are the batch's first position
// plus the increment per glyph, along x (horizontal) or y. The code is the
// string's UTF-16 original, or the glyph handle when the engine gave none.
std::vector<TextGlyph> StringGlyphs(STROBJ* pstro);

BOOL DrawDevString(PDEV* pdev, STROBJ* pstro, const TextSizes& sizes, const FontDescription& font);
BOOL DrawDevStringOutline(PDEV* pdev, FONTOBJ* pfo, STROBJ* pstro);
BOOL DrawDevStringBitmap(PDEV* pdev, FONTOBJ* pfo, STROBJ* pstro, const TextSizes& sizes,
                         const FontDescription& font);

// The ROP3 of a text mix: as for any drawing, through the ROP2 table.
BYTE GetTextROP3(ULONG mix);

// The point where a glyph at pos is placed: moved back by the ascent along
// the escapement.
POINTL PlacementPoint(const POINTL& pos, std::int64_t ascent, LONG escapement);
