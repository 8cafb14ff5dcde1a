// A click on a picture that stands for a choice, over the colour sample
// description (tests/data/kpd/kesm_c7_colour.kpd, papers A4, A3 and Letter;
// A3 is hidden while it is chosen from a tray other than tray 2): the
// setting steps to the next option that may be offered, wrapping at the
// end, and passes over a hidden one.
#include <gtest/gtest.h>

#include "tests/settings/constraints/engine_context.h"
#include "ui/engine/item_handlers.h"

namespace {

using kpdtest::V;

constexpr WORD kPaper = 8;
constexpr WORD kTray = 13;

class PictureChoice : public kesm_test::EngineContext {
 protected:
  void SetUp() override {
    EngineContext::SetUp();
    ASSERT_NO_FATAL_FAILURE(Hold("kesm_c7_colour.kpd"));
    picture_.pUiGroup = Group("KPD_IDC_PRESET_CHOICE_PAPERSIZE");
    picture_.pSFCB = GetSFCBbyFuncID(ucb(), kPaper);
    StoreUi(kTray, V("TRAY_TRAY1"));
  }
  int Click() { return ChangeDataNext(ucb(), nullptr, &picture_, 0, 0, 0); }

  ICB picture_{};
};

TEST_F(PictureChoice, EachClickStepsToTheNextOptionAndWraps) {
  StoreUi(kPaper, V("PAPER_A4"));
  const WORD expected[] = {V("PAPER_A3"), V("PAPER_LETTER"), V("PAPER_A4")};
  for (const WORD value : expected) {
    EXPECT_EQ(Click(), 1);
    EXPECT_EQ(Ui(kPaper), value);
    if (value == V("PAPER_A3")) StoreUi(kTray, V("TRAY_TRAY2"));  // keeps A3 offered while it is chosen
  }
}

TEST_F(PictureChoice, AHiddenOptionIsPassedOver) {
  StoreUi(kPaper, V("PAPER_LETTER"));
  EXPECT_EQ(Click(), 1);
  EXPECT_EQ(Ui(kPaper), V("PAPER_A4"));
  StoreUi(kPaper, V("PAPER_A3"));  // from tray 1: hidden while chosen
  EXPECT_EQ(Click(), 1);
  EXPECT_EQ(Ui(kPaper), V("PAPER_LETTER"));
}

TEST_F(PictureChoice, WithoutAGroupOrACurrentOptionTheClickDoesNothing) {
  StoreUi(kPaper, V("PAPER_A4"));
  ICB unbound{};
  EXPECT_EQ(ChangeDataNext(ucb(), nullptr, &unbound, 0, 0, 0), 0);
  EXPECT_EQ(ChangeDataNext(ucb(), nullptr, nullptr, 0, 0, 0), 0);
  Store(kPaper, 0x7777);  // a stored value of no option
  const LONG_PTR before = Ui(kPaper);
  EXPECT_EQ(Click(), 0);
  EXPECT_EQ(Ui(kPaper), before);
}

}  // namespace
