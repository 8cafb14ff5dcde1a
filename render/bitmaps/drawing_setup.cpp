#include "render/bitmaps/drawing_setup.h"

#include <array>

#include "render/bitmaps/bitmap_transfer.h"
#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"
#include "render/records/attribute_records.h"
#include "render/records/shape_records.h"

namespace {

// The ROP3s that combine only pattern and destination, in mix-code order.
constexpr BYTE kPatternRop3s[16] = {0x00, 0x05, 0x0A, 0x0F, 0x50, 0x55, 0x5A, 0x5F,
                                    0xA0, 0xA5, 0xAA, 0xAF, 0xF0, 0xF5, 0xFA, 0xFF};

constexpr std::array<BYTE, 256> MakeRop3ToMix() {
  std::array<BYTE, 256> table{};
  for (int i = 0; i < 16; ++i) table[kPatternRop3s[i]] = static_cast<BYTE>(i + 1);
  return table;
}
constexpr std::array<BYTE, 256> kRop3ToMix = MakeRop3ToMix();

constexpr BYTE kBackgroundLeaveAlone = 11;  // the mix's background code that leaves the page as it is

// The clip the page holds. It belongs to the display list it was sent in:
// once that list has been written out and started again (each page, and
// each document's first page too) the clip must go again.
enum ClipKind : BYTE { kNoClip = 0, kClipRectangle = 1, kClipComplex = 3 };
struct RegionCache {
  BOOL valid;
  ULONG list;  // the display list's emptied count when it was sent
  ULONG uniq;
  BYTE* record;
  BYTE kind;
  RECTL bounds;
};

RegionCache* CacheOf(PDEV* pdev) {
  if (pdev->regionCache == nullptr) {
    auto* cache = static_cast<RegionCache*>(HEAPALLOC(pdev->heap, sizeof(RegionCache)));
    if (cache == nullptr) return nullptr;
    *cache = RegionCache{};
    pdev->regionCache = cache;
  }
  auto* cache = static_cast<RegionCache*>(pdev->regionCache);
  if (cache->list != pdev->stream.emptied) *cache = RegionCache{FALSE, pdev->stream.emptied, 0, nullptr, kNoClip, {}};
  return cache;
}

void Remember(RegionCache* cache, ULONG uniq, BYTE* record, BYTE kind, const RECTL& bounds) {
  if (cache == nullptr) return;
  cache->valid = TRUE;
  cache->uniq = uniq;
  cache->record = record;
  cache->kind = kind;
  cache->bounds = bounds;
}

bool SameRect(const RECTL& a, const RECTL& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

LONG_PTR ResetClip(PDEV* pdev, RegionCache* cache) {
  if (cache != nullptr && cache->kind == kNoClip) return 0;
  if (PrnIdlResetClip(&pdev->stream) == nullptr) return -1;
  if (cache != nullptr) {
    cache->valid = FALSE;
    cache->kind = kNoClip;
  }
  return 0;
}

// The points of a path, counted over every run.
ULONG PathPoints(PATHOBJ* ppo) {
  PATHDATA run{};
  ULONG points = 0;
  PATHOBJ_vEnumStart(ppo);
  BOOL more = TRUE;
  while (more) {
    more = PATHOBJ_bEnum(ppo, &run);
    points += run.count;
  }
  return points;
}

// The region's outline as a clip path record (kind 5), or null.
BYTE* SendClipPath(PDEV* pdev, PATHOBJ* ppo) {
  ULONG length = 0;
  const DlMark mark = dl_mark(&pdev->stream);
  BYTE* record = IdlAllocPath(pdev, PathPoints(ppo), &length);
  if (record == nullptr) return nullptr;
  BYTE* at = IdlGetPathPointer(pdev, record);
  BYTE* const end = record + length;
  PathTally tally{};
  BOOL curves = FALSE;
  BYTE* subpath = nullptr;
  ULONG segments = 0;
  PATHDATA run{};
  PATHOBJ_vEnumStart(ppo);
  for (BOOL more = TRUE; more && at != nullptr;) {
    more = PATHOBJ_bEnum(ppo, &run);
    if (run.count == 0) continue;
    const POINTL* points = reinterpret_cast<const POINTL*>(run.pptfx);
    ULONG count = run.count;
    if (run.flags & PD_BEGINSUBPATH) {
      if (subpath != nullptr) IdlSetSubpathSegments(subpath, segments);
      subpath = at;
      segments = 0;
      ++tally.subpaths;
      at = IdlPutSubpathStart(at, end, points[0]);
      ++points;
      --count;
    }
    if (at == nullptr || subpath == nullptr) break;
    if (run.flags & PD_BEZIERS) {
      at = IdlPutBezier(at, end, points, count);
      segments += count / 3;
      tally.curves += count / 3;
      curves = TRUE;
    } else {
      at = IdlPutPolyLine(at, end, points, count);
      segments += count;
      tally.lines += count;
    }
    if (run.flags & PD_CLOSEFIGURE) tally.closed = TRUE;
  }
  if (at == nullptr || subpath == nullptr) {
    // A damaged path: nothing of the record stays.
    dl_rewind(&pdev->stream, mark);
    return nullptr;
  }
  IdlSetSubpathSegments(subpath, segments);
  RECTFX bounds{};
  PATHOBJ_vGetBounds(ppo, &bounds);
  IdlFinishPath(pdev, record, at, curves, kPathClip, tally, RECTL{bounds.xLeft, bounds.yTop, bounds.xRight, bounds.yBottom});
  return record;
}

}  // namespace

BYTE Rop3ToMix(BYTE rop3) { return kRop3ToMix[rop3]; }

BrushRecord* SetBrushObject(PDEV* pdev, SURFOBJ*, BRUSHOBJ* pbo, POINTL* pptlBrush) {
  if (pbo == nullptr) return nullptr;
  if (pbo->iSolidColor != 0xFFFFFFFF) {
    pdev->defaultBrush = BrushRecord{};
    pdev->defaultBrush.colors[0] = pbo->iSolidColor;
    pdev->defaultBrush.colors[1] = 0xFFFFFF;
    return &pdev->defaultBrush;
  }
  auto* brush = static_cast<BrushRecord*>(BRUSHOBJ_pvGetRbrush(pbo));
  if (brush == nullptr) return nullptr;
  brush->originX = static_cast<SHORT>(pptlBrush != nullptr ? pptlBrush->x & 0xFF : 0);
  brush->originY = static_cast<SHORT>(pptlBrush != nullptr ? pptlBrush->y & 0xFF : 0);
  return brush;
}

BOOL SetDrawAttr(PDEV*, ULONG mix, DRAWATTR* attributes, ULONG strokeAndFill) {
  attributes->mix = static_cast<USHORT>(mix & 0xFF);
  attributes->backgroundMode = ((mix >> 8) & 0xFF) == kBackgroundLeaveAlone ? kBackgroundTransparent : kBackgroundOpaque;
  attributes->thirdColorFlag = strokeAndFill == 1 ? 1 : 0;
  return TRUE;
}

LONG_PTR SetClipObject(PDEV* pdev, CLIPOBJ* pco, ULONG) {
  RegionCache* cache = CacheOf(pdev);
  if (pco == nullptr || pco->iDComplexity == DC_TRIVIAL) return ResetClip(pdev, cache);
  if (pco->iDComplexity == DC_RECT) {
    if (cache != nullptr && cache->valid && cache->kind == kClipRectangle && SameRect(cache->bounds, pco->rclBounds)) {
      return reinterpret_cast<LONG_PTR>(cache->record);
    }
    BYTE* record = DlClipRect(pdev, &pco->rclBounds);
    if (record == nullptr) return -1;
    Remember(cache, pco->iUniq, record, kClipRectangle, pco->rclBounds);
    return reinterpret_cast<LONG_PTR>(record);
  }
  if (pco->iDComplexity == DC_COMPLEX) {
    if (pco->iUniq != 0 && cache != nullptr && cache->valid && cache->kind == kClipComplex && cache->uniq == pco->iUniq) {
      return reinterpret_cast<LONG_PTR>(cache->record);
    }
    PATHOBJ* ppo = CLIPOBJ_ppoGetPath(pco);
    if (ppo == nullptr) return -1;
    BYTE* record = SendClipPath(pdev, ppo);
    EngDeletePath(ppo);
    if (record == nullptr) return -1;
    Remember(cache, pco->iUniq, record, kClipComplex, pco->rclBounds);
    return reinterpret_cast<LONG_PTR>(record);
  }
  return ResetClip(pdev, cache);
}
