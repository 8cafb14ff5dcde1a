// Installing drivers and printers on the simulated machine.
#include "platform/spooler/spoolsetup.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/base/entryguard.h"
#include "platform/base/machine.h"
#include "platform/spooler/spoolinfo.h"
#include "platform/spooler/spoolstore.h"
#include "platform/host/storefile.h"
#include "platform/files/winpath.h"
#include "platform/files/fileattrs.h"
#include "platform/host/hostinstall.h"
#include "platform/registry/regstore.h"
#include "platform/spooler/spooljob.h"
#include "platform/system/sysfacts_store.h"
#include "platform/base/winerror.h"

namespace plat {
namespace {

bool HasBackslash(std::u16string_view s) { return s.find(u'\\') != std::u16string_view::npos; }

bool IsBareFileName(std::u16string_view s) { return !s.empty() && !HasBackslash(s); }

// A local printer: a plain name. A connection: "\\server\printer" with the
// server name "\\server".
bool IsValidPrinterName(const PrinterSetup& p) {
  const std::u16string_view name = p.name;
  if (name.empty() || name.size() > kMaxPrinterName ||
      name.find_first_of(u",!") != std::u16string_view::npos) {
    return false;
  }
  if (p.serverName.empty()) return !HasBackslash(name);
  const std::u16string_view server = p.serverName;
  if (server.size() < 3 || server.substr(0, 2) != u"\\\\" || HasBackslash(server.substr(2))) {
    return false;
  }
  const std::size_t cut = server.size();
  return name.size() > cut + 1 && store::SameName(name.substr(0, cut), server) &&
         name[cut] == u'\\' && !HasBackslash(name.substr(cut + 1));
}

// Either no DEVMODE, or one whose header accounts for every byte.
bool IsValidDevMode(const std::vector<BYTE>& dm) {
  if (dm.empty()) return true;
  if (dm.size() < offsetof(DEVMODEW, dmFields)) return false;
  WORD size = 0, extra = 0;
  std::memcpy(&size, dm.data() + offsetof(DEVMODEW, dmSize), sizeof size);
  std::memcpy(&extra, dm.data() + offsetof(DEVMODEW, dmDriverExtra), sizeof extra);
  return size >= offsetof(DEVMODEW, dmFields) && std::size_t{size} + extra == dm.size();
}

}  // namespace

DWORD AddPrinterDriver(const DriverSetup& driver) {
  return plat::Guard([&]() -> DWORD {
    const spool::Environment* env = spool::FindEnvironment(driver.environment.c_str());
    if (!env) return ERROR_INVALID_ENVIRONMENT;
    const bool filesOk =
        IsBareFileName(driver.driverFile) && IsBareFileName(driver.dataFile) &&
        IsBareFileName(driver.configFile) &&
        (driver.helpFile.empty() || IsBareFileName(driver.helpFile)) &&
        std::all_of(driver.dependentFiles.begin(), driver.dependentFiles.end(), IsBareFileName);
    if (driver.name.empty() || HasBackslash(driver.name) || !filesOk) {
      return ERROR_INVALID_PARAMETER;
    }
    spool::DriverRecord record{driver.name,           3,
                               driver.driverFile,     driver.dataFile,
                               driver.configFile,     driver.helpFile,
                               driver.dependentFiles, driver.monitorName,
                               driver.defaultDataType};
    return spool::WriteDriver(*env, record);
  });
}

DWORD AddPrinter(const PrinterSetup& printer) {
  return plat::Guard([&]() -> DWORD {
    if (!IsValidPrinterName(printer)) return ERROR_INVALID_PRINTER_NAME;
    if (!IsValidDevMode(printer.defaultDevMode)) return ERROR_INVALID_PARAMETER;
    spool::DriverRecord driver;
    if (DWORD rc = spool::ReadDriver(*spool::FindEnvironment(nullptr), printer.driverName, driver);
        rc != ERROR_SUCCESS) {
      return rc;
    }
    spool::PrinterRecord record{printer.name,       printer.serverName, printer.shareName,
                                printer.portName,   driver.name,        printer.comment,
                                printer.location,   printer.attributes, printer.userRights,
                                printer.defaultDevMode, {}};
    record.attributes |=
        printer.serverName.empty() ? PRINTER_ATTRIBUTE_LOCAL : PRINTER_ATTRIBUTE_NETWORK;
    return spool::ChangePrinters([&](std::vector<spool::PrinterRecord>& printers) {
      for (const auto& p : printers) {
        if (store::SameName(p.name, record.name)) return ERROR_PRINTER_ALREADY_EXISTS;
      }
      printers.push_back(record);
      return ERROR_SUCCESS;
    });
  });
}

DWORD SetStoredDevModeBytes(std::u16string_view printerName, std::vector<BYTE> bytes) {
  return plat::Guard([&]() -> DWORD {
    return spool::ChangePrinter(printerName, [&](spool::PrinterRecord& record) {
      record.devMode = std::move(bytes);
      return DWORD{ERROR_SUCCESS};
    });
  });
}

std::u16string DriverFilesDirectory(std::u16string_view environment) {
  const spool::Environment* env = spool::FindEnvironment(std::u16string(environment).c_str());
  return env ? spool::DriverDirectory(*env) + u"\\3" : std::u16string();
}

std::filesystem::path DriverFilesFolder(std::u16string_view environment) {
  const std::u16string folder = DriverFilesDirectory(environment);
  if (folder.empty() || !CreateDirectories(folder)) return {};
  return HostPathOf(folder.c_str()).value_or(std::filesystem::path());
}

std::string MachineFault() {
  const std::filesystem::path root = MachineRoot();
  if (root.empty()) return "no machine folder is set";
  std::error_code ec;
  if (!std::filesystem::is_directory(DriveRoot(), ec)) {
    return "the drive C: of the machine, " + DriveRoot().string() + ", is missing or not a folder";
  }
  struct statvfs disk {};
  if (::statvfs(root.c_str(), &disk) == 0 && disk.f_bavail == 0) {
    return "the disk that holds the machine folder " + root.string() + " is full";
  }
  for (std::string (*check)() : {+[] { return reg::DiagnoseHive(HKEY_LOCAL_MACHINE); }, &spool::DiagnosePrinterTable,
                                 &DiagnoseJobCounter, &attrs::Diagnose, &facts::Diagnose}) {
    if (std::string fault = check(); !fault.empty()) return fault;
  }
  return {};
}

std::string WithMachineFault(const std::string& message) {
  const std::string fault = MachineFault();
  return fault.empty() ? message : message + ": " + fault;
}

DWORD InstallDriverFile(const std::filesystem::path& source, std::u16string_view fileName,
                        std::u16string_view environment) {
  return plat::Guard([&]() -> DWORD {
    if (!IsBareFileName(fileName) || fileName.find(u'/') != std::u16string_view::npos) {
      return ERROR_INVALID_PARAMETER;
    }
    if (spool::FindEnvironment(std::u16string(environment).c_str()) == nullptr) return ERROR_INVALID_ENVIRONMENT;
    const std::filesystem::path folder = DriverFilesFolder(environment);
    if (folder.empty()) return ERROR_PATH_NOT_FOUND;
    return hostfile::InstallCopy(source, folder / std::filesystem::path(std::u16string(fileName)));
  });
}

}  // namespace plat
