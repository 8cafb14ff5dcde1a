// The window table, the desktop and the geometry helpers every window call
// shares.
#include "platform/window/window_object.h"

#include <atomic>
#include <unordered_map>

#include "platform/base/winerror.h"

namespace plat::window {
namespace {

constexpr ULONG_PTR kFirstHandle = 0x00010010;

struct Table {
  std::unordered_map<ULONG_PTR, std::shared_ptr<Window>> windows;
  ULONG_PTR next = kFirstHandle;
  HWND desktop = nullptr;
};

LRESULT DesktopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// With the lock held: the table, with the desktop made on first use.
Table& LockedTable() {
  static Table* table = [] {
    auto* made = new Table;  // lives until process exit, as the desktop does
    auto cls = std::make_shared<WindowClass>();
    cls->name = u"#32769";
    cls->proc = DesktopProc;
    cls->system = true;
    auto desktop = std::make_shared<Window>();
    desktop->cls = cls;
    desktop->proc = DesktopProc;
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    desktop->rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    desktop->client = desktop->rect;
    desktop->life = Life::kAlive;
    const ULONG_PTR value = made->next;
    made->next += 4;
    desktop->handle = reinterpret_cast<HWND>(value);
    made->desktop = desktop->handle;
    // The taskbar: a top-level window of the machine's shell.
    auto trayClass = std::make_shared<WindowClass>();
    trayClass->name = u"Shell_TrayWnd";
    trayClass->proc = DesktopProc;
    trayClass->system = true;
    auto tray = std::make_shared<Window>();
    tray->cls = trayClass;
    tray->proc = DesktopProc;
    tray->style = WS_POPUP | WS_VISIBLE;
    tray->exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    tray->rect = TaskbarRect();
    tray->client = RECT{0, 0, tray->rect.right - tray->rect.left, tray->rect.bottom - tray->rect.top};
    tray->parent = desktop->handle;
    tray->life = Life::kAlive;
    tray->handle = reinterpret_cast<HWND>(made->next);
    made->next += 4;
    desktop->children.push_back(tray->handle);
    made->windows.emplace(reinterpret_cast<ULONG_PTR>(tray->handle), std::move(tray));
    made->windows.emplace(value, std::move(desktop));
    return made;
  }();
  return *table;
}

}  // namespace

std::mutex& UserLock() {
  static std::mutex* lock = new std::mutex;  // lives until process exit
  return *lock;
}

DWORD CurrentThread() {
  static std::atomic<DWORD> next{1};
  thread_local const DWORD key = next++;
  return key;
}

Window* LockedWindow(HWND hwnd) {
  Table& table = LockedTable();
  auto it = table.windows.find(reinterpret_cast<ULONG_PTR>(hwnd));
  return it == table.windows.end() ? nullptr : it->second.get();
}

Window* LockedWindowOrError(HWND hwnd) {
  Window* w = LockedWindow(hwnd);
  if (w == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

std::shared_ptr<Window> KeepWindow(HWND hwnd) {
  std::lock_guard guard(UserLock());
  Table& table = LockedTable();
  auto it = table.windows.find(reinterpret_cast<ULONG_PTR>(hwnd));
  if (it == table.windows.end()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return it->second;
}

std::shared_ptr<Window> LockedWindowShared(HWND hwnd) {
  Table& table = LockedTable();
  auto it = table.windows.find(reinterpret_cast<ULONG_PTR>(hwnd));
  return it == table.windows.end() ? nullptr : it->second;
}

HWND LockedAddWindow(std::shared_ptr<Window> window) {
  Table& table = LockedTable();
  const ULONG_PTR value = table.next;
  table.next += 4;
  window->handle = reinterpret_cast<HWND>(value);
  table.windows.emplace(value, std::move(window));
  return reinterpret_cast<HWND>(value);
}

void LockedRemoveWindow(HWND hwnd) { LockedTable().windows.erase(reinterpret_cast<ULONG_PTR>(hwnd)); }

std::vector<HWND> LockedAllWindows() {
  std::vector<HWND> all;
  for (const auto& entry : LockedTable().windows) all.push_back(entry.second->handle);
  return all;
}

HWND Desktop() {
  std::lock_guard guard(UserLock());
  return LockedTable().desktop;
}

HWND LockedDesktop() { return LockedTable().desktop; }

RECT LockedScreenRect(const Window& w) {
  RECT r = w.rect;
  for (const Window* p = LockedWindow(w.parent); p != nullptr; p = LockedWindow(p->parent)) {
    const LONG dx = p->rect.left + p->client.left;
    const LONG dy = p->rect.top + p->client.top;
    r = RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  }
  return r;
}

POINT LockedClientOrigin(const Window& w) {
  const RECT r = LockedScreenRect(w);
  return POINT{r.left + w.client.left, r.top + w.client.top};
}

bool LockedVisibleChain(const Window& w) {
  for (const Window* p = &w; p != nullptr; p = LockedWindow(p->parent)) {
    if ((p->style & WS_VISIBLE) == 0) return false;
  }
  return true;
}

bool LockedIsSelfOrAncestor(HWND ancestor, HWND hwnd) {
  for (const Window* p = LockedWindow(hwnd); p != nullptr; p = LockedWindow(p->parent)) {
    if (p->handle == ancestor) return true;
  }
  return false;
}

std::vector<HWND> LockedSubtree(HWND hwnd) {
  std::vector<HWND> out{hwnd};
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (const Window* w = LockedWindow(out[i])) out.insert(out.end(), w->children.begin(), w->children.end());
  }
  return out;
}

RECT FrameInsets(DWORD style, DWORD exStyle) {
  LONG edge = 0;
  if ((style & WS_THICKFRAME) != 0) {
    edge = GetSystemMetrics(SM_CXFRAME);
  } else if ((style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) {
    edge = GetSystemMetrics(SM_CXDLGFRAME);
  } else if ((style & WS_BORDER) != 0) {
    edge = GetSystemMetrics(SM_CXBORDER);
  }
  if ((exStyle & WS_EX_CLIENTEDGE) != 0) edge += GetSystemMetrics(SM_CXEDGE);
  if ((exStyle & WS_EX_STATICEDGE) != 0) edge += GetSystemMetrics(SM_CXBORDER);
  LONG caption = 0;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    caption = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) != 0 ? SM_CYSMCAPTION : SM_CYCAPTION);
  }
  return RECT{edge, edge + caption, edge, edge};
}

WNDPROC ProcOf(HWND hwnd) {
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindow(hwnd);
  return w == nullptr ? nullptr : w->proc;
}

}  // namespace plat::window
