#include "devicecomm/bidi/bidi_ini_file.h"

#include <memory>

#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/context/drv_last_error.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/properties/property_codec.h"
#include "storage/properties/value_filters.h"
#if KESM_KERNEL_MODE
#include "platform/base/winerror.h"
#include "render/platform/directories.h"
#else
#include <iterator>

#include "platform/files/winfile.h"
#include "platform/security/winsecurity.h"
#include "platform/text/wintext.h"
#include "storage/files/path_builders.h"
#include "storage/ini/ini_script.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/store_ini.h"
#endif

namespace {

constexpr const WCHAR* kBidiIniName = u"kesmbid.ini";
constexpr const WCHAR* kBidiFlag = u"BidiFlag";
constexpr const WCHAR* kBidiFunc = u"BidiFunc";
constexpr DWORD kPathChars = MAX_PATH;
// A key is there when its number differs from this default.
constexpr INT kAbsent = 7;
constexpr INT kNoVersion = 0xFFFF;
constexpr WORD kFuncLanguage = 169;

using PathBlock = MemBlock<WCHAR>;
#if !KESM_KERNEL_MODE
struct ImageDeleter {
  void operator()(LPSTR image) const { ReadIniClose(image); }
};
using IniImage = std::unique_ptr<char, ImageDeleter>;
#endif

// The fallback INI's path in a block of its own; null when memory is short
// or the path cannot be built. The rendering library must read the file
// where the configuration library writes it: it decides the folder by the
// same Windows version, with the directories its work area gives.
PathBlock BidiIniPath(UCB* ucb) {
  PathBlock path = NewMemBlock<WCHAR>(kPathChars);
  if (path == nullptr) return path;
#if KESM_KERNEL_MODE
  const bool built = KMAddSharedDirToFileName(path.get(), kPathChars, kBidiIniName, ucb) != 0;
#else
  const bool built = AddSystemDirToFileNameEx2(path.get(), kPathChars, kBidiIniName, ucb) != nullptr;
#endif
  if (!built) path.reset();
  return path;
}

INT ReadInt(UCB* ucb, LPCWSTR path, LPCWSTR key, INT defaultValue) {
  LPCWSTR printer = GetPrinterName(ucb);
  if (path == nullptr || printer == nullptr) return defaultValue;
  return static_cast<INT>(KM_UM_GetPrivateProfileInt(printer, key, defaultValue, path));
}

INT ReadInt(UCB* ucb, LPCWSTR key, INT defaultValue) {
  const PathBlock path = BidiIniPath(ucb);
  return ReadInt(ucb, path.get(), key, defaultValue);
}

const DP& ModelOf(const UCB* ucb) { return ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

// The version keys that open a section of bidi data.
struct SectionStamp {
  INT version = kNoVersion;
  INT machine = kNoVersion;
  INT language = kNoVersion;

  bool Empty() const { return version == kNoVersion && machine == kNoVersion && language == kNoVersion; }
};

// The section was written by this driver version (the same hundreds), for
// this machine and in the context's language.
bool StampMatches(UCB* ucb, const SectionStamp& stamp) {
  if (stamp.version == kNoVersion || stamp.machine == kNoVersion || stamp.language == kNoVersion) return false;
  const DP& model = ModelOf(ucb);
  const auto languageNow = static_cast<WORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, nullptr));
  return static_cast<WORD>(stamp.version) / 100 == static_cast<WORD>(model.dwSetFileVersion) / 100 &&
         stamp.machine == model.bMachineID && static_cast<WORD>(stamp.language) == languageNow;
}

// Every setting that bidi data carries, under its setting name, from the
// printer's section: from the section's text when the caller has it in
// memory, else from the file key by key. FALSE when a value is refused.
BOOL ReadEachBidiSetting(UCB* ucb, LPCWSTR path, LPCSTR body, PLONG position) {
  BOOL read = TRUE;
  for (int i = 0; i < ucb->pSFL->count; ++i) {
    SFCB* record = &ucb->pSFL->pSFCB[i];
    if (!IsAvailableDevmodeValueForBidiSetFile(record) || record->name == nullptr) continue;
    storage::RecordOverride keep(record);
    record->iniKey = record->name;
    record->iniSection = nullptr;  // the printer's section
    if (storage::ReadIniSetting(ucb, record, path, body, position) == storage::IniRead::kRefused) read = FALSE;
  }
  return read;
}

