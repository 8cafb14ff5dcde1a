// The engine's side of transforms, paths and clip regions: the objects the
// host builds for a drawing call and the engine's raster code reads.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/engine/objects/clipobj.h"
#include "platform/engine/objects/pathobj.h"
#include "platform/engine/objects/xformobj.h"

namespace plat::eng {

class Xform : public XFORMOBJ {
 public:
  Xform() : Xform(XFORML{1, 0, 0, 1, 0, 0}) {}
  explicit Xform(const XFORML& matrix) : XFORMOBJ{}, matrix_(matrix) {}
  const XFORML& matrix() const { return matrix_; }
  ULONG Complexity() const;

 private:
  XFORML matrix_;
};

class Path : public PATHOBJ {
 public:
  // One run of a subpath: lines to each point, or Beziers (three points
  // each) from the current point.
  struct Run {
    bool beziers = false;
    std::vector<POINTFIX> points;
  };
  struct Subpath {
    POINTFIX start{};
    std::vector<Run> runs;
    bool closed = false;
  };

  Path() : PATHOBJ{} {}
  Path(const Path& other);
  Path& operator=(const Path&) = delete;

  void MoveTo(POINTFIX p);
  void LineTo(const POINTFIX* points, std::size_t count);
  void BezierTo(const POINTFIX* points, std::size_t count);  // count: multiple of 3
  void Close();
  // Rectangle and polygon helpers in 28.4.
  void AddPolygon(const std::vector<POINTFIX>& points, bool closed);
  // An ellipse inscribed in the rectangle, as four Beziers.
  void AddEllipse(const RECTFX& box);
  void MarkEllipse() { fl |= PO_ELLIPSE; }

  const std::vector<Subpath>& subpaths() const { return subpaths_; }
  RECTFX Bounds() const;
  bool HasBeziers() const { return (fl & PO_BEZIERS) != 0; }
  // The same path with each Bezier replaced by lines.
  std::unique_ptr<Path> Flattened() const;

  // PATHOBJ_bEnum's cursor.
  void EnumStart();
  bool Enum(PATHDATA& data);

 private:
  Subpath& Current();
  void Count(std::size_t segments);

  std::vector<Subpath> subpaths_;
  // Enumeration: subpath and run next, and the run's points with the start
  // point in front for a subpath's first run.
  std::size_t enumSubpath_ = 0;
  std::size_t enumRun_ = 0;
  std::vector<POINTFIX> enumPoints_;
};

// The engine's path behind a PATHOBJ it handed out.
Path* PathOf(PATHOBJ* ppo);

// A clip region: rectangles in the engine's order (top to bottom, left to
// right, not overlapping), the drawing's bounds and the region's identity.
class Clip : public CLIPOBJ {
 public:
  // A clip that needs no clipping for a drawing within bounds.
  static Clip Trivial(const RECTL& bounds);
  // A region clipped to the drawing's bounds: DC_TRIVIAL when the region
  // holds the bounds whole, DC_RECT for one rectangle, DC_COMPLEX for more.
  // uniq names the region: equal for calls with the same region.
  static Clip Region(std::vector<RECTL> rects, const RECTL& drawingBounds, ULONG uniq);

  const std::vector<RECTL>& rects() const { return rects_; }
  // The rectangles to draw within: the bounds for a trivial or rectangle
  // clip, the region's rectangles inside the bounds otherwise.
  std::vector<RECTL> Visible() const;

  ULONG EnumStart(bool all, ULONG direction, ULONG limit);
  bool Enum(ULONG bytes, ULONG* out);

 private:
  Clip() : CLIPOBJ{} {}
  std::vector<RECTL> rects_;
  std::vector<RECTL> enumRects_;
  std::size_t enumNext_ = 0;
};

// A fresh region identity for the host's clip states.
ULONG NewClipUniq();
// Sorts rectangles into the engine's order and drops empty ones.
std::vector<RECTL> NormalizeRects(std::vector<RECTL> rects);

}  // namespace plat::eng
