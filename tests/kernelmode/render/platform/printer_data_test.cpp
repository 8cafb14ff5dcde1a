// Printer data as the rendering library uses it: the recorded driver name
// read through the engine, writes that never happen, and the bidi flag of
// the printer's section of the bidi fallback INI.
#include "render/platform/printer_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "render/platform/bidi_flag.h"
#include "settings/context/context_block.h"
#include "tests/platform/drive_files.h"
#include "tests/settings/context/hand_context.h"
#include "tests/storage/printer_setup.h"

namespace {

class KernelPrinterData : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(u"Talvo KX", u"KESM4510.KPD", nullptr));
    ASSERT_NO_FATAL_FAILURE(storage_test::AddLocalPrinter(u"Office KX", u"Talvo KX"));
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(u"Office KX", &printer_, &defaults));
  }
  void TearDown() override { ClosePrinter(printer_); }

  void SetDriverName(const std::u16string& name) {
    ASSERT_EQ(SetPrinterDataW(printer_, u"DriverName", REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                              static_cast<DWORD>((name.size() + 1) * sizeof(WCHAR))),
              ERROR_SUCCESS);
  }

  plat::ScopedMachine machine_;
  HANDLE printer_ = nullptr;
};

TEST_F(KernelPrinterData, TheRecordedDriverNameGoesToTheBufferOrTheWorkArea) {
  kesm_test::HandContext c(printer_);
  WCHAR name[kDriverNameChars] = {};
  EXPECT_FALSE(GetDriverNameFromReg(printer_, name, c.ucb()));  // not recorded
  SetDriverName(u"Talvo KX Recorded");
  ASSERT_TRUE(GetDriverNameFromReg(printer_, name, c.ucb()));
  EXPECT_EQ(std::u16string(name), u"Talvo KX Recorded");
  ASSERT_TRUE(GetDriverNameFromReg(printer_, nullptr, c.ucb()));
  EXPECT_EQ(std::u16string(c.work().szDriverName), u"Talvo KX Recorded");
  EXPECT_FALSE(GetDriverNameFromReg(printer_, nullptr, nullptr));
  // 31 characters and the terminator take the 64 bytes; one more does not fit.
  SetDriverName(std::u16string(31, u'n'));
  EXPECT_TRUE(GetDriverNameFromReg(printer_, name, c.ucb()));
  SetDriverName(std::u16string(32, u'n'));
  EXPECT_FALSE(GetDriverNameFromReg(printer_, name, c.ucb()));
}

TEST_F(KernelPrinterData, PrinterDataIsNeverWritten) {
  const DWORD value = 1;
  EXPECT_FALSE(MyEngSetPrinterData(printer_, u"BidiFlag", REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof value));
  DWORD type = 0;
  DWORD read = 0;
  DWORD needed = 0;
  EXPECT_EQ(GetPrinterDataW(printer_, u"BidiFlag", &type, reinterpret_cast<BYTE*>(&read), sizeof read, &needed),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(KernelPrinterData, TheBidiFlagComesFromThePrintersSectionOfTheBidiFile) {
  kesm_test::HandContext c(nullptr);
  std::memcpy(c.dcb().devmode, u"Office [2F]", sizeof u"Office [2F]");  // the printer's name
  const std::u16string install = u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\";
  install.copy(c.work().szInstallDirectory, install.size());
  const struct {
    const char* file;  // null: no file
    BOOL flag;
  } cases[] = {
      {"[Office ,2F,]\r\nBidiFlag=1\r\n", TRUE},
      {"[Office ,2F,]\r\nBidiFlag=0\r\n", FALSE},
      {"[Office ,2F,]\r\nBidiFunc=3\r\n[Other]\r\nBidiFlag=1\r\n", FALSE},
      {"[Other]\r\nBidiFlag=1\r\n", FALSE},
      {nullptr, FALSE},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.file != nullptr ? k.file : "no file");
    std::filesystem::remove(drive::Host("Windows/System32/kesmbid.ini"));
    if (k.file != nullptr) drive::Put("Windows/System32/kesmbid.ini", k.file);
    EXPECT_EQ(KMGetBidiFlagDataFromFile(c.ucb()), k.flag);
  }
  // Without an install directory the file cannot be named.
  drive::Put("Windows/System32/kesmbid.ini", "[Office ,2F,]\r\nBidiFlag=1\r\n");
  c.work().szInstallDirectory[0] = 0;
  EXPECT_FALSE(KMGetBidiFlagDataFromFile(c.ucb()));
}

}  // namespace
