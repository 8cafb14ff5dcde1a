// CreateWindowExW and DestroyWindow with their documented messages.
//
// Creation: WM_GETMINMAXINFO (framed top-level windows), WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE; then, for WS_VISIBLE, what
// ShowWindow sends; last WM_PARENTNOTIFY to the parent of a child.
// Destruction: WM_PARENTNOTIFY to the parent, the window hidden, owned
// windows destroyed, focus and capture taken away, WM_DESTROY to the window
// and then to each descendant (parents first), WM_NCDESTROY to each
// descendant and then the window (children first). Messages sent to a
// window while it is being destroyed still reach it; its handle is invalid
// once WM_NCDESTROY has returned.
#include <algorithm>

#include "platform/base/winerror.h"
#include "platform/gdi/display_dc.h"
#include "platform/modules/winresource.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_class.h"
#include "platform/window/window_internal.h"

namespace plat::window {
namespace {

constexpr int kDefaultX = 40;
constexpr int kDefaultY = 40;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

// The position a CreateWindowExW call asks for, with CW_USEDEFAULT filled
// as Windows does for overlapped windows (zero for the others).
RECT PlacementOf(DWORD style, int x, int y, int width, int height) {
  const bool overlapped = (style & (WS_CHILD | WS_POPUP)) == 0;
  if (x == CW_USEDEFAULT) {
    x = overlapped ? kDefaultX : 0;
    y = overlapped ? kDefaultY : 0;
  }
  if (width == CW_USEDEFAULT) {
    width = overlapped ? kDefaultWidth : 0;
    height = overlapped ? kDefaultHeight : 0;
  }
  return RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

// Enters the record into the table and the tree: a child at the bottom of
// its siblings, a top-level window on top (below topmost windows).
HWND Enter(const std::shared_ptr<WindowClass>& cls, DWORD exStyle, DWORD style, RECT rect, HWND parent,
                HWND owner, HMENU menu, HINSTANCE instance) {
  auto w = std::make_shared<Window>();
  w->cls = cls;
  w->thread = CurrentThread();
  w->proc = cls->proc;
  w->style = style & ~WS_VISIBLE;  // shown after WM_CREATE, as Windows does
  w->exStyle = exStyle;
  w->instance = instance;
  w->id = reinterpret_cast<LONG_PTR>(menu);
  w->extra.assign(static_cast<std::size_t>(cls->wndExtra), 0);
  w->owner = owner;
  w->rect = rect;
  std::lock_guard guard(UserLock());
  LockedMyQueue();  // the thread that makes a window has a queue from then on
  w->parent = parent != nullptr ? parent : LockedDesktop();
  Window* p = LockedWindow(w->parent);
  ++cls->windows;
  const HWND hwnd = LockedAddWindow(w);
  if ((style & WS_CHILD) != 0) {
    p->children.push_back(hwnd);
  } else {
    auto& siblings = p->children;
    auto at = (exStyle & WS_EX_TOPMOST) != 0
                  ? siblings.begin()
                  : std::find_if(siblings.begin(), siblings.end(), [](HWND s) {
                      const Window* sw = LockedWindow(s);
                      return sw != nullptr && (sw->exStyle & WS_EX_TOPMOST) == 0;
                    });
    siblings.insert(at, hwnd);
  }
  return hwnd;
}

enum class Created { kYes, kRefusedEarly, kRefused };

// Runs the creation messages. A window that refuses WM_NCCREATE has only
// WM_NCDESTROY to come; one that refuses WM_CREATE is destroyed in full.
Created RunCreation(HWND hwnd, CREATESTRUCTW& cs, bool framedTopLevel) {
  if (framedTopLevel) {
    MINMAXINFO info{};
    info.ptMaxSize = POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = info.ptMaxSize;
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  }
  if (SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == 0) return Created::kRefusedEarly;
  if (!IsWindow(hwnd)) return Created::kRefused;
  RecalculateClient(hwnd);
  if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || !IsWindow(hwnd)) {
    return Created::kRefused;
  }
  {
    std::lock_guard guard(UserLock());
    if (Window* w = LockedWindow(hwnd)) w->life = Life::kAlive;
  }
  SendSize(hwnd);
  SendMove(hwnd);
  return IsWindow(hwnd) ? Created::kYes : Created::kRefused;
}

// Sends the message to the parent of a child that asked for notices.
void NotifyParent(HWND hwnd, UINT event) {
  HWND parent = nullptr;
  WORD id = 0;
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr || (w->style & WS_CHILD) == 0 || (w->exStyle & WS_EX_NOPARENTNOTIFY) != 0) return;
    parent = w->parent;
    id = static_cast<WORD>(w->id);
  }
  SendMessageW(parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(event), id), reinterpret_cast<LPARAM>(hwnd));
}

