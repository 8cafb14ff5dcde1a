// Validation corrects a job by the device rules: the Kesm F4 sample
// (tests/data/kpd/kesm_f4_finisher.kpd) asks the finisher whether it can
// staple where the job asks and asks tray 2 whether it holds the paper,
// and its transacts move the staple or the tray when they cannot.
#include <gtest/gtest.h>

#include "jobsettings/validate/validate_devmode.h"
#include "tests/jobsettings/rules/rule_context.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace rules_test {
namespace {

using validation_test::Bytes;

constexpr DWORD kDeviceCapabilities = 0x1000008;  // runs the constraint pass, reads no properties
constexpr SHORT kPortrait = 1;
constexpr SHORT kLandscape = 2;
constexpr WORD kSelectStaple = 63;
constexpr WORD kStapleType = 121;
constexpr WORD kQK = 10084;
constexpr WORD kTray1Paper = 10175;
constexpr WORD kTray1Orient = 10143;
constexpr WORD kTray2Paper = 10176;

class RulesValidation : public validation_test::ValidationMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_f4_finisher.kpd"));
    ucb_ = Open();
    ASSERT_NE(ucb_, nullptr);
    // The printer: the finisher, A4 portrait in tray 1, A3 in tray 2.
    Set(ucb_, kQK, 1);
    Set(ucb_, kTray1Paper, kA4);
    Set(ucb_, kTray1Orient, kP);
    Set(ucb_, kTray2Paper, kA3);
  }
  // The context's DEVMODE with the job's paper, tray, orientation and
  // staple, validated back into the context.
  int Validate(WORD paper, WORD tray, bool staple, WORD stapleType, SHORT orientation = kPortrait) {
    Set(ucb_, kSelectStaple, staple ? 1 : 0);
    Set(ucb_, kStapleType, stapleType);
    Bytes b = Image(ucb_);
    Dm(b)->dmPaperSize = static_cast<SHORT>(paper);
    Dm(b)->dmDefaultSource = static_cast<SHORT>(tray);
    Dm(b)->dmOrientation = orientation;
    Dm(b)->dmFields |= DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_ORIENTATION;
    return ValidateDevmode(ucb_, Dm(b), b.size(), kDeviceCapabilities);
  }

  UCB* ucb_ = nullptr;
};

struct StapleCase {
  const char* what;
  WORD paper;
  SHORT orientation;
  WORD asked;
  bool staples;
  WORD stapleType;
};

TEST_F(RulesValidation, AStapleTheFinisherCannotMakeIsCorrected) {
  const StapleCase cases[] = {
      {"two staples on top of A4 fed portrait", kA4, kPortrait, 65, true, 65},
      {"slant staple of A4 fed portrait", kA4, kPortrait, 33, true, 33},
      {"two left across the feed: the corner instead", kA4, kPortrait, 67, true, 49},
      {"two left in landscape", kA4, kLandscape, 67, true, 67},
      {"two on top in landscape: the corner instead", kA4, kLandscape, 65, true, 49},
      {"no A3 in the source tray: no staple at all", kA3, kPortrait, 65, false, 49},
  };
  for (const StapleCase& k : cases) {
    SCOPED_TRACE(k.what);
    ASSERT_EQ(Validate(k.paper, kTray1, true, k.asked, k.orientation), 1);
    EXPECT_EQ(Value(ucb_, kSelectStaple) != 0, k.staples);
    EXPECT_EQ(Value(ucb_, kStapleType), k.stapleType);
  }
}

TEST_F(RulesValidation, WithStaplingOffTheStapleTypeReturnsToItsDefault) {
  // The type counts only while stapling is on. The default names the
  // upright corner, and is the corner's code on a turned print too.
  for (const SHORT orientation : {kPortrait, kLandscape}) {
    SCOPED_TRACE(orientation);
    ASSERT_EQ(Validate(kA4, kTray1, false, 65, orientation), 1);
    EXPECT_EQ(Value(ucb_, kSelectStaple), 0);
    EXPECT_EQ(Value(ucb_, kStapleType), 49);
  }
}

TEST_F(RulesValidation, ATrayThatDoesNotHoldThePaperGivesWay) {
  ASSERT_EQ(Validate(kA3, kTray2, false, 49), 1);
  EXPECT_EQ(Dm(ucb_)->dmDefaultSource, kTray2) << "tray 2 holds A3";
  ASSERT_EQ(Validate(kA4, kTray2, false, 49), 1);
  EXPECT_EQ(Dm(ucb_)->dmDefaultSource, kAuto) << "tray 2 holds no A4";
  ASSERT_EQ(Validate(kA4, kTray1, false, 49), 1);
  EXPECT_EQ(Dm(ucb_)->dmDefaultSource, kTray1) << "another tray is not asked about";
}

}  // namespace
}  // namespace rules_test
