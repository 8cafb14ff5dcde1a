// Paths: subpaths of line and Bezier runs in 28.4 fixed point.
#include <algorithm>
#include <cmath>
#include <mutex>
#include <new>
#include <unordered_set>

#include "platform/engine/objects/eng_geometry.h"

namespace plat::eng {
namespace {

// Paths the engine allocated for a driver; only these may be deleted.
struct PathRegistry {
  std::mutex lock;
  std::unordered_set<const PATHOBJ*> paths;
};

PathRegistry& HeapPaths() {
  static PathRegistry* registry = new PathRegistry;  // lives until process exit
  return *registry;
}

// Lines approximating one Bezier, appended to out (the start point not
// included); enough steps that no step is longer than about a pixel.
void FlattenBezier(POINTFIX p0, POINTFIX p1, POINTFIX p2, POINTFIX p3,
                   std::vector<POINTFIX>& out) {
  auto dist = [](POINTFIX a, POINTFIX b) {
    return std::hypot(static_cast<double>(a.x - b.x), static_cast<double>(a.y - b.y));
  };
  const double length = dist(p0, p1) + dist(p1, p2) + dist(p2, p3);
  const int steps = std::clamp(static_cast<int>(length / 16.0) + 1, 1, 1024);
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back({static_cast<FIX>(std::lround(a * p0.x + b * p1.x + c * p2.x + d * p3.x)),
                   static_cast<FIX>(std::lround(a * p0.y + b * p1.y + c * p2.y + d * p3.y))});
  }
}

}  // namespace

Path::Path(const Path& other) : PATHOBJ(other), subpaths_(other.subpaths_) {}

Path::Subpath& Path::Current() {
  if (subpaths_.empty()) subpaths_.push_back({});
  return subpaths_.back();
}

void Path::Count(std::size_t segments) { cCurves += static_cast<ULONG>(segments); }

void Path::MoveTo(POINTFIX p) {
  if (!subpaths_.empty() && subpaths_.back().runs.empty()) {
    subpaths_.back().start = p;
    return;
  }
  subpaths_.push_back(Subpath{p, {}, false});
}

void Path::LineTo(const POINTFIX* points, std::size_t count) {
  if (count == 0) return;
  Subpath& s = Current();
  if (s.runs.empty() || s.runs.back().beziers) s.runs.push_back(Run{false, {}});
  s.runs.back().points.insert(s.runs.back().points.end(), points, points + count);
  Count(count);
}

void Path::BezierTo(const POINTFIX* points, std::size_t count) {
  count -= count % 3;
  if (count == 0) return;
  Subpath& s = Current();
  if (s.runs.empty() || !s.runs.back().beziers) s.runs.push_back(Run{true, {}});
  s.runs.back().points.insert(s.runs.back().points.end(), points, points + count);
  fl |= PO_BEZIERS;
  Count(count / 3);
}

void Path::Close() {
  if (!subpaths_.empty()) subpaths_.back().closed = true;
}

void Path::AddPolygon(const std::vector<POINTFIX>& points, bool closed) {
  if (points.empty()) return;
  MoveTo(points.front());
  LineTo(points.data() + 1, points.size() - 1);
  if (closed) Close();
}

void Path::AddEllipse(const RECTFX& box) {
  constexpr double kKappa = 0.5522847498307936;
  const double cx = (box.xLeft + box.xRight) / 2.0, cy = (box.yTop + box.yBottom) / 2.0;
  const double rx = (box.xRight - box.xLeft) / 2.0, ry = (box.yBottom - box.yTop) / 2.0;
  auto pt = [](double x, double y) {
    return POINTFIX{static_cast<FIX>(std::lround(x)), static_cast<FIX>(std::lround(y))};
  };
  const double kx = rx * kKappa, ky = ry * kKappa;
  MoveTo(pt(cx + rx, cy));
  const POINTFIX curves[] = {
      pt(cx + rx, cy + ky), pt(cx + kx, cy + ry), pt(cx, cy + ry),
      pt(cx - kx, cy + ry), pt(cx - rx, cy + ky), pt(cx - rx, cy),
      pt(cx - rx, cy - ky), pt(cx - kx, cy - ry), pt(cx, cy - ry),
      pt(cx + kx, cy - ry), pt(cx + rx, cy - ky), pt(cx + rx, cy)};
  BezierTo(curves, 12);
  Close();
  fl |= PO_ELLIPSE;
}

RECTFX Path::Bounds() const {
  bool any = false;
  RECTFX r{};
  auto add = [&](POINTFIX p) {
    if (!any) {
      r = {p.x, p.y, p.x, p.y};
      any = true;
      return;
    }
    r.xLeft = std::min(r.xLeft, p.x);
    r.yTop = std::min(r.yTop, p.y);
    r.xRight = std::max(r.xRight, p.x);
    r.yBottom = std::max(r.yBottom, p.y);
  };
  for (const Subpath& s : subpaths_) {
    add(s.start);
    for (const Run& run : s.runs) {
      for (POINTFIX p : run.points) add(p);
    }
  }
  return r;
}

