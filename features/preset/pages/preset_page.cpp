// The preset page: its list's right-button menu and double click, the
// buttons that save the settings as a preset in the settings sheet, and
// the button that goes back to the first preset.
#include "features/preset/pages/preset_pages.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/watermark_store.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"

namespace preset_pages {
namespace {

constexpr WORD kMaintenanceButton = 2002;
constexpr WORD kSaveButton = 2003;
constexpr WORD kSaveWithNupButton = 2004;
constexpr WORD kFirstPresetButton = 2034;
constexpr WORD kNupKindList = 2093;
constexpr WORD kMenu = 20001;
constexpr WORD kMenuSave = 20002;
constexpr WORD kMenuMaintenance = 20003;
constexpr DWORD kRequestTransactOnOpen = 0x20000000;
constexpr WORD kFuncWatermarkOn = 60;
constexpr WORD kFuncWatermarkKind = 117;
constexpr WORD kFuncWatermarkId = 118;
constexpr WORD kStatusDisabledMask = 0x000C;
constexpr WORD kStatusDisabled = 0x0004;

bool Hidden(const ICB* icb) { return (icb->status & kIcbHiddenMask) == kIcbHidden; }
bool Disabled(const ICB* icb) { return (icb->status & kStatusDisabledMask) == kStatusDisabled; }
bool Usable(const ICB* icb) { return icb != nullptr && icb->hWnd != nullptr && !Hidden(icb) && !Disabled(icb); }

// A press of the page's button, as a click of it would send.
void PostClick(const TCB* tcb, WORD itemId) {
  HWND button = GetDlgItem(tcb->hWnd, itemId);
  PostMessageW(tcb->hWnd, WM_COMMAND, MAKEWPARAM(itemId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The right button picks the preset under it, then offers the page's
// maintenance and save commands, greyed as their buttons are.
void ShowMenu(UCB* ucb, TCB* tcb, ICB* list, LPARAM point) {
  SendMessageW(list->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(list->hWnd, WM_LBUTTONUP, 0, point);
  HMENU menu = LoadMenuW(GetResDll(ucb), MAKEINTRESOURCEW(kMenu));
  if (menu == nullptr) return;
  HMENU commands = GetSubMenu(menu, 0);
  if (commands != nullptr) {
    const ICB* maintenance = GetICBbyItemID(ucb, tcb, kMaintenanceButton);
    const ICB* save = GetICBbyItemID(ucb, tcb, kSaveButton);
    if (maintenance != nullptr && Disabled(maintenance)) EnableMenuItem(commands, 0, MF_BYPOSITION | MF_GRAYED);
    if (save != nullptr && Disabled(save)) EnableMenuItem(commands, 1, MF_BYPOSITION | MF_GRAYED);
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(commands, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, tcb->hWnd, nullptr);
  }
  DestroyMenu(menu);
}

// A watermark chosen before the sheet opened comes back from its store;
// one the store no longer has is switched off.
void RestoreWatermark(UCB* ucb) {
  const LONG_PTR on = GetDevmodeValueByFuncID(ucb, kFuncWatermarkOn, nullptr);
  const LONG_PTR id = GetDevmodeValueByFuncID(ucb, kFuncWatermarkId, nullptr);
  if (on != 0 && id >= 0 && id < ReadWatermarkCount(ucb)) {
    const LONG_PTR kind = GetDevmodeValueByFuncID(ucb, kFuncWatermarkKind, nullptr);
    if (kind >= 1 && kind <= 3) ReadWatermarkByID(ucb, static_cast<int>(id));
    return;
  }
  SetDevmodeValueByFuncID(ucb, kFuncWatermarkOn, 0);
  SetDevmodeValueByFuncID(ucb, kFuncWatermarkId, 0);
}

// The settings sheet opens with the buttons that save as a new preset
// (unless the list is full) and over the selected one (unless it is
// protected); a preset saved as new becomes the selected one.
void SaveInSheet(UCB* ucb, TCB* tcb, ICB* button) {
  const int before = ReadPresetCount(ucb);
  DWORD request = kRequestNewPresetButton;
  if (CanOverwritePreset(ucb, SelectedIndex(ucb))) {
    request = before >= kPresetSlots ? kRequestOverwriteButton : kRequestNewPresetButton | kRequestOverwriteButton;
  }
  KesmRequestForUiCore(ucb, request);
  if (button->itemId == kSaveWithNupButton) KesmRequestForUiCore(ucb, kRequestTransactOnOpen | kNupKindList);
  if (GetDevmodeValueByFuncID(ucb, kFuncPresetNo, nullptr) == kNoPreset) {
    if (ICB* list = GetICBbyItemID(ucb, tcb, kPresetList); list != nullptr) {
      DoTransact(ucb, tcb, list->pUiGroup, list->builtInId);
    }
  }
  ShowDialogBox(ucb, kShowDialogSheet, kSettingsSheetPage, tcb->hWnd);
  // A request the nested sheet did not run goes with it: left standing, it
  // would run later on this sheet, even after a Cancel, and a watermark
  // dialog would take it for its own.
  ResetRequestCode(ucb, kRequestTransactOnOpen);
  if (ucb->pWork->dialog.fOk == 0) RestoreWatermark(ucb);
  const int after = ReadPresetCount(ucb);
  if (after == before + 1) Recall(ucb, tcb, after - 1);
  InvalidateRect(button->hWnd, nullptr, TRUE);
}

INT_PTR OnItem(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (icb->itemId == kPresetList) {
    if (message == WM_RBUTTONDOWN && !Disabled(icb)) {
      ShowMenu(ucb, tcb, icb, lParam);
      return 1;
    }
    if (message == WM_LBUTTONDBLCLK && Usable(GetICBbyItemID(ucb, tcb, kSaveButton))) {
      PostClick(tcb, kSaveButton);
      return 1;
    }
    return 0;
  }
  if (message != WM_COMMAND || !FromItem(icb, lParam) || HIWORD(wParam) != BN_CLICKED) return 0;
  if (icb->itemId == kSaveButton || icb->itemId == kSaveWithNupButton) {
    SaveInSheet(ucb, tcb, icb);
    return 1;
  }
  if (icb->itemId == kFirstPresetButton) {
    Recall(ucb, tcb, 0);
    UpdatePresetList(ucb);
    RefreshDialog(ucb, tcb, 1);
    return 1;
  }
  return 0;
}

}  // namespace

void RunTransactOnOpen(UCB* ucb, TCB* tcb, UINT message) {
  if (message != kMsgLayoutPage || tcb == nullptr || (tcb->kind & kTabPresetSheetPage) == 0) return;
  const DWORD request = GetRequestCode(ucb);
  if ((request & kRequestTransactOnOpen) == 0) return;
  ICB* item = GetICBbyItemID(ucb, tcb, static_cast<WORD>(request & 0xFFFF));
  if (item == nullptr || item->hWnd == nullptr) return;
  ResetRequestCode(ucb, kRequestTransactOnOpen);
  DoTransact(ucb, tcb, item->pUiGroup, item->builtInId);
}

INT_PTR PresetPageProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (icb != nullptr) return OnItem(ucb, tcb, icb, message, wParam, lParam);
  if (message == WM_COMMAND && (LOWORD(wParam) == kMenuSave || LOWORD(wParam) == kMenuMaintenance)) {
    PostClick(tcb, LOWORD(wParam) == kMenuSave ? kSaveButton : kMaintenanceButton);
    return 1;
  }
  if ((GetRequestCode(ucb) & kRequestTransactOnOpen) != 0) {
    const auto itemId = static_cast<WORD>(GetRequestCode(ucb) & 0xFFFF);
    ResetRequestCode(ucb, kRequestTransactOnOpen | itemId);
    if (ICB* item = GetICBbyItemID(ucb, nullptr, itemId); item != nullptr) {
      DoTransact(ucb, tcb, item->pUiGroup, item->builtInId);
    }
  }
  return 0;
}

}  // namespace preset_pages
