// The red balance bar of the W2 colour-balance page (-5 to 5) has arrows
// that move it a step: pressing the right arrow at the maximum, or the left
// one at the minimum, does nothing at all (the bar is not even told); at
// any other value the press reaches the bar, which asks the page to move.
#include <gtest/gtest.h>

#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/engine/message_spy.h"
#include "tests/ui/page_host.h"
#include "ui/engine/item_handlers.h"

namespace ui_test {
namespace {

constexpr WORD kBalancePage = 1038;
constexpr WORD kRedBar = 2273;
constexpr WORD kRed = 141;

using ScrollSpy = MessageSpy<WM_HSCROLL>;  // what the bar tells the page

class DecoratedBar : public PageMachine {};

TEST_F(DecoratedBar, AnArrowAtItsLimitTakesNoPress) {
  struct Case {
    LONG_PTR value;
    bool right;  // the arrow pressed
    bool told;
  };
  const Case cases[] = {{5, true, false}, {-5, false, false}, {0, true, true}, {0, false, true}, {5, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << (c.right ? " right" : " left"));
    ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, kRed, c.value));
    ASSERT_TRUE(host_.Open(ucb_, kBalancePage));
    HWND bar = host_.control(kRedBar);
    RECT client{};
    GetClientRect(bar, &client);
    const int arrow = CalcScrollButtonWidth();
    const POINT at{c.right ? client.right - arrow / 2 - 1 : arrow / 2, client.bottom / 2};
    ScrollSpy::On(host_.page());
    kesm_test::UiScript script;
    script.clickAt(bar, at).check("pressed", [&] { EXPECT_EQ(ScrollSpy::count > 0, c.told); });
    EXPECT_TRUE(script.run());
    host_.Close();
  }
}

}  // namespace
}  // namespace ui_test
