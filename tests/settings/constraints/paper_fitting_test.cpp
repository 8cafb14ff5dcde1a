// The output paper size on a hand context: the default paper, the rules
// that ask for fitting to it, the paper that is printed, and built-in
// function 1 with its fitting scale, each as a table of cases.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "settings/constraints/paper_fitting.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"
#include "ui/constraint_services.h"

namespace {

constexpr WORD kPaper = 8;
constexpr WORD kSrcLength = 40;
constexpr WORD kSrcWidth = 41;
constexpr WORD kOutPaper = 46;
constexpr WORD kDstLength = 47;
constexpr WORD kDstWidth = 48;
constexpr WORD kScaleOn = 55;
constexpr WORD kNup = 56;
constexpr WORD kDuplex = 58;
constexpr WORD kScaleType = 87;
constexpr WORD kScaleH = 89;
constexpr WORD kScaleV = 90;
constexpr WORD kDuplexType = 94;
constexpr WORD kLocale = 172;
constexpr WORD kPrnMethod = 209;
constexpr WORD kDriverType = 242;
constexpr WORD kFrontFunc = 348;
constexpr WORD kHiddenFunc16 = 365;
constexpr WORD kA4Fit = 383;

class PaperFitting : public ::testing::Test {
 protected:
  UCB* ucb() { return c_.ucb(); }
  void Store(WORD funcId, LONG_PTR value) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb(), funcId, value)); }
  void StoreAll(std::initializer_list<std::pair<WORD, LONG_PTR>> values) {
    for (const auto& [id, v] : values) Store(id, v);
  }
  LONG_PTR Stored(WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb(), funcId, nullptr); }
  // Letter is the default paper for a driver type and locale that ask for
  // it; A4 otherwise.
  void DefaultLetter(bool letter) { StoreAll({{kDriverType, letter ? 1 : 0}, {kLocale, letter ? 1 : 0}}); }

  kesm_test::HandContext c_;
};

struct DefaultCase {
  LONG_PTR driverType;
  LONG_PTR locale;
  LONG_PTR hidden16;
  BOOL letter;
};

TEST_F(PaperFitting, TheDefaultPaperFollowsTheMarketUnlessReversed) {
  const DefaultCase cases[] = {
      {0, 0, 0, FALSE}, {1, 1, 0, TRUE}, {1, 0, 0, FALSE}, {0, 1, 0, FALSE},
      {1, 1, 1, FALSE}, {0, 0, 1, TRUE}, {1, 0, 1, TRUE},
  };
  for (const DefaultCase& k : cases) {
    SCOPED_TRACE(testing::Message() << k.driverType << k.locale << k.hidden16);
    StoreAll({{kDriverType, k.driverType}, {kLocale, k.locale}, {kHiddenFunc16, k.hidden16}});
    EXPECT_EQ(GetDefPaperFitting(ucb()), k.letter);
    EXPECT_EQ(GetDefaultFittingPaper(ucb()), k.letter ? 1 : 9);
  }
}

struct AskCase {
  const char* what;
  std::initializer_list<std::pair<WORD, LONG_PTR>> change;
  bool letter;
  BOOL asked;
};

TEST_F(PaperFitting, EveryRuleMustHoldToAskForFitting) {
  const AskCase cases[] = {
      {"all rules hold", {}, false, TRUE},
      {"the front function's fitting bit is off", {{kFrontFunc, 0x7}}, false, FALSE},
      {"the fitting switch is off", {{kA4Fit, 0}}, false, FALSE},
      {"an output size of its own", {{kOutPaper, 9}}, false, FALSE},
      {"the default output code", {{kOutPaper, 1025}}, false, TRUE},
      {"the second default output code", {{kOutPaper, 1026}}, false, TRUE},
      {"printing by merge", {{kPrnMethod, 5}}, false, FALSE},
      {"printing by overlay", {{kPrnMethod, 7}}, false, FALSE},
      {"a secure print", {{kPrnMethod, 1}}, false, TRUE},
      {"scaling by percentage", {{kScaleOn, 1}, {kScaleType, 1}}, false, FALSE},
      {"scaling by fitting", {{kScaleOn, 1}, {kScaleType, 2}}, false, TRUE},
      {"A4 when A4 is the default", {{kPaper, 9}}, false, FALSE},
      {"Letter when Letter is the default", {{kPaper, 1}}, true, FALSE},
      {"A4 when Letter is the default", {{kPaper, 9}}, true, TRUE},
  };
  for (const AskCase& k : cases) {
    SCOPED_TRACE(k.what);
    StoreAll({{kFrontFunc, 0x8}, {kA4Fit, 1}, {kOutPaper, 1024}, {kPrnMethod, 0}, {kScaleOn, 0}, {kScaleType, 0},
              {kPaper, 8}});
    DefaultLetter(k.letter);
    StoreAll(k.change);
    EXPECT_EQ(IsPaperFittingAsked(ucb()), k.asked);
    // This model has no paper that may be fitted: even where every rule
    // asks for fitting, the paper is not fitted.
    EXPECT_FALSE(GetPaperFittingWorkCondition(ucb()));
  }
}

