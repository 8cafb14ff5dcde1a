#include "tools/kesmprint/printer_setup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "platform/text/utf.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/kpd/kpd_compile.h"
#include "storage/files/file_replace.h"
#include "storage/system/section_lock.h"

namespace kesmprint {
namespace {

namespace fs = std::filesystem;

std::string Narrow(const std::u16string& text) { return plat::utf::ToUtf8(text); }

// The machine's path of a file of the driver folder.
std::u16string MachinePath(const std::u16string& fileName) {
  return plat::DriverFilesDirectory() + u"\\" + fileName;
}

// An 8.3 data-file name that no other printer has: the description list of
// a process keys descriptions by the name's base. The name follows from the
// printer's; one already in the driver folder (another printer's, or left
// by an install that failed) is passed over, and creating the file claims
// the name against other processes.
bool ClaimDataFileName(const std::u16string& printer, std::u16string& name, std::string& error) {
  std::uint32_t hash = 2166136261u;
  for (char16_t c : printer) hash = (hash ^ c) * 16777619u;
  const fs::path folder = plat::DriverFilesFolder();
  for (std::uint32_t step = 0; step < 0x1000; ++step) {
    char text[16];
    std::snprintf(text, sizeof text, "KP%06X.KPD", static_cast<unsigned>((hash + step) & 0xFFFFFF));
    const int fd = ::open((folder / text).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0) {
      ::close(fd);
      name.assign(text, text + 12);
      return true;
    }
    if (errno != EEXIST) break;
  }
  error = "cannot make a description file in the driver folder " + folder.string() + ": " + std::strerror(errno);
  return false;
}

// The name (in the driver folder) of the data file of an installed
// printer's driver; empty when it cannot be had.
std::u16string InstalledDataFile(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  if (needed == 0) return {};
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed)) return {};
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
  if (info->pDataFile == nullptr) return {};
  std::u16string path(info->pDataFile);
  const std::size_t slash = path.rfind(u'\\');
  return path.substr(slash == std::u16string::npos ? 0 : slash + 1);
}

// Why the description cannot be compiled, as the compiler's report says.
std::string CompileFault(const std::u16string& file) {
  KpdCompileReport report{};
  WorkBKPD* work = WorkBKPD_CreateWithReport(file.c_str(), &report);
  if (work != nullptr) {
    WorkBKPD_Free(work);
    return "its compiled form is refused";
  }
  return report.endResult == kKpdTruncated ? "the text ends inside an open quote, parenthesis or brace"
         : report.endResult == kKpdNoMemory ? "memory ran out"
                                            : "it cannot be read";
}

bool ReadDescription(const fs::path& description, std::string& text, std::string& error) {
  std::error_code ec;
  if (fs::is_regular_file(description, ec)) {
    std::ifstream in(description, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in && !in.bad()) return true;
  }
  error = "cannot read the description " + description.string();
  return false;
}

// Puts the description in the printer's data file (a file of the driver
// folder): it is copied beside it and compiled there first, and replaces
// the data file only when it compiles. The compiled cache of the old text
// is deleted with it, so that the next job compiles the new one. False with
// a message naming the description; the data file is then as it was.
bool InstallDescription(const fs::path& description, const std::u16string& dataFileName, std::string& error) {
  std::string text;
  if (!ReadDescription(description, text, error)) return false;
  const std::u16string dataFile = MachinePath(dataFileName);
  storage::SiblingTempFile copy(dataFile);
  if (!copy.ok() || !copy.Write(text)) {
    error = "cannot copy the description " + description.string() + " into the driver folder " +
            plat::DriverFilesFolder().string();
    return false;
  }
  PCBKPD compiled = BKPDabsCreate(nullptr, copy.path(), FALSE);
  if (compiled == nullptr) {
    error = "the description " + description.string() + " cannot be compiled: " + CompileFault(copy.path());
    return false;
  }
  FreeBkpdBlock(compiled);
  // Under the lock that compiles take, so that no process writes a cache
  // of the old text once the new one is in place.
  const ScopedSection section(nullptr);
  if (!copy.ReplaceTarget()) {
    error = "cannot replace the description file " + (plat::DriverFilesFolder() / fs::path(dataFileName)).string();
    return false;
  }
  BKPDFileDelete(dataFile.c_str());
  return true;
}

// Another process installed the printer (or its driver) meanwhile: that
// printer is the one wanted, with the description it was installed with.
// The description file claimed for this install goes.
bool TakeInstalled(const std::u16string& name, const fs::path& claimed, fs::path& dataFilePath, std::string& error) {
  HANDLE handle = nullptr;
  if (!OpenPrinterW(name.c_str(), &handle, nullptr)) {
    error = plat::WithMachineFault("cannot open the printer " + Narrow(name) + " that another process installed");
    return false;
  }
  const std::u16string dataFile = InstalledDataFile(handle);
  ClosePrinter(handle);
  if (!dataFile.empty()) dataFilePath = plat::DriverFilesFolder() / fs::path(dataFile);
  std::error_code ignored;
  if (dataFilePath != claimed) fs::remove(claimed, ignored);
  return true;
}

}  // namespace

bool EnsurePrinter(const std::u16string& name, const fs::path& description, bool replace, std::string& note,
                   fs::path& dataFilePath, std::string& error) {
  note.clear();
  dataFilePath.clear();
  HANDLE handle = nullptr;
  if (OpenPrinterW(name.c_str(), &handle, nullptr)) {
    const std::u16string dataFile = InstalledDataFile(handle);
    ClosePrinter(handle);
    if (!dataFile.empty()) dataFilePath = plat::DriverFilesFolder() / fs::path(dataFile);
    if (!replace) return true;
    if (dataFile.empty()) {
      error = "the printer " + Narrow(name) + " has no description to replace";
      return false;
    }
    if (!InstallDescription(description, dataFile, error)) {
      error += "; the printer " + Narrow(name) + " keeps its description";
      return false;
    }
    note = "the printer " + Narrow(name) + " now uses the description " + description.string();
    return true;
  }
  if (name.find(u'\\') != std::u16string::npos) {
    error = "there is no printer " + Narrow(name) + " on the machine, and a name with a backslash cannot be installed";
    return false;
  }
  std::u16string dataFile;
  if (!ClaimDataFileName(name, dataFile, error)) return false;
  const fs::path claimed = plat::DriverFilesFolder() / fs::path(dataFile);
  if (!InstallDescription(description, dataFile, error)) {
    std::error_code ignored;
    fs::remove(claimed, ignored);
    error += "; the printer " + Narrow(name) + " was not installed";
    return false;
  }
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
  const DWORD made = plat::AddPrinter(printer);
  if (made != ERROR_SUCCESS && made != ERROR_PRINTER_ALREADY_EXISTS) {
    error = plat::WithMachineFault("cannot install the printer " + Narrow(name));
    return false;
  }
  if (added != ERROR_SUCCESS || made != ERROR_SUCCESS) return TakeInstalled(name, claimed, dataFilePath, error);
  dataFilePath = claimed;
  note = "installed the printer " + Narrow(name) + " from the description " + description.string();
  return true;
}

}  // namespace kesmprint
