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

WorkBKPD* CompileWithoutFaults(const std::string& text) {
  KpdCompileReport report{};
  WorkBKPD* work =
      WorkBKPD_CreateFromText(reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()), &report);
  EXPECT_EQ(report.faultCount, 0u);
  return work;
}

TEST(KernelCompiler, CompilesNamesAndVersionAsWideText) {
  const std::string text =
      "*FileVersion: 4.88\n*UIResDLLName: \"kesmm3res.dll\"\n"
      "*OpenUI *KPD_IDC_PRESET_COPIES: Numeric\n*NumericValue: \"1 1 99 1\"\n*CloseUI\n";
  const size_t before = plat::LiveBlocks();
  WorkBKPD* work = CompileWithoutFaults(text);
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(std::u16string(work->header->version), u"4.88");
  ASSERT_NE(work->header->uiResDllName, nullptr);
  EXPECT_EQ(std::u16string(work->header->uiResDllName), u"kesmm3res.dll");
  ASSERT_NE(work->header->groups, nullptr);
  ASSERT_NE(work->header->groups->numeric, nullptr);
  EXPECT_EQ(work->header->groups->numeric->third, 99);
  WorkBKPD_Free(work);
  EXPECT_EQ(plat::LiveBlocks(), before);
}

// The constraint definitions look up tabs, controls and alerts in the
// static tables, which the kernel-mode build carries too.
TEST(KernelCompiler, CompilesConstraintsAndCommandTrees) {
  const std::string text =
      "*Judge 1=IsColour: KPD_IDC_PRESET_CHOICE_COLOR == DMCOLOR_COLOR\n"
      "*Action 1: { {KPD_IDD_DIALOG_OPTION 0} }\n"
      "*AlertAction 1: { {KPD_kdmPlexor NULL KPD_IDD_PRESET KPD_IDC_PRESET_COPIES} }\n"
      "*Alert 1: { {IsColour KPD_DuplexOnMessage MB_ICONSTOP MB_OK AlertAtOnce AlertAction1} }\n"
      "*CommandGroup: JobStart { Command : IsColour { Type : FontType } }\n";
  const size_t before = plat::LiveBlocks();
  WorkBKPD* work = CompileWithoutFaults(text);
  ASSERT_NE(work, nullptr);
  ASSERT_NE(work->judges, nullptr);
  EXPECT_EQ(work->judges->areaSize, 4 * sizeof(JudgeToken));
  ASSERT_NE(work->actions, nullptr);
  EXPECT_EQ(work->actions->first->targetId, 1011);
  EXPECT_EQ(work->actions->first->targetKind, kActionStop);
  ASSERT_NE(work->alertActions, nullptr);
  EXPECT_EQ(work->alertActions->first->tabId, 1001);
  EXPECT_EQ(work->alertActions->first->controlId, 2029);
  ASSERT_NE(work->alerts, nullptr);
  EXPECT_EQ(work->alerts->first->messageId, 320);
  ASSERT_NE(work->header->commandGroups[kBkpdJobStart], nullptr);
  EXPECT_EQ(work->header->commandGroups[kBkpdJobStart]->main->nested->condition, 1u);
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
