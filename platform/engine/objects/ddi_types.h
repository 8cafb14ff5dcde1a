// Basic types of the graphics engine's driver interface: fixed-point and
// float scalars, the engine's handles, the driver's function table and the
// constants shared by several engine objects.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

using FLONG = ULONG;
using PFLONG = FLONG*;
using FLOAT = float;
// The engine's float in objects handed to drivers; a plain float on this
// 64-bit host.
using FLOATL = FLOAT;
using PFLOATL = FLOATL*;
// 28.4 fixed point: 28 bits of integer, 4 bits of fraction.
using FIX = LONG;
using PFIX = FIX*;
using FWORD = SHORT;
using PTRDIFF = LONG_PTR;
using HGLYPH = ULONG;
using PHGLYPH = HGLYPH*;
using IDENT = ULONG;
using ROP4 = ULONG;
using MIX = ULONG;

inline constexpr HGLYPH HGLYPH_INVALID = 0xFFFFFFFFu;
inline constexpr ULONG DDI_ERROR = 0xFFFFFFFFu;

struct POINTFIX { FIX x; FIX y; };
using PPOINTFIX = POINTFIX*;
struct RECTFX { FIX xLeft; FIX yTop; FIX xRight; FIX yBottom; };
using PRECTFX = RECTFX*;
struct POINTE { FLOATL x; FLOATL y; };
using PPOINTE = POINTE*;
union FLOAT_LONG {
  FLOATL e;
  LONG l;
};
using PFLOAT_LONG = FLOAT_LONG*;
struct LARGE_INTEGER_ENG {
  DWORD LowPart;
  LONG HighPart;
};
// A point in 32.32 fixed point, as advance vectors of glyphs are given.
struct POINTQF {
  LARGE_INTEGER_ENG x;
  LARGE_INTEGER_ENG y;
};
using PPOINTQF = POINTQF*;

constexpr FIX LTOFX(LONG v) { return static_cast<FIX>(static_cast<ULONG>(v) << 4); }
constexpr LONG FXTOL(FIX v) { return v >> 4; }
constexpr LONG FXTOLCEILING(FIX v) { return (v + 0x0F) >> 4; }
constexpr LONG FXTOLROUND(FIX v) { return (v + 0x08) >> 4; }

// The engine's floating-point object. On this host it is a float, as on the
// platforms where the engine allows floating point in drivers; the services
// are the documented operations on it.
using FLOATOBJ = FLOAT;
using PFLOATOBJ = FLOATOBJ*;
void FLOATOBJ_SetFloat(PFLOATOBJ pf, FLOATL f);
void FLOATOBJ_SetLong(PFLOATOBJ pf, LONG l);
// Truncates towards zero, as the engine's conversion does.
LONG FLOATOBJ_GetLong(PFLOATOBJ pf);
FLOATL FLOATOBJ_GetFloat(PFLOATOBJ pf);
void FLOATOBJ_MulLong(PFLOATOBJ pf, LONG l);
void FLOATOBJ_MulFloat(PFLOATOBJ pf, FLOATL f);
void FLOATOBJ_Mul(PFLOATOBJ pf, PFLOATOBJ pf1);
void FLOATOBJ_DivLong(PFLOATOBJ pf, LONG l);
void FLOATOBJ_Div(PFLOATOBJ pf, PFLOATOBJ pf1);
void FLOATOBJ_AddLong(PFLOATOBJ pf, LONG l);
void FLOATOBJ_Add(PFLOATOBJ pf, PFLOATOBJ pf1);
void FLOATOBJ_Neg(PFLOATOBJ pf);
BOOL FLOATOBJ_EqualLong(PFLOATOBJ pf, LONG l);
BOOL FLOATOBJ_GreaterThanLong(PFLOATOBJ pf, LONG l);
BOOL FLOATOBJ_LessThanLong(PFLOATOBJ pf, LONG l);

// Handles of the engine and of the driver. An HDEV is the printer handle the
// device was created for (platform/engine/eng_printer.h).
struct HSURF__;
using HSURF = HSURF__*;
struct DHSURF__;
using DHSURF = DHSURF__*;
struct DHPDEV__;
using DHPDEV = DHPDEV__*;
struct HDEV__;
using HDEV = HDEV__*;

