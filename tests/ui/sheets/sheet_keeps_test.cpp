// What the sheets keep of what a person does: Cancel closes whatever an
// alert said, an alert once seen does not stand in the way of OK, typed
// text keeps its order, and a watermark accepted is there next time.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "devicecomm/usercodes/user_codes.h"
#include "platform/profile/winprofile.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_open.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/shared_files.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kCopiesEdit = 2049;

using KeepsSheet = SheetMachine;

// The A6 printer warns when more than 5 copies are asked for.
class AlertsSheet : public KeepsSheet {
 protected:
  const char* Description() const override { return "kesm_a6_alerts.kpd"; }
};

TEST_F(AlertsSheet, CancelClosesAtOnceWhateverTheCopiesWouldRaise) {
  plat::window::ClearMessageBoxRecords();
  Bytes out = Filled(kDriverDevmode);
  UiScript script;
  ShowTab(script, u"Basic");
  script.text(OnPage(kCopiesEdit), u"8").press(Sheet(), IDCANCEL);
  EXPECT_EQ(DocumentSheet(out, nullptr, DM_COPY), IDCANCEL);
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(plat::window::MessageBoxes().empty());
  EXPECT_EQ(out, Filled(kDriverDevmode));
}

// The warning shows once, when the edit is left for OK; the next OK hands
// the copies out.
TEST_F(AlertsSheet, AnAlertSeenOnceDoesNotComeBackAtTheNextOk) {
  plat::window::ClearMessageBoxRecords();
  Bytes out = Filled(kDriverDevmode);
  UiScript script;
  ShowTab(script, u"Basic");
  script.text(OnPage(kCopiesEdit), u"8").press(Sheet(), IDOK).answerBox(u"", IDOK).press(Sheet(), IDOK);
  EXPECT_EQ(DocumentSheet(out, nullptr, DM_COPY), IDOK);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(plat::window::MessageBoxes().size(), 1u);
  EXPECT_EQ(Dm(out)->dmCopies, 8);
}

// Typed text keeps its order where the code page cannot hold a character:
// the edit's filter refuses it, or it is replaced where it stood.
TEST_F(KeepsSheet, TypedTextKeepsItsOrder) {
  struct Case {
    const char* field;
    bool printerSheet;
    std::u16string tab;
    int edit;
    std::u16string typed;
    std::u16string kept;
  };
  const Case cases[] = {
      {"preset name", false, u"Basic", 2388, u"A\u65e5B", u"A?B"},
      {"preset name", false, u"Basic", 2388, u"ab\u65e5\u672ccd", u"ab??cd"},
      {"user code", true, u"User code", 3497, u"A\u65e5B", u"AB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    UiScript script;
    if (c.printerSheet) AnswerOptionsNotice(script);
    ShowTab(script, c.tab);
    script.text(OnPage(c.edit), c.typed).check("the text as typed", [&c] {
      WCHAR text[64] = {};
      GetWindowTextW(OnPage(c.edit).Resolve(), text, 64);
      EXPECT_EQ(std::u16string(text), c.kept);
    });
    script.press(Sheet(), IDCANCEL);
    if (c.printerSheet) {
      PrinterProperties(nullptr, printer_);
    } else {
      Bytes out = Filled(kDriverDevmode);
      DocumentSheet(out, nullptr, DM_COPY);
    }
    EXPECT_TRUE(script.done());
  }
}

// Every file of the machine a sheet could write (the installation's
// modules, descriptions and caches, and lock files, left out).
std::map<std::filesystem::path, std::string> MachineFiles() {
  std::map<std::filesystem::path, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(plat::MachineRoot())) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || extension == ".dll" || extension == ".kpd" || extension == ".bcs" ||
        extension == ".lock") {
      continue;
    }
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path()] = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

