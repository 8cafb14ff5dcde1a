// User watermarks in the settings INI, and the driver's in the driver INI.
#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "jobsettings/validate/dm_value_tables.h"
#include "platform/text/wintext.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/ini/section_names.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/store_ini.h"
#include "storage/stores/watermark_store.h"

namespace {

constexpr const WCHAR* kKeyCount = u"StampCount";
constexpr WORD kFuncWatermarkOn = 60;
constexpr WORD kFuncWatermarkKind = 117;
constexpr WORD kFuncWatermarkId = 118;

bool IsEntryIndex(int index) { return index >= 0 && index <= kWatermarkScratchIndex; }

std::u16string EntryKey(UCB* ucb, int index) {
  std::array<WCHAR, storage::kStoreKeyChars> key{};
  return MakeWatermarkKey(key.data(), index, 0, ucb);
}

// Reads entry index of a file and makes it the current watermark.
BOOL ReadEntry(UCB* ucb, LPCWSTR file, int index) {
  if (!IsEntryIndex(index) || !storage::ReadKeyedSetFile(ucb, file, EntryKey(ucb, index).c_str(), kSetFileWatermark)) {
    return FALSE;
  }
  return SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, index);
}

}  // namespace

int ReadWatermarkCount(UCB* ucb) {
  return storage::ReadStoreCount(GetWatermarkSectionName(ucb), kKeyCount, storage::SettingsIniOf(ucb), kWatermarksMax);
}

BOOL WriteWatermarkCount(UCB* ucb, int count) {
  return storage::WriteStoreNumber(GetWatermarkSectionName(ucb), kKeyCount, count, storage::SettingsIniOf(ucb));
}

LPWSTR MakeWatermarkKey(LPWSTR buffer, int index, DWORD, UCB* ucb) {
  if (buffer == nullptr) return nullptr;
  LPCWSTR language = GetLanguageStrFromKDM(ucb);
  wnsprintfW(buffer, storage::kStoreKeyChars, u"Stamp%d%s", index, language != nullptr ? language : u"");
  return buffer;
}

BOOL ReadWatermarkByKey(UCB* ucb, LPCWSTR key) {
  return ucb != nullptr && storage::ReadKeyedSetFile(ucb, storage::SettingsIniOf(ucb), key, kSetFileWatermark);
}

BOOL ReadWatermarkByID(UCB* ucb, int index) {
  return ucb != nullptr && ReadEntry(ucb, storage::SettingsIniOf(ucb), index);
}

BOOL WriteWatermarkByKey(UCB* ucb, LPCWSTR key) {
  if (ucb == nullptr) return FALSE;
  const BOOL written = storage::WriteKeyedSetFile(ucb, storage::SettingsIniOf(ucb), key, kSetFileWatermark);
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
  return written;
}

BOOL WriteWatermarkByID(UCB* ucb, int index) {
  if (ucb == nullptr || !IsEntryIndex(index)) return FALSE;
  SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, index);
  // The entry goes first: a count is never raised over an entry that is
  // not there.
  if (!WriteWatermarkByKey(ucb, EntryKey(ucb, index).c_str())) return FALSE;
  if (index == kWatermarkScratchIndex || index < ReadWatermarkCount(ucb)) return TRUE;
  return WriteWatermarkCount(ucb, index + 1);
}

BOOL DeleteWatermarkByID(UCB* ucb, int index) {
  if (ucb == nullptr) return FALSE;
  const int count = ReadWatermarkCount(ucb);
  if (index < 0 || index >= count) return FALSE;
  BackupPrivateDevmode(ucb);
  // The later entries move down before the count drops, so that an
  // interrupted delete leaves an entry twice rather than hides one.
  BOOL moved = TRUE;
  for (int j = index + 1; j < count && moved; ++j) {
    moved = ReadWatermarkByID(ucb, j) && WriteWatermarkByID(ucb, j - 1);
  }
  RestorePrivateDevmode(ucb, TRUE);
  const BOOL counted = moved && WriteWatermarkCount(ucb, count - 1);
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
  return counted;
}

BOOL UpgradeWatermark(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  BackupPrivateDevmode(ucb);
  const int count = ReadWatermarkCount(ucb);
  for (int i = 0; i < count; ++i) {
    if (storage::IsFromNewerDriver(ucb, storage::SettingsIniOf(ucb), EntryKey(ucb, i).c_str())) continue;
    if (ReadWatermarkByID(ucb, i)) WriteWatermarkByID(ucb, i);
  }
  RestorePrivateDevmode(ucb, TRUE);
  return TRUE;
}

BOOL GetWatermarkData(UCB* ucb) {
  if (ucb == nullptr || GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkOn, nullptr) == 0) return FALSE;
  const auto kind = static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkKind, nullptr));
  if (!IsValidDMValue(kFuncWatermarkKind, kind)) return FALSE;
  return ReadWatermarkByID(ucb, static_cast<int>(GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, nullptr)));
}

int ReadWatermarkCountFromInstIni(UCB* ucb) {
  return storage::ReadStoreCount(GetWatermarkSectionName(ucb), kKeyCount, storage::DriverIniOf(ucb), kWatermarksMax);
}

BOOL ReadWatermarkByKeyFromInstIni(UCB* ucb, LPCWSTR key) {
  return ucb != nullptr && storage::ReadKeyedSetFile(ucb, storage::DriverIniOf(ucb), key, kSetFileWatermark);
}

BOOL ReadWatermarkByIDFromInstIni(UCB* ucb, int index) {
  return ucb != nullptr && ReadEntry(ucb, storage::DriverIniOf(ucb), index);
}

int ReadWatermarkCountDrvInst(LPCWSTR file, LPCWSTR section, UCB*) {
  return storage::ReadStoreCount(section, kKeyCount, file, kWatermarksMax);
}

BOOL ReadWatermarkByKeyDrvInst(LPCWSTR file, DWORD, LPCWSTR key, UCB* ucb) {
  return ucb != nullptr && storage::ReadKeyedSetFile(ucb, file, key, kSetFileWatermark);
}

BOOL ReadWatermarkByIDDrvInst(LPCWSTR file, DWORD, int index, UCB* ucb) {
  return ucb != nullptr && ReadEntry(ucb, file, index);
}
#endif
