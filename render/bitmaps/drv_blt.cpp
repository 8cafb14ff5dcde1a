// The engine's bit-block calls: fills become rectangle records after their
// attribute records, source bitmaps image records. When the PDEV bands the
// engine draws the blts into the band itself.
#include "platform/base/winerror.h"
#include "render/bitmaps/bitmap_transfer.h"
#include "render/bitmaps/rop3_mix.h"
#include "render/paths/draw_setup.h"
#include "render/bitmaps/transfer_support.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "render/records/attribute_records.h"
#include "render/records/shape_records.h"
#include "render/records/state_control.h"

namespace {

constexpr ULONG kWhite = 0xFFFFFF;
constexpr BYTE kBlackness = 0x00;
constexpr BYTE kWhiteness = 0xFF;
constexpr USHORT kSourceBltMix = 11;  // copy the pen: the source, as drawn
constexpr ULONG kSourceCopyRop = 0x00CC0020;
constexpr ULONG kDitherHalftone = 2;  // DCR_HALFTONE: the engine halftones solid colours

enum class Start { kDraw, kDone, kFail };

// The common start of a drawing call: a valid PDEV (else error 87), the
// hidden switch that draws nothing, and no write error so far.
Start Begin(PDEV* pdev) {
  if (pdev == nullptr) return Start::kFail;
  if (pdev->hiddenFunc18 != 0) return Start::kDone;
  return (pdev->flags & kPdevWriteError) == 0 ? Start::kDraw : Start::kFail;
}

BOOL Result(Start start) { return start == Start::kDone ? TRUE : FALSE; }

// A blt that reads a source: its image with the brush's colours for the
// pixels the ROP3 takes from the pattern.
BOOL SourceBlt(PDEV* pdev, SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco, XLATEOBJ* pxlo,
               RECTL* prclTrg, POINTL* pptlSrc, POINTL* pptlMask, BRUSHOBJ* pbo, POINTL* pptlBrush, ROP4 rop4) {
  const BYTE rop3 = static_cast<BYTE>(rop4 & 0xFF);
  DRAWATTR attributes{};
  attributes.mix = kSourceBltMix;
  attributes.foregroundColor = kWhite;
  attributes.backgroundColor = kWhite;
  if (pbo != nullptr) {
    const BrushRecord* brush = SetBrushObject(pdev, psoTrg, pbo, pptlBrush);
    if (brush != nullptr) {
      if (!IdlSetBrushCtrl(pdev, brush)) return FALSE;
      attributes.backgroundColor = brush->colors[1];
      attributes.foregroundColor = brush->colors[0];
    }
  }
  attributes.backgroundMode = (rop4 & 0xFF00) == 0xAA00 ? kBackgroundTransparent : kBackgroundOpaque;
  if (!IdlSetBackgroundModeCtrl(pdev, attributes.backgroundMode)) return FALSE;
  if (!IdlSetRop3Ctrl(pdev, rop3)) return FALSE;
  if (!SendDrawColors(pdev, attributes)) return FALSE;
  if (SetClipObject(pdev, pco, 0) == kClipFailed) return FALSE;
  return DlBitBlt(pdev, pxlo, psoSrc, pptlBrush, prclTrg, pptlSrc, psoMask, pptlMask, rop4);
}

// A blt without a source: the target rectangle filled with the brush, or
// with black or white for the two ROP3s that need none.
BOOL FillBlt(PDEV* pdev, SURFOBJ* psoTrg, CLIPOBJ* pco, RECTL* prclTrg, BRUSHOBJ* pbo, POINTL* pptlBrush, BYTE rop3) {
  const BrushRecord* brush = nullptr;
  if (rop3 == kBlackness || rop3 == kWhiteness) {
    pdev->defaultBrush = BrushRecord{};
    pdev->defaultBrush.colors[0] = rop3 == kWhiteness ? kWhite : 0;
    pdev->defaultBrush.colors[1] = kWhite;
    brush = &pdev->defaultBrush;
  } else {
    brush = SetBrushObject(pdev, psoTrg, pbo, pptlBrush);
    if (brush == nullptr) {
      EngSetLastError(pbo != nullptr ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  if (!IdlSetBrushCtrl(pdev, brush)) return FALSE;
  const BYTE mix = Rop3ToMix(rop3);
  DRAWATTR attributes{};
  SetDrawAttr(pdev, mix, &attributes, 0);
  attributes.foregroundColor = brush->colors[0];
  attributes.backgroundColor = brush->colors[1];
  attributes.backgroundMode = kBackgroundOpaque;
  if (!SendDrawColors(pdev, attributes)) return FALSE;
  if (!IdlSetBackgroundModeCtrl(pdev, kBackgroundOpaque)) return FALSE;
  if (!IdlSetRop3Ctrl(pdev, GetGraphicROP3(mix))) return FALSE;
  if (SetClipObject(pdev, pco, 0) == kClipFailed) return FALSE;
  const RECTL target = bitmaps::Ordered(*prclTrg);
  return PrnIdlRect(&pdev->stream, &target, &target, kRectFill) != nullptr ? TRUE : FALSE;
}

}  // namespace

BOOL DrvBitBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco, XLATEOBJ* pxlo, RECTL* prclTrg,
               POINTL* pptlSrc, POINTL* pptlMask, BRUSHOBJ* pbo, POINTL* pptlBrush, ROP4 rop4) {
  PDEV* pdev = CheckedPdev(psoTrg);
  const Start start = Begin(pdev);
  if (start != Start::kDraw) return Result(start);
  if (prclTrg == nullptr) return FALSE;
  if (pdev->banding != 0) {
    return EngBitBlt(psoTrg, psoSrc, psoMask, pco, pxlo, prclTrg, pptlSrc, pptlMask, pbo, pptlBrush, rop4);
  }
  const BYTE rop3 = static_cast<BYTE>(rop4 & 0xFF);
  if (psoSrc != nullptr && rop3 != kBlackness && rop3 != kWhiteness) {
    return SourceBlt(pdev, psoTrg, psoSrc, psoMask, pco, pxlo, prclTrg, pptlSrc, pptlMask, pbo, pptlBrush, rop4);
  }
  return FillBlt(pdev, psoTrg, pco, prclTrg, pbo, pptlBrush, rop3);
}

BOOL DrvStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco, XLATEOBJ* pxlo,
                   COLORADJUSTMENT* pca, POINTL* pptlHTOrg, RECTL* prclDest, RECTL* prclSrc, POINTL* pptlMask,
                   ULONG iMode) {
  PDEV* pdev = CheckedPdev(psoDest);
  const Start start = Begin(pdev);
  if (start != Start::kDraw) return Result(start);
  if (pdev->banding != 0) {
    return EngStretchBlt(psoDest, psoSrc, psoMask, pco, pxlo, pca, pptlHTOrg, prclDest, prclSrc, pptlMask, iMode);
  }
  if (psoSrc == nullptr || psoSrc->iType != STYPE_BITMAP) return FALSE;
  if (SetClipObject(pdev, pco, 0) == kClipFailed) return FALSE;
  if (!IdlSetRop3Ctrl(pdev, Def2Rop3(kSourceCopyRop))) return FALSE;
  return DlStretchBlt(pdev, pxlo, psoSrc, pca, pptlHTOrg, prclDest, prclSrc);
}

BOOL DrvCopyBits(SURFOBJ* psoDest, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo, RECTL* prclDest, POINTL* pptlSrc) {
  // The engine also copies from the device into a bitmap of its own.
  SURFOBJ* device = psoDest != nullptr && PdevOf(psoDest) != nullptr ? psoDest : psoSrc;
  PDEV* pdev = CheckedPdev(device);
  const Start start = Begin(pdev);
  if (pdev == nullptr || pdev->hiddenFunc18 != 0) return Result(start);
  if (prclDest == nullptr) return FALSE;
  if (psoSrc == nullptr || psoSrc->iType != STYPE_BITMAP) {
    // The device keeps no pixels: what the engine reads back of it is the
    // paper, and a copy onto the device from the device draws nothing.
    if (psoDest == nullptr || psoDest->iType != STYPE_BITMAP || device == psoDest) return TRUE;
    return EngEraseSurface(psoDest, prclDest, 0xFFFFFFFF);
  }
  if (psoDest == nullptr || psoDest->iType != STYPE_DEVICE || device != psoDest) return FALSE;
  if (start != Start::kDraw) return FALSE;
  if (!IdlSetRop3Ctrl(pdev, Def2Rop3(kSourceCopyRop))) return FALSE;
  if (SetClipObject(pdev, pco, 0) == kClipFailed) return FALSE;
  return DlCopyBits(pdev, pxlo, psoSrc, pptlSrc, prclDest);
}

ULONG DrvDitherColor(DHPDEV dhpdev, ULONG, ULONG, ULONG*) {
  CheckedPdev(dhpdev);
  return kDitherHalftone;
}
