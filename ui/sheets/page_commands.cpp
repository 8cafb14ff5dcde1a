// The commands a page or driver dialog receives: the extra OK buttons,
// the press of the sheet's OK that follows a preset save, help, the
// buttons that close a modal dialog, and everything else, which the page's
// items take in table order.
#include <iterator>

#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/refresh.h"
#include "ui/engine/table_correction.h"
#include "ui/sheets/page_internal.h"
#include "ui/sheets/page_life.h"

namespace {

using kesm_page::kHandled;
using kesm_page::kNotHandled;

constexpr WORD kPresetPage = 1001;
constexpr WORD kPresetList = 2001;
// What a preset recalled by a click on the preset page leaves as it was:
// dmDefaultSource, kdmMediaType, kdmOutputTrayID and dmColor.
constexpr WORD kKeptOnRecall[] = {13, 54, 53, 15};
constexpr DWORD kSheetPageKinds = kTabDocumentPage | kTabPrinterPage | kTabPresetSheetPage | kTabUserQualityPage;

// The preset page reloads the selected preset after each command, so that
// what it shows is the preset; the paper and output choices stay the
// user's.
void RecallSelectedPreset(UCB* ucb, TCB* tcb) {
  const int index = kesm_page::SelectedPresetIndex(ucb);
  ICB* list = GetICBbyItemID(ucb, tcb, kPresetList);
  if (tcb->tabId != kPresetPage || list == nullptr || index < 0) return;
  LONG_PTR kept[std::size(kKeptOnRecall)] = {};
  for (std::size_t i = 0; i < std::size(kKeptOnRecall); ++i) {
    kept[i] = GetDevmodeValueDirectByFuncID(ucb, kKeptOnRecall[i], nullptr);
  }
  ReadPresetByID(ucb, index);
  for (std::size_t i = 0; i < std::size(kKeptOnRecall); ++i) {
    SetDevmodeValueDirectByFuncID(ucb, kKeptOnRecall[i], kept[i]);
  }
  DoTransact(ucb, tcb, list->pUiGroup, list->builtInId);
}

// The sheet makes its pages child windows; a modal dialog is a pop-up.
bool IsSheetPage(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

// A page of a sheet tells its sheet that it holds changes.
void TellSheetOfChanges(UCB* ucb, const TCB* tcb, HWND page) {
  if ((tcb->kind & kSheetPageKinds) == 0 || !IsSheetPage(page)) return;
  if (IsDevmodeChanged(ucb) == 0) return;
  if (HWND sheet = GetParent(page)) SendMessageW(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

INT_PTR OfferCommand(UCB* ucb, TCB* tcb, HWND page, WPARAM wParam, LPARAM lParam) {
  for (int i = 0; i < tcb->itemCount; ++i) {
    ICB& icb = tcb->pICB[i];
    if (icb.hWnd != nullptr && ProcessItemCommand(ucb, tcb, &icb, wParam, lParam) == 1) break;
  }
  RecallSelectedPreset(ucb, tcb);
  TellSheetOfChanges(ucb, tcb, page);
  RefreshDialog(ucb, tcb, 0);
  return kHandled;
}

// A control the tables mark as a preset-save button acts as the new-preset
// button, whatever its id.
WORD CommandId(UCB* ucb, TCB* tcb, WPARAM wParam, LPARAM lParam) {
  const auto control = reinterpret_cast<HWND>(lParam);
  const ICB* from = control != nullptr ? GetICBbyHwnd(ucb, tcb, control) : nullptr;
  if (from != nullptr && (from->flags & kIcbSavePresetButton) != 0) return kCmdSaveNewPreset;
  return LOWORD(wParam);
}

}  // namespace

namespace kesm_page {

INT_PTR OnCommand(UCB* ucb, TCB* tcb, HWND page, WPARAM wParam, LPARAM lParam) {
  if (ucb == nullptr) return kNotHandled;
  const WORD id = CommandId(ucb, tcb, wParam, lParam);
  if (id == kCmdSaveNewPreset || id == kCmdOverwritePreset) {
    return tcb != nullptr ? SaveAsPresetThenAccept(ucb, tcb, page, id, reinterpret_cast<HWND>(lParam)) : kNotHandled;
  }
  if (id == kCmdPressOk) {
    if (HWND sheet = GetParent(page)) PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    return kNotHandled;
  }
  if (id == IDHELP) {
    ShowPageHelp(ucb, tcb, page);
    return kNotHandled;
  }
  // A page shown in a sheet (its options dialog's, say) may carry the
  // buttons that close its dialog; in the sheet they close nothing.
  if (IsClosingButton(tcb, id) && !IsSheetPage(page)) return OnClosingButton(ucb, tcb, page, id);
  return tcb != nullptr ? OfferCommand(ucb, tcb, page, wParam, lParam) : kNotHandled;
}

}  // namespace kesm_page
