#include "tools/kesmprint/printer_setup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "platform/text/utf.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/kpd/kpd_compile.h"
#include "storage/files/file_replace.h"
#include "storage/system/section_lock.h"
#include "tools/printhost/print_host.h"

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

// The printer data value that keeps the description a printer was
// installed from, as the user named it, for the messages of later runs.
constexpr const char16_t* kSourceValue = u"kesmprint description";

void RememberDescription(const std::u16string& printer, const fs::path& description) {
  PRINTER_DEFAULTSW admin{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE handle = nullptr;
  if (!OpenPrinterW(printer.c_str(), &handle, &admin)) return;
  const std::u16string text = plat::utf::FromUtf8(description.string());
  SetPrinterDataW(handle, kSourceValue, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
  ClosePrinter(handle);
}

std::string RememberedDescription(HANDLE printer) {
  DWORD type = 0, needed = 0;
  if (GetPrinterDataW(printer, kSourceValue, &type, nullptr, 0, &needed) == ERROR_FILE_NOT_FOUND || needed < 2) {
    return {};
  }
  std::u16string text(needed / sizeof(char16_t), u'\0');
  if (GetPrinterDataW(printer, kSourceValue, &type, reinterpret_cast<BYTE*>(text.data()), needed, &needed) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  text.resize(std::char_traits<char16_t>::length(text.c_str()));
  return plat::utf::ToUtf8(text);
}

// Sets up a page on the printer as its first job would, on the DEVMODE a
// job without options has (letter paper at 300 dpi, the description's
// defaults for the rest): empty when that works, else why not.
std::string ProbePage(const std::u16string& printer) {
  std::string error;
  auto host = printhost::PrintHost::Open(HostFor(printer), error);
  if (host && host->SetUpPage({}, error)) return {};
  const std::string fault = PageSetUpFault(error);
  return fault.empty() ? error : fault;
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

// A file of the driver folder moved aside while a new description is tried,
// and put back unless the new one is kept.
class KeptAside {
 public:
  explicit KeptAside(fs::path file) : file_(std::move(file)), aside_(file_.string() + ".kept") {
    std::error_code ec;
    fs::remove(aside_, ec);
    fs::rename(file_, aside_, ec);
    kept_ = !ec;
  }
  // The file as it was (its replacement goes); true when it could be.
  bool PutBack() {
    std::error_code ec;
    if (kept_) {
      fs::rename(aside_, file_, ec);
    } else {
      fs::remove(file_, ec);
    }
    kept_ = false;
    return !ec;
  }
  ~KeptAside() {
    std::error_code ec;
    if (kept_) fs::remove(aside_, ec);
  }
  KeptAside(const KeptAside&) = delete;
  KeptAside& operator=(const KeptAside&) = delete;

 private:
  fs::path file_;
  fs::path aside_;
  bool kept_ = false;
};

// Puts the description in the printer's data file (a file of the driver
// folder): it is copied beside it and compiled there first, and replaces
// the data file only when it compiles. The compiled cache of the old text
// goes with it, so that the next job compiles the new one. For a printer
// installed already (probe), a page is then set up on the new description:
// when none can be, the old description and its cache are put back. False
// with a message naming the description; the data file is then as it was.
bool InstallDescription(const fs::path& description, const std::u16string& dataFileName, const std::u16string* probe,
                        std::string& error) {
  std::string text;
  if (!ReadDescription(description, text, error)) return false;
  const std::u16string dataFile = MachinePath(dataFileName);
  storage::SiblingTempFile copy(dataFile);
  if (!copy.ok() || !copy.Write(text)) {
    error = "cannot copy the description " + description.string() + " into the driver folder " +
            plat::DriverFilesFolder().string() + ": " + std::strerror(errno);
    return false;
  }
  PCBKPD compiled = BKPDabsCreate(nullptr, copy.path(), FALSE);
  if (compiled == nullptr) {
    error = "the description " + description.string() + " cannot be compiled: " + CompileFault(copy.path());
    return false;
  }
  FreeBkpdBlock(compiled);
  const fs::path hostData = plat::DriverFilesFolder() / fs::path(dataFileName);
  const fs::path oldText = hostData.string() + ".kept";
  std::optional<KeptAside> oldCache;
  std::error_code ec;
  {
    // Under the lock that compiles take, so that no process writes a cache
    // of the old text once the new one is in place.
    const ScopedSection section(nullptr);
    if (probe != nullptr) {
      // The old text stays under a second name until the new one is kept.
      oldCache.emplace(fs::path(hostData).replace_extension(".BCS"));
      fs::remove(oldText, ec);
      fs::create_hard_link(hostData, oldText, ec);
    }
    if (!copy.ReplaceTarget()) {
      if (oldCache) oldCache->PutBack();
      fs::remove(oldText, ec);
      error = "cannot replace the description file " + hostData.string();
      return false;
    }
    BKPDFileDelete(dataFile.c_str());
  }
  if (probe == nullptr) return true;
  const std::string fault = ProbePage(*probe);
  if (fault.empty()) {
    fs::remove(oldText, ec);
    return true;
  }
  {
    const ScopedSection section(nullptr);
    BKPDFileDelete(dataFile.c_str());
    fs::rename(oldText, hostData, ec);
    oldCache->PutBack();
  }
  error = "the description " + description.string() + " cannot be used: " + fault;
  return false;
}

// Another process installed the printer (or its driver) meanwhile: that
// printer is the one wanted, with the description it was installed with.
// The description file claimed for this install goes.
bool TakeInstalled(const std::u16string& name, const fs::path& claimed, PrinterState& state, std::string& error) {
  HANDLE handle = nullptr;
  if (!OpenPrinterW(name.c_str(), &handle, nullptr)) {
    error = plat::WithMachineFault("cannot open the printer " + Narrow(name) + " that another process installed");
    return false;
  }
  const std::u16string dataFile = InstalledDataFile(handle);
  state.description = RememberedDescription(handle);
  ClosePrinter(handle);
  if (!dataFile.empty()) state.dataFile = plat::DriverFilesFolder() / fs::path(dataFile);
  std::error_code ignored;
  if (state.dataFile != claimed) fs::remove(claimed, ignored);
  return true;
}

// Why the registry has no driver record for an installed printer: its hive
// is gone or emptied (the printer table lives elsewhere and still has it).
std::string MissingDriverFault(const std::string& printer) {
  const fs::path hive = plat::RegistryStore() / "HKLM.hive";
  std::error_code ec;
  const std::string why = !fs::exists(hive, ec)          ? "the registry hive " + hive.string() + " is missing"
                          : fs::file_size(hive, ec) == 0 ? "the registry hive " + hive.string() + " is empty"
                                                         : plat::WithMachineFault("the registry has no record of it");
  return "the printer " + printer + " has lost its driver: " + why +
         " (install the printer again on a new machine folder, or put the hive back)";
}

// Why a printer of this name cannot be installed, or empty.
std::string NameFault(const std::u16string& name) {
  if (name.find(u'\\') != std::u16string::npos) return "a name with a backslash cannot be installed";
  if (name.find_first_of(u",!") != std::u16string::npos) return "a printer name cannot hold a comma or '!'";
  if (name.size() > plat::kMaxPrinterName) {
    return "a printer name has at most " + std::to_string(plat::kMaxPrinterName) + " characters, and this one has " +
           std::to_string(name.size());
  }
  return {};
}

}  // namespace

printhost::HostOptions HostFor(const std::u16string& printer) {
  printhost::HostOptions options;
  options.driverModule = KESMPRINT_DRIVER;
  options.driverFileName = kDriverFileName;
  options.printerName = printer;
  options.installPrinter = false;
  return options;
}

std::string PageSetUpFault(const std::string& hostError) {
  const std::string pdev = "DrvEnablePDEV failed", surface = "DrvEnableSurface failed";
  std::string what;
  if (hostError.rfind(pdev, 0) == 0) {
    what = "the driver refuses to set up a page on it";
  } else if (hostError.rfind(surface, 0) == 0) {
    // The host names the page: " for a page of W x H dots at R dpi".
    const std::size_t page = hostError.find(" of ");
    what = "the driver cannot make the surface of a page" +
           (page != std::string::npos ? " (it finds a page of " + hostError.substr(page + 4) + ")" : std::string());
  } else {
    return {};
  }
  // A fault of the machine (a damaged store) is told as the host found it.
  const std::string machine = plat::MachineFault();
  if (!machine.empty()) return what + ": " + machine;
  return "no page can be set up on it: " + what;
}

std::string CannotPrint(const std::string& printer, const PrinterState& state, const std::string& why) {
  const std::string from = !state.description.empty() ? "the description " + state.description
                           : !state.dataFile.empty()   ? "its description file " + state.dataFile.string()
                                                       : "its description";
  return "the printer " + printer + " cannot print with " + from + ": " + why;
}

bool EnsurePrinter(const std::u16string& name, const fs::path& description, bool replace, std::string& note,
                   PrinterState& state, std::string& error) {
  note.clear();
  state = PrinterState{};
  HANDLE handle = nullptr;
  if (OpenPrinterW(name.c_str(), &handle, nullptr)) {
    const std::u16string dataFile = InstalledDataFile(handle);
    state.description = RememberedDescription(handle);
    ClosePrinter(handle);
    if (dataFile.empty()) {
      error = MissingDriverFault(Narrow(name));
      return false;
    }
    state.dataFile = plat::DriverFilesFolder() / fs::path(dataFile);
    if (!replace) return true;
    if (!InstallDescription(description, dataFile, &name, error)) {
      error += "; the printer " + Narrow(name) + " keeps its description";
      return false;
    }
    RememberDescription(name, description);
    state.description = description.string();
    note = "the printer " + Narrow(name) + " now uses the description " + description.string();
    return true;
  }
  // A printer that is not there is installed; any other reason it cannot be
  // opened is the machine's.
  if (GetLastError() != ERROR_INVALID_PRINTER_NAME || !plat::MachineFault().empty()) {
    error = plat::WithMachineFault("cannot open the printer " + Narrow(name));
    return false;
  }
  if (const std::string fault = NameFault(name); !fault.empty()) {
    error = "there is no printer " + Narrow(name) + " on the machine, and it cannot be installed: " + fault;
    return false;
  }
  std::u16string dataFile;
  if (!ClaimDataFileName(name, dataFile, error)) return false;
  const fs::path claimed = plat::DriverFilesFolder() / fs::path(dataFile);
  if (!InstallDescription(description, dataFile, nullptr, error)) {
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
  if (added != ERROR_SUCCESS || made != ERROR_SUCCESS) return TakeInstalled(name, claimed, state, error);
  RememberDescription(name, description);
  state.dataFile = claimed;
  state.description = description.string();
  note = "installed the printer " + Narrow(name) + " from the description " + description.string();
  // The printer stays installed (its sheets still open) even when no page
  // can be set up on its description; the note says why it cannot print.
  state.cannotPrint = ProbePage(name);
  if (!state.cannotPrint.empty()) note += ", but it cannot print: " + state.cannotPrint;
  return true;
}

bool EnsurePrinter(const std::u16string& name, const fs::path& description, bool replace, std::string& note,
                   fs::path& dataFile, std::string& error) {
  PrinterState state;
  const bool ok = EnsurePrinter(name, description, replace, note, state, error);
  dataFile = state.dataFile;
  return ok;
}

}  // namespace kesmprint
