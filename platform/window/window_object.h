// The window manager's own records: classes, windows and the tree they
// form, under one lock (the window manager's lock). The lock is never held
// while a window procedure runs: callers look up what they need, let the
// lock go, then call. Handles are never reused, so a stale handle is simply
// not found. Internal to platform/window/.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/window/scroll_state.h"
#include "platform/window/winuser.h"

namespace plat::window {

struct WindowClass {
  std::u16string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSm = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  bool system = false;  // a class of the machine, not of an application
  int windows = 0;      // live windows of the class
};

enum class Life { kCreating, kAlive, kDestroying };

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> cls;
  DWORD thread = 0;  // the thread whose queue serves it; 0 for the machine's own
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HINSTANCE instance = nullptr;
  LONG_PTR id = 0;  // a child's id, or a top-level window's menu
  LONG_PTR userData = 0;
  std::vector<BYTE> extra;
  std::u16string text;
  HWND parent = nullptr;          // the desktop for top-level windows
  HWND owner = nullptr;
  std::vector<HWND> children;     // z-order, topmost first
  RECT rect{};                    // in the parent's client coordinates
  RECT client{};                  // the client area in window coordinates
  RECT update{};                  // the update region's bounds, client coordinates
  bool erase = false;             // the update region wants WM_ERASEBKGND
  bool frame = false;             // the frame wants WM_NCPAINT
  bool paintListed = false;       // in the list the paint cycle looks through
  ScrollState bars[2];            // the window's own bars, SB_HORZ and SB_VERT
  Life life = Life::kCreating;
};

// The window manager's lock.
std::mutex& UserLock();

// The calling thread's key (1 and up; 0 names the machine's own windows).
DWORD CurrentThread();

// With the lock held: the window of a handle, or null.
Window* LockedWindow(HWND hwnd);
// With the lock held: the window, or null with ERROR_INVALID_WINDOW_HANDLE.
Window* LockedWindowOrError(HWND hwnd);
// Runs read(const Window&) under the lock; false (last error
// ERROR_INVALID_WINDOW_HANDLE) for an unknown handle.
template <class Read>
bool ReadWindow(HWND hwnd, Read read) {
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindowOrError(hwnd);
  if (w == nullptr) return false;
  read(*w);
  return true;
}
// Without the lock: a reference that keeps the record alive while a call
// runs; null (last error ERROR_INVALID_WINDOW_HANDLE) for an unknown handle.
std::shared_ptr<Window> KeepWindow(HWND hwnd);
// With the lock held: the shared record of a handle, or null.
std::shared_ptr<Window> LockedWindowShared(HWND hwnd);
// With the lock held: enters a new window and returns its handle.
HWND LockedAddWindow(std::shared_ptr<Window> window);
// With the lock held: takes a window out of the table (unlinked already).
void LockedRemoveWindow(HWND hwnd);
// With the lock held: every window, in no order.
std::vector<HWND> LockedAllWindows();

// The desktop: the parent of every top-level window, the size of the screen.
HWND Desktop();
HWND LockedDesktop();

// Where the taskbar ("Shell_TrayWnd", a window of the machine) lies.
RECT TaskbarRect();

// With the lock held: the window's rectangle in screen coordinates, and its
// client area's origin on the screen.
RECT LockedScreenRect(const Window& w);
POINT LockedClientOrigin(const Window& w);
// With the lock held: whether the window and all its ancestors are visible.
bool LockedVisibleChain(const Window& w);
// With the lock held: whether `ancestor` is hwnd or one of its ancestors.
bool LockedIsSelfOrAncestor(HWND ancestor, HWND hwnd);
// With the lock held: the window and its descendants, parents first.
std::vector<HWND> LockedSubtree(HWND hwnd);

// The frame a window's styles give it: insets of the client area.
RECT FrameInsets(DWORD style, DWORD exStyle);

// A window's procedure, read under the lock; null for an unknown handle.
WNDPROC ProcOf(HWND hwnd);

}  // namespace plat::window
