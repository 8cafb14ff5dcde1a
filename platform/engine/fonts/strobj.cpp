// Strings of glyphs and their enumeration in batches.
#include <algorithm>

#include "platform/engine/fonts/eng_string.h"

namespace plat::eng {

Str::Str(Font& font, std::u16string text, std::vector<GLYPHPOS> positions, FLONG accel,
         ULONG charInc, const RECTL& background, ULONG batch)
    : Str(&font, std::move(text), std::move(positions), accel, charInc, background, batch) {}

Str::Str(DeviceFont&, std::u16string text, std::vector<GLYPHPOS> positions, FLONG accel, ULONG charInc,
         const RECTL& background, ULONG batch)
    : Str(nullptr, std::move(text), std::move(positions), accel, charInc, background, batch) {}

Str::Str(Font* font, std::u16string text, std::vector<GLYPHPOS> positions, FLONG accel, ULONG charInc,
         const RECTL& background, ULONG batch)
    : STROBJ{}, text_(std::move(text)), positions_(std::move(positions)), batch_(std::max<ULONG>(batch, 1)) {
  for (GLYPHPOS& gp : positions_) {
    GLYPHDATA* data = font != nullptr ? font->Glyph(gp.hg, font->glyphMode()) : nullptr;
    gp.pgdf = data ? &data->gdf : nullptr;
  }
  cGlyphs = static_cast<ULONG>(positions_.size());
  flAccel = accel;
  ulCharInc = charInc;
  rclBkGround = background;
  pgp = cGlyphs <= batch_ ? positions_.data() : nullptr;
  pwszOrg = text_.data();
}

bool Str::Enum(ULONG* count, PGLYPHPOS* glyphs) {
  const std::size_t n = std::min<std::size_t>(batch_, positions_.size() - next_);
  if (count != nullptr) *count = static_cast<ULONG>(n);
  if (glyphs != nullptr) *glyphs = n > 0 ? positions_.data() + next_ : nullptr;
  next_ += n;
  return next_ < positions_.size();
}

}  // namespace plat::eng

void STROBJ_vEnumStart(STROBJ* pstro) {
  if (pstro != nullptr) static_cast<plat::eng::Str*>(pstro)->EnumStart();
}

BOOL STROBJ_bEnum(STROBJ* pstro, ULONG* pc, PGLYPHPOS* ppgpos) {
  if (pstro == nullptr) return FALSE;
  return static_cast<plat::eng::Str*>(pstro)->Enum(pc, ppgpos) ? TRUE : FALSE;
}

DWORD STROBJ_dwGetCodePage(STROBJ*) { return 0; }
