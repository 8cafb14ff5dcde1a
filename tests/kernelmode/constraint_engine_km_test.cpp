// The constraint engine as the rendering library has it: there are no
// built-in functions, so an action on the built-in-function setting stores
// its value like any other action; the engine-pool buffer a string judge
// reads into is given back.
#include <gtest/gtest.h>

#include "platform/base/control.h"
#include "settings/bkpd/description_queries.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"
#include "tests/settings/kpd/kpd_compile_sample.h"

namespace {

constexpr WORD kCopies = 12;
constexpr WORD kUserId = 202;
constexpr WORD kBuiltInFunc = 854;

TEST(ConstraintEngineKernelMode, AnActionOnTheBuiltInSettingStoresItsValue) {
  static_assert(KESM_KERNEL_MODE == 1);
  kesm_test::HandContext ctx;
  UCB* ucb = ctx.ucb();
  ASSERT_EQ(BKPDInit(ucb), 0);
  KpdCompileReport report{};
  const kpdtest::Packed packed =
      kpdtest::PackAndFree(kpdtest::CompileText(kpdtest::Fixture("constraint_engine.kpd"), &report));
  PCBKPD b = packed.Load();
  ASSERT_NE(b, nullptr);
  ucb->pBKPD = b;

  // The user transact's first action stores two copies; retargeted to the
  // built-in-function setting (which no description keyword names), its
  // value is stored there instead.
  const ExclusiveRecord* record = _GetExclusiveAddr(kpdtest::G("KPD_IDC_PRINTTYPE_USERID"), ucb);
  ASSERT_NE(record, nullptr);
  const ExclusiveTransact* transact = BkpdTransactList(b, record->transact);
  ASSERT_NE(transact, nullptr);
  auto* action = const_cast<ExclusiveAction*>(BkpdActionList(b, transact->actionList));
  ASSERT_NE(action, nullptr);
  ASSERT_EQ(action->funcId, kCopies);
  action->funcId = kBuiltInFunc;

  ASSERT_NE(SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kUserId), u"Kesm"), nullptr);
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, kCopies, 1));
  const std::size_t live = plat::LiveBlocks();
  EXPECT_EQ(_SetAction(transact, ucb), 1011);
  EXPECT_EQ(plat::LiveBlocks(), live);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, kBuiltInFunc, nullptr), 2);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, kCopies, nullptr), 1);
  BKPDEnd(ucb);
}

}  // namespace
