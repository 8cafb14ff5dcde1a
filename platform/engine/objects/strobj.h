// Strings of glyphs with their positions on the device.
#pragma once

#include "platform/engine/objects/ddi_types.h"
#include "platform/engine/objects/pathobj.h"

// A glyph's 1-bit image: rows of whole bytes, most significant bit leftmost;
// ptlOrigin is the image's top left relative to the glyph's position.
struct GLYPHBITS {
  POINTL ptlOrigin;
  SIZEL sizlBitmap;
  BYTE aj[1];
};
using PGLYPHBITS = GLYPHBITS*;

union GLYPHDEF {
  GLYPHBITS* pgb;
  PATHOBJ* ppo;
};

struct GLYPHPOS {
  HGLYPH hg;
  GLYPHDEF* pgdf;  // the glyph's image or outline, as the font's glyph mode says
  POINTL ptl;      // the glyph's origin on the device
};
using PGLYPHPOS = GLYPHPOS*;

struct GLYPHDATA {
  GLYPHDEF gdf;
  HGLYPH hg;
  FIX fxD;          // advance width
  FIX fxA;          // pre-bearing
  FIX fxAB;         // advance minus post-bearing
  FIX fxInkTop;     // ascent of the ink above the baseline
  FIX fxInkBottom;  // descent of the ink below it (negative below)
  RECTL rclInk;
  POINTQF ptqD;     // the advance vector
};
using PGLYPHDATA = GLYPHDATA*;

struct STROBJ {
  ULONG cGlyphs;
  FLONG flAccel;
  ULONG ulCharInc;  // the fixed advance of default placement, else 0
  RECTL rclBkGround;
  GLYPHPOS* pgp;    // every position, or null: then enumerate in batches
  LPWSTR pwszOrg;
};
using PSTROBJ = STROBJ*;

inline constexpr FLONG SO_FLAG_DEFAULT_PLACEMENT = 0x00000001;
inline constexpr FLONG SO_HORIZONTAL = 0x00000002;
inline constexpr FLONG SO_VERTICAL = 0x00000004;
inline constexpr FLONG SO_REVERSED = 0x00000008;
inline constexpr FLONG SO_ZERO_BEARINGS = 0x00000010;
inline constexpr FLONG SO_CHAR_INC_EQUAL_BM_BASE = 0x00000020;
inline constexpr FLONG SO_MAXEXT_EQUAL_BM_SIDE = 0x00000040;
inline constexpr FLONG SO_GLYPHINDEX_TEXTOUT = 0x00000100;
inline constexpr FLONG SO_ESC_NOT_ORIENT = 0x00000200;
inline constexpr FLONG SO_DXDY = 0x00000400;

// Restarts the enumeration of glyph positions.
void STROBJ_vEnumStart(STROBJ* pstro);
// The next batch of positions (with the glyph images or outlines filled in)
// in *pc and *ppgpos; TRUE while more batches follow. A string whose pgp is
// set comes as one batch.
BOOL STROBJ_bEnum(STROBJ* pstro, ULONG* pc, PGLYPHPOS* ppgpos);
// The code page of the string's font: 0 for a font addressed by Unicode.
DWORD STROBJ_dwGetCodePage(STROBJ* pstro);
