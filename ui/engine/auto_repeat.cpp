// Repeat buttons: a press moves the controls the button names by their
// steps at once, and again every 100 ms after a short delay for as long as
// the button stays held (with the mouse, while the cursor stays on it). The
// loop takes the thread's messages itself until its stop arrives: the
// release, or the button losing the capture or the focus.
#include <algorithm>
#include <span>

#include "jobsettings/validate/description_verdict.h"
#include "platform/window/winuser_messages.h"
#include "settings/tables/class_data.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/item_window.h"
#include "ui/engine/item_window_internal.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 2;
constexpr UINT kRepeatInterval = 100;
constexpr int kDelayTicks = 3;

void Step(const ItemMessage& m) {
  RelatedPushButton(m.ucb, m.tcb, m.icb);
  PostMessageW(m.page, WM_PAINT, 0, 0);
}

}  // namespace

bool IsRepeatButton(const ICB* icb) {
  return icb->kind == kCtlPushButton && KesmGetClassData(icb, kClassRepeat) != nullptr;
}

void RelatedPushButton(UCB* ucb, TCB* tcb, ICB* icb) {
  const auto* data = static_cast<const CDRPL*>(KesmGetClassData(icb, kClassRepeat));
  if (ucb == nullptr || data == nullptr || data->pTargets == nullptr) return;
  for (const REPEATTARGET& t : std::span(data->pTargets, data->count)) {
    const ICB* target = FindItemOnPage(tcb, t.controlId);
    LONG min = 0;
    LONG max = 0;
    if (target == nullptr || target->pSFCB == nullptr || target->pUiGroup == nullptr ||
        !GetNumericRange(ucb, target->pUiGroup, &min, &max)) {
      continue;
    }
    const LONG_PTR moved = GetDevmodeValueByICB(ucb, target) + t.step;
    SetDevmodeValueByICB(ucb, target, std::clamp<LONG_PTR>(moved, min, max));
  }
}

bool OnItemAutoRepeat(const ItemMessage& m, LRESULT* result) {
  *result = 0;
  if (m.wParam == 0 || !IsRepeatButton(m.icb)) return true;  // a stop with no repeat running
  const bool byMouse = m.wParam != WM_KEYDOWN;
  Step(m);
  SetTimer(m.hwnd, kRepeatTimer, kRepeatInterval, nullptr);
  int delay = kDelayTicks;
  bool inside = true;
  for (;;) {
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!WaitMessage()) break;  // nothing can come any more
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == kMsgAutoRepeat && msg.hwnd == m.hwnd) break;
    if (byMouse && msg.message == WM_MOUSEMOVE) inside = KesmFindItem(m.tcb, msg.pt.x, msg.pt.y) == m.icb;
    if (msg.message == WM_TIMER && msg.hwnd == m.hwnd && msg.wParam == kRepeatTimer) {
      if (delay > 0) {
        --delay;
      } else if (inside) {
        Step(m);
      }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (!IsWindow(m.hwnd)) return true;  // the page went with its context
  }
  KillTimer(m.hwnd, kRepeatTimer);
  return true;
}