// The driver's function table handed over by DrvEnableDriver. An entry
// point's address, cast to its own type by the caller; void (*)() for the
// reason FARPROC is (platform/base/wintypes.h).
using PFN = void (*)();
struct DRVFN {
  ULONG iFunc;
  PFN pfn;
};
using PDRVFN = DRVFN*;
struct DRVENABLEDATA {
  ULONG iDriverVersion;
  ULONG c;
  DRVFN* pdrvfn;
};
using PDRVENABLEDATA = DRVENABLEDATA*;
static_assert(sizeof(DRVFN) == 16 && sizeof(DRVENABLEDATA) == 16);

inline constexpr ULONG DDI_DRIVER_VERSION_NT4 = 0x00020000;
inline constexpr ULONG DDI_DRIVER_VERSION_SP3 = 0x00020003;
inline constexpr ULONG DDI_DRIVER_VERSION_NT5 = 0x00030000;
inline constexpr ULONG DDI_DRIVER_VERSION_NT5_01 = 0x00030100;

// Engine function indexes of the driver's entry points.
inline constexpr ULONG INDEX_DrvEnablePDEV = 0;
inline constexpr ULONG INDEX_DrvCompletePDEV = 1;
inline constexpr ULONG INDEX_DrvDisablePDEV = 2;
inline constexpr ULONG INDEX_DrvEnableSurface = 3;
inline constexpr ULONG INDEX_DrvDisableSurface = 4;
inline constexpr ULONG INDEX_DrvAssertMode = 5;
inline constexpr ULONG INDEX_DrvResetPDEV = 7;
inline constexpr ULONG INDEX_DrvDisableDriver = 8;
inline constexpr ULONG INDEX_DrvCreateDeviceBitmap = 10;
inline constexpr ULONG INDEX_DrvDeleteDeviceBitmap = 11;
inline constexpr ULONG INDEX_DrvRealizeBrush = 12;
inline constexpr ULONG INDEX_DrvDitherColor = 13;
inline constexpr ULONG INDEX_DrvStrokePath = 14;
inline constexpr ULONG INDEX_DrvFillPath = 15;
inline constexpr ULONG INDEX_DrvStrokeAndFillPath = 16;
inline constexpr ULONG INDEX_DrvPaint = 17;
inline constexpr ULONG INDEX_DrvBitBlt = 18;
inline constexpr ULONG INDEX_DrvCopyBits = 19;
inline constexpr ULONG INDEX_DrvStretchBlt = 20;
inline constexpr ULONG INDEX_DrvSetPalette = 22;
inline constexpr ULONG INDEX_DrvTextOut = 23;
inline constexpr ULONG INDEX_DrvEscape = 24;
inline constexpr ULONG INDEX_DrvDrawEscape = 25;
inline constexpr ULONG INDEX_DrvQueryFont = 26;
inline constexpr ULONG INDEX_DrvQueryFontTree = 27;
inline constexpr ULONG INDEX_DrvQueryFontData = 28;
inline constexpr ULONG INDEX_DrvLineTo = 31;
inline constexpr ULONG INDEX_DrvSendPage = 32;
inline constexpr ULONG INDEX_DrvStartPage = 33;
inline constexpr ULONG INDEX_DrvEndDoc = 34;
inline constexpr ULONG INDEX_DrvStartDoc = 35;
inline constexpr ULONG INDEX_DrvGetGlyphMode = 37;
inline constexpr ULONG INDEX_DrvFree = 42;
inline constexpr ULONG INDEX_DrvDestroyFont = 43;
inline constexpr ULONG INDEX_DrvQueryAdvanceWidths = 53;
inline constexpr ULONG INDEX_DrvStartBanding = 57;
inline constexpr ULONG INDEX_DrvNextBand = 58;
inline constexpr ULONG INDEX_LAST = 89;

// Graphics capabilities (DEVINFO flGraphicsCaps).
inline constexpr FLONG GCAPS_BEZIERS = 0x00000001;
inline constexpr FLONG GCAPS_GEOMETRICWIDE = 0x00000002;
inline constexpr FLONG GCAPS_ALTERNATEFILL = 0x00000004;
inline constexpr FLONG GCAPS_WINDINGFILL = 0x00000008;
inline constexpr FLONG GCAPS_HALFTONE = 0x00000010;
inline constexpr FLONG GCAPS_COLOR_DITHER = 0x00000020;
inline constexpr FLONG GCAPS_HORIZSTRIKE = 0x00000040;
inline constexpr FLONG GCAPS_VERTSTRIKE = 0x00000080;
inline constexpr FLONG GCAPS_OPAQUERECT = 0x00000100;
inline constexpr FLONG GCAPS_VECTORFONT = 0x00000200;
inline constexpr FLONG GCAPS_MONO_DITHER = 0x00000400;
inline constexpr FLONG GCAPS_DONTJOURNAL = 0x00002000;
inline constexpr FLONG GCAPS_ARBRUSHOPAQUE = 0x00008000;
inline constexpr FLONG GCAPS_HIGHRESTEXT = 0x00040000;
inline constexpr FLONG GCAPS_PALMANAGED = 0x00080000;
inline constexpr FLONG GCAPS_FORCEDITHER = 0x00800000;

