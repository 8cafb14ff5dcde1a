// A click on the printer picture of the W2 basic page: away from its tray
// areas it steps the picture's own choice (its three views) to the next,
// wrapping after the last; on a tray area it is the tray's, and the view
// stays; the cursor shows where a click chooses a tray.
#include <gtest/gtest.h>

#include "settings/context/dialog_slots.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"

namespace ui_test {
namespace {

constexpr WORD kBasicPage = 1002;
constexpr WORD kPrinterPicture = 2067;
constexpr WORD kPictureView = 1165;
constexpr POINT kNoTray{20, 90};
constexpr POINT kTray1{100, 78};

WORD Option(LPCSTR keyword) { return GetSPbyKeyWord(keyword)->valueIndex; }

class PictureClick : public PageMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageMachine::SetUp());
    ASSERT_TRUE(host_.Open(ucb_, kBasicPage));
    picture_ = host_.control(kPrinterPicture);
  }
  LONG_PTR View() const { return GetDevmodeValueByFuncID(ucb_, kPictureView, nullptr); }

  HWND picture_ = nullptr;
};

TEST_F(PictureClick, EachClickStepsTheViewAndWraps) {
  ASSERT_EQ(View(), Option("PAPER_A4"));
  kesm_test::UiScript script;
  for (LPCSTR next : {"PAPER_A3", "PAPER_LETTER", "PAPER_A4"}) {
    script.clickAt(picture_, kNoTray).check(next, [&, next] { EXPECT_EQ(View(), Option(next)); });
  }
  EXPECT_TRUE(script.run());
}

TEST_F(PictureClick, AClickOnATrayLeavesTheView) {
  kesm_test::UiScript script;
  script.clickAt(picture_, kTray1).check("the view stays", [&] { EXPECT_EQ(View(), Option("PAPER_A4")); });
  EXPECT_TRUE(script.run());
}

// The cursor tells a person where a click chooses: the arrow of the
// resource library over a tray, the hand while the button is down on it,
// and the system's own cursor again off the trays.
TEST_F(PictureClick, TheCursorShowsWhereAClickChooses) {
  HMODULE library = GetResDll(ucb_);
  HCURSOR arrow = LoadCursorW(library, MAKEINTRESOURCEW(kArrowCursorId));
  HCURSOR hand = LoadCursorW(library, MAKEINTRESOURCEW(kHandCursorId));
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(hand, nullptr);
  kesm_test::UiScript script;
  script.hoverAt(picture_, kTray1)
      .check("over a tray", [&] { EXPECT_EQ(GetCursor(), arrow); })
      .holdAt(picture_, kTray1)
      .check("pressed", [&] { EXPECT_EQ(GetCursor(), hand); })
      .release()
      .check("let go", [&] { EXPECT_EQ(GetCursor(), arrow); })
      .hoverAt(picture_, kNoTray)
      .check("off the trays", [&] {
        EXPECT_NE(GetCursor(), arrow);
        EXPECT_NE(GetCursor(), hand);
      });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
