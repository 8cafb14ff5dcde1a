// What a driver-install INI section and a default set file give the
// printer besides presets: user code, user id, owner name, the default
// settings, free sizes and watermarks.
#if !KESM_KERNEL_MODE
#include <array>
#include <optional>
#include <string>

#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/files/file_helpers.h"
#include "storage/ini/ini_script.h"
#include "storage/install/batch_install.h"
#include "storage/install/drvinst_ini.h"
#include "storage/install/install_ini.h"
#include "storage/install/kesm_inst.h"
#include "storage/properties/printer_properties.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/store_ini.h"
#include "storage/stores/watermark_store.h"

namespace {

constexpr const WCHAR* kKeyUserCode = u"SetUserCode";
constexpr const WCHAR* kKeyUserId = u"SetUserID";
constexpr const WCHAR* kKeyOwner = u"SetOwnerID";
constexpr const WCHAR* kAbsent = u"*";
constexpr DWORD kUserCodeMax = 8;
constexpr DWORD kUserIdMax = 8;
constexpr DWORD kOwnerMax = 16;

constexpr WORD kFuncUIModeChange = 36;
constexpr WORD kFuncWatermarkId = 118;
constexpr WORD kFuncUserId = 202;
constexpr WORD kFuncUserCode = 203;
constexpr WORD kFuncOwnerName = 204;
constexpr WORD kFuncLogCodeUse = 10002;
constexpr WORD kFuncLogCode = 10003;

// Job-code kinds of the mask.
constexpr DWORD kJobCodeUserCode = 0x1;
constexpr DWORD kJobCodeOwnerName = 0x2;
constexpr DWORD kJobCodeUserId = 0x8;

void StoreUserCode(UCB* ucb, LPCWSTR code, LONG_PTR inUse) {
  SetDevmodeValueDirectByFuncID(ucb, kFuncLogCodeUse, inUse);
  storage::SetSettingText(ucb, kFuncLogCode, code);
  storage::SetSettingText(ucb, kFuncUserCode, code);
  storage::StoreJobCodes(ucb, kJobCodeUserCode);
  for (const WORD id : {kFuncLogCodeUse, kFuncLogCode}) {
    if (SFCB* record = GetSFCBbyFuncID(ucb, id)) SetDevmodeValueToReg(ucb->hPrinter, ucb, record);
  }
}

// How many of the first count entries the file holds, up to the first it
// does not: a count the file cannot back gives no empty entries.
int LeadingEntries(LPCWSTR file, int count, UCB* ucb, LPWSTR (*keyOf)(LPWSTR, int, DWORD, UCB*)) {
  const storage::IniImage image(ReadIniOpen(file, 0));
  if (image == nullptr) return 0;
  int present = 0;
  for (; present < count; ++present) {
    std::array<WCHAR, storage::kStoreKeyChars> key{};
    if (GetSectionAddr(keyOf(key.data(), present, 0, ucb), image.get()) == nullptr) break;
  }
  return present;
}

}  // namespace

BOOL BatchInstallForUserCode(LPCWSTR ini, LPCWSTR section, LPDWORD taken, UCB* ucb) {
  if (taken != nullptr) *taken = 0;
  if (ucb == nullptr || ucb->pWork == nullptr || ini == nullptr || section == nullptr) return FALSE;
  // A code longer than the field is refused, like any other that is not
  // digits: it is never cut to fit.
  const std::optional<std::u16string> code = storage::ReadWholeValue(section, kKeyUserCode, ini, kUserCodeMax, kAbsent);
  DWORD took = 1;
  if (code.has_value() && *code == kAbsent) {
    took = 0;
    SetKDMPrintLogOff(ucb);
  } else if (code.has_value() && code->empty()) {
    WriteKesmInstFile(nullptr, kKesmInstWriteNoCode, ucb);
    SetKDMUserCodeFIX(ucb, 0);
    StoreUserCode(ucb, u"", 0);
    SetKDMPrintLogOff(ucb);
  } else if (code.has_value() && storage::IsDigitsOnly(*code)) {
    StoreUserCode(ucb, code->c_str(), 1);
    ucb->pWork->install.fUserCodeInstalled = 1;
    SetKDMPrintLogOn(ucb);
  } else {
    SetKDMPrintLogOff(ucb);
  }
  if (took != 0) _SetFileAttrRW(ini);
  storage::DeleteIniKey(section, kKeyUserCode, ini);
  if (taken != nullptr) *taken = took;
  return TRUE;
}

