// Presets: their list in the settings INI, their set files, recall and
// upgrade.
#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/paper/derived_settings.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "storage/files/file_names.h"
#include "storage/files/path_builders.h"
#include "storage/ini/section_names.h"
#include "storage/setfiles/storage_services.h"
#include "storage/setfiles/section_swap.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/store_ini.h"
#include "storage/stores/watermark_store.h"
#include "storage/system/system_info.h"

namespace {

using storage::KeyWith;
using storage::ReadStoreText;
using storage::WriteStoreText;

constexpr const WCHAR* kKeyCount = u"Count";
constexpr const WCHAR* kKeyReadonly = u"Readonly";
constexpr const WCHAR* kSuffixName = u"Name";
constexpr const WCHAR* kSuffixComment = u"Comment";
constexpr const WCHAR* kExtTemplate = u"rsd";
constexpr DWORD kReadonlyChars = 16;
constexpr DWORD kTextChars = kScratchChars;

constexpr WORD kFuncWatermarkOn = 60;
constexpr WORD kFuncWatermarkKind = 117;
constexpr WORD kFuncWatermarkId = 118;
constexpr WORD kFuncPresetName = 762;
constexpr WORD kFuncPresetComment = 763;

constexpr DWORD kReadFlags = kSetFilePreset | kSetFileNoAlert;

bool IsPresetIndex(int index) { return index >= 0 && index < kPresetSlots; }

LONG_PTR Value(UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }

std::u16string PresetKey(int index, int part = 0) {
  std::array<WCHAR, storage::kStoreKeyChars> key{};
  return MakePresetKey(key.data(), index, part);
}

// The set-file path a preset key names (at most MAX_PATH characters).
std::u16string PathOf(UCB* ucb, LPCWSTR key) {
  return ReadStoreText(GetPresetSectionName(ucb), key, storage::SettingsIniOf(ucb), MAX_PATH);
}

void ReadNameAndComment(UCB* ucb, LPCWSTR key) {
  LPCWSTR section = GetPresetSectionName(ucb);
  LPCWSTR ini = storage::SettingsIniOf(ucb);
  storage::SetSettingText(ucb, kFuncPresetName, ReadStoreText(section, KeyWith(key, kSuffixName).c_str(), ini, kTextChars).c_str());
  storage::SetSettingText(ucb, kFuncPresetComment,
                          ReadStoreText(section, KeyWith(key, kSuffixComment).c_str(), ini, kTextChars).c_str());
}

// A recalled preset keeps its watermark only when the store has it.
void FixWatermark(UCB* ucb) {
  const LONG_PTR id = Value(ucb, kFuncWatermarkId);
  if (Value(ucb, kFuncWatermarkOn) != 0 && id < ReadWatermarkCount(ucb)) {
    const LONG_PTR kind = Value(ucb, kFuncWatermarkKind);
    if (kind >= 1 && kind <= 3) {
      ReadWatermarkByID(ucb, static_cast<int>(id));
      SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, id);
    }
    return;
  }
  SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkOn, 0);
  SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, 0);
}

// What follows every read of a preset's file: name, comment, watermark,
// cache and chapter settings.
BOOL FinishRecall(UCB* ucb, LPCWSTR key, bool cache) {
  ReadNameAndComment(ucb, key);
  FixWatermark(ucb);
  if (cache) CheckPresetCache(ucb, key, kPresetCacheSave);
  return ValidateChapterInfo(ucb);
}

}  // namespace

LPWSTR MakePresetKey(LPWSTR buffer, int index, int part) {
  if (buffer == nullptr) return nullptr;
  const LPCWSTR suffix = part == 1 ? kSuffixName : part == 2 ? kSuffixComment : u"";
  wnsprintfW(buffer, storage::kStoreKeyChars, u"PresetList%d%s", index, suffix);
  return buffer;
}

int ReadPresetCount(UCB* ucb) {
  return storage::ReadStoreCount(GetPresetSectionName(ucb), kKeyCount, storage::SettingsIniOf(ucb), kPresetSlots);
}

BOOL AddPresetData(UCB* ucb, LPCWSTR path, LPCWSTR name, LPCWSTR comment) {
  if (ucb == nullptr || path == nullptr) return FALSE;
  LPCWSTR section = GetPresetSectionName(ucb);
  LPCWSTR ini = storage::SettingsIniOf(ucb);
  const int n = ReadPresetCount(ucb);
  const BOOL written = WriteStoreText(section, PresetKey(n).c_str(), path, ini) &&
                       WriteStoreText(section, PresetKey(n, 1).c_str(), name != nullptr ? name : u"", ini) &&
                       WriteStoreText(section, PresetKey(n, 2).c_str(), comment != nullptr ? comment : u"", ini) &&
                       storage::WriteStoreNumber(section, kKeyCount, n + 1, ini);
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
  return written;
}

BOOL ResetPresetData(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  return WriteStoreText(GetPresetSectionName(ucb), kKeyCount, u"0", storage::SettingsIniOf(ucb));
}

