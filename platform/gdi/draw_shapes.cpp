// Lines and shapes: MoveToEx/LineTo, Polyline, Rectangle, Ellipse, Polygon
// and Arc, as engine paths filled with the brush and stroked with the pen in
// the DC's binary raster operation; in an open path bracket the same figures
// go into the DC's path instead.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/engine/raster/engraster.h"
#include "platform/engine/raster/raster_core.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/gdi_path.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

// A point in the bitmap's pixels, 0.5 being a pixel's centre.
struct PointD {
  double x, y;
};

POINTFIX Fix(PointD p) {
  return POINTFIX{static_cast<FIX>(std::lround(p.x * 16)), static_cast<FIX>(std::lround(p.y * 16))};
}

// The centre of the bitmap pixel of a logical point.
PointD Centre(const Canvas& canvas, int x, int y) {
  const POINT d = canvas.ToDevice(POINT{x, y});
  return PointD{d.x + 0.5, d.y + 0.5};
}

// The dash and gap lengths of a cosmetic pen style, in pixels.
std::vector<FLOAT_LONG> StyleOf(int style) {
  auto lengths = [](std::initializer_list<LONG> l) {
    std::vector<FLOAT_LONG> out;
    for (LONG v : l) out.push_back(FLOAT_LONG{.l = v});
    return out;
  };
  switch (style) {
    case PS_DASH: return lengths({18, 6});
    case PS_DOT: return lengths({3, 3});
    case PS_DASHDOT: return lengths({9, 6, 3, 6});
    case PS_DASHDOTDOT: return lengths({9, 3, 3, 3, 3, 3});
    default: return {};
  }
}

bool NullPen(const Canvas& canvas) { return canvas.pen.style == PS_NULL; }

}  // namespace

// A pen wider than one pixel is drawn solid with round joins and ends, as
// wide pens are.
bool StrokeWithPen(const Canvas& canvas, SURFOBJ* surface, plat::eng::Path& path, const std::vector<RECTL>& clipRects) {
  if (NullPen(canvas)) return true;
  auto brush = SolidBrush(canvas, canvas.pen.color);
  std::vector<FLOAT_LONG> style = canvas.pen.width > 1 ? std::vector<FLOAT_LONG>{} : StyleOf(canvas.pen.style);
  LINEATTRS attrs{};
  attrs.iJoin = JOIN_ROUND;
  attrs.iEndCap = ENDCAP_ROUND;
  if (canvas.pen.width > 1) {
    attrs.fl = LA_GEOMETRIC;
    attrs.elWidth.e = static_cast<FLOATL>(canvas.pen.width);
  } else {
    attrs.elWidth.l = 1;
  }
  attrs.cstyle = static_cast<ULONG>(style.size());
  attrs.pstyle = style.empty() ? nullptr : style.data();
  const RECTFX b = path.Bounds();
  const LONG margin = canvas.pen.width + 2;
  const RECTL bounds{(b.xLeft >> 4) - margin, (b.yTop >> 4) - margin, (b.xRight >> 4) + margin,
                     (b.yBottom >> 4) + margin};
  plat::eng::Clip clip = plat::eng::Clip::Region(clipRects, bounds, plat::eng::NewClipUniq());
  POINTL origin = BrushOrigin(canvas);
  plat::eng::Xform identity;
  return EngStrokePath(surface, &path, &clip, &identity, brush.get(), &origin, &attrs, MixOf(canvas)) != FALSE;
}

// The brush fills in the DC's binary raster operation.
bool FillWithBrush(const Canvas& canvas, SURFOBJ* surface, plat::eng::Path& path, bool winding) {
  RealizedBrush brush = RealizeBrush(canvas, canvas.brush);
  if (brush.brush == nullptr) return true;
  const RECTFX b = path.Bounds();
  const RECTL bounds{(b.xLeft >> 4) - 1, (b.yTop >> 4) - 1, (b.xRight >> 4) + 2, (b.yBottom >> 4) + 2};
  plat::eng::Clip clip = ClipFor(canvas, bounds);
  POINTL origin = BrushOrigin(canvas);
  return EngFillPath(surface, &path, &clip, brush.brush.get(), &origin, MixOf(canvas),
                     winding ? FP_WINDINGMODE : 0) != FALSE;
}

