// Paths: BeginPath opens a bracket in which the line, shape and text calls
// add figures instead of drawing (gdi_path.h); EndPath closes it and keeps
// the path in the DC, and StrokePath, FillPath or StrokeAndFillPath hand it
// to the engine's raster core to draw, then discard it.
#include <memory>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/gdi_path.h"
#include "platform/gdi/gdi_table.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

POINTFIX EndOf(const plat::eng::Path::Subpath& s) {
  return s.runs.empty() ? s.start : s.runs.back().points.back();
}

// Runs change(the DC's path) under the table lock and records the call when
// it succeeds; a change that fails leaves ERROR_CAN_NOT_COMPLETE.
template <class Change>
BOOL PathCall(HDC dc, const char* call, Change change) {
  bool changed = false;
  if (!WithDC(dc, [&](DeviceContext& d) { changed = change(d.path); })) return FALSE;
  if (!changed) {
    SetLastError(ERROR_CAN_NOT_COMPLETE);
    return FALSE;
  }
  RecordGdiCall(dc, call, {});
  return TRUE;
}

// Takes the DC's closed path and draws it: filled with the brush (every
// figure closed) and stroked with the pen, as asked.
BOOL DrawPath(HDC dc, const char* call, bool fill, bool stroke) {
  std::shared_ptr<DcPath> taken;
  bool found = false;
  if (!WithDC(dc, [&](DeviceContext& d) {
        if (d.path == nullptr || d.path->open) return;
        taken = std::move(d.path);
        found = true;
      })) {
    return FALSE;
  }
  if (!found) {
    SetLastError(ERROR_CAN_NOT_COMPLETE);
    return FALSE;
  }
  Canvas canvas;
  if (!ResolveCanvas(dc, &canvas)) return FALSE;
  plat::eng::Path path;
  AppendPath(path, taken->figures, POINTFIX{0, 0}, fill);
  if (!path.subpaths().empty()) {
    std::lock_guard guard(RasterLock());
    EngineSurface surface(*canvas.bitmap);
    if (surface.get() == nullptr ||
        (fill && !FillWithBrush(canvas, surface.get(), path, canvas.state.polyFillMode == WINDING)) ||
        (stroke && !StrokeWithPen(canvas, surface.get(), path, canvas.clip))) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  RecordGdiCall(dc, call, {});
  return TRUE;
}

}  // namespace

bool PathBracketOpen(HDC dc) {
  bool open = false;
  WithDC(dc, [&](DeviceContext& d) { open = d.path != nullptr && d.path->open; });
  return open;
}

bool AddFigures(HDC dc, const plat::eng::Path& figures, bool continues) {
  bool added = false;
  WithDC(dc, [&](DeviceContext& d) {
    if (d.path == nullptr || !d.path->open) return;
    DcPath& path = *d.path;
    const auto& own = path.figures.subpaths();
    const auto& more = figures.subpaths();
    std::size_t first = 0;
    if (continues && path.figureOpen && !own.empty() && !own.back().closed && !more.empty()) {
      const POINTFIX end = EndOf(own.back());
      if (end.x == more.front().start.x && end.y == more.front().start.y) {
        for (const auto& run : more.front().runs) {
          if (run.beziers) {
            path.figures.BezierTo(run.points.data(), run.points.size());
          } else {
            path.figures.LineTo(run.points.data(), run.points.size());
          }
        }
        first = 1;
      }
    }
    AppendPath(path.figures, figures, POINTFIX{0, 0}, false, first);
    path.figureOpen = continues;
    added = true;
  });
  if (!added) SetLastError(ERROR_CAN_NOT_COMPLETE);
  return added;
}

void EndFigure(HDC dc) {
  WithDC(dc, [](DeviceContext& d) {
    if (d.path != nullptr) d.path->figureOpen = false;
  });
}

void AppendPath(plat::eng::Path& to, const plat::eng::Path& from, POINTFIX offset, bool closeAll, std::size_t first) {
  auto moved = [&](POINTFIX p) { return POINTFIX{p.x + offset.x, p.y + offset.y}; };
  const auto& subpaths = from.subpaths();
  for (std::size_t i = first; i < subpaths.size(); ++i) {
    const auto& s = subpaths[i];
    if (s.runs.empty()) continue;
    to.MoveTo(moved(s.start));
    for (const auto& run : s.runs) {
      std::vector<POINTFIX> points;
      points.reserve(run.points.size());
      for (POINTFIX p : run.points) points.push_back(moved(p));
      if (run.beziers) {
        to.BezierTo(points.data(), points.size());
      } else {
        to.LineTo(points.data(), points.size());
      }
    }
    if (s.closed || closeAll) to.Close();
  }
}

}  // namespace plat::gdi

BOOL BeginPath(HDC dc) {
  // Any path the DC had, open or closed, is discarded.
  return plat::gdi::PathCall(dc, "BeginPath", [](std::shared_ptr<plat::gdi::DcPath>& path) {
    path = std::make_shared<plat::gdi::DcPath>();
    return true;
  });
}

BOOL EndPath(HDC dc) {
  return plat::gdi::PathCall(dc, "EndPath", [](std::shared_ptr<plat::gdi::DcPath>& path) {
    if (path == nullptr || !path->open) return false;
    path->open = false;
    return true;
  });
}

BOOL AbortPath(HDC dc) {
  return plat::gdi::PathCall(dc, "AbortPath", [](std::shared_ptr<plat::gdi::DcPath>& path) {
    path.reset();
    return true;
  });
}

BOOL CloseFigure(HDC dc) {
  return plat::gdi::PathCall(dc, "CloseFigure", [](std::shared_ptr<plat::gdi::DcPath>& path) {
    if (path == nullptr || !path->open) return false;
    if (!path->figures.subpaths().empty()) path->figures.Close();
    path->figureOpen = false;
    return true;
  });
}

BOOL StrokePath(HDC dc) { return plat::gdi::DrawPath(dc, "StrokePath", false, true); }
BOOL FillPath(HDC dc) { return plat::gdi::DrawPath(dc, "FillPath", true, false); }
BOOL StrokeAndFillPath(HDC dc) { return plat::gdi::DrawPath(dc, "StrokeAndFillPath", true, true); }
