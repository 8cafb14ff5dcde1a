#include "devicecomm/usercodes/user_codes.h"

#include <array>
#include <string_view>

#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/system/printer_data.h"
#include "storage/system/printer_info.h"
#include "storage/system/section_lock.h"
#if KESM_KERNEL_MODE
#include "storage/files/directories.h"
#else
#include "storage/files/file_helpers.h"
#include "storage/files/path_builders.h"
#endif

namespace {

constexpr WORD kFuncUserCode = 203;      // kdmUserCode
constexpr WORD kFuncServerLogCode = 10001;  // kdmServerLogCode
constexpr WORD kFuncLogCodeUse = 10002;  // kdmLogCodeUse
constexpr WORD kFuncLogCode = 10003;     // kdmLogCode
constexpr WORD kFuncDllLogCode = 10273;  // kdmDllLogCode

constexpr const WCHAR* kNotInUse = u"0";

// Printer data of a server that imposes the user codes.
constexpr const WCHAR* kDataServerUse = u"ServerUse";
constexpr const WCHAR* kDataInUse = u"UserCodeUse";
constexpr const WCHAR* kDataCode = u"UserCode";
constexpr DWORD kDataCodeBytes = 9;

constexpr DWORD kTextChars = MAX_PATH;
using Text = std::array<WCHAR, kTextChars>;

struct UserCode {
  BYTE inUse = 0;
  Text code{};
  BYTE fixed = 0;
};

// The install INI's path; false when it cannot be had.
bool InstallIniPath(UCB* ucb, Text& path) {
#if KESM_KERNEL_MODE
  const DWORD length = KM_UM_GetSystemDirectoryEx(path.data(), kTextChars, ucb);
  const std::u16string_view name(kUserCodeIniName);
  if (length == 0 || length + 1 + name.size() >= kTextChars) return false;
  path[length] = u'\\';
  name.copy(path.data() + length + 1, name.size());
  path[length + 1 + name.size()] = 0;
  return true;
#else
  return AddSystemDirToFileNameEx2(path.data(), kTextChars, kUserCodeIniName, ucb) != nullptr;
#endif
}

// A key's text; true when the key gave a text that is not empty.
bool ReadText(LPCWSTR section, LPCWSTR key, Text& text, LPCWSTR path) {
  text.fill(0);
  return KM_UM_GetPrivateProfileString(section, key, u"", text.data(), kTextChars, path) > 0 && text[0] != 0;
}

// Any number other than 0 is a yes.
BYTE ReadFlag(LPCWSTR section, LPCWSTR key, LPCWSTR path) {
  return KM_UM_GetPrivateProfileInt(section, key, 0, path) != 0 ? 1 : 0;
}

void WriteDefaults(LPCWSTR section, const Text& code, LPCWSTR path) {
  KM_UM_WritePrivateProfileString(section, kUserCodeKeyInUse, kNotInUse, path);
  KM_UM_WritePrivateProfileString(section, kUserCodeKeyText, code.data(), path);
}

bool Fits(const Text& code) { return std::char_traits<WCHAR>::length(code.data()) <= kUserCodeLongest; }

// The printer's entries, or the last code used when it has none yet (then
// written into its section unless only a look is wanted). A code too long
// for the settings is refused as the install refuses it: no code, not in
// use.
void ReadEntries(LPCWSTR section, LPCWSTR path, UserCode& user, bool writeDefaults = true) {
  Text probe{};
  Text mru{};
  const bool hasInUse = ReadText(section, kUserCodeKeyInUse, probe, path);
  const bool hasMru = ReadText(kUserCodeMruSection, kUserCodeKeyMru, mru, path);
  if (hasInUse) {
    ReadText(section, kUserCodeKeyText, user.code, path);
    const bool fits = Fits(user.code);
    user.inUse = fits ? ReadFlag(section, kUserCodeKeyInUse, path) : 0;
    if (!fits) user.code = Text{};
    return;
  }
  user.inUse = 0;
  user.code = hasMru && Fits(mru) ? mru : Text{};
  if (writeDefaults) WriteDefaults(section, user.code, path);
}

void Store(UCB* ucb, const UserCode& user) {
  SetDevmodeValueDirectByFuncID(ucb, kFuncLogCodeUse, user.inUse);
  SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncLogCode), user.code.data());
  SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncDllLogCode), user.code.data());
  SetKDMUserCodeFIX(ucb, user.fixed);
}

}  // namespace

BOOL GetUserCodeFromINI(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  Text path{};
  LPCWSTR section = GetKesmInstSectionName(ucb);
  if (section == nullptr || section[0] == 0 || !InstallIniPath(ucb, path)) return FALSE;

  UserCode user;
  {
    ScopedSection lock(ucb);
#if KESM_KERNEL_MODE
    ReadEntries(section, path.data(), user);
#else
    if (_IsFileExist(path.data())) {
      ReadEntries(section, path.data(), user);
    } else {
      WriteDefaults(section, user.code, path.data());
      KM_UM_WritePrivateProfileString(kUserCodeMruSection, kUserCodeKeyMru, u"", path.data());
    }
#endif
    user.fixed = ReadFlag(section, kUserCodeKeyFixed, path.data());
  }
  Store(ucb, user);
  return TRUE;
}