namespace {

// Runs draw(canvas, surface) on the DC's canvas under the raster lock, then
// records the call.
template <class Draw>
BOOL Drawing(HDC dc, const char* call, std::initializer_list<LONG_PTR> args, Draw draw) {
  Canvas canvas;
  if (!ResolveCanvas(dc, &canvas)) return FALSE;
  {
    std::lock_guard guard(RasterLock());
    EngineSurface surface(*canvas.bitmap);
    if (surface.get() == nullptr || !draw(canvas, surface.get())) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  RecordGdiCall(dc, call, args);
  return TRUE;
}

// The points of an ellipse's arc from angle `from` counter-clockwise by
// `sweep` (radians, y up), on the ellipse through the centres of the
// bounding box's edge pixels.
std::vector<PointD> ArcPoints(PointD centre, double rx, double ry, double from, double sweep) {
  const int steps = std::max(4, static_cast<int>(std::ceil(sweep / (std::numbers::pi / 36))));
  std::vector<PointD> points;
  for (int i = 0; i <= steps; ++i) {
    const double a = from + sweep * i / steps;
    points.push_back(PointD{centre.x + rx * std::cos(a), centre.y - ry * std::sin(a)});
  }
  return points;
}

// The centres of the bitmap pixels of logical points.
std::vector<PointD> Centres(const Canvas& canvas, const POINT* points, int count) {
  std::vector<PointD> centres;
  for (int i = 0; i < count; ++i) centres.push_back(Centre(canvas, points[i].x, points[i].y));
  return centres;
}

void AddPoints(plat::eng::Path& path, const std::vector<PointD>& points, bool closed) {
  std::vector<POINTFIX> fixed;
  for (PointD p : points) fixed.push_back(Fix(p));
  path.AddPolygon(fixed, closed);
}

// A shape call: figure(canvas, path) adds the shape's figures to a path; in
// an open path bracket they go into the DC's path, otherwise draw(canvas,
// surface, path) draws them.
template <class Figure, class Draw>
BOOL Shape(HDC dc, const char* call, std::initializer_list<LONG_PTR> args, Figure figure, Draw draw) {
  BOOL added = FALSE;
  if (AddedToPath(dc, call, args, false, [&](const Canvas& canvas, plat::eng::Path& path) {
        figure(canvas, path);
        return true;
      }, &added)) {
    return added;
  }
  return Drawing(dc, call, args, [&](const Canvas& canvas, SURFOBJ* surface) {
    plat::eng::Path path;
    figure(canvas, path);
    return draw(canvas, surface, path);
  });
}

// A shape through points (at least two), open or closed.
template <class Draw>
BOOL PointShape(HDC dc, const char* call, const POINT* points, int count, bool closed, Draw draw) {
  if (points == nullptr || count < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto figure = [&](const Canvas& canvas, plat::eng::Path& path) {
    AddPoints(path, Centres(canvas, points, count), closed);
  };
  return Shape(dc, call, {count}, figure, draw);
}

RECT Ordered(int left, int top, int right, int bottom) {
  return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// The ellipse through the centres of the box's edge pixels; nothing for an
// empty box.
void AddEllipseOf(const Canvas& canvas, const RECT& r, plat::eng::Path& path) {
  if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
  const POINTFIX a = Fix(Centre(canvas, r.left, r.top));
  const POINTFIX b = Fix(Centre(canvas, r.right - 1, r.bottom - 1));
  path.AddEllipse(RECTFX{a.x, a.y, b.x, b.y});
}

}  // namespace
}  // namespace plat::gdi

using plat::gdi::Canvas;
using plat::eng::Path;

BOOL LineTo(HDC dc, int x, int y) {
  auto figure = [&](const Canvas& canvas, Path& path) {
    const POINT from = canvas.state.position;
    plat::gdi::AddPoints(path, {plat::gdi::Centre(canvas, from.x, from.y), plat::gdi::Centre(canvas, x, y)}, false);
  };
  BOOL added = FALSE;
  if (plat::gdi::AddedToPath(dc, "LineTo", {x, y}, true, [&](const Canvas& canvas, Path& path) {
        figure(canvas, path);
        return plat::gdi::WithDC(dc, [&](plat::gdi::DeviceContext& d) { d.state.position = POINT{x, y}; });
      }, &added)) {
    return added;
  }
  const BOOL drawn = plat::gdi::Drawing(dc, "LineTo", {x, y}, [&](const Canvas& canvas, SURFOBJ* surface) {
    Path path;
    figure(canvas, path);
    // The line's last pixel is left for the next line to draw.
    const POINT end = canvas.ToDevice(POINT{x, y});
    const auto clip = plat::gdi::SubtractRect(canvas.clip, RECT{end.x, end.y, end.x + 1, end.y + 1});
    return plat::gdi::StrokeWithPen(canvas, surface, path, clip);
  });
  if (drawn) MoveToEx(dc, x, y, nullptr);
  return drawn;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  auto draw = [&](const Canvas& canvas, SURFOBJ* surface, Path& path) {
    // As with LineTo, the last point's pixel is left undrawn.
    const POINT end = canvas.ToDevice(points[count - 1]);
    const auto clip = plat::gdi::SubtractRect(canvas.clip, RECT{end.x, end.y, end.x + 1, end.y + 1});
    return plat::gdi::StrokeWithPen(canvas, surface, path, clip);
  };
  return plat::gdi::PointShape(dc, "Polyline", points, count, false, draw);
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  const RECT r = plat::gdi::Ordered(left, top, right, bottom);
  auto figure = [&](const Canvas& canvas, Path& path) {
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
    plat::gdi::AddPoints(path, {plat::gdi::Centre(canvas, r.left, r.top), plat::gdi::Centre(canvas, r.right - 1, r.top),
                                plat::gdi::Centre(canvas, r.right - 1, r.bottom - 1),
                                plat::gdi::Centre(canvas, r.left, r.bottom - 1)},
                         true);
  };
  return plat::gdi::Shape(dc, "Rectangle", {left, top, right, bottom}, figure,
                          [&](const Canvas& canvas, SURFOBJ* surface, Path& path) {
    const BYTE rop = plat::eng::MixToRop3(plat::gdi::MixOf(canvas));
    const bool nullPen = plat::gdi::NullPen(canvas);
    // Without a pen the interior reaches one pixel less to the right and down.
    const LONG w = nullPen ? 0 : std::max(canvas.pen.width, 1);
    const RECT inner = nullPen ? RECT{r.left, r.top, r.right - 1, r.bottom - 1}
                               : RECT{r.left + w, r.top + w, r.right - w, r.bottom - w};
    plat::gdi::RealizedBrush brush = plat::gdi::RealizeBrush(canvas, canvas.brush);
    if (brush.brush != nullptr && !plat::gdi::FillWith(canvas, surface, canvas.ToDevice(inner), brush.brush.get(), rop)) {
      return false;
    }
    if (nullPen || r.right - r.left < 1 || r.bottom - r.top < 1) return true;
    if (canvas.pen.style != PS_SOLID && canvas.pen.style != PS_INSIDEFRAME && w == 1) {
      return plat::gdi::StrokeWithPen(canvas, surface, path, canvas.clip);
    }
    // A solid frame lies inside the rectangle, each pixel drawn once.
    auto pen = plat::gdi::SolidBrush(canvas, canvas.pen.color);
    const LONG h = std::min<LONG>(w, (r.bottom - r.top + 1) / 2);
    const RECT strips[] = {{r.left, r.top, r.right, r.top + h},
                           {r.left, std::max(r.bottom - h, r.top + h), r.right, r.bottom},
                           {r.left, r.top + h, std::min(r.left + w, r.right), r.bottom - h},
                           {std::max(r.right - w, r.left + w), r.top + h, r.right, r.bottom - h}};
    for (const RECT& s : strips) {
      if (!plat::gdi::FillWith(canvas, surface, canvas.ToDevice(s), pen.get(), rop)) return false;
    }
    return true;
  });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  const RECT r = plat::gdi::Ordered(left, top, right, bottom);
  return plat::gdi::Shape(
      dc, "Ellipse", {left, top, right, bottom},
      [&](const Canvas& canvas, Path& path) { plat::gdi::AddEllipseOf(canvas, r, path); },
      [&](const Canvas& canvas, SURFOBJ* surface, Path& path) {
        return path.subpaths().empty() || (plat::gdi::FillWithBrush(canvas, surface, path, false) &&
                                           plat::gdi::StrokeWithPen(canvas, surface, path, canvas.clip));
      });
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  auto draw = [](const Canvas& canvas, SURFOBJ* surface, Path& path) {
    return plat::gdi::FillWithBrush(canvas, surface, path, canvas.state.polyFillMode == WINDING) &&
           plat::gdi::StrokeWithPen(canvas, surface, path, canvas.clip);
  };
  return plat::gdi::PointShape(dc, "Polygon", points, count, true, draw);
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  const RECT r = plat::gdi::Ordered(left, top, right, bottom);
  auto figure = [&](const Canvas& canvas, Path& path) {
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return;
    const auto a = plat::gdi::Centre(canvas, r.left, r.top);
    const auto b = plat::gdi::Centre(canvas, r.right - 1, r.bottom - 1);
    const plat::gdi::PointD c{(a.x + b.x) / 2, (a.y + b.y) / 2};
    // The radials through the start and end points, counter-clockwise.
    const auto s = plat::gdi::Centre(canvas, xStart, yStart);
    const auto e = plat::gdi::Centre(canvas, xEnd, yEnd);
    const double from = std::atan2(c.y - s.y, s.x - c.x);
    double sweep = std::atan2(c.y - e.y, e.x - c.x) - from;
    if (sweep <= 0) sweep += 2 * std::numbers::pi;
    plat::gdi::AddPoints(path, plat::gdi::ArcPoints(c, (b.x - a.x) / 2, (b.y - a.y) / 2, from, sweep), false);
  };
  return plat::gdi::Shape(dc, "Arc", {left, top, right, bottom, xStart, yStart, xEnd, yEnd}, figure,
                          [&](const Canvas& canvas, SURFOBJ* surface, Path& path) {
    return path.subpaths().empty() || plat::gdi::StrokeWithPen(canvas, surface, path, canvas.clip);
  });
}
