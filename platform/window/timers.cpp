// SetTimer and KillTimer on the stand-in's clock (GetTickCount). A timer is
// due when its interval has passed since it was set or last fired; its
// WM_TIMER comes only when nothing else waits, once however long it was
// overdue.
#include <algorithm>

#include "platform/base/winerror.h"
#include "platform/runtime/wintime.h"
#include "platform/window/message_queue.h"

namespace plat::window {

bool LockedDueTimer(ThreadQueue& queue, HWND filter, bool remove, MSG* out) {
  const DWORD now = GetTickCount();
  for (Timer& t : queue.timers) {
    if (static_cast<DWORD>(now - t.last) < t.elapse || !PassesWindowFilter(filter, t.hwnd)) continue;
    *out = MSG{t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), now, queue.last.pt, 0};
    if (remove) t.last = now;
    return true;
  }
  return false;
}

bool LockedNextTimer(const ThreadQueue& queue, DWORD* wait) {
  if (queue.timers.empty()) return false;
  const DWORD now = GetTickCount();
  DWORD soonest = 0xFFFFFFFFu;
  for (const Timer& t : queue.timers) {
    const DWORD passed = static_cast<DWORD>(now - t.last);
    soonest = std::min(soonest, passed >= t.elapse ? 0u : t.elapse - passed);
  }
  *wait = soonest;
  return true;
}

}  // namespace plat::window

using plat::window::UserLock;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  std::lock_guard guard(UserLock());
  plat::window::ThreadQueue* queue = &plat::window::LockedMyQueue();
  if (hwnd != nullptr) {
    const plat::window::Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return 0;
    if (w->thread != plat::window::CurrentThread()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
  }
  auto& timers = queue->timers;
  if (hwnd == nullptr) {
    // A thread timer gets a new id unless it names one of the thread's own.
    const bool known = std::any_of(timers.begin(), timers.end(),
                                   [&](const auto& t) { return t.hwnd == nullptr && t.id == id && id != 0; });
    if (!known) id = 0x7FFF0000 + queue->nextTimerId++;
  }
  const DWORD now = GetTickCount();
  for (auto& t : timers) {
    if (t.hwnd == hwnd && t.id == id) {  // setting it again restarts it
      t.elapse = elapse;
      t.proc = proc;
      t.last = now;
      return hwnd == nullptr || id == 0 ? (hwnd == nullptr ? id : 1) : id;
    }
  }
  timers.push_back(plat::window::Timer{hwnd, id, elapse, proc, now});
  return hwnd == nullptr || id == 0 ? (hwnd == nullptr ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  std::lock_guard guard(UserLock());
  auto& timers = plat::window::LockedMyQueue().timers;
  auto it = std::find_if(timers.begin(), timers.end(), [&](const auto& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers.end()) {
    if (hwnd != nullptr && plat::window::LockedWindow(hwnd) == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  timers.erase(it);
  return TRUE;
}
