// The scroll bar's geometry, picture and mouse handling, apart from where
// the bar lies and whom it tells.
#include "platform/window/controls/scroll_logic.h"

#include <algorithm>

#include "platform/window/controls/control_draw.h"

namespace plat::window {
namespace {

// The bar's geometry along its axis: arrow size and the thumb's extent.
struct Geometry {
  int length;  // along the axis
  int arrow;   // each arrow's length
  int thumbStart;
  int thumbEnd;
};

Geometry GeometryOf(const BarPlace& place, const ScrollState& s) {
  const RECT& a = place.area;
  const int length = place.vertical ? a.bottom - a.top : a.right - a.left;
  const int across = place.vertical ? a.right - a.left : a.bottom - a.top;
  const int arrow = std::min(across, length / 2);
  const int shaft = std::max(0, length - 2 * arrow);
  const int span = std::max(1, s.max - s.min + 1);
  const int thumb = s.page > 0 ? std::max(8, static_cast<int>(shaft * static_cast<long long>(s.page) / span)) : 8;
  const int room = std::max(0, shaft - std::min(thumb, shaft));
  const int range = std::max(1, ClampScroll(s, s.max) - s.min);
  const int start = arrow + static_cast<int>(static_cast<long long>(room) * (s.pos - s.min) / range);
  return Geometry{length, arrow, start, start + std::min(thumb, shaft)};
}

int ThumbRoom(const Geometry& g) { return std::max(1, g.length - 2 * g.arrow - (g.thumbEnd - g.thumbStart)); }
bool ThumbMoves(const Geometry& g) { return g.thumbEnd - g.thumbStart < g.length - 2 * g.arrow; }

// The position whose thumb starts at `start` along the bar.
int PositionAt(const Geometry& g, const ScrollState& s, int start) {
  const int range = ClampScroll(s, s.max) - s.min;
  return ClampScroll(s, s.min + static_cast<int>(static_cast<long long>(start - g.arrow) * range / ThumbRoom(g)));
}

// Where the thumb starts for a position: the least start that PositionAt
// takes for it.
int StartFor(const Geometry& g, const ScrollState& s, int position) {
  const long long range = std::max(1, ClampScroll(s, s.max) - s.min);
  const long long offset = static_cast<long long>(position - s.min) * ThumbRoom(g);
  return g.arrow + static_cast<int>((offset + range - 1) / range);
}

int AlongOf(const BarPlace& place, POINT p) {
  return place.vertical ? p.y - place.area.top : p.x - place.area.left;
}

POINT PointAt(const BarPlace& place, int along) {
  const RECT& a = place.area;
  return place.vertical ? POINT{(a.left + a.right) / 2, a.top + along} : POINT{a.left + along, (a.top + a.bottom) / 2};
}

// A part of the bar along its axis, from start to end, across its width.
RECT Along(const BarPlace& place, int start, int end) {
  const RECT& a = place.area;
  return place.vertical ? RECT{a.left, a.top + start, a.right, a.top + end}
                        : RECT{a.left + start, a.top, a.left + end, a.bottom};
}

// The classic shaft: the face and the highlight colours in a checker, when
// the bar paints with the system's scroll bar brush; another brush fills
// plainly.
void FillShaft(HDC dc, const RECT& r, HBRUSH shaft) {
  if (shaft != GetSysColorBrush(COLOR_SCROLLBAR)) {
    FillRect(dc, &r, shaft);
    return;
  }
  static constexpr WORD kChecker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};  // rows of 8 bits, WORD-aligned
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kChecker);
  HBRUSH brush = pattern != nullptr ? CreatePatternBrush(pattern) : nullptr;
  if (brush == nullptr) {
    FillRect(dc, &r, shaft);
  } else {
    const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_3DFACE));
    const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_3DHIGHLIGHT));
    FillRect(dc, &r, brush);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    DeleteObject(brush);
  }
  if (pattern != nullptr) DeleteObject(pattern);
}

}  // namespace

int ClampScroll(const ScrollState& s, int pos) {
  const int top = s.page > 0 ? s.max - static_cast<int>(s.page) + 1 : s.max;
  return std::clamp(pos, s.min, std::max(s.min, top));
}

void ApplyScrollInfo(ScrollState& s, const SCROLLINFO& si) {
  if ((si.fMask & SIF_RANGE) != 0) {
    s.min = si.nMin;
    s.max = std::max(si.nMin, si.nMax);
  }
  if ((si.fMask & SIF_PAGE) != 0) s.page = std::min<UINT>(si.nPage, static_cast<UINT>(s.max - s.min + 1));
  if ((si.fMask & SIF_POS) != 0) s.pos = si.nPos;
  s.pos = ClampScroll(s, s.pos);
}

