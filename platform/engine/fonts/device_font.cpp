// Device fonts as the engine holds them.
#include "platform/engine/fonts/device_font.h"

#include <cmath>
#include <numbers>

#include "platform/engine/fonts/eng_font.h"

namespace plat::eng {

DeviceFont::DeviceFont(ULONG face, IFIMETRICS* metrics, FD_GLYPHSET* glyphSet, double emPixels,
                       double angleDegrees, LONG dpi)
    : FONTOBJ{}, metrics_(metrics), glyphSet_(glyphSet) {
  const double units = metrics != nullptr && metrics->fwdUnitsPerEm > 0 ? metrics->fwdUnitsPerEm : 1000.0;
  const double scale = emPixels / units;
  const double radians = angleDegrees * std::numbers::pi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  transform_ = Xform(XFORML{static_cast<FLOATL>(scale * c), static_cast<FLOATL>(-scale * s),
                            static_cast<FLOATL>(scale * s), static_cast<FLOATL>(scale * c), 0, 0});
  iUniq = NewFontUniq();
  iFace = face;
  flFontType = FO_TYPE_DEVICE;
  sizLogResPpi = SIZE{dpi, dpi};
  ulStyleSize = dpi > 0 ? static_cast<ULONG>(std::lround(emPixels * 72 / dpi)) : 0;
  cxMax = metrics != nullptr ? static_cast<ULONG>(std::ceil(metrics->fwdMaxCharInc * scale)) : 0;
}

HGLYPH DeviceFont::GlyphOf(WCHAR c) const {
  if (glyphSet_ == nullptr) return HGLYPH_INVALID;
  const auto find = [this](WCHAR code) {
    for (ULONG i = 0; i < glyphSet_->cRuns; ++i) {
      const WCRUN& run = glyphSet_->awcrun[i];
      if (code >= run.wcLow && code - run.wcLow < run.cGlyphs) {
        return run.phg != nullptr ? run.phg[code - run.wcLow] : static_cast<HGLYPH>(code);
      }
    }
    return HGLYPH_INVALID;
  };
  const HGLYPH hg = find(c);
  if (hg != HGLYPH_INVALID || metrics_ == nullptr) return hg;
  return find(metrics_->wcDefaultChar);
}

Font* EngineFontOf(FONTOBJ* pfo) {
  return pfo == nullptr || pfo->iFace != 0 ? nullptr : static_cast<Font*>(pfo);
}

DeviceFont* DeviceFontOf(FONTOBJ* pfo) {
  return pfo == nullptr || pfo->iFace == 0 ? nullptr : static_cast<DeviceFont*>(pfo);
}

}  // namespace plat::eng
