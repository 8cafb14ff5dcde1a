// What the sheets keep of what a person does: Cancel closes whatever an
// alert said, an alert once seen does not stand in the way of OK, typed
// text keeps its order, and a watermark accepted is there next time.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/window/messagebox_control.h"
#include "platform/window/winuser_controls.h"
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
