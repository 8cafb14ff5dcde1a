// The shared core of the engine's raster operations: a drawing target that
// may be a device surface read back through its driver, clip rectangles, and
// ternary raster operations on colour indexes. Internal to the engine.
#pragma once

#include <functional>
#include <vector>

#include "platform/engine/raster/engraster.h"
#include "platform/engine/raster/pixels.h"

namespace plat::eng {

class Brush;

// Pixels of the drawing surface in device coordinates: an engine bitmap
// directly, or a copy of an area of a device surface.
class Target {
 public:
  bool valid() const { return view_.valid(); }
  // The surface's pixel at device coordinates inside area().
  ULONG Get(LONG x, LONG y) const { return view_.Get(x - origin_.x, y - origin_.y); }
  void Set(LONG x, LONG y, ULONG v) { view_.Set(x - origin_.x, y - origin_.y, v); }
  // Sets pixels [left, right) of row y, inside area(), to v.
  void Fill(LONG y, LONG left, LONG right, ULONG v) { view_.Fill(y - origin_.y, left - origin_.x, right - origin_.x, v); }
  // Writes values to pixels [left, left + count) of row y, inside area().
  void WriteRow(LONG y, LONG left, const ULONG* values, std::size_t count) {
    view_.WriteRow(y - origin_.y, left - origin_.x, values, count);
  }
  ULONG format() const { return view_.format(); }
  const RECTL& area() const { return area_; }

 private:
  friend bool DrawOn(SURFOBJ*, const RECTL&, CLIPOBJ*, const std::function<bool(Target&)>&);
  PixelView view_;
  POINTL origin_{};
  RECTL area_{};
};

// Runs draw on the pixels of the surface within bounds (device coordinates,
// already limited to the surface). A device surface is read back and written
// through its driver's DrvCopyBits (with the clip); without it, FALSE.
bool DrawOn(SURFOBJ* pso, const RECTL& bounds, CLIPOBJ* pco,
            const std::function<bool(Target&)>& draw);

// The rectangles of the target area a drawing within bounds may touch.
std::vector<RECTL> ClipRects(CLIPOBJ* pco, const RECTL& bounds, const RECTL& area);

// The ternary raster operation on three colour indexes, bit by bit.
inline ULONG Rop3(BYTE rop, ULONG p, ULONG s, ULONG d) {
  ULONG result = 0;
  for (int i = 0; i < 8; ++i) {
    if (((rop >> i) & 1) == 0) continue;
    result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return result;
}
// Whether an operation reads the source or the pattern.
inline bool NeedsSource(BYTE rop) { return ((rop >> 2) ^ rop) & 0x33; }
inline bool NeedsPattern(BYTE rop) { return ((rop >> 4) ^ rop) & 0x0F; }
inline bool NeedsDestination(BYTE rop) { return ((rop >> 1) ^ rop) & 0x55; }
// The ternary operation of a binary mix code (1-16) between pen and
// destination.
BYTE MixToRop3(MIX mix);
// The bits that a colour index of the format holds.
ULONG IndexMask(ULONG format);

// Paints pixels [left, right) of row y (inside the target's area) with the
// brush (which may be null when the operation reads no pattern) in the
// ternary operation, keeping the bits of indexMask. Where every pixel gets
// the same value (a solid brush, an operation that does not read the
// destination) the row is filled at once.
void PaintRow(Target& t, LONG y, LONG left, LONG right, BYTE rop, const Brush* brush, POINTL origin,
              ULONG indexMask);

// Fills a polygon set (28.4, already flattened) on the target: every pixel
// whose centre lies inside by the rule, a run of a row at a time through
// fill(y, left, right) for the pixels [left, right).
void ScanFill(const std::vector<std::vector<POINTFIX>>& polygons, bool winding,
              const std::vector<RECTL>& clip, const std::function<void(LONG, LONG, LONG)>& fill);

}  // namespace plat::eng
