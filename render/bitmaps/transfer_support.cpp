#include "render/bitmaps/transfer_support.h"

#include <algorithm>
#include <cstdlib>

#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"
#include "render/records/image_records.h"

namespace bitmaps {
namespace {

constexpr ULONG kPaletteEntryBytes = 3;

// The grey level of entry i of a ramp of entries.
ULONG GreyLevel(ULONG i, ULONG entries) {
  const ULONG t = entries > 1 ? i * 255 / (entries - 1) : 0;
  return t * 0x010101;
}

// The translation's own table, or null when it has none (or is trivial).
const ULONG* TableOf(XLATEOBJ* pxlo) {
  if (pxlo == nullptr || (pxlo->flXlate & XO_TRIVIAL) != 0) return nullptr;
  return XLATEOBJ_piVector(pxlo);
}

}  // namespace

SentFormat SentFormatOf(ULONG engineFormat) {
  switch (engineFormat) {
    case BMF_1BPP:
      return {kImage1Bit, BMF_1BPP, true};
    case BMF_4BPP:
      return {kImage4Bit, BMF_4BPP, true};
    case BMF_8BPP:
      return {kImage8Bit, BMF_8BPP, true};
    case BMF_24BPP:
      return {kImage24Bit, BMF_24BPP, true};
    default:
      return {kImage24Bit, BMF_24BPP, false};
  }
}

bool SendsAsItIs(const SURFOBJ* pso) {
  if (pso->iType != STYPE_BITMAP || pso->pvScan0 == nullptr) return false;
  if (!SentFormatOf(pso->iBitmapFormat).sendable) return false;
  const LONG delta = GetBmpDelta(pso->iBitmapFormat, pso->sizlBitmap.cx);
  return delta != 0 && std::labs(pso->lDelta) == delta;
}

ULONG IndexedEntries(ULONG engineFormat) {
  switch (engineFormat) {
    case BMF_1BPP:
      return 2;
    case BMF_4BPP:
      return 16;
    case BMF_8BPP:
      return 256;
    default:
      return 0;
  }
}

bool IsGreyRamp(XLATEOBJ* pxlo, ULONG engineFormat) {
  const ULONG* table = TableOf(pxlo);
  if (table == nullptr) return true;
  const ULONG entries = IndexedEntries(engineFormat);
  if (entries == 0 || pxlo->cEntries != entries) return false;
  for (ULONG i = 0; i < entries; ++i) {
    if (table[i] != GreyLevel(i, entries)) return false;
  }
  return true;
}

ULONG TranslatedColor(XLATEOBJ* pxlo, ULONG index, ULONG entries) {
  if (pxlo == nullptr || (pxlo->flXlate & XO_TRIVIAL) != 0) {
    return entries == 0 ? index : GreyLevel(std::min(index, entries - 1), entries);
  }
  const ULONG* table = TableOf(pxlo);
  if (table != nullptr) return index < pxlo->cEntries ? table[index] : 0;
  return XLATEOBJ_iXlate(pxlo, index);
}

ImagePalette::ImagePalette(PDEV* pdev, XLATEOBJ* pxlo, ULONG engineFormat) : pdev_(pdev) {
  const ULONG entries = IndexedEntries(engineFormat);
  if (entries == 0 || IsGreyRamp(pxlo, engineFormat)) return;
  bytes_ = static_cast<BYTE*>(HEAPALLOC(pdev->heap, entries * kPaletteEntryBytes));
  if (bytes_ == nullptr) {
    ok_ = false;
    return;
  }
  std::fill_n(bytes_, entries * kPaletteEntryBytes, BYTE{0});
  const ULONG* table = TableOf(pxlo);
  const ULONG real = std::min(entries, pxlo->cEntries);
  for (ULONG i = 0; i < real; ++i) {
    const ULONG color = table[i];
    for (ULONG b = 0; b < kPaletteEntryBytes; ++b) bytes_[i * kPaletteEntryBytes + b] = static_cast<BYTE>(color >> (8 * b));
  }
}

ImagePalette::~ImagePalette() {
  if (bytes_ != nullptr) HEAPFREE(pdev_->heap, bytes_);
}

RECTL Ordered(const RECTL& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

}  // namespace bitmaps
