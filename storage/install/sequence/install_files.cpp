#include "storage/install/sequence/install_files.h"

#if !KESM_KERNEL_MODE
#include <array>
#include <optional>
#include <string>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/context/context_open.h"
#include "settings/tables/driver_params.h"
#include "storage/files/file_copy.h"
#include "storage/files/file_names.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/install/batch_install.h"
#include "storage/install/default_rst.h"
#include "storage/install/ini_install.h"
#include "storage/install/install_ini.h"
#include "storage/install/sequence/sequence_common.h"
#include "storage/install/template_names.h"
#include "storage/pack/pack_files.h"
#include "storage/setfiles/set_file.h"
#include "storage/system/system_info.h"

namespace {

const DP& Model(const UCB* ucb) { return ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

// Where a driver file of that name is used: an absolute name is copied from
// the driver directory to its place; on Windows 2000 and later a plain
// name stays in the driver directory; before, it is copied to the system
// directory. Empty when the place cannot be had.
std::u16string PlaceDriverFile(std::u16string_view name, UCB* ucb) {
  if (name.empty()) return {};
  const std::u16string text(name);
  if (name.size() > 1 && name[1] == u':') {
    CopyFileToOrderDirFromDriverDir(text.c_str(), GetFileNamePtr(text.c_str()), kCopyRefresh, ucb);
    return text;
  }
  if (IsOsLaterWin2000()) return storage::JoinPath(storage::DriverDirectory(ucb->hPrinter), name);
  CopyFileToSystemDirFromDriverDir(text.c_str(), nullptr, kCopyRefresh, ucb);
  return storage::JoinPath(storage::SystemDirectory(), name);
}

}  // namespace

DWORD CopyOtherFilesForInstall(LPCWSTR ini, LPCWSTR section, UCB* ucb) {
  if (ini == nullptr || section == nullptr || ucb == nullptr) return 0;
  const UINT count = storage::ReadIniInt(section, u"NumInstallfiles", 0, ini);
  DWORD copied = 0;
  for (UINT n = 1; n <= count && n <= kInstallFilesMax; ++n) {
    const std::u16string key = u"Installfiles" + storage::DecimalText(static_cast<LONG>(n));
    const auto value = storage::ReadWholeValue(section, key.c_str(), ini, MAX_PATH - 1);
    if (!value || value->empty()) continue;
    std::array<WCHAR, MAX_PATH> target{};
    storage::CopyOut(target.data(), MAX_PATH, *value);
    if (!ParseFileNameOfInstall(target.data(), MAX_PATH, ucb)) continue;
    if (CopyFileToOrderDirFromDriverDir(target.data(), nullptr, kCopyRefresh, ucb)) ++copied;
  }
  return copied;
}

BOOL CopyFilesForInstall(UCB* ucb, DWORD flags) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  SeparateRSXFiles(ucb);
  LPCWSTR section = GetDriverIniSectionName(ucb);
  const std::u16string driverIni = PlaceDriverFile(storage::View(Model(ucb).pszDriverIniName), ucb);
  if (!driverIni.empty()) CopyOtherFilesForInstall(driverIni.c_str(), section, ucb);

  std::array<WCHAR, MAX_PATH + 1> rsb{};
  if (GetDefaultRstFileNameFromIni(rsb.data(), ucb)) {
    const std::u16string path = PlaceDriverFile(rsb.data(), ucb);
    if (!path.empty()) {
      BatchInstallForPreset(path.c_str(), section, flags | kBatchCopy, ucb, nullptr);
      BatchInstallForQuality(path.c_str(), section, flags | kBatchCopy, ucb);
    }
  }
  for (LPCWSTR library : {Model(ucb).pszCommonDll, Model(ucb).pszResourceDll}) {
    if (library != nullptr && library[0] != 0) CopyFileToSystemDirFromDriverDir(library, nullptr, kCopyRefresh, ucb);
  }
  return TRUE;
}

BOOL IsNeedCopyInstIni2IniForInstall(LPCWSTR path, LPDWORD absent, UCB* ucb) {
  if (absent == nullptr || ucb == nullptr) return FALSE;
  constexpr UINT kMissing = 0xFFFFFFFF;
  const UINT version = storage::ReadIniInt(GetDriverIniSectionName(ucb), u"RstVersion", -1, path);
  *absent = version == kMissing ? 1 : 0;
  return version == kMissing || !IsValidRstVersion(version, Model(ucb).dwSetFileVersion);
}

BOOL CopyInstIni2IniForInstall(HANDLE printer, DWORD kind, BOOL onlyVersion, UCB* ucb) {
  UCB* own = nullptr;
  if (ucb == nullptr) {
    own = GetUcb2(printer, printer, 0, (kind & kOpenKindMask) | kOpenNoLock | kOpenNoAdminCheck, 0);
    if (own == nullptr) return FALSE;
    ucb = own;
  }
  BOOL done = FALSE;
  {
    const sequence::SharedIniScope shared(ucb);
    const std::u16string driverIni = sequence::Text(GetDriverIniFilePath(ucb));
    const std::u16string sharedIni = sequence::Text(GetIniFilePath(ucb));
    if (!driverIni.empty() && !sharedIni.empty()) {
      if (onlyVersion) {
        UpdateIniFileRstVersion(sharedIni.c_str(), driverIni.c_str(), ucb);
      } else {
        UpdateIniFileForInstall(sharedIni.c_str(), driverIni.c_str(), ucb);
      }
      CopyIniSection(u"PrinterInformation", sharedIni.c_str(), driverIni.c_str());
      CustomIniFileForInstall(sharedIni.c_str(), driverIni.c_str(), ucb);
      done = TRUE;
    }
  }
  if (own != nullptr) FreeUcb2(own, 1);
  return done;
}
#endif
