// The extra OK buttons of a sheet opened to save a preset: the settings are
// judged, the preset's name checked, the settings written as a new preset
// (button 11111, named in the save dialog) or over the selected one
// (button 22222), and then the sheet's OK is pressed again.
#include <string>

#include "features/custom_modules.h"
#include "features/preset/preset_names.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/save_failure.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/item_window.h"
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/sheets/page_internal.h"
#include "ui/sheets/page_life.h"

namespace {

using kesm_page::kNotHandled;

constexpr WORD kPresetNameItem = 2145;
constexpr WORD kSavePresetDialog = 1032;
constexpr int kShowModal = 4;
constexpr INT_PTR kDialogCancelled = IDCANCEL;
constexpr WORD kFuncPresetName = 762;
constexpr WORD kFuncPresetComment = 763;
constexpr UINT kMessageNoName = 10031;
constexpr UINT kMessageNameRefused = 10024;
constexpr UINT kMessageOverwrite = 10032;
constexpr DWORD kPresetFileChars = 260;
constexpr int kTextChars = 1025;
constexpr int kKeyChars = 64;
constexpr int kKeyFile = 0;
constexpr int kFirstWritablePreset = 1;
constexpr int kLastPreset = 15;

// The page's judge, leaving the OK flag as it was; true when it refused.
bool JudgeRefuses(UCB* ucb, TCB* tcb) {
  INT& ok = kesm_page::OkFlag(ucb);
  const INT before = ok;
  ok = 1;
  const bool refused = kesm_page::PageGroupRefuses(ucb, tcb) || ok == 0;
  ok = before;
  return refused;
}

// Overwriting asks for a name that is not the fallback preset's nor a
// read-only preset's; a name another preset carries selects that preset
// when the user agrees.
bool NameAllowsOverwrite(UCB* ucb, HWND page) {
  WCHAR name[kTextChars] = {};
  GetDevmodeStringByItemID(ucb, kPresetNameItem, name);
  if (name[0] == 0) {
    _ShowAlertMsgEx11(ucb, page, kMessageNoName);
    return false;
  }
  const int selected = kesm_page::SelectedPresetIndex(ucb);
  const int found = CheckPresetName(ucb, name, selected);
  if (found == 0 || (found > 0 && !CanOverwritePreset(ucb, found))) {
    _ShowAlertMsgEx11(ucb, page, kMessageNameRefused);
    return false;
  }
  if (found > 0 && found != selected) {
    if (_ShowAlertMsgEx10(ucb, page, kMessageOverwrite, MB_YESNO) != IDYES) return false;
    kesm_page::SelectPreset(ucb, found);
  }
  return true;
}

std::u16string SettingText(UCB* ucb, WORD funcId) {
  WCHAR text[kTextChars] = {};
  GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, funcId), text);
  return text;
}

bool IsReservedFileName(const std::u16string& file) {
  return file.size() > 2 && (file.back() == u'R' || file.back() == u'r');
}

// The selected preset keeps its set file unless it has none of its own;
// without a selected preset a new one is listed and selected (*fresh set
// when it is the list's first). False, the user told, when the list cannot
// be written.
bool MakePresetEntry(UCB* ucb, bool* fresh) {
  *fresh = false;
  const int index = kesm_page::SelectedPresetIndex(ucb);
  WCHAR file[kTextChars] = {};
  if (index >= 0) {
    WCHAR key[kKeyChars] = {};
    MakePresetKey(key, index, kKeyFile);
    KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), key, u"", file, kPresetFileChars, GetIniFilePath(ucb));
    if (file[0] != 0 && !IsReservedFileName(file)) return true;
    if (!GetNewRstFileName(ucb, file) ||
        !KM_UM_WritePrivateProfileString(GetPresetSectionName(ucb), key, file, GetIniFilePath(ucb))) {
      ReportFailedSave(ucb, GetIniFilePath(ucb));
      return false;
    }
    return true;
  }
  const std::u16string name = SettingText(ucb, kFuncPresetName);
  const std::u16string comment = SettingText(ucb, kFuncPresetComment);
  *fresh = ReadPresetCount(ucb) == 0;
  if (!GetNewRstFileName(ucb, file) || !AddPresetData(ucb, file, name.c_str(), comment.c_str())) {
    ReportFailedSave(ucb, GetIniFilePath(ucb));
    return false;
  }
  kesm_page::SelectPreset(ucb, ReadPresetCount(ucb) - 1);
  return true;
}

// The preset's settings into its set file; the user is told when they
// cannot be written. The first preset, the one the others fall back to, is
// never written over; but the first preset of an empty list was made by
// this save and has no settings yet: without them it would be listed and
// recall nothing.
void WriteSelectedPreset(UCB* ucb, bool fresh) {
  const int index = kesm_page::SelectedPresetIndex(ucb);
  const bool writable = index >= kFirstWritablePreset || (fresh && index == 0);
  if (writable && index <= kLastPreset && !WritePresetByID(ucb, index)) {
    WCHAR key[kKeyChars] = {};
    WCHAR file[kTextChars] = {};
    MakePresetKey(key, index, kKeyFile);
    KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), key, u"", file, kPresetFileChars, GetIniFilePath(ucb));
    ReportFailedSave(ucb, file);
  }
  UpdatePresetList(ucb);
  kesm_page::SelectPreset(ucb, index);
}

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace

namespace kesm_page {

INT_PTR SaveAsPresetThenAccept(UCB* ucb, TCB* tcb, HWND page, WORD id, HWND control) {
  if (id == kCmdSaveNewPreset) KesmRequestForUiCore(ucb, kRequestFreshStart);
  if (JudgeRefuses(ucb, tcb)) {
    ResetRequestCode(ucb, kRequestFreshStart);
    RefreshDialog(ucb, tcb, 1);
    return kNotHandled;
  }
  if (id == kCmdOverwritePreset && !NameAllowsOverwrite(ucb, page)) {
    ICB* icb = control != nullptr ? GetICBbyHwnd(ucb, tcb, control) : nullptr;
    KesmCustomProcedure(ucb, tcb, icb, kMsgAlertRefused, 0, 0);
    return kNotHandled;
  }
  if (id == kCmdSaveNewPreset && ShowDialogBox(ucb, kShowModal, kSavePresetDialog, page) == kDialogCancelled) {
    return kNotHandled;
  }
  {
    WaitCursor wait;
    // A list that cannot be written leaves the sheet open, as it was: the
    // selected preset is not written over with the settings meant for a
    // new one.
    bool fresh = false;
    if (!MakePresetEntry(ucb, &fresh)) {
      ResetRequestCode(ucb, kRequestFreshStart);
      return kNotHandled;
    }
    WriteSelectedPreset(ucb, fresh);
    ResetRequestCode(ucb, kRequestSaveBeforeOk);
    PostMessageW(page, WM_COMMAND, kCmdPressOk, 0);
  }
  return kNotHandled;
}

}  // namespace kesm_page
