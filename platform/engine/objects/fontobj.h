// Realized fonts: the font's metrics (IFIMETRICS), its transform, its glyph
// set and its glyphs as images or outlines.
#pragma once

#include <cstddef>

#include "platform/engine/objects/ddi_types.h"
#include "platform/engine/objects/strobj.h"
#include "platform/engine/objects/xformobj.h"

struct FONTOBJ {
  ULONG iUniq;  // one value per realization (face, size, angle)
  ULONG iFace;  // the driver's device font, or 0 for an engine font
  ULONG cxMax;
  FLONG flFontType;
  ULONG_PTR iTTUniq;
  ULONG_PTR iFile;
  SIZE sizLogResPpi;
  ULONG ulStyleSize;
  PVOID pvConsumer;
  PVOID pvProducer;
};
using PFONTOBJ = FONTOBJ*;

inline constexpr FLONG FO_TYPE_RASTER = 0x00000001;
inline constexpr FLONG FO_TYPE_DEVICE = 0x00000002;
inline constexpr FLONG FO_TYPE_TRUETYPE = 0x00000004;
inline constexpr FLONG FO_TYPE_OPENTYPE = 0x00000008;
inline constexpr FLONG FO_SIM_BOLD = 0x00002000;
inline constexpr FLONG FO_SIM_ITALIC = 0x00004000;
inline constexpr FLONG FO_EM_HEIGHT = 0x00008000;
inline constexpr FLONG FO_VERT_FACE = 0x00800000;

// Glyph modes of FONTOBJ_cGetGlyphs and DrvGetGlyphMode.
inline constexpr ULONG FO_HGLYPHS = 0;
inline constexpr ULONG FO_GLYPHBITS = 1;
inline constexpr ULONG FO_PATHOBJ = 2;

struct PANOSE {
  BYTE bFamilyType;
  BYTE bSerifStyle;
  BYTE bWeight;
  BYTE bProportion;
  BYTE bContrast;
  BYTE bStrokeVariation;
  BYTE bArmStyle;
  BYTE bLetterform;
  BYTE bMidline;
  BYTE bXHeight;
};

// A typeface's metrics in font units; the names follow the record, found
// through their byte offsets from its start.
struct IFIMETRICS {
  ULONG cjThis;
  ULONG cjIfiExtra;
  PTRDIFF dpwszFamilyName;
  PTRDIFF dpwszStyleName;
  PTRDIFF dpwszFaceName;
  PTRDIFF dpwszUniqueName;
  PTRDIFF dpFontSim;
  LONG lEmbedId;
  LONG lItalicAngle;
  LONG lCharBias;
  PTRDIFF dpCharSets;
  BYTE jWinCharSet;
  BYTE jWinPitchAndFamily;
  USHORT usWinWeight;
  ULONG flInfo;
  USHORT fsSelection;
  USHORT fsType;
  FWORD fwdUnitsPerEm;
  FWORD fwdLowestPPEm;
  FWORD fwdWinAscender;
  FWORD fwdWinDescender;
  FWORD fwdMacAscender;
  FWORD fwdMacDescender;
  FWORD fwdMacLineGap;
  FWORD fwdTypoAscender;
  FWORD fwdTypoDescender;
  FWORD fwdTypoLineGap;
  FWORD fwdAveCharWidth;
  FWORD fwdMaxCharInc;
  FWORD fwdCapHeight;
  FWORD fwdXHeight;
  FWORD fwdSubscriptXSize;
  FWORD fwdSubscriptYSize;
  FWORD fwdSubscriptXOffset;
  FWORD fwdSubscriptYOffset;
  FWORD fwdSuperscriptXSize;
  FWORD fwdSuperscriptYSize;
  FWORD fwdSuperscriptXOffset;
  FWORD fwdSuperscriptYOffset;
  FWORD fwdUnderscoreSize;
  FWORD fwdUnderscorePosition;
  FWORD fwdStrikeoutSize;
  FWORD fwdStrikeoutPosition;
  BYTE chFirstChar;
  BYTE chLastChar;
  BYTE chDefaultChar;
  BYTE chBreakChar;
  WCHAR wcFirstChar;
  WCHAR wcLastChar;
  WCHAR wcDefaultChar;
  WCHAR wcBreakChar;
  POINTL ptlBaseline;
  POINTL ptlAspect;
  POINTL ptlCaret;
  RECTL rclFontBox;
  BYTE achVendId[4];
  ULONG cKerningPairs;
  ULONG ulPanoseCulture;
  PANOSE panose;
  PVOID Align;
};
using PIFIMETRICS = IFIMETRICS*;
static_assert(sizeof(IFIMETRICS) == 224);
static_assert(offsetof(IFIMETRICS, jWinCharSet) == 72);
static_assert(offsetof(IFIMETRICS, fwdUnitsPerEm) == 84);
static_assert(offsetof(IFIMETRICS, rclFontBox) == 172);

