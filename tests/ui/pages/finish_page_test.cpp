// The finishing page of the document sheet as a person works it: copies
// collated, holes punched, a punch position picked, then OK; the DEVMODE
// handed out carries each choice where the printer reads it, and Cancel
// hands out nothing.
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kFinishTab = 3;
constexpr int kCollateBox = 3388;  // kdmFuncSelectSort: switch 6
constexpr int kPunchBox = 3389;    // kdmFuncSelectPunch: switch 7
constexpr int kPunchList = 2100;   // kdmPunchType

class FinishPage : public PageSheetMachine {};

TEST_F(FinishPage, OkHandsOutCollatingAndPunching) {
  const Bytes in = Default();
  ASSERT_EQ(Switch(in, 6), 0);
  ASSERT_EQ(Switch(in, 7), 0);
  CancelThenOk(
      kFinishTab, in,
      [](kesm_test::UiScript& script) {
        script.click(Control(kCollateBox)).click(Control(kPunchBox)).select(Control(kPunchList), 0);
      },
      "finish.png",
      [](const Bytes& out) {
        EXPECT_EQ(Switch(out, 6), 1);
        EXPECT_EQ(Switch(out, 7), 1);
      });
}

}  // namespace
}  // namespace ui_test
