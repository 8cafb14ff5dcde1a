// Rectangle sets: intersection, difference and union that keep the pieces
// apart, so that each pixel of a region lies in one rectangle.
#include "platform/gdi/gdi_region.h"

#include <algorithm>

namespace plat::gdi {
namespace {

bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT Meet(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

// The up to four pieces of a that lie outside b.
void PiecesOutside(const RECT& a, const RECT& b, RectSet& out) {
  const RECT m = Meet(a, b);
  if (Empty(m)) {
    out.push_back(a);
    return;
  }
  const RECT pieces[] = {{a.left, a.top, a.right, m.top},
                         {a.left, m.bottom, a.right, a.bottom},
                         {a.left, m.top, m.left, m.bottom},
                         {m.right, m.top, a.right, m.bottom}};
  for (const RECT& p : pieces) {
    if (!Empty(p)) out.push_back(p);
  }
}

// The set in its one canonical form: horizontal bands between the distinct
// top and bottom edges, each band's spans merged, and bands with equal spans
// that touch merged downwards. Equal regions then have equal sets.
RectSet Canonical(const RectSet& set) {
  std::vector<LONG> edges;
  for (const RECT& r : set) {
    if (Empty(r)) continue;
    edges.push_back(r.top);
    edges.push_back(r.bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  RectSet out;
  std::vector<std::pair<LONG, LONG>> previous;
  std::size_t previousStart = 0;
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
    const LONG top = edges[i], bottom = edges[i + 1];
    std::vector<std::pair<LONG, LONG>> spans;
    for (const RECT& r : set) {
      if (!Empty(r) && r.top <= top && r.bottom >= bottom) spans.emplace_back(r.left, r.right);
    }
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<LONG, LONG>> merged;
    for (const auto& s : spans) {
      if (!merged.empty() && s.first <= merged.back().second) {
        merged.back().second = std::max(merged.back().second, s.second);
      } else {
        merged.push_back(s);
      }
    }
    const bool continues = !merged.empty() && merged == previous && previousStart < out.size() &&
                           out.back().bottom == top;
    if (continues) {
      for (std::size_t k = previousStart; k < out.size(); ++k) out[k].bottom = bottom;
      continue;
    }
    previousStart = out.size();
    for (const auto& s : merged) out.push_back(RECT{s.first, top, s.second, bottom});
    previous = std::move(merged);
  }
  return out;
}

}  // namespace

RectSet IntersectSet(const RectSet& set, const RECT& r) {
  RectSet out;
  for (const RECT& s : set) {
    const RECT m = Meet(s, r);
    if (!Empty(m)) out.push_back(m);
  }
  return Canonical(out);
}

RectSet SubtractRect(const RectSet& set, const RECT& r) {
  if (Empty(r)) return set;
  RectSet out;
  for (const RECT& s : set) PiecesOutside(s, r, out);
  return Canonical(out);
}

RectSet IntersectSets(const RectSet& a, const RectSet& b) {
  RectSet out;
  for (const RECT& r : b) {
    const RectSet part = IntersectSet(a, r);
    out.insert(out.end(), part.begin(), part.end());
  }
  return Canonical(out);
}

RectSet SubtractSets(const RectSet& a, const RectSet& b) {
  RectSet out = a;
  for (const RECT& r : b) out = SubtractRect(out, r);
  return out;
}

RectSet UnionSets(const RectSet& a, const RectSet& b) {
  RectSet out = a;
  const RectSet rest = SubtractSets(b, a);
  out.insert(out.end(), rest.begin(), rest.end());
  return Canonical(out);
}

RECT BoundsOfSet(const RectSet& set) {
  RECT bounds{};
  bool any = false;
  for (const RECT& r : set) {
    if (Empty(r)) continue;
    bounds = any ? RECT{std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
                        std::max(bounds.bottom, r.bottom)}
                 : r;
    any = true;
  }
  return bounds;
}

RectSet OffsetSet(RectSet set, LONG dx, LONG dy) {
  for (RECT& r : set) r = RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  return set;
}

}  // namespace plat::gdi
