#if !KESM_KERNEL_MODE
#include "storage/install/ini_install.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "features/custom_modules.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "storage/files/file_helpers.h"
#include "storage/files/path_builders.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/install/default_rst.h"
#include "storage/install/install_ini.h"
#include "storage/install/install_keys.h"
#include "storage/install/template_names.h"
#include "storage/properties/printer_properties.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/store_ini.h"
#include "storage/stores/watermark_store.h"
#include "storage/system/system_info.h"

namespace {

constexpr const WCHAR* kKeyVersion = u"RstVersion";
constexpr const WCHAR* kKeyFreeSizeCount = u"FreeSizeCount";
constexpr const WCHAR* kKeyStampCount = u"StampCount";
constexpr const WCHAR* kKeyMergePath = u"DrvDefJobMergePath";
constexpr const WCHAR* kKeyBatchDone = u"BatchInstallDone";
constexpr DWORD kValueChars = MAX_PATH;

std::u16string Read(LPCWSTR section, LPCWSTR key, LPCWSTR path) {
  return storage::ReadStoreText(section, key, path, kValueChars);
}

const DP& Model(const UCB* ucb) { return ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

// The entry keys of the stores, in the context's language.
std::u16string FreesizeKey(UCB* ucb, int i) {
  std::array<WCHAR, storage::kStoreKeyChars> key{};
  return MakeFreesizeKey(key.data(), i, 0, ucb);
}
std::u16string WatermarkKey(UCB* ucb, int i) {
  std::array<WCHAR, storage::kStoreKeyChars> key{};
  return MakeWatermarkKey(key.data(), i, 0, ucb);
}

using EntryKeyOf = std::u16string (*)(UCB*, int);

// Copies a store's count and entries (their version and the settings of
// the list) from the driver INI into the shared INI.
void CopyEntries(UCB* ucb, LPCWSTR sharedIni, LPCWSTR driverIni, LPCWSTR countKey, int max, EntryKeyOf keyOf,
                 std::span<const WORD> settings) {
  LPCWSTR section = GetDriverIniSectionName(ucb);
  const int count = storage::ReadStoreCount(section, countKey, driverIni, max);
  storage::WriteStoreNumber(section, countKey, count, sharedIni);
  for (int i = 0; i < count; ++i) {
    const std::u16string entry = keyOf(ucb, i);
    const std::u16string version = Read(entry.c_str(), kKeyVersion, driverIni);
    if (!version.empty()) storage::WriteStoreText(entry.c_str(), kKeyVersion, version.c_str(), sharedIni);
    for (const WORD id : settings) {
      LPCWSTR key = GetSaveRestoreKeyByFuncID(ucb, id);
      if (key == nullptr) continue;
      storage::WriteStoreText(entry.c_str(), key, Read(entry.c_str(), key, driverIni).c_str(), sharedIni);
    }
  }
}

// The shared INI needs the driver's entries: it is missing, or its version
// is missing or of another major version.
bool SharedIniIsStale(LPCWSTR sharedIni, UCB* ucb) {
  if (!_IsFileExist(sharedIni)) return true;
  const std::u16string version = Read(GetDriverIniSectionName(ucb), kKeyVersion, sharedIni);
  if (version.empty() || !storage::IsDigitsOnly(version) || version.size() > 5) return true;
  return !IsValidRstVersion(static_cast<DWORD>(std::stoul(std::string(version.begin(), version.end()))),
                            Model(ucb).dwSetFileVersion);
}

}  // namespace

BOOL IniFileProcForInstall(UCB* ucb, DWORD mode, LPCWSTR value) {
  if (ucb == nullptr) return FALSE;
  LPCWSTR driverIni = storage::DriverIniOf(ucb);
  LPCWSTR settingsIni = storage::SettingsIniOf(ucb);
  LPCWSTR printer = GetPrinterName(ucb);
  LPCWSTR driver = GetDriverIniSectionName(ucb);
  if (driverIni == nullptr || settingsIni == nullptr || printer == nullptr || printer[0] == 0 ||
      driver == nullptr || driver[0] == 0) {
    return FALSE;
  }
  if (mode == kIniProcDefaultRst) {
    for (const INIKEY& row : IniKey) {
      if (row.kind == IniKeyKind::kDefaultRst) {
        storage::WriteStoreText(printer, row.key, value != nullptr ? value : u"", settingsIni);
      }
    }
    return TRUE;
  }
  const bool upgrade = mode == kIniProcUpgrade;
  for (const INIKEY& row : IniKey) {
    if (row.kind == IniKeyKind::kRefreshMark) {
      storage::WriteStoreText(printer, row.key, upgrade ? u"1" : u"0", settingsIni);
      continue;
    }
    if (row.kind != IniKeyKind::kCopy) continue;
    std::u16string readKey = row.key;
    if (readKey == kKeyMergePath) readKey += IsOsLaterWin2000() ? u"2k" : u"nt";
    const std::u16string text = Read(driver, readKey.c_str(), driverIni);
    if (!upgrade || text.empty()) storage::WriteStoreText(printer, row.key, text.c_str(), settingsIni);
  }
  SetDocumentProperties(ucb->hPrinter, ucb);
  return TRUE;
}

BOOL UpdateIniFileForInstall(LPCWSTR sharedIni, LPCWSTR driverIni, UCB* ucb) {
  if (ucb == nullptr || sharedIni == nullptr || driverIni == nullptr) return FALSE;
  INIUPDATEPARAM param{driverIni, sharedIni, 1};
  if (SharedIniIsStale(sharedIni, ucb)) {
    CopyEntries(ucb, sharedIni, driverIni, kKeyFreeSizeCount, kFreeSizeEntries, FreesizeKey, gidFreesize);
    CopyEntries(ucb, sharedIni, driverIni, kKeyStampCount, kWatermarksMax, WatermarkKey, gidWaterMark);
    param.unchanged = 0;
    KesmCustomFunction(ucb, kCustomInstallIni, &param);
    LPCWSTR section = GetDriverIniSectionName(ucb);
    for (LPCWSTR key : IniKeyInstall) {
      storage::WriteStoreText(section, key, Read(section, key, driverIni).c_str(), sharedIni);
    }
    return TRUE;
  }
  KesmCustomFunction(ucb, kCustomInstallIni, &param);
  return TRUE;
}

BOOL UpdateIniFileRstVersion(LPCWSTR sharedIni, LPCWSTR driverIni, UCB* ucb) {
  if (ucb == nullptr || sharedIni == nullptr || driverIni == nullptr) return FALSE;
  LPCWSTR section = GetDriverIniSectionName(ucb);
  return storage::WriteStoreText(section, kKeyVersion, Read(section, kKeyVersion, driverIni).c_str(), sharedIni);
}

BOOL CustomIniFileForInstall(LPCWSTR sharedIni, LPCWSTR driverIni, UCB* ucb) {
  if (ucb == nullptr || sharedIni == nullptr || driverIni == nullptr) return FALSE;
  std::array<WCHAR, MAX_PATH + 1> file{};
  if (!GetDefaultRstFileNameFromIni(file.data(), ucb) || !GetDefaultRstFilePath(file.data(), nullptr, ucb)) {
    return TRUE;
  }
  LPCWSTR section = GetDriverIniSectionName(ucb);
  const int count = storage::ReadStoreCount(section, kKeyFreeSizeCount, driverIni, kFreeSizeEntries);
  for (int i = 0; i < count; ++i) {
    const std::u16string entry = FreesizeKey(ucb, i);
    for (const WORD id : gidFreesize) {
      LPCWSTR key = GetSaveRestoreKeyByFuncID(ucb, id);
      if (key == nullptr) continue;
      const std::optional<std::u16string> text = storage::ReadWholeValue(entry.c_str(), key, file.data(), kValueChars - 1, u"*");
      if (text.has_value() && *text != u"*") storage::WriteStoreText(entry.c_str(), key, text->c_str(), sharedIni);
    }
  }
  UM_WritePrivateProfileStringNoChgTimeStamp(GetCustomDoneSectionName(ucb), kKeyBatchDone, u"1", driverIni);
  return TRUE;
}
#endif
