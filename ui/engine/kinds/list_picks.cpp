// Filling the plain and owner-drawn lists and combo boxes from their UI
// group, showing the setting's value in them, and a person's pick, which
// goes through the change road as the option id it stands for.
#include "platform/window/winuser.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/kinds/list_kinds.h"

namespace {

constexpr WORD kChangedMarks = kSfcbChangedMask;

bool Bound(const UCB* ucb, const ICB* icb) { return ucb != nullptr && icb != nullptr && icb->pSFCB != nullptr; }

LONG_PTR CurrentValue(const UCB* ucb, const ICB* icb) { return GetDevmodeValueBySFCB(ucb, icb->pSFCB); }

// The option a person picked, or 0 when nothing is selected.
WORD PickedOption(const ICB* icb) {
  const LRESULT entry = lists::SelectedEntry(icb);
  return entry < 0 ? 0 : lists::OptionOfEntry(icb, entry);
}

}  // namespace

int InitListBox(UCB* ucb, TCB*, ICB* icb) {
  if (!Bound(ucb, icb)) return 0;
  lists::FillFromGroup(ucb, icb, lists::kNoLimit);
  return 0;
}

int InitComboBox(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!Bound(ucb, icb)) return 0;
  lists::FillFromGroup(ucb, icb, lists::kNoLimit);
  if (icb->kind == kCtlOwnerComboBox) {
    // A refilled owner-drawn combo has lost its selection, and its own
    // Paint follows only a changed setting: the value is shown here.
    lists::ShowCurrentValue(ucb, icb, false);
  } else {
    PaintComboBox(ucb, tcb, icb);
  }
  return 0;
}

int InitOwnerListBox(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!Bound(ucb, icb)) return 0;
  lists::FillFromGroup(ucb, icb, lists::kNoLimit);
  PaintListBox(ucb, tcb, icb);
  return 0;
}

void PaintListBox(UCB* ucb, TCB*, ICB* icb) {
  if (Bound(ucb, icb)) lists::ShowCurrentValue(ucb, icb, true);
}

void PaintComboBox(UCB* ucb, TCB*, ICB* icb) {
  if (Bound(ucb, icb)) lists::ShowCurrentValue(ucb, icb, true);
}

void PaintOwnerComboBox(UCB* ucb, TCB*, ICB* icb) {
  if (!Bound(ucb, icb) || (icb->pSFCB->flags & kChangedMarks) == 0) return;
  lists::ShowCurrentValue(ucb, icb, false);
}

int PCmdComboBox(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM) {
  if (!Bound(ucb, icb) || HIWORD(wParam) != CBN_SELCHANGE) return 0;
  if (tcb == nullptr || tcb->tabId != ucb->wCurrentDialog) return 0;
  const WORD option = PickedOption(icb);
  if (option == 0) return 0;
  if (lists::RefuseDisabledOption(ucb, icb, option)) return 1;
  if (option == CurrentValue(ucb, icb)) {
    CheckAlertMsg2(ucb, tcb, icb, 0, 0);
  } else {
    CheckAlertMsg(ucb, tcb, icb, option);
  }
  return 1;
}

int PCmdListBox(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM) {
  if (!Bound(ucb, icb) || HIWORD(wParam) != LBN_SELCHANGE) return 0;
  const WORD option = PickedOption(icb);
  if (option == 0 || option == CurrentValue(ucb, icb)) return 0;
  if (lists::RefuseDisabledOption(ucb, icb, option)) return 1;
  // The list kinds without a Paint of their own would go on showing a
  // refused option: the old value is shown again here.
  if (CheckAlertMsg(ucb, tcb, icb, option) != 0) lists::ShowCurrentValue(ucb, icb, true);
  return 1;
}
