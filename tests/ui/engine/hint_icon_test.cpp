// The hint icon the refresh puts beside a disabled item that has an
// explanation, on the W2 basic page while scaling is off (the centering box
// is greyed then): the cursor over it is the resource library's arrow, the
// hand while the button is down, and a click shows the explanation in a
// message box owned by the item, captioned with the printer's name; the
// item stays disabled after the answer.
#include <gtest/gtest.h>

#include "platform/window/messagebox_control.h"
#include "settings/context/dialog_slots.h"
#include "tests/ui/engine/refresh_machine.h"

namespace ui_test {
namespace {

class HintIcon : public RefreshMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(RefreshMachine::SetUp());
    ASSERT_NO_FATAL_FAILURE(GiveHint(kBasicPage, kScaleCentering));
    ASSERT_TRUE(Open(kBasicPage));
    const std::vector<HWND> hints = HintsOf(kScaleCentering);
    ASSERT_EQ(hints.size(), 1u);
    hint_ = hints[0];
  }
  HCURSOR Cursor(WORD id) { return LoadCursorW(GetResDll(ucb_), MAKEINTRESOURCEW(id)); }

  HWND hint_ = nullptr;
};

TEST_F(HintIcon, AClickShowsTheItemsExplanation) {
  const std::size_t before = plat::window::MessageBoxes().size();
  HWND box = control(kScaleCentering);
  kesm_test::UiScript script;
  script.hover(hint_)
      .check("the arrow over the icon", [&] { EXPECT_EQ(GetCursor(), Cursor(kArrowCursorId)); })
      .hold(hint_)
      .check("the hand while pressed", [&] { EXPECT_EQ(GetCursor(), Cursor(kHandCursorId)); })
      .release()
      .answerBox(GetResDll(ucb_), kSomeHint, IDOK)
      .check("answered", [&] {
        const auto boxes = plat::window::MessageBoxes();
        ASSERT_EQ(boxes.size(), before + 1);
        EXPECT_EQ(boxes.back().owner, box);
        EXPECT_EQ(boxes.back().caption, kPrinter);
        EXPECT_EQ(boxes.back().type, MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(boxes.back().result, IDOK);
        EXPECT_FALSE(IsWindowEnabled(box));
        EXPECT_EQ(GetCapture(), nullptr);
      });
  EXPECT_TRUE(script.run());
}

TEST_F(HintIcon, AnItemWhoseExplanationWentShowsNothing) {
  item(kScaleCentering)->hintId = 0;
  const std::size_t before = plat::window::MessageBoxes().size();
  kesm_test::UiScript script;
  script.click(hint_).check("no box", [&] { EXPECT_EQ(plat::window::MessageBoxes().size(), before); });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
