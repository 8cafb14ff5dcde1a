// Bit blts, stretch blts and copies as image records: a source that can go
// as it lies is sent from its own memory; any other is first drawn by the
// engine into a bitmap of a format and size that can.
#include <algorithm>
#include <cstdlib>

#include "render/bitmaps/bitmap_transfer.h"
#include "render/bitmaps/transfer_support.h"
#include "render/pdev/pdev.h"
#include "render/records/image_records.h"
#include "render/records/shape_records.h"
#include "render/records/state_control.h"

using bitmaps::ImagePalette;
using bitmaps::SentFormatOf;
using bitmaps::TempBitmap;

namespace {

constexpr BYTE kBitBltMark = 0x80;  // the image of a bit blt
constexpr ROP4 kSourceCopy = 0xCCCC;
constexpr ROP4 kMaskedCopy = 0xAACC;  // the source where the mask is set, the page elsewhere
constexpr ULONG kWhite = 0xFFFFFF;

// Where an image goes and which part of its bitmap is meant.
struct Placement {
  LONG x, y, cx, cy;
  LONG sourceX, sourceY;
};

// Queues the image record of a bitmap that can go as it lies, with its
// palette; through the direct encoder when it does not fit in one piece.
BOOL SendBitmap(PDEV* pdev, SURFOBJ* bitmap, XLATEOBJ* pxlo, const Placement& at, BYTE mark, bool withPalette) {
  const ULONG format = bitmap->iBitmapFormat;
  const ImagePalette palette(pdev, withPalette ? pxlo : nullptr, format);
  if (!palette.ok()) return FALSE;
  const BYTE code = static_cast<BYTE>(SentFormatOf(format).code | mark);
  const auto* pixels = static_cast<const BYTE*>(bitmap->pvScan0);
  const BOOL bottomUp = (bitmap->fjBitmap & BMF_TOPDOWN) == 0 ? TRUE : FALSE;
  const LONG width = bitmap->sizlBitmap.cx, height = bitmap->sizlBitmap.cy;
  if (PrnIdlStretchBlt(&pdev->stream, at.x, at.y, at.cx, at.cy, at.sourceX, at.sourceY, width, height, code, pixels,
                       palette.bytes(), bottomUp) != nullptr) {
    return TRUE;
  }
  return PrnIdlStretchBltDirect(&pdev->stream, at.x, at.y, at.cx, at.cy, at.sourceX, at.sourceY, width, height, code,
                                pixels, palette.bytes(), bottomUp);
}

// The translation a conversion applies: only when it changes the format.
XLATEOBJ* ConversionXlate(XLATEOBJ* pxlo, const SURFOBJ* source) {
  return SentFormatOf(source->iBitmapFormat).intermediate != source->iBitmapFormat ? pxlo : nullptr;
}

// The mask of a masked copy as an image of its own, drawn with ROP3 0xEE
// (source OR page), and ROP3 0x88 (source AND page) set for the image.
BOOL SendMask(PDEV* pdev, SURFOBJ* psoMask, POINTL* pptlMask, const Placement& at) {
  TempBitmap mask(pdev, at.cx, at.cy, BMF_1BPP);
  if (mask.get() == nullptr) return FALSE;
  RECTL whole{0, 0, at.cx, at.cy};
  if (!EngBitBlt(mask.get(), psoMask, nullptr, nullptr, nullptr, &whole, pptlMask, nullptr, nullptr, nullptr,
                 kSourceCopy)) {
    return FALSE;
  }
  if (!IdlSetRop3Ctrl(pdev, Def2Rop3(0x00EE0086))) return FALSE;
  if (!SendBitmap(pdev, mask.get(), nullptr, at, 0, false)) return FALSE;
  return IdlSetRop3Ctrl(pdev, Def2Rop3(0x008800C6));
}

// The extent of one axis of a source rectangle limited to the bitmap, the
// edges kept in their order.
void ClipAxis(LONG& a, LONG& b, LONG extent) {
  LONG& low = a <= b ? a : b;
  LONG& high = a <= b ? b : a;
  low = std::clamp(low, LONG{0}, extent);
  high = std::clamp(high, LONG{0}, extent);
}

bool IsWhole(const RECTL& r, const SURFOBJ* bitmap) {
  return r.left == 0 && r.top == 0 && r.right == bitmap->sizlBitmap.cx && r.bottom == bitmap->sizlBitmap.cy;
}

}  // namespace

BYTE* DlClipRect(PDEV* pdev, const RECTL* rectangle) {
  return PrnIdlRect(&pdev->stream, rectangle, rectangle, kRectClip);
}

