// Device fonts as the engine holds them.
#include "platform/engine/fonts/device_font.h"

#include <algorithm>
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
  if (glyphSet_ != nullptr) {
    ordered_ = true;
    for (ULONG i = 1; i < glyphSet_->cRuns && ordered_; ++i) {
      const WCRUN& before = glyphSet_->awcrun[i - 1];
      ordered_ = ULONG{before.wcLow} + before.cGlyphs <= glyphSet_->awcrun[i].wcLow;
    }
  }
}

HGLYPH DeviceFont::Find(WCHAR code) const {
  const WCRUN* runs = glyphSet_->awcrun;
  const auto holds = [code](const WCRUN& run) { return code >= run.wcLow && code - run.wcLow < run.cGlyphs; };
  const WCRUN* run = nullptr;
  if (ordered_) {
    // The last run starting at or before the code is the only one that may
    // hold it.
    const WCRUN* after = std::upper_bound(runs, runs + glyphSet_->cRuns, code,
                                          [](WCHAR c, const WCRUN& r) { return c < r.wcLow; });
    if (after != runs && holds(after[-1])) run = after - 1;
  } else {
    run = std::find_if(runs, runs + glyphSet_->cRuns, holds);
    if (run == runs + glyphSet_->cRuns) run = nullptr;
  }
  if (run == nullptr) return HGLYPH_INVALID;
  return run->phg != nullptr ? run->phg[code - run->wcLow] : static_cast<HGLYPH>(code);
}

HGLYPH DeviceFont::GlyphOf(WCHAR c) const {
  if (glyphSet_ == nullptr) return HGLYPH_INVALID;
  const HGLYPH hg = Find(c);
  if (hg != HGLYPH_INVALID || metrics_ == nullptr) return hg;
  return Find(metrics_->wcDefaultChar);
}

Font* EngineFontOf(FONTOBJ* pfo) {
  return pfo == nullptr || pfo->iFace != 0 ? nullptr : static_cast<Font*>(pfo);
}

DeviceFont* DeviceFontOf(FONTOBJ* pfo) {
  return pfo == nullptr || pfo->iFace == 0 ? nullptr : static_cast<DeviceFont*>(pfo);
}

}  // namespace plat::eng
