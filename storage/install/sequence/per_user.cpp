// The user's private copy of the settings INI and set files on a terminal
// server, and a client's own data directory.
#include "storage/install/sequence/install_sequence.h"

#if !KESM_KERNEL_MODE
#include <array>
#include <optional>
#include <string>

#include "devicecomm/jobcodes/jc_upkeep.h"
#include "platform/files/winfile.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/context/context_open.h"
#include "settings/tables/driver_params.h"
#include "storage/files/dir_security.h"
#include "storage/files/driver_file_security.h"
#include "storage/files/file_helpers.h"
#include "storage/files/file_names.h"
#include "storage/files/kesm_dir_reg.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/system/printer_info.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/install/devmode_upgrade.h"
#include "storage/install/install_ini.h"
#include "storage/install/sequence/install_files.h"
#include "storage/install/sequence/install_status.h"
#include "storage/install/sequence/sequence_common.h"
#include "storage/install/template_register.h"
#include "storage/install/upgrade.h"
#include "storage/stores/preset_store.h"
#include "storage/system/section_lock.h"
#include "storage/system/system_info.h"

namespace {

constexpr DWORD kCopyFlagsKeepFiles = 0x1000;
constexpr DWORD kStepConvert = 1;
constexpr DWORD kStepStartOver = 2;

std::optional<ULONGLONG> LastWriteTime(const std::u16string& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  FILETIME written{};
  const BOOL read = GetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
  if (!read) return std::nullopt;
  return (ULONGLONG{written.dwHighDateTime} << 32) | written.dwLowDateTime;
}

// The recorded copy time: a file time as decimal digits.
std::optional<ULONGLONG> ParseCopyTime(const std::u16string& text) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  ULONGLONG value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + static_cast<ULONGLONG>(c - u'0');
  }
  return value;
}

std::u16string CopyTimeText(ULONGLONG value) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return text;
}

// Copies a shared set file to the user's place unless the user's file was
// changed since the last copy. A copy keeps the source's last-write time,
// and the copy time recorded is the user's settings INI's last-write time
// once the copy was complete (the file system's clock, as the set files'
// times are), so a user's file written after it holds the user's own
// changes; with no time recorded, one written after its source does.
void CopyUserSetFile(const std::u16string& source, const std::u16string& target,
                     const std::optional<ULONGLONG>& lastCopy) {
  const auto targetTime = LastWriteTime(target);
  if (targetTime) {
    const auto sourceTime = LastWriteTime(source);
    const bool changed = lastCopy ? *targetTime > *lastCopy : (sourceTime && *targetTime > *sourceTime);
    if (changed) return;
  }
  _CopyFile(source.c_str(), target.c_str(), FALSE);
}

// Creates the folder and every missing folder above it.
bool CreateFolders(const std::u16string& folder) {
  for (std::size_t at = folder.find(u'\\', 3); at != std::u16string::npos; at = folder.find(u'\\', at + 1)) {
    _CreateDirectory(folder.substr(0, at).c_str());
  }
  return _CreateDirectory(folder.c_str()) != FALSE;
}

// Windows NT 4.0 keeps the users' folders below the system directory, which
// a user may not change: each level below it is created owned by the
// administrators and open to every user, so that any user's first use can
// add their own folder.
bool CreateSecuredFolders(const std::u16string& folder) {
  const std::u16string system = storage::SystemDirectory();
  if (system.empty() || folder.size() <= system.size() + 1 || folder[system.size()] != u'\\' ||
      !storage::SameTextIgnoringCase(std::u16string_view(folder).substr(0, system.size()), system)) {
    return CreateFolders(folder);
  }
  for (std::size_t at = folder.find(u'\\', system.size() + 1);; at = folder.find(u'\\', at + 1)) {
    const std::u16string level = folder.substr(0, at);
    if (!_CreateDirectory(level.c_str())) return false;
    SetOwnerDirectories(level.c_str(), kScopeFolderOnly);
    SetAttrDirectories(level.c_str(), kScopeFolderOnly);
    if (at == std::u16string::npos) return true;
  }
}