std::unique_ptr<Path> Path::Flattened() const {
  auto flat = std::make_unique<Path>();
  for (const Subpath& s : subpaths_) {
    flat->MoveTo(s.start);
    POINTFIX current = s.start;
    for (const Run& run : s.runs) {
      if (!run.beziers) {
        flat->LineTo(run.points.data(), run.points.size());
        current = run.points.back();
        continue;
      }
      std::vector<POINTFIX> lines;
      for (std::size_t i = 0; i + 2 < run.points.size(); i += 3) {
        FlattenBezier(current, run.points[i], run.points[i + 1], run.points[i + 2], lines);
        current = run.points[i + 2];
      }
      flat->LineTo(lines.data(), lines.size());
    }
    if (s.closed) flat->Close();
  }
  return flat;
}

void Path::EnumStart() {
  enumSubpath_ = 0;
  enumRun_ = 0;
}

bool Path::Enum(PATHDATA& data) {
  auto skipEmpty = [&] {
    while (enumSubpath_ < subpaths_.size() && subpaths_[enumSubpath_].runs.empty()) {
      ++enumSubpath_;
      enumRun_ = 0;
    }
  };
  skipEmpty();
  if (enumSubpath_ >= subpaths_.size()) {
    data = PATHDATA{0, 0, nullptr};
    return false;
  }
  const Subpath& s = subpaths_[enumSubpath_];
  const Run& run = s.runs[enumRun_];
  FLONG flags = run.beziers ? PD_BEZIERS : 0;
  enumPoints_.clear();
  if (enumRun_ == 0) {
    flags |= PD_BEGINSUBPATH | PD_RESETSTYLE;
    enumPoints_.push_back(s.start);
  }
  enumPoints_.insert(enumPoints_.end(), run.points.begin(), run.points.end());
  if (enumRun_ + 1 == s.runs.size()) {
    flags |= PD_ENDSUBPATH;
    if (s.closed) flags |= PD_CLOSEFIGURE;
    ++enumSubpath_;
    enumRun_ = 0;
  } else {
    ++enumRun_;
  }
  data = PATHDATA{flags, static_cast<ULONG>(enumPoints_.size()), enumPoints_.data()};
  skipEmpty();
  return enumSubpath_ < subpaths_.size();
}

Path* PathOf(PATHOBJ* ppo) { return static_cast<Path*>(ppo); }

}  // namespace plat::eng

void PATHOBJ_vEnumStart(PATHOBJ* ppo) {
  if (ppo != nullptr) plat::eng::PathOf(ppo)->EnumStart();
}

BOOL PATHOBJ_bEnum(PATHOBJ* ppo, PATHDATA* ppd) {
  if (ppo == nullptr || ppd == nullptr) return FALSE;
  return plat::eng::PathOf(ppo)->Enum(*ppd) ? TRUE : FALSE;
}

void PATHOBJ_vGetBounds(PATHOBJ* ppo, PRECTFX prectfx) {
  if (ppo != nullptr && prectfx != nullptr) *prectfx = plat::eng::PathOf(ppo)->Bounds();
}

BOOL PATHOBJ_bMoveTo(PATHOBJ* ppo, POINTFIX ptfx) {
  if (ppo == nullptr) return FALSE;
  plat::eng::PathOf(ppo)->MoveTo(ptfx);
  return TRUE;
}

BOOL PATHOBJ_bPolyLineTo(PATHOBJ* ppo, POINTFIX* pptfx, ULONG cptfx) {
  if (ppo == nullptr || (cptfx > 0 && pptfx == nullptr)) return FALSE;
  plat::eng::PathOf(ppo)->LineTo(pptfx, cptfx);
  return TRUE;
}

BOOL PATHOBJ_bPolyBezierTo(PATHOBJ* ppo, POINTFIX* pptfx, ULONG cptfx) {
  if (ppo == nullptr || cptfx % 3 != 0 || (cptfx > 0 && pptfx == nullptr)) return FALSE;
  plat::eng::PathOf(ppo)->BezierTo(pptfx, cptfx);
  return TRUE;
}

BOOL PATHOBJ_bCloseFigure(PATHOBJ* ppo) {
  if (ppo == nullptr) return FALSE;
  plat::eng::PathOf(ppo)->Close();
  return TRUE;
}

PATHOBJ* EngCreatePath() {
  auto* path = new (std::nothrow) plat::eng::Path;
  if (path == nullptr) return nullptr;
  auto& registry = plat::eng::HeapPaths();
  std::lock_guard guard(registry.lock);
  registry.paths.insert(path);
  return path;
}

void EngDeletePath(PATHOBJ* ppo) {
  if (ppo == nullptr) return;
  auto& registry = plat::eng::HeapPaths();
  {
    std::lock_guard guard(registry.lock);
    if (registry.paths.erase(ppo) == 0) return;  // not one the engine handed out
  }
  delete plat::eng::PathOf(ppo);
}
