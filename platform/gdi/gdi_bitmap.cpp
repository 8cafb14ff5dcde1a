// GDI bitmaps and their engine surfaces.
#include "platform/gdi/gdi_bitmap.h"

#include <limits>

#include "platform/engine/objects/surfobj.h"

namespace plat::gdi {
namespace {

// Most bytes one bitmap may hold: larger requests fail as Windows' do when
// memory runs out, instead of taking the machine's.
constexpr std::size_t kMaxBitmapBytes = std::size_t{256} << 20;

ULONG EngineFormat(WORD bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return BMF_1BPP;
    case 4: return BMF_4BPP;
    case 8: return BMF_8BPP;
    case 16: return BMF_16BPP;
    case 24: return BMF_24BPP;
    case 32: return BMF_32BPP;
    default: return 0;
  }
}

std::vector<COLORREF> DefaultColors(WORD bitsPerPixel) {
  if (bitsPerPixel > 8) return {};
  const ULONG count = 1u << bitsPerPixel;
  std::vector<COLORREF> colors(count);
  for (ULONG i = 0; i < count; ++i) {
    const ULONG level = i * 255 / (count - 1);
    colors[i] = level | (level << 8) | (level << 16);
  }
  return colors;
}

}  // namespace

std::shared_ptr<Bitmap> MakeBitmap(LONG width, LONG height, WORD bitsPerPixel, bool topDown) {
  if (width <= 0 || height <= 0 || EngineFormat(bitsPerPixel) == 0 || width > 0x7FFFFF) return nullptr;
  auto bitmap = std::make_shared<Bitmap>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bitsPerPixel = bitsPerPixel;
  bitmap->topDown = topDown;
  const std::size_t bytes = static_cast<std::size_t>(bitmap->Stride()) * static_cast<std::size_t>(height);
  if (bytes / static_cast<std::size_t>(height) != static_cast<std::size_t>(bitmap->Stride()) || bytes > kMaxBitmapBytes) {
    return nullptr;
  }
  bitmap->bits.assign(bytes, 0);
  bitmap->colors = DefaultColors(bitsPerPixel);
  return bitmap;
}

plat::eng::Palette EnginePalette(const Bitmap& bitmap) {
  if (bitmap.bitsPerPixel <= 8) return plat::eng::Palette::Indexed({bitmap.colors.begin(), bitmap.colors.end()});
  if (bitmap.bitsPerPixel == 16) {
    plat::eng::Palette fields;
    fields.mode = PAL_BITFIELDS;
    fields.masks = {0x7C00, 0x03E0, 0x001F};
    return fields;
  }
  return plat::eng::Palette::Bgr();
}

EngineSurface::EngineSurface(Bitmap& bitmap) {
  if (bitmap.bits.empty()) return;
  handle_ = reinterpret_cast<HSURF>(EngCreateBitmap(SIZEL{bitmap.width, bitmap.height}, bitmap.Stride(),
                                                    EngineFormat(bitmap.bitsPerPixel),
                                                    bitmap.topDown ? BMF_TOPDOWN : 0, bitmap.bits.data()));
  if (handle_ != nullptr) so_ = EngLockSurface(handle_);
}

EngineSurface::~EngineSurface() {
  if (so_ != nullptr) EngUnlockSurface(so_);
  if (handle_ != nullptr) EngDeleteSurface(handle_);
}

}  // namespace plat::gdi
