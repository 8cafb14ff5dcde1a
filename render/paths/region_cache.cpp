#include "render/paths/region_cache.h"

#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"

namespace {

RegionCache* CacheOf(PDEV* pdev) { return static_cast<RegionCache*>(pdev->regionCache); }

bool Same(const RECTL& a, const RECTL& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

RegionCache* create_rgncache(PDEV* pdev) {
  auto* cache = static_cast<RegionCache*>(HEAPALLOC(pdev->heap, sizeof(RegionCache)));
  if (cache != nullptr) *cache = RegionCache{};
  pdev->regionCache = cache;
  return cache;
}

void flush_rgncache(PDEV* pdev) {
  if (RegionCache* cache = CacheOf(pdev)) cache->valid = FALSE;
}

BYTE* query_rgncache(PDEV* pdev, ULONG kind, ULONG uniq, const RECTL* bounds) {
  const RegionCache* cache = CacheOf(pdev);
  if (cache == nullptr || !cache->valid || cache->kind != kind || cache->list != pdev->stream.emptied) return nullptr;
  if (kind == kClipKindRect) return bounds != nullptr && Same(*bounds, cache->bounds) ? cache->record : nullptr;
  return uniq != 0 && uniq == cache->uniq ? cache->record : nullptr;
}

void cache_rgncache(PDEV* pdev, ULONG kind, ULONG uniq, BYTE* record, const RECTL* bounds) {
  RegionCache* cache = CacheOf(pdev);
  if (cache == nullptr) return;
  cache->kind = kind;
  cache->uniq = uniq;
  cache->record = record;
  cache->list = pdev->stream.emptied;
  cache->bounds = bounds != nullptr ? *bounds : RECTL{};
  cache->valid = TRUE;
}

void destroy_rgncache(PDEV* pdev) {
  if (pdev->regionCache != nullptr) HEAPFREE(pdev->heap, pdev->regionCache);
  pdev->regionCache = nullptr;
}
