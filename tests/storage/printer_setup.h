// Printers of the fictional Kesm 4200 driver for the storage tests: a local
// printer whose name holds brackets and that enables bidi, and a connection
// to a print server's printer.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/spooler/spoolsetup.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "tests/settings/description_list_reset.h"

namespace storage_test {

inline constexpr const char16_t* kDriverName = u"Kesm 4200 Series";
inline constexpr const char16_t* kLocalPrinter = u"Office [2F]";
inline constexpr const char16_t* kConnection = u"\\\\PRINTSRV\\Floor3";

// The plain sample description, which a driver installed below carries as
// its data file unless the test put one there first.
inline constexpr const char* kSampleDescription = KESM_TEST_DATA "/kpd/kesm_m3.kpd";

// Installs a driver of the fictional family: its rendering and
// configuration libraries, the description dataFile and, unless null, the
// help file.
inline void AddKesmDriver(const char16_t* name, const char16_t* dataFile, const char16_t* helpFile) {
  const std::filesystem::path text = plat::DriverFilesFolder() / std::filesystem::path(dataFile);
  if (!std::filesystem::exists(text)) {
    std::error_code error;
    std::filesystem::copy_file(kSampleDescription, text, error);
    ASSERT_FALSE(error) << error.message();
  }
  plat::DriverSetup driver;
  driver.name = name;
  driver.driverFile = u"kesmgr.dll";
  driver.dataFile = dataFile;
  driver.configFile = u"kesmui.dll";
  if (helpFile != nullptr) driver.helpFile = helpFile;
  ASSERT_EQ(plat::AddPrinterDriver(driver), ERROR_SUCCESS);
}

// Adds a local printer of an installed driver.
inline void AddLocalPrinter(const char16_t* name, const char16_t* driverName, DWORD attributes = 0) {
  plat::PrinterSetup printer;
  printer.name = name;
  printer.driverName = driverName;
  printer.attributes = attributes;
  ASSERT_EQ(plat::AddPrinter(printer), ERROR_SUCCESS);
}

// Installs the driver and both printers on the current machine.
inline void AddPrinters() {
  ASSERT_NO_FATAL_FAILURE(AddKesmDriver(kDriverName, u"KESM4200.KPD", u"kesmus.hlp"));
  ASSERT_NO_FATAL_FAILURE(AddLocalPrinter(kLocalPrinter, kDriverName, PRINTER_ATTRIBUTE_ENABLE_BIDI));
  plat::PrinterSetup connection;
  connection.name = kConnection;
  connection.serverName = u"\\\\PRINTSRV";
  connection.driverName = kDriverName;
  ASSERT_EQ(plat::AddPrinter(connection), ERROR_SUCCESS);
}

// An open printer, closed at the end of the scope.
class Printer {
 public:
  explicit Printer(const char16_t* name) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(name, &handle_, &defaults)) handle_ = nullptr;
  }
  ~Printer() {
    if (handle_ != nullptr) ClosePrinter(handle_);
  }
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace storage_test
