// Rectangles, coordinates, SetWindowPos and its callers (MoveWindow,
// ShowWindow) and EnableWindow, with the messages Windows sends for each:
// WM_WINDOWPOSCHANGING, WM_NCCALCSIZE on a size change, WM_WINDOWPOSCHANGED
// (whose default handling sends WM_MOVE and WM_SIZE); WM_SHOWWINDOW before a
// window is shown or hidden; WM_CANCELMODE and WM_ENABLE.
#include <algorithm>

#include "platform/base/winerror.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_internal.h"

namespace plat::window {
namespace {

LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

// Fills the parts of a WINDOWPOS that its flags keep as they are.
WINDOWPOS CurrentPos(const Window& w, HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  WINDOWPOS pos{hwnd, after, x, y, cx, cy, flags};
  if ((flags & SWP_NOMOVE) != 0) {
    pos.x = w.rect.left;
    pos.y = w.rect.top;
  }
  if ((flags & SWP_NOSIZE) != 0) {
    pos.cx = Width(w.rect);
    pos.cy = Height(w.rect);
  }
  return pos;
}

// Moves hwnd in its parent's z-order as insertAfter asks.
void LockedReorder(Window& w, HWND after) {
  Window* p = LockedWindow(w.parent);
  if (p == nullptr) return;
  auto& siblings = p->children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), w.handle), siblings.end());
  if (after == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
  if (after == HWND_NOTOPMOST) w.exStyle &= ~WS_EX_TOPMOST;
  auto at = siblings.begin();
  if (after == HWND_BOTTOM) {
    at = siblings.end();
  } else if (after != HWND_TOP && after != HWND_TOPMOST && after != HWND_NOTOPMOST) {
    auto found = std::find(siblings.begin(), siblings.end(), after);
    at = found == siblings.end() ? siblings.begin() : std::next(found);
  }
  siblings.insert(at, w.handle);
}

struct Applied {
  bool resized = false;
  bool moved = false;
  bool shown = false;
  bool hidden = false;
  HWND parent = nullptr;
  RECT oldRect{};
};

Applied Apply(HWND hwnd, const WINDOWPOS& pos) {
  Applied done;
  std::lock_guard guard(UserLock());
  Window* w = LockedWindow(hwnd);
  if (w == nullptr) return done;
  done.parent = w->parent;
  done.oldRect = w->rect;
  const RECT next{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
  done.moved = (pos.flags & SWP_NOMOVE) == 0 && (next.left != w->rect.left || next.top != w->rect.top);
  done.resized = (pos.flags & SWP_NOSIZE) == 0 && (Width(next) != Width(w->rect) || Height(next) != Height(w->rect));
  if ((pos.flags & SWP_NOMOVE) == 0) {
    w->rect.right += next.left - w->rect.left;
    w->rect.bottom += next.top - w->rect.top;
    w->rect.left = next.left;
    w->rect.top = next.top;
  }
  if ((pos.flags & SWP_NOSIZE) == 0) {
    w->rect.right = w->rect.left + Width(next);
    w->rect.bottom = w->rect.top + Height(next);
  }
  if ((pos.flags & SWP_SHOWWINDOW) != 0 && (w->style & WS_VISIBLE) == 0) {
    w->style |= WS_VISIBLE;
    done.shown = true;
  }
  if ((pos.flags & SWP_HIDEWINDOW) != 0 && (w->style & WS_VISIBLE) != 0) {
    w->style &= ~WS_VISIBLE;
    done.hidden = true;
  }
  if ((pos.flags & SWP_NOZORDER) == 0) LockedReorder(*w, pos.hwndInsertAfter);
  return done;
}

}  // namespace

void RecalculateClient(HWND hwnd) {
  RECT rect{};
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr) return;
    rect = w->rect;
  }
  const RECT window = rect;
  SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
  std::lock_guard guard(UserLock());
  if (Window* w = LockedWindow(hwnd)) {
    // The client area, in window coordinates, clipped to the window.
    const LONG width = Width(window);
    const LONG height = Height(window);
    const LONG left = std::clamp<LONG>(rect.left - window.left, 0, width);
    const LONG top = std::clamp<LONG>(rect.top - window.top, 0, height);
    w->client = RECT{left, top, std::clamp<LONG>(rect.right - window.left, left, width),
                     std::clamp<LONG>(rect.bottom - window.top, top, height)};
  }
}

void SendSize(HWND hwnd) {
  RECT client{};
  if (!GetClientRect(hwnd, &client)) return;
  SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
}

void SendMove(HWND hwnd) {
  POINT origin{};
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr) return;
    origin = POINT{w->rect.left + w->client.left, w->rect.top + w->client.top};
  }
  SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
}

}  // namespace plat::window

