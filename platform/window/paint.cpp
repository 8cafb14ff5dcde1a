// Update regions and the paint cycle. A window's update region is kept as
// its bounding rectangle (what GetUpdateRect and PAINTSTRUCT.rcPaint give);
// validating part of it leaves it whole unless the part covers it. WM_PAINT
// is made when the queue has nothing else and a visible window of the
// thread has an update region; it stays until the region is validated.
#include <algorithm>
#include <atomic>

#include "platform/base/winerror.h"
#include "platform/gdi/display_dc.h"
#include "platform/gdi/gdi_log.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_control.h"
#include "platform/window/window_internal.h"

namespace plat::window {
namespace {

std::atomic<bool> g_paintingSuspended{false};

RECT ClientArea(const Window& w) { return RECT{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top}; }

// With the lock held: adds an area to the update region and wakes the thread.
void LockedInvalidate(Window& w, const RECT& area, bool erase) {
  const RECT client = ClientArea(w);
  RECT clipped{};
  if (!IntersectRect(&clipped, &area, &client)) return;
  const RECT before = w.update;
  UnionRect(&w.update, &before, &clipped);
  w.erase = w.erase || erase;
  LockedListForPaint(w);
  if (ThreadQueue* q = LockedQueueOf(w.thread)) q->wake.notify_all();
}

bool WantsPaint(const Window& w) { return !IsRectEmpty(&w.update) || w.frame; }

// The windows whose update region or frame was marked since the paint cycle
// last found them clean: a superset of those that want painting, so that
// the cycle need not walk every window of the machine on every message.
std::vector<HWND>& LockedPaintList() {
  static auto* list = new std::vector<HWND>;  // lives until process exit, as the windows do
  return *list;
}

// Whether the walk the paint cycle makes (from the desktop down, never
// below a hidden window) reaches the window.
bool LockedReached(const Window& w) {
  const HWND desktop = LockedDesktop();
  for (const Window* at = &w;; at = LockedWindow(at->parent)) {
    if (at == nullptr) return false;
    if (at->handle == desktop) return true;
    if ((at->style & WS_VISIBLE) == 0) return false;
  }
}

// Where a reached window stands in that walk (top-level windows in z-order,
// each before its children): its index among its siblings at each level
// from the top. False when it is not in its parent's list.
bool LockedTreePlace(const Window& w, std::vector<std::size_t>& place) {
  place.clear();
  const HWND desktop = LockedDesktop();
  for (const Window* at = &w; at->handle != desktop;) {
    const Window* parent = LockedWindow(at->parent);
    const auto it = std::find(parent->children.begin(), parent->children.end(), at->handle);
    if (it == parent->children.end()) return false;
    place.push_back(static_cast<std::size_t>(it - parent->children.begin()));
    at = parent;
  }
  std::reverse(place.begin(), place.end());
  return true;
}

// The walk itself, from a window down: the first of the thread's windows
// that wants painting and passes the filter.
HWND LockedSearch(HWND at, DWORD thread, HWND filter) {
  const Window* w = LockedWindow(at);
  if (w == nullptr || (w->style & WS_VISIBLE) == 0) return nullptr;
  if (w->thread == thread && WantsPaint(*w) && PassesWindowFilter(filter, at)) return at;
  for (HWND child : w->children) {
    if (HWND found = LockedSearch(child, thread, filter)) return found;
  }
  return nullptr;
}

// Past this many windows to choose from, walking the tree costs less than
// placing each of them in it.
constexpr std::size_t kPlacedAtMost = 8;

// The first window of the walk that wants painting, is the thread's and
// passes the filter; windows found clean or gone leave the list. With
// `clearAll`, every such window is marked clean instead (painting is
// suspended) and the answer is null.
HWND LockedFirstToPaint(DWORD thread, HWND filter, bool clearAll) {
  std::vector<HWND>& list = LockedPaintList();
  std::vector<Window*> reached;
  std::size_t kept = 0;
  for (HWND hwnd : list) {
    Window* w = LockedWindow(hwnd);
    if (w == nullptr) continue;
    if (!WantsPaint(*w)) {
      w->paintListed = false;
      continue;
    }
    list[kept++] = hwnd;
    if (w->thread == thread && PassesWindowFilter(filter, hwnd) && LockedReached(*w)) reached.push_back(w);
  }
  list.resize(kept);
  std::vector<std::size_t> place, firstPlace;
  if (clearAll) {
    for (Window* w : reached) {
      if (!LockedTreePlace(*w, place)) continue;
      w->update = RECT{};
      w->erase = false;
      w->frame = false;
    }
    return nullptr;
  }
  if (reached.size() > kPlacedAtMost) {
    const Window* desktop = LockedWindow(LockedDesktop());
    for (HWND top : desktop->children) {
      if (HWND found = LockedSearch(top, thread, filter)) return found;
    }
    return nullptr;
  }
  HWND first = nullptr;
  for (const Window* w : reached) {
    if (!LockedTreePlace(*w, place)) continue;
    if (first == nullptr || place < firstPlace) {
      first = w->handle;
      firstPlace.swap(place);
    }
  }
  return first;
}

}  // namespace

void LockedListForPaint(Window& w) {
  if (w.paintListed || !WantsPaint(w)) return;
  w.paintListed = true;
  LockedPaintList().push_back(w.handle);
}

HWND LockedPaintCandidate(DWORD thread, HWND filter) {
  // Suspended, every window the cycle would paint is marked clean at once.
  return LockedFirstToPaint(thread, filter, g_paintingSuspended.load(std::memory_order_relaxed));
}

void SuspendPainting(bool suspended) { g_paintingSuspended.store(suspended, std::memory_order_relaxed); }

void InvalidateArea(HWND hwnd, RECT area, bool erase) {
  std::lock_guard guard(UserLock());
  if (Window* w = LockedWindow(hwnd); w != nullptr && hwnd != LockedDesktop()) LockedInvalidate(*w, area, erase);
}

void InvalidateTree(HWND hwnd) {
  std::lock_guard guard(UserLock());
  for (HWND h : LockedSubtree(hwnd)) {
    Window* w = LockedWindow(h);
    if (w == nullptr || (h != hwnd && (w->style & WS_VISIBLE) == 0)) continue;
    w->frame = true;
    LockedInvalidate(*w, ClientArea(*w), true);
  }
}

}  // namespace plat::window

