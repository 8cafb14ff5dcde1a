// Every test program that opens printer contexts includes this: after each
// test the process list of compiled descriptions is emptied, so that no
// description outlives the machine of the test that loaded it (the next
// test's machine has the same paths).
#pragma once

#include <gtest/gtest.h>

#include "settings/cache/bkpd_cache.h"

namespace kesm_test {

class DescriptionListReset : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { BKPDAddrFree(); }
};

inline const bool kDescriptionListResetInstalled = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new DescriptionListReset);
  return true;
}();

}  // namespace kesm_test