void ReadScrollInfo(const ScrollState& s, SCROLLINFO& si) {
  if ((si.fMask & SIF_RANGE) != 0) {
    si.nMin = s.min;
    si.nMax = s.max;
  }
  if ((si.fMask & SIF_PAGE) != 0) si.nPage = s.page;
  if ((si.fMask & SIF_POS) != 0) si.nPos = s.pos;
  if ((si.fMask & SIF_TRACKPOS) != 0) si.nTrackPos = s.tracking ? s.trackPos : s.pos;
}

void PaintScrollBar(HDC dc, const BarPlace& place, const ScrollState& s, HBRUSH shaft, bool enabled) {
  const Geometry g = GeometryOf(place, s);
  FillShaft(dc, Along(place, g.arrow, g.length - g.arrow), shaft);
  const bool upDisabled = !enabled || (s.disabledArrows & ESB_DISABLE_LTUP) != 0;
  const bool downDisabled = !enabled || (s.disabledArrows & ESB_DISABLE_RTDN) != 0;
  DrawArrowButton(dc, Along(place, 0, g.arrow), place.vertical ? ArrowDirection::kUp : ArrowDirection::kLeft, false,
                  upDisabled);
  DrawArrowButton(dc, Along(place, g.length - g.arrow, g.length),
                  place.vertical ? ArrowDirection::kDown : ArrowDirection::kRight, false, downDisabled);
  if (!enabled || !ThumbMoves(g) || s.max <= s.min) return;
  RECT thumb = Along(place, g.thumbStart, g.thumbEnd);
  DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

std::vector<ScrollTell> ScrollPress(const BarPlace& place, ScrollState& s, POINT p) {
  const int along = AlongOf(place, p);
  const Geometry g = GeometryOf(place, s);
  if (along < g.arrow) {
    if ((s.disabledArrows & ESB_DISABLE_LTUP) == 0) return {{SB_LINEUP, 0}};
    return {};
  }
  if (along >= g.length - g.arrow) {
    if ((s.disabledArrows & ESB_DISABLE_RTDN) == 0) return {{SB_LINEDOWN, 0}};
    return {};
  }
  if (along < g.thumbStart) return {{SB_PAGEUP, 0}};
  if (along >= g.thumbEnd) return {{SB_PAGEDOWN, 0}};
  s.tracking = true;
  s.trackPos = s.pos;
  s.grabOffset = along - g.thumbStart;
  return {};
}

std::vector<ScrollTell> ScrollDrag(const BarPlace& place, ScrollState& s, POINT p) {
  if (!s.tracking) return {};
  const int pos = PositionAt(GeometryOf(place, s), s, AlongOf(place, p) - s.grabOffset);
  if (pos == s.trackPos) return {};
  s.trackPos = pos;
  return {{SB_THUMBTRACK, pos}};
}

std::vector<ScrollTell> ScrollRelease(ScrollState& s) {
  std::vector<ScrollTell> tells;
  if (s.tracking) {
    s.tracking = false;
    tells.push_back({SB_THUMBPOSITION, s.trackPos});
  }
  tells.push_back({SB_ENDSCROLL, 0});
  return tells;
}

bool ScrollPointFor(const BarPlace& place, const ScrollState& s, WORD code, POINT* p) {
  if (p == nullptr) return false;
  const Geometry g = GeometryOf(place, s);
  int along = -1;
  if (code == SB_LINEUP) along = g.arrow / 2;
  if (code == SB_LINEDOWN) along = g.length - g.arrow / 2 - 1;
  if (code == SB_PAGEUP && g.thumbStart > g.arrow) along = (g.arrow + g.thumbStart) / 2;
  if (code == SB_PAGEDOWN && g.thumbEnd < g.length - g.arrow) along = (g.thumbEnd + g.length - g.arrow) / 2;
  if (along < 0) return false;
  *p = PointAt(place, along);
  return true;
}

bool ScrollThumbPoints(const BarPlace& place, const ScrollState& s, int position, POINT* grab, POINT* drop) {
  if (grab == nullptr || drop == nullptr || position != ClampScroll(s, position)) return false;
  const Geometry g = GeometryOf(place, s);
  if (!ThumbMoves(g)) return false;
  const int start = StartFor(g, s, position);
  if (PositionAt(g, s, start) != position) return false;  // more positions than pixels
  const int taken = (g.thumbStart + g.thumbEnd) / 2;
  *grab = PointAt(place, taken);
  *drop = PointAt(place, start + (taken - g.thumbStart));
  return true;
}

}  // namespace plat::window
