// The W2 printer's context with its preset page open in the page host, the
// library's boxes and dialogs offered to storage, and what the sub-dialog
// tests look at: files of the drive, values of the per-user settings INI,
// settings as text, the resource DLL's strings. A test opens a dialog from
// a script step as the page's own opener would, then works it as a person.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "platform/files/winfile.h"
#include "platform/files/winpath.h"
#include "platform/profile/winprofile.h"
#include "platform/text/utf.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/platform/drive_files.h"
#include "tests/ui/page_host.h"
#include "ui/alerts/engine_hooks.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/resource_dll.h"

namespace ui_test {

inline std::string Narrow(std::u16string_view text) { return plat::utf::ToUtf8(text); }

class SubDialogMachine : public PageMachine {
 protected:
  static constexpr WORD kPresetPage = 1001;

  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageMachine::SetUp());
    RegisterEngineHooks();
    // The settings folder an install makes.
    const std::u16string ini = GetIniFilePath(ucb_);
    ASSERT_TRUE(plat::CreateDirectories(ini.substr(0, ini.rfind(u'\\'))));
    ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  }
  void TearDown() override {
    UnregisterEngineHooks();
    PageMachine::TearDown();
  }

  // A value of the printer's section of the per-user settings INI, or
  // "<none>".
  std::string Ini(const char16_t* key) {
    std::array<WCHAR, 1100> text{};
    GetPrivateProfileStringW(GetPrinterName(ucb_), key, u"<none>", text.data(), 1100, GetIniFilePath(ucb_));
    return Narrow(text.data());
  }
  void PutIni(const char16_t* key, const char16_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(GetPrinterName(ucb_), key, value, GetIniFilePath(ucb_)));
  }
  // A string setting as text.
  std::string Text(WORD funcId) {
    std::array<WCHAR, 1100> text{};
    if (GetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId), text.data()) == nullptr) return "<none>";
    return Narrow(text.data());
  }
  LONG_PTR Value(WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb_, funcId, nullptr); }
  HMODULE Strings() { return GetResDll(ucb_); }
  std::u16string String(UINT id) {
    std::array<WCHAR, 1100> text{};
    LoadStringFromResDll(ucb_, id, text.data(), 1100, FALSE);
    return text.data();
  }

  // Opens the dialog from the page (or from the window of another dialog
  // of the context) as its opener would; its result lands in *result when
  // it has closed.
  void Open(kesm_test::UiScript& script, WORD dialogId, int* result, int mode = kShowDialogModal, WORD from = 0) {
    script.check("dialog " + std::to_string(dialogId) + " opens", [=, this] {
      HWND owner = from != 0 ? GetTCBbyTabID(ucb_, from)->hWnd : host_.page();
      ASSERT_NE(owner, nullptr) << "dialog " << from << " is not open";
      *result = ShowDialogBox(ucb_, mode, dialogId, owner);
    });
  }

  // Opens the dialog from the page and chooses the file a person types in
  // it; how the dialog ended.
  int ChooseIn(WORD dialogId, std::u16string path) {
    int result = -2;
    kesm_test::UiScript script;
    Open(script, dialogId, &result);
    script.chooseFile(std::move(path));
    EXPECT_TRUE(script.run());
    return result;
  }

  // The file dialog open now (the active window), its controls, and what
  // they show.
  static HWND Active() { return GetActiveWindow(); }
  static std::string TextOf(HWND window) {
    std::array<WCHAR, 1100> text{};
    GetWindowTextW(window, text.data(), 1100);
    return Narrow(text.data());
  }
  static std::string ItemText(int id) { return TextOf(GetDlgItem(Active(), id)); }
  static plat::window::WindowRef Button(int id) {
    return plat::window::WindowRef::Found("button " + std::to_string(id) + " of the active dialog",
                                          [id] { return GetDlgItem(GetActiveWindow(), id); });
  }
};

}  // namespace ui_test

namespace ui_test {

// A picture file of 2 x 2 pixels that the bitmap reader takes.
inline std::string TinyBitmap() {
  std::string b;
  const auto le = [&b](unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i) b += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  b += "BM";
  le(70, 4);
  le(0, 4);
  le(54, 4);
  le(40, 4);
  le(2, 4);
  le(2, 4);
  le(1, 2);
  le(24, 2);
  le(0, 4);
  le(16, 4);
  le(2835, 4);
  le(2835, 4);
  le(0, 4);
  le(0, 4);
  b += std::string(16, '\x40');
  return b;
}

}  // namespace ui_test
