// What a driver tells the engine about its device when a PDEV is enabled
// (GDIINFO, DEVINFO), and the engine's palettes.
#pragma once

#include <cstddef>

#include "platform/engine/objects/ddi_types.h"

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};
using PLOGFONTW = LOGFONTW*;
static_assert(sizeof(LOGFONTW) == 92);

// Chromaticity in units of 1/10000; luminance likewise.
using LDECI4 = LONG;
struct CIECHROMA {
  LDECI4 x;
  LDECI4 y;
  LDECI4 Y;
};
struct COLORINFO {
  CIECHROMA Red;
  CIECHROMA Green;
  CIECHROMA Blue;
  CIECHROMA Cyan;
  CIECHROMA Magenta;
  CIECHROMA Yellow;
  CIECHROMA AlignmentWhite;
  LDECI4 RedGamma;
  LDECI4 GreenGamma;
  LDECI4 BlueGamma;
  LDECI4 MagentaInCyanDye;
  LDECI4 YellowInCyanDye;
  LDECI4 CyanInMagentaDye;
  LDECI4 YellowInMagentaDye;
  LDECI4 CyanInYellowDye;
  LDECI4 MagentaInYellowDye;
};
static_assert(sizeof(COLORINFO) == 120);

// The device's capabilities as the engine asks for them: this engine hands
// the driver the 264-byte form (up to the panning resolution).
struct GDIINFO {
  ULONG ulVersion;
  ULONG ulTechnology;
  ULONG ulHorzSize;
  ULONG ulVertSize;
  ULONG ulHorzRes;
  ULONG ulVertRes;
  ULONG cBitsPixel;
  ULONG cPlanes;
  ULONG ulNumColors;
  ULONG flRaster;
  ULONG ulLogPixelsX;
  ULONG ulLogPixelsY;
  ULONG flTextCaps;
  ULONG ulDACRed;
  ULONG ulDACGreen;
  ULONG ulDACBlue;
  ULONG ulAspectX;
  ULONG ulAspectY;
  ULONG ulAspectXY;
  LONG xStyleStep;
  LONG yStyleStep;
  LONG denStyleStep;
  POINTL ptlPhysOffset;
  SIZEL szlPhysSize;
  ULONG ulNumPalReg;
  COLORINFO ciDevice;
  ULONG ulDevicePelsDPI;
  ULONG ulPrimaryOrder;
  ULONG ulHTPatternSize;
  ULONG ulHTOutputFormat;
  ULONG flHTFlags;
  ULONG ulVRefresh;
  ULONG ulBltAlignment;
  ULONG ulPanningHorzRes;
  ULONG ulPanningVertRes;
};
using PGDIINFO = GDIINFO*;
static_assert(sizeof(GDIINFO) == 264);
static_assert(offsetof(GDIINFO, ptlPhysOffset) == 88);
static_assert(offsetof(GDIINFO, ciDevice) == 108);
static_assert(offsetof(GDIINFO, ulHTPatternSize) == 236);

inline constexpr ULONG GDI_DRIVER_VERSION = 0x4000;
inline constexpr ULONG DT_RASPRINTER = 2;
// ulHTOutputFormat values.
inline constexpr ULONG HT_FORMAT_1BPP = 0;
inline constexpr ULONG HT_FORMAT_4BPP = 2;
inline constexpr ULONG HT_FORMAT_8BPP = 3;
inline constexpr ULONG HT_FORMAT_16BPP = 4;
inline constexpr ULONG HT_FORMAT_24BPP = 5;
inline constexpr ULONG HT_FORMAT_32BPP = 6;

// The device's graphics capabilities and default fonts. On this 64-bit host
// the palette handle makes the record 304 bytes.
struct DEVINFO {
  FLONG flGraphicsCaps;
  LOGFONTW lfDefaultFont;
  LOGFONTW lfAnsiVarFont;
  LOGFONTW lfAnsiFixFont;
  ULONG cFonts;
  ULONG iDitherFormat;
  USHORT cxDither;
  USHORT cyDither;
  HPALETTE hpalDefault;
};
using PDEVINFO = DEVINFO*;
static_assert(offsetof(DEVINFO, cFonts) == 280);
static_assert(offsetof(DEVINFO, hpalDefault) == 296);
static_assert(sizeof(DEVINFO) == 304);

// Palettes.
inline constexpr ULONG PAL_INDEXED = 0x00000001;
inline constexpr ULONG PAL_BITFIELDS = 0x00000002;
inline constexpr ULONG PAL_RGB = 0x00000004;
inline constexpr ULONG PAL_BGR = 0x00000008;

// A palette: PAL_INDEXED with cColors entries (0x00RRGGBB each: blue in
// the low byte), PAL_BITFIELDS with the three masks, PAL_RGB (red in the low
// byte) or PAL_BGR (blue in the low byte). Null with
// ERROR_INVALID_PARAMETER for an indexed palette without entries or an
// unknown mode.
HPALETTE EngCreatePalette(ULONG iMode, ULONG cColors, ULONG* pulColors, FLONG flRed,
                          FLONG flGreen, FLONG flBlue);
// FALSE for a handle that is not a live palette.
BOOL EngDeletePalette(HPALETTE hpal);
