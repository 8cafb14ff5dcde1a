// What a scroll bar does wherever it lies (a control's client area or a
// window's frame): its geometry, its picture, what a press, a drag and a
// release ask for, and SCROLLINFO in and out. The caller sends what these
// return (WM_VSCROLL or WM_HSCROLL) to whom it concerns. Internal to
// platform/window/.
#pragma once

#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/window/scroll_state.h"
#include "platform/window/winuser_controls.h"

namespace plat::window {

// Where a bar lies, in the coordinates the points use.
struct BarPlace {
  RECT area;
  bool vertical;
};

// One WM_VSCROLL/WM_HSCROLL to send: a code and, for the thumb, a position.
struct ScrollTell {
  WORD code;
  int pos;
};

int ClampScroll(const ScrollState& s, int pos);
// The changes SCROLLINFO asks for (clamped), as SetScrollInfo makes them.
void ApplyScrollInfo(ScrollState& s, const SCROLLINFO& si);
void ReadScrollInfo(const ScrollState& s, SCROLLINFO& si);

// The arrows, the shaft in the given brush and the raised thumb; a bar
// disabled as a whole draws grey arrows and no thumb.
void PaintScrollBar(HDC dc, const BarPlace& place, const ScrollState& s, HBRUSH shaft, bool enabled);

// A press at a point: a line or page asked for, or the thumb taken (the
// state starts tracking and nothing is told yet).
std::vector<ScrollTell> ScrollPress(const BarPlace& place, ScrollState& s, POINT p);
// The mouse moved while the thumb is taken: SB_THUMBTRACK when the
// position it shows changes.
std::vector<ScrollTell> ScrollDrag(const BarPlace& place, ScrollState& s, POINT p);
// The release: SB_THUMBPOSITION after a drag, then SB_ENDSCROLL.
std::vector<ScrollTell> ScrollRelease(ScrollState& s);

// A point whose press asks for `code` (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP,
// SB_PAGEDOWN); false when the bar has no such part now.
bool ScrollPointFor(const BarPlace& place, const ScrollState& s, WORD code, POINT* p);
// Where to take the thumb and where to let it go so that it tells
// `position`; false when the thumb cannot move or no pixel gives it.
bool ScrollThumbPoints(const BarPlace& place, const ScrollState& s, int position, POINT* grab, POINT* drop);

}  // namespace plat::window
