// The installable-options page of the W2 printer's sheet with installable
// options, driven as a person does: the tray list shows the trays the
// description offers and writes which trays are offered, each tray keeps
// its own paper, media and orientation, an option that needs another brings
// it and goes with it, and a hidden option whose name is no tray's leaves
// the first tray alone. Every test presses OK and reads the printer's
// settings back through a new context.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window/commctrl_listview.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "settings/values/setting_value.h"
#include "tests/ui/sheets/sheet_machine.h"
#include "ui/engine/item_window.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kOptionList = 2164;
constexpr int kTrayList = 2166;
constexpr int kPaperChoice = 2168;
constexpr int kMediaChoice = 2170;
constexpr int kTurned = 2175;

// Tray indexes of the description's trays 1 and 2, and of its hidden tray
// 3. The bypass tray (27) is shown too; its settings have no printer-data
// keys.
constexpr DWORD kTray1 = 0;
constexpr DWORD kTray2 = 1;
constexpr DWORD kTray3 = 2;

constexpr WORD kOffered = 10111;
constexpr WORD kOrientation = 10143;
constexpr WORD kPaper = 10175;
constexpr WORD kMedia = 10207;
constexpr WORD kCoverFeeder = 10085;
constexpr WORD kFinisherQkNoPunch = 10097;
constexpr WORD kTray7Option = 10045;

// Option list lines, in the model's table order.
constexpr int kTray7Line = 1;
constexpr int kCoverFeederLine = 3;
constexpr int kFinisherQkNoPunchLine = 13;

constexpr LONG_PTR kA3 = 14008;
constexpr LONG_PTR kLetter = 14001;
constexpr LONG_PTR kThick = 16658;

class OptionPage : public SheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_option.kpd"; }

  static WindowRef Item(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }

  // The printer sheet on its first page, Options: the steps, then OK.
  void AcceptAfter(const std::function<void(UiScript&)>& steps) {
    UiScript script;
    AnswerOptionsNotice(script);
    steps(script);
    script.press(Sheet(), IDOK);
    EXPECT_TRUE(PrinterProperties(nullptr, printer_));
    EXPECT_TRUE(script.done());
  }

  // The down arrow of the option list's scroll bar, beside its client area.
  static POINT ListDownArrow() {
    RECT client{};
    GetClientRect(Item(kOptionList).Resolve(), &client);
    return POINT{client.right + 6, client.bottom - 4};
  }

  // The tray list's lines: their names' string ids.
  static std::vector<LPARAM> TrayLines() {
    HWND list = Item(kTrayList).Resolve();
    std::vector<LPARAM> lines;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      LVITEMW item{};
      item.mask = LVIF_PARAM;
      item.iItem = i;
      SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      lines.push_back(item.lParam);
    }
    return lines;
  }
};

// The module fills the tray list itself: one line per offered tray, named
// by its string id, and the dialog engine neither fills the list nor takes
// over its window procedure.
TEST_F(OptionPage, TheTrayListIsTheModulesAndShowsTheOfferedTrays) {
  AcceptAfter([](UiScript& script) {
    script.check("the tray list", [] {
      EXPECT_EQ(TrayLines(), (std::vector<LPARAM>{2, 3, 4}));
      HWND list = Item(kTrayList).Resolve();
      EXPECT_NE(GetWindowLongPtrW(list, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(KesmItemDefWindowProc));
      WCHAR header[32] = {};
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT;
      column.pszText = header;
      column.cchTextMax = 32;
      ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, 3, reinterpret_cast<LPARAM>(&column)));
      EXPECT_EQ(std::u16string(header), u"Media type");
      EXPECT_FALSE(SendMessageW(list, LVM_GETCOLUMNW, 4, reinterpret_cast<LPARAM>(&column)));
    });
  });
  EXPECT_EQ(Stored(kOffered + kTray1), 1);
  EXPECT_EQ(Stored(kOffered + kTray2), 1);
  EXPECT_EQ(Stored(kOffered + kTray3), 0);
}

