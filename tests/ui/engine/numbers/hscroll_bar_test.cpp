// Decorated horizontal scroll bars worked with the mouse and the keyboard:
// arrows step a line, the shaft a page, the thumb goes where it is dragged
// (below 0 too), Home and End step by one, and the range holds every move.
// The red balance of the balance dialog 1038 has the range -10 to 10 from
// the description; the red of the stamp's text colour (dialog 1022) has no
// data and offers 0-200.
#include <gtest/gtest.h>

#include "tests/ui/engine/numbers/number_page.h"

namespace numbers_test {
namespace {

constexpr WORD kBalanceDialog = 1038;
constexpr WORD kRedBar = 2273;
constexpr WORD kRed = 141;
constexpr WORD kStampDialog = 1022;
constexpr WORD kStampRedBar = 3652;
constexpr WORD kStampRed = 785;

class HScrollBar : public NumberPage {};

enum class Act { kClick, kDrag, kKey };

struct ScrollCase {
  const char* what;
  LONG start;
  Act act;
  int arg;  // the part clicked (SB_ code), the thumb's place, or the key
  LONG expected;
};

constexpr ScrollCase kRedCases[] = {
    {"left arrow", 0, Act::kClick, SB_LINELEFT, -1},
    {"right arrow", 0, Act::kClick, SB_LINERIGHT, 1},
    {"shaft left of the thumb", 0, Act::kClick, SB_PAGELEFT, -10},
    {"shaft right of the thumb", 0, Act::kClick, SB_PAGERIGHT, 10},
    {"shaft right near the end", 5, Act::kClick, SB_PAGERIGHT, 10},
    {"left arrow at the minimum", -10, Act::kClick, SB_LINELEFT, -10},
    {"right arrow at the maximum", 10, Act::kClick, SB_LINERIGHT, 10},
    {"thumb below 0", 0, Act::kDrag, -5, -5},
    {"thumb to the lower end", 3, Act::kDrag, -10, -10},
    {"thumb above 0", 0, Act::kDrag, 7, 7},
    {"Home", 3, Act::kKey, VK_HOME, 2},
    {"End", 3, Act::kKey, VK_END, 4},
    {"Home at the minimum", -10, Act::kKey, VK_HOME, -10},
    {"arrow key", 3, Act::kKey, VK_RIGHT, 4},
};

TEST_F(HScrollBar, DISABLED_EachPartOfTheBarMovesTheValueWithinItsRange) {
  for (const ScrollCase& c : kRedCases) {
    SCOPED_TRACE(c.what);
    Given(kRed, c.start);
    Open(kBalanceDialog);
    kesm_test::UiScript script;
    switch (c.act) {
      case Act::kClick:
        script.scroll(Control(kRedBar), static_cast<WORD>(c.arg));
        break;
      case Act::kDrag:
        script.dragThumb(Control(kRedBar), c.arg);
        break;
      case Act::kKey:
        // Taking the thumb where it stands gives the bar the focus.
        script.dragThumb(Control(kRedBar), c.start).key(static_cast<UINT>(c.arg));
        break;
    }
    script.check("the balance", [&] { EXPECT_EQ(Stored(kRed), c.expected); });
    Run(script);
    host_.Close();
  }
}

TEST_F(HScrollBar, DISABLED_MovesAddUpAndABarWithoutDataOffersTwoHundred) {
  Given(kStampRed, 195);
  Open(kStampDialog);
  kesm_test::UiScript script;
  script.scroll(Control(kStampRedBar), SB_LINERIGHT)
      .scroll(Control(kStampRedBar), SB_LINERIGHT)
      .check("two lines", [&] { EXPECT_EQ(Stored(kStampRed), 197); })
      .scroll(Control(kStampRedBar), SB_PAGERIGHT)
      .check("a page, held at 200", [&] { EXPECT_EQ(Stored(kStampRed), 200); })
      .dragThumb(Control(kStampRedBar), 0)
      .scroll(Control(kStampRedBar), SB_PAGERIGHT)
      .check("from 0 a page", [&] { EXPECT_EQ(Stored(kStampRed), 10); });
  Run(script);
}

}  // namespace
}  // namespace numbers_test
