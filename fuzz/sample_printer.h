// The sample printer (the description kesmprint installs) on the current
// machine, for the fuzz targets that enable PDEVs: its description and a
// driver image in the driver folder, the driver and the printer installed
// and opened. The image is the built rendering library when given (its
// font resources are then there), else a stub that maps but holds none.
// Aborts when any step fails.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/base/winerror.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"

namespace fuzz {

inline constexpr const char16_t* kSamplePrinterName = u"Kesm Sample";

inline HANDLE OpenSamplePrinter(const char* description, const char* driverImage) {
  const std::filesystem::path folder = plat::DriverFilesFolder();
  std::error_code error;
  std::filesystem::copy_file(description, folder / "KESMS1.KPD", std::filesystem::copy_options::overwrite_existing,
                             error);
  if (!error && driverImage != nullptr) {
    std::filesystem::copy_file(driverImage, folder / "kesmgr.dll", std::filesystem::copy_options::overwrite_existing,
                               error);
  } else if (!error) {
    std::ofstream(folder / "kesmgr.dll", std::ios::binary) << "MZ";
  }
  if (error) std::abort();
  plat::DriverSetup driver;
  driver.name = u"Kesm S1";
  driver.driverFile = u"kesmgr.dll";
  driver.dataFile = u"KESMS1.KPD";
  driver.configFile = u"kesmui.dll";
  plat::PrinterSetup setup;
  setup.name = kSamplePrinterName;
  setup.driverName = driver.name;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (plat::AddPrinterDriver(driver) != ERROR_SUCCESS || plat::AddPrinter(setup) != ERROR_SUCCESS ||
      !OpenPrinterW(kSamplePrinterName, &printer, &defaults)) {
    std::abort();
  }
  return printer;
}

}  // namespace fuzz
