// The buttons of a radio list: one item per button, all on one setting,
// each button's control id the option it selects. A button whose check
// disagrees with the setting sends its option down the change road; the
// refresh then checks the button the setting names, so a refused change
// puts the check back.
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/values/setting_value.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_handlers.h"

namespace {

bool Names(UCB* ucb, const ICB* icb) { return GetDevmodeValueByICB(ucb, icb) == icb->itemId; }

}  // namespace

void PaintRadioList(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return;
  SendMessageW(icb->hWnd, BM_SETCHECK, Names(ucb, icb) ? BST_CHECKED : BST_UNCHECKED, 0);
}

int PCmdRadioList(UCB* ucb, TCB* tcb, ICB* icb, WPARAM, LPARAM) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return 0;
  const bool checked = SendMessageW(icb->hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (checked == Names(ucb, icb)) return 0;
  CheckAlertMsg(ucb, tcb, icb, icb->itemId);
  return 1;
}

// A click on the picture that stands for the list: 1 when the button's
// option was taken, 0 when the change was refused.
int ChangeDataRadioList(UCB* ucb, TCB* tcb, ICB* icb, UINT, WPARAM, LPARAM) {
  if (ucb == nullptr || icb == nullptr) return 0;
  return CheckAlertMsg(ucb, tcb, icb, icb->itemId) == 0 ? 1 : 0;
}
