#include "storage/system/printer_info.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/runtime/winmem.h"
#include "platform/spooler/winspool.h"
#include "tests/storage/printer_setup.h"
#include "settings/system/memptr.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::InOtherProcess;
using storage_test::Printer;

class PrinterInfo : public ::testing::Test {
 protected:
  void SetUp() override { storage_test::AddPrinters(); }
  plat::ScopedMachine machine_;
};

TEST_F(PrinterInfo, BlocksHoldTheSpoolersInformation) {
  Printer printer(storage_test::kLocalPrinter);
  auto* info = static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer.get(), 2));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(std::u16string(info->pPrinterName), storage_test::kLocalPrinter);
  EXPECT_EQ(info->pServerName, nullptr);
  FreeMemPtr(info);

  auto* driver = static_cast<DRIVER_INFO_3W*>(GetPrinterDriverInfo(printer.get(), 3));
  ASSERT_NE(driver, nullptr);
  EXPECT_EQ(std::u16string(driver->pDriverPath), plat::DriverFilesDirectory() + u"\\kesmgr.dll");
  FreeMemPtr(driver);

  EXPECT_EQ(GetPrinterInfo(nullptr, 2), nullptr);
  EXPECT_EQ(GetPrinterInfo(printer.get(), 7), nullptr);  // a level the spooler lacks
  EXPECT_EQ(GetPrinterDriverInfo(nullptr, 3), nullptr);
}

TEST_F(PrinterInfo, NothingIsKeptWhenMemoryRunsOut) {
  Printer printer(storage_test::kLocalPrinter);
  const std::size_t live = plat::LiveBlocks();
  plat::FailAllocationAt(1);
  EXPECT_EQ(GetPrinterInfo(printer.get(), 2), nullptr);
  EXPECT_EQ(plat::LiveBlocks(), live);
}

TEST_F(PrinterInfo, AttributesOfTheContextsPrinter) {
  Printer local(storage_test::kLocalPrinter);
  storage_test::Context context;
  context->hPrinter = local.get();
  EXPECT_TRUE(IsAttrBidiEnable(context.get()));
  EXPECT_TRUE(
      IsPrinterAttrEnable(PRINTER_ATTRIBUTE_SHARED | PRINTER_ATTRIBUTE_ENABLE_BIDI, context.get()));
  EXPECT_FALSE(IsPrinterAttrEnable(PRINTER_ATTRIBUTE_SHARED, context.get()));

  Printer connection(storage_test::kConnection);
  context->hPrinter = connection.get();
  EXPECT_FALSE(IsAttrBidiEnable(context.get()));
  context->hPrinter = nullptr;  // information that cannot be read
  EXPECT_FALSE(IsPrinterAttrEnable(0xFFFFFFFF, context.get()));
  EXPECT_FALSE(IsAttrBidiEnable(nullptr));
}

// The first printer that answers decides for the whole process.
TEST_F(PrinterInfo, TheClientDriverAnswerIsTheFirstPrintersForTheProcess) {
  struct Case {
    const char16_t* first;
    const char16_t* expected;  // first, then a null handle and the other printer
  };
  const Case cases[] = {
      {storage_test::kConnection, u"1111"},
      {storage_test::kLocalPrinter, u"0000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InOtherProcess([&] {
                Printer first(c.first);
                Printer other(c.first == storage_test::kConnection ? storage_test::kLocalPrinter
                                                                   : storage_test::kConnection);
                storage_test::Context context;
                context->hPrinter = other.get();
                return std::u16string{IsServerNameEnable2(first.get()) ? u'1' : u'0',
                                      IsClientDriver2(nullptr) ? u'1' : u'0',
                                      IsClientDriver(context.get()) ? u'1' : u'0',
                                      IsServerNameEnable(context.get()) ? u'1' : u'0'};
              }),
              c.expected);
  }
}

TEST_F(PrinterInfo, AnUnreadablePrinterLeavesTheClientAnswerOpen) {
  EXPECT_EQ(InOtherProcess([] {
              Printer connection(storage_test::kConnection);
              return std::u16string{IsServerNameEnable2(nullptr) ? u'1' : u'0',
                                    IsServerDriver2(nullptr) ? u'1' : u'0',
                                    IsClientDriver2(connection.get()) ? u'1' : u'0'};
            }),
            u"011");
}

TEST_F(PrinterInfo, AdminChangeIsANonZeroPrinterDataWord) {
  Printer printer(storage_test::kLocalPrinter);
  DWORD value = 77;
  EXPECT_FALSE(IsAdminChange(printer.get(), &value));  // missing
  const DWORD cases[] = {0, 1, 0x100};
  for (DWORD stored : cases) {
    ASSERT_EQ(SetPrinterDataW(printer.get(), u"AdminChange", REG_BINARY,
                              reinterpret_cast<const BYTE*>(&stored), sizeof stored),
              ERROR_SUCCESS);
    EXPECT_EQ(IsAdminChange(printer.get(), &value), stored != 0 ? TRUE : FALSE);
    EXPECT_EQ(value, stored);
  }
  EXPECT_FALSE(IsAdminChange(printer.get(), nullptr));
}

}  // namespace
