// Feeds random bitmaps, rectangles and clip regions to the rendering
// library's bit-block calls through the print host, which loads the built
// library as its printer driver. The input is {depth (1 byte: 1, 4, 8 or
// 24 after taking it modulo 4; bit 0x80 makes a 4- or 8-bit picture
// compressed, its pixels then a run-length stream for at most 65,536
// pixels), width and height (2 bytes each), placement
// (4 x 2 bytes: left, top, right, bottom in twips, signed), clip rectangle
// count (2 bytes, at most 4096), palette size (1 byte)}, then the clip
// rectangles (4 x 2 bytes each), the palette (4 bytes an entry) and the
// pixels; the pixels run short or long as the input gives them. A
// placement whose right equals its left draws the picture at its own size
// (DrvBitBlt); any other stretches it (DrvStretchBlt), kept small so that
// an input draws few pixels: its right and bottom come within 2048 twips
// of its left and top (their distance from them divided by 16, a non-zero
// one never to nothing). The printer is the
// sample printer of kesmprint. The input is one page of a document kept
// open; it prints or fails cleanly, and nothing may stay allocated. Seeds: fuzz/corpus/drv_bitblt/.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "fuzz/fuzz_support.h"
#include "fuzz/sample_host.h"
#include "tools/printhost/print_host.h"

namespace {

constexpr std::size_t kHead = 1 + 2 + 2 + 8 + 2 + 1;
constexpr int kDepths[] = {1, 4, 8, 24};
constexpr std::size_t kMaxClipRects = 4096;
constexpr std::uint8_t kCompressed = 0x80;
constexpr std::int64_t kMaxCompressedPixels = std::int64_t{1} << 16;
constexpr LONG kStretchShrink = 16;

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  std::uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
  std::int16_t I16() { return static_cast<std::int16_t>(U8() | U8() << 8); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | U8() << 8); }
  std::uint32_t U32() { return U16() | static_cast<std::uint32_t>(U16()) << 16; }
  const uint8_t* rest() const { return data_ + at_; }
  std::size_t left() const { return size_ - at_; }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// value moved to a sixteenth of its distance from from, keeping its side.
LONG Near(LONG from, LONG value) {
  const LONG offset = (value - from) / kStretchShrink;
  return from + (offset != 0 ? offset : (value > from) - (value < from));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHead || size > (1 << 20)) return 0;
  fuzz::SampleHost& host = fuzz::TheSampleHost();
  Input in(data, size);
  printhost::Image image;
  const std::uint8_t depth = in.U8();
  image.bitsPerPixel = kDepths[depth % 4];
  image.compressed = (depth & kCompressed) != 0 && (image.bitsPerPixel == 4 || image.bitsPerPixel == 8);
  image.width = in.U16();
  image.height = in.U16();
  // A short stream may stand for a huge picture, and the driver converts a
  // picture at its own size: a compressed one is kept to 65,536 pixels, so
  // that an input converts few pixels.
  if (image.compressed && std::int64_t{image.width} * image.height > kMaxCompressedPixels) return 0;
  RECT dest{in.I16(), in.I16(), in.I16(), in.I16()};
  dest.right = Near(dest.left, dest.right);
  dest.bottom = Near(dest.top, dest.bottom);
  const std::size_t clipCount = in.U16() % (kMaxClipRects + 1);
  const std::size_t paletteSize = in.U8();
  printhost::Clip clip;
  for (std::size_t i = 0; i < clipCount && in.left() >= 8; ++i) clip.rects.push_back(RECT{in.I16(), in.I16(), in.I16(), in.I16()});
  for (std::size_t i = 0; i < paletteSize && in.left() >= 4; ++i) image.palette.push_back(in.U32() & 0xFFFFFF);
  image.rows.assign(in.rest(), in.rest() + in.left());

  printhost::Page page;
  if (!clip.rects.empty()) page.commands.push_back(clip);
  page.commands.push_back(printhost::Picture{image, dest});
  host.PrintPage(page);
  return 0;
}
