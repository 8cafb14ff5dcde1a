// Regions as sets of rectangles that do not overlap, and the operations that
// clip regions and CombineRgn make of them. Internal to platform/gdi/.
#pragma once

#include <vector>

#include "platform/base/wintypes.h"

namespace plat::gdi {

using RectSet = std::vector<RECT>;

// The parts of a set inside r; the parts outside r.
RectSet IntersectSet(const RectSet& set, const RECT& r);
RectSet SubtractRect(const RectSet& set, const RECT& r);
// Set operations of two sets (the results never overlap themselves).
RectSet IntersectSets(const RectSet& a, const RectSet& b);
RectSet SubtractSets(const RectSet& a, const RectSet& b);
RectSet UnionSets(const RectSet& a, const RectSet& b);
// The smallest rectangle holding the set (empty for an empty set).
RECT BoundsOfSet(const RectSet& set);
RectSet OffsetSet(RectSet set, LONG dx, LONG dy);

}  // namespace plat::gdi
