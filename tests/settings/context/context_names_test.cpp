// Names and paths of a printer context, from the spooler of a test machine.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/system/sysfacts_control.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/system/system_info.h"
#include "tests/settings/context/hand_context.h"
#include "tests/storage/printer_setup.h"

namespace {

constexpr const char16_t* kDriver = u"Talvo KX-4510 KPD";
constexpr const char16_t* kPrinter = u"Office KX";

// A context as the open leaves it, on the test's printer, with, when given,
// a compiled description that names its resource library.
struct TestContext : kesm_test::HandContext {
  using HandContext::HandContext;
  void SetLanguage(BYTE number) { dcb().devmode[KDM_OFFSET(kdmLanguageID)] = number; }
};

class ContextNames : public ::testing::Test {
 protected:
  void SetUp() override {
    // Terminal-server mode is decided once per process; earlier tests of
    // this process may have decided it for another machine.
    ForgetPerUserIniAnswer();
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(kDriver, u"KESM4510.KPD", u"kesmhlgm.hlp"));
    ASSERT_NO_FATAL_FAILURE(storage_test::AddLocalPrinter(kPrinter, kDriver));
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(kPrinter, &printer_, &defaults));
  }
  void TearDown() override { ClosePrinter(printer_); }

  void SetHelpFileValue(std::u16string_view name) {
    const std::u16string value(name);
    ASSERT_EQ(SetPrinterDataW(printer_, u"HelpFileName", REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR))),
              ERROR_SUCCESS);
  }
  std::u16string DriverFolder() const { return plat::DriverFilesDirectory() + u"\\"; }

  plat::ScopedMachine machine_;
  HANDLE printer_ = nullptr;
};

std::u16string Text(LPCWSTR s) { return s == nullptr ? u"(null)" : std::u16string(s); }
// For failure messages: the name with non-ASCII characters as '?'.
std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t ch : s) out += ch < 0x80 ? static_cast<char>(ch) : '?';
  return out;
}

TEST_F(ContextNames, PrinterAndDriverNamesComeFromTheSpooler) {
  TestContext c(printer_);
  EXPECT_EQ(Text(GetPrinterName(c.ucb())), kPrinter);
  EXPECT_EQ(Text(GetRealDriverName(c.ucb())), kDriver);
  // Fetched once: the fields answer from then on.
  c.ucb()->hPrinter = nullptr;
  EXPECT_EQ(Text(GetPrinterName(c.ucb())), kPrinter);
  EXPECT_EQ(Text(GetRealDriverName(c.ucb())), kDriver);
}

TEST_F(ContextNames, NoDriverNameFromTheSpoolerGivesUS) {
  TestContext c(nullptr);
  EXPECT_EQ(Text(GetRealDriverName(c.ucb())), u"US");
  EXPECT_EQ(Text(GetPrinterName(c.ucb())), u"");
}

TEST_F(ContextNames, AContextWithoutWorkAreaHasNoNames) {
  UCB bare{};
  EXPECT_EQ(GetPrinterName(&bare), nullptr);
  EXPECT_EQ(GetIniFilePath(&bare), nullptr);
  EXPECT_EQ(GetResDllName(nullptr), nullptr);
}

TEST_F(ContextNames, PrinterNameWithoutContextNeedsRoomForItsTerminator) {
  const DWORD length = std::u16string_view(kPrinter).size();
  struct Case {
    DWORD size;
    bool copied;
  };
  for (const Case k : {Case{length, false}, Case{length + 1, true}}) {
    WCHAR buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(GetPrinterNameWithoutUCB(printer_, buffer, k.size), buffer);
    EXPECT_EQ(buffer[0] == u'#', !k.copied) << k.size;
    EXPECT_EQ(buffer[length + 1], u'#');
  }
  EXPECT_EQ(GetPrinterNameWithoutUCB(printer_, nullptr, 32), nullptr);
}

TEST_F(ContextNames, DriverLanguageFollowsHelpFilesAndTheLanguageSetting) {
  SetHelpFileValue(u"kesmhlfr.hlp");
  TestContext c(printer_);
  c.work().wOpenKind = 1;  // the driver's registered help file
  EXPECT_EQ(Text(SetDriverName(c.ucb())), u"gm");
  c.work().wOpenKind = 0;  // the printer's own help-file value
  EXPECT_EQ(Text(SetDriverName(c.ucb())), u"fr");
  c.SetLanguage(12);
  EXPECT_EQ(Text(GetDriverName(c.ucb())), u"pr");
  c.ucb()->pDCB = nullptr;  // no DEVMODE: the code stays
  EXPECT_EQ(Text(GetDriverName(c.ucb())), u"pr");
}

TEST_F(ContextNames, DriverFilesLiveInTheDriverDirectory) {
  TestContext c(printer_);
  EXPECT_EQ(Text(GetInstallDirectory(c.ucb())), DriverFolder());
  EXPECT_EQ(Text(GetDriverIniFilePath(c.ucb())), DriverFolder() + u"kesmdrv.ini");
  EXPECT_EQ(Text(GetKESMSETIniFilePath(c.ucb())), DriverFolder() + u"kesmset.INI");
  WCHAR buffer[MAX_PATH];
  GetInstallDirectoryWithoutUCB(printer_, buffer, 0);
  EXPECT_EQ(Text(buffer), DriverFolder());
}

