#include "tools/kesmprint/printer_setup.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"

namespace kesmprint {
namespace {

namespace fs = std::filesystem;

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// An 8.3 data-file name of the printer's own: the description list of a
// process keys descriptions by the name's base.
std::u16string DataFileName(const std::u16string& printer) {
  std::uint32_t hash = 2166136261u;
  for (char16_t c : printer) hash = (hash ^ c) * 16777619u;
  char name[16];
  std::snprintf(name, sizeof name, "KP%06X.KPD", static_cast<unsigned>(hash & 0xFFFFFF));
  return std::u16string(name, name + 12);
}

// The host path of the data file of an installed printer's driver; empty
// when it cannot be had.
fs::path InstalledDataFile(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  if (needed == 0) return {};
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed)) return {};
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
  if (info->pDataFile == nullptr) return {};
  std::u16string path(info->pDataFile);
  const std::size_t slash = path.rfind(u'\\');
  return plat::DriverFilesFolder() / fs::path(path.substr(slash == std::u16string::npos ? 0 : slash + 1));
}

// Other processes of the machine may be reading the installed description:
// it is replaced only when it changed, and then by a rename.
bool CopyDescription(const fs::path& description, const fs::path& to, std::string& error) {
  std::error_code ec;
  if (!fs::is_regular_file(description, ec)) {
    error = "cannot read the description " + description.string();
    return false;
  }
  if (plat::InstallDriverFile(description, to.filename().u16string()) != ERROR_SUCCESS) {
    error = plat::WithMachineFault("cannot install the description " + description.string() + " as " + to.string());
    return false;
  }
  return true;
}

}  // namespace

bool EnsurePrinter(const std::u16string& name, const fs::path& description, bool replace, std::string& note,
                   std::string& error) {
  note.clear();
  HANDLE handle = nullptr;
  if (OpenPrinterW(name.c_str(), &handle, nullptr)) {
    const fs::path dataFile = replace ? InstalledDataFile(handle) : fs::path();
    ClosePrinter(handle);
    if (!replace) return true;
    if (dataFile.empty()) {
      error = "the printer " + Narrow(name) + " has no description to replace";
      return false;
    }
    if (!CopyDescription(description, dataFile, error)) return false;
    note = "the printer " + Narrow(name) + " now uses the description " + description.string();
    return true;
  }
  if (name.find(u'\\') != std::u16string::npos) {
    error = "there is no printer " + Narrow(name) + " on the machine, and a name with a backslash cannot be installed";
    return false;
  }
  const std::u16string dataFile = DataFileName(name);
  if (!CopyDescription(description, plat::DriverFilesFolder() / fs::path(dataFile), error)) return false;
  plat::DriverSetup driver;
  driver.name = name + u" Driver";
  driver.driverFile = kDriverFileName;
  driver.dataFile = dataFile;
  driver.configFile = u"kesmui.dll";
  const DWORD added = plat::AddPrinterDriver(driver);
  if (added != ERROR_SUCCESS && added != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
    error = plat::WithMachineFault("cannot install a driver for the printer " + Narrow(name));
    return false;
  }
  plat::PrinterSetup printer;
  printer.name = name;
  printer.driverName = driver.name;
  // A printer that another process installed meanwhile is the one wanted.
  const DWORD made = plat::AddPrinter(printer);
  if (made != ERROR_SUCCESS && made != ERROR_PRINTER_ALREADY_EXISTS) {
    error = plat::WithMachineFault("cannot install the printer " + Narrow(name));
    return false;
  }
  note = "installed the printer " + Narrow(name) + " from the description " + description.string();
  return true;
}

}  // namespace kesmprint
