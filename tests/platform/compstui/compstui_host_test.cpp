// The common property-sheet host as a driver meets it: loaded by name, it
// calls the driver's sheet callback with INIT (the driver adds its pages),
// GET_INFO_HEADER (the title and the buttons), runs the sheet, then
// DESTROY; a result the driver reports through CPSFUNC_SET_RESULT comes
// back as SET_RESULT, and the driver's final Result reaches the caller's
// result word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/compstui/compstui_host.h"
#include "platform/modules/winmodule.h"
#include "platform/window/propsheet/prsht.h"
#include "tests/common/ui_script.h"
#include "tests/platform/install_file.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

constexpr int kPaper = 200;
constexpr int kFinishing = 201;

// What the fake driver does and what it saw.
struct Driver {
  HMODULE pages = nullptr;
  bool failInit = false;
  LONG_PTR resultOnDestroy = CPSUI_OK;
  std::vector<std::string> reasons;
  std::vector<LONG_PTR> added;
  LONG_PTR setResultAnswer = 0;
  LPARAM destroyParam = -1;
  HANDLE badHandleAnswerFor = nullptr;
};
Driver g_driver;

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

PROPSHEETPAGEW Describe(int id) {
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof page;
  page.hInstance = g_driver.pages;
  page.pszTemplate = MAKEINTRESOURCEW(id);
  page.pfnDlgProc = PageProc;
  return page;
}

LONG CALLBACK DriverSheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
      g_driver.reasons.push_back("INIT");
      EXPECT_EQ(info->lParamInit, lParam);
      EXPECT_EQ(info->Version, PROPSHEETUI_INFO_VERSION);
      const PROPSHEETPAGEW paper = Describe(kPaper);
      g_driver.added.push_back(info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                                                     reinterpret_cast<LPARAM>(CreatePropertySheetPageW(&paper)), 0));
      const PROPSHEETPAGEW finishing = Describe(kFinishing);
      g_driver.added.push_back(info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                                     reinterpret_cast<LPARAM>(&finishing), 0));
      // A page that is not one is refused.
      g_driver.added.push_back(info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE, 0x1234, 0));
      info->UserData = 42;
      return g_driver.failInit ? -1 : 1;
    }
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
      g_driver.reasons.push_back("GET_INFO_HEADER");
      auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
      header->Flags = PSUIHDRF_PROPTITLE | PSUIHDRF_NOAPPLYNOW;
      header->pTitle = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(u"Office Printer"));
      return 1;
    }
    case PROPSHEETUI_REASON_DESTROY:
      g_driver.reasons.push_back("DESTROY");
      EXPECT_EQ(info->UserData, 42u);
      g_driver.destroyParam = lParam;
      info->Result = static_cast<ULONG_PTR>(g_driver.resultOnDestroy);
      g_driver.setResultAnswer =
          info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_SET_RESULT, 0, g_driver.resultOnDestroy);
      EXPECT_EQ(info->Reason, PROPSHEETUI_REASON_DESTROY);  // restored after the nested call
      return 1;
    case PROPSHEETUI_REASON_SET_RESULT: {
      const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam);
      g_driver.reasons.push_back("SET_RESULT " + std::to_string(result->Result));
      EXPECT_EQ(result->hSetResult, info->hComPropSheet);
      info->Result = static_cast<ULONG_PTR>(result->Result);
      return 1;
    }
    default:
      return -1;
  }
}

class CompstuiHost : public WindowTest {
 public:
  plat::ScopedMachine machine;
  HMODULE host = nullptr;
  using Entry = LONG (*)(HWND, PFNPROPSHEETUI, LPARAM, DWORD*);
  Entry entry = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    g_driver = Driver{};
    InstallFile(KESM_TEST_SHEETS, "Windows/System32/SHEETS.DLL");
    g_driver.pages = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"sheets.dll"));
    ASSERT_NE(g_driver.pages, nullptr);
    host = LoadLibraryA("compstui.dll");
    ASSERT_NE(host, nullptr);
    entry = reinterpret_cast<Entry>(GetProcAddress(host, "CommonPropertySheetUIW"));
    ASSERT_NE(entry, nullptr);
  }
  void TearDown() override {
    FreeLibrary(host);
    FreeLibrary(g_driver.pages);
    WindowTest::TearDown();
  }
};

