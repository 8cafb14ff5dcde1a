// A fresh start of the window system for the calling thread.
#include "platform/window/window_control.h"

#include "platform/gdi/gdi_log.h"
#include "platform/window/help_control.h"
#include "platform/window/message_queue.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/modal_loop.h"
#include "platform/window/window_class.h"
#include "platform/window/window_internal.h"
#include "platform/window/winuser_clipboard.h"

namespace plat::window {

void ResetThreadWindows() {
  std::vector<HWND> own;
  for (HWND top = GetTopWindow(nullptr); top != nullptr; top = GetWindow(top, GW_HWNDNEXT)) {
    if (GetWindowThreadProcessId(top, nullptr) == CurrentThread()) own.push_back(top);
  }
  for (HWND top : own) DestroyWindow(top);
  UnregisterApplicationClasses();
  {
    std::lock_guard guard(UserLock());
    ThreadQueue& q = LockedMyQueue();
    q.posted.clear();
    q.input.clear();
    q.timers.clear();
    q.quit = false;
    q.focus = q.active = q.capture = nullptr;
    q.keys = {};
  }
  ForgetInjectedInput();
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  SetCursorPos(0, 0);
  ClearMessageBoxRecords();
  ClearHelpRequests();
  TakeAbandonedLoops();
  gdi::ClearGdiCallLogs();
  ResetClipboard();
}

}  // namespace plat::window
