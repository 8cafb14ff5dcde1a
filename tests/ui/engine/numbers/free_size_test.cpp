// The custom paper size of the free-size input dialog 1041, whose length
// edit and spin the free-size module takes over: in inches the edit shows
// the module's own hundredths of an inch and tells it what is typed and
// spun, and the spin offers the tray's range; leaving an edit holds the
// size inside that range. Tray 2 in portrait takes lengths of 6600-21636
// dots (139.7-458.0 mm, 5.50-18.03 in).
#include <gtest/gtest.h>

#include "tests/ui/engine/numbers/number_page.h"

namespace numbers_test {
namespace {

constexpr WORD kFreeSizeDialog = 1041;
constexpr WORD kLengthEdit = 2682;
constexpr WORD kLengthSpin = 2685;
constexpr WORD kWidthEdit = 2689;
constexpr WORD kPaperSize = 8;
constexpr WORD kLength = 341;
constexpr WORD kTray = 342;
constexpr WORD kOrientation = 343;
constexpr WORD kInchLength = 594;
constexpr WORD kInputType = 855;

class FreeSize : public NumberPage {
 protected:
  // A custom paper of the job, from tray 2 in portrait.
  void GivenCustomPaper(LONG lengthDots) {
    Given(kPaperSize, 256);
    Given(kInputType, 1);
    Given(kTray, 2);
    Given(kOrientation, 1);
    Given(kLength, lengthDots);
  }
};

TEST_F(FreeSize, InInchesTheModuleKeepsTheTypedAndSpunLength) {
  GivenInches();
  GivenCustomPaper(14400);
  Given(kInchLength, 1200);
  Open(kFreeSizeDialog);
  EXPECT_EQ(Text(kLengthEdit), u"12.00");
  int min = 0;
  int max = 0;
  SendMessageW(Control(kLengthSpin), SBM_GETRANGE, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
  EXPECT_EQ(min, 550);
  EXPECT_EQ(max, 1803);
  kesm_test::UiScript script;
  script.text(Control(kLengthEdit), u"11.5")
      .check("typed", [&] {
        EXPECT_EQ(Stored(kInchLength), 1150);
        EXPECT_EQ(Stored(kLength), 13800);
      })
      .scroll(Control(kLengthSpin), SB_LINEUP)
      .check("spun", [&] {
        EXPECT_EQ(Stored(kInchLength), 1151);
        EXPECT_EQ(Stored(kLength), 13812);
        EXPECT_EQ(Text(kLengthEdit), u"11.51");
      });
  Run(script);
}

TEST_F(FreeSize, LeavingALengthHoldsItInTheTraysRange) {
  GivenMillimetres();
  GivenCustomPaper(14400);
  Open(kFreeSizeDialog);
  kesm_test::UiScript script;
  script.text(Control(kLengthEdit), u"50")
      .check("typed", [&] { EXPECT_EQ(Stored(kLength), 2362); })
      .click(Control(kWidthEdit))
      .check("held at the tray's shortest", [&] {
        EXPECT_EQ(Stored(kLength), 6600);
        EXPECT_EQ(Text(kLengthEdit), u"139.7");
      });
  Run(script);
}

}  // namespace
}  // namespace numbers_test
