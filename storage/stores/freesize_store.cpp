// The free-size entries of the settings INI and the driver INI.
#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "platform/text/wintext.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/store_ini.h"

namespace {

constexpr const WCHAR* kKeyCount = u"FreeSizeCount";
// The settings of the free size being edited and of the source free size.
constexpr std::array<WORD, 5> kEditedIds = {752, 753, 754, 755, 756};
constexpr std::array<WORD, 5> kSourceIds = {757, 758, 759, 760, 761};
// The driver INI's entries name only name, width and length.
constexpr std::size_t kDriverEntryValues = 3;

bool IsEntry(int index) { return index >= 0 && index < kFreeSizeEntries; }

std::u16string EntryKey(UCB* ucb, int index) {
  std::array<WCHAR, storage::kStoreKeyChars> key{};
  return MakeFreesizeKey(key.data(), index, 0, ucb);
}

// Empties the first count settings of a free size (text and numbers).
void Clear(UCB* ucb, const std::array<WORD, 5>& ids, std::size_t count = 5) {
  for (std::size_t i = 0; i < count; ++i) {
    SFCB* record = GetSFCBbyFuncID(ucb, ids[i]);
    if (record == nullptr) continue;
    if (SettingKindIsString(SettingKindOf(record->descriptor))) {
      SetDevmodeStringBySFCB(ucb, record, u"");
    } else {
      SetDevmodeValueDirect(ucb, record, 0);
    }
  }
}

BOOL ReadEntry(UCB* ucb, LPCWSTR file, LPCWSTR key, const std::array<WORD, 5>& ids, std::size_t cleared,
               DWORD flags) {
  if (ucb == nullptr) return FALSE;
  Clear(ucb, ids, cleared);
  return storage::ReadKeyedSetFile(ucb, file, key, flags);
}

}  // namespace

LPWSTR MakeFreesizeKey(LPWSTR buffer, int index, DWORD, UCB* ucb) {
  if (buffer == nullptr) return nullptr;
  LPCWSTR language = GetLanguageStrFromKDM(ucb);
  wnsprintfW(buffer, storage::kStoreKeyChars, u"FreeSize%d%s", index, language != nullptr ? language : u"");
  return buffer;
}

BOOL ReadFreesizeByKey(UCB* ucb, LPCWSTR key) {
  return ReadEntry(ucb, storage::SettingsIniOf(ucb), key, kEditedIds, kEditedIds.size(), kSetFileFreeSize);
}

BOOL ReadFreesizeByID(UCB* ucb, int index) {
  return IsEntry(index) && ReadFreesizeByKey(ucb, EntryKey(ucb, index).c_str());
}

BOOL ReadSrcFreesizeByKey(UCB* ucb, LPCWSTR key) {
  return ReadEntry(ucb, storage::SettingsIniOf(ucb), key, kSourceIds, kSourceIds.size(), kSetFileSourceFreeSize);
}

BOOL ReadSrcFreesizeByID(UCB* ucb, int index) {
  return IsEntry(index) && ReadSrcFreesizeByKey(ucb, EntryKey(ucb, index).c_str());
}

BOOL WriteFreesizeByKey(UCB* ucb, LPCWSTR key) {
  return ucb != nullptr && storage::WriteKeyedSetFile(ucb, storage::SettingsIniOf(ucb), key, kSetFileFreeSize);
}

BOOL WriteFreesizeByID(UCB* ucb, int index) {
  return IsEntry(index) && WriteFreesizeByKey(ucb, EntryKey(ucb, index).c_str());
}

BOOL WriteFreesizeCount(UCB* ucb, int count) {
  return storage::WriteStoreNumber(GetFreesizeSectionName(ucb), kKeyCount, count, storage::SettingsIniOf(ucb));
}

BOOL UpgradeFreesize(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  BackupPrivateDevmode(ucb);
  for (int n = 0; n < kFreeSizeEntries; ++n) {
    if (storage::IsFromNewerDriver(ucb, storage::SettingsIniOf(ucb), EntryKey(ucb, n).c_str())) continue;
    if (ReadFreesizeByID(ucb, n)) WriteFreesizeByID(ucb, n);
  }
  RestorePrivateDevmode(ucb, TRUE);
  return TRUE;
}

int ReadFreesizeCountFromInstIni(UCB* ucb) {
  const int count = storage::ReadStoreCount(GetFreesizeSectionName(ucb), kKeyCount, storage::DriverIniOf(ucb), kFreeSizeEntries + 1);
  return count == kFreeSizeEntries ? count : 0;
}

BOOL ReadFreesizeByKeyFromInstIni(UCB* ucb, LPCWSTR key) {
  return ReadEntry(ucb, storage::DriverIniOf(ucb), key, kEditedIds, kDriverEntryValues, kSetFileFreeSize);
}

BOOL ReadFreesizeByIDFromInstIni(UCB* ucb, int index) {
  return IsEntry(index) && ReadFreesizeByKeyFromInstIni(ucb, EntryKey(ucb, index).c_str());
}

int ReadFreesizeCountDrvInst(LPCWSTR file, LPCWSTR section, UCB*) {
  return storage::ReadStoreCount(section, kKeyCount, file, kFreeSizeEntries);
}

BOOL ReadFreesizeByKeyDrvInst(LPCWSTR file, LPCWSTR key, UCB* ucb) {
  return file != nullptr && ReadEntry(ucb, file, key, kEditedIds, kEditedIds.size(), kSetFileFreeSize);
}

BOOL ReadFreesizeByIDDrvInst(LPCWSTR file, int index, UCB* ucb) {
  return IsEntry(index) && ReadFreesizeByKeyDrvInst(file, EntryKey(ucb, index).c_str(), ucb);
}
#endif
