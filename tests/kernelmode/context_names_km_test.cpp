// Names and paths of a printer context in the rendering library's build.
#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/text_language.h"
#include "tests/settings/context/hand_context.h"
#include "tests/storage/printer_setup.h"

namespace {

using KmContext = kesm_test::HandContext;

std::u16string Text(LPCWSTR s) { return s == nullptr ? u"(null)" : std::u16string(s); }

TEST(KmContextNames, PrinterNameFallsBackToTheDevmodeDeviceName) {
  plat::ScopedMachine machine;
  KmContext c(nullptr);
  std::memcpy(c.dcb().devmode, u"Lobby KX", sizeof u"Lobby KX");
  EXPECT_EQ(Text(GetPrinterName(c.ucb())), u"Lobby KX");
  EXPECT_EQ(Text(GetRealDriverName(c.ucb())), u"US");
}

TEST(KmContextNames, PathsComeFromTheDataFileAndTheSentIniPath) {
  plat::ScopedMachine machine;
  KmContext c(nullptr);
  std::u16string data = u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\KESM4510.KPD";
  data.copy(c.work().szDataFileName, data.size());
  EXPECT_EQ(Text(GetInstallDirectory(c.ucb())), u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\");
  EXPECT_EQ(Text(GetIniFilePath(c.ucb())), u"C:\\Windows\\System32\\kesmusr.ini");
  // A path user mode sent stays.
  const std::u16string sent = u"D:\\u\\kesmusr.ini";
  sent.copy(c.work().szIniFilePath, sent.size());
  c.work().szIniFilePath[sent.size()] = 0;
  EXPECT_EQ(Text(GetIniFilePath(c.ucb())), sent);
}

TEST(KmContextNames, DriverLanguageIsThePrintersHelpFileLanguage) {
  plat::ScopedMachine machine;
  ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(u"Talvo KX", u"KESM4510.KPD", nullptr));
  ASSERT_NO_FATAL_FAILURE(storage_test::AddLocalPrinter(u"Office KX", u"Talvo KX"));
  HANDLE handle = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  ASSERT_TRUE(OpenPrinterW(u"Office KX", &handle, &defaults));
  const std::u16string help = u"kesmhlsw.hlp";
  ASSERT_EQ(SetPrinterDataW(handle, u"HelpFileName", REG_SZ, reinterpret_cast<const BYTE*>(help.c_str()),
                            static_cast<DWORD>((help.size() + 1) * sizeof(WCHAR))),
            ERROR_SUCCESS);
  KmContext c(handle);
  c.work().wOpenKind = 1;
  EXPECT_EQ(Text(SetDriverName(c.ucb())), u"sw");
  EXPECT_EQ(Text(GetPrinterName(c.ucb())), u"Office KX");
  EXPECT_EQ(Text(GetRealDriverName(c.ucb())), u"Talvo KX");
  ClosePrinter(handle);
}

TEST(KmTextConversion, TheEngineCutsAtAWholeCharacter) {
  char buffer[4];
  std::memset(buffer, '#', sizeof buffer);
  CopyUnicode2Str(buffer, u"abcdef", 3);
  EXPECT_STREQ(buffer, "ab");
  EXPECT_EQ(buffer[3], '#');
  WCHAR wide[4];
  CopyStr2Unicode(wide, "xyz12", 4);
  EXPECT_EQ(Text(wide), u"xyz");
}

}  // namespace
