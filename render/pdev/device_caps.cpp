// The device capabilities the engine asks for when a PDEV is enabled.
#include <algorithm>
#include <cstring>

#include "render/pdev/device_tables.h"
#include "render/pdev/pdev_internal.h"
#include "render/platform/code_page.h"
#include "render/platform/pdev_heap.h"

namespace {

constexpr ULONG kGdiInfoVersion = 0x400;
constexpr ULONG kTextCaps = 0x581F;
constexpr ULONG kPrimaryOrder = 4;
constexpr ULONG kHalftoneOutput1Bpp = 0;
constexpr ULONG kHalftoneOutput24Bpp = 6;
constexpr ULONG kAllColors = 0xFFFFFF;
// Graphics capabilities of a banding and of a vector PDEV; journaling is
// off while the engine does not spool EMF.
constexpr FLONG kBandingCaps = 0x430;
constexpr FLONG kVectorCaps = 0x1F;
constexpr FLONG kDontJournal = 0x2000;
constexpr FLONG kForceDither = 0x800000;

// The colour depth the engine draws in: bits per pixel, planes, colours and
// palette registers.
struct ColorDepth {
  ULONG bits;
  ULONG planes;
  ULONG colors;
  ULONG paletteRegisters;
};

ColorDepth DepthOf(const PDEV* pdev) {
  if (pdev->banding != 0) {
    return IsMonochromeBanding(pdev) ? ColorDepth{1, 1, 2, 2} : ColorDepth{8, 3, kAllColors, kAllColors};
  }
  switch (pdev->colorProcess) {
    case 1:
      return pdev->color == 2 ? ColorDepth{1, 1, 8, 20} : ColorDepth{1, 1, 2, 2};
    case 2:
      return ColorDepth{24, 1, kAllColors, kAllColors};
    default:
      return ColorDepth{8, 3, kAllColors, kAllColors};
  }
}

// 10.5 points at the resolution, in the face the description's printers
// carry; only when the device fonts may be used and the model asks for it.
LOGFONTW DefaultFont(const PDEV* pdev) {
  LOGFONTW font{};
  if (pdev->banding != 0 || pdev->languageId != 0 || pdev->hiddenFunc4 == 0) return font;
  const LONG dpi = pdev->resolution;
  font.lfHeight = (dpi * 10 + dpi / 2) / 72;
  font.lfWidth = font.lfHeight / 2;
  font.lfWeight = 400;
  font.lfOutPrecision = 1;
  font.lfClipPrecision = 2;
  font.lfPitchAndFamily = 0x11;
  static constexpr WCHAR kFace[] = u"\u660E\u671D";
  std::memcpy(font.lfFaceName, kFace, sizeof kFace);
  return font;
}

}  // namespace

bool IsMonochromeBanding(const PDEV* pdev) {
  return pdev->banding != 0 && pdev->colorProcess == 1 && pdev->color == 1;
}

ULONG PickDefaultHTPatSize(ULONG xDpi, ULONG yDpi, BOOL eightBit) {
  const ULONG dpi = std::min(xDpi, yDpi);
  static constexpr struct {
    ULONG from;
    ULONG size;
  } kSteps[] = {{2400, 15}, {1800, 13}, {1200, 11}, {900, 9}, {400, 7}, {180, 5}};
  ULONG size = 3;
  for (const auto& step : kSteps) {
    if (dpi >= step.from) {
      size = step.size;
      break;
    }
  }
  return eightBit ? size - 2 : size;
}

ULONG HalftonePatternSize(const PDEV* pdev) {
  const ULONG size = PickDefaultHTPatSize(pdev->resolution, pdev->resolution, FALSE);
  return size < kHalftonePatternSizes ? size : DefDevHTInfo.fallbackPatternSize;
}

BOOL trans_charset(ULONG value, CharsetPair* pair, int direction) {
  const ULONG key = value & 0xFFFF;
  for (const CharsetPair& row : kCharsetTable) {
    if ((direction == kCodePageFromCharset ? row.charset : row.codePage) == key) {
      *pair = row;
      return TRUE;
    }
  }
  return FALSE;
}

ULONG get_cp() { return MyGetACP(); }

