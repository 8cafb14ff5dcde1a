#if !KESM_KERNEL_MODE
#include "storage/install/preset_refresh.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jobsettings/devmode/runtime_flags.h"
#include "settings/constraints/fixed_switches.h"
#include "platform/text/wintext.h"
#include "platform/window/winuser_styles.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/context/drv_last_error.h"
#include "settings/values/setting_lookup.h"
#include "storage/files/file_helpers.h"
#include "storage/files/file_names.h"
#include "storage/files/text_out.h"
#include "storage/ini/section_names.h"
#include "storage/install/batch_install.h"
#include "storage/install/default_rst.h"
#include "storage/install/install_ini.h"
#include "storage/install/template_conditions.h"
#include "storage/install/template_names.h"
#include "storage/properties/printer_properties.h"
#include "storage/setfiles/storage_services.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/store_ini.h"

namespace {

constexpr const WCHAR* kKeyPackDone = u"PackInstallDone";
constexpr const WCHAR* kKeyRefreshDone = u"PresetRefresh";
constexpr const WCHAR* kKeyCount = u"NumDeficonfiles";
constexpr WORD kTabPreset = 1001;
constexpr WORD kItemPreset = 2001;
constexpr int kAnswerCancel = 2;
constexpr int kPrinterBlock = 2;

std::u16string PresetKey(int index, int part) {
  std::array<WCHAR, storage::kStoreKeyChars> key{};
  return MakePresetKey(key.data(), index, part);
}

// The stored list, in list order.
void LoadList(UCB* ucb, PRESETREFRESHLIST& list) {
  LPCWSTR section = GetPresetSectionName(ucb);
  LPCWSTR ini = storage::SettingsIniOf(ucb);
  const int count = ReadPresetCount(ucb);
  list.count = 0;
  for (int i = 0; i < count && i < kPresetListMax; ++i) {
    PRESETREFRESH& entry = list.entries[list.count++];
    entry = PRESETREFRESH{};
    storage::CopyOut(entry.szPath, MAX_PATH, storage::ReadStoreText(section, PresetKey(i, 0).c_str(), ini, MAX_PATH));
    storage::CopyOut(entry.szName, kPresetTextChars,
                     storage::ReadStoreText(section, PresetKey(i, 1).c_str(), ini, kPresetTextChars));
    storage::CopyOut(entry.szComment, kPresetTextChars,
                     storage::ReadStoreText(section, PresetKey(i, 2).c_str(), ini, kPresetTextChars));
    if (entry.szPath[0] != 0) MakeBatchUsePresetIconFileName(entry.szIconFile, entry.szPath);
  }
}

// Writes the list as the stored one: every entry first, the count last.
void StoreList(UCB* ucb, const PRESETREFRESHLIST& list) {
  LPCWSTR section = GetPresetSectionName(ucb);
  LPCWSTR ini = storage::SettingsIniOf(ucb);
  for (int i = 0; i < list.count; ++i) {
    const PRESETREFRESH& entry = list.entries[i];
    storage::WriteStoreText(section, PresetKey(i, 0).c_str(), entry.szPath, ini);
    storage::WriteStoreText(section, PresetKey(i, 1).c_str(), entry.szName, ini);
    storage::WriteStoreText(section, PresetKey(i, 2).c_str(), entry.szComment, ini);
  }
  storage::WriteStoreNumber(section, u"Count", list.count, ini);
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
}

struct TemplateState {
  std::array<WCHAR, MAX_PATH> driverUse{};
  bool applies = false;
};

// The templates of the default set file; nullopt when one is missing or
// cannot be used.
std::optional<std::vector<TemplateState>> ReadTemplates(LPCWSTR setFile, UCB* ucb) {
  LPCWSTR section = GetBatchInstallSectionName(ucb);
  const UINT count = storage::ReadIniInt(section, kKeyCount, 0, setFile);
  if (count > kTemplateListMax) return std::nullopt;
  std::vector<TemplateState> templates;
  for (UINT j = 1; j <= count; ++j) {
    std::array<WCHAR, 32> key{};
    wnsprintfW(key.data(), static_cast<int>(key.size()), u"Deficonfiles%u", j);
    std::array<WCHAR, MAX_PATH> file{};
    const std::optional<std::u16string> name = storage::ReadWholeValue(section, key.data(), setFile, MAX_PATH - 1);
    if (!name.has_value() || name->empty() || storage::CopyOut(file.data(), MAX_PATH, *name) == 0 ||
        !IsAvailablePresetIconFileName(file.data(), MAX_PATH, ucb) || !IsPathInDriverFolders(file.data(), ucb)) {
      return std::nullopt;
    }
    TemplateState state;
    if (!MakeDriverUsePresetIconFileName(state.driverUse.data(), file.data(), MAX_PATH, ucb)) return std::nullopt;
    state.applies = IsValidEnablePresetIcon(file.data(), ucb) && IsValidConditionPresetIcon(file.data(), ucb);
    templates.push_back(state);
  }
  return templates;
}

bool IsDriverUseFile(LPCWSTR path) {
  DWORD length = 0;
  LPCWSTR extension = GetFileNameExt(path, &length);
  return extension != nullptr && storage::SameTextIgnoringCase(std::u16string_view(extension, length), u"rsr");
}

// Marks the entries the refresh drops; returns their names, each after two
// blanks, one to a line.
std::u16string MarkDropped(PRESETREFRESHLIST& list, const std::vector<TemplateState>& templates, UCB* ucb) {
  std::u16string names;
  for (int i = 0; i < list.count; ++i) {
    PRESETREFRESH& entry = list.entries[i];
    DWORD length = 0;
    GetFileNameExt(entry.szPath, &length);
    bool drop = false;
    if (IsDriverUseFile(entry.szPath)) {
      for (const TemplateState& t : templates) {
        drop = drop || (!t.applies && lstrcmpiW(t.driverUse.data(), entry.szPath) == 0);
      }
    } else if (length != 0) {
      drop = !IsValidUserPresetIcon(entry.szPath, ucb);
    }
    entry.wRemove = drop ? 1 : 0;
    if (drop) names += (names.empty() ? u"  " : u"\n  ") + std::u16string(entry.szName);
  }
  return names;
}

}  // namespace

