// A refused alert is offered to the modules so that one can put the focus
// back: the preset module answers it only on the pages and dialogs that
// carry a preset name, and leaves every other dialog to the modules after
// it.
#include <gtest/gtest.h>

#include "features/custom_modules.h"
#include "features/module_table/pages/page_rows.h"
#include "settings/values/setting_lookup.h"
#include "tests/features/features_fixture.h"
#include "ui/engine/item_window.h"

namespace features_test {
namespace {

constexpr int kQualityRow = 2;
int heard = 0;

INT_PTR Hear(UCB*, TCB*, ICB*, UINT message, UINT_PTR, LPARAM, void*) {
  if (message == kMsgAlertRefused) ++heard;
  return 1;
}

class RefusedAlert : public FeatureTest {
 protected:
  // The pages join the module table before the context is built, as once
  // the library is loaded.
  void SetUp() override {
    RegisterFeaturePages();
    FeatureTest::SetUp();
    kept_ = Row(kQualityRow).procedure;
    Row(kQualityRow).procedure = Hear;
    heard = 0;
  }
  void TearDown() override {
    Row(kQualityRow).procedure = kept_;
    FeatureTest::TearDown();
    UnregisterFeaturePages();
  }
  CustomProcedure kept_ = nullptr;
};

TEST_F(RefusedAlert, ReachesTheLaterModulesOnDialogsWithoutAPresetName) {
  struct Case {
    WORD dialog;
    int heardLater;
  };
  const Case cases[] = {{1002, 0}, {1005, 0}, {1032, 0}, {4016, 0}, {1001, 1}, {1007, 1}, {1025, 1}, {1038, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog);
    heard = 0;
    TCB* tcb = GetTCBbyTabID(ucb_, c.dialog);
    ASSERT_NE(tcb, nullptr);
    EXPECT_EQ(KesmCustomProcedure(ucb_, tcb, nullptr, kMsgAlertRefused, 0, 0), 1);
    EXPECT_EQ(heard, c.heardLater);
  }
}

}  // namespace
}  // namespace features_test
