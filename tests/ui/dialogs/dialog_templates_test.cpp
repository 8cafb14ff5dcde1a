// The dialog templates of the resource DLL, loaded from the built DLL as
// the dialog engine will load them: every control of the layout tables is a
// control of its dialog's template, the progress window shows itself without
// a procedure, and each dialog can be looked at (KESM_DUMP_WINDOWS=folder
// writes every one as a PNG file).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/base/machine.h"
#include "platform/modules/winmodule.h"
#include "platform/window/commctrl.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_dialogs.h"
#include "settings/tables/dialog_tables.h"

namespace {

constexpr WORD kProgressDialog = 4006;
constexpr int kProgressMessage = 5005;

INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class DialogTemplates : public ::testing::Test {
 protected:
  void SetUp() override {
    // The tray list and the address tree are common controls.
    InitCommonControls();
    const std::filesystem::path target = plat::DriveRoot() / "Windows/System32/KESMDLGS.DLL";
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(KESM_UI_STRINGS, target, std::filesystem::copy_options::overwrite_existing);
    module_ = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"kesmdlgs.dll"));
    ASSERT_NE(module_, nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"KesmDialogHost";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    host_ = CreateWindowExW(0, u"KesmDialogHost", u"Host", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
    ShowWindow(host_, SW_SHOW);
  }
  void TearDown() override {
    if (host_ != nullptr) DestroyWindow(host_);
    UnregisterClassW(u"KesmDialogHost", nullptr);
    if (module_ != nullptr) FreeLibrary(module_);
  }
  // A page or a dialog of the table, created as the engine creates it.
  HWND Create(WORD id, DLGPROC proc = PlainProc) {
    HWND dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(id), host_, proc, 0);
    if (dialog != nullptr && proc != nullptr) ShowWindow(dialog, SW_SHOW);
    return dialog;
  }
  static void Dump(HWND dialog, WORD id) {
    const char* folder = std::getenv("KESM_DUMP_WINDOWS");
    if (folder == nullptr || *folder == '\0') return;
    EXPECT_TRUE(plat::window::WriteWindowPng(dialog, std::filesystem::path(folder) /
                                                         ("dialog-" + std::to_string(id) + ".png")));
  }

  plat::ScopedMachine machine_;
  HMODULE module_ = nullptr;
  HWND host_ = nullptr;
};

TEST_F(DialogTemplates, EveryItemOfTheTablesIsAControlOfItsDialog) {
  for (const TCB& tab : fgTCB) {
    SCOPED_TRACE(tab.tabId);
    HWND dialog = Create(tab.tabId);
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < tab.itemCount; ++i) {
      EXPECT_NE(GetDlgItem(dialog, tab.pICB[i].itemId), nullptr) << "item " << tab.pICB[i].itemId;
    }
    Dump(dialog, tab.tabId);
    DestroyWindow(dialog);
  }
}

TEST_F(DialogTemplates, TheProgressWindowShowsItsMessageWithoutAProcedure) {
  HWND window = Create(kProgressDialog, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  ASSERT_NE(GetDlgItem(window, kProgressMessage), nullptr);
  EXPECT_TRUE(SetWindowTextW(window, u"Kesm W2 Office"));
  EXPECT_TRUE(SetDlgItemTextW(window, kProgressMessage, u"Reading the printer's settings..."));
  WCHAR text[64] = {};
  EXPECT_EQ(GetDlgItemTextW(window, kProgressMessage, text, 64), 33);
  EXPECT_EQ(std::u16string(text), u"Reading the printer's settings...");
  Dump(window, kProgressDialog);
  DestroyWindow(window);
}

TEST_F(DialogTemplates, TheFirstPageDrawsItsControls) {
  HWND page = Create(fgTCB[0].tabId);
  ASSERT_NE(page, nullptr);
  const std::filesystem::path file = plat::DriveRoot() / "first-page.png";
  ASSERT_TRUE(plat::window::WriteWindowPng(page, file));
  EXPECT_GT(std::filesystem::file_size(file), 0u);
  Dump(page, fgTCB[0].tabId);
  DestroyWindow(page);
}

}  // namespace
