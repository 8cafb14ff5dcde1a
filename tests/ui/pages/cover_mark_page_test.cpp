// The cover-and-mark page of the document sheet as a person works it: a
// front cover and a back cover switched on, then OK; the DEVMODE handed out
// carries both where the printer reads them, and Cancel hands out nothing.
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kCoverMarkTab = 4;
constexpr int kFrontCoverBox = 3408;  // kdmFuncSelectCover: switch 10
constexpr int kBackCoverBox = 3409;   // kdmFuncSelectBack: switch 11

class CoverMarkPage : public PageSheetMachine {};

TEST_F(CoverMarkPage, OkHandsOutFrontAndBackCovers) {
  const Bytes in = Default();
  ASSERT_EQ(Switch(in, 10), 0);
  ASSERT_EQ(Switch(in, 11), 0);
  CancelThenOk(
      kCoverMarkTab, in,
      [](kesm_test::UiScript& script) { script.click(Control(kFrontCoverBox)).click(Control(kBackCoverBox)); },
      "cover_mark.png",
      [](const Bytes& out) {
        EXPECT_EQ(Switch(out, 10), 1);
        EXPECT_EQ(Switch(out, 11), 1);
      });
}

}  // namespace
}  // namespace ui_test
