// Pixel access to engine bitmaps in every uncompressed format, for the
// engine's raster operations. Internal to the engine.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/engine/objects/surfobj.h"

namespace plat::eng {

// A bitmap's pixels. Values are colour indexes of the bitmap's format: a
// palette index for 1, 4 and 8 bits per pixel, the pixel's bits otherwise
// (0x00RRGGBB, blue in the low byte, for 24 and 32 bits).
class PixelView {
 public:
  PixelView() = default;
  // An invalid view for a surface without bits or of a compressed format.
  explicit PixelView(const SURFOBJ* pso);
  // A view of lines the caller owns, in an uncompressed format.
  PixelView(BYTE* scan0, LONG delta, LONG cx, LONG cy, ULONG format)
      : scan0_(scan0), delta_(delta), cx_(cx), cy_(cy), format_(format) {}

  bool valid() const { return scan0_ != nullptr; }
  LONG width() const { return cx_; }
  LONG height() const { return cy_; }
  ULONG format() const { return format_; }
  bool Inside(LONG x, LONG y) const { return x >= 0 && y >= 0 && x < cx_ && y < cy_; }

  // Reads and writes one pixel; the caller keeps to the bitmap.
  ULONG Get(LONG x, LONG y) const;
  void Set(LONG x, LONG y, ULONG value);
  // Writes value to pixels [left, right) of line y, whole bytes at a time
  // where the format allows; the caller keeps to the bitmap.
  void Fill(LONG y, LONG left, LONG right, ULONG value);
  // Reads the pixels of line y at the columns given (each inside the
  // bitmap) into out, one for each column.
  void ReadColumns(LONG y, const LONG* columns, std::size_t count, ULONG* out) const;
  // Writes values to pixels [left, left + count) of line y, each as Set
  // writes it; the caller keeps to the bitmap.
  void WriteRow(LONG y, LONG left, const ULONG* values, std::size_t count);

 private:
  BYTE* Line(LONG y) const { return scan0_ + static_cast<std::ptrdiff_t>(y) * delta_; }

  BYTE* scan0_ = nullptr;
  LONG delta_ = 0;
  LONG cx_ = 0;
  LONG cy_ = 0;
  ULONG format_ = 0;
};

// The pixels of a bitmap to read from: its own, or for a run-length bitmap
// a decoded copy in the matching uncompressed format (index 0 where the
// stream leaves a pixel out). Invalid when there is nothing to read or no
// memory for the copy.
class SourcePixels {
 public:
  explicit SourcePixels(const SURFOBJ* pso);
  SourcePixels(const SourcePixels&) = delete;
  SourcePixels& operator=(const SourcePixels&) = delete;
  const PixelView& view() const { return view_; }

 private:
  std::vector<BYTE> decoded_;
  PixelView view_;
};

// The intersection of two rectangles (empty when they do not meet).
inline RECTL Intersect(const RECTL& a, const RECTL& b) {
  RECTL r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}
inline bool IsEmpty(const RECTL& r) { return r.left >= r.right || r.top >= r.bottom; }
// The rectangle with its edges in order (left <= right, top <= bottom).
inline RECTL Ordered(const RECTL& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

}  // namespace plat::eng