// Takes a window that is gone out of the tree and the table.
void Unlink(HWND hwnd) {
  std::shared_ptr<Window> keep;  // let go outside the lock
  {
    std::lock_guard guard(UserLock());
    Window* w = LockedWindow(hwnd);
    if (w == nullptr) return;
    if (Window* p = LockedWindow(w->parent)) {
      auto& siblings = p->children;
      siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
    }
    for (HWND child : w->children) {
      if (Window* c = LockedWindow(child)) c->parent = nullptr;
    }
    --w->cls->windows;
    keep = LockedWindowShared(hwnd);
    LockedForgetWindow(hwnd);
    LockedRemoveWindow(hwnd);
  }
  gdi::DeleteDCsOfWindow(hwnd);
}

// The top-level windows owned by hwnd.
std::vector<HWND> OwnedWindows(HWND hwnd) {
  std::lock_guard guard(UserLock());
  std::vector<HWND> owned;
  for (HWND candidate : LockedAllWindows()) {
    const Window* w = LockedWindow(candidate);
    if (w != nullptr && w->owner == hwnd && w->life != Life::kDestroying) owned.push_back(candidate);
  }
  return owned;
}

void SendToLiving(const std::vector<HWND>& windows, UINT message) {
  for (HWND h : windows) {
    if (IsWindow(h)) SendMessageW(h, message, 0, 0);
  }
}

// WM_NCDESTROY children first (in z-order), then the window, each taken
// out of the tree as it goes.
void FinalDestroy(HWND hwnd) {
  std::vector<HWND> children;
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr) return;
    children = w->children;
  }
  for (HWND child : children) FinalDestroy(child);
  if (!IsWindow(hwnd)) return;
  SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
  Unlink(hwnd);
}

}  // namespace

void DestroyTree(HWND hwnd) {
  NotifyParent(hwnd, WM_DESTROY);
  if (IsWindowVisible(hwnd)) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (HWND owned : OwnedWindows(hwnd)) DestroyWindow(owned);
  ReleaseInputOf(hwnd);
  std::vector<HWND> subtree;
  {
    std::lock_guard guard(UserLock());
    subtree = LockedSubtree(hwnd);
    for (HWND h : subtree) {
      if (Window* w = LockedWindow(h)) w->life = Life::kDestroying;
    }
  }
  SendToLiving(subtree, WM_DESTROY);  // parents first
  FinalDestroy(hwnd);
}

}  // namespace plat::window

using plat::window::Life;
using plat::window::UserLock;
using plat::window::Window;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  auto cls = plat::window::FindClass(className, instance);
  if (cls == nullptr) return nullptr;
  HWND owner = nullptr;
  if (parent != nullptr) {
    std::lock_guard guard(UserLock());
    const Window* p = plat::window::LockedWindowOrError(parent);
    if (p == nullptr) return nullptr;
    if (p->life == Life::kDestroying) {  // no new children for a window on its way out
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
  }
  if ((style & WS_CHILD) != 0) {
    if (parent == nullptr) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return nullptr;
    }
  } else if (parent != nullptr) {
    owner = GetAncestor(parent, GA_ROOT);  // a top-level window is owned, never a child
    parent = nullptr;
  }
  const RECT rect = plat::window::PlacementOf(style, x, y, width, height);
  const HWND made = plat::window::Enter(cls, exStyle, style, rect, parent, owner, menu, instance);
  CREATESTRUCTW cs{param,
                   instance,
                   menu,
                   parent != nullptr ? parent : owner,
                   static_cast<int>(rect.bottom - rect.top),
                   static_cast<int>(rect.right - rect.left),
                   static_cast<int>(rect.top),
                   static_cast<int>(rect.left),
                   static_cast<LONG>(style),
                   windowName,
                   className,
                   exStyle};
  const bool framedTopLevel = (style & WS_CHILD) == 0 && (style & (WS_CAPTION | WS_THICKFRAME)) != 0;
  const auto created = plat::window::RunCreation(made, cs, framedTopLevel);
  if (created == plat::window::Created::kRefusedEarly && IsWindow(made)) {
    SendMessageW(made, WM_NCDESTROY, 0, 0);
    plat::window::Unlink(made);
  }
  if (created != plat::window::Created::kYes) {
    if (IsWindow(made)) plat::window::DestroyTree(made);
    SetLastError(ERROR_CANCELLED);
    return nullptr;
  }
  if ((style & WS_VISIBLE) != 0) ShowWindow(made, SW_SHOW);
  if (!IsWindow(made)) return nullptr;
  plat::window::NotifyParent(made, WM_CREATE);
  return IsWindow(made) ? made : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  {
    std::lock_guard guard(UserLock());
    const Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return FALSE;
    if (w->thread != plat::window::CurrentThread()) {  // the desktop, the taskbar, another thread's window
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (w->life == Life::kDestroying) return TRUE;  // already on its way out
  }
  plat::window::DestroyTree(hwnd);
  return TRUE;
}