// Drawing calls a surface hooks (EngAssociateSurface flHooks).
inline constexpr FLONG HOOK_BITBLT = 0x00000001;
inline constexpr FLONG HOOK_STRETCHBLT = 0x00000002;
inline constexpr FLONG HOOK_PLGBLT = 0x00000004;
inline constexpr FLONG HOOK_TEXTOUT = 0x00000008;
inline constexpr FLONG HOOK_PAINT = 0x00000010;
inline constexpr FLONG HOOK_STROKEPATH = 0x00000020;
inline constexpr FLONG HOOK_FILLPATH = 0x00000040;
inline constexpr FLONG HOOK_STROKEANDFILLPATH = 0x00000080;
inline constexpr FLONG HOOK_LINETO = 0x00000100;
inline constexpr FLONG HOOK_COPYBITS = 0x00000400;

// Bitmap formats and flags.
inline constexpr ULONG BMF_1BPP = 1;
inline constexpr ULONG BMF_4BPP = 2;
inline constexpr ULONG BMF_8BPP = 3;
inline constexpr ULONG BMF_16BPP = 4;
inline constexpr ULONG BMF_24BPP = 5;
inline constexpr ULONG BMF_32BPP = 6;
inline constexpr ULONG BMF_4RLE = 7;
inline constexpr ULONG BMF_8RLE = 8;
inline constexpr ULONG BMF_JPEG = 9;
inline constexpr ULONG BMF_PNG = 10;
inline constexpr FLONG BMF_TOPDOWN = 0x0001;
inline constexpr FLONG BMF_NOZEROINIT = 0x0002;
inline constexpr FLONG BMF_DONTCACHE = 0x0004;
inline constexpr FLONG BMF_USERMEM = 0x0008;

// Surface types (SURFOBJ iType).
inline constexpr USHORT STYPE_BITMAP = 0;
inline constexpr USHORT STYPE_DEVICE = 1;
inline constexpr USHORT STYPE_DEVBITMAP = 3;

// Mix modes: the low byte is the foreground raster operation (R2_*), the
// next byte the background one.
inline constexpr MIX R2_BLACK = 1;
inline constexpr MIX R2_NOTMERGEPEN = 2;
inline constexpr MIX R2_MASKNOTPEN = 3;
inline constexpr MIX R2_NOTCOPYPEN = 4;
inline constexpr MIX R2_MASKPENNOT = 5;
inline constexpr MIX R2_NOT = 6;
inline constexpr MIX R2_XORPEN = 7;
inline constexpr MIX R2_NOTMASKPEN = 8;
inline constexpr MIX R2_MASKPEN = 9;
inline constexpr MIX R2_NOTXORPEN = 10;
inline constexpr MIX R2_NOP = 11;
inline constexpr MIX R2_MERGENOTPEN = 12;
inline constexpr MIX R2_COPYPEN = 13;
inline constexpr MIX R2_MERGEPENNOT = 14;
inline constexpr MIX R2_MERGEPEN = 15;
inline constexpr MIX R2_WHITE = 16;

// Fill modes of DrvFillPath.
inline constexpr FLONG FP_ALTERNATEMODE = 1;
inline constexpr FLONG FP_WINDINGMODE = 2;

// Stretch modes.
inline constexpr ULONG BLACKONWHITE = 1;
inline constexpr ULONG WHITEONBLACK = 2;
inline constexpr ULONG COLORONCOLOR = 3;
inline constexpr ULONG HALFTONE = 4;

// Colour adjustment handed to stretch calls; the engine's raster code does
// not read it.
struct COLORADJUSTMENT {
  WORD caSize;
  WORD caFlags;
  WORD caIlluminantIndex;
  WORD caRedGamma;
  WORD caGreenGamma;
  WORD caBlueGamma;
  WORD caReferenceBlack;
  WORD caReferenceWhite;
  SHORT caContrast;
  SHORT caBrightness;
  SHORT caColorfulness;
  SHORT caRedGreenTint;
};
static_assert(sizeof(COLORADJUSTMENT) == 24);
