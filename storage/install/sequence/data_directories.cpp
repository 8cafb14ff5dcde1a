#include "storage/install/sequence/data_directories.h"

#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "platform/registry/winreg.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/kesm_dir_reg.h"
#include "storage/install/drvinst_ini.h"
#include "storage/install/sequence/sequence_common.h"
#include "storage/system/printer_data.h"
#include "storage/system/printer_info.h"

namespace {

// Room the data directory leaves for the names built on it.
constexpr std::size_t kDataDirectorySpare = 46;
// Room the spool directory leaves for a job's file name.
constexpr std::size_t kSpoolDirectorySpare = 21;
constexpr const WCHAR* kDataFolderName = u"_kesm";

BOOL StoreMachineValue(LPCWSTR value, const std::u16string& text) {
  return SetKESMDirToReg(value, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR)));
}

}  // namespace

BOOL _SetKesmDirectory(HANDLE printer, LPCWSTR section, LPCWSTR ini) {
  if (section == nullptr || ini == nullptr) return FALSE;
  BOOL stored = FALSE;
  if (const auto value = sequence::TakeIniKey(section, u"KESMDirectory", ini, MAX_PATH); value && *value != u"*") {
    if (value->empty()) {
      stored = StoreMachineValue(u"_KESMDirectory", u"");
    } else {
      std::u16string folder = sequence::ExpandSystemDirectory(*value);
      if (sequence::IsFolder(folder)) {
        if (folder.back() != u'\\') folder += u'\\';
        if (folder.size() + kDataDirectorySpare < MAX_PATH) {
          stored = StoreMachineValue(u"_KESMDirectory", folder + kDataFolderName);
        }
      }
    }
  }
  if (IsServerDriver2(printer)) {
    const auto client = sequence::TakeIniKey(section, u"KESMDirectoryClient", ini, MAX_PATH);
    if (client && *client != u"*") {
      // REG_SZ counted without its terminator, as client drivers read it.
      stored = SetDataToRegEx(printer, client->c_str(), static_cast<DWORD>(client->size() * sizeof(WCHAR)), REG_SZ,
                              u"_KESMDirectoryClient", nullptr) ||
               stored;
    }
  }
  return stored;
}

BOOL InstallKitForKesmDirectory(HANDLE printer, LPCWSTR section, UCB* ucb) {
  return _SetKesmDirectory(printer, section, GetDriverIniFilePath(ucb));
}

BOOL BatchInstallForKesmDirectory(HANDLE printer, LPCWSTR section) {
  std::array<WCHAR, MAX_PATH> ini{};
  if (!GetDrvInstIniFilePathWithoutUCB(ini.data(), MAX_PATH)) return FALSE;
  return _SetKesmDirectory(printer, section, ini.data());
}

BOOL BatchInstallForSpoolDirectory(LPCWSTR ini, LPCWSTR section, UCB* ucb) {
  if (ini == nullptr || section == nullptr || ucb == nullptr) return FALSE;
  const auto value = sequence::TakeIniKey(section, u"SpoolDirectory", ini, MAX_PATH);
  const auto all = sequence::TakeIniKey(section, u"SpoolDirectoryAll", ini, 32);
  if (!value || *value == u"*") return FALSE;
  const bool forAll = all && *all == u"ON";
  if (value->empty()) return forAll && StoreMachineValue(kSpoolDirectoryValue, u"");
  const std::u16string folder = sequence::ExpandSystemDirectory(*value);
  if (!sequence::IsFolder(folder) || folder.size() + kSpoolDirectorySpare >= MAX_PATH) return FALSE;
  if (forAll) return StoreMachineValue(kSpoolDirectoryValue, folder);
  return SetDataToRegEx(ucb->hPrinter, folder.c_str(), static_cast<DWORD>((folder.size() + 1) * sizeof(WCHAR)), REG_SZ,
                        kSpoolDirectoryValue, ucb);
}
#endif