// Each tray keeps what was chosen while it was selected, whichever tray is
// selected when OK is pressed.
TEST_F(OptionPage, EachTrayKeepsItsOwnPaperMediaAndOrientation) {
  const LONG_PTR thirdPaper = Stored(kPaper + kTray3, true);
  AcceptAfter([](UiScript& script) {
    script.listView(Item(kTrayList), 1);
    script.pick(Item(kPaperChoice), 2);
    script.pick(Item(kMediaChoice), 1);
    script.listView(Item(kTrayList), 0);
    script.pick(Item(kPaperChoice), 1);
    script.check(Item(kTurned));
  });
  EXPECT_EQ(Stored(kPaper + kTray1, true), kA3);
  EXPECT_EQ(Stored(kOrientation + kTray1), 1);
  EXPECT_EQ(Stored(kPaper + kTray2, true), kLetter);
  EXPECT_EQ(Stored(kMedia + kTray2, true), kThick);
  EXPECT_EQ(Stored(kOrientation + kTray2), 0);
  EXPECT_EQ(Stored(kPaper + kTray3, true), thirdPaper);
}

// The cover feeder needs a finisher: switched on alone it brings the first
// finisher of its list, and switching that finisher off takes it away. The
// list's scroll bar switches nothing.
TEST_F(OptionPage, AnOptionThatNeedsAnotherBringsItAndGoesWithIt) {
  ASSERT_EQ(Stored(kCoverFeeder), 0);
  ASSERT_EQ(Stored(kFinisherQkNoPunch), 0);
  AcceptAfter([](UiScript& script) {
    script.select(Item(kOptionList), kCoverFeederLine);
    // Scrolling the list switches nothing.
    script.decide([](plat::window::Script& next) { next.clickAt(Item(kOptionList), ListDownArrow()); });
  });
  EXPECT_EQ(Stored(kCoverFeeder), 1);
  EXPECT_EQ(Stored(kFinisherQkNoPunch), 1);
  AcceptAfter([](UiScript& script) {
    // The finisher's line is further down: the list's arrow brings it.
    script.decide([](plat::window::Script& next) {
      for (int line = 0; line < kFinisherQkNoPunchLine; ++line) next.clickAt(Item(kOptionList), ListDownArrow());
      next.select(Item(kOptionList), kFinisherQkNoPunchLine);
    });
  });
  EXPECT_EQ(Stored(kFinisherQkNoPunch), 0);
  EXPECT_EQ(Stored(kCoverFeeder), 0);
}

// A space switches the selected option as a click does: tray 7, switched
// on by the click, is off again.
TEST_F(OptionPage, ASpaceSwitchesTheSelectedOption) {
  ASSERT_EQ(Stored(kTray7Option), 0);
  AcceptAfter([](UiScript& script) {
    script.select(Item(kOptionList), kTray7Line);
    script.check("the click", [] {
      EXPECT_EQ(GetDevmodeValueDirectByFuncID(ContextOfPage(WindowRef::Page(Sheet()).Resolve()), kTray7Option, nullptr),
                1);
    });
    script.type(u" ");
  });
  EXPECT_EQ(Stored(kTray7Option), 0);
}

// The automatic choice is hidden and its name is no tray's: the first
// tray, which is shown, stays offered, and its settings stay as they were.
TEST_F(OptionPage, AHiddenOptionWithAnUnknownNameLeavesTheFirstTrayAlone) {
  const LONG_PTR firstPaper = Stored(kPaper + kTray1, true);
  AcceptAfter([](UiScript& script) { script.check("the trays", [] { EXPECT_EQ(TrayLines().size(), 3u); }); });
  EXPECT_EQ(Stored(kOffered + kTray1), 1);
  EXPECT_EQ(Stored(kPaper + kTray1, true), firstPaper);
}

}  // namespace
}  // namespace ui_test
