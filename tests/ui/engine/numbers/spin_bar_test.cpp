// Spin bars beside the number edits of the scale and margin dialogs, worked
// with the mouse: the upper arrow increases, a page is the description's
// page step, the thumb goes where it is dragged, the range holds every move,
// and the release's SB_ENDSCROLL only stores the position again. A size
// item spins in display units and stores dots.
#include <gtest/gtest.h>

#include "tests/ui/engine/numbers/number_page.h"

namespace numbers_test {
namespace {

class SpinBar : public NumberPage {};

// One person's action on the horizontal scale's spin (range 20-400, page
// 25) from a given value.
struct SpinCase {
  const char* what;
  LONG start;
  WORD code;      // SB_LINEUP..SB_PAGEDOWN clicked, or SB_THUMBPOSITION dragged
  int thumbTo;    // for a drag
  LONG expected;
};

constexpr SpinCase kSpinCases[] = {
    {"upper arrow", 100, SB_LINEUP, 0, 101},
    {"lower arrow", 100, SB_LINEDOWN, 0, 99},
    {"page up", 100, SB_PAGEUP, 0, 125},
    {"page down", 100, SB_PAGEDOWN, 0, 75},
    {"upper arrow at the maximum", 400, SB_LINEUP, 0, 400},
    {"lower arrow at the minimum", 20, SB_LINEDOWN, 0, 20},
    {"page up near the maximum", 390, SB_PAGEUP, 0, 400},
    {"page down near the minimum", 30, SB_PAGEDOWN, 0, 20},
    {"thumb to the upper end of the range", 100, SB_THUMBPOSITION, 400, 400},
    {"thumb to the lower end of the range", 100, SB_THUMBPOSITION, 20, 20},
    {"thumb within the range", 100, SB_THUMBPOSITION, 250, 250},
};

TEST_F(SpinBar, EachPartOfTheSpinMovesTheValueWithinItsRange) {
  for (const SpinCase& c : kSpinCases) {
    SCOPED_TRACE(c.what);
    Given(kScaleH, c.start);
    Open(kScaleDialog);
    Stretch(kScaleHSpin);
    kesm_test::UiScript script;
    if (c.code == SB_THUMBPOSITION) {
      script.dragThumb(Control(kScaleHSpin), c.thumbTo);
    } else {
      script.scroll(Control(kScaleHSpin), c.code);
    }
    script.check("the scale", [&] { EXPECT_EQ(Stored(kScaleH), c.expected); });
    Run(script);
    host_.Close();
  }
}

TEST_F(SpinBar, ClicksAddUpAndTheEditShowsTheValue) {
  Given(kScaleH, 100);
  Open(kScaleDialog);
  kesm_test::UiScript script;
  script.scroll(Control(kScaleHSpin), SB_LINEUP)
      .scroll(Control(kScaleHSpin), SB_LINEUP)
      .scroll(Control(kScaleHSpin), SB_LINEUP)
      .scroll(Control(kScaleHSpin), SB_LINEDOWN)
      .check("two steps up", [&] {
        EXPECT_EQ(Stored(kScaleH), 102);
        EXPECT_EQ(Text(kScaleHEdit), u"102");
      });
  Run(script);
}

// A length spins in tenths of a millimetre or hundredths of an inch and
// stores the dots of the value it shows.
TEST_F(SpinBar, ASizeSpinsInTheDisplayUnitAndStoresDots) {
  struct UnitCase {
    bool inches;
    LONG startDots;
    LONG expectedDots;
    const char16_t* shown;
  };
  // 1200 dots are 101.6 mm or 1.00 in; a step up stores the dots of
  // 101.7 mm (4804) or 1.01 in (1212).
  const UnitCase cases[] = {{false, 4800, 4804, u"101.7"}, {true, 1200, 1212, u"1.01"}};
  for (const UnitCase& c : cases) {
    SCOPED_TRACE(c.inches ? "inches" : "millimetres");
    c.inches ? GivenInches() : GivenMillimetres();
    Given(kMarginOdd, c.startDots);
    Open(kMarginDialog);
    kesm_test::UiScript script;
    script.scroll(Control(kOddSpin), SB_LINEUP).check("one step up", [&] {
      EXPECT_EQ(Stored(kMarginOdd), c.expectedDots);
      EXPECT_EQ(Text(kOddEdit), c.shown);
    });
    Run(script);
    host_.Close();
  }
}

// The spin of a size offers the display range: the odd margin's 120-30000
// dots are 2.6-635.0 mm (120 dots are 2.54 mm, rounded up into the range).
TEST_F(SpinBar, ASizeSpinStopsAtTheDisplayRange) {
  GivenMillimetres();
  Given(kMarginOdd, 30000);
  Open(kMarginDialog);
  Stretch(kOddSpin);
  kesm_test::UiScript script;
  script.scroll(Control(kOddSpin), SB_LINEUP)
      .check("the maximum stays", [&] { EXPECT_EQ(Stored(kMarginOdd), 30000); })
      .dragThumb(Control(kOddSpin), 26)
      .check("the minimum", [&] {
        EXPECT_EQ(Stored(kMarginOdd), 122);
        EXPECT_EQ(Text(kOddEdit), u"2.6");
      });
  Run(script);
}

}  // namespace
}  // namespace numbers_test
