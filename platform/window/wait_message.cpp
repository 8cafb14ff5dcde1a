// WaitMessage: a program's own message loop (PeekMessageW until its end
// arrives) waits here while its queue is empty. Every idle turn is one of
// the thread's idle hook, as in the shared modal loop, so a script goes on
// acting while such a loop runs; when the hook gives up, or nothing could
// ever arrive, the wait fails and the loop can end instead of spinning.
#include "platform/base/winerror.h"
#include "platform/window/modal_loop.h"
#include "platform/window/winuser.h"

BOOL WaitMessage() {
  MSG msg{};
  while (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    // A loop of this kind waits for a person's release: name what is held.
    HWND held = GetCapture() != nullptr ? GetCapture() : GetFocus();
    const plat::window::LoopInfo loop{held, u"", plat::window::RunningLoops().size() + 1};
    if (plat::window::IdleTurn(loop) == plat::window::LoopAnswer::kAbandon) {
      SetLastError(ERROR_CANCELLED);
      return FALSE;
    }
  }
  return TRUE;
}