BOOL ReadPresetByKey(UCB* ucb, LPCWSTR key) {
  if (ucb == nullptr || key == nullptr) return FALSE;
  if (CheckPresetCache(ucb, key, kPresetCacheRestore) == 1) return TRUE;
  std::u16string path = PathOf(ucb, key);
  DrvSetLastError(ucb, 0);
  if (path.empty()) path = PathOf(ucb, PresetKey(0).c_str());
  BOOL read = ReadSetFile(ucb->hPrinter, path.c_str(), kReadFlags, ucb);
  const bool outdated = DrvGetLastError(ucb) == kSetFileVersionMismatch;
  if (outdated) {
    // The list no longer names the file; preset 0 stands in for it.
    WriteStoreText(GetPresetSectionName(ucb), key, u"", storage::SettingsIniOf(ucb));
    DrvSetLastError(ucb, 0);
    read = ReadSetFile(ucb->hPrinter, PathOf(ucb, PresetKey(0).c_str()).c_str(), kSetFilePreset, ucb);
  }
  if (!read) return FALSE;
  const BOOL finished = FinishRecall(ucb, key, true);
  if (outdated) storage::ShowStorageMessage(ucb, kMessagePresetVersion, nullptr);
  return finished;
}

BOOL ReadPresetByID(UCB* ucb, int index) {
  if (ucb == nullptr) return FALSE;
  if (!IsPresetIndex(index)) {
    storage::SetSettingText(ucb, kFuncPresetName, u"");
    storage::SetSettingText(ucb, kFuncPresetComment, u"");
    return FALSE;
  }
  return ReadPresetByKey(ucb, PresetKey(index).c_str());
}

BOOL ReadInstallPresetByID(UCB* ucb, int index) {
  if (ucb == nullptr || !IsPresetIndex(index)) return FALSE;
  const std::u16string key = PresetKey(index);
  const std::u16string path = PathOf(ucb, key.c_str());
  if (path.empty()) return FALSE;
  std::array<WCHAR, MAX_PATH> name{};
  std::array<WCHAR, MAX_PATH> templatePath{};
  if (!MakeBatchUseFileName(name.data(), GetFileNamePtr(path.c_str()), kExtTemplate, nullptr) ||
      AddSystemDirToFileNameEx2(templatePath.data(), MAX_PATH, name.data(), ucb) == nullptr) {
    return FALSE;
  }
  BOOL read = FALSE;
  {
    storage::PrinterNameSwap swap(ucb, GetDriverName(ucb));
    read = swap.ok() && ReadSetFile(ucb->hPrinter, templatePath.data(), kReadFlags, ucb);
  }
  return read && FinishRecall(ucb, key.c_str(), false);
}

BOOL WritePresetByKey(UCB* ucb, LPCWSTR key) {
  if (ucb == nullptr || key == nullptr) return FALSE;
  LPCWSTR section = GetPresetSectionName(ucb);
  LPCWSTR ini = storage::SettingsIniOf(ucb);
  BOOL written = WriteSetFile(ucb->hPrinter, PathOf(ucb, key).c_str(), kSetFilePreset, ucb);
  if (written) {
    written = WriteStoreText(section, KeyWith(key, kSuffixName).c_str(),
                             storage::SettingText(ucb, kFuncPresetName).c_str(), ini) &&
              WriteStoreText(section, KeyWith(key, kSuffixComment).c_str(),
                             storage::SettingText(ucb, kFuncPresetComment).c_str(), ini);
  }
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
  return written;
}

BOOL WritePresetByID(UCB* ucb, int index) {
  if (ucb == nullptr || !IsPresetIndex(index)) return FALSE;
  if (!IsOsLaterWin2000() && GetKDMTSE(ucb) != 0 && GetKDMAdmin(ucb) == 0) return FALSE;
  return WritePresetByKey(ucb, PresetKey(index).c_str());
}

BOOL CanOverwritePreset(UCB* ucb, int index) {
  if (ucb == nullptr || !IsPresetIndex(index)) return FALSE;
  return CanOverwriteRst(ucb, PathOf(ucb, PresetKey(index).c_str()).c_str());
}

BOOL UpgradePreset(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  BackupPrivateDevmode(ucb);
  const int count = ReadPresetCount(ucb);
  for (int i = 0; i < count; ++i) {
    const std::u16string path = PathOf(ucb, PresetKey(i).c_str());
    if (storage::IsFromNewerDriver(ucb, path.c_str(), GetPrinterName(ucb))) continue;
    const std::u16string readonly = ReadStoreText(GetPrinterName(ucb), kKeyReadonly, path.c_str(), kReadonlyChars);
    ReadInstallPresetByID(ucb, i);
    // The user's preset is read over the template, never taken from the
    // cache.
    CheckPresetCache(ucb, nullptr, kPresetCacheFree);
    ReadPresetByID(ucb, i);
    WritePresetByID(ucb, i);
    if (!readonly.empty() && !path.empty()) {
      WriteStoreText(GetPrinterName(ucb), kKeyReadonly, readonly.c_str(), path.c_str());
    }
  }
  RestorePrivateDevmode(ucb, TRUE);
  return TRUE;
}
#endif
