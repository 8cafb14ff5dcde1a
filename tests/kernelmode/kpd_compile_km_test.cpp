// The description compiler as the kernel-mode build has it: wide names by
// the engine's code page and the data file named by the engine.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "settings/kpd/kpd_compile.h"
#include "settings/system/memptr.h"

namespace {

TEST(KernelCompiler, CompilesNamesAndVersionAsWideText) {
  const std::string text =
      "*FileVersion: 4.88\n*UIResDLLName: \"kesmm3res.dll\"\n"
      "*OpenUI *KPD_IDC_PRESET_COPIES: Numeric\n*NumericValue: \"1 1 99 1\"\n*CloseUI\n";
  const size_t before = plat::LiveBlocks();
  KpdCompileReport report{};
  WorkBKPD* work =
      WorkBKPD_CreateFromText(reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()), &report);
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(report.faultCount, 0u);
  EXPECT_EQ(std::u16string(work->header->version), u"4.88");
  ASSERT_NE(work->header->uiResDllName, nullptr);
  EXPECT_EQ(std::u16string(work->header->uiResDllName), u"kesmm3res.dll");
  ASSERT_NE(work->header->groups, nullptr);
  ASSERT_NE(work->header->groups->numeric, nullptr);
  EXPECT_EQ(work->header->groups->numeric->third, 99);
  WorkBKPD_Free(work);
  EXPECT_EQ(plat::LiveBlocks(), before);
}

TEST(KernelCompiler, DataFileNameComesFromTheEngine) {
  plat::ScopedMachine machine;
  plat::DriverSetup driver;
  driver.name = u"Kesm M3";
  driver.driverFile = u"kesmgr.dll";
  driver.dataFile = u"kesmm3.kpd";
  driver.configFile = u"kesmui.dll";
  ASSERT_EQ(plat::AddPrinterDriver(driver), ERROR_SUCCESS);
  plat::PrinterSetup printer;
  printer.name = u"Desk M3";
  printer.driverName = u"Kesm M3";
  ASSERT_EQ(plat::AddPrinter(printer), ERROR_SUCCESS);
  HANDLE handle = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  ASSERT_TRUE(OpenPrinterW(u"Desk M3", &handle, &defaults));
  LPWSTR path = GetDataFileName(handle);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(std::u16string(path), plat::DriverFilesDirectory() + u"\\kesmm3.kpd");
  FreeMemPtr(path);
  ClosePrinter(handle);
}

}  // namespace