inline constexpr USHORT FM_SEL_ITALIC = 0x0001;
inline constexpr USHORT FM_SEL_BOLD = 0x0020;
inline constexpr USHORT FM_SEL_REGULAR = 0x0040;
inline constexpr USHORT FM_TYPE_LICENSED = 0x0002;
inline constexpr USHORT FM_READONLY_EMBED = 0x0004;
inline constexpr USHORT FM_EDITABLE_EMBED = 0x0008;
inline constexpr FLONG FM_INFO_TECH_TRUETYPE = 0x00000001;
inline constexpr FLONG FM_INFO_ARB_XFORMS = 0x00000010;
inline constexpr FLONG FM_INFO_1BPP = 0x00000020;
inline constexpr FLONG FM_INFO_CONSTANT_WIDTH = 0x00001000;
inline constexpr FLONG FM_INFO_RETURNS_OUTLINES = 0x00008000;
inline constexpr FLONG FM_INFO_RETURNS_BITMAPS = 0x00020000;
inline constexpr FLONG FM_INFO_RIGHT_HANDED = 0x00080000;
inline constexpr FLONG FM_INFO_DBCS_FIXED_PITCH = 0x10000000;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE FIXED_PITCH = 0x01;
inline constexpr BYTE VARIABLE_PITCH = 0x02;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;

// A run of consecutive Unicode code points and their glyph handles.
struct WCRUN {
  WCHAR wcLow;
  USHORT cGlyphs;
  HGLYPH* phg;
};
struct FD_GLYPHSET {
  ULONG cjThis;
  FLONG flAccel;
  ULONG cGlyphsSupported;
  ULONG cRuns;
  WCRUN awcrun[1];
};
using PFD_GLYPHSET = FD_GLYPHSET*;
inline constexpr FLONG GS_UNICODE_HANDLES = 0x00000001;
inline constexpr FLONG GS_8BIT_HANDLES = 0x00000002;
inline constexpr FLONG GS_16BIT_HANDLES = 0x00000004;

struct FD_KERNINGPAIR {
  WCHAR wcFirst;
  WCHAR wcSecond;
  FWORD fwdKern;
};
static_assert(sizeof(FD_KERNINGPAIR) == 6);

struct FD_XFORM {
  FLOATL eXX;
  FLOATL eXY;
  FLOATL eYX;
  FLOATL eYY;
};
// Device metrics of a realized font (DrvQueryFontData QFD_MAXEXTENTS).
struct FD_DEVICEMETRICS {
  FLONG flRealizedType;
  POINTE pteBase;
  POINTE pteSide;
  LONG lD;
  FIX fxMaxAscender;
  FIX fxMaxDescender;
  POINTL ptlUnderline1;
  POINTL ptlStrikeOut;
  POINTL ptlULThickness;
  POINTL ptlSOThickness;
  ULONG cxMax;
  ULONG cyMax;
  ULONG cjGlyphMax;
  FD_XFORM fdxQuantized;
  LONG lNonLinearExtLeading;
  LONG lNonLinearIntLeading;
  LONG lNonLinearMaxCharWidth;
  LONG lNonLinearAvgCharWidth;
  LONG lMinA;
  LONG lMinC;
  LONG lMinD;
  LONG alReserved[1];
};
static_assert(sizeof(FD_DEVICEMETRICS) == 124);
inline constexpr ULONG QFD_GLYPHANDBITMAP = 1;
inline constexpr ULONG QFD_GLYPHANDOUTLINE = 2;
inline constexpr ULONG QFD_MAXEXTENTS = 3;
inline constexpr ULONG QFT_LIGATURES = 1;
inline constexpr ULONG QFT_KERNPAIRS = 2;
inline constexpr ULONG QFT_GLYPHSET = 3;
inline constexpr ULONG QAW_GETWIDTHS = 0;
inline constexpr ULONG QAW_GETEASYWIDTHS = 1;

// Glyphs of the font in the given mode (FO_GLYPHBITS or FO_PATHOBJ): with
// cGlyph 1, *ppvGlyph receives the GLYPHDATA of *phg, whose image or outline
// stays valid as long as the font. Returns the number of glyphs given (0
// for an unknown handle or mode).
LONG FONTOBJ_cGetGlyphs(FONTOBJ* pfo, ULONG iMode, ULONG cGlyph, HGLYPH* phg, PVOID* ppvGlyph);
// The font's metrics; null for a device font the engine does not hold.
IFIMETRICS* FONTOBJ_pifi(FONTOBJ* pfo);
// The transform from the font's notional space (font units, y down) to
// device space.
XFORMOBJ* FONTOBJ_pxoGetXform(FONTOBJ* pfo);
// The font's Unicode-to-glyph-handle runs.
FD_GLYPHSET* FONTOBJ_pfdg(FONTOBJ* pfo);
// The number of glyphs; with phg, their handles are copied there.
ULONG FONTOBJ_cGetAllGlyphHandles(FONTOBJ* pfo, HGLYPH* phg);
