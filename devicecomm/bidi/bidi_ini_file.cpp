#include "devicecomm/bidi/bidi_ini_file.h"

#if KESM_KERNEL_MODE
#include "platform/base/winerror.h"

BOOL CreateFullControlBidiFile(UCB* /*ucb*/) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}
#endif

#if !KESM_KERNEL_MODE
#include <iterator>
#include <memory>
#include <string>

#include "jobsettings/devmode/runtime_flags.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "storage/files/path_builders.h"
#include "storage/ini/ini_script.h"
#include "storage/ini/profile.h"
#include "storage/properties/property_codec.h"
#include "storage/properties/value_filters.h"
#include "storage/setfiles/set_file.h"
#include "platform/files/winfile.h"
#include "platform/security/winsecurity.h"

namespace {

constexpr const WCHAR* kBidiIniName = u"kesmbid.ini";
constexpr const WCHAR* kBidiFlag = u"BidiFlag";
constexpr const WCHAR* kBidiFunc = u"BidiFunc";
constexpr const WCHAR* kBidiExFlag = u"BidiExFlag";
constexpr DWORD kPathChars = MAX_PATH;
// A key is there when its number differs from this default.
constexpr INT kAbsent = 7;
constexpr INT kNoVersion = 0xFFFF;
constexpr WORD kFuncLanguage = 169;

struct BlockDeleter {
  void operator()(void* block) const { FreeMemPtr(block); }
};
using PathBlock = std::unique_ptr<WCHAR, BlockDeleter>;
struct ImageDeleter {
  void operator()(LPSTR image) const { ReadIniClose(image); }
};
using IniImage = std::unique_ptr<char, ImageDeleter>;

// The fallback INI's path in a block of its own; null when memory is short
// or the path cannot be built.
PathBlock BidiIniPath(UCB* ucb) {
  PathBlock path(static_cast<LPWSTR>(GetMemPtr(kPathChars * sizeof(WCHAR))));
  if (path != nullptr && AddSystemDirToFileNameEx2(path.get(), kPathChars, kBidiIniName, ucb) == nullptr) {
    path.reset();
  }
  return path;
}

INT ReadInt(UCB* ucb, LPCWSTR key, INT defaultValue) {
  const PathBlock path = BidiIniPath(ucb);
  LPCWSTR printer = GetPrinterName(ucb);
  if (path == nullptr || printer == nullptr) return defaultValue;
  return static_cast<INT>(KM_UM_GetPrivateProfileInt(printer, key, defaultValue, path.get()));
}

BOOL WriteInt(UCB* ucb, LPCWSTR key, DWORD value) {
  const PathBlock path = BidiIniPath(ucb);
  LPCWSTR printer = GetPrinterName(ucb);
  if (path == nullptr || printer == nullptr) return FALSE;
  const std::string digits = std::to_string(value);
  const std::u16string text(digits.begin(), digits.end());
  return KM_UM_WritePrivateProfileString(printer, key, text.c_str(), path.get());
}

const DP& ModelOf(const UCB* ucb) { return ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

// The section was written by this driver version (the same hundreds), for
// this machine and in the context's language.
bool VersionMatches(UCB* ucb, LPCSTR body, PLONG position) {
  const INT version = GetScriptInt(u"RstVersion", kNoVersion, body, position);
  const INT machine = GetScriptInt(u"RstMachine", kNoVersion, body, position);
  const INT language = GetScriptInt(u"RstLanguage", kNoVersion, body, position);
  if (version == kNoVersion || machine == kNoVersion || language == kNoVersion) return false;
  const DP& model = ModelOf(ucb);
  const auto languageNow = static_cast<WORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, nullptr));
  return static_cast<WORD>(version) / 100 == static_cast<WORD>(model.dwSetFileVersion) / 100 &&
         machine == model.bMachineID && static_cast<WORD>(language) == languageNow;
}

// The bidi case of a set-file read: every setting that bidi data carries,
// under its setting name, from the printer's section.
BOOL ReadBidiSettings(UCB* ucb, LPCWSTR path) {
  if (ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr) return FALSE;
  WCHAR section[kPathChars + 1] = {};
  LPCWSTR printer = GetPrinterName(ucb);
  if (printer == nullptr || lstrlenW(printer) > static_cast<int>(kPathChars)) return FALSE;
  lstrcpyW(section, printer);
  CnvSQUAREBRACKETS(section);
  const IniImage image(ReadIniOpen(path, 0));
  LPCSTR body = image != nullptr ? GetSectionAddr(section, image.get()) : nullptr;
  if (body == nullptr) return FALSE;
  LONG position = 0;
  if (!VersionMatches(ucb, body, &position)) {
    DrvSetLastError(ucb, 1);
    return TRUE;
  }
  BOOL read = TRUE;
  for (int i = 0; i < ucb->pSFL->count; ++i) {
    SFCB* record = &ucb->pSFL->pSFCB[i];
    if (!IsAvailableDevmodeValueForBidiSetFile(record) || record->name == nullptr) continue;
    storage::RecordOverride keep(record);
    record->iniKey = record->name;
    if (storage::ReadIniSetting(ucb, record, path, body, &position) == storage::IniRead::kRefused) read = FALSE;
  }
  return read;
}

