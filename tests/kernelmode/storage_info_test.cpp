// The storage queries that the rendering library shares: printer
// information through the graphics engine, and INI files never per user.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/system/sysfacts_control.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "storage/ini/ini_script.h"
#include "storage/system/printer_info.h"
#include "storage/system/system_info.h"
#include "tests/storage/printer_setup.h"

namespace {

class KernelPrinterInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(u"Kesm 4200 Series", u"KESM4200.KPD", nullptr));
    ASSERT_NO_FATAL_FAILURE(
        storage_test::AddLocalPrinter(u"Office [2F]", u"Kesm 4200 Series", PRINTER_ATTRIBUTE_ENABLE_BIDI));
    ASSERT_TRUE(OpenPrinterW(u"Office [2F]", &printer_, nullptr));
  }
  void TearDown() override { ClosePrinter(printer_); }

  plat::ScopedMachine machine_;
  HANDLE printer_ = nullptr;
};

TEST_F(KernelPrinterInfo, InformationComesFromTheEngineIntoPoolMemory) {
  const std::size_t live = plat::LiveBlocks();
  auto* info = static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer_, 2));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(std::u16string(info->pPrinterName), u"Office [2F]");
  EXPECT_EQ(plat::LiveBlocks(), live + 1);
  FreeMemPtr(info);
  EXPECT_EQ(plat::LiveBlocks(), live);
  EXPECT_EQ(plat::InvalidFrees(), 0u);  // an engine-pool block, freed as one

  WORKAREA work{};
  UCB ucb{};
  ucb.hPrinter = printer_;
  ucb.pWork = &work;
  EXPECT_TRUE(IsAttrBidiEnable(&ucb));
  EXPECT_FALSE(IsClientDriver(&ucb));
}

TEST_F(KernelPrinterInfo, IniFilesAreNeverPerUser) {
  ASSERT_TRUE(plat::SetTerminalServer(true));
  EXPECT_FALSE(IsSupportIniAccessPerUser(nullptr));
  std::u16string section = u"Office [2F]";
  EXPECT_EQ(std::u16string(CnvSQUAREBRACKETS(section.data())), u"Office ,2F,");
}

}  // namespace
