#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/engine/eng_printer.h"
#include "tests/platform/spooler/spool_fixture.h"

namespace {

class EngPrinterTest : public SpoolerTest {};

HDEV DeviceOf(const Printer& printer) { return reinterpret_cast<HDEV>(printer.get()); }

TEST_F(EngPrinterTest, GetPrinterProbesWithError122AndFillsLikeTheSpooler) {
  Printer printer(kLocalPrinter);
  DWORD engineNeeded = 0, spoolerNeeded = 0;
  EngSetLastError(0);
  EXPECT_FALSE(EngGetPrinter(printer.get(), 2, nullptr, 0, &engineNeeded));
  EXPECT_EQ(EngGetLastError(), 122u);
  EXPECT_FALSE(GetPrinterW(printer.get(), 2, nullptr, 0, &spoolerNeeded));
  EXPECT_EQ(engineNeeded, spoolerNeeded);

  std::vector<BYTE> buffer(engineNeeded);
  ASSERT_TRUE(EngGetPrinter(printer.get(), 2, buffer.data(), engineNeeded, &engineNeeded));
  PRINTER_INFO_2W info;
  std::memcpy(&info, buffer.data(), sizeof info);
  EXPECT_EQ(Text(info.pPrinterName), kLocalPrinter);
  EXPECT_EQ(info.Attributes & PRINTER_ATTRIBUTE_ENABLE_BIDI, PRINTER_ATTRIBUTE_ENABLE_BIDI);
  EXPECT_FALSE(EngGetPrinter(reinterpret_cast<HANDLE>(0x4444), 2, nullptr, 0, &engineNeeded));
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(EngPrinterTest, GetPrinterDataReturnsTheSpoolersCodes) {
  Printer admin(kLocalPrinter);
  const std::u16string logName = u"kesmgr.log";
  const auto* bytes = reinterpret_cast<const BYTE*>(logName.c_str());
  const DWORD size = static_cast<DWORD>((logName.size() + 1) * sizeof(WCHAR));
  ASSERT_EQ(SetPrinterDataW(admin.get(), u"LogFileName", REG_SZ, bytes, size), ERROR_SUCCESS);

  Printer printer(kLocalPrinter, PRINTER_ACCESS_USE);
  DWORD type = 0, needed = 0;
  WCHAR text[32] = {};
  EXPECT_EQ(EngGetPrinterData(printer.get(), u"LogFileName", &type, nullptr, 0, &needed),
            ERROR_MORE_DATA);
  EXPECT_EQ(needed, size);
  EXPECT_EQ(EngGetPrinterData(printer.get(), u"LogFileName", &type,
                              reinterpret_cast<LPBYTE>(text), 260, &needed),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(std::u16string(text), logName);
  EXPECT_EQ(EngGetPrinterData(printer.get(), u"DriverName", &type,
                              reinterpret_cast<LPBYTE>(text), 64, &needed),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(EngPrinterTest, DriverFilePathsStayPutForTheDevice) {
  Printer printer(kLocalPrinter, PRINTER_ACCESS_USE);
  const std::u16string dir = u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\";
  LPWSTR data = EngGetPrinterDataFileName(DeviceOf(printer));
  LPWSTR driver = EngGetDriverName(DeviceOf(printer));
  ASSERT_NE(data, nullptr);
  ASSERT_NE(driver, nullptr);
  EXPECT_EQ(std::u16string(data), dir + u"KESM4510.KPD");
  EXPECT_EQ(std::u16string(driver), dir + u"kesmgr.dll");
  EXPECT_EQ(EngGetPrinterDataFileName(DeviceOf(printer)), data);
  EXPECT_EQ(EngGetDriverName(DeviceOf(printer)), driver);

  Printer connection(kConnection);
  LPWSTR other = EngGetPrinterDataFileName(DeviceOf(connection));
  ASSERT_NE(other, nullptr);
  EXPECT_NE(other, data);  // each device owns its strings
  EXPECT_EQ(std::u16string(other), std::u16string(data));

  EXPECT_EQ(EngGetPrinterDataFileName(reinterpret_cast<HDEV>(0x4444)), nullptr);
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(EngGetDriverName(nullptr), nullptr);
}

}  // namespace