TEST_F(ContextNames, WithoutDriverInformationTheSystemDirectoryStandsIn) {
  TestContext c(nullptr);
  EXPECT_EQ(Text(GetInstallDirectory(c.ucb())), u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\2\\");
  WCHAR buffer[MAX_PATH];
  GetInstallDirectoryWithoutUCB(nullptr, buffer, 0);
  EXPECT_EQ(Text(buffer), u"C:\\Windows\\System32\\");
}

TEST_F(ContextNames, LongSystemDirectoriesNeverOverflowTheFields) {
  // The install INI path is the system directory, 24 characters of driver
  // folder and 11 of name: 259 characters fit with the terminator.
  struct Case {
    std::size_t systemLength;
    bool fits;
  };
  for (const Case k : {Case{224, true}, Case{225, false}, Case{259, false}}) {
    // Folders of at most 100 characters, so the host can create them.
    std::u16string system = u"C:";
    while (system.size() < k.systemLength) {
      const std::size_t left = k.systemLength - system.size() - 1;
      system += u"\\" + std::u16string(std::min<std::size_t>(left, 100), u's');
    }
    ASSERT_TRUE(plat::SetWindowsDirectories(u"C:\\Windows", system.c_str()));
    TestContext c(nullptr);
    const std::u16string path = Text(GetKESMSETIniFilePath(c.ucb()));
    EXPECT_EQ(path.empty(), !k.fits) << k.systemLength;
    if (k.fits) {
      EXPECT_EQ(path.size(), 259u);
    }
  }
}

// Terminal-server mode is decided once per process, so each test sets it
// before the first path is asked for.
TEST_F(ContextNames, SettingsIniIsSharedOutsideTerminalServers) {
  TestContext c(printer_);
  EXPECT_EQ(Text(GetIniFilePath(c.ucb())), u"C:\\_kesm\\kesmusr.ini");
  WCHAR buffer[MAX_PATH];
  EXPECT_TRUE(GetIniFilePathWithoutUCB(buffer, 0, 0, printer_));
  EXPECT_EQ(Text(buffer), u"C:\\_kesm\\kesmusr.ini");
}

TEST_F(ContextNames, SettingsIniGoesPerUserOnTerminalServersUnlessTheModeSaysShared) {
  ASSERT_TRUE(plat::SetTerminalServer(true));
  struct Case {
    DWORD mode;
    const char16_t* path;
  };
  for (const Case k : {Case{0, u"C:\\Users\\User\\_kesm\\kesmusr.ini"}, Case{0x40000, u"C:\\_kesm\\kesmusr.ini"}}) {
    TestContext c(printer_);
    c.work().dwMode = k.mode;
    EXPECT_EQ(Text(GetIniFilePath(c.ucb())), k.path) << k.mode;
  }
  WCHAR buffer[MAX_PATH];
  EXPECT_TRUE(GetIniFilePathWithoutUCB(buffer, 0, 1, printer_));
  EXPECT_EQ(Text(buffer), u"C:\\Users\\User\\_kesm\\kesmusr.ini");
}

TEST_F(ContextNames, LibraryNamesTakeTheLanguageOfTheContext) {
  TestContext c(printer_);
  c.SetResDll(u"kesmrsus.DLL");
  c.SetLanguage(4);  // German
  EXPECT_EQ(Text(GetResDllName(c.ucb())), DriverFolder() + u"kesmrsgm.DLL");
  EXPECT_EQ(Text(GetBmpDllName(c.ucb())), DriverFolder() + u"kesmCsXX.DLL");
  EXPECT_EQ(Text(GetHelpFileName(c.ucb())), DriverFolder() + u"kesmrsgm.hlp");
  SetHelpFileValue(u"kesmhlus.hlp");
  EXPECT_EQ(Text(GetHelpFileName(c.ucb())), DriverFolder() + u"kesmhlus.hlp");
}

TEST_F(ContextNames, LibraryNamesTooShortToCarryTheLettersAreRefused) {
  struct Case {
    const char16_t* name;
    bool resolved;
    bool bitmap;
  };
  const Case cases[] = {
      {u"ab.dll", true, false}, {u"a.dll", false, false}, {u"kesmrs", false, false},
      {u"abcd.dll", true, true}, {u"abc.dll", true, false},
  };
  for (const auto& k : cases) {
    TestContext c(printer_);
    c.SetResDll(k.name);
    EXPECT_EQ(Text(GetResDllName(c.ucb())).empty(), !k.resolved) << Narrow(k.name);
    EXPECT_EQ(Text(GetBmpDllName(c.ucb())).empty(), !k.bitmap) << Narrow(k.name);
  }
  TestContext none(printer_);
  EXPECT_EQ(Text(GetResDllName(none.ucb())), u"");
  EXPECT_EQ(Text(GetHelpFileName(none.ucb())), u"");
}

TEST_F(ContextNames, JapaneseResourceLibraryMarksTheDomesticModel) {
  struct Case {
    const char16_t* name;
    BOOL dom;
  };
  for (const Case k : {Case{u"kesmrsJP.dll", 1}, Case{u"kesmrsJp.dll", 1}, Case{u"kesmrsjp.dll", 1},
                       Case{u"kesmrsus.dll", 0}, Case{u"jp", 0}}) {
    TestContext c(printer_);
    c.SetResDll(k.name);
    EXPECT_EQ(IsDOM(c.ucb()), k.dom) << Narrow(k.name);
  }
}

}  // namespace
