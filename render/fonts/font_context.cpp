// The font context: copies of the device fonts' resources and their glyph
// sets. Every resource is checked before it is used, so a damaged image
// gives no device fonts rather than reads beyond a resource.
#include "render/fonts/font_context.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"

namespace {

constexpr ULONG kGlyphSetHeadBytes = 16;
constexpr ULONG kGlyphSetRunBytes = 8;
constexpr ULONG kShiftJisSet = 2;
constexpr ULONG kSingleByteSet = 3;

ULONG U32(const BYTE* at) { return at[0] | at[1] << 8 | at[2] << 16 | static_cast<ULONG>(at[3]) << 24; }
USHORT U16(const BYTE* at) { return static_cast<USHORT>(at[0] | at[1] << 8); }

// A NUL-terminated string of bytes or UTF-16 units lies within [at, end).
bool Terminated(const BYTE* at, const BYTE* end, std::size_t unit) {
  for (; at + unit <= end; at += unit) {
    if (at[0] == 0 && (unit == 1 || at[1] == 0)) return true;
  }
  return false;
}

// The metrics resource holds its IFIMETRICS, the names it points to and the
// symbol-set string within its size.
bool SoundMetrics(const BYTE* data, ULONG size) {
  if (size < kSymbolSetOffsetAt + 4) return false;
  const ULONG ifiAt = U32(data + 4);
  if (ifiAt % alignof(IFIMETRICS) != 0 || ifiAt > size || size - ifiAt < sizeof(IFIMETRICS)) return false;
  IFIMETRICS ifi;
  std::memcpy(&ifi, data + ifiAt, sizeof ifi);
  if (ifi.cjThis < sizeof(IFIMETRICS) || ifi.cjThis > size - ifiAt) return false;
  const BYTE* ifiEnd = data + ifiAt + ifi.cjThis;
  for (PTRDIFF name : {ifi.dpwszFamilyName, ifi.dpwszStyleName, ifi.dpwszFaceName, ifi.dpwszUniqueName}) {
    if (name < static_cast<PTRDIFF>(sizeof(IFIMETRICS)) || name >= static_cast<PTRDIFF>(ifi.cjThis) || name % 2 != 0) {
      return false;
    }
    if (!Terminated(data + ifiAt + name, ifiEnd, 2)) return false;
  }
  const ULONG symbolSet = U32(data + kSymbolSetOffsetAt);
  return symbolSet < size && Terminated(data + symbolSet, data + size, 1);
}

// A heap copy of a resource; null when it is missing or memory is short.
BYTE* CopyResource(PDEV* pdev, HANDLE module, ULONG id, int type, ULONG* size) {
  ULONG bytes = 0;
  const PVOID data = EngFindResource(module, static_cast<int>(id), type, &bytes);
  if (data == nullptr || bytes == 0) return nullptr;
  auto* copy = static_cast<BYTE*>(HEAPALLOC(pdev->heap, bytes));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, data, bytes);
  *size = bytes;
  return copy;
}

}  // namespace

FONTCONTEXT* fnt_init(PDEV* pdev, HANDLE module, ULONG* count) {
  *count = 0;
  auto* context = static_cast<FONTCONTEXT*>(HEAPALLOC(pdev->heap, sizeof(FONTCONTEXT)));
  if (context == nullptr) return nullptr;
  std::memset(context, 0, sizeof *context);
  context->count = kDeviceFontCount;
  context->module = module;
  std::memcpy(context->rows, StockGlyphset, sizeof context->rows);
  for (ULONG i = 0; i < kDeviceFontCount; ++i) {
    DeviceFontEntry& font = context->fonts[i];
    font.metrics = CopyResource(pdev, module, srchtbl[i], kFontMetricsResource, &font.metricsSize);
    if (font.metrics == nullptr || !SoundMetrics(font.metrics, font.metricsSize)) {
      fnt_term(pdev, context);
      return nullptr;
    }
    font.glyphSetRow = fnt_getglyphid(font.metrics);
  }
  *count = kDeviceFontCount;
  return context;
}

void fnt_term(PDEV* pdev, FONTCONTEXT* context) {
  if (context == nullptr) return;
  for (int i = 0; i < kStockGlyphsetRows; ++i) {
    FD_GLYPHSET* set = context->rows[i].glyphSet;
    if (set == nullptr) continue;
    for (int j = i; j < kStockGlyphsetRows; ++j) {
      if (context->rows[j].glyphSet == set) context->rows[j].glyphSet = nullptr;
    }
    HEAPFREE(pdev->heap, set);
  }
  for (DeviceFontEntry& font : context->fonts) {
    if (font.metrics != nullptr) HEAPFREE(pdev->heap, font.metrics);
  }
  HEAPFREE(pdev->heap, context);
}

