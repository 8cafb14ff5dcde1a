// The list view under the user's hands. A press focuses the control and
// chooses the item under it (a press beside every item clears the
// selection); its release tells NM_CLICK with the item and column pressed;
// a double click chooses the item and tells NM_DBLCLK. Keys are told first
// as LVN_KEYDOWN; the arrows, Home, End, Page Up and Page Down then move
// the choice. The focus coming and going is told as NM_SETFOCUS and
// NM_KILLFOCUS.
#include <algorithm>

#include "platform/window/commctrl/listview_internal.h"

namespace plat::window::listview {
namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void TellActivate(HWND hwnd, UINT code, int item, int subItem, POINT at) {
  NMITEMACTIVATE nm{};
  nm.iItem = item;
  nm.iSubItem = subItem;
  nm.ptAction = at;
  nm.uKeyFlags = HeldKeyFlags();
  if (ListView* s = StateOf(hwnd); s != nullptr && Valid(*s, static_cast<WPARAM>(item))) {
    nm.uNewState = nm.uOldState = s->items[static_cast<std::size_t>(item)].state;
    nm.lParam = s->items[static_cast<std::size_t>(item)].param;
  }
  SendNotify(hwnd, code, &nm);
}

// The item and column under a client point, and the choice of that item.
struct Hit {
  int item;
  int subItem;
};
Hit ChooseAt(HWND hwnd, POINT at) {
  SetFocus(hwnd);
  ListView* s = StateOf(hwnd);
  if (s == nullptr) return Hit{-1, -1};
  const Hit hit{ItemAt(hwnd, *s, at), ColumnAt(*s, at)};
  UserSelect(hwnd, hit.item);
  return Hit{hit.item, hit.item >= 0 ? std::max(0, hit.subItem) : -1};
}

int FocusedItem(const ListView& s) {
  auto it = std::find_if(s.items.begin(), s.items.end(), [](const Item& i) { return (i.state & LVIS_FOCUSED) != 0; });
  return it == s.items.end() ? -1 : static_cast<int>(it - s.items.begin());
}

// The item a navigation key moves the choice to; -1 for another key.
int Target(HWND hwnd, const ListView& s, WPARAM key) {
  const auto count = static_cast<int>(s.items.size());
  const int current = FocusedItem(s);
  const int page = RowsPerPage(hwnd, s);
  int next = -1;
  switch (key) {
    case VK_UP: next = current - 1; break;
    case VK_DOWN: next = current + 1; break;
    case VK_PRIOR: next = current - page; break;
    case VK_NEXT: next = current + page; break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    default: return -1;
  }
  return std::clamp(next, 0, count - 1);
}

}  // namespace

LRESULT ButtonDown(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  const POINT at = PointOf(lParam);
  const Hit hit = ChooseAt(hwnd, at);
  ListView* s = StateOf(hwnd);
  if (s == nullptr) return 0;
  s->clickPending = true;
  s->pressItem = hit.item;
  s->pressSubItem = hit.subItem;
  s->pressPoint = at;
  SetCapture(hwnd);
  return 0;
}

LRESULT ButtonUp(HWND hwnd, UINT, WPARAM, LPARAM) {
  ListView* s = StateOf(hwnd);
  if (s == nullptr || !s->clickPending) return 0;
  s->clickPending = false;
  const Hit hit{s->pressItem, s->pressSubItem};
  const POINT at = s->pressPoint;
  if (GetCapture() == hwnd) ReleaseCapture();
  TellActivate(hwnd, NM_CLICK, hit.item, hit.subItem, at);
  return 0;
}

LRESULT DoubleClick(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  const POINT at = PointOf(lParam);
  const Hit hit = ChooseAt(hwnd, at);
  TellActivate(hwnd, NM_DBLCLK, hit.item, hit.subItem, at);
  return 0;
}

LRESULT KeyDown(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  NMLVKEYDOWN nm{};
  nm.wVKey = static_cast<WORD>(wParam);
  SendNotify(hwnd, LVN_KEYDOWN, &nm);
  ListView* s = StateOf(hwnd);
  if (s == nullptr || s->items.empty()) return 0;
  if (wParam == VK_SPACE) {
    const int focused = FocusedItem(*s);
    if (focused >= 0) ChangeState(hwnd, focused, LVIS_SELECTED, LVIS_SELECTED);
    return 0;
  }
  const int next = Target(hwnd, *s, wParam);
  if (next < 0) return 0;
  if (next != FocusedItem(*s) || (s->items[static_cast<std::size_t>(next)].state & LVIS_SELECTED) == 0) {
    UserSelect(hwnd, next);
  }
  return 0;
}

}  // namespace plat::window::listview
