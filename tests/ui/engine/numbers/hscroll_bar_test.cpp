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
  bool balance;  // the red balance (-10 to 10), else the stamp's red (0-200)
  LONG start;
  Act act;
  int arg;  // the part clicked (SB_ code), the thumb's place, or the key
  LONG expected;
};

constexpr ScrollCase kScrollCases[] = {
    {"left arrow", false, 5, Act::kClick, SB_LINELEFT, 4},
    {"right arrow", false, 5, Act::kClick, SB_LINERIGHT, 6},
    {"left arrow at the minimum", false, 0, Act::kClick, SB_LINELEFT, 0},
    {"right arrow at the maximum", false, 200, Act::kClick, SB_LINERIGHT, 200},
    {"shaft left of the thumb", true, 0, Act::kClick, SB_PAGELEFT, -10},
    {"shaft right of the thumb", true, 0, Act::kClick, SB_PAGERIGHT, 10},
    {"shaft right near the end", true, 5, Act::kClick, SB_PAGERIGHT, 10},
    {"thumb below 0", true, 0, Act::kDrag, -5, -5},
    {"thumb to the lower end", true, 3, Act::kDrag, -10, -10},
    {"thumb above 0", true, 0, Act::kDrag, 7, 7},
    {"Home", true, 3, Act::kKey, VK_HOME, 2},
    {"End", true, 3, Act::kKey, VK_END, 4},
    {"Home at the minimum", true, -10, Act::kKey, VK_HOME, -10},
    {"arrow key", true, 3, Act::kKey, VK_RIGHT, 4},
};

TEST_F(HScrollBar, EachPartOfTheBarMovesTheValueWithinItsRange) {
  for (const ScrollCase& c : kScrollCases) {
    SCOPED_TRACE(c.what);
    const WORD funcId = c.balance ? kRed : kStampRed;
    Given(funcId, c.start);
    Open(c.balance ? kBalanceDialog : kStampDialog);
    const HWND bar = Control(c.balance ? kRedBar : kStampRedBar);
    kesm_test::UiScript script;
    switch (c.act) {
      case Act::kClick:
        script.scroll(bar, static_cast<WORD>(c.arg));
        break;
      case Act::kDrag:
        script.dragThumb(bar, c.arg);
        break;
      case Act::kKey:
        // Taking the thumb where it stands gives the bar the focus.
        script.dragThumb(bar, c.start).key(static_cast<UINT>(c.arg));
        break;
    }
    script.check("the value", [&] { EXPECT_EQ(Stored(funcId), c.expected); });
    Run(script);
    host_.Close();
  }
}

TEST_F(HScrollBar, MovesAddUpAndABarWithoutDataOffersTwoHundred) {
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
