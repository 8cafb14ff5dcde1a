// A printer of our driver on the current test machine, as the tests that
// print through it install one: the description copied into the driver
// files folder under its data-file name, the driver with our two libraries
// and that data file, and a local printer of it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/base/winerror.h"
#include "platform/spooler/spoolsetup.h"

namespace kesm_test {

// Fails the test (fatally) when a step fails; call it under
// ASSERT_NO_FATAL_FAILURE.
inline void AddDriverPrinter(const char* description, const char16_t* dataFile, const char16_t* driverName,
                             const char16_t* printerName) {
  std::error_code error;
  std::filesystem::copy_file(description, plat::DriverFilesFolder() / std::filesystem::path(dataFile), error);
  ASSERT_FALSE(error) << error.message();
  plat::DriverSetup driver;
  driver.name = driverName;
  driver.driverFile = u"kesmgr.dll";
  driver.dataFile = dataFile;
  driver.configFile = u"kesmui.dll";
  ASSERT_EQ(plat::AddPrinterDriver(driver), ERROR_SUCCESS);
  plat::PrinterSetup printer;
  printer.name = printerName;
  printer.driverName = driverName;
  ASSERT_EQ(plat::AddPrinter(printer), ERROR_SUCCESS);
}

}  // namespace kesm_test