using Strings = std::vector<std::string>;

TEST_F(CompstuiHost, TheDriversReasonsInOrderAndTheResultWord) {
  const WindowRef sheet = WindowRef::Top(u"Properties for Office Printer");
  UiScript script;
  script.check("the driver's sheet", [&] {
    EXPECT_EQ(GetDlgItem(sheet.Resolve(), IDC_APPLYNOW), nullptr);
  });
  script.tab(sheet, 1).press(sheet, IDOK);
  DWORD result = 7;
  EXPECT_EQ(entry(nullptr, DriverSheets, 0x55, &result), CPSUI_OK);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(g_driver.reasons, (Strings{"INIT", "GET_INFO_HEADER", "DESTROY", "SET_RESULT 1"}));
  EXPECT_NE(g_driver.added[0], 0);
  EXPECT_NE(g_driver.added[1], 0);
  EXPECT_EQ(g_driver.added[2], 0);
  EXPECT_EQ(g_driver.setResultAnswer, 1);
  EXPECT_NE(g_driver.destroyParam, 0);
  EXPECT_EQ(result, static_cast<DWORD>(CPSUI_OK));
}

TEST_F(CompstuiHost, ACancelledSheetReportsWhatTheDriverLeft) {
  g_driver.resultOnDestroy = CPSUI_CANCEL;
  UiScript script;
  script.press(WindowRef::Top(u"Properties for Office Printer"), IDCANCEL);
  DWORD result = 7;
  EXPECT_EQ(entry(nullptr, DriverSheets, 0, &result), CPSUI_OK);
  EXPECT_EQ(result, static_cast<DWORD>(CPSUI_CANCEL));
  EXPECT_EQ(g_driver.reasons, (Strings{"INIT", "GET_INFO_HEADER", "DESTROY", "SET_RESULT 0"}));
}

// A failed INIT shows nothing, is not destroyed and leaves the result word
// as it was; the pages it added are freed.
TEST_F(CompstuiHost, AFailedInitShowsNothing) {
  g_driver.failInit = true;
  DWORD result = 7;
  EXPECT_EQ(entry(nullptr, DriverSheets, 0, &result), CPSUI_CANCEL);
  EXPECT_EQ(result, 7u);
  EXPECT_EQ(g_driver.reasons, (Strings{"INIT"}));
  EXPECT_EQ(CommonPropertySheetUIW(nullptr, nullptr, 0, &result), ERR_CPSUI_GETLASTERROR);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// A handle the host did not give, or gave to a call that has ended, is
// refused.
HANDLE g_kept = nullptr;
PFNCOMPROPSHEET g_function = nullptr;
LONG CALLBACK KeepHandle(PROPSHEETUI_INFO* info, LPARAM) {
  g_kept = info->hComPropSheet;
  g_function = info->pfnComPropSheet;
  return 1;  // adds no pages
}

TEST_F(CompstuiHost, StaleHandlesAreRefused) {
  DWORD result = 0;
  EXPECT_EQ(CommonPropertySheetUIW(nullptr, KeepHandle, 0, &result), CPSUI_OK);  // no pages: nothing shown
  ASSERT_NE(g_function, nullptr);
  EXPECT_EQ(g_function(g_kept, CPSFUNC_SET_RESULT, 0, 1), -1);
  EXPECT_EQ(g_function(g_kept, CPSFUNC_GET_PAGECOUNT, 0, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

}  // namespace
}  // namespace kesm_test
