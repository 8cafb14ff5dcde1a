// A hand context for the constraint tests: a judge stack and, once Hold
// runs, a compiled description of tests/data/kpd/ that the test holds.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/base/control.h"
#include "settings/bkpd/description_queries.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"
#include "tests/settings/kpd/kpd_compile_sample.h"

namespace kesm_test {

// A hand context with a judge stack and, once Hold runs, a description.
class EngineContext : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(BKPDInit(ucb()), 0); }
  void TearDown() override {
    plat::FailAllocationAt(0);
    BKPDEnd(ucb());
  }

  UCB* ucb() { return c_.ucb(); }
  WORD count() { return c_.work().wJudgeStackCount; }
  void Hold(const std::string& fixture) {
    KpdCompileReport report{};
    packed_ = kpdtest::PackAndFree(kpdtest::CompileText(kpdtest::Fixture(fixture), &report));
    ASSERT_EQ(report.faultCount, 0u);
    b_ = packed_.Load();
    ASSERT_NE(b_, nullptr);
    ucb()->pBKPD = b_;
  }
  void Store(WORD funcId, LONG_PTR stored) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb(), funcId, stored)); }
  void StoreUi(WORD funcId, LONG_PTR uiValue) { ASSERT_TRUE(SetDevmodeValueByFuncID(ucb(), funcId, uiValue)); }
  void StoreText(WORD funcId, const char16_t* text) {
    ASSERT_NE(SetDevmodeStringBySFCB(ucb(), GetSFCBbyFuncID(ucb(), funcId), text), nullptr);
  }
  LONG_PTR Ui(WORD funcId) { return GetDevmodeValueByFuncID(ucb(), funcId, nullptr); }
  DWORD Judge(std::initializer_list<JudgeToken> tokens) {
    const std::vector<JudgeToken> judge(tokens);
    return _IsJudgement(judge, ucb());
  }
  const UiGroup* Group(const char* keyword) {
    const UiGroup* g = BKPDGetUiGroupAddr(kpdtest::G(keyword), ucb());
    EXPECT_NE(g, nullptr) << keyword;
    return g;
  }

  kesm_test::HandContext c_;
  kpdtest::Packed packed_;
  PCBKPD b_ = nullptr;
};

}  // namespace kesm_test
