#include "ui/bitmaps/adjust_color.h"

#include <algorithm>

#include "settings/values/setting_value.h"

namespace {

constexpr int kNeutral = 50;
constexpr WORD kFirstSetting = 138;  // kdmBrightness; contrast, saturation and the shifts follow
constexpr int kSettingNeutral = 0;   // the settings run from -50 to 50

int Clamp(int v) { return std::clamp(v, 0, 255); }

// The step a non-neutral brightness or saturation value s gives: -75 at 0,
// +75 at 100.
int Step(int s) { return (3 * s - 150) / 2; }

// Saturation stretches (above 50) or shrinks (below) each channel's
// distance from the luminance by its step in per cent.
int Scale(int value, int centre, int s) { return centre + (value - centre) * (100 + Step(s)) / 100; }

}  // namespace

COLORREF AdjustColorBy(const ColourAdjustment& a, COLORREF colour, BOOL grey) {
  if (a == kNeutralAdjustment && !grey) return colour;
  int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  const int luminance = (30 * r + 59 * g + 11 * b) / 100;
  int adjusted = luminance;
  if (a[0] != kNeutral) adjusted = std::clamp(luminance + Step(a[0]), 0, 255);
  // Brightness moves the luminance and every channel with it; saturation
  // scales each channel's distance from it.
  const int shift = adjusted - luminance;
  r += shift;
  g += shift;
  b += shift;
  if (a[2] != kNeutral) {
    r = Scale(r, adjusted, a[2]);
    g = Scale(g, adjusted, a[2]);
    b = Scale(b, adjusted, a[2]);
  }
  if (grey) {
    r = g = b = adjusted;
  } else {
    r += a[3] - kNeutral;
    g += a[4] - kNeutral;
    b += a[5] - kNeutral;
  }
  if (a[1] != kNeutral) {
    const int c = a[1];
    r = (2 * c + 156) * r / 256 - c + kNeutral;
    g = (2 * c + 156) * g / 256 - c + kNeutral;
    b = (2 * c + 156) * b / 256 - c + kNeutral;
  }
  return RGB(static_cast<BYTE>(Clamp(r)), static_cast<BYTE>(Clamp(g)), static_cast<BYTE>(Clamp(b)));
}

COLORREF AdjustColor(UCB* ucb, COLORREF colour, BOOL grey) {
  ColourAdjustment a = kNeutralAdjustment;
  for (std::size_t i = 0; i < a.size() && ucb != nullptr; ++i) {
    SFCB* sfcb = nullptr;
    const LONG_PTR value = GetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(kFirstSetting + i), &sfcb);
    if (sfcb != nullptr) a[i] = static_cast<int>(std::clamp<LONG_PTR>(value - kSettingNeutral + kNeutral, 0, 100));
  }
  return AdjustColorBy(a, colour, grey);
}
