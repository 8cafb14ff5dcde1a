#if !KESM_KERNEL_MODE
#include "storage/install/default_rst.h"

#include <array>
#include <optional>
#include <string>

#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "storage/files/file_helpers.h"
#include "storage/files/file_names.h"
#include "storage/files/text_out.h"
#include "storage/ini/section_names.h"
#include "storage/install/batch_install.h"
#include "storage/install/drvinst_ini.h"
#include "storage/install/ini_install.h"
#include "storage/install/install_ini.h"
#include "storage/install/template_names.h"
#include "storage/properties/printer_properties.h"
#include "storage/stores/store_ini.h"
#include "storage/system/system_info.h"

namespace {

constexpr const WCHAR* kKeyDefaultRst = u"DefaultRst";
constexpr const WCHAR* kKeyDefaultRstName = u"DefaultRstName";
constexpr const WCHAR* kKeyDone = u"BatchInstallDone";
constexpr WORD kFuncUserId = 202;
constexpr WORD kFuncUserCode = 203;
constexpr WORD kFuncOwnerName = 204;
constexpr WORD kFuncLogCodeUse = 10002;
constexpr WORD kFuncLogCode = 10003;
constexpr DWORD kUserCodeChars = 8;
// The job codes a batch install hands on, and the user code besides.
constexpr DWORD kBatchJobCodes = 158;
constexpr DWORD kJobCodeUserCode = 0x1;
constexpr DWORD kStoreLogCodes = 0x1;

BOOL ReadName(LPCWSTR section, LPCWSTR ini, LPWSTR buffer) {
  if (buffer == nullptr) return FALSE;
  buffer[0] = 0;
  const std::optional<std::u16string> name = storage::ReadWholeValue(section, kKeyDefaultRst, ini, MAX_PATH - 1);
  return name.has_value() && !name->empty() && storage::CopyOut(buffer, MAX_PATH + 1, *name) > 0;
}

// Marks the printer's batch install done in the per-user settings INI.
void MarkUserIni(UCB* ucb, LPCWSTR value) {
  storage::WriteStoreText(GetPresetSectionName(ucb), kKeyDone, value, storage::SettingsIniOf(ucb));
}

void StoreLogCodes(UCB* ucb) {
  for (const WORD id : {kFuncLogCodeUse, kFuncLogCode}) {
    if (SFCB* record = GetSFCBbyFuncID(ucb, id)) SetDevmodeValueToReg(ucb->hPrinter, ucb, record);
  }
}

// The default set file holds a user code of digits only.
bool HasNumericUserCode(LPCWSTR path, UCB* ucb) {
  LPCWSTR key = GetSaveRestoreKeyByFuncID(ucb, kFuncUserCode);
  const std::optional<std::u16string> code =
      key != nullptr ? storage::ReadWholeValue(GetBatchInstallSectionName(ucb), key, path, kUserCodeChars)
                     : std::nullopt;
  return code.has_value() && storage::IsDigitsOnly(*code);
}

// The job codes, free sizes and watermarks of an installed default set
// file.
void FinishDrvInst(LPCWSTR ini, LPCWSTR section, LPCWSTR path, DWORD flags, UCB* ucb) {
  LPCWSTR batch = GetBatchInstallSectionName(ucb);
  BatchInstallForFreesize(path, batch, ucb);
  BatchInstallForWatermark(path, batch, ucb);
  DWORD jobCodes = kBatchJobCodes;
  std::array<WCHAR, MAX_PATH + 1> named{};
  if (ucb->pWork->install.fUserCodeInstalled == 0 && ReadName(section, ini, named.data()) &&
      HasNumericUserCode(path, ucb)) {
    SetKDMPrintLogOff(ucb);
    jobCodes |= kJobCodeUserCode;
  }
  storage::StoreJobCodes(ucb, jobCodes);
  DrvInstSetForComplete(ini, section, 1);
  if ((flags & kStoreLogCodes) != 0) StoreLogCodes(ucb);
}

}  // namespace

BOOL GetDefaultRstFileNameFromIni(LPWSTR buffer, UCB* ucb) {
  return ReadName(GetDriverIniSectionName(ucb), storage::DriverIniOf(ucb), buffer);
}

BOOL GetDefaultRstFileNameFromIniForDrvInst(LPWSTR buffer, UCB* ucb) {
  return ReadName(GetDrvInstSectionName(ucb), GetDrvInstIniFilePath(ucb), buffer);
}

BOOL GetDefaultRstFileNameFromIniForRefresh(LPWSTR buffer, UCB* ucb) {
  return ReadName(GetDefaultRstSectionNameForRefresh(ucb), storage::SettingsIniOf(ucb), buffer);
}

BOOL IsAvailableDefaultRstFileNameForDrvInst(LPCWSTR path) {
  return IsAvailableDriverDataFileName(path) && _IsFileExist(path);
}

BOOL IsAvailableDefaultRstFileName(LPCWSTR path) {
  DWORD length = 0;
  LPCWSTR extension = GetFileNameExt(path, &length);
  return IsAvailableDefaultRstFileNameForDrvInst(path) && extension != nullptr &&
         storage::SameTextIgnoringCase(std::u16string_view(extension, length), u"rsb");
}

