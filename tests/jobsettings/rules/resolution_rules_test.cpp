// Whether a job above 600 dpi may stay at its resolution: the border
// limits of the source and destination paper, the enlargement by scaling
// and by poster N-up, and the refresh of the resolution settings the rule
// makes first. The context has no description, so the paper areas stay as
// the test sets them.
#include <gtest/gtest.h>

#include "jobsettings/rules/resolution_rules.h"
#include "platform/base/machine.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"

namespace {

class ResolutionRules : public ::testing::Test {
 protected:
  void SetUp() override {
    dm()->dmPrintQuality = 1200;
    Set(227, 3);  // load sharing: the border checks apply
  }
  DEVMODEW* dm() { return reinterpret_cast<DEVMODEW*>(c_.dcb().devmode); }
  UCB* ucb() { return c_.ucb(); }
  void Set(WORD id, LONG_PTR v) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb(), id, v)); }
  void Source(LONG_PTR width, LONG_PTR length) {
    Set(41, width);
    Set(40, length);
  }
  void Destination(LONG_PTR width, LONG_PTR length) {
    Set(48, width);
    Set(47, length);
  }

  plat::ScopedMachine machine_;
  kesm_test::HandContext c_;
};

TEST_F(ResolutionRules, SixHundredDpiAlwaysStays) {
  Destination(40000, 40000);
  dm()->dmPrintQuality = 600;
  EXPECT_TRUE(IsNotDownResolution(ucb(), 0));
  dm()->dmPrintQuality = 1200;
  EXPECT_FALSE(IsNotDownResolution(ucb(), 0));
}

TEST_F(ResolutionRules, TheRuleRefreshesTheResolutionsFirst) {
  dm()->dmPrintQuality = 1200;
  Set(38, 300);
  IsNotDownResolution(ucb(), 0);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb(), 38, nullptr), 1200) << "from the public field";
  EXPECT_EQ(dm()->dmYResolution, 1200);
  Set(38, 600);
  EXPECT_TRUE(IsNotDownResolution(ucb(), 1)) << "from the private setting: 600 dpi stays";
  EXPECT_EQ(dm()->dmPrintQuality, 600);
}

struct BorderCase {
  const char* what;
  LONG_PTR srcWidth;
  LONG_PTR srcLength;
  LONG_PTR dstWidth;
  LONG_PTR dstLength;
  bool stays;
};

TEST_F(ResolutionRules, BothPapersMustStayWithinTheBorder) {
  const BorderCase cases[] = {
      {"both within", 30708, 30708, 30708, 30708, true},
      {"destination length 30709", 1000, 1000, 1000, 30709, false},
      {"destination width 30709", 1000, 1000, 30709, 1000, false},
      {"source length 30709", 1000, 30709, 1000, 1000, false},
      {"source width 30709", 30709, 1000, 1000, 1000, false},
  };
  for (const BorderCase& k : cases) {
    SCOPED_TRACE(k.what);
    Source(k.srcWidth, k.srcLength);
    Destination(k.dstWidth, k.dstLength);
    EXPECT_EQ(IsNotDownResolution(ucb(), 0) != 0, k.stays);
  }
  Set(227, 2);  // without load sharing only Windows 9x has limits
  EXPECT_TRUE(IsNotDownResolution(ucb(), 0));
}

struct EnlargeCase {
  const char* what;
  LONG_PTR scaleOn;
  LONG_PTR scaleType;
  LONG_PTR scaleH;
  LONG_PTR scaleV;
  LONG_PTR nupOn;
  LONG_PTR nupKind;
  LONG_PTR nupType;
  LONG_PTR width;
  LONG_PTR length;
  bool within;
};

TEST_F(ResolutionRules, ScalingAndPostersEnlargeTheSource) {
  const EnlargeCase cases[] = {
      {"scaled to 200 % both ways", 1, 1, 200, 0, 0, 0, 0, 15354, 10000, true},
      {"scaled past the border", 1, 1, 200, 0, 0, 0, 0, 15355, 10000, false},
      {"vertical scale of its own", 1, 0, 100, 400, 0, 0, 0, 10000, 7678, false},
      {"fit to paper does not enlarge", 1, 2, 400, 400, 0, 0, 0, 20000, 20000, true},
      {"poster doubles the shorter side", 0, 0, 0, 0, 1, 9, 0x8001, 10000, 20000, true},
      {"poster doubles the length when it is shorter", 0, 0, 0, 0, 1, 9, 0x8001, 20000, 15355, false},
      {"poster of 3", 0, 0, 0, 0, 1, 9, 0x8003, 10236, 10236, true},
      {"poster of 3 past the border", 0, 0, 0, 0, 1, 9, 0x8003, 10237, 100, false},
      {"N-up that is no poster", 0, 0, 0, 0, 1, 2, 0x8003, 20000, 20000, true},
      // 65538 x 65535 is 2^32 + 65534: in 32 bits it would wrap to a few dots.
      {"a huge scale does not wrap round", 1, 1, 65535, 0, 0, 0, 0, 65538, 65538, false},
      // 2^31 + 100 doubled is 2^32 + 200: in 32 bits 200 dots.
      {"a poster factor does not wrap round", 0, 0, 0, 0, 1, 9, 0x8002, 2147483748, 100, false},
      {"the largest poster factor", 0, 0, 0, 0, 1, 9, 0xFFFF, 131080, 1, false},
  };
  for (const EnlargeCase& k : cases) {
    SCOPED_TRACE(k.what);
    Set(55, k.scaleOn);
    Set(87, k.scaleType);
    Set(89, k.scaleH);
    Set(90, k.scaleV);
    Set(56, k.nupOn);
    Set(91, k.nupKind);
    Set(92, k.nupType);
    Source(k.width, k.length);
    EXPECT_EQ(Border_SrcCheck(ucb()) != 0, k.within);
  }
}

}  // namespace
