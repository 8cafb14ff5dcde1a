// The check box (kind 22): it shows its setting as on or off, and a click
// on it, or on a picture linked to it, asks for the other state through
// the change road.
#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "settings/values/setting_value.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_handlers.h"

namespace {

// Any value but 0 is on, so that a value from outside the dialogs can
// still be switched off with a click.
bool IsOn(const UCB* ucb, const ICB* icb) { return GetDevmodeValueByICB(ucb, icb) != 0; }

}  // namespace

void PaintCheckBox(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return;
  SendMessageW(icb->hWnd, BM_SETCHECK, IsOn(ucb, icb) ? BST_CHECKED : BST_UNCHECKED, 0);
}

int PCmdCheckBox(UCB* ucb, TCB* tcb, ICB* icb, WPARAM, LPARAM) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return 0;
  const LRESULT state = SendMessageW(icb->hWnd, BM_GETCHECK, 0, 0);
  const bool on = IsOn(ucb, icb);
  // Only a box that no longer shows its setting was clicked by the user.
  if (!(state == BST_UNCHECKED && on) && !(state == BST_CHECKED && !on)) return 0;
  CheckAlertMsg(ucb, tcb, icb, on ? 0 : 1);
  return 1;
}

// Reports a change only when the new state stayed.
int ChangeDataCheckBox(UCB* ucb, TCB* tcb, ICB* icb, UINT, WPARAM, LPARAM) {
  if (ucb == nullptr || icb == nullptr) return 0;
  return CheckAlertMsg(ucb, tcb, icb, IsOn(ucb, icb) ? 0 : 1) == 0 ? 1 : 0;
}