void FillDevCaps(PDEV* pdev, ULONG size, GDIINFO* gdiInfo) {
  const PaperFormat& paper = pdev->paper;
  const ULONG dpi = pdev->resolution;
  GDIINFO gi{};
  gi.ulVersion = kGdiInfoVersion;
  gi.ulTechnology = DT_RASPRINTER;
  if (pdev->extPrintArea == 2) {
    gi.ulHorzSize = static_cast<ULONG>(paper.printableWidthTenthMm / 10);
    gi.ulVertSize = static_cast<ULONG>(paper.printableLengthTenthMm / 10);
  } else {
    // Negative: the size in micrometres.
    gi.ulHorzSize = static_cast<ULONG>(-(paper.printableWidthTenthMm * 100));
    gi.ulVertSize = static_cast<ULONG>(-(paper.printableLengthTenthMm * 100));
  }
  gi.ulHorzRes = static_cast<ULONG>(paper.printableWidth);
  gi.ulVertRes = static_cast<ULONG>(paper.printableLength);
  pdev->pageWidth = paper.printableWidth;
  pdev->pageHeight = paper.printableLength;
  const ColorDepth depth = DepthOf(pdev);
  gi.cBitsPixel = depth.bits;
  gi.cPlanes = depth.planes;
  gi.ulNumColors = depth.colors;
  gi.ulNumPalReg = depth.paletteRegisters;
  gi.flRaster = 0;
  gi.ulLogPixelsX = gi.ulLogPixelsY = dpi;
  gi.flTextCaps = kTextCaps;
  gi.ulAspectX = gi.ulAspectY = dpi;
  gi.ulAspectXY = dpi * 1414 / 1000;
  gi.xStyleStep = gi.yStyleStep = 1;
  gi.denStyleStep = static_cast<LONG>(dpi / 25);
  gi.ptlPhysOffset = {paper.xOffset, paper.yOffset};
  gi.szlPhysSize = {paper.paperWidth, paper.paperLength};
  gi.ciDevice = DefDevHTInfo.colorInfo;
  gi.ulDevicePelsDPI = DefDevHTInfo.devicePelsDpi;
  gi.ulPrimaryOrder = kPrimaryOrder;
  gi.ulHTPatternSize = HalftonePatternSize(pdev);
  gi.ulHTOutputFormat = IsMonochromeBanding(pdev) ? kHalftoneOutput1Bpp : kHalftoneOutput24Bpp;
  gi.flHTFlags = DefDevHTInfo.flags;
  if (gdiInfo != nullptr) std::memcpy(gdiInfo, &gi, std::min<std::size_t>(size, sizeof gi));
}

BOOL FillDevInfo(PDEV* pdev, ULONG size, DEVINFO* devInfo, ULONG halftonePatternSize) {
  DEVINFO di{};
  di.flGraphicsCaps = pdev->banding != 0 ? kBandingCaps : kVectorCaps;
  if (pdev->emfSpool == 0) {
    di.flGraphicsCaps |= kDontJournal;
  } else {
    di.flGraphicsCaps &= ~kDontJournal;
  }
  di.lfDefaultFont = DefaultFont(pdev);
  CharsetPair pair{};
  di.lfDefaultFont.lfCharSet = trans_charset(get_cp(), &pair, kCharsetFromCodePage) ? static_cast<BYTE>(pair.charset) : 0;
  di.lfAnsiVarFont = di.lfDefaultFont;
  di.lfAnsiVarFont.lfCharSet = 0;
  di.lfAnsiFixFont = di.lfAnsiVarFont;
  if (pdev->palette != nullptr) {
    EngDeletePalette(pdev->palette);
    pdev->palette = nullptr;
  }
  if (IsMonochromeBanding(pdev)) {
    const ULONG cell = std::min<ULONG>(halftonePatternSize, kHalftonePatternSizes - 1);
    di.cxDither = cxHTPatSize[cell];
    di.cyDither = cyHTPatSize[cell];
    di.flGraphicsCaps |= kForceDither;
    di.iDitherFormat = BMF_1BPP;
    auto* colors = static_cast<ULONG*>(HEAPALLOC(pdev->heap, sizeof aulPal2Colors));
    if (colors == nullptr) return FALSE;
    std::memcpy(colors, aulPal2Colors, sizeof aulPal2Colors);
    pdev->palette = EngCreatePalette(PAL_INDEXED, 2, colors, 0, 0, 0);
    HEAPFREE(pdev->heap, colors);
  } else {
    di.iDitherFormat = BMF_24BPP;
    pdev->palette = EngCreatePalette(PAL_BGR, 0, nullptr, 0, 0, 0);
  }
  if (pdev->palette == nullptr) return FALSE;
  di.hpalDefault = pdev->palette;
  di.cFonts = static_cast<ULONG>(pdev->deviceFontCount);
  if (devInfo != nullptr) std::memcpy(devInfo, &di, std::min<std::size_t>(size, sizeof di));
  return TRUE;
}
