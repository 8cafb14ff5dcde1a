// The window tree: parents, owners, siblings in z-order, dialog items,
// enumeration and FindWindowW.
#include <algorithm>

#include "platform/base/winerror.h"
#include "platform/text/wintext.h"
#include "platform/window/window_object.h"

namespace plat::window {
namespace {

// With the lock held: whether a window's class and text match FindWindowW's
// arguments (null matches anything).
bool LockedMatches(const Window& w, LPCWSTR className, LPCWSTR windowName) {
  if (className != nullptr) {
    const bool byAtom = (reinterpret_cast<ULONG_PTR>(className) >> 16) == 0;
    if (byAtom ? w.cls->atom != static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className))
               : lstrcmpiW(reinterpret_cast<LPCWSTR>(w.cls->name.c_str()), className) != 0) {
      return false;
    }
  }
  return windowName == nullptr || lstrcmpiW(reinterpret_cast<LPCWSTR>(w.text.c_str()), windowName) == 0;
}

// The children of a window (the desktop's for null), snapshot under the lock.
std::vector<HWND> ChildrenOf(HWND parent) {
  std::lock_guard guard(UserLock());
  const Window* p = LockedWindow(parent != nullptr ? parent : LockedDesktop());
  return p == nullptr ? std::vector<HWND>{} : p->children;
}

// Calls proc for each window and, with `deep`, for its descendants; false
// when proc stopped the walk.
bool Walk(const std::vector<HWND>& windows, WNDENUMPROC proc, LPARAM lParam, bool deep) {
  for (HWND h : windows) {
    if (!IsWindow(h)) continue;  // destroyed by an earlier call
    if (!proc(h, lParam)) return false;
    if (deep && !Walk(ChildrenOf(h), proc, lParam, true)) return false;
  }
  return true;
}

}  // namespace
}  // namespace plat::window

using plat::window::UserLock;
using plat::window::Window;

BOOL IsWindow(HWND hwnd) {
  std::lock_guard guard(UserLock());
  return plat::window::LockedWindow(hwnd) != nullptr ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  std::lock_guard guard(UserLock());
  const Window* w = plat::window::LockedWindow(hwnd);
  // Only the parent chain of a child window counts, never the owner.
  while (w != nullptr && (w->style & WS_CHILD) != 0) {
    if (w->parent == parent) return TRUE;
    w = plat::window::LockedWindow(w->parent);
  }
  return FALSE;
}

HWND GetParent(HWND hwnd) {
  std::lock_guard guard(UserLock());
  const Window* w = plat::window::LockedWindowOrError(hwnd);
  if (w == nullptr) return nullptr;
  if ((w->style & WS_CHILD) != 0) return w->parent;
  return (w->style & WS_POPUP) != 0 ? w->owner : nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  std::lock_guard guard(UserLock());
  const Window* w = plat::window::LockedWindowOrError(hwnd);
  if (w == nullptr) return nullptr;
  const HWND desktop = plat::window::LockedDesktop();
  if (hwnd == desktop) return nullptr;
  if (flags == GA_PARENT) return w->parent;
  while (w->parent != desktop && w->parent != nullptr) w = plat::window::LockedWindow(w->parent);
  if (flags == GA_ROOT) return w->handle;
  if (flags == GA_ROOTOWNER) {
    while (const Window* o = plat::window::LockedWindow(w->owner)) w = o;
    return w->handle;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

HWND GetWindow(HWND hwnd, UINT command) {
  std::lock_guard guard(UserLock());
  const Window* w = plat::window::LockedWindowOrError(hwnd);
  if (w == nullptr) return nullptr;
  if (command == GW_OWNER) return w->owner;
  if (command == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (command == GW_ENABLEDPOPUP) return nullptr;
  const Window* p = plat::window::LockedWindow(w->parent);
  if (p == nullptr || command > GW_HWNDPREV) {
    if (command > GW_ENABLEDPOPUP) SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const auto& siblings = p->children;
  const auto at = std::find(siblings.begin(), siblings.end(), hwnd);
  switch (command) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return at == siblings.end() || std::next(at) == siblings.end() ? nullptr : *std::next(at);
    default: return at == siblings.begin() || at == siblings.end() ? nullptr : *std::prev(at);
  }
}

HWND GetTopWindow(HWND hwnd) {
  const auto children = plat::window::ChildrenOf(hwnd);
  return children.empty() ? nullptr : children.front();
}

HWND GetDesktopWindow() { return plat::window::Desktop(); }

HWND GetDlgItem(HWND dialog, int id) {
  std::lock_guard guard(UserLock());
  const Window* d = plat::window::LockedWindowOrError(dialog);
  if (d == nullptr) return nullptr;
  for (HWND child : d->children) {
    const Window* c = plat::window::LockedWindow(child);
    if (c != nullptr && static_cast<int>(c->id) == id) return child;
  }
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  std::lock_guard guard(UserLock());
  const Window* w = plat::window::LockedWindowOrError(hwnd);
  return w == nullptr ? 0 : static_cast<int>(w->id);
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  if (proc == nullptr || (parent != nullptr && !IsWindow(parent))) {
    SetLastError(parent != nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return plat::window::Walk(plat::window::ChildrenOf(parent), proc, lParam, true) ? TRUE : FALSE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (proc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return plat::window::Walk(plat::window::ChildrenOf(nullptr), proc, lParam, false) ? TRUE : FALSE;
}

HWND FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName) {
  std::lock_guard guard(UserLock());
  const Window* p = plat::window::LockedWindowOrError(parent != nullptr ? parent : plat::window::LockedDesktop());
  if (p == nullptr) return nullptr;
  auto it = p->children.begin();
  if (childAfter != nullptr) {
    it = std::find(p->children.begin(), p->children.end(), childAfter);
    if (it == p->children.end()) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    ++it;
  }
  for (; it != p->children.end(); ++it) {
    const Window* c = plat::window::LockedWindow(*it);
    if (c != nullptr && plat::window::LockedMatches(*c, className, windowName)) return *it;
  }
  return nullptr;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  return FindWindowExW(nullptr, nullptr, className, windowName);
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
  std::lock_guard guard(UserLock());
  const Window* w = plat::window::LockedWindowOrError(hwnd);
  if (w == nullptr) return 0;
  if (processId != nullptr) *processId = w->thread == 0 ? 4 : 1;  // the machine's own windows live elsewhere
  return w->thread;
}
