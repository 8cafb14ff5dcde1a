// Focus, activation and capture of each thread, the key state, and the
// routing of injected mouse and keyboard input.
#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/base/winerror.h"
#include "platform/runtime/wintime.h"
#include "platform/window/input_control.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_internal.h"

namespace plat::window {
namespace {

struct Pointer {
  std::mutex lock;
  POINT position{};
};

Pointer& ThePointer() {
  static Pointer* pointer = new Pointer;  // lives until process exit
  return *pointer;
}

// What the hardware holds down, as this thread injected it.
struct Hardware {
  BYTE keys[256] = {};
  UINT lastDown = 0;  // for double clicks: the last button-down message,
  HWND lastWindow = nullptr;  // where it went,
  DWORD lastTime = 0;         // when,
  POINT lastPoint{};          // and at which screen point
};
thread_local Hardware t_hardware;

// With the lock held: the windows under a screen point, each child before
// its parent and upper siblings before lower ones: the order in which
// WM_NCHITTEST is asked. Hidden windows and disabled ones (with what they
// hold) are left out, so a disabled child's parent answers for it.
void LockedCandidates(const Window& level, POINT screen, std::vector<HWND>& out) {
  for (HWND child : level.children) {
    const Window* c = LockedWindow(child);
    if (c == nullptr || (c->style & WS_VISIBLE) == 0 || (c->style & WS_DISABLED) != 0) continue;
    const RECT r = LockedScreenRect(*c);
    if (!PtInRect(&r, screen)) continue;
    const RECT client{r.left + c->client.left, r.top + c->client.top, r.left + c->client.right,
                      r.top + c->client.bottom};
    if (PtInRect(&client, screen)) LockedCandidates(*c, screen, out);
    out.push_back(child);
  }
}

WPARAM KeyFlags() {
  const BYTE* k = t_hardware.keys;
  WPARAM flags = 0;
  if (k[VK_LBUTTON] & 0x80) flags |= MK_LBUTTON;
  if (k[VK_RBUTTON] & 0x80) flags |= MK_RBUTTON;
  if (k[VK_MBUTTON] & 0x80) flags |= MK_MBUTTON;
  if (k[VK_SHIFT] & 0x80) flags |= MK_SHIFT;
  if (k[VK_CONTROL] & 0x80) flags |= MK_CONTROL;
  return flags;
}

void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, POINT screen) {
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindow(hwnd);
  if (w == nullptr) return;
  if (ThreadQueue* q = LockedQueueOf(w->thread)) {
    LockedPost(*q, MSG{hwnd, message, wParam, lParam, GetTickCount(), screen, 0}, true);
  }
}

// A second press of the same button on the same window of a CS_DBLCLKS
// class, soon enough and near enough, is a double click.
UINT DoubleClickOf(HWND target, UINT down, POINT screen) {
  Hardware& h = t_hardware;
  const DWORD now = GetTickCount();
  bool dbl = false;
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(target);
    dbl = w != nullptr && (w->cls->style & CS_DBLCLKS) != 0 && h.lastDown == down && h.lastWindow == target &&
          static_cast<DWORD>(now - h.lastTime) <= GetDoubleClickTime() &&
          std::abs(screen.x - h.lastPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
          std::abs(screen.y - h.lastPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  }
  h.lastDown = dbl ? 0 : down;
  h.lastWindow = target;
  h.lastTime = now;
  h.lastPoint = screen;
  return dbl ? down + (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN) : down;
}

// The window the mouse talks to at a point, and the hit-test code it gave.
bool Route(POINT screen, UINT message, HWND* target, LRESULT* hit) {
  HWND capture = GetCapture();
  if (capture != nullptr) {
    *target = capture;
    *hit = HTCLIENT;
    return true;
  }
  std::vector<HWND> candidates;
  {
    std::lock_guard guard(UserLock());
    LockedCandidates(*LockedWindow(LockedDesktop()), screen, candidates);
  }
  for (HWND c : candidates) {
    if (!IsWindow(c)) continue;
    const LRESULT answer =
        SendMessageW(c, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    if (answer == HTTRANSPARENT || !IsWindow(c)) continue;
    *target = c;
    *hit = answer;
    SendMessageW(c, WM_SETCURSOR, reinterpret_cast<WPARAM>(c), MAKELPARAM(static_cast<WORD>(answer), static_cast<WORD>(message)));
    return answer != HTERROR && answer != HTNOWHERE && IsWindow(c);
  }
  return false;
}

// A press on a window of an inactive top-level window activates it, unless
// the window answers WM_MOUSEACTIVATE otherwise; "and eat" drops the press.
bool ActivateOnPress(HWND target, LRESULT hit, UINT message) {
  HWND top = GetAncestor(target, GA_ROOT);
  if (top == nullptr || top == GetActiveWindow()) return true;
  const LRESULT answer = SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                      MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(message)));
  if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) Activate(top, WA_CLICKACTIVE);
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

void RouteMouse(UINT message, POINT screen) {
  HWND target = nullptr;
  LRESULT hit = HTNOWHERE;
  if (!Route(screen, message, &target, &hit)) return;
  const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
  if (press && !ActivateOnPress(target, hit, message)) return;
  if (press) message = DoubleClickOf(target, message, screen);
  if (hit == HTCLIENT) {
    POINT local = screen;
    ScreenToClient(target, &local);
    PostInput(target, message, KeyFlags(), MAKELPARAM(static_cast<WORD>(local.x), static_cast<WORD>(local.y)), screen);
  } else {
    PostInput(target, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(hit),
              MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)), screen);
  }
}