// The list entries (presets or quality sets) of the shared INI pointed at
// the user's copies of their set files.
template <typename MakeKey>
void CopyList(const std::u16string& section, LPCWSTR countKey, MakeKey makeKey, const std::u16string& sharedIni,
              const std::u16string& userIni, const std::u16string& userDir, const std::optional<ULONGLONG>& lastCopy) {
  const UINT count = storage::ReadIniInt(section.c_str(), countKey, 0, sharedIni.c_str());
  for (UINT i = 0; i < count && i < 0x100; ++i) {
    std::array<WCHAR, 64> key{};
    makeKey(key.data(), static_cast<int>(i));
    const std::u16string source = sequence::ReadIniText(section.c_str(), key.data(), sharedIni.c_str());
    if (source.empty()) continue;
    const std::u16string target = storage::JoinPath(userDir, GetFileNamePtr(source.c_str()));
    KM_UM_WritePrivateProfileString(section.c_str(), key.data(), target.c_str(), userIni.c_str());
    CopyUserSetFile(source, target, lastCopy);
  }
}

// Runs the update steps on a context opened for it.
BOOL RunUpdate(HANDLE printer, DWORD step, UCB* ucb) {
  CopyFilesForInstall(ucb, kCopyFlagsKeepFiles);
  if (step == kStepConvert) UpgradeProperties(printer, ucb);
  return CopyInstIni2IniForInstall(printer, 0, TRUE, ucb);
}

}  // namespace

BOOL SetupDriverFilePerUser(HANDLE printer) {
  const std::u16string userIni = sequence::UserIniPath();
  const std::u16string sharedIni = sequence::SharedIniPath(printer);
  std::array<WCHAR, MAX_PATH + 1> sectionBuffer{};
  GetPresetSectionNameWithoutUCB(printer, sectionBuffer.data(), static_cast<DWORD>(sectionBuffer.size()));
  const std::u16string section = sectionBuffer.data();
  const std::u16string userDir = userIni.substr(0, userIni.rfind(u'\\') == std::u16string::npos ? 0 : userIni.rfind(u'\\'));
  if (userIni.empty() || sharedIni.empty() || section.empty() || userDir.empty() ||
      !(IsOsLaterWin2000() ? CreateFolders(userDir) : CreateSecuredFolders(userDir))) {
    return FALSE;
  }
  ScopedSection lock(nullptr);
  const std::optional<ULONGLONG> lastCopy =
      ParseCopyTime(sequence::ReadIniText(section.c_str(), kKeyUserCopyTime, userIni.c_str()));
  // A fresh set-up starts the user's settings INI over from the shared one.
  if (!_CopyFile(sharedIni.c_str(), userIni.c_str(), FALSE)) return FALSE;
  CopyList(section, u"Count", [](LPWSTR key, int i) { MakePresetKey(key, i, 0); }, sharedIni, userIni, userDir,
           lastCopy);
  CopyList(section, u"QualityCount", [](LPWSTR key, int i) { MakeQualityKeyEx(key, i, 0); }, sharedIni, userIni,
           userDir, lastCopy);
  if (const auto copied = LastWriteTime(userIni)) {
    KM_UM_WritePrivateProfileString(section.c_str(), kKeyUserCopyTime, CopyTimeText(*copied).c_str(), userIni.c_str());
  }
  return TRUE;
}

