// The engine's realization of a driver's device font: the metrics and the
// glyph set are the driver's answers to its font queries, kept by pointer
// as long as the driver's PDEV lives; the engine adds the transform of the
// em size and angle asked for. The engine has no glyph images or outlines
// of a device font.
#pragma once

#include <string>

#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/fontobj.h"

namespace plat::eng {

class DeviceFont : public FONTOBJ {
 public:
  // Device font face (1 upwards) with the driver's metrics and glyph set
  // (either may be null: the font then has no glyphs), at emPixels pixels
  // per em and its baseline turned angleDegrees counter-clockwise.
  DeviceFont(ULONG face, IFIMETRICS* metrics, FD_GLYPHSET* glyphSet, double emPixels, double angleDegrees,
             LONG dpi);

  IFIMETRICS* Metrics() const { return metrics_; }
  Xform& Transform() { return transform_; }
  FD_GLYPHSET* GlyphSet() const { return glyphSet_; }
  // The glyph handle of a character through the glyph set, or the handle of
  // the font's default character when the set lacks it; HGLYPH_INVALID
  // when neither is there.
  HGLYPH GlyphOf(WCHAR c) const;

 private:
  // The handle of the first run holding the code, HGLYPH_INVALID when none.
  HGLYPH Find(WCHAR code) const;

  IFIMETRICS* metrics_;
  FD_GLYPHSET* glyphSet_;
  // The runs go up without overlapping (a set of thousands of runs is
  // searched by halves).
  bool ordered_ = false;
  Xform transform_;
};

// The engine's object behind a font: null when it is not that kind.
class Font;
Font* EngineFontOf(FONTOBJ* pfo);
DeviceFont* DeviceFontOf(FONTOBJ* pfo);

}  // namespace plat::eng
