// Colour translations.
#include <algorithm>

#include "platform/engine/objects/eng_paint.h"

namespace plat::eng {

Xlate::Xlate(const Palette& source, const Palette& destination)
    : XLATEOBJ{}, source_(source), destination_(destination) {
  iSrcType = static_cast<USHORT>(source.mode);
  iDstType = static_cast<USHORT>(destination.mode);
  if (source == destination) {
    flXlate = XO_TRIVIAL;
    return;
  }
  if (source.mode == PAL_INDEXED) {
    table_.reserve(source.colors.size());
    for (ULONG i = 0; i < source.colors.size(); ++i) {
      table_.push_back(destination.FromRgb(source.ToRgb(i)));
    }
    flXlate = XO_TABLE;
    cEntries = static_cast<ULONG>(table_.size());
    pulXlate = table_.data();
  }
  if (destination.mode == PAL_INDEXED && destination.colors.size() == 2) flXlate |= XO_TO_MONO;
}

ULONG Xlate::Translate(ULONG index) const {
  if (flXlate & XO_TRIVIAL) return index;
  if (!table_.empty()) return index < table_.size() ? table_[index] : 0;
  return destination_.FromRgb(source_.ToRgb(index));
}

}  // namespace plat::eng

ULONG XLATEOBJ_iXlate(XLATEOBJ* pxlo, ULONG iColor) {
  return pxlo == nullptr ? iColor : static_cast<plat::eng::Xlate*>(pxlo)->Translate(iColor);
}

ULONG* XLATEOBJ_piVector(XLATEOBJ* pxlo) {
  return pxlo == nullptr ? nullptr : pxlo->pulXlate;
}

ULONG XLATEOBJ_cGetPalette(XLATEOBJ* pxlo, ULONG iPal, ULONG cPal, ULONG* pPal) {
  if (pxlo == nullptr) return 0;
  auto* xlate = static_cast<plat::eng::Xlate*>(pxlo);
  const plat::eng::Palette* palette = nullptr;
  if (iPal == XO_SRCPALETTE) palette = &xlate->source();
  if (iPal == XO_DESTPALETTE || iPal == XO_DESTDCPALETTE) palette = &xlate->destination();
  if (palette == nullptr || palette->mode != PAL_INDEXED) return 0;
  const ULONG count = static_cast<ULONG>(palette->colors.size());
  if (pPal == nullptr) return count;
  const ULONG n = std::min(count, cPal);
  std::copy_n(palette->colors.begin(), n, pPal);
  return n;
}
