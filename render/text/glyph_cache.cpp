// The page's glyph cache.
#include "render/text/glyph_cache.h"

#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"

namespace {

GlyphEntry*& Head(PDEV* pdev, ULONG bucket) { return reinterpret_cast<GlyphEntry*&>(pdev->glyphHash[bucket]); }

}  // namespace

ULONG ulCalcHashID(PDEV*, ULONG fontId, LONG generation, LONG code) {
  return (fontId + (static_cast<ULONG>(generation) & 0xFFFF) + (static_cast<ULONG>(code) & 0xFFFF)) &
         (kGlyphHashBuckets - 1);
}

GlyphEntry* pAddHashTbl(PDEV* pdev, ULONG bucket, ULONG fontId, LONG generation, LONG code) {
  if (bucket >= kGlyphHashBuckets) return nullptr;
  auto* entry = static_cast<GlyphEntry*>(HEAPALLOC(pdev->heap, sizeof(GlyphEntry)));
  if (entry == nullptr) return nullptr;
  *entry = GlyphEntry{fontId, static_cast<SHORT>(generation), static_cast<SHORT>(code), nullptr};
  GlyphEntry** link = &Head(pdev, bucket);
  while (*link != nullptr) link = &(*link)->next;
  *link = entry;
  return entry;
}

BOOL bChkHashTbl(PDEV* pdev, ULONG bucket, ULONG fontId, LONG generation, LONG code) {
  if (bucket >= kGlyphHashBuckets) return FALSE;
  for (const GlyphEntry* e = Head(pdev, bucket); e != nullptr; e = e->next) {
    if (e->fontId == fontId && e->generation == static_cast<SHORT>(generation) && e->code == static_cast<SHORT>(code)) {
      return TRUE;
    }
  }
  return FALSE;
}

BOOL pFreeHashTbl(PDEV* pdev) {
  for (ULONG bucket = 0; bucket < kGlyphHashBuckets; ++bucket) {
    GlyphEntry* e = Head(pdev, bucket);
    while (e != nullptr) {
      GlyphEntry* next = e->next;
      HEAPFREE(pdev->heap, e);
      e = next;
    }
    Head(pdev, bucket) = nullptr;
  }
  pdev->glyphGeneration += 1;
  return TRUE;
}
