// The dialog that names a preset saved from the settings sheet: it
// proposes a name, and judges the name given before it lets the save go
// on. The first preset, the fallback of every other, is never saved over.
#include <array>
#include <string>

#include "features/preset/pages/preset_pages.h"
#include "features/preset/preset_keyword.h"
#include "features/preset/preset_names.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "ui/alerts/alert_message.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"

namespace preset_pages {

constexpr WORD kSheetNameField = 2389;
constexpr UINT kCopyOf = 564;
constexpr int kCopyOfChars = 64;

namespace {

// Stays on the dialog with the name field in focus.
INT_PTR Refuse(UCB* ucb, const TCB* tcb, UINT messageId) {
  _ShowAlertMsgEx11(ucb, tcb->hWnd, messageId);
  SetFocus(GetDlgItem(tcb->hWnd, kSaveNameEdit));
  return 1;
}

// The preset the name is saved as: the selected one renamed, a preset of
// that name (the user agreeing), or a new one. 1 keeps the dialog open.
INT_PTR JudgeName(UCB* ucb, TCB* tcb) {
  std::array<WCHAR, kPresetKeywordChars> name{};
  GetDevmodeStringByItemID(ucb, kNameEdit, name.data());
  const int selected = SelectedIndex(ucb);
  int found = CheckPresetName(ucb, name.data(), selected);
  if (selected >= 0) {
    if (found < 0) {
      found = selected;
    } else if (found != selected) {
      return Refuse(ucb, tcb, kMessageNameShared);
    }
  }
  if (ReadPresetCount(ucb) >= kPresetSlots && found < 0) return Refuse(ucb, tcb, kMessageListFull);
  if (found == 0 || (found > 0 && !CanOverwritePreset(ucb, found))) return Refuse(ucb, tcb, kMessageNameRefused);
  if (found > 0 && GetDevmodeValueByFuncID(ucb, kFuncPresetNo, nullptr) == kNoPreset &&
      _ShowAlertMsgEx10(ucb, tcb->hWnd, kMessageOverwrite, MB_YESNO) != IDYES) {
    SetFocus(GetDlgItem(tcb->hWnd, kSaveNameEdit));
    return 1;
  }
  SetDevmodeValueByFuncID(ucb, kFuncPresetNo, found >= 0 ? kFirstPreset + found : kNoPreset);
  return 0;
}

}  // namespace

INT_PTR SaveNameProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM) {
  if (icb != nullptr) return 0;
  if ((GetRequestCode(ucb) & kRequestFreshStart) != 0) {
    SetDevmodeValueByFuncID(ucb, kFuncPresetNo, kNoPreset);
    ResetRequestCode(ucb, kRequestFreshStart);
  }
  if (message == WM_INITDIALOG) {
    AddCopy(ucb);
    return 0;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) return JudgeName(ucb, tcb);
  return 0;
}

}  // namespace preset_pages

void AddCopy(UCB* ucb) {
  if (ucb == nullptr) return;
  std::array<WCHAR, kPresetKeywordChars> name{};
  GetDevmodeStringByItemID(ucb, preset_pages::kSheetNameField, name.data());
  if (name[0] == 0 || CheckPresetName(ucb, name.data(), preset_pages::SelectedIndex(ucb)) < 0) return;
  std::array<WCHAR, preset_pages::kCopyOfChars> copyOf{};
  LoadStringFromResDll(ucb, preset_pages::kCopyOf, copyOf.data(), preset_pages::kCopyOfChars, FALSE);
  const std::u16string proposed = std::u16string(copyOf.data()) + name.data();
  SetDevmodeStringByItemID(ucb, preset_pages::kSaveNameEdit, proposed.c_str());
}