// The bidi case of a set-file read. FALSE when the printer has no section
// of bidi data or a value is refused; a section written for another
// version, machine or language is left unread (TRUE, last error 1).
BOOL ReadBidiSettings(UCB* ucb, LPCWSTR path) {
  if (ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr) return FALSE;
#if KESM_KERNEL_MODE
  // Mapped INI reads cannot tell a missing section from missing keys: a
  // section without any of its version keys counts as none.
  const SectionStamp stamp{ReadInt(ucb, path, u"RstVersion", kNoVersion),
                           ReadInt(ucb, path, u"RstMachine", kNoVersion),
                           ReadInt(ucb, path, u"RstLanguage", kNoVersion)};
  if (stamp.Empty()) return FALSE;
  LPCSTR body = nullptr;
  PLONG position = nullptr;
#else
  WCHAR section[kPathChars + 1] = {};
  LPCWSTR printer = GetPrinterName(ucb);
  if (printer == nullptr || lstrlenW(printer) > static_cast<int>(kPathChars)) return FALSE;
  lstrcpyW(section, printer);
  CnvSQUAREBRACKETS(section);
  const IniImage image(ReadIniOpen(path, 0));
  LPCSTR body = image != nullptr ? GetSectionAddr(section, image.get()) : nullptr;
  if (body == nullptr) return FALSE;
  LONG start = 0;
  PLONG position = &start;
  SectionStamp stamp;
  stamp.version = GetScriptInt(u"RstVersion", kNoVersion, body, position);
  stamp.machine = GetScriptInt(u"RstMachine", kNoVersion, body, position);
  stamp.language = GetScriptInt(u"RstLanguage", kNoVersion, body, position);
#endif
  if (!StampMatches(ucb, stamp)) {
    DrvSetLastError(ucb, 1);
    return TRUE;
  }
  return ReadEachBidiSetting(ucb, path, body, position);
}

#if !KESM_KERNEL_MODE
constexpr const WCHAR* kBidiExFlag = u"BidiExFlag";

BOOL WriteInt(UCB* ucb, LPCWSTR key, int value) {
  const PathBlock path = BidiIniPath(ucb);
  return storage::WriteStoreNumber(GetPrinterName(ucb), key, value, path.get());
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
  const MemBlock<BYTE> aclBlock = NewMemBlock<BYTE>(aclBytes);
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

#endif

}  // namespace

BOOL IsBidiFlagDataRead(UCB* ucb) { return ReadInt(ucb, kBidiFlag, kAbsent) != kAbsent; }
BOOL GetBidiFlagDataFromFile(UCB* ucb) { return ReadInt(ucb, kBidiFlag, 0) != 0; }

BOOL GetBidiFuncDataFromFile(UCB* ucb) {
  SetKDMBidiFunc(ucb, static_cast<DWORD>(ReadInt(ucb, kBidiFunc, 0)));
  return TRUE;
}

BOOL ReadBidiSettingsFromIni(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  DrvSetLastError(ucb, 0);
  const PathBlock path = BidiIniPath(ucb);
  return path != nullptr ? ReadBidiSettings(ucb, path.get()) : FALSE;
}

BOOL GetBidiPrinterDataFromIni(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const BOOL read = ReadBidiSettingsFromIni(ucb);
  GetBidiFuncDataFromFile(ucb);
  return read;
}

#if KESM_KERNEL_MODE
BOOL CreateFullControlBidiFile(UCB* /*ucb*/) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}
#else
BOOL IsBidiExFlagDataRead(UCB* ucb) { return ReadInt(ucb, kBidiExFlag, kAbsent) != kAbsent; }
BOOL GetBidiExFlagDataFromFile(UCB* ucb) { return ReadInt(ucb, kBidiExFlag, 0) != 0; }

BOOL SetBidiFlagDataToFile(UCB* ucb, BOOL flag) { return WriteInt(ucb, kBidiFlag, flag ? 1 : 0); }
BOOL SetBidiExFlagDataToFile(UCB* ucb, BOOL flag) { return WriteInt(ucb, kBidiExFlag, flag ? 1 : 0); }
BOOL SetBidiFuncDataToFile(UCB* ucb, DWORD func) { return WriteInt(ucb, kBidiFunc, static_cast<int>(func & 0xFF)); }

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
