#include "ui/bitmaps/palette256.h"

#include <array>
#include <mutex>

#include "platform/window/winuser.h"

namespace {

constexpr COLORREF kProbe = RGB(0x33, 0x33, 0xFF);

struct Palette256 {
  std::mutex lock;
  std::array<PALETTEENTRY, 256> entries{};
  HPALETTE made = nullptr;  // the last palette selected; replaced when it is free
};

Palette256& Kept() {
  static Palette256* kept = new Palette256;  // lives as long as the process
  return *kept;
}

bool PaletteDisplay() {
  static const bool palette = [] {
    const HDC screen = GetDC(nullptr);
    if (screen == nullptr) return false;
    const bool differs = GetNearestColor(screen, kProbe) != kProbe;
    ReleaseDC(nullptr, screen);
    return differs;
  }();
  return palette;
}

HPALETTE SelectKept(Palette256& kept, HDC dc) {
  std::array<BYTE, sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY)> bytes{};
  auto* logical = reinterpret_cast<LOGPALETTE*>(bytes.data());
  logical->palVersion = kLogPaletteVersion;
  logical->palNumEntries = 256;
  for (std::size_t i = 0; i < kept.entries.size(); ++i) logical->palPalEntry[i] = kept.entries[i];
  const HPALETTE made = CreatePalette(logical);
  if (made == nullptr) return nullptr;
  const HPALETTE old = SelectPalette(dc, made, FALSE);
  if (old == nullptr) {
    DeleteObject(made);
    return nullptr;
  }
  RealizePalette(dc);
  // The previous palette goes when no DC holds it any more.
  if (kept.made != nullptr && kept.made != old) DeleteObject(kept.made);
  kept.made = made;
  return old;
}

}  // namespace

LONG_PTR MakePalette256On(bool paletteDisplay, HDC dc, int index, COLORREF colour) {
  if (dc == nullptr) return paletteDisplay ? 1 : 0;
  if (!paletteDisplay || index > 255) return 0;
  Palette256& kept = Kept();
  std::lock_guard guard(kept.lock);
  if (index >= 0) {
    kept.entries[static_cast<std::size_t>(index)] = PALETTEENTRY{GetRValue(colour), GetGValue(colour), GetBValue(colour), 0};
    return 1;
  }
  return reinterpret_cast<LONG_PTR>(SelectKept(kept, dc));
}

LONG_PTR MakePalette256(HDC dc, int index, COLORREF colour) {
  return MakePalette256On(PaletteDisplay(), dc, index, colour);
}
