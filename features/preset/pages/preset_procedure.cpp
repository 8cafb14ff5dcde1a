// The preset module's window procedure: where each message of the pages
// and dialogs goes, and what every page's preset controls share.
#include <algorithm>
#include <iterator>

#include "features/module_table/module_entries.h"
#include "features/preset/pages/preset_pages.h"
#include "platform/window/winuser.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_window.h"

namespace preset_pages {

int SelectedIndex(const UCB* ucb) {
  return static_cast<int>(GetDevmodeValueByFuncID(ucb, kFuncPresetNo, nullptr) - kFirstPreset);
}

void Choose(UCB* ucb, int index) { SetDevmodeValueByFuncID(ucb, kFuncPresetNo, kFirstPreset + index); }

void JudgePresetList(UCB* ucb, TCB* tcb) {
  if (ICB* list = GetICBbyItemID(ucb, nullptr, kPresetList); list != nullptr) CheckAlertMsg2(ucb, tcb, list, 0, 0);
}

void Recall(UCB* ucb, TCB* tcb, int index) {
  ReadPresetByID(ucb, index);
  Choose(ucb, index);
  JudgePresetList(ucb, tcb);
}

bool FromItem(const ICB* icb, LPARAM lParam) {
  return icb != nullptr && icb->hWnd != nullptr && reinterpret_cast<HWND>(lParam) == icb->hWnd;
}

HWND WindowOf(const TCB* tcb) { return tcb != nullptr ? tcb->hWnd : nullptr; }

}  // namespace preset_pages

namespace {

using namespace preset_pages;

// After a refused alert the focus goes back to the preset name of the
// page. Only this module's own pages are answered: the other modules put
// the focus back on theirs.
struct NameField {
  WORD dialogId;
  WORD itemId;
};
constexpr NameField kNameFields[] = {
    {1002, 2388}, {1003, 2389}, {1004, 2390}, {1005, 2391}, {1032, 2452}, {1042, 2733}, {4016, 2924},
};

// A focus the refused alert's own answer gave another control of the page
// stays there.
INT_PTR RefocusName(const TCB* tcb, const ICB* refused) {
  if (tcb == nullptr) return 0;
  const auto field = std::find_if(std::begin(kNameFields), std::end(kNameFields),
                                  [tcb](const NameField& f) { return f.dialogId == tcb->tabId; });
  if (field == std::end(kNameFields)) return 0;
  HWND focus = GetFocus();
  const bool placed = focus != nullptr && tcb->hWnd != nullptr && GetParent(focus) == tcb->hWnd &&
                      (refused == nullptr || focus != refused->hWnd);
  if (HWND name = GetDlgItem(tcb->hWnd, field->itemId); name != nullptr && !placed) SetFocus(name);
  return 1;
}

using PageHandler = INT_PTR (*)(UCB*, TCB*, ICB*, UINT, WPARAM, LPARAM);

INT_PTR Maintenance(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  return UCF_Maintenance(ucb, tcb, icb, message, wParam, lParam);
}

struct PageRow {
  WORD dialogId;
  PageHandler handle;
};
constexpr PageRow kPages[] = {
    {kPresetPage, PresetPageProcedure},
    {kMaintenanceDialog, Maintenance},
    {kSaveNameDialog, SaveNameProcedure},
};

}  // namespace

INT_PTR PresetProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void*) {
  if (ucb == nullptr || ucb->pWork == nullptr) return 0;
  if (message == kMsgAlertRefused) return RefocusName(tcb, icb);
  if (PresetComboProcedure(ucb, tcb, icb, message, wParam, lParam) != 0) return 1;
  if (tcb == nullptr) return 0;
  if (icb == nullptr) RunTransactOnOpen(ucb, tcb, message);
  const auto page = std::find_if(std::begin(kPages), std::end(kPages),
                                 [tcb](const PageRow& row) { return row.dialogId == tcb->tabId; });
  return page != std::end(kPages) ? page->handle(ucb, tcb, icb, message, wParam, lParam) : 0;
}
