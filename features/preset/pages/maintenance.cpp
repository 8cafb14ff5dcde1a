// The maintenance dialog: the preset list reordered, emptied of a preset,
// filled from set files and refreshed from the printer; the selected
// preset renamed and described. The first preset stays first.
#include <array>
#include <new>
#include <string>
#include <string_view>

#include "devicecomm/bidi/bidi_query.h"
#include "features/module_table/module_entries.h"
#include "features/preset/pages/preset_pages.h"
#include "features/preset/preset_keyword.h"
#include "features/preset/preset_list.h"
#include "features/preset/preset_names.h"
#include "features/setlist/pages/setlist_page.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/tables/setting_table.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/install/preset_refresh.h"
#include "storage/properties/value_filters.h"
#include "storage/stores/preset_store.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_window.h"
#include "ui/engine/refresh.h"
#include "ui/subdialogs/preset_import.h"

namespace {

using namespace preset_pages;

constexpr WORD kDelete = 2140;
constexpr WORD kRefresh = 2141;
constexpr WORD kAdd = 2142;
constexpr WORD kUp = 2143;
constexpr WORD kDown = 2144;
constexpr WORD kSettingsSummary = 2148;

// The module's work area of the context.
PRESETWORK* WorkOf(UCB* ucb) {
  const CUSTOMTABLE* table = ucb->pWork->pCustom;
  if (table == nullptr) return nullptr;
  for (LONG i = 0; i < table->count; ++i) {
    if (table->rows[i].release == FreePresetWork) return static_cast<PRESETWORK*>(table->rows[i].work);
  }
  return nullptr;
}

// Every number setting that device data may set, with its value now.
void CollectDeviceValues(UCB* ucb) {
  PRESETWORK* work = WorkOf(ucb);
  if (work == nullptr) return;
  FreePresetWork(work);
  const SFL* settings = ucb->pSFL;
  auto* values = new (std::nothrow) PRESETDEVICEVALUE[static_cast<std::size_t>(settings->count) + 1]{};
  if (values == nullptr) return;
  LONG count = 0;
  for (SHORT i = 0; i < settings->count; ++i) {
    const SFCB* record = &settings->pSFCB[i];
    if (!IsAvailableDevmodeValueForBidiSetFile(record) || SettingKindIsString(SettingKindOf(record->descriptor))) {
      continue;
    }
    values[count++] = {static_cast<WORD>(i), GetDevmodeValueBySFCB(ucb, record)};
  }
  work->count = count;
  work->values = values;
}

// The list's selection, shown by the list and kept in its setting.
void SelectEntry(UCB* ucb, const ICB* list, int entry) {
  SendMessageW(list->hWnd, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SetDevmodeValueByICB(ucb, list, kFirstPreset + entry);
}

void SelectAndRecall(UCB* ucb, TCB* tcb, ICB* list, int entry) {
  SelectEntry(ucb, list, entry);
  ReadPresetByID(ucb, entry);
  Choose(ucb, entry);
  CheckAlertMsg2(ucb, tcb, list, 0, 0);
}

// The selected preset's name and comment in the dialog's fields.
void ShowSelected(UCB* ucb, TCB* tcb, const ICB* list, int repaint) {
  const auto entry = static_cast<int>(SendMessageW(list->hWnd, LB_GETCURSEL, 0, 0));
  std::array<WCHAR, kPresetKeywordChars> text{};
  GetPresetKeyword(ucb, list, entry, kPresetKeywordName, text.data());
  SetDevmodeStringByItemID(ucb, kNameEdit, text.data());
  GetPresetKeyword(ucb, list, entry, kPresetKeywordComment, text.data());
  SetDevmodeStringByItemID(ucb, kCommentEdit, text.data());
  RefreshDialog(ucb, tcb, repaint);
}

void Move(UCB* ucb, TCB* tcb, ICB* list, int from, int to) {
  if (to == from || from <= 0 || to <= 0) return;
  ReplacePresetData(ucb, list, from, to);
  UpdatePresetList(ucb);
  SelectEntry(ucb, list, to);
  Choose(ucb, to);
  ShowSelected(ucb, tcb, list, 0);
}

// A preset leaves the list by moving to its end first, so that the others
// keep their order; the same place, or the new last, is selected.
void Delete(UCB* ucb, TCB* tcb, ICB* button, ICB* list, int selected, int count) {
  if (selected <= 0 || selected >= count) return;
  const int answer = DoAlert(ucb, tcb, button->pUiGroup);
  if (answer != 0 && answer != IDOK) return;
  for (int i = selected; i < count - 1; ++i) ReplacePresetData(ucb, list, i, i + 1);
  DeletePresetData(ucb, list, count - 1);
  UpdatePresetList(ucb);
  SelectAndRecall(ucb, tcb, list, selected >= count - 1 ? count - 2 : selected);
  ShowSelected(ucb, tcb, list, 1);
}

// Several files chosen at once are named after the folder, parted by
// blanks.
bool SeveralChosen(UCB* ucb) {
  const std::u16string_view chosen(GetPresetFileBuffer(ucb));
  const WORD offset = GetFileOffset(ucb);
  return offset < chosen.size() && chosen.substr(offset).find(u' ') != std::u16string_view::npos;
}

void Add(UCB* ucb, TCB* tcb, ICB* button, ICB* list, WPARAM wParam, LPARAM lParam) {
  if (ReadPresetCount(ucb) >= kPresetSlots) return;
  LPWSTR chosen = GetPresetFileBuffer(ucb);
  if (chosen == nullptr) return;
  chosen[0] = 0;
  DoDefaultProcessItemCommand(ucb, tcb, button, wParam, lParam);
  if (chosen[0] != 0) {
    const bool added = SeveralChosen(ucb) ? MultiFileNameEx(ucb, tcb->hWnd) > 0 : ImportPresetFile(ucb, chosen) != 0;
    if (added) {
      const int last = ReadPresetCount(ucb) - 1;
      CheckAlertMsg2(ucb, tcb, list, 0, 0);
      UpdatePresetList(ucb);
      SelectEntry(ucb, list, last);
      Choose(ucb, last);
    }
  }
  ShowSelected(ucb, tcb, list, 1);
}

// The printer is asked for its state; the presets are installed again for
// it, and two presets that now share a name are shown for renaming.
void Refresh(UCB* ucb, TCB* tcb, ICB* button, ICB* list) {
  GetBidiDataImmediately(ucb, tcb->hWnd);
  if (button->popupId != 0) ShowPopupMsg(ucb, button, tcb->hWnd, 0, 0);
  CollectDeviceValues(ucb);
  BatchInstallForPresetRefresh(ucb, 1);
  int shared = CheckPresetName2(ucb, tcb->hWnd, -1);
  if (shared < 0) shared = 0;
  UpdatePresetList(ucb);
  SelectEntry(ucb, list, shared);
  HWND name = GetDlgItem(tcb->hWnd, kNameEdit);
  SetFocus(name);
  SendMessageW(name, EM_SETSEL, 0, -1);
  SelectAndRecall(ucb, tcb, list, shared);
  RefreshDialog(ucb, tcb, 1);
}

// The name and comment fields write the selected preset when they lose
// the focus; the first preset is never written.
int EditText(UCB* ucb, TCB* tcb, ICB* field, ICB* list, int selected, WPARAM wParam, LPARAM lParam) {
  const WORD code = HIWORD(wParam);
  if (code != kEditKillFocus && code != kEditChange) return 0;
  DoDefaultProcessItemCommand(ucb, tcb, field, wParam, lParam);
  if (code == kEditKillFocus && selected > 0 && PresetNameCheck(ucb, tcb->hWnd, list, selected) == 0) {
    WritePresetByID(ucb, selected);
  }
  return 1;
}

int OnDialog(UCB* ucb, TCB* tcb, UINT message, WPARAM wParam) {
  if (message == WM_INITDIALOG) {
    if (PRESETWORK* work = WorkOf(ucb); work != nullptr) FreePresetWork(work);
    return 0;
  }
  if (message != kMsgPresetNameShared) return 0;
  ICB* list = GetICBbyItemID(ucb, tcb, kMaintenanceList);
  _ShowAlertMsgEx11(ucb, tcb->hWnd, kMessageNameShared);
  SetFocus(GetDlgItem(tcb->hWnd, kNameEdit));
  if (list != nullptr && list->hWnd != nullptr) SelectAndRecall(ucb, tcb, list, static_cast<int>(wParam));
  RefreshDialog(ucb, tcb, 1);
  return 1;
}

}  // namespace

bool preset_pages::ApplyDeviceValues(UCB* ucb) {
  PRESETWORK* work = WorkOf(ucb);
  if (work == nullptr || work->values == nullptr) return false;
  for (LONG i = 0; i < work->count; ++i) {
    const PRESETDEVICEVALUE& v = work->values[i];
    if (v.index < ucb->pSFL->count) SetDevmodeValueBySFCB(ucb, &ucb->pSFL->pSFCB[v.index], v.value);
  }
  FreePresetWork(work);
  return true;
}

int PresetNameCheck(UCB* ucb, HWND page, const ICB* list, int entry) {
  std::array<WCHAR, kPresetKeywordChars> name{};
  GetDevmodeStringByItemID(ucb, kNameEdit, name.data());
  if (name[0] != 0) return 0;
  _ShowAlertMsgEx11(ucb, page, kMessageNoName);
  if (list != nullptr && list->hWnd != nullptr) SendMessageW(list->hWnd, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  return 1;
}

int UCF_Maintenance(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ucb == nullptr || ucb->pWork == nullptr || tcb == nullptr) return 0;
  if (icb == nullptr) return OnDialog(ucb, tcb, message, wParam);
  // The summary is painted on, and its window then paints as it will.
  if (message == WM_PAINT && icb->itemId == kSettingsSummary) {
    PaintSetList(ucb, tcb, icb);
    return 0;
  }
  if (message != WM_COMMAND || !FromItem(icb, lParam)) return 0;
  ICB* list = GetICBbyItemID(ucb, tcb, kMaintenanceList);
  if (list == nullptr || list->hWnd == nullptr) return 0;
  const auto selected = static_cast<int>(SendMessageW(list->hWnd, LB_GETCURSEL, 0, 0));
  const auto count = static_cast<int>(SendMessageW(list->hWnd, LB_GETCOUNT, 0, 0));
  const bool clicked = HIWORD(wParam) == BN_CLICKED;
  switch (icb->itemId) {
    case kUp:
      if (clicked) Move(ucb, tcb, list, selected, selected > 0 ? selected - 1 : selected);
      return 1;
    case kDown:
      if (clicked) Move(ucb, tcb, list, selected, selected < count - 1 ? selected + 1 : selected);
      return 1;
    case kDelete:
      if (clicked) Delete(ucb, tcb, icb, list, selected, count);
      return 1;
    case kAdd:
      if (clicked) Add(ucb, tcb, icb, list, wParam, lParam);
      return 1;
    case kRefresh:
      if (clicked) Refresh(ucb, tcb, icb, list);
      return 1;
    case kNameEdit:
    case kCommentEdit:
      return EditText(ucb, tcb, icb, list, selected, wParam, lParam);
    default:
      return 0;
  }
}
