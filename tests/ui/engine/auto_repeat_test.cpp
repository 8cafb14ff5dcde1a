// Repeat buttons on the colour-balance page of the W2 printer: the red and
// green balance (-5 to 5) move by one at the press, then, after three ticks
// of 100 ms, by one each tick for as long as the button stays held, with
// the mouse only while the cursor stays on the button. The release, a
// right press while held, or the focus going to another control ends the
// repeat.
#include <gtest/gtest.h>

#include "tests/common/held_clock.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"

namespace ui_test {
namespace {

using plat::window::MouseButton;

constexpr WORD kBalancePage = 1038;
constexpr WORD kBalanceDown = 3607;
constexpr WORD kBalanceUp = 3608;
constexpr WORD kAdjustModeOption = 3130;  // a radio button of the page
constexpr WORD kRed = 141;
constexpr WORD kGreen = 142;

class AutoRepeat : public PageMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageMachine::SetUp());
    ASSERT_TRUE(host_.Open(ucb_, kBalancePage));
    up_ = host_.control(kBalanceUp);
    down_ = host_.control(kBalanceDown);
    ASSERT_NE(up_, nullptr);
    ASSERT_NE(down_, nullptr);
  }
  LONG_PTR Red() const { return GetDevmodeValueByFuncID(ucb_, kRed, nullptr); }
  LONG_PTR Green() const { return GetDevmodeValueByFuncID(ucb_, kGreen, nullptr); }
  // Both balances stand at the value.
  std::function<void()> Both(LONG_PTR value) {
    return [this, value] {
      EXPECT_EQ(Red(), value);
      EXPECT_EQ(Green(), value);
    };
  }
  void Ticks(kesm_test::UiScript& script, int n) {
    for (int i = 0; i < n; ++i) script.wait(100);
  }

  kesm_test::HeldClock clock_{2026, 3, 1, 8, 0, 0};
  HWND up_ = nullptr;
  HWND down_ = nullptr;
};

TEST_F(AutoRepeat, AHeldButtonStepsAtOnceThenEveryTickAfterTheDelay) {
  kesm_test::UiScript script;
  script.hold(up_).check("one step at the press", Both(1));
  Ticks(script, 3);
  script.check("three ticks of delay", Both(1));
  Ticks(script, 2);
  script.check("then one step each tick", Both(3)).release();
  Ticks(script, 3);
  script.check("the release ends it", Both(3)).click(down_).check("a click is one step", Both(2));
  EXPECT_TRUE(script.run());
}

TEST_F(AutoRepeat, StepsStopAtTheEndOfTheRange) {
  kesm_test::UiScript script;
  script.hold(up_);
  Ticks(script, 3 + 10);
  script.check("held at the maximum", Both(5)).release();
  EXPECT_TRUE(script.run());
}

TEST_F(AutoRepeat, TheMouseStepsOnlyWhileTheCursorStaysOnTheButton) {
  kesm_test::UiScript script;
  script.hold(up_);
  Ticks(script, 4);
  script.check("stepping", Both(2)).hover(down_);
  Ticks(script, 3);
  script.check("off the button: no steps", Both(2)).hover(up_);
  Ticks(script, 2);
  script.check("back on it: steps again", Both(4)).release();
  EXPECT_TRUE(script.run());
}

TEST_F(AutoRepeat, ARightPressWhileHeldEndsTheRepeat) {
  kesm_test::UiScript script;
  script.hold(up_);
  Ticks(script, 4);
  script.check("stepping", Both(2)).hold(up_, MouseButton::kRight);
  Ticks(script, 3);
  script.check("cancelled", Both(2)).release(MouseButton::kRight).release();
  EXPECT_TRUE(script.run());
}

TEST_F(AutoRepeat, TheSpaceBarRepeatsUntilItIsLetGo) {
  kesm_test::UiScript script;
  script.click(down_).check("the click took the focus", Both(-1));
  script.holdKey(VK_SPACE).check("one step at the press", Both(-2));
  Ticks(script, 5);
  script.check("stepping", Both(-4)).releaseKey(VK_SPACE);
  Ticks(script, 3);
  script.check("the release ends it", Both(-4));
  EXPECT_TRUE(script.run());
}

// The release of a held space bar goes to whichever window has the focus
// then: when the person clicked another control meanwhile, the button never
// sees it, and only losing the focus can end the repeat.
TEST_F(AutoRepeat, TheFocusGoingElsewhereEndsAKeyboardRepeat) {
  kesm_test::UiScript script;
  script.click(up_).check("the click took the focus", Both(1));
  script.holdKey(VK_SPACE);
  Ticks(script, 4);
  script.check("stepping", Both(3)).click(host_.control(kAdjustModeOption)).check("the option took the focus", [&] {
    EXPECT_EQ(GetFocus(), host_.control(kAdjustModeOption));
  });
  Ticks(script, 4);
  script.check("no more steps", Both(3)).releaseKey(VK_SPACE);
  Ticks(script, 2);
  script.check("still none", Both(3));
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
