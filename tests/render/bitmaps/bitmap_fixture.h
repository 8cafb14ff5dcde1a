// The bitmap tests' pieces: engine bitmaps whose bits lie in a heap block of
// exactly their size (so that a read past them is caught), translations
// from an indexed palette to the device's, and clips of a given kind.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/engraster.h"
#include "tests/render/records/record_fixture.h"

namespace render_test {

// An engine bitmap of its own bits; top-down unless told otherwise.
class TestBitmap {
 public:
  TestBitmap(LONG width, LONG height, ULONG format, bool topDown = true, LONG lineBytes = 0) {
    const LONG minimum = MinimumLine(format, width);
    delta_ = lineBytes > minimum ? lineBytes : minimum;
    bytes_ = static_cast<std::size_t>(delta_) * static_cast<std::size_t>(height);
    bits_ = std::make_unique<BYTE[]>(bytes_ == 0 ? 1 : bytes_);
    std::memset(bits_.get(), 0, bytes_);
    handle_ = reinterpret_cast<HSURF>(
        EngCreateBitmap(SIZEL{width, height}, delta_, format, topDown ? BMF_TOPDOWN : 0, bits_.get()));
    so_ = handle_ != nullptr ? EngLockSurface(handle_) : nullptr;
  }
  ~TestBitmap() {
    if (so_ != nullptr) EngUnlockSurface(so_);
    if (handle_ != nullptr) EngDeleteSurface(handle_);
  }
  TestBitmap(const TestBitmap&) = delete;
  TestBitmap& operator=(const TestBitmap&) = delete;

  SURFOBJ* so() const { return so_; }
  // The first byte of line y in display order.
  BYTE* Line(LONG y) const { return static_cast<BYTE*>(so_->pvScan0) + static_cast<std::ptrdiff_t>(y) * so_->lDelta; }
  // Every byte numbered, so that lines and places can be told apart.
  TestBitmap& Numbered() {
    for (std::size_t i = 0; i < bytes_; ++i) bits_[i] = static_cast<BYTE>(i * 7 + 3);
    return *this;
  }
  static LONG MinimumLine(ULONG format, LONG width) {
    static constexpr ULONG kBits[] = {0, 1, 4, 8, 16, 24, 32};
    const ULONG bits = format < 7 ? kBits[format] : 8;
    return static_cast<LONG>((static_cast<ULONG>(width) * bits + 31) / 32 * 4);
  }

 private:
  std::unique_ptr<BYTE[]> bits_;
  std::size_t bytes_ = 0;
  LONG delta_ = 0;
  HSURF handle_ = nullptr;
  SURFOBJ* so_ = nullptr;
};

// A run-length bitmap (BMF_4RLE or BMF_8RLE) over its own copy of the
// stream, in a heap block of exactly its size.
class RunLengthBitmap {
 public:
  RunLengthBitmap(LONG width, LONG height, ULONG format, const std::vector<BYTE>& stream)
      : bits_(std::make_unique<BYTE[]>(stream.size())) {
    std::copy(stream.begin(), stream.end(), bits_.get());
    handle_ = reinterpret_cast<HSURF>(
        EngCreateBitmap(SIZEL{width, height}, static_cast<LONG>(stream.size()), format, 0, bits_.get()));
    so_ = handle_ != nullptr ? EngLockSurface(handle_) : nullptr;
  }
  ~RunLengthBitmap() {
    if (so_ != nullptr) EngUnlockSurface(so_);
    if (handle_ != nullptr) EngDeleteSurface(handle_);
  }
  RunLengthBitmap(const RunLengthBitmap&) = delete;
  RunLengthBitmap& operator=(const RunLengthBitmap&) = delete;
  SURFOBJ* so() const { return so_; }

 private:
  std::unique_ptr<BYTE[]> bits_;
  HSURF handle_ = nullptr;
  SURFOBJ* so_ = nullptr;
};

// A translation from an indexed palette of these RGB colours to the
// device's 24-bit colours.
inline std::unique_ptr<plat::eng::Xlate> ToDevice(std::vector<ULONG> colors) {
  return std::make_unique<plat::eng::Xlate>(plat::eng::Palette::Indexed(std::move(colors)), plat::eng::Palette::Bgr());
}

// A grey ramp of n entries.
inline std::vector<ULONG> GreyRamp(ULONG n) {
  std::vector<ULONG> out;
  for (ULONG i = 0; i < n; ++i) out.push_back(i * 255 / (n - 1) * 0x010101);
  return out;
}

enum class ClipKind { kNone, kRect, kComplex };

// A clip of the kind for drawings within bounds: none, one rectangle, or a
// region of rects rectangles side by side.
inline plat::eng::Clip MakeClip(ClipKind kind, const RECTL& bounds, ULONG uniq, int rects = 2) {
  if (kind == ClipKind::kNone) return plat::eng::Clip::Trivial(bounds);
  if (kind == ClipKind::kRect) {
    return plat::eng::Clip::Region({{bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1}}, bounds,
                                   uniq);
  }
  std::vector<RECTL> region;
  for (int i = 0; i < rects; ++i) region.push_back({bounds.left + 2 * i, bounds.top, bounds.left + 2 * i + 1, bounds.bottom});
  return plat::eng::Clip::Region(std::move(region), bounds, uniq);
}

}  // namespace render_test
