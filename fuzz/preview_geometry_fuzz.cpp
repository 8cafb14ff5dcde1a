// Feeds the watermark and copy-guard previews' arithmetic the values a
// stored watermark may hold (they come from INI and set files, so any):
// an input is up to twelve little-endian 32-bit values (missing ones are
// 0): text width, text height, angle, density, size in points, paper
// length, paper width and resolution in dots, position code, image side,
// image scale, and the first character's A width. Every box must hold
// its points, every index stay in its table and every level in its range.
// The seeds (fuzz/corpus/preview_geometry/) are an unturned, a quarter-
// turned and a hostile entry.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "features/stamp/preview_geometry.h"

namespace {

LONG Take(const std::uint8_t* data, std::size_t size, std::size_t index) {
  std::uint32_t v = 0;
  if (size >= (index + 1) * 4) std::memcpy(&v, data + index * 4, 4);
  return static_cast<LONG>(v);
}

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckBox(const PREVIEWBOX& box) {
  Check(box.width >= 0 && box.height >= 0);
  for (const POINT& p : box.pt) Check(p.x >= 0 && p.y >= 0 && p.x <= box.width && p.y <= box.height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A measured text is never wider or taller than this many pixels: the
  // font height is bounded and a stored text holds at most 64 characters.
  constexpr LONG kMaxText = kMaxPreviewTextHeight * 64;
  const LONG cx = std::labs(Take(data, size, 0)) % kMaxText;
  const LONG cy = std::labs(Take(data, size, 1)) % kMaxText;
  const LONG angle = Take(data, size, 2);
  const LONG density = Take(data, size, 3);
  const LONG points = Take(data, size, 4);
  const LONG inches = ShorterSideInches(Take(data, size, 5), Take(data, size, 6), Take(data, size, 7));
  Check(inches >= 0);
  const int a = PreviewAngle(angle);
  Check(a >= 0 && a < 360);
  const int index = RotationIndex(a);
  Check(index >= 0 && index < 360);
  if (inches > 0) {
    const LONG height = PreviewFontHeight(points, inches, a * 10);
    Check(height >= 2 && height <= kMaxPreviewTextHeight);
  }
  (void)PreviewColour(Take(data, size, 8), WatermarkGrey(density));
  (void)PreviewColour(Take(data, size, 8), CopyGuardGrey(density));
  CheckBox(TurnedBox(cx, cy, {1, 5}, a));
  CheckBox(TurnedBox(cx, cy, {0, 0}, a));
  const PREVIEWBOX circled = CircledBox(cx, cy, {1, 5}, a);
  Check(circled.width == circled.height);
  const ABC widths[] = {{Take(data, size, 11) % 4096, static_cast<UINT>(cx), -3}};
  Check(InkWidth(cx, widths, 1) >= cx);
  const POINT at = PlaceBox(Take(data, size, 8), {48, 67}, {cx, cy});
  Check(at.x <= 48 && at.y <= 67);
  const LONG side = ScaledImageSide(Take(data, size, 9), Take(data, size, 10), Take(data, size, 7),
                                    std::min(Take(data, size, 5), Take(data, size, 6)));
  Check(side >= 0 && side <= 4096);
  return 0;
}