BOOL IsExistCurrentPresetList(LPCWSTR path, const PRESETREFRESHLIST* list, int* index) {
  if (path == nullptr || list == nullptr) return FALSE;
  for (int i = 0; i < list->count; ++i) {
    if (lstrcmpiW(list->entries[i].szPath, path) == 0) {
      if (index != nullptr) *index = i;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL GetSetRSDFromFile(LPCWSTR file, LPCWSTR section, LPWSTR name, LPWSTR comment) {
  if (name == nullptr || comment == nullptr) return FALSE;
  const auto read = [&](LPCWSTR key, LPWSTR buffer) {
    buffer[0] = 0;
    const std::optional<std::u16string> text = storage::ReadWholeValue(section, key, file, kPresetTextChars - 1);
    if (text.has_value()) storage::CopyOut(buffer, kPresetTextChars, *text);
  };
  read(u"setname", name);
  read(u"setcomment", comment);
  return TRUE;
}

BOOL IsValidUserPresetIcon(LPCWSTR setFile, UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return TRUE;
  const storage::SettingsCopy settings(ucb);
  if (!settings.ok()) return TRUE;
  DrvSetLastError(ucb, 0);
  ReadSetFile(ucb->hPrinter, setFile, kSetFilePreset | kSetFileNoAlert, ucb);
  bool valid = true;
  if (DrvGetLastError(ucb) != kSetFileVersionMismatch) {
    const ICB* item = GetICBbyItemID(ucb, GetTCBbyTabID(ucb, kTabPreset), kItemPreset);
    const UiGroup* group = item != nullptr ? BKPDGetUiGroupAddr(item->groupId, ucb) : nullptr;
    valid = group == nullptr || BKPDIsAlertModeUI(group, ucb) == 0;
  }
  DrvSetLastError(ucb, 0);
  settings.Restore();
  return valid;
}

BOOL BatchInstallForPresetRefresh(UCB* ucb, DWORD ask) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return 0;
  std::array<WCHAR, MAX_PATH + 1> setFile{};
  if (!GetDefaultRstFileNameFromIniForRefresh(setFile.data(), ucb) ||
      !GetDefaultRstFilePath(setFile.data(), nullptr, ucb) || !IsPathInDriverFolders(setFile.data(), ucb) ||
      !IsAvailableDefaultRstFileNameForDrvInst(setFile.data())) {
    return 0;
  }
  const std::optional<std::vector<TemplateState>> templates = ReadTemplates(setFile.data(), ucb);
  if (!templates.has_value()) return 0;
  auto list = std::make_unique<PRESETREFRESHLIST>();
  LoadList(ucb, *list);
  const std::u16string dropped = MarkDropped(*list, *templates, ucb);
  if (!dropped.empty() && (ask & 0xFF) != 0 &&
      storage::AskStorageQuestion(ucb, kAlertPresetsDropped, dropped.c_str()) == kAnswerCancel) {
    return 0;
  }
  auto kept = std::make_unique<PRESETREFRESHLIST>();
  for (int i = 0; i < list->count; ++i) {
    if (list->entries[i].wRemove == 0) kept->entries[kept->count++] = list->entries[i];
  }
  BatchInstallForPreset(setFile.data(), GetBatchInstallSectionName(ucb), kBatchEnter | kBatchChecked | kBatchRefresh,
                        ucb, kept.get());
  StoreList(ucb, *kept);
  return 1;
}

void PresetRefreshForOptionDialog(UCB* ucb, DWORD mode) {
  if (ucb == nullptr || !IsGroupCtlFlags(1)) return;
  LPCWSTR section = GetPresetSectionName(ucb);
  LPCWSTR ini = storage::SettingsIniOf(ucb);
  if (ini == nullptr) return;
  const bool packed = storage::ReadIniInt(section, kKeyPackDone, 0, ini) == 1;
  if (mode == 2 && packed) return;
  if (mode == 0 && (GetKDMBiDirect(ucb) != 0 || packed)) mode = 1;
  if (storage::ReadIniInt(section, kKeyRefreshDone, 0, ini) != 0) return;
  if (mode == 0) {
    storage::ShowStorageMessage(ucb, kMessagePresetRefresh, nullptr, MB_ICONINFORMATION);
    if (storage::ShowOptionDialogForRefresh(ucb) != 1) return;
    SetProperties(ucb->hPrinter, ucb, kPrinterBlock, 0);
  } else if (mode != 1) {
    storage::ShowStorageMessage(ucb, kMessagePresetRefresh, nullptr, MB_ICONINFORMATION);
    return;
  }
  BatchInstallForPresetRefresh(ucb, 0);
  storage::WriteStoreText(section, kKeyRefreshDone, u"1", ini);
}
#endif