BOOL BatchInstallForOther(LPCWSTR ini, LPCWSTR section, UCB* ucb) {
  if (ucb == nullptr || ini == nullptr || section == nullptr) return FALSE;
  const std::optional<std::u16string> id = storage::ReadWholeValue(section, kKeyUserId, ini, kUserIdMax);
  const std::optional<std::u16string> owner = storage::ReadWholeValue(section, kKeyOwner, ini, kOwnerMax);
  DWORD mask = 0;
  if (id.has_value() && storage::IsLettersAndDigits(*id)) {
    storage::SetSettingText(ucb, kFuncUserId, id->c_str());
    mask |= kJobCodeUserId;
  }
  if (owner.has_value() && !owner->empty()) {
    storage::SetSettingText(ucb, kFuncOwnerName, owner->c_str());
    mask |= kJobCodeOwnerName;
  }
  const bool hadValue = !id.has_value() || !id->empty() || !owner.has_value() || !owner->empty();
  if (hadValue || mask != 0) _SetFileAttrRW(ini);
  storage::DeleteIniKey(section, kKeyUserId, ini);
  storage::DeleteIniKey(section, kKeyOwner, ini);
  if (mask != 0) {
    storage::StoreJobCodes(ucb, mask);
    DrvInstSetForComplete(ini, section, 1);
  }
  return hadValue;
}

BOOL BatchInstallForUserSetting(LPCWSTR setFile, LPCWSTR /*section*/, UCB* ucb) {
  if (ucb == nullptr || setFile == nullptr) return FALSE;
  const BOOL settings = ReadSetFile(ucb->hPrinter, setFile, kSetFileBatchInstall, ucb);
  const BOOL information = ReadSetFilePrnInfo(setFile, kSetFileBatchInstall, ucb);
  SetKDMPresentUIMode(ucb, GetDevmodeValueDirectByFuncID(ucb, kFuncUIModeChange, nullptr) != 0 ? 1 : 0);
  return settings && information;
}

BOOL BatchInstallForFreesize(LPCWSTR setFile, LPCWSTR section, UCB* ucb) {
  if (ucb == nullptr || setFile == nullptr) return FALSE;
  const storage::SettingsCopy settings(ucb);
  if (!settings.ok()) return FALSE;
  const int count = LeadingEntries(setFile, ReadFreesizeCountDrvInst(setFile, section, ucb), ucb, MakeFreesizeKey);
  BOOL all = TRUE;
  for (int i = 0; i < count; ++i) {
    all = ReadFreesizeByIDDrvInst(setFile, i, ucb) && WriteFreesizeByID(ucb, i) && all;
  }
  settings.Restore();
  return all;
}

BOOL BatchInstallForWatermark(LPCWSTR setFile, LPCWSTR section, UCB* ucb) {
  if (ucb == nullptr || setFile == nullptr) return FALSE;
  const LONG_PTR current = GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, nullptr);
  // The entries are taken up to the first one the file does not hold, and
  // the count is raised only over entries that were written: a count the
  // file cannot back would leave empty watermarks in the store.
  const int count = LeadingEntries(setFile, ReadWatermarkCountDrvInst(setFile, section, ucb), ucb, MakeWatermarkKey);
  int taken = 0;
  while (taken < count && ReadWatermarkByIDDrvInst(setFile, 0, taken, ucb) && WriteWatermarkByID(ucb, taken)) ++taken;
  if (ReadWatermarkCount(ucb) < taken) WriteWatermarkCount(ucb, taken);
  SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, current);
  return taken == count;
}
#endif
