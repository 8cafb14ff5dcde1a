// Bitmaps as GDI keeps them, and the engine bitmaps that the engine's raster
// core draws on for the length of one call. Every pixel GDI draws goes
// through engine/raster/ over these bits. Internal to platform/gdi/.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/wintypes.h"
#include "platform/engine/objects/eng_device.h"

namespace plat::gdi {

// A bitmap's pixels in DIB layout: lines padded to whole 32-bit words,
// bottom-up unless topDown, with the colour table (COLORREFs) of a bitmap
// of 8 bits per pixel or fewer. The bits never move once made, so that a
// DIB section can hand out their address.
struct Bitmap {
  LONG width = 0;
  LONG height = 0;
  WORD bitsPerPixel = 32;
  bool topDown = true;
  bool dibSection = false;
  std::vector<COLORREF> colors;
  std::vector<BYTE> bits;

  LONG Stride() const { return ((width * bitsPerPixel + 31) / 32) * 4; }
};

// A zeroed bitmap; null for an empty or huge size or a depth other than 1,
// 4, 8, 16, 24 or 32. Bitmaps of 8 bits or fewer get a grey ramp of colours
// (black and white for one bit) until their table is set.
std::shared_ptr<Bitmap> MakeBitmap(LONG width, LONG height, WORD bitsPerPixel, bool topDown);

// The engine's palette of a bitmap: its colour table, 5-5-5 bit fields at
// 16 bits, blue-green-red at 24 and 32.
plat::eng::Palette EnginePalette(const Bitmap& bitmap);

// An engine bitmap over a GDI bitmap's bits for the length of one call.
class EngineSurface {
 public:
  explicit EngineSurface(Bitmap& bitmap);
  ~EngineSurface();
  EngineSurface(const EngineSurface&) = delete;
  EngineSurface& operator=(const EngineSurface&) = delete;
  SURFOBJ* get() const { return so_; }

 private:
  HSURF handle_ = nullptr;
  SURFOBJ* so_ = nullptr;
};

}  // namespace plat::gdi
