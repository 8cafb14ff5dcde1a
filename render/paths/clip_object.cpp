// The clip of a drawing call. The printer keeps one clip until it is reset
// or replaced, so the region cache remembers what is in force: a call under
// the clip already sent sends nothing, and the first call without a clip
// after one resets it once.
#include "platform/engine/objects/clipobj.h"
#include "render/paths/draw_setup.h"
#include "render/paths/path_records.h"
#include "render/paths/region_cache.h"
#include "render/pdev/pdev.h"
#include "render/records/attribute_records.h"
#include "render/records/shape_records.h"

namespace {

LONG_PTR AsResult(BYTE* record) { return record != nullptr ? reinterpret_cast<LONG_PTR>(record) : kClipFailed; }

// Resets a clip in force; 0, or kClipFailed when the record could not be
// appended. Without a cache the kind in force is unknown and the reset is
// always sent.
LONG_PTR ResetClip(PDEV* pdev, bool always) {
  auto* cache = static_cast<RegionCache*>(pdev->regionCache);
  if (!always && cache != nullptr && cache->kind == kClipKindNone) return 0;
  if (PrnIdlResetClip(&pdev->stream) == nullptr) return kClipFailed;
  if (cache != nullptr) {
    cache->kind = kClipKindNone;
    cache->valid = FALSE;
  }
  return 0;
}

LONG_PTR RectangleClip(PDEV* pdev, const CLIPOBJ* pco) {
  if (BYTE* cached = query_rgncache(pdev, kClipKindRect, pco->iUniq, &pco->rclBounds)) {
    return reinterpret_cast<LONG_PTR>(cached);
  }
  BYTE* record = PrnIdlRect(&pdev->stream, &pco->rclBounds, nullptr, kRectClip);
  if (record == nullptr) return kClipFailed;
  cache_rgncache(pdev, kClipKindRect, pco->iUniq, record, &pco->rclBounds);
  return reinterpret_cast<LONG_PTR>(record);
}

// A region of several rectangles goes as its outline, a clip path. A region
// with nothing in it has no outline to send: the call fails rather than
// draw unclipped.
LONG_PTR ComplexClip(PDEV* pdev, CLIPOBJ* pco) {
  if (pco->iUniq != 0) {
    if (BYTE* cached = query_rgncache(pdev, kClipKindComplex, pco->iUniq, nullptr)) {
      return reinterpret_cast<LONG_PTR>(cached);
    }
  }
  PATHOBJ* outline = CLIPOBJ_ppoGetPath(pco);
  if (outline == nullptr) return kClipFailed;
  BYTE* record = makeCommonPath(pdev, outline, kPathClip);
  EngDeletePath(outline);
  if (record == nullptr) return kClipFailed;
  cache_rgncache(pdev, kClipKindComplex, pco->iUniq, record, nullptr);
  return AsResult(record);
}

}  // namespace

LONG_PTR SetClipObject(PDEV* pdev, CLIPOBJ* pco, ULONG /*unused*/) {
  const bool noCache = pdev->regionCache == nullptr;
  if (pco == nullptr || pco->iDComplexity == DC_TRIVIAL) return ResetClip(pdev, noCache);
  if (pco->iDComplexity == DC_RECT) return RectangleClip(pdev, pco);
  if (pco->iDComplexity == DC_COMPLEX) return ComplexClip(pdev, pco);
  return ResetClip(pdev, true);
}
