// Text through the engine: TextOutW, ExtTextOutW, extents, metrics and ABC
// widths of the DC's font, realized as an engine TrueType font. In an open
// path bracket the text adds its glyph outlines to the path instead.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "platform/base/winerror.h"
#include "platform/engine/fonts/eng_string.h"
#include "platform/engine/raster/engraster.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/font_map.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/gdi_path.h"
#include "platform/gdi/text_draw.h"

namespace plat::gdi {

std::vector<GLYPHPOS> GlyphPositions(const Canvas& canvas, const RealFont& font, POINT at, std::u16string_view text,
                                     const int* dx, LONG* width) {
  const double radians = font.angle * std::numbers::pi / 180;
  const double ux = std::cos(radians), uy = -std::sin(radians);  // along the baseline, y down
  const POINT origin = canvas.ToDevice(at);
  const double baseX = origin.x + font.metrics.tmAscent * -uy, baseY = origin.y + font.metrics.tmAscent * ux;
  const std::vector<LONG> advances = Advances(font, text);
  std::vector<GLYPHPOS> positions;
  double along = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    GLYPHPOS gp{};
    gp.hg = font.font->GlyphOf(text[i]);
    gp.ptl = POINTL{static_cast<LONG>(std::lround(baseX + along * ux)), static_cast<LONG>(std::lround(baseY + along * uy))};
    positions.push_back(gp);
    along += dx != nullptr ? dx[i] : advances[i];
  }
  if (width != nullptr) *width = static_cast<LONG>(std::lround(along));
  return positions;
}

bool DrawString(const Canvas& canvas, SURFOBJ* surface, const RealFont& font, POINT at, std::u16string_view text,
                const int* dx, const RECT* opaque, const RECT* clipTo) {
  if (text.empty() && opaque == nullptr) return true;
  LONG width = 0;
  std::vector<GLYPHPOS> positions = GlyphPositions(canvas, font, at, text, dx, &width);
  const POINT origin = canvas.ToDevice(at);
  RECTL box{origin.x, origin.y, origin.x + width, origin.y + font.metrics.tmHeight};
  RECTL background = opaque != nullptr ? canvas.ToDevice(*opaque) : box;
  const bool fillBox = opaque != nullptr || (canvas.state.bkMode == OPAQUE && font.angle == 0);
  std::vector<RECTL> clipRects = canvas.clip;
  if (clipTo != nullptr) clipRects = IntersectSet(clipRects, canvas.ToDevice(*clipTo));
  plat::eng::Str str(*font.font, std::u16string(text), std::move(positions), 0, 0, box);
  plat::eng::Clip clip =
      plat::eng::Clip::Region(clipRects, RECTL{0, 0, canvas.bitmap->width, canvas.bitmap->height}, plat::eng::NewClipUniq());
  auto fore = SolidBrush(canvas, canvas.state.textColor);
  auto back = SolidBrush(canvas, canvas.state.bkColor);
  POINTL brushOrigin = BrushOrigin(canvas);
  constexpr MIX kCopy = (R2_COPYPEN << 8) | R2_COPYPEN;
  if (text.empty()) {
    return FillWith(canvas, surface, background, back.get(), 0xF0);
  }
  return EngTextOut(surface, &str, font.font, &clip, nullptr, fillBox ? &background : nullptr, fore.get(), back.get(),
                    &brushOrigin, kCopy) != FALSE;
}

const RealFont* FontOf(const Canvas& canvas) {
  const RealFont* font = RealizeFont(canvas.font.logfont);
  if (font == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return font;
}

std::u16string_view TextOf(LPCWSTR text, int count) {
  if (text == nullptr) return {};
  return count < 0 ? std::u16string_view(text) : std::u16string_view(text, static_cast<std::size_t>(count));
}

}  // namespace plat::gdi

