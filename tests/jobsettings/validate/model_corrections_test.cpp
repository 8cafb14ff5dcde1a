// Model-dependent corrections of settings, on a hand-built context.
#include <cstring>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "jobsettings/validate/model_corrections.h"
#include "platform/base/machine.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"

namespace {

using kesm_test::HandContext;

constexpr WORD kFinQG = 10082;
constexpr WORD kFinQK = 10084;

class ModelCorrections : public ::testing::Test {
 protected:
  UCB* ucb() { return ctx_.ucb(); }
  void Set(WORD id, LONG_PTR v) { SetDevmodeValueDirectByFuncID(ucb(), id, v); }
  LONG_PTR Get(WORD id) { return GetDevmodeValueDirectByFuncID(ucb(), id, nullptr); }

  plat::ScopedMachine machine_;
  HandContext ctx_;
};

// Finisher options 10086-10097 (the FIN1 variants NA, EU, NE and no-punch,
// then FIN2, then FIN3) after a correction: the ids that end on.
struct PunchCase {
  const char* what;
  std::vector<WORD> before;  // options on before the correction
  DWORD region;
  std::vector<WORD> after;
};

TEST_F(ModelCorrections, GenericFinisherOptionsBecomeTheirRegionalVariants) {
  const PunchCase cases[] = {
      {"FinQG without punch", {kFinQG, 10097}, 0, {10089}},
      {"FinQG for region 132", {kFinQG, 10089, 10094}, 132, {10086}},
      {"FinQG for region 134", {kFinQG, 10096}, 134, {10088}},
      {"FinQK without punch", {kFinQK, 10089}, 0, {10097}},
      {"FinQK for region 133", {kFinQK, 10087, 10097}, 133, {10095}},
      {"FinQK for another region", {kFinQK, 10097}, 135, {10097}},
      {"both finishers without punch", {kFinQG, kFinQK}, 0, {10097}},
      {"no generic option", {10087, 10095}, 132, {10087, 10095}},
  };
  for (const PunchCase& c : cases) {
    for (WORD id = kFinQG; id <= 10097; ++id) Set(id, 0);
    for (WORD id : c.before) Set(id, 1);
    CorrectOptDevByOptDevPunchDependOnMachine(c.region, ucb());
    std::vector<WORD> on;
    for (WORD id = kFinQG; id <= 10097; ++id) {
      if (Get(id) != 0) on.push_back(id);
    }
    EXPECT_EQ(on, c.after) << c.what;
  }
}

TEST_F(ModelCorrections, OneStepOptionCountFollowsTheDevice) {
  struct Case {
    WORD option;
    DWORD device;
    LONG number;
    LONG numberAfter;
    LONG_PTR count;  // 10110 afterwards, from 0
  } cases[] = {
      {10023, 105, 0, 1, 1}, {10023, 30, 0, 1, 1},  {10023, 30, 1, 1, 0},  {10023, 106, 0, 2, 2},
      {10023, 106, 1, 2, 2}, {10023, 106, 2, 2, 0}, {10023, 107, 0, 0, 0}, {10022, 105, 0, 0, 0},
  };
  for (const Case& c : cases) {
    Set(10110, 0);
    LONG number = c.number;
    Setkdm1StepOptionNumDependOnMachine(c.option, c.device, &number, ucb());
    EXPECT_EQ(number, c.numberAfter) << c.option << " " << c.device << " " << c.number;
    EXPECT_EQ(Get(10110), c.count) << c.option << " " << c.device << " " << c.number;
  }
}

TEST_F(ModelCorrections, BalanceMacroFollowsTheResolutionUnlessUserMacrosAreOn) {
  const std::map<LONG, LONG_PTR> balance = {{150, 18}, {200, 17}, {300, 17}, {400, 17}, {600, 17}, {1200, 18}};
  for (const auto& [dpi, macro] : balance) {
    Set(178, 0);
    SetResolutionDataOfUIDependOnMachine(dpi, ucb());
    EXPECT_EQ(Get(178), macro) << dpi;
  }
  Set(176, 1);
  Set(178, 20);
  SetResolutionDataOfUIDependOnMachine(600, ucb());
  EXPECT_EQ(Get(178), 20);
}

TEST_F(ModelCorrections, OtherInformationFollowsTheDriverType) {
  EXPECT_STREQ(GetOtherStr(0), "8203150207d014");
  EXPECT_STREQ(GetOtherStr(0x100), "8203150207d014") << "only the low byte counts";
  EXPECT_STREQ(GetOtherStr(1), "8202150207d014");
  for (const auto& [type, text] : std::map<LONG_PTR, const char*>{{0, "8203150207d014"}, {1, "8202150207d014"}}) {
    Set(242, type);
    SetOtherTableToDevmdodeDependOnMachine(ucb());
    EXPECT_STREQ(reinterpret_cast<const char*>(Get(10274)), text) << type;
  }
}

}  // namespace
