// Print-quality sets: their list in the settings INI and their set files.
#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "storage/files/file_names.h"
#include "storage/files/path_builders.h"
#include "storage/ini/section_names.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/store_ini.h"

namespace {

using storage::KeyWith;
using storage::ReadStoreText;

constexpr const WCHAR* kKeyCount = u"QualityCount";
constexpr const WCHAR* kSuffixName = u"Name";
constexpr WORD kItemQualityName = 2281;
constexpr WORD kFuncQualityName = 764;

bool IsQualityIndex(int index) { return index >= 0 && index < kQualitySetsMax; }

std::u16string QualityKey(int index) {
  std::array<WCHAR, storage::kStoreKeyChars> key{};
  return MakeQualityKey(key.data(), index);
}

std::u16string PathOf(UCB* ucb, LPCWSTR key) {
  return ReadStoreText(GetQualitySectionName(ucb), key, storage::SettingsIniOf(ucb), MAX_PATH);
}

void ReadName(UCB* ucb, LPCWSTR key) {
  const std::u16string name =
      ReadStoreText(GetQualitySectionName(ucb), KeyWith(key, kSuffixName).c_str(), storage::SettingsIniOf(ucb),
                    kScratchChars);
  storage::SetSettingText(ucb, kFuncQualityName, name.c_str());
}

// The name the user gave the set: the text of the quality-name item, or
// the quality-set name setting where the item is not there.
std::u16string NameToWrite(UCB* ucb) {
  std::array<WCHAR, kScratchChars> text{};
  if (GetDevmodeStringByItemID(ucb, kItemQualityName, text.data()) != nullptr) return text.data();
  return storage::SettingText(ucb, kFuncQualityName);
}

}  // namespace

int ReadQualityCount(UCB* ucb) {
  return storage::ReadStoreCount(GetQualitySectionName(ucb), kKeyCount, storage::SettingsIniOf(ucb), kQualitySetsMax);
}

BOOL ReadQualityByKey(UCB* ucb, LPCWSTR key) {
  if (ucb == nullptr || key == nullptr) return FALSE;
  if (!ReadSetFile(ucb->hPrinter, PathOf(ucb, key).c_str(), kSetFileQuality, ucb)) return FALSE;
  ReadName(ucb, key);
  return TRUE;
}

BOOL ReadQualityByID(UCB* ucb, int index) {
  return IsQualityIndex(index) && ReadQualityByKey(ucb, QualityKey(index).c_str());
}

BOOL WriteQualityByKey(UCB* ucb, LPCWSTR key) {
  if (ucb == nullptr || key == nullptr) return FALSE;
  if (!WriteSetFile(ucb->hPrinter, PathOf(ucb, key).c_str(), kSetFileQuality, ucb)) return FALSE;
  return storage::WriteStoreText(GetQualitySectionName(ucb), KeyWith(key, kSuffixName).c_str(),
                                 NameToWrite(ucb).c_str(), storage::SettingsIniOf(ucb));
}

BOOL WriteQualityByID(UCB* ucb, int index) {
  return IsQualityIndex(index) && WriteQualityByKey(ucb, QualityKey(index).c_str());
}

BOOL ReadInstallQualityByKey(UCB* ucb, LPCWSTR key) {
  if (ucb == nullptr || key == nullptr) return FALSE;
  const std::u16string path = PathOf(ucb, key);
  std::array<WCHAR, MAX_PATH> driverUse{};
  std::array<WCHAR, MAX_PATH> installed{};
  if (path.empty() || !MakeDriverUseFileName(driverUse.data(), path.c_str(), MAX_PATH, ucb) ||
      !MakeBatchUseQualityFileName(installed.data(), driverUse.data(), nullptr)) {
    return FALSE;
  }
  if (!ReadSetFile(ucb->hPrinter, installed.data(), kSetFileQuality | kSetFileInstall, ucb)) return FALSE;
  ReadName(ucb, key);
  return TRUE;
}

BOOL ReadInstallQualityByID(UCB* ucb, int index) {
  return IsQualityIndex(index) && ReadInstallQualityByKey(ucb, QualityKey(index).c_str());
}

BOOL UpgradeQuality(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  BackupPrivateDevmode(ucb);
  const int count = ReadQualityCount(ucb);
  for (int i = 0; i < count; ++i) {
    if (storage::IsFromNewerDriver(ucb, PathOf(ucb, QualityKey(i).c_str()).c_str(), GetPrinterName(ucb))) continue;
    ReadInstallQualityByID(ucb, i);
    ReadQualityByID(ucb, i);
    WriteQualityByID(ucb, i);
  }
  RestorePrivateDevmode(ucb, TRUE);
  return TRUE;
}
#endif
