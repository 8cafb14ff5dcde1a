// The user-code page of the printer sheet as a person works it: printing
// under a user code and the print server's asking for one switched, a code
// typed, then OK; the printer keeps both switches, and Cancel keeps
// neither.
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kUserCodeTab = 2;
constexpr int kServerAsksBox = 3495;  // kdmServerLogCode
constexpr int kUseCodeBox = 3496;     // kdmLogCodeUse
constexpr int kUserCodeEdit = 3497;   // kdmUserCode
constexpr WORD kFuncServerLogCode = 10001;
constexpr WORD kFuncLogCodeUse = 10002;
constexpr WORD kFuncUserCode = 203;

using Switches = std::vector<LONG_PTR>;

class UserCodePage : public PageSheetMachine {};

TEST_F(UserCodePage, OkKeepsBothSwitches) {
  const std::function<Switches()> stored = [this] {
    return Switches{Stored(kFuncServerLogCode), Stored(kFuncLogCodeUse)};
  };
  const Switches before = stored();
  PrinterSheetCancelThenOk<Switches>(
      kUserCodeTab, stored,
      [](kesm_test::UiScript& script) {
        script.click(Control(kUseCodeBox))
            .text(Control(kUserCodeEdit), u"4711")
            .click(Control(kServerAsksBox))
            .check("the code typed is the page's", [] {
              WCHAR code[16] = {};
              UCB* ucb = ContextOfPage(WindowRef::Page(Sheet()).Resolve());
              GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncUserCode), code);
              EXPECT_EQ(std::u16string(code), u"4711");
            });
      },
      "user_code.png",
      [&before](const Switches& after) {
        EXPECT_EQ(after, (Switches{1 - before[0], 1 - before[1]}));
      });
}

}  // namespace
}  // namespace ui_test
