// The Other module's procedure: every message of every page and dialog
// goes to UserCallbackFunction, which hands it to the handler of the
// dialog it belongs to. The refused-alert message is claimed on every
// dialog, so that the engine puts no focus of its own after it.
#include <algorithm>
#include <iterator>

#include "features/module_table/module_entries.h"
#include "features/other/other_module.h"
#include "features/other/pages/other_pages.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_window.h"
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/sheets/page_life.h"

namespace other_pages {

bool Message::CommandOfItem() const { return message == WM_COMMAND && icb != nullptr && LOWORD(wParam) == icb->itemId; }

ICB* ItemOf(const Message& m, WORD itemId) { return GetICBbyItemID(m.ucb, m.tcb, itemId); }

}  // namespace other_pages

namespace {

using other_pages::kHandled;
using other_pages::kNotHandled;
using other_pages::Message;

constexpr WORD kPresetPage = 1001;
constexpr WORD kBasicPage = 1002;
constexpr WORD kInitPage = 1010;
constexpr WORD kOutputTrayDialog = 1015;
constexpr WORD kPrintTypeDialog = 1019;
constexpr WORD kUserCodeDialog = 1027;
constexpr WORD kPasswordDialog = 4005;
constexpr WORD kUserCodeConfirmation = 1028;
constexpr WORD kHiddenFunctionDialog = 1065;
constexpr WORD kFuncPrintPostTrayNo = 857;
constexpr WORD kFirstTrayNameEdit = 2193;
constexpr int kTrayNameEdits = 9;
// The choices whose pick re-initialises the page: source, paper size, the
// two output sizes and the scale type.
constexpr WORD kRefreshingChoices[] = {2007, 2017, 2023, 2053, 2070};

// The default command handling of the item, the sheet told of the change
// and the page refreshed with re-initialisation.
INT_PTR OnPaperChoices(const Message& m) {
  if (!m.CommandOfItem() || m.notification() != CBN_SELCHANGE) return kNotHandled;
  if (std::find(std::begin(kRefreshingChoices), std::end(kRefreshingChoices), m.icb->itemId) ==
      std::end(kRefreshingChoices)) {
    return kNotHandled;
  }
  DoDefaultProcessItemCommand(m.ucb, m.tcb, m.icb, m.wParam, m.lParam);
  HWND page = m.tcb->hWnd;
  if (HWND sheet = page != nullptr ? GetParent(page) : nullptr) {
    SendMessageW(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
  }
  RefreshDialog(m.ucb, m.tcb, 1);
  return kHandled;
}

// The tray-name edit 1-9 of an item, or 0.
int TrayNameNumber(const ICB* icb) {
  if (icb == nullptr || icb->itemId < kFirstTrayNameEdit) return 0;
  const int offset = icb->itemId - kFirstTrayNameEdit;
  return offset % 2 == 0 && offset / 2 < kTrayNameEdits ? offset / 2 + 1 : 0;
}

// The output-tray names: which edit has the focus, and the output-tray
// lists rebuilt after each change of a name.
INT_PTR OnOutputTrayDialog(const Message& m) {
  const int number = TrayNameNumber(m.icb);
  if (number == 0) return kNotHandled;
  switch (m.message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      SetDevmodeValueDirectByFuncID(m.ucb, kFuncPrintPostTrayNo, m.message == WM_SETFOCUS ? number : 0);
      RefreshDialog(m.ucb, m.tcb, 0);
      return kNotHandled;
    case WM_COMMAND:
      if (!m.CommandOfItem() || m.notification() != EN_CHANGE) return kNotHandled;
      DoDefaultProcessItemCommand(m.ucb, m.tcb, m.icb, m.wParam, m.lParam);
      UpdateOutbinList(m.ucb);
      return kHandled;
    default:
      return kNotHandled;
  }
}

// OK of the user-code input asks for a confirmation first; only its Yes
// lets the input close. No, or the confirmation dismissed with Escape (or
// never shown), keeps the input open: a code not confirmed is not taken.
INT_PTR OnUserCodeDialog(const Message& m) {
  if (m.message != WM_COMMAND || m.icb != nullptr || LOWORD(m.wParam) != IDOK) return kNotHandled;
  return ShowDialogBox(m.ucb, kShowDialogModal, kUserCodeConfirmation, m.tcb->hWnd) == IDYES ? kNotHandled : kHandled;
}

struct DialogRow {
  WORD dialogId;
  INT_PTR (*handle)(const Message& m);
};

constexpr DialogRow kDialogs[] = {
    {kPresetPage, OnPaperChoices},
    {kBasicPage, OnPaperChoices},
    {kInitPage, other_pages::OnInitSettingsPage},
    {kOutputTrayDialog, OnOutputTrayDialog},
    {kPrintTypeDialog, other_pages::OnPrintTypeDialog},
    {kUserCodeDialog, OnUserCodeDialog},
    {kPasswordDialog, other_pages::OnPasswordDialog},
};

INT_PTR UserCallbackFunction(const Message& m) {
  if (m.ucb == nullptr || m.ucb->pWork == nullptr || m.tcb == nullptr) return kNotHandled;
  const auto row = std::find_if(std::begin(kDialogs), std::end(kDialogs),
                                [&](const DialogRow& r) { return r.dialogId == m.tcb->tabId; });
  const INT_PTR answer = row != std::end(kDialogs) ? row->handle(m) : kNotHandled;
  return m.message == kMsgAlertRefused ? kHandled : answer;
}

}  // namespace

INT_PTR OtherProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work) {
  return UserCallbackFunction(Message{ucb, tcb, icb, message, wParam, lParam, static_cast<OTHERWORK*>(work)});
}

int OtherPageFunction(UCB* ucb, DWORD code, void* parameter, void* work) {
  if (ucb == nullptr || code != kCustomHiddenFunction) return OtherFunction(ucb, code, parameter, work);
  auto* event = static_cast<CustomItemEvent*>(parameter);
  if (event == nullptr || event->tcb == nullptr) return 0;
  if (GetKDMCallSrc(ucb) != 1) return 1;
  HWND page = event->tcb->hWnd;
  ShowDialogBox(ucb, kShowDialogModal, kHiddenFunctionDialog, page);
  if (ucb->pWork->dialog.fOk != 1) return 1;
  HWND sheet = page != nullptr ? GetParent(page) : nullptr;
  if (sheet == nullptr) return 1;
  const auto current = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  SendMessageW(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(current), 0);
  return 1;
}
