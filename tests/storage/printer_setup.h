// Printers of the fictional Kesm 4200 driver for the storage tests: a local
// printer whose name holds brackets and that enables bidi, and a connection
// to a print server's printer.
#pragma once

#include <gtest/gtest.h>

#include "platform/spoolsetup.h"
#include "platform/winerror.h"
#include "platform/winspool.h"

namespace storage_test {

inline constexpr const char16_t* kDriverName = u"Kesm 4200 Series";
inline constexpr const char16_t* kLocalPrinter = u"Office [2F]";
inline constexpr const char16_t* kConnection = u"\\\\PRINTSRV\\Floor3";

// Installs the driver and both printers on the current machine.
inline void AddPrinters() {
  plat::DriverSetup driver;
  driver.name = kDriverName;
  driver.driverFile = u"kesmgr.dll";
  driver.dataFile = u"KESM4200.KPD";
  driver.configFile = u"kesmui.dll";
  driver.helpFile = u"kesmus.hlp";
  ASSERT_EQ(plat::AddPrinterDriver(driver), ERROR_SUCCESS);
  plat::PrinterSetup local;
  local.name = kLocalPrinter;
  local.driverName = kDriverName;
  local.attributes = PRINTER_ATTRIBUTE_ENABLE_BIDI;
  ASSERT_EQ(plat::AddPrinter(local), ERROR_SUCCESS);
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
