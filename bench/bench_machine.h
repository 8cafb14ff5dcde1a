// A simulated machine with one printer of a fictional Kesm driver whose
// data file holds a given description text (the benchmarks give the rich
// sample), for the benchmarks and the fuzz target that open printer
// contexts.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/files/winpath.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "settings/context/context_open.h"

namespace kesm_bench {

inline constexpr DWORD kSheetMode = 0x80000000;

inline std::string RichSample() {
  std::ifstream in(KESM_TEST_DATA "/kpd/kesm_c7_colour.kpd", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A simulated machine with one printer whose driver's data file holds the
// given text.
class BenchMachine {
 public:
  explicit BenchMachine(const std::string& text) {
    BKPDAddrFree();
    std::ofstream(plat::DriverFilesFolder() / "KESMC7.KPD", std::ios::binary) << text;
    plat::DriverSetup driver;
    driver.name = u"Kesm C7 Colour";
    driver.driverFile = u"kesmgr.dll";
    driver.dataFile = u"KESMC7.KPD";
    driver.configFile = u"kesmui.dll";
    plat::PrinterSetup printer;
    printer.name = u"Design Studio";
    printer.driverName = driver.name;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    ok_ = plat::AddPrinterDriver(driver) == ERROR_SUCCESS && plat::AddPrinter(printer) == ERROR_SUCCESS &&
          OpenPrinterW(printer.name.c_str(), &printer_, &defaults);
    dataFile_ = plat::DriverFilesDirectory() + u"\\KESMC7.KPD";
    // The shared settings folder the install makes: without it every
    // settings INI read is a miss on a missing folder, which no installed
    // machine sees.
    CreateDirectoryW(u"C:\\_kesm", nullptr);
  }
  ~BenchMachine() {
    FreeStoredUcb(TRUE);
    BKPDAddrFree();
    if (printer_ != nullptr) ClosePrinter(printer_);
  }
  BenchMachine(const BenchMachine&) = delete;
  BenchMachine& operator=(const BenchMachine&) = delete;

  bool ok() const { return ok_; }
  HANDLE printer() const { return printer_; }
  LPCWSTR dataFile() const { return dataFile_.c_str(); }
  std::u16string cacheFile() const { return dataFile_.substr(0, dataFile_.size() - 3) + u"BCS"; }
  UCB* Open() const { return GetUcb(printer_, printer_, 0, kSheetMode); }

  // Copies the built resource module to every language's name of it, as
  // the printer's installation does: a context takes string defaults in
  // the description's language before its own is set. False when it
  // cannot.
  bool PlaceResourceDll(const std::filesystem::path& built) const {
    UCB* ucb = ok_ ? Open() : nullptr;
    if (ucb == nullptr) return false;
    constexpr WORD kFuncLanguage = 169;
    bool placed = true;
    for (int number = 0; number <= 0xFF && placed; ++number) {
      if (!IsValidateLanguageID(number) || !SetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, number)) continue;
      const auto dll = plat::HostPathOf(GetResDllName(ucb));
      std::error_code error;
      if (dll) {
        std::filesystem::create_directories(dll->parent_path(), error);
        std::filesystem::copy_file(built, *dll, std::filesystem::copy_options::overwrite_existing, error);
      }
      placed = dll && !error;
    }
    FreeUcb2(ucb, 1);
    return placed;
  }

 private:
  plat::ScopedMachine machine_;
  HANDLE printer_ = nullptr;
  std::u16string dataFile_;
  bool ok_ = false;
};

}  // namespace kesm_bench
