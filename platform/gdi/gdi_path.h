// The path of a DC: the figures its line, shape and text calls add while a
// path bracket is open, kept after EndPath until a path drawing call draws
// and discards it. Figures are kept in the pixels of the bitmap the DC draws
// on (28.4, 0.5 being a pixel's centre), where the calls would have drawn.
// Internal to platform/gdi/.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "platform/engine/objects/eng_geometry.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/gdi_log.h"

namespace plat::gdi {

struct DcPath {
  bool open = true;         // the bracket is still open
  bool figureOpen = false;  // the last figure ends where a LineTo may go on with it
  plat::eng::Path figures;
};

// Whether the DC has an open path bracket.
bool PathBracketOpen(HDC dc);
// Adds figures to the DC's open bracket, each subpath a figure of its own;
// with continues (a LineTo) a subpath starting where the open last figure
// ends goes on with it, and the figure stays open. False
// (ERROR_CAN_NOT_COMPLETE) when no bracket is open.
bool AddFigures(HDC dc, const plat::eng::Path& figures, bool continues);
// Ends the figure being drawn, so that the next line starts a new one.
void EndFigure(HDC dc);
// Copies the subpaths of from (from the first'th on; those without lines
// left out), moved by offset, after those of to; with closeAll every copied
// subpath is closed.
void AppendPath(plat::eng::Path& to, const plat::eng::Path& from, POINTFIX offset, bool closeAll,
                std::size_t first = 0);

// When the DC has an open path bracket: build(canvas, figures) makes what
// the call adds, which goes into the path instead of being drawn, the call
// is recorded, *result is its outcome and the answer is true. False (and
// nothing done) when no bracket is open, so that the caller draws.
template <class Build>
bool AddedToPath(HDC dc, const char* call, std::initializer_list<LONG_PTR> args, bool continues, Build build,
                 BOOL* result) {
  if (!PathBracketOpen(dc)) return false;
  Canvas canvas;
  plat::eng::Path figures;
  *result = ResolveCanvas(dc, &canvas) && build(canvas, figures) && AddFigures(dc, figures, continues) ? TRUE : FALSE;
  if (*result) RecordGdiCall(dc, call, args);
  return true;
}

// Strokes a path with the DC's pen within the clip rectangles, and fills one
// with its brush by the fill rule; the caller holds the raster lock.
bool StrokeWithPen(const Canvas& canvas, SURFOBJ* surface, plat::eng::Path& path, const std::vector<RECTL>& clipRects);
bool FillWithBrush(const Canvas& canvas, SURFOBJ* surface, plat::eng::Path& path, bool winding);

}  // namespace plat::gdi
