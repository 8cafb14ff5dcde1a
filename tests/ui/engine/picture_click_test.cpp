// A click on the printer picture of the W2 basic page: away from its tray
// areas it steps the picture's own choice (its three views) to the next,
// wrapping after the last; on a tray area it is the tray's, and the view
// stays.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ui_test
