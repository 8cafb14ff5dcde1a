// Clip regions as sorted lists of rectangles.
#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/raster/pixels.h"

namespace plat::eng {
namespace {

RECTL BoundsOf(const std::vector<RECTL>& rects) {
  if (rects.empty()) return RECTL{0, 0, 0, 0};
  RECTL r = rects.front();
  for (const RECTL& x : rects) {
    r.left = std::min(r.left, x.left);
    r.top = std::min(r.top, x.top);
    r.right = std::max(r.right, x.right);
    r.bottom = std::max(r.bottom, x.bottom);
  }
  return r;
}

// True when the rectangles (not overlapping) cover the whole of r.
bool Covers(const std::vector<RECTL>& rects, const RECTL& r) {
  long long area = 0;
  for (const RECTL& x : rects) {
    const RECTL part = Intersect(x, r);
    area += static_cast<long long>(part.right - part.left) * (part.bottom - part.top);
  }
  return area == static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

}  // namespace

ULONG NewClipUniq() {
  static std::atomic<ULONG> next{1};
  return next++;
}

std::vector<RECTL> NormalizeRects(std::vector<RECTL> rects) {
  for (RECTL& r : rects) r = Ordered(r);
  rects.erase(std::remove_if(rects.begin(), rects.end(), [](const RECTL& r) { return IsEmpty(r); }),
              rects.end());
  std::sort(rects.begin(), rects.end(), [](const RECTL& a, const RECTL& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  return rects;
}

Clip Clip::Trivial(const RECTL& bounds) {
  Clip clip;
  clip.rclBounds = Ordered(bounds);
  clip.iDComplexity = DC_TRIVIAL;
  clip.iFComplexity = FC_RECT;
  clip.iMode = TC_RECTANGLES;
  clip.rects_ = {clip.rclBounds};
  return clip;
}

Clip Clip::Region(std::vector<RECTL> rects, const RECTL& drawingBounds, ULONG uniq) {
  Clip clip;
  clip.rects_ = NormalizeRects(std::move(rects));
  const RECTL drawing = Ordered(drawingBounds);
  clip.iUniq = uniq;
  clip.iMode = TC_RECTANGLES;
  if (Covers(clip.rects_, drawing)) {
    clip.rclBounds = drawing;
    clip.iDComplexity = DC_TRIVIAL;
    clip.iFComplexity = FC_RECT;
  } else if (clip.rects_.size() == 1) {
    clip.rclBounds = Intersect(clip.rects_.front(), drawing);
    clip.iDComplexity = DC_RECT;
    clip.iFComplexity = FC_RECT;
  } else {
    clip.rclBounds = Intersect(BoundsOf(clip.rects_), drawing);
    clip.iDComplexity = DC_COMPLEX;
    clip.iFComplexity = clip.rects_.size() <= 4 ? FC_RECT4 : FC_COMPLEX;
  }
  return clip;
}

std::vector<RECTL> Clip::Visible() const {
  if (iDComplexity != DC_COMPLEX) return {rclBounds};
  std::vector<RECTL> out;
  for (const RECTL& r : rects_) {
    const RECTL part = Intersect(r, rclBounds);
    if (!IsEmpty(part)) out.push_back(part);
  }
  return out;
}

ULONG Clip::EnumStart(bool all, ULONG direction, ULONG limit) {
  enumRects_.clear();
  for (const RECTL& r : (iDComplexity == DC_COMPLEX ? rects_ : std::vector<RECTL>{rclBounds})) {
    const RECTL part = all ? r : Intersect(r, rclBounds);
    if (!IsEmpty(part)) enumRects_.push_back(part);
  }
  const bool up = direction == CD_RIGHTUP || direction == CD_LEFTUP;
  const bool left = direction == CD_LEFTDOWN || direction == CD_LEFTUP;
  if (direction != CD_ANY) {
    std::stable_sort(enumRects_.begin(), enumRects_.end(), [&](const RECTL& a, const RECTL& b) {
      if (a.top != b.top) return up ? a.top > b.top : a.top < b.top;
      return left ? a.left > b.left : a.left < b.left;
    });
  }
  enumNext_ = 0;
  if (limit != 0 && enumRects_.size() > limit) return 0xFFFFFFFFu;
  return static_cast<ULONG>(enumRects_.size());
}

bool Clip::Enum(ULONG bytes, ULONG* out) {
  if (out == nullptr || bytes < sizeof(ULONG)) return false;
  const std::size_t room = (bytes - sizeof(ULONG)) / sizeof(RECTL);
  const std::size_t n = std::min(room, enumRects_.size() - enumNext_);
  auto* rects = reinterpret_cast<ENUMRECTS*>(out);
  rects->c = static_cast<ULONG>(n);
  std::memcpy(rects->arcl, enumRects_.data() + enumNext_, n * sizeof(RECTL));
  enumNext_ += n;
  return enumNext_ < enumRects_.size();
}

}  // namespace plat::eng

ULONG CLIPOBJ_cEnumStart(CLIPOBJ* pco, BOOL bAll, ULONG, ULONG iDirection, ULONG cLimit) {
  if (pco == nullptr) return 0;
  return static_cast<plat::eng::Clip*>(pco)->EnumStart(bAll != FALSE, iDirection, cLimit);
}

BOOL CLIPOBJ_bEnum(CLIPOBJ* pco, ULONG cj, ULONG* pv) {
  if (pco == nullptr) return FALSE;
  return static_cast<plat::eng::Clip*>(pco)->Enum(cj, pv) ? TRUE : FALSE;
}

PATHOBJ* CLIPOBJ_ppoGetPath(CLIPOBJ* pco) {
  if (pco == nullptr || pco->iDComplexity == DC_TRIVIAL) return nullptr;
  PATHOBJ* ppo = EngCreatePath();
  if (ppo == nullptr) return nullptr;
  auto* path = plat::eng::PathOf(ppo);
  for (const RECTL& r : static_cast<plat::eng::Clip*>(pco)->Visible()) {
    path->AddPolygon({{LTOFX(r.left), LTOFX(r.top)},
                      {LTOFX(r.right), LTOFX(r.top)},
                      {LTOFX(r.right), LTOFX(r.bottom)},
                      {LTOFX(r.left), LTOFX(r.bottom)}},
                     true);
  }
  return ppo;
}
