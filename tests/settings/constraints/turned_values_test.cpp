// Values a description names for a setting whose list labels its values
// anew for the turned print (the staple type): the staple type's default
// and a transact's action name the upright keyword only, and must store
// the value while the print is turned as well as upright.
// tests/data/kpd/kesm_s6_turned_staple.kpd.
#include <gtest/gtest.h>

#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/values/setting_value.h"
#include "tests/settings/constraints/engine_context.h"

namespace {

using kpdtest::G;
using kpdtest::V;

constexpr WORD kOrientation = 7;  // 1 portrait, 2 landscape: turned without N-up
constexpr WORD kSelectStaple = 63;
constexpr WORD kStapleType = 121;
constexpr LONG_PTR kCorner = 49;
constexpr LONG_PTR kTwoTop = 65;

class TurnedValues : public kesm_test::EngineContext {
 protected:
  void SetUp() override {
    EngineContext::SetUp();
    ASSERT_NO_FATAL_FAILURE(Hold("kesm_s6_turned_staple.kpd"));
  }
  LONG_PTR Stored(WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb(), funcId, nullptr); }
};

TEST_F(TurnedValues, AnActionNamingTheUprightKeywordStoresItsValueOnATurnedPrint) {
  Store(kOrientation, 2);
  Store(kSelectStaple, 1);
  Store(kStapleType, kTwoTop);
  EXPECT_EQ(BKPDSetAction(G("KPD_IDC_FINISH_FUNCSELECTSTAPLE"), 0, ucb()), 0);
  EXPECT_EQ(Stored(kStapleType), kCorner);
  EXPECT_EQ(Ui(kStapleType), V("KDMSTAPLETYPE_ONE_RIGHT_L")) << "shown with the turned print's label";
  // Upright the judge does not hold and the staple stays.
  Store(kOrientation, 1);
  Store(kStapleType, kTwoTop);
  EXPECT_EQ(BKPDSetAction(G("KPD_IDC_FINISH_FUNCSELECTSTAPLE"), 0, ucb()), 0);
  EXPECT_EQ(Stored(kStapleType), kTwoTop);
}

TEST_F(TurnedValues, TheDefaultNamedByTheUprightKeywordIsItsValueInEitherOrientation) {
  const LONG def = BKPDGetGroupDefaultByFuncID(kStapleType, ucb());
  ASSERT_EQ(def, V("KKDMSTAPLETYPE_ONE_RIGHT"));
  for (const LONG_PTR orientation : {1, 2}) {
    Store(kOrientation, orientation);
    Store(kStapleType, kTwoTop);
    ASSERT_TRUE(SetDevmodeValueByFuncIDFromBKPD(ucb(), kStapleType, def));
    EXPECT_EQ(Stored(kStapleType), kCorner) << "orientation " << orientation;
  }
}

}  // namespace