BOOL GetUserCodeFromDriverDependOnMachine(UCB* ucb) {
  if (ucb == nullptr || IsClientDriver(ucb)) return FALSE;
  BYTE serverUse = 0;
  GetDataFromReg(ucb->hPrinter, &serverUse, sizeof serverUse, kDataServerUse, ucb);
  if (serverUse == 0) return GetUserCodeFromINI(ucb);

  BYTE inUse = 0;
  GetDataFromReg(ucb->hPrinter, &inUse, sizeof inUse, kDataInUse, ucb);
  SetDevmodeValueDirectByFuncID(ucb, kFuncLogCodeUse, inUse);
  // The value need not end within its 9 bytes: the buffer's tenth byte
  // ends it.
  std::array<char, kDataCodeBytes + 1> ansi{};
  GetDataFromReg(ucb->hPrinter, ansi.data(), kDataCodeBytes, kDataCode, ucb);
  std::array<WCHAR, kDataCodeBytes + 1> code{};
  // A code too long for the settings is refused; user codes stay imposed.
  if (std::char_traits<char>::length(ansi.data()) <= kUserCodeLongest) {
    CopyStr2Unicode(code.data(), ansi.data(), static_cast<int>(code.size()));
  }
  SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncLogCode), code.data());
  return TRUE;
}

#if !KESM_KERNEL_MODE
namespace {

// The printer's user codes come from printer data while a server imposes
// them, which a client driver never reads.
bool ServerImposes(UCB* ucb, BYTE serverUse) { return serverUse != 0 && !IsClientDriver(ucb); }

Text SheetCode(UCB* ucb) {
  Text code{};
  GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncUserCode), code.data());
  return code;
}

bool SameCode(const Text& a, const Text& b) {
  return std::u16string_view(a.data()) == std::u16string_view(b.data());
}

// What GetUserCodeFromINI would take from the install INI, read without
// writing anything; false when there is no INI to read.
bool LookAtIni(UCB* ucb, UserCode& user, Text& path, LPCWSTR& section) {
  section = GetKesmInstSectionName(ucb);
  if (section == nullptr || section[0] == 0 || !InstallIniPath(ucb, path)) return false;
  if (!_IsFileExist(path.data())) return true;
  ReadEntries(section, path.data(), user, false);
  user.fixed = ReadFlag(section, kUserCodeKeyFixed, path.data());
  return true;
}

}  // namespace

BOOL LoadUserCodeForSheet(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  BYTE serverUse = 0;
  GetDataFromReg(ucb->hPrinter, &serverUse, sizeof serverUse, kDataServerUse, ucb);
  Text code{};
  if (ServerImposes(ucb, serverUse)) {
    GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncLogCode), code.data());
  } else {
    UserCode user;
    Text path{};
    LPCWSTR section = nullptr;
    ScopedSection lock(ucb);
    if (!LookAtIni(ucb, user, path, section)) return FALSE;
    code = user.code;
  }
  SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncUserCode), code.data());
  return TRUE;
}

BOOL KeepUserCodeFromSheet(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const Text code = SheetCode(ucb);
  const auto serverUse = static_cast<BYTE>(GetDevmodeValueDirectByFuncID(ucb, kFuncServerLogCode, nullptr));
  if (ServerImposes(ucb, serverUse)) {
    SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncLogCode), code.data());
    return TRUE;
  }
  SFCB* inUseRecord = GetSFCBbyFuncID(ucb, kFuncLogCodeUse);
  const BYTE inUse = GetDevmodeValueDirect(ucb, inUseRecord) != 0 ? 1 : 0;
  // The check box counts as changed only against the state the sheet
  // opened with; without one it is taken as it stands.
  const bool inUseChanged = GetDevmodeAddressBySFCBSaveDCB2(ucb, inUseRecord) == nullptr ||
                            (GetDevmodeValueDirectSaveDCB2(ucb, inUseRecord) != 0 ? 1 : 0) != inUse;
  ScopedSection lock(ucb);
  UserCode stored;
  Text path{};
  LPCWSTR section = nullptr;
  if (!LookAtIni(ucb, stored, path, section)) return FALSE;
  // A fixed code is the administrator's, never the sheet's to change.
  if (stored.fixed != 0) return TRUE;
  if (SameCode(stored.code, code) && !(inUseChanged && stored.inUse != inUse)) return TRUE;
  const bool written =
      KM_UM_WritePrivateProfileString(section, kUserCodeKeyInUse, inUse != 0 ? u"1" : kNotInUse, path.data()) &&
      KM_UM_WritePrivateProfileString(section, kUserCodeKeyText, code.data(), path.data());
  return written ? TRUE : FALSE;
}
#endif

BOOL UserCodeForInstallDependOnMachine(UCB* /*ucb*/) { return TRUE; }
BOOL GetUserCodeDependOnMachine(UCB* /*ucb*/) { return TRUE; }
void UserCodeDLLDependOnMachine(UCB* /*ucb*/) {}
void SetUserCodeDLLNTDependOnMachine(UCB* /*ucb*/) {}
