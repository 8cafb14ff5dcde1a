// The colour adjustment of the pages' pictures on known colours: neutral
// values change nothing, grey gives the luminance, shifts move one channel,
// contrast spreads the channels around the middle, and results stay within
// 0-255.
#include "ui/bitmaps/adjust_color.h"

#include <gtest/gtest.h>

#include "settings/values/setting_value.h"
#include "tests/ui/engine_machine.h"

namespace ui_test {
namespace {

struct ColourCase {
  const char* what;
  ColourAdjustment adjustment;
  COLORREF colour;
  BOOL grey;
  COLORREF expected;
};

TEST(AdjustColor, KnownColoursComeOutAsExpected) {
  const ColourCase cases[] = {
      {"neutral", kNeutralAdjustment, RGB(12, 200, 99), FALSE, RGB(12, 200, 99)},
      {"grey: the luminance (30 R + 59 G + 11 B) / 100", kNeutralAdjustment, RGB(100, 200, 50), TRUE,
       RGB(153, 153, 153)},
      {"red shift +20", {50, 50, 50, 70, 50, 50}, RGB(100, 100, 100), FALSE, RGB(120, 100, 100)},
      {"blue shift -50 stops at 0", {50, 50, 50, 50, 50, 0}, RGB(100, 100, 30), FALSE, RGB(100, 100, 0)},
      {"green shift +50 stops at 255", {50, 50, 50, 50, 100, 50}, RGB(0, 230, 0), FALSE, RGB(0, 255, 0)},
      {"shifts are not applied to grey", {50, 50, 50, 100, 0, 100}, RGB(100, 100, 100), TRUE, RGB(100, 100, 100)},
      {"contrast 100 spreads around the middle", {50, 100, 50, 50, 50, 50}, RGB(200, 128, 50), FALSE,
       RGB(228, 128, 19)},
      {"contrast 0 flattens", {50, 0, 50, 50, 50, 50}, RGB(200, 128, 50), FALSE, RGB(171, 128, 80)},
      {"saturation 0 pulls channels towards the luminance", {50, 50, 0, 50, 50, 50}, RGB(200, 100, 100), FALSE,
       RGB(147, 123, 123)},
      {"brightness 100 lifts every channel", {100, 50, 50, 50, 50, 50}, RGB(100, 100, 100), FALSE,
       RGB(175, 175, 175)},
      {"brightness 0 darkens to black", {0, 50, 50, 50, 50, 50}, RGB(60, 60, 60), FALSE, RGB(0, 0, 0)},
      {"grey after brightness", {60, 50, 50, 50, 50, 50}, RGB(100, 200, 50), TRUE, RGB(168, 168, 168)},
  };
  for (const ColourCase& c : cases) {
    const COLORREF got = AdjustColorBy(c.adjustment, c.colour, c.grey);
    EXPECT_EQ(got, c.expected) << c.what << ": got " << int(GetRValue(got)) << "," << int(GetGValue(got)) << ","
                               << int(GetBValue(got));
  }
}

class AdjustColorOfContext : public EngineMachine {};

TEST_F(AdjustColorOfContext, TheContextsSettingsAreApplied) {
  EXPECT_EQ(AdjustColor(ucb_, RGB(100, 100, 100), FALSE), RGB(100, 100, 100));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 141, 10));  // red +10 (settings run from -50 to 50)
  EXPECT_EQ(AdjustColor(ucb_, RGB(100, 100, 100), FALSE), RGB(110, 100, 100));
}

}  // namespace
}  // namespace ui_test
