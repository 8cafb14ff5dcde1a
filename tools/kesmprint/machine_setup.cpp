#include "tools/kesmprint/machine_setup.h"

#include <array>
#include <filesystem>
#include <system_error>
#include <vector>

#include "jobsettings/devmode/devmode_layout.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "platform/system/sysfacts.h"
#include "platform/text/utf.h"
#include "settings/context/context_names.h"
#include "settings/context/context_open.h"
#include "storage/files/dummy_dir.h"
#include "storage/files/known_dirs.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/install/sequence/install_status.h"
#include "storage/system/driver_reg_values.h"
#include "storage/system/section_lock.h"

namespace kesmprint {
namespace {

namespace fs = std::filesystem;

// The administrator's batch-install INI, read from the system directory.
constexpr const char* kBatchInstallIni = "KESM.ini";
// The settings INI in the settings folder.
constexpr const char16_t* kSettingsIni = u"kesmusr.ini";

struct OpenedPrinter {
  HANDLE handle = nullptr;
  ~OpenedPrinter() {
    if (handle != nullptr) ClosePrinter(handle);
  }
};

// The install records the printer's name in its printer data (a later
// rename is told by it): a printer without it never had the install.
bool InstallRan(HANDLE printer) {
  std::array<WCHAR, MAX_PATH + 1> recorded{};
  return GetPrinterNameFromReg(printer, recorded.data(), nullptr) != FALSE && recorded[0] != 0;
}

bool FolderExists(const std::u16string& machinePath) {
  const auto host = plat::HostPathOf(machinePath.c_str());
  std::error_code ec;
  return host && fs::is_directory(*host, ec);
}

bool FileExists(const std::u16string& machinePath) {
  const auto host = plat::HostPathOf(machinePath.c_str());
  std::error_code ec;
  return host && fs::is_regular_file(*host, ec);
}

std::string Narrow(const std::u16string& text) { return plat::utf::ToUtf8(text); }

// The install files of the package, as an installer copies a driver's
// files before its install runs: the batch-install INI into the system
// directory, the others into the driver folder. A file the machine has
// already is left as it is.
bool CopyPackage(const fs::path& package, std::string& error) {
  if (package.empty()) return true;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(package, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    const fs::path name = entry.path().filename();
    if (name == kBatchInstallIni) {
      const auto system = plat::HostPathOf(plat::SystemDirectory().c_str());
      std::error_code ignored;
      if (!system || fs::exists(*system / name, ignored)) continue;
      if (!fs::copy_file(entry.path(), *system / name, ignored)) {
        error = "cannot copy the install file " + entry.path().string() + " into the system directory";
        return false;
      }
      continue;
    }
    if (fs::exists(plat::DriverFilesFolder() / name, ec)) continue;
    if (plat::InstallDriverFile(entry.path(), plat::utf::FromUtf8(name.string())) != ERROR_SUCCESS) {
      error = plat::WithMachineFault("cannot copy the install file " + entry.path().string() + " into the driver folder");
      return false;
    }
  }
  if (ec) {
    error = "cannot read the install files in " + package.string();
    return false;
  }
  return true;
}

}  // namespace

bool SetUpAsInstalled(const std::u16string& name, const fs::path& package, std::string& note, std::string& error) {
  note.clear();
  OpenedPrinter printer;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(name.c_str(), &printer.handle, &access)) {
    printer.handle = nullptr;
    error = plat::WithMachineFault("cannot open the printer " + Narrow(name) + " to set up its settings");
    return false;
  }
  const std::u16string folder = storage::SharedDirectory(printer.handle);
  // Under the driver's cross-process lock, so that of two runs starting on
  // a new machine one installs and the other finds it done.
  const ScopedSection section(nullptr);
  if (!InstallRan(printer.handle)) {
    // The install's presets replace the preset list: a machine whose
    // settings an earlier version kept (a list of the user's own) keeps
    // them, and gets no install presets.
    const bool kept = FileExists(folder + u"\\" + kSettingsIni);
    if (!kept && !CopyPackage(package, error)) return false;
    // As the spooler's first request for the printer's default DEVMODE:
    // the first install, then its time recorded.
    std::vector<BYTE> devmode(kSizeofKesmDM, 0);
    if (!InitDriverProc(printer.handle, reinterpret_cast<DEVMODEW*>(devmode.data()), kInstallFirst) ||
        !SetTSInstallStatus(printer.handle, kInstallInitialise, kStatusTargetFirstInstall)) {
      error = plat::WithMachineFault("the driver's install of the printer " + Narrow(name) + " failed");
      return false;
    }
    note = "set up the printer " + Narrow(name) + " as the driver's install does (settings in " + Narrow(folder) + ")";
  } else if (!FolderExists(folder)) {
    CreateDummySystemDirectory(printer.handle);
    note = "made the settings folder " + Narrow(folder) + " of the printer " + Narrow(name);
  }
  if (!FolderExists(folder)) {
    error = plat::WithMachineFault("cannot make the settings folder " + Narrow(folder) + " of the printer " +
                                   Narrow(name));
    return false;
  }
  // What every entry point of the driver makes sure of first: the user's
  // copy of the settings on a terminal server.
  if (!InstallPerUser(printer.handle)) {
    error = plat::WithMachineFault("cannot set up the user's settings of the printer " + Narrow(name));
    return false;
  }
  return true;
}

}  // namespace kesmprint
