// The shared modal loop and the thread's idle hook.
#include "platform/window/modal_loop.h"
#include "platform/window/window_image.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "platform/base/control.h"
#include "platform/text/utf.h"
#include "platform/window/message_queue.h"

namespace plat::window {
namespace {

thread_local IdleHook t_hook;
thread_local std::vector<LoopInfo> t_loops;

struct Abandoned {
  std::mutex lock;
  std::vector<std::string> texts;
};

Abandoned& TheAbandoned() {
  static Abandoned* abandoned = new Abandoned;  // lives until process exit
  return *abandoned;
}

std::string Narrow(const std::u16string& text) { return plat::utf::ToUtf8(text); }

// Pops the loop's record however the loop ends.
struct LoopScope {
  explicit LoopScope(LoopInfo info) { t_loops.push_back(std::move(info)); }
  ~LoopScope() { t_loops.pop_back(); }
  LoopScope(const LoopScope&) = delete;
  LoopScope& operator=(const LoopScope&) = delete;
};

// Idle without a hook: waits for the next timer on the running clock;
// false when nothing could ever come.
bool WaitWithoutHook() {
  DWORD wait = 0;
  bool timer = false;
  {
    std::lock_guard guard(UserLock());
    timer = LockedNextTimer(LockedMyQueue(), &wait);
  }
  if (!timer || ClockHeld()) return false;
  std::this_thread::sleep_for(std::chrono::milliseconds(std::min<DWORD>(wait, 50)));
  return true;
}

}  // namespace

IdleHook SetIdleHook(const IdleHook& hook) {
  const IdleHook old = t_hook;
  t_hook = hook;
  return old;
}

std::string DescribeWindow(HWND hwnd) {
  WCHAR text[256] = {};
  WCHAR cls[64] = {};
  if (hwnd == nullptr || !IsWindow(hwnd)) return "no window";
  GetWindowTextW(hwnd, text, 256);
  GetClassNameW(hwnd, cls, 64);
  return "window \"" + Narrow(reinterpret_cast<const char16_t*>(text)) + "\" (class " +
         Narrow(reinterpret_cast<const char16_t*>(cls)) + ")";
}

LoopEnd RunModalLoop(const ModalLoop& loop) {
  LoopScope scope(LoopInfo{loop.window, loop.what, t_loops.size() + 1});
  const LoopInfo info = t_loops.back();
  bool shown = false;
  for (;;) {
    if (loop.finished != nullptr && loop.finished(loop.context)) return LoopEnd::kFinished;
    if (loop.window != nullptr && !IsWindow(loop.window)) return LoopEnd::kFinished;
    MSG msg{};
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return LoopEnd::kQuit;
      }
      if (t_hook.message != nullptr && t_hook.message(t_hook.context, info, msg) == LoopAnswer::kAbandon) {
        return LoopEnd::kAbandoned;
      }
      if (loop.preTranslate == nullptr || !loop.preTranslate(loop.context, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      continue;
    }
    if (!shown) {
      // The window as a person first sees it, once everything before is done.
      shown = true;
      DumpShownWindow(loop.window);
    }
    if (IdleTurn(info) == LoopAnswer::kAbandon) return LoopEnd::kAbandoned;
  }
}

LoopAnswer IdleTurn(const LoopInfo& loop) {
  if (t_hook.idle != nullptr) return t_hook.idle(t_hook.context, loop);
  if (WaitWithoutHook()) return LoopAnswer::kGoOn;
  std::lock_guard guard(TheAbandoned().lock);
  TheAbandoned().texts.push_back("a modal loop went idle with nothing to answer it: " +
                                 (loop.what.empty() ? DescribeWindow(loop.window) : Narrow(loop.what)));
  return LoopAnswer::kAbandon;
}

std::vector<LoopInfo> RunningLoops() { return t_loops; }

std::vector<std::string> TakeAbandonedLoops() {
  std::lock_guard guard(TheAbandoned().lock);
  std::vector<std::string> taken;
  taken.swap(TheAbandoned().texts);
  return taken;
}

}  // namespace plat::window
