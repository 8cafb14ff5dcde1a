// The font services a driver calls. An engine font (iFace 0) answers from
// its FreeType realization; a device font (iFace non-zero) from what its
// driver said of it, and has no glyph images or outlines.
#include <algorithm>

#include "platform/engine/fonts/device_font.h"
#include "platform/engine/fonts/eng_font.h"

using plat::eng::DeviceFontOf;
using plat::eng::EngineFontOf;

LONG FONTOBJ_cGetGlyphs(FONTOBJ* pfo, ULONG iMode, ULONG cGlyph, HGLYPH* phg, PVOID* ppvGlyph) {
  plat::eng::Font* font = EngineFontOf(pfo);
  if (font == nullptr || cGlyph == 0 || phg == nullptr || ppvGlyph == nullptr) return 0;
  if (iMode != FO_GLYPHBITS && iMode != FO_PATHOBJ) return 0;
  GLYPHDATA* data = font->Glyph(*phg, iMode);
  if (data == nullptr) return 0;
  *ppvGlyph = data;
  return 1;
}

IFIMETRICS* FONTOBJ_pifi(FONTOBJ* pfo) {
  if (plat::eng::Font* font = EngineFontOf(pfo)) return font->Metrics();
  if (plat::eng::DeviceFont* font = DeviceFontOf(pfo)) return font->Metrics();
  return nullptr;
}

XFORMOBJ* FONTOBJ_pxoGetXform(FONTOBJ* pfo) {
  if (plat::eng::Font* font = EngineFontOf(pfo)) return &font->Transform();
  if (plat::eng::DeviceFont* font = DeviceFontOf(pfo)) return &font->Transform();
  return nullptr;
}

FD_GLYPHSET* FONTOBJ_pfdg(FONTOBJ* pfo) {
  if (plat::eng::Font* font = EngineFontOf(pfo)) return font->GlyphSet();
  if (plat::eng::DeviceFont* font = DeviceFontOf(pfo)) return font->GlyphSet();
  return nullptr;
}

ULONG FONTOBJ_cGetAllGlyphHandles(FONTOBJ* pfo, HGLYPH* phg) {
  plat::eng::Font* font = EngineFontOf(pfo);
  if (font != nullptr) {
    const std::vector<HGLYPH> all = font->AllGlyphs();
    if (phg != nullptr) std::copy(all.begin(), all.end(), phg);
    return static_cast<ULONG>(all.size());
  }
  const FD_GLYPHSET* set = FONTOBJ_pfdg(pfo);
  if (set == nullptr) return 0;
  ULONG n = 0;
  for (ULONG i = 0; i < set->cRuns; ++i) {
    for (USHORT g = 0; g < set->awcrun[i].cGlyphs; ++g, ++n) {
      if (phg != nullptr) phg[n] = set->awcrun[i].phg != nullptr ? set->awcrun[i].phg[g] : set->awcrun[i].wcLow + g;
    }
  }
  return n;
}
