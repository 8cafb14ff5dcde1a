// The edit page of the document sheet as a person works it: pages per
// sheet and 2-sided printing ticked, a number of border lines typed, then
// OK; the DEVMODE handed out carries each choice where the printer reads
// it, and Cancel hands out nothing.
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kEditTab = 2;
constexpr int kNupBox = 3358;       // kdmFuncSelectNup: switch 1
constexpr int kDuplexBox = 3357;    // kdmFuncSelectDuplex: switch 3
constexpr int kNupLineEdit = 3365;  // kdmNUPLine: the byte at 450

class EditPage : public PageSheetMachine {};

TEST_F(EditPage, OkHandsOutTheLayoutAnd2SidedChoices) {
  const Bytes in = Default();
  ASSERT_EQ(Switch(in, 1), 0);
  ASSERT_EQ(Switch(in, 3), 0);
  ASSERT_EQ(in[450], 1);
  CancelThenOk(
      kEditTab, in,
      [](kesm_test::UiScript& script) {
        script.click(Control(kNupBox)).click(Control(kDuplexBox)).text(Control(kNupLineEdit), u"0");
      },
      "edit.png",
      [](const Bytes& out) {
        EXPECT_EQ(Switch(out, 1), 1);
        EXPECT_EQ(Switch(out, 3), 1);
        EXPECT_EQ(out[450], 0);
      });
}

}  // namespace
}  // namespace ui_test