struct PrintSizeCase {
  LONG_PTR outPaper;
  LONG_PTR paper;
  bool letter;
  LONG printed;
};

TEST_F(PaperFitting, ThePrintedPaper) {
  const PrintSizeCase cases[] = {
      {1024, 8, false, 8}, {1024, 1, true, 1},   {1025, 8, true, 1}, {1025, 8, false, 9},
      {1026, 1, false, 9}, {1026, 9, true, 1},   {5, 8, true, 5},    {448, 9, false, 448},
  };
  for (const PrintSizeCase& k : cases) {
    SCOPED_TRACE(testing::Message() << k.outPaper << " on " << k.paper);
    StoreAll({{kOutPaper, k.outPaper}, {kPaper, k.paper}, {kFrontFunc, 0x8}, {kA4Fit, 1}});
    DefaultLetter(k.letter);
    EXPECT_EQ(GetPrintSize(ucb()), k.printed);
  }
}

struct BuiltInCase {
  const char* what;
  std::initializer_list<std::pair<WORD, LONG_PTR>> settings;
  LONG_PTR scale;  // in both scales afterwards; 50 is the scale before
};

TEST_F(PaperFitting, BuiltInFunctionOneStoresTheFittingScale) {
  // A4 (9921 x 14031 dots) onto Letter (10200 x 13200): the length gives 94.
  const std::initializer_list<std::pair<WORD, LONG_PTR>> a4 = {{kSrcWidth, 9921}, {kSrcLength, 14031}};
  const BuiltInCase cases[] = {
      {"the default paper", {{kOutPaper, 1025}}, 94},
      {"the second default code", {{kOutPaper, 1026}}, 94},
      {"N-up changes nothing", {{kOutPaper, 1025}, {kNup, 1}}, 50},
      {"duplex of type 4 changes nothing", {{kOutPaper, 1025}, {kDuplex, 1}, {kDuplexType, 4}}, 50},
      {"duplex of type 0 changes nothing", {{kOutPaper, 1025}, {kDuplex, 1}, {kDuplexType, 0}}, 50},
      {"duplex of type 2 fits", {{kOutPaper, 1025}, {kDuplex, 1}, {kDuplexType, 2}}, 94},
      {"scaling by fitting", {{kOutPaper, 9}, {kScaleOn, 1}, {kScaleType, 2}}, 94},
      {"the paper itself, unscaled", {{kOutPaper, 1024}}, 100},
      {"the paper itself, scaled by percentage", {{kOutPaper, 1024}, {kScaleOn, 1}, {kScaleType, 1}}, 50},
      {"another output size, unscaled", {{kOutPaper, 9}}, 50},
      {"the width decides", {{kOutPaper, 1025}, {kDstWidth, 6000}, {kSrcWidth, 10000}}, 60},
      {"a source without width fits nothing", {{kOutPaper, 1025}, {kSrcWidth, 0}}, 50},
      {"a source without length fits nothing", {{kOutPaper, 1025}, {kSrcLength, 0}}, 50},
  };
  for (const BuiltInCase& k : cases) {
    SCOPED_TRACE(k.what);
    StoreAll({{kNup, 0}, {kDuplex, 0}, {kDuplexType, 1}, {kScaleOn, 0}, {kScaleType, 0}, {kScaleH, 50},
              {kScaleV, 50}, {kDstWidth, 10200}, {kDstLength, 13200}, {kPaper, 9}});
    StoreAll(a4);
    DefaultLetter(true);
    StoreAll(k.settings);
    KesmCoreBuiltInFunc(ucb(), 1);
    EXPECT_EQ(Stored(kScaleH), k.scale);
    EXPECT_EQ(Stored(kScaleV), k.scale);
  }
}

TEST_F(PaperFitting, TheConfigurationLibrarysBuiltInOneIsTheSame) {
  StoreAll({{kOutPaper, 1025}, {kScaleH, 50}, {kScaleV, 50}, {kSrcWidth, 9921}, {kSrcLength, 14031},
            {kDstWidth, 10200}, {kDstLength, 13200}});
  KesmCoreBuiltInFunc(ucb(), 2);
  EXPECT_EQ(Stored(kScaleH), 50) << "no other built-in function";
  KesmUiCoreBuiltInFunc(ucb(), kBuiltInPaperAreas);
  EXPECT_EQ(Stored(kScaleH), 94);
  EXPECT_EQ(Stored(kScaleV), 94);
}

}  // namespace