BOOL DlBitBlt(PDEV* pdev, XLATEOBJ* pxlo, SURFOBJ* psoSrc, POINTL*, RECTL* prclTrg, POINTL* pptlSrc,
              SURFOBJ* psoMask, POINTL* pptlMask, ROP4 rop4) {
  if (psoSrc == nullptr || pptlSrc == nullptr || prclTrg == nullptr) return FALSE;
  const RECTL target = bitmaps::Ordered(*prclTrg);
  const LONG w = target.right - target.left, h = target.bottom - target.top;
  if (w == 0 || h == 0) return TRUE;  // nothing to draw
  const bool masked = rop4 == kMaskedCopy && psoMask != nullptr;
  const bool convert = !bitmaps::SendsAsItIs(psoSrc) || psoSrc->sizlBitmap.cx != w || psoSrc->sizlBitmap.cy != h ||
                       pptlSrc->x != 0 || pptlSrc->y != 0 || masked;
  Placement at{target.left, target.top, w, h, 0, 0};
  if (masked && !SendMask(pdev, psoMask, pptlMask, at)) return FALSE;
  if (!convert) {
    at.sourceX = pptlSrc->x;
    at.sourceY = pptlSrc->y;
    return SendBitmap(pdev, psoSrc, pxlo, at, kBitBltMark, true);
  }
  TempBitmap image(pdev, w, h, SentFormatOf(psoSrc->iBitmapFormat).intermediate);
  if (image.get() == nullptr) return FALSE;
  RECTL whole{0, 0, w, h};
  if (masked && !EngEraseSurface(image.get(), &whole, kWhite)) return FALSE;
  if (!EngBitBlt(image.get(), psoSrc, masked ? psoMask : nullptr, nullptr, ConversionXlate(pxlo, psoSrc), &whole,
                 pptlSrc, masked ? pptlMask : nullptr, nullptr, nullptr, masked ? kMaskedCopy : kSourceCopy)) {
    return FALSE;
  }
  return SendBitmap(pdev, image.get(), pxlo, at, kBitBltMark, true);
}

BOOL DlStretchBlt(PDEV* pdev, XLATEOBJ* pxlo, SURFOBJ* psoSrc, COLORADJUSTMENT* pca, POINTL* pptlHTOrg,
                  RECTL* prclDest, RECTL* prclSrc) {
  if (psoSrc == nullptr || prclDest == nullptr || prclSrc == nullptr) return FALSE;
  RECTL source = *prclSrc;
  if (source.right != source.left) ClipAxis(source.left, source.right, psoSrc->sizlBitmap.cx);
  if (source.bottom != source.top) ClipAxis(source.top, source.bottom, psoSrc->sizlBitmap.cy);
  const LONG sw = source.right - source.left, sh = source.bottom - source.top;
  const LONG dw = prclDest->right - prclDest->left, dh = prclDest->bottom - prclDest->top;
  if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return TRUE;  // nothing of the source, or nowhere to draw it
  const LONG x = std::min(prclDest->left, prclDest->right), y = std::min(prclDest->top, prclDest->bottom);
  // A mirrored source or destination is turned by the engine.
  const bool convert = !bitmaps::SendsAsItIs(psoSrc) || !IsWhole(source, psoSrc) || dw < 0 || dh < 0;
  Placement at{x, y, std::abs(dw), std::abs(dh), source.left, source.top};
  if (!convert) return SendBitmap(pdev, psoSrc, pxlo, at, 0, true);
  const ULONG format = psoSrc->iBitmapFormat;
  TempBitmap image(pdev, std::abs(sw), std::abs(sh), SentFormatOf(format).intermediate);
  if (image.get() == nullptr) {
    if ((format != BMF_24BPP && format != BMF_8BPP) || sw < 0 || sh < 0 || dw < 0 || dh < 0) return FALSE;
    return ForcibleStretchBltDirect(pdev, psoSrc, &source, prclDest, pxlo,
                                    bitmaps::IsGreyRamp(pxlo, format) ? TRUE : FALSE) != nullptr;
  }
  RECTL target{0, 0, std::abs(sw), std::abs(sh)};
  if (dw < 0) std::swap(target.left, target.right);
  if (dh < 0) std::swap(target.top, target.bottom);
  if (!EngStretchBlt(image.get(), psoSrc, nullptr, nullptr, ConversionXlate(pxlo, psoSrc), pca, pptlHTOrg, &target,
                     &source, nullptr, COLORONCOLOR)) {
    return FALSE;
  }
  at.sourceX = 0;
  at.sourceY = 0;
  return SendBitmap(pdev, image.get(), pxlo, at, 0, true);
}

BOOL DlCopyBits(PDEV* pdev, XLATEOBJ* pxlo, SURFOBJ* psoSrc, POINTL* pptlSrc, RECTL* prclDest) {
  if (psoSrc == nullptr || prclDest == nullptr) return FALSE;
  RECTL dest = bitmaps::Ordered(*prclDest);
  const LONG w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (w == 0 || h == 0) return TRUE;
  POINTL from = pptlSrc != nullptr ? *pptlSrc : POINTL{0, 0};
  const bool sameSize = psoSrc->sizlBitmap.cx == w && psoSrc->sizlBitmap.cy == h;
  if (!sameSize && psoSrc->iBitmapFormat == BMF_24BPP && ForcibleStretchBlt(pdev, psoSrc, &from, &dest) != nullptr) {
    return TRUE;
  }
  const bool convert = !sameSize || !bitmaps::SendsAsItIs(psoSrc) || from.x != 0 || from.y != 0;
  const Placement at{dest.left, dest.top, w, h, 0, 0};
  if (!convert) return SendBitmap(pdev, psoSrc, pxlo, at, 0, true);
  TempBitmap image(pdev, w, h, SentFormatOf(psoSrc->iBitmapFormat).intermediate);
  if (image.get() == nullptr) return FALSE;
  RECTL whole{0, 0, w, h};
  if (!EngCopyBits(image.get(), psoSrc, nullptr, ConversionXlate(pxlo, psoSrc), &whole, &from)) return FALSE;
  return SendBitmap(pdev, image.get(), pxlo, at, 0, true);
}
