// A dialog compiled by the resource compiler, loaded from its module and
// run as a modal dialog that a script fills in and closes with OK; the
// dialog procedure reads the controls when OK is pressed, and the test
// checks what it read.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"
#include "platform/modules/winresource.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "tests/common/ui_script.h"
#include "tests/platform/install_file.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

constexpr int kCopies = 101;
constexpr int kPaper = 102;
constexpr int kDuplex = 103;
constexpr int kTray = 104;

// What the form's procedure read when OK was pressed.
struct FormAnswer {
  UINT copies = 0;
  BOOL copiesRead = FALSE;
  LRESULT paper = -1;
  UINT duplex = 0;
  LRESULT tray = -1;
};
FormAnswer g_answer;

INT_PTR CALLBACK FormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    for (const char16_t* paper : {u"Letter", u"Legal", u"A4"}) {
      SendDlgItemMessageW(dialog, kPaper, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paper));
    }
    for (const char16_t* tray : {u"Auto", u"Tray 1", u"Tray 2"}) {
      SendDlgItemMessageW(dialog, kTray, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tray));
    }
    SetDlgItemInt(dialog, kCopies, 1, FALSE);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    if (LOWORD(wParam) == IDOK) {
      g_answer.copies = GetDlgItemInt(dialog, kCopies, &g_answer.copiesRead, FALSE);
      g_answer.paper = SendDlgItemMessageW(dialog, kPaper, CB_GETCURSEL, 0, 0);
      g_answer.duplex = IsDlgButtonChecked(dialog, kDuplex);
      g_answer.tray = SendDlgItemMessageW(dialog, kTray, LB_GETCURSEL, 0, 0);
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

class CompiledDialogTest : public WindowTest {
 public:
  plat::ScopedMachine machine;
  HMODULE module = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    g_answer = FormAnswer{};
    InstallFile(KESM_TEST_DIALOGS, "Windows/System32/PRINTFORM.DLL");
    module = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"printform.dll"));
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override {
    if (module != nullptr) FreeLibrary(module);
    WindowTest::TearDown();
  }
};

TEST_F(CompiledDialogTest, AScriptFillsTheFormAndPressesOk) {
  const WindowRef form = WindowRef::Top(u"Print form");
  UiScript script;
  script.text(WindowRef::Item(form, kCopies), u"3")
      .pick(WindowRef::Item(form, kPaper), 2)
      .check(WindowRef::Item(form, kDuplex))
      .select(WindowRef::Item(form, kTray), 1)
      .click(WindowRef::Item(form, IDOK));
  EXPECT_EQ(DialogBoxParamW(module, MAKEINTRESOURCEW(100), nullptr, FormProc, 0), IDOK);
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(g_answer.copiesRead);
  EXPECT_EQ(g_answer.copies, 3u);
  EXPECT_EQ(g_answer.paper, 2);
  EXPECT_EQ(g_answer.duplex, static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(g_answer.tray, 1);
}

TEST_F(CompiledDialogTest, TheTemplateKeepsItsDialogUnitsAndStyles) {
  HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(100), nullptr, FormProc, 0);
  ASSERT_NE(dialog, nullptr);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 300);   // 200 units of a 6-pixel average width
  EXPECT_EQ(client.bottom, 195);  // 120 units of a 13-pixel height
  RECT ok{};
  GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
  EXPECT_EQ(ok.right - ok.left, 75);
  EXPECT_EQ(ok.bottom - ok.top, 23);
  const auto style = [&](int id) { return static_cast<DWORD>(GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE)); };
  EXPECT_EQ(style(kPaper) & 0x3u, CBS_DROPDOWNLIST);
  EXPECT_NE(style(kCopies) & ES_NUMBER, 0u);
  EXPECT_NE(style(kCopies) & WS_TABSTOP, 0u);  // the statement's default stays
  EXPECT_EQ(style(kDuplex) & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_EQ(style(201) & WS_GROUP, 0u);     // NOT took the default's bit away
  EXPECT_NE(style(200) & WS_GROUP, 0u);
  EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
  DestroyWindow(dialog);
  // The classic layout reads too.
  HWND classic = CreateDialogParamW(module, MAKEINTRESOURCEW(101), nullptr, FormProc, 0);
  ASSERT_NE(classic, nullptr);
  EXPECT_NE(GetDlgItem(classic, IDOK), nullptr);
  DestroyWindow(classic);
  SetLastError(0);
  EXPECT_EQ(CreateDialogParamW(module, MAKEINTRESOURCEW(999), nullptr, FormProc, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

}  // namespace
}  // namespace kesm_test