BOOL UpdateDriverFilePerUser(HANDLE printer, DWORD status) {
  UCB* ucb = GetUcb2(printer, printer, 0, kOpenNoLock | kOpenNoAdminCheck, 0);
  if (ucb == nullptr) return FALSE;
  DWORD step = kStepStartOver;
  if (status == kUserCopyOlderVersion) {
    LPCWSTR section = GetDriverIniSectionName(ucb);
    UINT user = 0;
    UINT shared = 0;
    {
      ScopedSection lock(nullptr);
      user = storage::ReadIniInt(section, u"RstVersion", -1, sequence::UserIniPath().c_str());
      shared = storage::ReadIniInt(section, u"RstVersion", -1, sequence::SharedIniPath(printer).c_str());
    }
    constexpr UINT kMissing = 0xFFFFFFFF;
    if (user == kMissing || shared == kMissing) {
      FreeUcb2(ucb, 1);
      return TRUE;
    }
    step = static_cast<DWORD>(IsUpgradeVersionCheck(user, shared));
  }
  BOOL done = TRUE;
  UpgradeJobCodeDLL(ucb);
  if (step == kStepStartOver) {
    done = InitDriverProc(printer, nullptr, kInstallInitialise);
  } else {
    RunUpdate(printer, step, ucb);
  }
  if (done && SetTSInstallStatus(printer, kInstallInitialise, kStatusTargetUser)) {
    SetDriverFileSecurity(ucb);
  } else {
    done = FALSE;
  }
  FreeUcb2(ucb, 1);
  return done;
}

BOOL UpdateDriverFilePerUserClient(HANDLE printer, LPCWSTR ini, LPCWSTR name) {
  // The versions are kept in the settings INI the install writes: the one
  // of the client's own data directory. The user's profile INI is that one
  // only when the directory is the user's; for a folder the users share,
  // versions kept in the profile would miss (or lack a folder to go in)
  // and every entry point would install again.
  const std::u16string path = ini != nullptr ? std::u16string(ini) : sequence::SharedIniPath(printer);
  const std::u16string section = name != nullptr ? std::u16string(name) : sequence::PrinterNameOf(printer);
  if (path.empty() || section.empty()) return FALSE;
  constexpr UINT kMissing = 0xFFFFFFFF;
  const UINT version = storage::ReadIniInt(section.c_str(), u"RstVersion", -1, path.c_str());
  const DWORD step =
      version == kMissing ? kStepStartOver : static_cast<DWORD>(IsUpgradeVersionCheck(version, fgDP.dwSetFileVersion));
  if (step == kStepStartOver && !InitDriverProc(printer, nullptr, kInstallClient)) return FALSE;
  const bool newVersion = !storage::SameTextIgnoringCase(
      sequence::ReadIniText(section.c_str(), kKeyInstVersion, path.c_str()), fgDP.pszDriverVersion);
  if (step != kStepStartOver && step != kStepConvert && !newVersion) return TRUE;
  UCB* ucb = GetUcb2(printer, printer, 0, kOpenNoLock | kOpenNoAdminCheck, 0);
  if (ucb == nullptr) return FALSE;
  UpgradeJobCodeDLL(ucb);
  if (step != kStepStartOver) RunUpdate(printer, step, ucb);
  KM_UM_WritePrivateProfileString(section.c_str(), u"RstVersion",
                                  storage::DecimalText(static_cast<LONG>(fgDP.dwSetFileVersion)).c_str(), path.c_str());
  KM_UM_WritePrivateProfileString(section.c_str(), kKeyInstVersion, fgDP.pszDriverVersion, path.c_str());
  SetDriverFileSecurity(ucb);
  FreeUcb2(ucb, 1);
  return TRUE;
}

BOOL InstallForKESMDirectory(HANDLE printer) {
  if (!IsOsLaterWin2000() || !IsClientDriver2(printer)) return TRUE;
  std::array<WCHAR, MAX_PATH> folder{};
  if (GetKESMDirFromDrvReg(printer, u"_KESMDirectoryClient", folder.data(), MAX_PATH) != 1) return TRUE;
  return UpdateDriverFilePerUserClient(printer, nullptr, nullptr);
}

BOOL InstallPerUser(HANDLE printer) {
  if (!IsSupportIniAccessPerUser(printer)) return InstallForKESMDirectory(printer);
  DWORD status = kUserCopyCurrent;
  if (!GetTSInstallStatus(printer, &status)) return FALSE;
  switch (status) {
    case kUserCopyCurrent:
      return TRUE;
    case kUserCopyMissing:
      return SetupDriverFilePerUser(printer);
    default:
      return UpdateDriverFilePerUser(printer, status);
  }
}
#endif