BOOL GetDefaultRstForDrvInst(DWORD flags, UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pDCB == nullptr) return 0;
  LPCWSTR ini = GetDrvInstIniFilePath(ucb);
  LPCWSTR section = GetDrvInstSectionName(ucb);
  if (ini == nullptr || section == nullptr || !_IsFileExist(ini)) return 0;
  const bool complete = IsDrvInstForCompleteFromFile(ini, section) != FALSE;
  if (complete && !IsSupportIniAccessPerUser(ucb)) return 0;
  std::array<WCHAR, MAX_PATH + 1> path{};
  // On a terminal server a finished section leaves the default set file to
  // the user's own settings INI, which the user can write: that name must
  // lead into the driver's folders.
  const bool fromUser = IsTSE(ucb) && complete;
  const BOOL named = fromUser ? GetDefaultRstFileNameFromIniForRefresh(path.data(), ucb)
                              : GetDefaultRstFileNameFromIniForDrvInst(path.data(), ucb);
  if (!named) return 0;
  BOOL result = 0;
  if (GetDefaultRstFilePath(path.data(), nullptr, ucb) && IsAvailableDefaultRstFileNameForDrvInst(path.data()) &&
      (!fromUser || IsPathInDriverFolders(path.data(), ucb))) {
    const storage::SettingsCopy before(ucb);
    const std::u16string userId = storage::SettingText(ucb, kFuncUserId);
    const std::u16string owner = storage::SettingText(ucb, kFuncOwnerName);
    BatchInstallForUserSetting(path.data(), GetBatchInstallSectionName(ucb), ucb);
    if (!userId.empty()) storage::SetSettingText(ucb, kFuncUserId, userId.c_str());
    if (!owner.empty()) storage::SetSettingText(ucb, kFuncOwnerName, owner.c_str());
    result = BatchInstallProc(path.data(), GetBatchInstallSectionName(ucb), flags | kBatchDrvInst, ucb);
    if (!result) before.Restore();
    IniFileProcForInstall(ucb, kIniProcDefaultRst, path.data());
    if (result) FinishDrvInst(ini, section, path.data(), flags, ucb);
  }
  _SetFileAttrRW(ini);
  DrvInstForComplete(ini, section, 1);
  MarkUserIni(ucb, u"1");
  SetBatchInstallFlagDataToReg(ucb->hPrinter, 1, ucb);
  storage::WriteStoreText(section, kKeyDefaultRstName, path.data(), ini);
  storage::DeleteIniKey(section, kKeyDefaultRst, ini);
  return result;
}

BOOL GetDefaultRstForInstall(DWORD flags, DWORD type, UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return 1;
  std::array<WCHAR, MAX_PATH + 1> path{};
  if (GetDefaultRstFileNameFromIni(path.data(), ucb) && GetDefaultRstFilePath(path.data(), nullptr, ucb) &&
      IsAvailableDefaultRstFileName(path.data())) {
    const BOOL installed = BatchInstallProc(path.data(), GetBatchInstallSectionName(ucb), flags, ucb);
    const DWORD value = installed ? 1 : 0;
    MarkUserIni(ucb, installed ? u"1" : u"0");
    if (type != 2) SetBatchInstallFlagDataToReg(ucb->hPrinter, value, ucb);
    if (installed) {
      SetKDMBatchInstOn(ucb);
    } else {
      SetKDMBatchInstOff(ucb);
    }
    IniFileProcForInstall(ucb, kIniProcDefaultRst, path.data());
  }
  LPCWSTR ini = GetDrvInstIniFilePath(ucb);
  LPCWSTR section = GetDrvInstSectionName(ucb);
  if (ini != nullptr && _IsFileExist(ini)) {
    storage::DeleteIniKey(section, kKeyDefaultRstName, ini);
    storage::DeleteIniKey(section, kKeyDone, ini);
  }
  return 1;
}

BOOL CopyFilesForDrvInst(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return 0;
  LPCWSTR ini = GetDrvInstIniFilePath(ucb);
  LPCWSTR section = GetDrvInstSectionName(ucb);
  if (ini == nullptr || section == nullptr || !_IsFileExist(ini)) return 0;
  BOOL result = TRUE;
  if (!IsDrvInstForCompleteFromFile(ini, section)) {
    std::array<WCHAR, MAX_PATH + 1> path{};
    if (GetDefaultRstFileNameFromIniForDrvInst(path.data(), ucb)) {
      if (GetDefaultRstFilePath(path.data(), nullptr, ucb) && IsAvailableDefaultRstFileNameForDrvInst(path.data())) {
        LPCWSTR batch = GetBatchInstallSectionName(ucb);
        BatchInstallForPreset(path.data(), batch, kBatchCopy | kBatchDrvInst, ucb, nullptr);
        BatchInstallForQuality(path.data(), batch, kBatchCopy | kBatchDrvInst, ucb);
      }
    } else {
      _SetFileAttrRW(ini);
      DrvInstForComplete(ini, section, 1);
      MarkUserIni(ucb, u"1");
      SetBatchInstallFlagDataToReg(ucb->hPrinter, 1, ucb);
      result = FALSE;
    }
  }
  DWORD taken = 0;
  BatchInstallForUserCode(ini, section, &taken, ucb);
  BatchInstallForOther(ini, section, ucb);
  if (GetKDMPrintLog(ucb) != 0 || taken != 0) ucb->pWork->install.fPrintLogNeeded = 1;
  return result;
}
#endif
