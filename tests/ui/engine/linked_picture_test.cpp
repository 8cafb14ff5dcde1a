// The orientation picture of the W2 preset page stands for the orientation
// radio buttons: a click on it moves the choice to the next button, and
// from the last back to the first. While the buttons are disabled (the
// printer picture's letter view fixes the orientation) the click does
// nothing.
#include <gtest/gtest.h>

#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kOrientationPicture = 2025;
constexpr WORD kPortraitButton = 2026;
constexpr WORD kOrientation = 7;
constexpr WORD kPrinterPictureView = 1165;
constexpr LONG_PTR kPortrait = 2026;  // the options are the buttons' ids
constexpr LONG_PTR kLandscape = 2027;

class LinkedPicture : public PageMachine {
 protected:
  LONG_PTR Orientation() const { return GetDevmodeValueByFuncID(ucb_, kOrientation, nullptr); }
};

TEST_F(LinkedPicture, AClickMovesTheChoiceToTheNextButtonAndRoundAgain) {
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  ASSERT_EQ(Orientation(), kPortrait);
  HWND picture = host_.control(kOrientationPicture);
  kesm_test::UiScript script;
  script.click(picture)
      .check("landscape", [&] { EXPECT_EQ(Orientation(), kLandscape); })
      .click(picture)
      .check("portrait again", [&] { EXPECT_EQ(Orientation(), kPortrait); });
  EXPECT_TRUE(script.run());
}

TEST_F(LinkedPicture, AClickDoesNothingWhileTheChoiceIsDisabled) {
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, kPrinterPictureView, GetSPbyKeyWord("PAPER_LETTER")->valueIndex));
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  ASSERT_FALSE(IsWindowEnabled(host_.control(kPortraitButton)));
  kesm_test::UiScript script;
  script.click(host_.control(kOrientationPicture)).check("unchanged", [&] { EXPECT_EQ(Orientation(), kPortrait); });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
