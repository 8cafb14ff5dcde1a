// The preset controls that several pages carry: the preset combo boxes,
// the preset name fields and the buttons that open the maintenance dialog.
#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "features/chapter/chapter_store.h"
#include "features/preset/pages/preset_pages.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser_messages.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/stores/preset_store.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/refresh.h"
#include "ui/resource_dll.h"

namespace preset_pages {
namespace {

enum class Role { kCombo, kNameField, kMaintenanceButton };

struct Control {
  WORD itemId;
  Role role;
};
constexpr Control kControls[] = {
    {2036, Role::kCombo},           {2078, Role::kCombo},           {2095, Role::kCombo},
    {2921, Role::kCombo},           {2109, Role::kCombo},           {2713, Role::kCombo},
    {2388, Role::kNameField},       {2389, Role::kNameField},       {2390, Role::kNameField},
    {2924, Role::kNameField},       {2391, Role::kNameField},       {2733, Role::kNameField},
    {2002, Role::kMaintenanceButton}, {2037, Role::kMaintenanceButton}, {2079, Role::kMaintenanceButton},
    {2096, Role::kMaintenanceButton}, {2922, Role::kMaintenanceButton}, {2114, Role::kMaintenanceButton},
    {2714, Role::kMaintenanceButton},
};

constexpr int kOptionTextChars = 32;
constexpr DWORD kNameChars = 1025;

// One entry per stored preset, in the order of the item's options: the
// preset's name, with the option id as the entry's data.
void FillCombo(UCB* ucb, const ICB* icb) {
  HWND combo = icb->hWnd;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const UiGroup* group = icb->pUiGroup;
  if (group == nullptr || ucb->pBKPD == nullptr) return;
  const int count = ReadPresetCount(ucb);
  for (const UiOption* option = BkpdFirstOption(ucb->pBKPD, group);
       option != nullptr && SendMessageW(combo, CB_GETCOUNT, 0, 0) < count;
       option = GetNextUiOption(ucb, group, option)) {
    const WORD id = GetOptionIdFromUiGroup(ucb, group, option, nullptr);
    if (id == 0) break;
    std::array<WCHAR, kOptionTextChars + 1> key{};
    LoadStringFromResDll(ucb, id, key.data(), kOptionTextChars, FALSE);
    const std::u16string nameKey = std::u16string(key.data()) + u"Name";
    std::array<WCHAR, kNameChars> name{};
    KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), nameKey.c_str(), u"", name.data(), kNameChars,
                                  GetIniFilePath(ucb));
    const LRESULT entry = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.data()));
    if (entry >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(entry), id);
  }
  const int selected = SelectedIndex(ucb);
  if (selected >= 0) SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// A pick loads the preset picked as the selected one.
void PickFromCombo(UCB* ucb, TCB* tcb, const ICB* icb) {
  const LRESULT picked = SendMessageW(icb->hWnd, CB_GETCURSEL, 0, 0);
  if (picked < 0 || picked >= kPresetSlots) return;
  const LRESULT option = SendMessageW(icb->hWnd, CB_GETITEMDATA, static_cast<WPARAM>(picked), 0);
  if (option == CB_ERR || option == GetDevmodeValueByICB(ucb, icb)) return;
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
  ReadPresetByID(ucb, static_cast<int>(picked));
  SetDevmodeValueByICB(ucb, icb, option);
  JudgePresetList(ucb, tcb);
  UpdatePresetList(ucb);
  GetDevChapterData(ucb);
  RefreshDialog(ucb, tcb, 1);
  if (HWND page = WindowOf(tcb); page != nullptr) SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

// The maintenance dialog opens on the selected preset and leaves the one
// it ends on selected; a preset no longer listed gives the first.
void Maintain(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  ICB* list = GetICBbyItemID(ucb, nullptr, kMaintenanceList);
  if (list != nullptr) SetDevmodeValueByICB(ucb, list, GetDevmodeValueByFuncID(ucb, kFuncPresetNo, nullptr));
  ReadPresetByID(ucb, SelectedIndex(ucb));
  JudgePresetList(ucb, tcb);
  DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  if (ApplyDeviceValues(ucb)) {
    UpdateTrayList(ucb);
    UpdateOutbinList(ucb);
    UpdatePaperSizeList(ucb);
  }
  int index = list != nullptr ? static_cast<int>(GetDevmodeValueByICB(ucb, list) - kFirstPreset) : 0;
  if (index >= ReadPresetCount(ucb)) {
    index = 0;
    Choose(ucb, 0);
  }
  ReadPresetByID(ucb, index);
  Choose(ucb, index);
  JudgePresetList(ucb, tcb);
  UpdatePresetList(ucb);
  RefreshDialog(ucb, tcb, 1);
}

}  // namespace

INT_PTR PresetComboProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (icb == nullptr || icb->hWnd == nullptr) return 0;
  const auto control = std::find_if(std::begin(kControls), std::end(kControls),
                                    [icb](const Control& c) { return c.itemId == icb->itemId; });
  if (control == std::end(kControls)) return 0;
  if (message == WM_INITDIALOG && control->role == Role::kCombo) {
    FillCombo(ucb, icb);
    return 1;
  }
  if (message != WM_COMMAND || !FromItem(icb, lParam)) return 0;
  switch (control->role) {
    case Role::kCombo:
      if (HIWORD(wParam) == CBN_SELCHANGE) PickFromCombo(ucb, tcb, icb);
      return 1;
    case Role::kNameField:
      if (HIWORD(wParam) != kEditKillFocus) return 0;
      DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
      UpdatePresetList(ucb);
      return 1;
    case Role::kMaintenanceButton:
      if (HIWORD(wParam) != BN_CLICKED) return 1;
      Maintain(ucb, tcb, icb, wParam, lParam);
      return 1;
  }
  return 0;
}

}  // namespace preset_pages
