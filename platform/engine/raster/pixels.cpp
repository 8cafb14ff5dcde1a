// Pixel access by bitmap format.
#include "platform/engine/raster/pixels.h"

#include <new>
#include <span>

#include "platform/engine/objects/eng_device.h"
#include "platform/engine/raster/run_length.h"

namespace plat::eng {

PixelView::PixelView(const SURFOBJ* pso) {
  if (pso == nullptr || pso->pvScan0 == nullptr) return;
  switch (pso->iBitmapFormat) {
    case BMF_1BPP: case BMF_4BPP: case BMF_8BPP: case BMF_16BPP: case BMF_24BPP: case BMF_32BPP:
      break;
    default:
      return;
  }
  scan0_ = static_cast<BYTE*>(pso->pvScan0);
  delta_ = pso->lDelta;
  cx_ = pso->sizlBitmap.cx;
  cy_ = pso->sizlBitmap.cy;
  format_ = pso->iBitmapFormat;
}

ULONG PixelView::Get(LONG x, LONG y) const {
  const BYTE* line = Line(y);
  switch (format_) {
    case BMF_1BPP:
      return (line[x >> 3] >> (7 - (x & 7))) & 1;
    case BMF_4BPP:
      return (x & 1) ? line[x >> 1] & 0x0F : line[x >> 1] >> 4;
    case BMF_8BPP:
      return line[x];
    case BMF_16BPP:
      return line[2 * x] | (line[2 * x + 1] << 8);
    case BMF_24BPP:
      return line[3 * x] | (line[3 * x + 1] << 8) | (static_cast<ULONG>(line[3 * x + 2]) << 16);
    case BMF_32BPP:
      return line[4 * x] | (line[4 * x + 1] << 8) | (static_cast<ULONG>(line[4 * x + 2]) << 16) |
             (static_cast<ULONG>(line[4 * x + 3]) << 24);
    default:
      return 0;
  }
}

void PixelView::Set(LONG x, LONG y, ULONG value) {
  BYTE* line = Line(y);
  switch (format_) {
    case BMF_1BPP: {
      const BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
      line[x >> 3] = static_cast<BYTE>((value & 1) ? line[x >> 3] | bit : line[x >> 3] & ~bit);
      break;
    }
    case BMF_4BPP:
      line[x >> 1] = static_cast<BYTE>((x & 1) ? (line[x >> 1] & 0xF0) | (value & 0x0F)
                                               : (line[x >> 1] & 0x0F) | ((value & 0x0F) << 4));
      break;
    case BMF_8BPP:
      line[x] = static_cast<BYTE>(value);
      break;
    case BMF_16BPP:
      line[2 * x] = static_cast<BYTE>(value);
      line[2 * x + 1] = static_cast<BYTE>(value >> 8);
      break;
    case BMF_24BPP:
      line[3 * x] = static_cast<BYTE>(value);
      line[3 * x + 1] = static_cast<BYTE>(value >> 8);
      line[3 * x + 2] = static_cast<BYTE>(value >> 16);
      break;
    case BMF_32BPP:
      for (int i = 0; i < 4; ++i) line[4 * x + i] = static_cast<BYTE>(value >> (8 * i));
      break;
    default:
      break;
  }
}

SourcePixels::SourcePixels(const SURFOBJ* pso) {
  if (pso == nullptr) return;
  const ULONG format = DecodedFormat(pso->iBitmapFormat);
  if (format == 0) {
    view_ = PixelView(pso);
    return;
  }
  if (pso->pvBits == nullptr) return;
  const LONG cx = pso->sizlBitmap.cx, cy = pso->sizlBitmap.cy;
  const LONG delta = MinimumDelta(format, cx);
  try {
    decoded_.assign(static_cast<std::size_t>(delta) * static_cast<std::size_t>(cy), 0);
  } catch (const std::bad_alloc&) {
    return;
  }
  const std::span<const BYTE> stream(static_cast<const BYTE*>(pso->pvBits), pso->cjBits);
  if (DecodeRunLength(pso->iBitmapFormat, stream, cx, cy, decoded_, delta) == RunLengthEnd::kBadArguments) return;
  view_ = PixelView(decoded_.data(), delta, cx, cy, format);
}

}  // namespace plat::eng
