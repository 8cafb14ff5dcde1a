// Brushes and their realization by the driver.
#include <new>

#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/pixels.h"

namespace plat::eng {

const BYTE kHatchPatterns[HS_DDI_MAX][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

Brush::Brush() : BRUSHOBJ{} {}

Brush::~Brush() {
  if (ownPattern_ != nullptr) EngDeleteSurface(ownPattern_);
}

std::unique_ptr<Brush> Brush::Solid(ULONG colorIndex, ULONG rgb) {
  auto brush = std::unique_ptr<Brush>(new Brush);
  brush->iSolidColor = colorIndex;
  brush->rgb_ = rgb;
  return brush;
}

std::unique_ptr<Brush> Brush::Hatch(ULONG style, const Palette& target, ULONG foreRgb,
                                    ULONG backRgb) {
  auto brush = std::unique_ptr<Brush>(new Brush);
  brush->iSolidColor = 0xFFFFFFFF;
  brush->hatch_ = style < HS_DDI_MAX ? style : HS_HORIZONTAL;
  HBITMAP bitmap = EngCreateBitmap(SIZEL{8, 8}, 4, BMF_1BPP, BMF_TOPDOWN, nullptr);
  if (bitmap == nullptr) return nullptr;
  brush->ownPattern_ = reinterpret_cast<HSURF>(bitmap);
  brush->pattern_ = EngLockSurface(brush->ownPattern_);
  EngUnlockSurface(brush->pattern_);  // the brush owns it; the lock count stays balanced
  auto* bits = static_cast<BYTE*>(brush->pattern_->pvScan0);
  for (int row = 0; row < 8; ++row) bits[row * 4] = kHatchPatterns[brush->hatch_][row];
  brush->xlate_ = std::make_unique<Xlate>(Palette::Indexed({backRgb, foreRgb}), target);
  return brush;
}

std::unique_ptr<Brush> Brush::Pattern(SURFOBJ* pattern, std::unique_ptr<Xlate> xlate) {
  auto brush = std::unique_ptr<Brush>(new Brush);
  brush->iSolidColor = 0xFFFFFFFF;
  brush->pattern_ = pattern;
  brush->xlate_ = std::move(xlate);
  return brush;
}

ULONG Brush::IndexAt(LONG x, LONG y, POINTL origin) const {
  if (pattern_ == nullptr) return iSolidColor;
  PixelView view(pattern_);
  if (!view.valid() || view.width() == 0 || view.height() == 0) return 0;
  auto wrap = [](LONG v, LONG n) { return ((v % n) + n) % n; };
  const ULONG index = view.Get(wrap(x - origin.x, view.width()), wrap(y - origin.y, view.height()));
  return xlate_ ? xlate_->Translate(index) : index;
}

PVOID Brush::Allocate(ULONG bytes) {
  if (bytes == 0) return nullptr;
  const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  storage_.reset(new (std::nothrow) std::max_align_t[units]);
  return storage_.get();
}

PVOID Brush::Realization() {
  if (pvRbrush != nullptr || pattern_ == nullptr || target_ == nullptr || realizing_) {
    return pvRbrush;
  }
  Surface* target = SurfaceOf(target_);
  if (target == nullptr || target->device == nullptr) return nullptr;
  using RealizeFn = BOOL (*)(BRUSHOBJ*, SURFOBJ*, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG);
  auto realize = target->device->Function<RealizeFn>(INDEX_DrvRealizeBrush);
  if (realize == nullptr) return nullptr;
  realizing_ = true;
  ++realizations_;
  const BOOL ok = realize(this, target_, pattern_, nullptr, xlate_.get(), hatch_);
  realizing_ = false;
  pvRbrush = ok ? storage_.get() : nullptr;
  return pvRbrush;
}

}  // namespace plat::eng

PVOID BRUSHOBJ_pvAllocRbrush(BRUSHOBJ* pbo, ULONG cj) {
  return pbo == nullptr ? nullptr : static_cast<plat::eng::Brush*>(pbo)->Allocate(cj);
}

PVOID BRUSHOBJ_pvGetRbrush(BRUSHOBJ* pbo) {
  return pbo == nullptr ? nullptr : static_cast<plat::eng::Brush*>(pbo)->Realization();
}

ULONG BRUSHOBJ_ulGetBrushColor(BRUSHOBJ* pbo) {
  if (pbo == nullptr) return 0xFFFFFFFF;
  auto* brush = static_cast<plat::eng::Brush*>(pbo);
  return brush->solid() ? brush->rgb() : 0xFFFFFFFF;
}
