// Picks that do not stand, on pages of the L4 description. An option the
// constraints disable (from the bypass tray the paper and print size
// Letter and black and white) is refused with the item's hint in an
// information box only when the control has list data with a hint flag and
// a hint string; otherwise the pick goes on like any other. A pick whose
// confirmation is cancelled (the paper A5, the print size A3, the half
// fold) leaves the setting and the control showing the old value, in every
// kind; a confirmed one stays. Picking a list's current option again
// changes nothing and asks nothing.
#include <gtest/gtest.h>

#include "tests/ui/lists/list_machine.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kPaperCombo = 2017;      // list data with hint flag, hint string
constexpr WORD kPrintSizeCombo = 2023;  // list data with hint flag, no hint string
constexpr WORD kColourCombo = 3302;     // hint string, no list data
constexpr UINT kHint = 40067;
constexpr WORD kFinishPage = 1004;
constexpr WORD kFileOpen = 4001;
constexpr WORD kFoldList = 3387;
constexpr WORD kFileList = 1120;   // kind 42, bound to the paper here
constexpr WORD kFileCombo = 1136;  // kind 43, bound to the print size here

class ListRefusal : public ListMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ListMachine::SetUp());
    Store(kTray, V("TRAY_MANUAL"));
    Store(kPaper, V("PAPER_A4"));
    Store(kPrintSize, V("PAPER_A4"));
    Store(kColour, V("DMCOLOR_COLOR"));
    ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  }
};

TEST_F(ListRefusal, ADisabledOptionIsRefusedWithTheHintAndTheValueStaysShown) {
  kesm_test::UiScript script;
  script.pick(Control(kPaperCombo), 2).answerBox(GetResDll(ucb_), kHint, IDOK).check("refused", [&] {
    EXPECT_EQ(Ui(kPaper), V("PAPER_A4"));
    EXPECT_EQ(Selected(kPaperCombo), 0) << "the entry of the value is selected again";
  });
  EXPECT_TRUE(script.run());
  const auto boxes = plat::window::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, Control(kPaperCombo));
  EXPECT_EQ(boxes[0].caption, u"Information");
  EXPECT_EQ(boxes[0].type, MB_ICONINFORMATION);
}

TEST_F(ListRefusal, WithoutListDataOrHintStringADisabledOptionIsPickedLikeAnyOther) {
  kesm_test::UiScript script;
  script.pick(Control(kPrintSizeCombo), 2).check("no hint string", [&] {
    EXPECT_EQ(Ui(kPrintSize), V("PAPER_LETTER"));
  });
  script.pick(Control(kColourCombo), 1).check("no list data", [&] {
    EXPECT_EQ(Ui(kColour), V("DMCOLOR_MONOCHROME"));
  });
  EXPECT_TRUE(script.run());
  EXPECT_TRUE(plat::window::MessageBoxes().empty());
}

}  // namespace
}  // namespace ui_test
