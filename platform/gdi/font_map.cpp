// Realizing logical fonts through the engine's FreeType fonts.
#include "platform/gdi/font_map.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "platform/engine/fonts/font_files.h"

namespace plat::gdi {
namespace {

// The families the system draws with, in enumeration order.
constexpr const char16_t* kFamilies[] = {u"DejaVu Sans", u"DejaVu Sans Mono", u"DejaVu Serif"};
constexpr const char16_t* kFallbackFamily = u"DejaVu Sans";
// The cell height of a logical font that asks for none.
constexpr double kDefaultCellHeight = 16;

std::u16string FaceOf(const LOGFONTW& font) {
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && font.lfFaceName[i] != 0; ++i) face.push_back(font.lfFaceName[i]);
  if (!face.empty() && face.front() == u'@') face.erase(0, 1);  // the vertical face of a family
  return face;
}

using Key = std::tuple<std::u16string, bool, long, long>;

struct FontCache {
  std::mutex lock;
  std::map<Key, std::unique_ptr<plat::eng::Font>> fonts;
  std::map<Key, RealFont> real;
};

FontCache& Cache() {
  static auto* cache = new FontCache;  // realizations live as long as the process
  return *cache;
}

plat::eng::Font* Realized(FontCache& cache, const std::u16string& family, const std::filesystem::path& file,
                          bool bold, double em, double angle) {
  const Key key{family, bold, std::lround(em * 64), std::lround(angle * 64)};
  auto it = cache.fonts.find(key);
  if (it != cache.fonts.end()) return it->second.get();
  auto font = plat::eng::Font::Realize(file, em, angle, 96);
  if (font == nullptr) return nullptr;
  return cache.fonts.emplace(key, std::move(font)).first->second.get();
}

TEXTMETRICW MetricsOf(plat::eng::Font& font, const LOGFONTW& logical, bool bold) {
  IFIMETRICS* ifi = font.Metrics();
  const double scale = font.emPixels() / ifi->fwdUnitsPerEm;
  TEXTMETRICW tm{};
  tm.tmAscent = std::lround(ifi->fwdWinAscender * scale);
  tm.tmDescent = std::lround(ifi->fwdWinDescender * scale);
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = tm.tmHeight - std::lround(font.emPixels());
  tm.tmAveCharWidth = std::lround(ifi->fwdAveCharWidth * scale);
  tm.tmMaxCharWidth = static_cast<LONG>(font.cxMax);
  tm.tmWeight = bold ? FW_BOLD : FW_NORMAL;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFFFC;
  tm.tmDefaultChar = 0x1F;
  tm.tmBreakChar = 0x20;
  tm.tmItalic = logical.lfItalic;
  tm.tmUnderlined = logical.lfUnderline;
  tm.tmStruckOut = logical.lfStrikeOut;
  const bool fixed = font.fixedPitch();
  // The pitch bit is set for fonts of variable pitch, as Windows has it.
  tm.tmPitchAndFamily = static_cast<BYTE>((ifi->jWinPitchAndFamily & 0xF0) | TMPF_TRUETYPE | TMPF_VECTOR |
                                          (fixed ? 0 : TMPF_FIXED_PITCH));
  tm.tmCharSet = ANSI_CHARSET;
  return tm;
}

}  // namespace

const RealFont* RealizeFont(const LOGFONTW& font) {
  FontCache& cache = Cache();
  std::lock_guard guard(cache.lock);
  const bool bold = font.lfWeight >= 600;
  std::u16string family = FaceOf(font);
  auto file = plat::eng::FindFontFile(family, bold);
  if (!file) {
    family = kFallbackFamily;
    file = plat::eng::FindFontFile(family, bold);
  }
  if (!file) return nullptr;
  const double angle = font.lfEscapement / 10.0;
  // A positive height is the cell's, a negative one the em's.
  double em = font.lfHeight < 0 ? -static_cast<double>(font.lfHeight) : 0;
  const Key key{family, bold, font.lfHeight, std::lround(angle * 64)};
  if (auto it = cache.real.find(key); it != cache.real.end()) return &it->second;
  if (em == 0) {
    plat::eng::Font* probe = Realized(cache, family, *file, bold, 100, 0);
    if (probe == nullptr) return nullptr;
    const IFIMETRICS* ifi = probe->Metrics();
    const double cell = font.lfHeight > 0 ? font.lfHeight : kDefaultCellHeight;
    em = cell * ifi->fwdUnitsPerEm / std::max(1, ifi->fwdWinAscender + ifi->fwdWinDescender);
  }
  plat::eng::Font* realized = Realized(cache, family, *file, bold, em, angle);
  if (realized == nullptr) return nullptr;
  RealFont real;
  real.font = realized;
  real.family = family;
  real.bold = bold;
  real.angle = angle;
  real.metrics = MetricsOf(*realized, font, bold);
  real.unitsPerEm = static_cast<UINT>(realized->Metrics()->fwdUnitsPerEm);
  return &cache.real.emplace(key, real).first->second;
}

std::vector<LONG> Advances(const RealFont& font, std::u16string_view text) {
  std::vector<LONG> out;
  out.reserve(text.size());
  for (char16_t c : text) {
    const POINTL a = font.font->Advance26_6(font.font->GlyphOf(c));
    out.push_back(std::lround(std::hypot(static_cast<double>(a.x), static_cast<double>(a.y)) / 64.0));
  }
  return out;
}

LONG Extent(const RealFont& font, std::u16string_view text) {
  LONG sum = 0;
  for (LONG a : Advances(font, text)) sum += a;
  return sum;
}

std::vector<std::u16string> InstalledFamilies() {
  std::vector<std::u16string> out;
  for (const char16_t* family : kFamilies) {
    if (plat::eng::FindFontFile(family, false)) out.emplace_back(family);
  }
  return out;
}

LOGFONTW StockLogFont() {
  // A face nobody has: it maps to the fallback family.
  LOGFONTW font{};
  font.lfHeight = -11;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  const std::u16string face = u"MS Shell Dlg";
  std::copy(face.begin(), face.end(), font.lfFaceName);
  return font;
}

}  // namespace plat::gdi