// A user code typed on the printer sheet and accepted with OK is the code
// the driver gives jobs, and the sheet shows it at the next open: kept in
// the install INI, or, once the server log code is ticked, in printer
// data. Typing another code and cancelling leaves every file as it was.
TEST_F(KeepsSheet, AUserCodeAcceptedIsTheJobsCodeAndThereAtTheNextOpen) {
  constexpr int kServerLogCode = 3495;
  constexpr int kLogCodeUse = 3496;
  constexpr int kUserCodeEdit = 3497;
  constexpr WORD kFuncLogCodeUse = 10002;
  constexpr WORD kFuncLogCode = 10003;
  struct Case {
    const char* what;
    bool server;
    std::u16string code;
  };
  const Case cases[] = {{"kept in the install INI", false, u"4711"}, {"imposed by the server", true, u"808"}};
  const auto shown = [] {
    std::array<WCHAR, 32> text{};
    GetWindowTextW(OnPage(kUserCodeEdit).Resolve(), text.data(), static_cast<int>(text.size()));
    return std::u16string(text.data());
  };
  // The install makes the shared folder the INI lives in.
  std::filesystem::create_directories(kesm_test::OnDrive(kesm_test::kSharedFolder));
  // The options notice comes until the first OK.
  bool first = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UiScript script;
    if (first) AnswerOptionsNotice(script);
    first = false;
    ShowTab(script, u"User code");
    if (c.server) script.check(OnPage(kServerLogCode));
    script.check(OnPage(kLogCodeUse)).text(OnPage(kUserCodeEdit), c.code).press(Sheet(), IDOK);
    EXPECT_TRUE(PrinterProperties(nullptr, printer_));
    EXPECT_TRUE(script.done());

    UCB* ucb = GetUcb(printer_, printer_, 0, 0);
    ASSERT_NE(ucb, nullptr);
    EXPECT_TRUE(GetUserCodeFromDriverDependOnMachine(ucb));
    std::array<WCHAR, 16> code{};
    GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncLogCode), code.data());
    EXPECT_EQ(std::u16string(code.data()), c.code);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, kFuncLogCodeUse, nullptr), 1);
    FreeUcb2(ucb, 1);
    if (!c.server) {
      const std::string line = "UserCodeString=" + std::string(c.code.begin(), c.code.end());
      EXPECT_NE(kesm_test::DriveFileText(kesm_test::kSharedInstallIni).find(line), std::string::npos);
    }

    const auto before = MachineFiles();
    UiScript again;
    ShowTab(again, u"User code");
    again.check("the accepted code is shown", [&] { EXPECT_EQ(shown(), c.code); })
        .text(OnPage(kUserCodeEdit), u"1234")
        .press(Sheet(), IDCANCEL);
    EXPECT_FALSE(PrinterProperties(nullptr, printer_));
    EXPECT_TRUE(again.done());
    EXPECT_TRUE(MachineFiles() == before) << "Cancel changed a file";
  }
}

// A code the install INI marks fixed is the administrator's: the sheet's
// OK leaves it as it is. (The first OK completes the printer's install,
// which writes the user-code entries afresh.)
TEST_F(KeepsSheet, AFixedUserCodeIsNotChangedByTheSheet) {
  constexpr int kUserCodeEdit = 3497;
  std::filesystem::create_directories(kesm_test::OnDrive(kesm_test::kSharedFolder));
  UiScript first;
  AnswerOptionsNotice(first);
  first.press(Sheet(), IDOK);
  EXPECT_TRUE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(first.done());
  constexpr const char16_t* kInstallIni = u"C:\\_kesm\\kesmins.ini";
  ASSERT_TRUE(WritePrivateProfileStringW(kPrinter, u"UserCode", u"1", kInstallIni));
  ASSERT_TRUE(WritePrivateProfileStringW(kPrinter, u"UserCodeFIX", u"1", kInstallIni));
  ASSERT_TRUE(WritePrivateProfileStringW(kPrinter, u"UserCodeString", u"555", kInstallIni));
  const std::string fixed = kesm_test::DriveFileText(kesm_test::kSharedInstallIni);
  ASSERT_NE(fixed.find("UserCodeString=555"), std::string::npos);
  UiScript script;
  ShowTab(script, u"User code");
  script.text(OnPage(kUserCodeEdit), u"4711").press(Sheet(), IDOK);
  EXPECT_TRUE(PrinterProperties(nullptr, printer_));
  EXPECT_TRUE(script.done());
  EXPECT_EQ(kesm_test::DriveFileText(kesm_test::kSharedInstallIni), fixed);
}

// A watermark added through the edit page's text dialog and accepted with
// OK is in the list when the sheet opens again, on a machine where no
// watermark was stored before (its shared folder made, as installing the
// driver makes it).
class StampSheet : public SheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_stamp.kpd"; }
};

TEST_F(StampSheet, AWatermarkAcceptedIsThereAtTheNextOpen) {
  constexpr int kWatermarkList = 2089;
  constexpr int kAddText = 2091;
  constexpr int kNameEdit = 2310;
  constexpr int kTextEdit = 2312;
  const WindowRef adding = WindowRef::Top(u"Text watermark");
  std::filesystem::create_directories(kesm_test::OnDrive(kesm_test::kSharedFolder));
  UiScript script;
  ShowTab(script, u"Edit");
  script.click(OnPage(kAddText))
      .text(WindowRef::Item(adding, kNameEdit), u"Draft")
      .text(WindowRef::Item(adding, kTextEdit), u"DRAFT")
      .click(WindowRef::Item(adding, kNameEdit))
      .key(VK_RETURN)
      .press(Sheet(), IDOK);
  Bytes out = Filled(kDriverDevmode);
  EXPECT_EQ(DocumentSheet(out, nullptr, DM_COPY), IDOK);
  EXPECT_TRUE(script.done());
  std::vector<std::u16string> entries;
  UiScript again;
  ShowTab(again, u"Edit");
  again.check("the watermark list", [&entries] {
    HWND list = OnPage(kWatermarkList).Resolve();
    const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      WCHAR text[256] = {};
      SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      entries.emplace_back(text);
    }
  });
  again.press(Sheet(), IDCANCEL);
  Bytes next = Filled(kDriverDevmode);
  DocumentSheet(next, &out, DM_COPY | DM_MODIFY);
  EXPECT_TRUE(again.done());
  EXPECT_NE(std::find(entries.begin(), entries.end(), u"Draft"), entries.end()) << entries.size() << " entries";
}

}  // namespace
}  // namespace ui_test
