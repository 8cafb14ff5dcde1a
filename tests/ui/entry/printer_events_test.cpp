// Printer events and the driver upgrade: the result of every event, each
// run as the spooler itself and the client impersonated again afterwards,
// the events still run when the spooler library cannot revert, and the
// upgrade's refusals.
#include <gtest/gtest.h>

#include <fstream>
#include <new>

#include "platform/files/winfile.h"
#include "platform/modules/builtin_modules.h"
#include "platform/security/winsecurity.h"
#include "platform/system/sysfacts_control.h"
#include "platform/sync/winprocess.h"
#include "storage/files/path_builders.h"
#include "tests/storage/storage_support.h"
#include "tests/ui/ui_machine.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/printer_events.h"
#include "ui/ts_modify.h"

namespace ui_test {
namespace {

class PrinterEvents : public UiMachine {
 protected:
  void TearDown() override {
    RevertToSelf();
    plat::RegisterBuiltinModule(u"spoolss.dll", plat::SpoolssExports());
    UiMachine::TearDown();
  }
  static bool Impersonating() {
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) return false;
    CloseHandle(token);
    return true;
  }
  BOOL Event(LPCWSTR name, int event) {
    const DWORD open = OpenContexts();
    const BOOL r = DrvPrinterEvent(const_cast<LPWSTR>(name), event, 0, 0);
    EXPECT_EQ(OpenContexts(), open);
    EXPECT_EQ(UCBTSModify, 0u);
    return r;
  }
};

TEST_F(PrinterEvents, EveryEventAnswersAndTheClientIsImpersonatedAgain) {
  struct Case {
    LPCWSTR printer;
    int event;
    BOOL result;
  };
  const Case cases[] = {
      {kPrinter, PRINTER_EVENT_ADD_CONNECTION, TRUE},
      {kPrinter, PRINTER_EVENT_INITIALIZE, TRUE},
      {kPrinter, PRINTER_EVENT_CACHE_REFRESH, TRUE},
      {kPrinter, PRINTER_EVENT_DELETE_CONNECTION, TRUE},
      {kPrinter, PRINTER_EVENT_DELETE, TRUE},
      {kPrinter, 0, TRUE},
      {kPrinter, 99, TRUE},
      {u"No Such Printer", PRINTER_EVENT_ADD_CONNECTION, FALSE},
      {u"No Such Printer", PRINTER_EVENT_INITIALIZE, FALSE},
      {u"No Such Printer", PRINTER_EVENT_CACHE_REFRESH, FALSE},
      {u"No Such Printer", PRINTER_EVENT_DELETE_CONNECTION, TRUE},
      {nullptr, PRINTER_EVENT_ADD_CONNECTION, FALSE},
      {nullptr, PRINTER_EVENT_DELETE_CONNECTION, TRUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    ASSERT_TRUE(ImpersonateSelf(SecurityImpersonation));
    EXPECT_EQ(Event(c.printer, c.event), c.result);
    EXPECT_TRUE(Impersonating()) << "the client is impersonated again";
    RevertToSelf();
  }
}

TEST_F(PrinterEvents, RevertAndImpersonateThroughTheSpoolerLibrary) {
  EXPECT_EQ(MyRevertToPrinterSelf(), nullptr) << "nobody impersonated";
  EXPECT_FALSE(MyImpersonatePrinterClient(nullptr));
  ASSERT_TRUE(ImpersonateSelf(SecurityImpersonation));
  const HANDLE token = MyRevertToPrinterSelf();
  ASSERT_NE(token, nullptr);
  EXPECT_FALSE(Impersonating());
  EXPECT_TRUE(MyImpersonatePrinterClient(token));
  EXPECT_TRUE(Impersonating());
}

TEST_F(PrinterEvents, WithoutTheSpoolerCallsTheEventStillRuns) {
  plat::RegisterBuiltinModule(u"spoolss.dll", {});
  ASSERT_TRUE(ImpersonateSelf(SecurityImpersonation));
  EXPECT_EQ(MyRevertToPrinterSelf(), nullptr);
  EXPECT_TRUE(Impersonating()) << "nothing reverted";
  EXPECT_TRUE(Event(kPrinter, PRINTER_EVENT_INITIALIZE));
}

// A user-profile library that runs out of memory when it is asked.
int gProfileQueries = 0;
BOOL ProfileOutOfMemory(HANDLE, LPWSTR, LPDWORD) {
  ++gProfileQueries;
  throw std::bad_alloc();
}
const plat::BuiltinExport kFailingUserEnv[] = {
    {"GetUserProfileDirectoryW", reinterpret_cast<FARPROC>(ProfileOutOfMemory)}};

// An event that fails on its way (here: on a terminal server, the user's
// profile cannot be had for the user's own settings, and the cache refresh
// runs out of memory) fails, and still hands the thread back impersonating
// the client. The child process decides terminal-server mode afresh.
TEST_F(PrinterEvents, AFailureInsideTheEventStillImpersonatesTheClientAgain) {
  storage_test::InChild([this] {
    ASSERT_TRUE(plat::SetTerminalServer(true));
    ASSERT_TRUE(plat::RegisterBuiltinModule(u"UserEnv.dll", kFailingUserEnv));
    ASSERT_TRUE(ImpersonateSelf(SecurityImpersonation));
    SetLastError(0);
    EXPECT_FALSE(Event(kPrinter, PRINTER_EVENT_CACHE_REFRESH));
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_GT(gProfileQueries, 0) << "the failure came from inside the event";
    EXPECT_TRUE(Impersonating()) << "the client is impersonated again";
    RevertToSelf();
  });
}

// Every event whose work fails on the way leaves no printer context open
// (Event counts them) and no terminal-server mark behind.
TEST_F(PrinterEvents, AnEventThatFailsOnItsWayLeavesNoContextOpen) {
  for (const int event : {PRINTER_EVENT_ADD_CONNECTION, PRINTER_EVENT_INITIALIZE, PRINTER_EVENT_CACHE_REFRESH,
                          PRINTER_EVENT_DELETE_CONNECTION, PRINTER_EVENT_DELETE}) {
    SCOPED_TRACE(event);
    storage_test::InChild([this, event] {
      ASSERT_TRUE(plat::SetTerminalServer(true));
      ASSERT_TRUE(plat::RegisterBuiltinModule(u"UserEnv.dll", kFailingUserEnv));
      Event(kPrinter, event);
    });
  }
}

// A connection's cache refresh copies the driver's shared libraries from
// the driver folder into the system folder, where its clients load them.
TEST_F(PrinterEvents, ACacheRefreshCopiesTheDriversLibrariesIntoPlace) {
  std::ofstream(plat::DriverFilesFolder() / "kesmcmn.dll", std::ios::binary) << "common library";
  WCHAR target[MAX_PATH] = {};
  ASSERT_NE(AddSystemDirToFileName(target, MAX_PATH, u"kesmcmn.dll"), nullptr);
  EXPECT_EQ(GetFileAttributesW(target), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Event(kPrinter, PRINTER_EVENT_CACHE_REFRESH));
  EXPECT_NE(GetFileAttributesW(target), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PrinterEvents, TheUpgradeRecordsTheDriverDataOrRefuses) {
  DRIVER_UPGRADE_INFO_1 info{const_cast<LPWSTR>(kPrinter), nullptr};
  DRIVER_UPGRADE_INFO_1 unknown{const_cast<LPWSTR>(u"No Such Printer"), nullptr};
  DRIVER_UPGRADE_INFO_1 unnamed{nullptr, nullptr};
  struct Case {
    DWORD level;
    DRIVER_UPGRADE_INFO_1* info;
  };
  for (const Case& c : {Case{2, &info}, Case{0, &info}, Case{1, nullptr}, Case{1, &unknown}, Case{1, &unnamed}}) {
    SCOPED_TRACE(c.level);
    SetLastError(0);
    EXPECT_FALSE(DrvUpgradePrinter(c.level, reinterpret_cast<LPBYTE>(c.info)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  const DWORD open = OpenContexts();
  EXPECT_TRUE(DrvUpgradePrinter(1, reinterpret_cast<LPBYTE>(&info)));
  EXPECT_EQ(OpenContexts(), open);
  WCHAR value[MAX_PATH] = {};
  DWORD type = 0;
  DWORD needed = 0;
  EXPECT_EQ(GetPrinterDataW(printer_, u"DriverGRFileName", &type, reinterpret_cast<LPBYTE>(value), sizeof value,
                            &needed),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(value), u"kesmgr.dll");
}

}  // namespace
}  // namespace ui_test