void SetPosition(POINT screen) {
  std::lock_guard guard(ThePointer().lock);
  ThePointer().position = screen;
}

}  // namespace

HWND Activate(HWND hwnd, WORD how) {
  HWND old = nullptr;
  {
    std::lock_guard guard(UserLock());
    ThreadQueue& q = LockedMyQueue();
    old = q.active;
    if (old == hwnd) return old;
    q.active = hwnd;
    // The activated window comes to the top of its siblings.
    if (Window* w = LockedWindow(hwnd)) {
      if (Window* p = LockedWindow(w->parent)) {
        auto& siblings = p->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
        siblings.insert(siblings.begin(), hwnd);
      }
    }
  }
  if (old != nullptr && IsWindow(old)) {
    SendMessageW(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
  }
  if (hwnd != nullptr && IsWindow(hwnd) && GetActiveWindow() == hwnd) {
    SendMessageW(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(old));
  }
  return old;
}

void ForgetInjectedInput() { t_hardware = Hardware{}; }

void ReleaseInputOf(HWND hwnd) {
  HWND focus = nullptr;
  HWND capture = nullptr;
  HWND active = nullptr;
  HWND owner = nullptr;
  {
    std::lock_guard guard(UserLock());
    ThreadQueue& q = LockedMyQueue();
    if (q.focus != nullptr && LockedIsSelfOrAncestor(hwnd, q.focus)) focus = q.focus;
    if (q.capture != nullptr && LockedIsSelfOrAncestor(hwnd, q.capture)) capture = q.capture;
    if (q.active != nullptr && LockedIsSelfOrAncestor(hwnd, q.active)) active = q.active;
    if (const Window* w = LockedWindow(hwnd)) owner = w->owner;
  }
  if (capture != nullptr) ReleaseCapture();
  if (focus != nullptr && GetFocus() == focus) SetFocus(nullptr);
  if (active != nullptr && GetActiveWindow() == active) {
    // Activation goes back to the owner, when it can take it.
    const bool ownerTakes = owner != nullptr && IsWindowVisible(owner) && IsWindowEnabled(owner);
    Activate(ownerTakes ? owner : nullptr, WA_ACTIVE);
  }
}

void InjectMouseMove(POINT screen) {
  SetPosition(screen);
  RouteMouse(WM_MOUSEMOVE, screen);
}

void InjectMouseButton(MouseButton button, bool down, POINT screen) {
  static constexpr UINT kKeys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  static constexpr UINT kDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  const auto index = static_cast<std::size_t>(button);
  SetPosition(screen);
  BYTE& key = t_hardware.keys[kKeys[index]];
  key = static_cast<BYTE>(down ? (key | 0x80) : (key & 0x7F));
  RouteMouse(down ? kDown[index] : kDown[index] + 1, screen);
}

void InjectKey(UINT virtualKey, bool down, WCHAR packet) {
  BYTE& key = t_hardware.keys[virtualKey & 0xFF];
  const bool repeat = down && (key & 0x80) != 0;
  key = static_cast<BYTE>(down ? (key | 0x80) : (key & 0x7F));
  HWND target = GetFocus();
  const bool alt = (t_hardware.keys[VK_MENU] & 0x80) != 0;
  bool system = alt;
  if (target == nullptr) {  // with no focus, keys go to the active window as system keys
    target = GetActiveWindow();
    system = true;
  }
  if (target == nullptr) return;
  UINT message = down ? WM_KEYDOWN : WM_KEYUP;
  if (system) message += WM_SYSKEYDOWN - WM_KEYDOWN;
  // Key data: repeat count 1, the previous state, the transition state; a
  // packet's character above the 32 bits Windows defines.
  LPARAM data = 1;
  if (repeat || !down) data |= 1L << 30;
  if (!down) data |= 1L << 31;
  if (alt) data |= 1L << 29;
  if (virtualKey == VK_PACKET) data |= static_cast<LPARAM>(packet) << 32;
  POINT pt{};
  GetCursorPos(&pt);
  PostInput(target, message, virtualKey, data, pt);
}

}  // namespace plat::window

