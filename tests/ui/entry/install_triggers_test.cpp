// The install work the spooler's occasions trigger, each branch seen by
// what it records on a terminal server (where the shared settings INI
// records the install type of each step): the default DEVMODE of a new
// printer or of one whose batch install is done, the conversion of an
// earlier version's DEVMODE, and the connection and initialise events.
// Each case runs in a child process, which decides terminal-server mode
// afresh.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "jobsettings/devmode/devmode_layout.h"
#include "platform/files/winfile.h"
#include "platform/profile/winprofile.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/system/sysfacts_control.h"
#include "settings/system/unaligned.h"
#include "storage/install/drvinst_ini.h"
#include "tests/storage/storage_support.h"
#include "tests/ui/ui_machine.h"
#include "ui/entry/dll_entry.h"

namespace ui_test {
namespace {

constexpr LONG kDriverDevmode = 1236;
constexpr const char16_t* kSharedIni = u"C:\\_kesm\\kesmusr.ini";

class InstallTriggers : public UiMachine {
 public:
  static std::u16string Shared(const char16_t* key) {
    WCHAR text[64] = {};
    GetPrivateProfileStringW(kPrinter, key, u"<none>", text, 64, kSharedIni);
    return text;
  }
  void BatchInstallDone() {
    const DWORD done = 1;
    ASSERT_EQ(SetPrinterDataW(printer_, u"BatchInstallDone", REG_BINARY, reinterpret_cast<const BYTE*>(&done),
                              sizeof done),
              ERROR_SUCCESS);
  }
  // The shared INI forgets the install steps recorded so far.
  static void ForgetInstall() {
    for (const char16_t* key : {u"DrvInstType", u"DrvFirstInstTime", u"DrvInstTime"}) {
      WritePrivateProfileStringW(kPrinter, key, nullptr, kSharedIni);
    }
  }
  BOOL Default(Bytes& out) {
    out.assign(kDriverDevmode, 0);
    LONG size = kDriverDevmode;
    return DrvConvertDevMode(const_cast<LPWSTR>(kPrinter), nullptr, Dm(out), &size, CDM_DRIVER_DEFAULT);
  }
  // Converts the driver default stating an earlier private version.
  // The administrator's driver-install INI, with a section for the printer
  // that still asks for a user id to be set.
  static std::u16string DrvInstIni() {
    WCHAR path[MAX_PATH] = {};
    GetDrvInstIniFilePathWithoutUCB(path, MAX_PATH);
    return path;
  }
  BOOL ConvertFrom(DWORD version, bool drvInstPending = false) {
    Bytes in;
    if (!Default(in)) return FALSE;
    ForgetInstall();
    if (drvInstPending && !WritePrivateProfileStringW(kPrinter, u"SetUserID", u"anna", DrvInstIni().c_str())) {
      return FALSE;
    }
    StoreLE<DWORD>(Dm(in), kOffDwVersion, version);
    Bytes out(kDriverDevmode, 0);
    Dm(out)->dmSize = 220;
    Dm(out)->dmDriverExtra = 1016;
    LONG size = kDriverDevmode;
    return DrvConvertDevMode(const_cast<LPWSTR>(kPrinter), Dm(in), Dm(out), &size, CDM_CONVERT);
  }
  BOOL Event(int event) { return DrvPrinterEvent(const_cast<LPWSTR>(kPrinter), event, 0, 0); }
};

TEST_F(InstallTriggers, EachBranchRecordsItsInstall) {
  struct Case {
    const char* what;
    std::function<void(InstallTriggers&)> act;
    std::u16string type;       // DrvInstType of the shared INI afterwards
    bool firstInstallStamped;  // DrvFirstInstTime written
  };
  const Case cases[] = {
      {"the default DEVMODE of a new printer installs it", [](InstallTriggers& t) {
         Bytes out;
         EXPECT_TRUE(t.Default(out));
       }, u"1", true},
      {"once its batch install is done, the default installs nothing", [](InstallTriggers& t) {
         Bytes out;
         ASSERT_TRUE(t.Default(out));
         ASSERT_EQ(plat::SetStoredDevModeBytes(kPrinter, out), ERROR_SUCCESS);  // as the spooler keeps it
         t.BatchInstallDone();
         t.ForgetInstall();
         out.assign(out.size(), 0);
         EXPECT_TRUE(t.Default(out));
         EXPECT_EQ(Dm(out)->dmSize, 220);
         EXPECT_EQ(Dm(out)->dmDriverExtra, 1016);
       }, u"<none>", false},
      {"an earlier major version is installed anew", [](InstallTriggers& t) { EXPECT_TRUE(t.ConvertFrom(210)); },
       u"1", false},
      {"an earlier minor version is upgraded", [](InstallTriggers& t) { EXPECT_TRUE(t.ConvertFrom(305)); }, u"2",
       false},
      {"this version is brought up to date", [](InstallTriggers& t) { EXPECT_TRUE(t.ConvertFrom(310)); }, u"2",
       false},
      {"a pending driver-install section is installed first", [](InstallTriggers& t) {
         EXPECT_TRUE(t.ConvertFrom(305, true));
       }, u"3", false},
      {"a new connection is installed", [](InstallTriggers& t) { EXPECT_TRUE(t.Event(PRINTER_EVENT_ADD_CONNECTION)); },
       u"1", false},
      {"an initialised printer is installed", [](InstallTriggers& t) {
         EXPECT_TRUE(t.Event(PRINTER_EVENT_INITIALIZE));
       }, u"1", false},
      {"once its batch install is done, initialising installs nothing", [](InstallTriggers& t) {
         t.BatchInstallDone();
         EXPECT_TRUE(t.Event(PRINTER_EVENT_INITIALIZE));
       }, u"<none>", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    storage_test::InChild([&] {
      ASSERT_TRUE(plat::SetTerminalServer(true));
      // The cases share the machine: each starts from a printer whose
      // install nothing has recorded yet.
      ForgetInstall();
      DeletePrinterDataW(printer_, u"BatchInstallDone");
      DeleteFileW(DrvInstIni().c_str());
      c.act(*this);
      EXPECT_EQ(Shared(u"DrvInstType"), c.type);
      EXPECT_EQ(Shared(u"DrvFirstInstTime") != u"<none>", c.firstInstallStamped);
    });
  }
}

}  // namespace
}  // namespace ui_test