namespace {

// Runs use(canvas, font) with the DC's realized font under the raster lock;
// TRUE when there is a font and use succeeds.
template <class Use>
BOOL WithFont(HDC dc, Use use) {
  plat::gdi::Canvas canvas;
  if (!plat::gdi::ResolveCanvas(dc, &canvas)) return FALSE;
  std::lock_guard guard(plat::gdi::RasterLock());
  const plat::gdi::RealFont* font = plat::gdi::FontOf(canvas);
  return font != nullptr && use(canvas, *font) ? TRUE : FALSE;
}

// Runs use(font) with the DC's realized font under the raster lock, for
// calls that measure and draw nothing; TRUE when there is a font and use
// succeeds.
template <class Use>
BOOL MeasureWithFont(HDC dc, Use use) {
  plat::gdi::GdiObject font;
  if (!plat::gdi::ResolveFont(dc, &font)) return FALSE;
  std::lock_guard guard(plat::gdi::RasterLock());
  const plat::gdi::RealFont* realized = plat::gdi::RealizeFont(font.logfont);
  if (realized == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return realized != nullptr && use(*realized) ? TRUE : FALSE;
}

// In an open path bracket: the outlines of the text's glyphs, where drawing
// would put their images, go into the DC's path (an opaque rectangle and
// the clip are not part of it). False when no bracket is open.
bool TextToPath(HDC dc, const char* call, std::initializer_list<LONG_PTR> args, POINT at, std::u16string_view text,
                const int* dx, BOOL* result) {
  return plat::gdi::AddedToPath(dc, call, args, false, [&](const plat::gdi::Canvas&, plat::eng::Path& outlines) {
    return WithFont(dc, [&](const plat::gdi::Canvas& canvas, const plat::gdi::RealFont& font) {
      for (const GLYPHPOS& gp : plat::gdi::GlyphPositions(canvas, font, at, text, dx, nullptr)) {
        const GLYPHDATA* glyph = font.font->Glyph(gp.hg, FO_PATHOBJ);
        if (glyph == nullptr || glyph->gdf.ppo == nullptr) continue;
        plat::gdi::AppendPath(outlines, *static_cast<const plat::eng::Path*>(glyph->gdf.ppo),
                              POINTFIX{LTOFX(gp.ptl.x), LTOFX(gp.ptl.y)}, false);
      }
      return true;
    });
  }, result);
}

}  // namespace

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int* dx) {
  if ((text == nullptr && count != 0) || ((options & (ETO_OPAQUE | ETO_CLIPPED)) != 0 && rect == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::u16string_view s = plat::gdi::TextOf(text, static_cast<int>(count));
  BOOL added = FALSE;
  if (TextToPath(dc, "ExtTextOutW", {x, y, static_cast<LONG_PTR>(options), static_cast<LONG_PTR>(count)}, POINT{x, y}, s,
                 dx, &added)) {
    return added;
  }
  const bool ok = WithFont(dc, [&](const plat::gdi::Canvas& canvas, const plat::gdi::RealFont& font) {
    plat::gdi::EngineSurface surface(*canvas.bitmap);
    return surface.get() != nullptr &&
           plat::gdi::DrawString(canvas, surface.get(), font, POINT{x, y}, s, dx, (options & ETO_OPAQUE) ? rect : nullptr,
                                 (options & ETO_CLIPPED) ? rect : nullptr);
  });
  if (!ok) return FALSE;
  plat::gdi::RecordGdiCall(dc, "ExtTextOutW", {x, y, static_cast<LONG_PTR>(options), static_cast<LONG_PTR>(count)});
  return TRUE;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  if (text == nullptr || count < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BOOL added = FALSE;
  if (TextToPath(dc, "TextOutW", {x, y, count}, POINT{x, y}, plat::gdi::TextOf(text, count), nullptr, &added)) {
    return added;
  }
  const bool ok = WithFont(dc, [&](const plat::gdi::Canvas& canvas, const plat::gdi::RealFont& font) {
    plat::gdi::EngineSurface surface(*canvas.bitmap);
    return surface.get() != nullptr && plat::gdi::DrawString(canvas, surface.get(), font, POINT{x, y},
                                                             plat::gdi::TextOf(text, count), nullptr, nullptr, nullptr);
  });
  if (!ok) return FALSE;
  plat::gdi::RecordGdiCall(dc, "TextOutW", {x, y, count});
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  if (size == nullptr || count < 0 || (text == nullptr && count > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return MeasureWithFont(dc, [&](const plat::gdi::RealFont& font) {
    *size = SIZE{plat::gdi::Extent(font, plat::gdi::TextOf(text, count)), font.metrics.tmHeight};
    return true;
  });
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  if (metrics == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return MeasureWithFont(dc, [&](const plat::gdi::RealFont& font) {
    *metrics = font.metrics;
    return true;
  });
}

BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* widths) {
  if (widths == nullptr || last < first || last > 0xFFFF) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return MeasureWithFont(dc, [&](const plat::gdi::RealFont& font) {
    for (UINT c = first; c <= last; ++c) {
      const GLYPHDATA* g = font.font->Glyph(font.font->GlyphOf(static_cast<WCHAR>(c)), FO_GLYPHBITS);
      if (g == nullptr) return false;
      // The ink's left edge from the origin, its width, and what is left of the advance.
      const int a = static_cast<int>(g->fxA >> 4);
      const int b = static_cast<int>((g->fxAB - g->fxA) >> 4);
      const int advance = static_cast<int>(plat::gdi::Extent(font, std::u16string(1, static_cast<char16_t>(c))));
      widths[c - first] = ABC{a, static_cast<UINT>(b), advance - a - b};
    }
    return true;
  });
}

int GetTextFaceW(HDC dc, int count, LPWSTR face) {
  int copied = 0;
  MeasureWithFont(dc, [&](const plat::gdi::RealFont& font) {
    if (face == nullptr) {
      copied = static_cast<int>(font.family.size()) + 1;
      return true;
    }
    if (count <= 0) return false;
    const int n = std::min<int>(count - 1, static_cast<int>(font.family.size()));
    std::copy_n(font.family.begin(), n, face);
    face[n] = 0;
    copied = n;
    return true;
  });
  return copied;
}
