// The font services a driver calls.
#include <algorithm>

#include "platform/engine/fonts/eng_font.h"

namespace {
plat::eng::Font* FontOf(FONTOBJ* pfo) {
  // Device fonts (iFace non-zero) belong to the driver, not the engine.
  return pfo == nullptr || pfo->iFace != 0 ? nullptr : static_cast<plat::eng::Font*>(pfo);
}
}  // namespace

LONG FONTOBJ_cGetGlyphs(FONTOBJ* pfo, ULONG iMode, ULONG cGlyph, HGLYPH* phg, PVOID* ppvGlyph) {
  plat::eng::Font* font = FontOf(pfo);
  if (font == nullptr || cGlyph == 0 || phg == nullptr || ppvGlyph == nullptr) return 0;
  if (iMode != FO_GLYPHBITS && iMode != FO_PATHOBJ) return 0;
  GLYPHDATA* data = font->Glyph(*phg, iMode);
  if (data == nullptr) return 0;
  *ppvGlyph = data;
  return 1;
}

IFIMETRICS* FONTOBJ_pifi(FONTOBJ* pfo) {
  plat::eng::Font* font = FontOf(pfo);
  return font ? font->Metrics() : nullptr;
}

XFORMOBJ* FONTOBJ_pxoGetXform(FONTOBJ* pfo) {
  plat::eng::Font* font = FontOf(pfo);
  return font ? &font->Transform() : nullptr;
}

FD_GLYPHSET* FONTOBJ_pfdg(FONTOBJ* pfo) {
  plat::eng::Font* font = FontOf(pfo);
  return font ? font->GlyphSet() : nullptr;
}

ULONG FONTOBJ_cGetAllGlyphHandles(FONTOBJ* pfo, HGLYPH* phg) {
  plat::eng::Font* font = FontOf(pfo);
  if (font == nullptr) return 0;
  const std::vector<HGLYPH> all = font->AllGlyphs();
  if (phg != nullptr) std::copy(all.begin(), all.end(), phg);
  return static_cast<ULONG>(all.size());
}