using plat::window::UserLock;
using plat::window::Window;

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  if (rect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return plat::window::ReadWindow(hwnd, [&](const Window& w) { *rect = plat::window::LockedScreenRect(w); });
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  if (rect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return plat::window::ReadWindow(hwnd, [&](const Window& w) {
    *rect = RECT{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
  });
}

namespace plat::window {
namespace {

// Moves a point by the window's client origin on the screen, one way or
// the other.
BOOL ShiftByClientOrigin(HWND hwnd, POINT* point, LONG sign) {
  if (point == nullptr) return FALSE;
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindowOrError(hwnd);
  if (w == nullptr) return FALSE;
  const POINT origin = LockedClientOrigin(*w);
  point->x += sign * origin.x;
  point->y += sign * origin.y;
  return TRUE;
}

}  // namespace
}  // namespace plat::window

BOOL ClientToScreen(HWND hwnd, POINT* point) { return plat::window::ShiftByClientOrigin(hwnd, point, 1); }

BOOL ScreenToClient(HWND hwnd, POINT* point) { return plat::window::ShiftByClientOrigin(hwnd, point, -1); }

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  POINT shift{};
  {
    std::lock_guard guard(UserLock());
    POINT a{};
    POINT b{};
    if (from != nullptr) {
      const Window* w = plat::window::LockedWindowOrError(from);
      if (w == nullptr) return 0;
      a = plat::window::LockedClientOrigin(*w);
    }
    if (to != nullptr) {
      const Window* w = plat::window::LockedWindowOrError(to);
      if (w == nullptr) return 0;
      b = plat::window::LockedClientOrigin(*w);
    }
    shift = POINT{a.x - b.x, a.y - b.y};
  }
  for (UINT i = 0; points != nullptr && i < count; ++i) {
    points[i].x += shift.x;
    points[i].y += shift.y;
  }
  SetLastError(ERROR_SUCCESS);  // a zero answer is then told from a failure
  return MAKELONG(static_cast<WORD>(shift.x), static_cast<WORD>(shift.y));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WINDOWPOS pos{};
  {
    std::lock_guard guard(UserLock());
    const Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return FALSE;
    if (hwnd == plat::window::LockedDesktop()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    pos = plat::window::CurrentPos(*w, hwnd, insertAfter, x, y, cx, cy, flags);
  }
  if ((flags & SWP_NOSENDCHANGING) == 0) {
    SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    pos.hwnd = hwnd;
  }
  const auto done = plat::window::Apply(hwnd, pos);
  if (!IsWindow(hwnd)) return FALSE;
  if (done.resized || (flags & SWP_FRAMECHANGED) != 0) plat::window::RecalculateClient(hwnd);
  const bool redraw = (flags & SWP_NOREDRAW) == 0;
  if (redraw && (done.resized || done.shown || (flags & SWP_FRAMECHANGED) != 0)) plat::window::InvalidateTree(hwnd);
  if (redraw && (done.hidden || done.moved || done.resized) && done.parent != nullptr) {
    plat::window::InvalidateArea(done.parent, done.oldRect, true);  // what the window uncovered
  }
  if (!done.moved) pos.flags |= SWP_NOMOVE;
  if (!done.resized) pos.flags |= SWP_NOSIZE;
  SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int command) {
  bool wasVisible = false;
  bool topLevel = false;
  {
    std::lock_guard guard(UserLock());
    const Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return FALSE;
    wasVisible = (w->style & WS_VISIBLE) != 0;
    topLevel = w->parent == plat::window::LockedDesktop() && (w->exStyle & WS_EX_NOACTIVATE) == 0;
  }
  if (command == SW_HIDE) {
    if (!wasVisible) return FALSE;
    SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
  }
  if (command < SW_HIDE || command > SW_SHOWDEFAULT + 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const bool activate = command != SW_SHOWNOACTIVATE && command != SW_SHOWNA && command != SW_SHOWMINNOACTIVE &&
                        command != SW_MINIMIZE;
  if (!wasVisible) {
    SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (activate ? 0u : SWP_NOACTIVATE));
  }
  if (activate && topLevel && IsWindow(hwnd)) plat::window::Activate(hwnd, WA_ACTIVE);
  return wasVisible ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  bool wasDisabled = false;
  {
    std::lock_guard guard(UserLock());
    Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return FALSE;
    wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;  // no change, no messages
    if (enable) w->style &= ~WS_DISABLED;
  }
  if (!enable) {
    SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
    // A window that cannot take input gives up the focus it or a descendant held.
    HWND focus = GetFocus();
    {
      std::lock_guard guard(UserLock());
      if (Window* w = plat::window::LockedWindow(hwnd)) w->style |= WS_DISABLED;
      if (focus != nullptr && !plat::window::LockedIsSelfOrAncestor(hwnd, focus)) focus = nullptr;
    }
    if (focus != nullptr) SetFocus(nullptr);
  }
  SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  std::lock_guard guard(UserLock());
  const Window* w = plat::window::LockedWindow(hwnd);
  return w != nullptr && plat::window::LockedVisibleChain(*w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  std::lock_guard guard(UserLock());
  const Window* w = plat::window::LockedWindow(hwnd);
  return w != nullptr && (w->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  std::lock_guard guard(UserLock());
  const Window* p = plat::window::LockedWindowOrError(parent);
  if (p == nullptr) return nullptr;
  const RECT client{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
  if (!PtInRect(&client, point)) return nullptr;
  for (HWND child : p->children) {
    const Window* c = plat::window::LockedWindow(child);
    if (c != nullptr && PtInRect(&c->rect, point)) return child;
  }
  return parent;
}

HWND WindowFromPoint(POINT point) {
  std::lock_guard guard(UserLock());
  HWND found = nullptr;
  const Window* level = plat::window::LockedWindow(plat::window::LockedDesktop());
  // Down the tree: the topmost visible, enabled window under the point at
  // each level, inside its parent's client area.
  while (level != nullptr) {
    const POINT origin = plat::window::LockedClientOrigin(*level);
    const POINT local{point.x - origin.x, point.y - origin.y};
    const Window* next = nullptr;
    for (HWND child : level->children) {
      const Window* c = plat::window::LockedWindow(child);
      if (c != nullptr && (c->style & WS_VISIBLE) != 0 && (c->style & WS_DISABLED) == 0 &&
          PtInRect(&c->rect, local)) {
        next = c;
        break;
      }
    }
    if (next == nullptr) break;
    found = next->handle;
    const RECT client = next->client;
    const POINT inWindow{local.x - next->rect.left, local.y - next->rect.top};
    if (!PtInRect(&client, inWindow)) break;
    level = next;
  }
  return found;
}