BYTE* fnt_getntfm(FONTCONTEXT* context, ULONG iFace) {
  if (context == nullptr || iFace == 0 || iFace > context->count) return nullptr;
  return context->fonts[iFace - 1].metrics;
}

IFIMETRICS* fnt_getifi(BYTE* resource) { return reinterpret_cast<IFIMETRICS*>(resource + U32(resource + 4)); }

ULONG fnt_getglyphid(const BYTE* resource) {
  const char* name = reinterpret_cast<const char*>(resource + U32(resource + kSymbolSetOffsetAt));
  // The last row is only ever chosen through another row's default.
  for (ULONG row = 0; row < 4; ++row) {
    if (std::strcmp(name, StockGlyphset[row].symbolSet) == 0) return row;
  }
  return 2;
}

FD_GLYPHSET* fnt_loadglyphset(PDEV* pdev, HANDLE module, ULONG id) {
  // The stored head counts only itself and the runs: the resource's own
  // size is what holds the handles.
  ULONG size = 0;
  const BYTE* data = static_cast<const BYTE*>(EngFindResource(module, static_cast<int>(id), kGlyphSetResource, &size));
  if (data == nullptr || size < kGlyphSetHeadBytes) return nullptr;
  const ULONG runs = U32(data + 12);
  if (runs > (size - kGlyphSetHeadBytes) / kGlyphSetRunBytes) return nullptr;
  const ULONG handlesAt = kGlyphSetHeadBytes + runs * kGlyphSetRunBytes;
  ULONG glyphs = 0;
  for (ULONG i = 0; i < runs; ++i) glyphs += U16(data + kGlyphSetHeadBytes + i * kGlyphSetRunBytes + 2);
  if (glyphs > (size - handlesAt) / sizeof(HGLYPH) || glyphs != U32(data + 8)) return nullptr;

  const std::size_t runBytes = offsetof(FD_GLYPHSET, awcrun) + std::size_t{runs} * sizeof(WCRUN);
  const std::size_t bytes = runBytes + std::size_t{glyphs} * sizeof(HGLYPH);
  auto* set = static_cast<FD_GLYPHSET*>(HEAPALLOC(pdev->heap, bytes));
  if (set == nullptr) return nullptr;
  set->cjThis = static_cast<ULONG>(bytes);
  set->flAccel = U32(data + 4);
  set->cGlyphsSupported = glyphs;
  set->cRuns = runs;
  auto* handles = reinterpret_cast<HGLYPH*>(reinterpret_cast<BYTE*>(set) + runBytes);
  const BYTE* from = data + handlesAt;
  for (ULONG i = 0; i < runs; ++i) {
    WCRUN& run = set->awcrun[i];
    run.wcLow = U16(data + kGlyphSetHeadBytes + i * kGlyphSetRunBytes);
    run.cGlyphs = U16(data + kGlyphSetHeadBytes + i * kGlyphSetRunBytes + 2);
    run.phg = handles;
    for (USHORT g = 0; g < run.cGlyphs; ++g, from += 4) *handles++ = U32(from);
  }
  return set;
}

FD_GLYPHSET* fnt_buildglyphset(PDEV* pdev, FONTCONTEXT* context, ULONG iFace) {
  if (fnt_getntfm(context, iFace) == nullptr) return nullptr;
  const ULONG row = context->fonts[iFace - 1].glyphSetRow;
  GlyphSetRow* rows = context->rows;
  if (rows[row].glyphSet == nullptr) {
    if (row <= 1) {
      rows[0].glyphSet = fnt_loadglyphset(pdev, context->module, kShiftJisSet);
      rows[1].glyphSet = rows[0].glyphSet;
    } else {
      rows[row].glyphSet = fnt_loadglyphset(pdev, context->module, kSingleByteSet);
    }
  }
  return rows[row].glyphSet;
}

LONG fnt_getcharwidth(const BYTE* resource, HGLYPH hg) {
  const IFIMETRICS* ifi = fnt_getifi(const_cast<BYTE*>(resource));
  if (hg < 0x100 || hg == 0x8640 || (hg >> 8) == 0x85) return ifi->fwdAveCharWidth;
  return ifi->fwdMaxCharInc;
}