// A new bidi INI holds one empty line.
bool CreateEmptyIni(LPCWSTR path) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, "\r\n", 2, &written, nullptr) && written == 2;
  CloseHandle(file);
  return ok;
}

// The DACL of the bidi INI: Everyone may read and write it, the system and
// administrators have full control. Nobody else may delete it or change who
// may use it.
struct Grant {
  const SID_IDENTIFIER_AUTHORITY* authority;
  BYTE count;
  DWORD rid0;
  DWORD rid1;
  ACCESS_MASK mask;
};
constexpr Grant kBidiFileGrants[] = {
    {&SECURITY_WORLD_SID_AUTHORITY, 1, SECURITY_WORLD_RID, 0, FILE_GENERIC_READ | FILE_GENERIC_WRITE},
    {&SECURITY_NT_AUTHORITY, 1, SECURITY_LOCAL_SYSTEM_RID, 0, FILE_ALL_ACCESS},
    {&SECURITY_NT_AUTHORITY, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, FILE_ALL_ACCESS},
};

struct SidDeleter {
  void operator()(void* sid) const { FreeSid(sid); }
};
using SidHolder = std::unique_ptr<void, SidDeleter>;

BOOL SetBidiFileDacl(LPCWSTR path) {
  SidHolder sids[std::size(kBidiFileGrants)];
  DWORD aclBytes = 8;
  for (std::size_t i = 0; i < std::size(kBidiFileGrants); ++i) {
    const Grant& grant = kBidiFileGrants[i];
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(grant.authority, grant.count, grant.rid0, grant.rid1, 0, 0, 0, 0, 0, 0, &sid)) {
      return FALSE;
    }
    sids[i].reset(sid);
    aclBytes += 8 + GetLengthSid(sid);
  }
  const PathBlock aclBlock(static_cast<LPWSTR>(GetMemPtr(aclBytes)));
  auto* acl = reinterpret_cast<PACL>(aclBlock.get());
  if (acl == nullptr || !InitializeAcl(acl, aclBytes, ACL_REVISION)) return FALSE;
  for (std::size_t i = 0; i < std::size(kBidiFileGrants); ++i) {
    if (!AddAccessAllowedAce(acl, ACL_REVISION, kBidiFileGrants[i].mask, sids[i].get())) return FALSE;
  }
  SECURITY_DESCRIPTOR descriptor{};
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) {
    return FALSE;
  }
  return SetFileSecurityW(path, DACL_SECURITY_INFORMATION, &descriptor);
}

}  // namespace

BOOL IsBidiFlagDataRead(UCB* ucb) { return ReadInt(ucb, kBidiFlag, kAbsent) != kAbsent; }
BOOL IsBidiExFlagDataRead(UCB* ucb) { return ReadInt(ucb, kBidiExFlag, kAbsent) != kAbsent; }

BOOL GetBidiFlagDataFromFile(UCB* ucb) { return ReadInt(ucb, kBidiFlag, 0) != 0; }
BOOL GetBidiExFlagDataFromFile(UCB* ucb) { return ReadInt(ucb, kBidiExFlag, 0) != 0; }

BOOL SetBidiFlagDataToFile(UCB* ucb, BOOL flag) { return WriteInt(ucb, kBidiFlag, flag ? 1 : 0); }
BOOL SetBidiExFlagDataToFile(UCB* ucb, BOOL flag) { return WriteInt(ucb, kBidiExFlag, flag ? 1 : 0); }
BOOL SetBidiFuncDataToFile(UCB* ucb, DWORD func) { return WriteInt(ucb, kBidiFunc, func & 0xFF); }

BOOL GetBidiFuncDataFromFile(UCB* ucb) {
  SetKDMBidiFunc(ucb, static_cast<DWORD>(ReadInt(ucb, kBidiFunc, 0)));
  return TRUE;
}

BOOL GetBidiPrinterDataFromIni(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  DrvSetLastError(ucb, 0);
  const PathBlock path = BidiIniPath(ucb);
  if (path == nullptr) return FALSE;
  const BOOL read = ReadBidiSettings(ucb, path.get());
  GetBidiFuncDataFromFile(ucb);
  return read;
}

BOOL SetBidiPrinterDataToIni(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const PathBlock path = BidiIniPath(ucb);
  if (path == nullptr) return FALSE;
  const BOOL written = WriteSetFile(ucb->hPrinter, path.get(), kSetFileBidi, ucb);
  SetBidiFlagDataToFile(ucb, TRUE);
  SetBidiFuncDataToFile(ucb, GetKDMBidiFunc(ucb));
  SetBidiExFlagDataToFile(ucb, TRUE);
  return written;
}

BOOL CreateFullControlBidiFile(UCB* ucb) {
  const PathBlock path = BidiIniPath(ucb);
  if (path == nullptr) return FALSE;
  if (GetFileAttributesW(path.get()) == INVALID_FILE_ATTRIBUTES && !CreateEmptyIni(path.get())) return FALSE;
  return SetBidiFileDacl(path.get());
}

BOOL DeleteBidiPrinterDataToIni(UCB* ucb) {
  const PathBlock path = BidiIniPath(ucb);
  LPCWSTR printer = GetPrinterName(ucb);
  if (path == nullptr || printer == nullptr) return FALSE;
  KM_UM_WritePrivateProfileString(printer, nullptr, nullptr, path.get());
  return TRUE;
}
#endif
