#include "features/stamp/preview_geometry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "platform/runtime/winmath.h"

namespace {

constexpr LONG kWatermarkFullDensity = 100;
constexpr LONG kCopyGuardFullDensity = 5;
// A scaled image side beyond this shows nothing more on a preview.
constexpr std::int64_t kMaxImageSide = 4096;

BYTE Grey(LONG density, LONG full) {
  const LONG clamped = std::clamp<LONG>(density, 0, full);
  return static_cast<BYTE>(MulDiv(255, full - clamped, full));
}

// One row per colour code: whether red, green and blue are full (else grey).
struct ColourRow {
  LONG code;
  bool red, green, blue;
};
constexpr std::array<ColourRow, 6> kColours = {{
    {1, true, false, false},
    {2, false, true, false},
    {3, false, false, true},
    {4, false, true, true},
    {5, true, false, true},
    {6, true, true, false},
}};

PREVIEWBOX Turn(const std::array<POINT, 5>& points, POINT centre, int angle) {
  const int a = RotationIndex(angle);
  PREVIEWBOX box{};
  for (std::size_t i = 0; i < points.size(); ++i) {
    const POINT p = RotatePoint({points[i].x - centre.x, points[i].y - centre.y}, a);
    box.pt[i] = {p.x + centre.x, p.y + centre.y};
  }
  return box;
}

}  // namespace

BYTE WatermarkGrey(LONG density) { return Grey(density, kWatermarkFullDensity); }

BYTE CopyGuardGrey(LONG density) { return Grey(density & 0xFF, kCopyGuardFullDensity); }

COLORREF PreviewColour(LONG code, BYTE grey) {
  const auto row = std::find_if(kColours.begin(), kColours.end(), [code](const ColourRow& r) { return r.code == code; });
  if (row == kColours.end()) return RGB(grey, grey, grey);
  const auto level = [grey](bool full) { return full ? BYTE{255} : grey; };
  return RGB(level(row->red), level(row->green), level(row->blue));
}

int PreviewAngle(LONG degrees) { return static_cast<int>(((degrees % 360) + 360) % 360); }

int RotationIndex(int angle) { return (360 - PreviewAngle(angle)) % 360; }

POINT RotatePoint(POINT p, int a) {
  const std::int64_t s = tblSinCos.tblSin[PreviewAngle(a)];
  const std::int64_t c = tblSinCos.tblCos[PreviewAngle(a)];
  // Integer division truncates toward zero, as the turn is defined.
  return {static_cast<LONG>((p.x * c - p.y * s) / 100), static_cast<LONG>((p.x * s + p.y * c) / 100)};
}

LONG ShorterSideInches(LONG lengthDots, LONG widthDots, LONG resolution) {
  if (resolution <= 0) return 0;
  return std::max<LONG>(std::min(lengthDots, widthDots), 0) / resolution;
}

LONG PreviewFontHeight(LONG points, LONG inches, LONG escapement) {
  if (inches <= 0) return 0;
  LONG height = MulDiv(points, 50, 72) / inches;
  if (height <= 2 && escapement != 0) {
    height = 3;
  } else if (height <= 1) {
    height = 2;
  }
  return std::min(height, kMaxPreviewTextHeight);
}

LONG InkWidth(LONG cx, const ABC* widths, std::size_t count) {
  if (widths == nullptr || count == 0) return cx;
  std::int64_t sum = 0;
  for (std::size_t i = 0; i < count; ++i) sum += std::int64_t{widths[i].abcA} + widths[i].abcB + widths[i].abcC;
  if (widths[0].abcA < 0) sum += -std::int64_t{widths[0].abcA};
  if (count > 1 && widths[count - 1].abcC < 0) sum += -std::int64_t{widths[count - 1].abcC};
  return static_cast<LONG>(std::max<std::int64_t>(cx, std::min<std::int64_t>(sum, 0x7FFFFFFF)));
}

PREVIEWBOX TurnedBox(LONG cx, LONG cy, POINT origin, int angle) {
  PREVIEWBOX box = Turn({POINT{0, 0}, {0, cy}, {cx, cy}, {cx, 0}, origin}, {0, 0}, angle);
  LONG minX = 0xFFFF, minY = 0xFFFF;
  for (const POINT& p : box.pt) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
  }
  for (POINT& p : box.pt) {
    p.x -= minX;
    p.y -= minY;
    box.width = std::max(box.width, p.x);
    box.height = std::max(box.height, p.y);
  }
  return box;
}

PREVIEWBOX CircledBox(LONG cx, LONG cy, POINT origin, int angle) {
  const LONG side = std::max(cx, cy) + 12;
  const LONG half = side / 2;
  const POINT p0{half - cx / 2, half - cy / 2};
  PREVIEWBOX box = Turn({p0, {p0.x, p0.y + cy}, {p0.x + cx, p0.y + cy}, {p0.x + cx, p0.y}, {p0.x + origin.x, p0.y + origin.y}},
                        {half, half}, angle);
  box.width = side;
  box.height = side;
  return box;
}

POINT PlaceBox(LONG position, SIZE bitmap, SIZE box) {
  const LONG centreX = bitmap.cx / 2 - box.cx / 2;
  const LONG centreY = bitmap.cy / 2 - box.cy / 2;
  switch (position) {
    case 0: return {centreX, centreY};
    case 2: return {centreX, 0};
    case 4: return {bitmap.cx - box.cx, 0};
    case 8: return {0, bitmap.cy - box.cy};
    case 16: return {centreX, bitmap.cy - box.cy};
    case 32: return {bitmap.cx - box.cx, bitmap.cy - box.cy};
    default: return {0, 0};
  }
}

POINT WatermarkAnchor(const RECT& page, SIZE bitmap) {
  return {(page.left + page.right) / 2 - bitmap.cx / 2 - 1,
          (page.top + page.bottom) / 2 - bitmap.cy / 2 + (bitmap.cx < bitmap.cy ? -2 : -3)};
}

POINT CopyGuardAnchor(const RECT& page, SIZE bitmap) {
  return {(page.left + page.right) / 2 - bitmap.cx / 2 - 2,
          (page.top + page.bottom) / 2 - bitmap.cy / 2 + (bitmap.cx < bitmap.cy ? -2 : -1)};
}

LONG ScaledImageSide(LONG side, LONG scale, LONG resolution, LONG shorterSide) {
  if (side <= 0 || shorterSide <= 0) return 0;
  // Each step is kept within what the next can multiply without overflow.
  std::int64_t scaled = std::clamp<std::int64_t>(std::int64_t{side} * scale / 100, -0x7FFFFFFF, 0x7FFFFFFF);
  scaled = scaled * (resolution / 100);
  scaled = std::clamp<std::int64_t>(scaled, -kMaxImageSide * shorterSide, kMaxImageSide * shorterSide);
  scaled = scaled * 50 / shorterSide;
  return static_cast<LONG>(std::clamp<std::int64_t>(scaled, 1, kMaxImageSide));
}