using plat::window::UserLock;

HWND SetFocus(HWND hwnd) {
  if (hwnd != nullptr) {
    std::lock_guard guard(UserLock());
    const plat::window::Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return nullptr;
    if (w->thread != plat::window::CurrentThread()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
  }
  if (hwnd != nullptr) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    if (top != GetActiveWindow()) plat::window::Activate(top, WA_ACTIVE);
    if (!IsWindow(hwnd)) return nullptr;
  }
  HWND old = nullptr;
  {
    std::lock_guard guard(UserLock());
    auto& q = plat::window::LockedMyQueue();
    old = q.focus;
    if (old == hwnd) return old;
    q.focus = hwnd;
  }
  if (old != nullptr && IsWindow(old)) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  // The old window may have moved the focus elsewhere meanwhile.
  if (hwnd != nullptr && GetFocus() == hwnd && IsWindow(hwnd)) {
    SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(IsWindow(old) ? old : nullptr), 0);
  }
  return old;
}

HWND GetFocus() {
  std::lock_guard guard(UserLock());
  return plat::window::LockedMyQueue().focus;
}

HWND SetActiveWindow(HWND hwnd) {
  if (hwnd != nullptr && !IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (hwnd != nullptr) hwnd = GetAncestor(hwnd, GA_ROOT);
  return plat::window::Activate(hwnd, WA_ACTIVE);
}

HWND GetActiveWindow() {
  std::lock_guard guard(UserLock());
  return plat::window::LockedMyQueue().active;
}

HWND SetCapture(HWND hwnd) {
  HWND old = nullptr;
  {
    std::lock_guard guard(UserLock());
    if (plat::window::LockedWindowOrError(hwnd) == nullptr) return nullptr;
    auto& q = plat::window::LockedMyQueue();
    old = q.capture;
    q.capture = hwnd;
  }
  if (old != nullptr && old != hwnd && IsWindow(old)) {
    SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  }
  return old;
}

BOOL ReleaseCapture() {
  HWND old = nullptr;
  {
    std::lock_guard guard(UserLock());
    auto& q = plat::window::LockedMyQueue();
    old = q.capture;
    q.capture = nullptr;
  }
  if (old != nullptr && IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  std::lock_guard guard(UserLock());
  return plat::window::LockedMyQueue().capture;
}

SHORT GetKeyState(int virtualKey) {
  std::lock_guard guard(UserLock());
  const BYTE k = plat::window::LockedMyQueue().keys[static_cast<BYTE>(virtualKey)];
  return static_cast<SHORT>(((k & 0x80) != 0 ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
  return (plat::window::t_hardware.keys[static_cast<BYTE>(virtualKey)] & 0x80) != 0 ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard guard(plat::window::ThePointer().lock);
  *point = plat::window::ThePointer().position;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  const int cy = GetSystemMetrics(SM_CYSCREEN);
  plat::window::SetPosition(POINT{std::clamp(x, 0, cx - 1), std::clamp(y, 0, cy - 1)});
  return TRUE;
}

UINT GetDoubleClickTime() { return 500; }

BOOL TranslateMessage(const MSG* msg) {
  if (msg == nullptr) return FALSE;
  const bool keyMessage = msg->message == WM_KEYDOWN || msg->message == WM_KEYUP ||
                          msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP;
  if (!keyMessage) return FALSE;
  if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
    const WCHAR ch = plat::window::CharacterOf(static_cast<UINT>(msg->wParam), msg->lParam);
    if (ch != 0) {
      const UINT charMessage = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
      std::lock_guard guard(UserLock());
      const plat::window::Window* w = plat::window::LockedWindow(msg->hwnd);
      if (w != nullptr) {
        if (auto* q = plat::window::LockedQueueOf(w->thread)) {
          plat::window::LockedPost(*q, MSG{msg->hwnd, charMessage, ch, msg->lParam & 0xFFFFFFFF, msg->time, msg->pt, 0},
                                   false);
        }
      }
    }
  }
  return TRUE;
}
