// The others page of the document sheet as a person works it: mirrored
// printing and hairlines switched on, then OK; the DEVMODE handed out
// carries both where the printer reads them, and Cancel hands out nothing.
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kOthersTab = 5;
constexpr int kHairlineBox = 3424;  // kdmCosmeticLine: the byte at 594
constexpr int kMirrorBox = 3428;    // kdmExtOutputMirror: bit 6 of the word at 592

class OthersPage : public PageSheetMachine {
 protected:
  static int Mirror(const Bytes& dm) { return (dm[592] >> 6) & 1; }
};

TEST_F(OthersPage, OkHandsOutMirroringAndHairlines) {
  const Bytes in = Default();
  ASSERT_EQ(Mirror(in), 0);
  ASSERT_EQ(in[594], 0);
  CancelThenOk(
      kOthersTab, in,
      [](kesm_test::UiScript& script) { script.click(Control(kHairlineBox)).click(Control(kMirrorBox)); }, "others.png",
      [](const Bytes& out) {
        EXPECT_EQ(Mirror(out), 1);
        EXPECT_EQ(out[594], 1);
      });
}

}  // namespace
}  // namespace ui_test
