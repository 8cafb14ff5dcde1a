// The W2 printer of the Other page's tests (kesm_w2_other.kpd, or the
// description a fixture names) on a bidirectional port, with the
// stand-in port-monitor library in the system folder and a device of the driver's model behind the printer;
// the document sheet opened as an application opens it, and the windows
// and settings the tests look at.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files/winpath.h"
#include "platform/profile/winprofile.h"
#include "platform/text/utf.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/devicecomm/bidi/bidi_fixture.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace other_test {

using kesm_test::UiScript;
using plat::window::WindowRef;
using ui_test::Bytes;
using ui_test::kDriver;
using ui_test::kPrinter;

inline std::string Narrow(std::u16string_view text) { return plat::utf::ToUtf8(text); }

inline constexpr const char16_t* kModel = u"Kesm W2";
// Tabs of the document sheet and controls of the pages.
inline constexpr int kPresetTab = 0;
inline constexpr int kOthersTab = 5;
inline constexpr int kInitTab = 7;
inline constexpr int kPrintMethodChoice = 3303;
inline constexpr int kPrintTypeButton = 2114;
// The print methods in the order the choice lists them.
inline constexpr int kNormal = 0;
inline constexpr int kLocked = 1;
inline constexpr int kMerged = 2;

class OtherSheet : public ui_test::SheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_other.kpd"; }
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install(Description(), u"kesmw2rus.hlp", PRINTER_ATTRIBUTE_ENABLE_BIDI));
    RegisterEngineHooks();
    RegisterFeaturePages();
    ASSERT_NO_FATAL_FAILURE(bidi_test::InstallPortMonitor(&library_, &lib_));
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb, nullptr);
    ini_ = GetIniFilePath(ucb);
    section_ = GetPrinterName(ucb);
    ASSERT_TRUE(WritePrivateProfileStringW(u"Models", kDriver, kModel, GetDriverIniFilePath(ucb)));
    FreeUcb2(ucb, 1);
    ASSERT_TRUE(plat::CreateDirectories(ini_.substr(0, ini_.rfind(u'\\'))));
    lib_->devices[kPrinter].model = kModel;
  }
  void TearDown() override {
    bidi_test::RemovePortMonitor(library_, lib_);
    SheetMachine::TearDown();
  }

  // The document sheet of an application; what it handed out in *out.
  LONG RunDocumentSheet(Bytes* out = nullptr) {
    Bytes local = Filled(kDriverDevmode);
    const LONG answer = DocumentSheet(out != nullptr ? *out : local, nullptr, DM_COPY);
    return answer;
  }

  // The page the sheet shows, an item of it, and the print-type dialog.
  static WindowRef PageItem(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static WindowRef PrintType() { return WindowRef::Top(u"Job details"); }
  static WindowRef PrintTypeItem(int id) { return WindowRef::Item(PrintType(), id); }
  static WindowRef PasswordDialog() { return WindowRef::Top(u"Password"); }

  // The print method picked on the preset page, then the print-type
  // dialog opened from the Others page.
  static void OpenPrintType(UiScript& script, int method) {
    script.tab(Sheet(), kPresetTab).pick(PageItem(kPrintMethodChoice), method);
    script.tab(Sheet(), kOthersTab).click(PageItem(kPrintTypeButton));
  }

  void PutIni(const char16_t* key, const char16_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section_.c_str(), key, value, ini_.c_str()));
  }
  // Makes a file of the machine.
  static void MakeFile(const std::u16string& path) {
    ASSERT_TRUE(plat::CreateDirectories(path.substr(0, path.rfind(u'\\'))));
    const auto host = plat::HostPathOf(path.c_str());
    ASSERT_TRUE(host.has_value());
    std::ofstream(*host) << "merged job";
  }
  // The text of the focus window.
  static std::u16string FocusText() {
    std::array<WCHAR, 64> text{};
    GetWindowTextW(GetFocus(), text.data(), 64);
    return text.data();
  }
  static int FocusId() { return GetDlgCtrlID(GetFocus()); }

  portmonlib::State& lib() { return *lib_; }

  std::u16string ini_;
  std::u16string section_;
  HMODULE library_ = nullptr;
  portmonlib::State* lib_ = nullptr;
};

}  // namespace other_test