using plat::window::UserLock;
using plat::window::Window;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  std::lock_guard guard(UserLock());
  if (hwnd == nullptr) {  // every window
    for (HWND h : plat::window::LockedAllWindows()) {
      Window* w = plat::window::LockedWindow(h);
      if (h != plat::window::LockedDesktop()) plat::window::LockedInvalidate(*w, plat::window::ClientArea(*w), erase);
    }
    return TRUE;
  }
  Window* w = plat::window::LockedWindowOrError(hwnd);
  if (w == nullptr) return FALSE;
  plat::window::LockedInvalidate(*w, rect != nullptr ? *rect : plat::window::ClientArea(*w), erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  std::lock_guard guard(UserLock());
  if (hwnd == nullptr) return TRUE;
  Window* w = plat::window::LockedWindowOrError(hwnd);
  if (w == nullptr) return FALSE;
  const RECT& u = w->update;
  const bool covers = rect == nullptr || (rect->left <= u.left && rect->top <= u.top && rect->right >= u.right &&
                                          rect->bottom >= u.bottom);
  if (covers) {
    w->update = RECT{};
    w->erase = false;
    if (rect == nullptr) w->frame = false;
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  RECT update{};
  bool wantsErase = false;
  {
    std::lock_guard guard(UserLock());
    const Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return FALSE;
    update = w->update;
    wantsErase = w->erase;
  }
  if (rect != nullptr) *rect = update;
  if (IsRectEmpty(&update)) return FALSE;
  if (erase && wantsErase) {
    HDC dc = GetDC(hwnd);
    const bool erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
    ReleaseDC(hwnd, dc);
    std::lock_guard guard(UserLock());
    if (Window* w = plat::window::LockedWindow(hwnd); w != nullptr && erased) w->erase = false;
  }
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  bool wants = false;
  {
    std::lock_guard guard(UserLock());
    const Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return FALSE;
    wants = plat::window::WantsPaint(*w) && plat::window::LockedVisibleChain(*w);
  }
  if (wants) SendMessageW(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  if (paint == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  RECT update{};
  bool erase = false;
  bool frame = false;
  POINT origin{};
  SIZE size{};
  {
    // The update region is validated before the frame and background are
    // drawn, so that what they do does not paint again.
    std::lock_guard guard(UserLock());
    Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return nullptr;
    update = w->update;
    erase = w->erase;
    frame = w->frame;
    w->update = RECT{};
    w->erase = false;
    w->frame = false;
    origin = POINT{w->client.left, w->client.top};
    size = SIZE{w->client.right - w->client.left, w->client.bottom - w->client.top};
  }
  HDC dc = plat::gdi::CreateWindowDC(plat::gdi::DcKind::kPaint, hwnd, origin, size);
  plat::gdi::RecordGdiCall(dc, "BeginPaint", {update.left, update.top, update.right, update.bottom});
  if (frame) SendMessageW(hwnd, WM_NCPAINT, 1, 0);
  bool erased = false;
  if (erase) erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
  *paint = PAINTSTRUCT{};
  paint->hdc = dc;
  paint->fErase = erase && !erased ? TRUE : FALSE;
  paint->rcPaint = update;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (paint == nullptr) return TRUE;
  HWND owner = nullptr;
  plat::gdi::DcKind kind{};
  if (plat::gdi::DescribeDC(paint->hdc, &owner, &kind) && owner == hwnd && kind == plat::gdi::DcKind::kPaint) {
    plat::gdi::RecordGdiCall(paint->hdc, "EndPaint", {});
    plat::gdi::DeleteWindowDC(paint->hdc);
  }
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  if (hwnd == nullptr) {
    return plat::gdi::CreateWindowDC(plat::gdi::DcKind::kScreen, nullptr, POINT{},
                                     SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  }
  POINT origin{};
  SIZE size{};
  {
    std::lock_guard guard(UserLock());
    const Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return nullptr;
    origin = POINT{w->client.left, w->client.top};
    size = SIZE{w->client.right - w->client.left, w->client.bottom - w->client.top};
  }
  return plat::gdi::CreateWindowDC(plat::gdi::DcKind::kClient, hwnd, origin, size);
}

HDC GetWindowDC(HWND hwnd) {
  if (hwnd == nullptr) return GetDC(nullptr);
  SIZE size{};
  {
    std::lock_guard guard(UserLock());
    const Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return nullptr;
    size = SIZE{w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  }
  return plat::gdi::CreateWindowDC(plat::gdi::DcKind::kWindow, hwnd, POINT{}, size);
}

int ReleaseDC(HWND hwnd, HDC dc) {
  HWND owner = nullptr;
  plat::gdi::DcKind kind{};
  if (!plat::gdi::DescribeDC(dc, &owner, &kind) || owner != hwnd || kind == plat::gdi::DcKind::kPaint ||
      kind == plat::gdi::DcKind::kMemory) {
    return 0;
  }
  return plat::gdi::DeleteWindowDC(dc) ? 1 : 0;
}
