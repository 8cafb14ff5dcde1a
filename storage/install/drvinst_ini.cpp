#if !KESM_KERNEL_MODE
#include "storage/install/drvinst_ini.h"

#include <array>
#include <optional>
#include <string>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/file_helpers.h"
#include "storage/files/path_builders.h"
#include "storage/files/text_out.h"
#include "storage/ini/section_names.h"
#include "storage/install/install_ini.h"
#include "storage/stores/store_ini.h"
#include "storage/system/printer_data.h"

namespace {

constexpr const WCHAR* kFileName = u"KESM.ini";
constexpr const WCHAR* kKeyDone = u"BatchInstallDone";
constexpr const WCHAR* kKeySet = u"DrvInstSet";
constexpr const WCHAR* kAbsent = u"*";

// Keys that must have no value, and keys that must be absent, in a
// complete section.
constexpr const WCHAR* kValueKeys[] = {u"DefaultRst", u"SetUserID", u"SetOwnerID"};
constexpr const WCHAR* kAbsentKeys[] = {u"SetUserCode", u"KESMDirectory", u"KESMDirectoryClient"};

bool HasValue(LPCWSTR ini, LPCWSTR section, LPCWSTR key) {
  const std::optional<std::u16string> value = storage::ReadWholeValue(section, key, ini, MAX_PATH - 1);
  return !value.has_value() || !value->empty();
}

bool IsPresent(LPCWSTR ini, LPCWSTR section, LPCWSTR key) {
  const std::optional<std::u16string> value = storage::ReadWholeValue(section, key, ini, MAX_PATH - 1, kAbsent);
  return !value.has_value() || *value != kAbsent;
}

bool PathWithoutUcb(std::array<WCHAR, MAX_PATH>& path) {
  return AddSystemDirToFileName(path.data(), MAX_PATH, kFileName) != nullptr;
}

bool IsAvailable(LPCWSTR ini, LPCWSTR section) {
  return section != nullptr && section[0] != 0 && _IsFileExist(ini) && !IsDrvInstForCompleteFromFile(ini, section);
}

}  // namespace

LPCWSTR GetDrvInstIniFileName() { return kFileName; }

LPCWSTR GetDrvInstIniFilePath(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return nullptr;
  WCHAR* field = ucb->pWork->install.szDrvInstIniPath;
  if (field[0] == 0 && AddSystemDirToFileName(field, MAX_PATH, kFileName) == nullptr) return nullptr;
  return field;
}

BOOL GetDrvInstIniFilePathWithoutUCB(LPWSTR buffer, DWORD size) {
  if (buffer == nullptr || size < MAX_PATH) {
    storage::ClearOut(buffer, size);
    return FALSE;
  }
  return AddSystemDirToFileName(buffer, size, kFileName) != nullptr;
}

BOOL IsDrvInstForCompleteFromFile(LPCWSTR ini, LPCWSTR section) {
  for (LPCWSTR key : kValueKeys) {
    if (HasValue(ini, section, key)) return FALSE;
  }
  for (LPCWSTR key : kAbsentKeys) {
    if (IsPresent(ini, section, key)) return FALSE;
  }
  return TRUE;
}

BOOL IsAvailableDrvInstIniFile(UCB* ucb) { return IsAvailable(GetDrvInstIniFilePath(ucb), GetDrvInstSectionName(ucb)); }

BOOL IsAvailableDrvInstIniFileWithoutUCB(LPCWSTR printerName) {
  std::array<WCHAR, MAX_PATH> path{};
  return PathWithoutUcb(path) && IsAvailable(path.data(), printerName);
}

BOOL IsAvailableDrvIniFileWithoutUCB(LPCWSTR printerName, HANDLE printer) {
  std::array<WCHAR, MAX_PATH> name{};
  if (printerName == nullptr) printerName = GetDrvInstSectionNameWithoutUCB(printer, name.data(), MAX_PATH);
  return IsAvailableDrvInstIniFileWithoutUCB(printerName);
}

BOOL IsValidDrvInstIniFileWithoutUCB(HANDLE printer) {
  std::array<WCHAR, MAX_PATH> path{};
  std::array<WCHAR, MAX_PATH> section{};
  if (!PathWithoutUcb(path) || GetDrvInstSectionNameWithoutUCB(printer, section.data(), MAX_PATH) == nullptr) {
    return FALSE;
  }
  if (!_IsFileExist(path.data())) return FALSE;
  const std::optional<std::vector<WCHAR>> lines = storage::ReadWholeSection(section.data(), path.data(), 32768);
  const bool empty = lines.has_value() && (*lines)[0] == 0;
  return !empty && !IsDrvInstForCompleteFromFile(path.data(), section.data());
}

BOOL SetBatchInstallFlagDataToFile(LPCWSTR ini, LPCWSTR section, DWORD value, LPCWSTR key) {
  return storage::WriteStoreText(section, key, storage::DecimalText(static_cast<LONG>(value)).c_str(), ini);
}

BOOL DrvInstForComplete(LPCWSTR ini, LPCWSTR section, DWORD value) {
  return SetBatchInstallFlagDataToFile(ini, section, value, kKeyDone);
}

BOOL DrvInstSetForComplete(LPCWSTR ini, LPCWSTR section, DWORD value) {
  return SetBatchInstallFlagDataToFile(ini, section, value, kKeySet);
}

BOOL IsDrvInstSetForCompleteFromFile(LPCWSTR ini, LPCWSTR section) {
  return storage::ReadIniInt(section, kKeySet, 0, ini) == 1;
}

BOOL GetBatchInstallFlagDataFromReg(HANDLE printer, LPDWORD value, UCB* ucb) {
  if (value == nullptr) return FALSE;
  DWORD stored = 0;
  if (!GetDataFromReg(printer, &stored, sizeof stored, kKeyDone, ucb)) return FALSE;
  *value = stored;
  return TRUE;
}

BOOL SetBatchInstallFlagDataToReg(HANDLE printer, DWORD value, UCB* ucb) {
  return SetDataToReg(printer, &value, sizeof value, kKeyDone, ucb);
}

BOOL IsBatchInstallForCompleteReg(HANDLE printer, UCB* ucb) {
  DWORD value = 0;
  return GetBatchInstallFlagDataFromReg(printer, &value, ucb) && value != 0;
}

BOOL BatchInstallForComplete(LPCWSTR ini, LPCWSTR section, DWORD value, BOOL alsoRegistry, UCB* ucb) {
  BOOL done = DrvInstForComplete(ini, section, value);
  if (alsoRegistry && ucb != nullptr) done = SetBatchInstallFlagDataToReg(ucb->hPrinter, value, ucb) && done;
  return done;
}
#endif
