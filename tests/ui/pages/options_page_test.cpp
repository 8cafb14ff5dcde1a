// The options page of the printer sheet as a person works it: an option
// ticked, the second tray picked, its paper chosen and its feed turned,
// then OK; the printer keeps each choice for that tray, and Cancel keeps
// none. The tray list's headers are whole.
#include "platform/gdi/wingdi.h"
#include "platform/window/commctrl_listview.h"
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kOptionsTab = 0;
constexpr int kOptionList = 2164;
constexpr int kTrayList = 2166;
constexpr int kPaperChoice = 2168;
constexpr int kTurned = 2175;

constexpr int kTray7Line = 1;            // its option is setting 10045
constexpr WORD kFuncTray7Option = 10045;
constexpr WORD kTray2 = 1;               // the tray list's second line
constexpr WORD kFuncOrientation = 10143;  // + the tray's index
constexpr WORD kFuncPaper = 10175;
constexpr LONG_PTR kLetter = 14001;      // the paper choice's third entry

using Choices = std::vector<LONG_PTR>;

class OptionsPage : public PageSheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_option.kpd"; }
};

TEST_F(OptionsPage, OkKeepsTheOptionAndTheTraysPaperAndFeed) {
  const std::function<Choices()> stored = [this] {
    return Choices{Stored(kFuncTray7Option), Stored(kFuncPaper + kTray2, true), Stored(kFuncOrientation + kTray2)};
  };
  ASSERT_EQ(stored()[0], 0);
  ASSERT_EQ(stored()[2], 0);
  PrinterSheetCancelThenOk<Choices>(
      kOptionsTab, stored,
      [](kesm_test::UiScript& script) {
        script
            .check("the tray list's headers are whole",
                   [] {
                     HWND list = Control(kTrayList).Resolve();
                     HDC dc = GetDC(list);
                     const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
                     for (int column = 0; column < 4; ++column) {
                       WCHAR header[32] = {};
                       LVCOLUMNW item{};
                       item.mask = LVCF_TEXT;
                       item.pszText = header;
                       item.cchTextMax = 32;
                       ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&item)));
                       SIZE text{};
                       GetTextExtentPoint32W(dc, header, static_cast<int>(std::u16string(header).size()), &text);
                       const auto width = static_cast<LONG>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
                       EXPECT_LT(text.cx + 8, width) << "column " << column;
                     }
                     SelectObject(dc, old);
                     ReleaseDC(list, dc);
                   })
            .select(Control(kOptionList), kTray7Line)
            .listView(Control(kTrayList), kTray2)
            .pick(Control(kPaperChoice), 2)
            .check(Control(kTurned));
      },
      "options.png", [](const Choices& after) { EXPECT_EQ(after, (Choices{1, kLetter, 1})); });
}

}  // namespace
}  // namespace ui_test
