// The feed direction that finishing forces: the first installed family
// decides, a punch pattern before the staples, stapling off lets either
// direction through, and a print size the family does not take forces
// nothing.
#include <gtest/gtest.h>

#include <vector>

#include "jobsettings/rules/force_feed.h"
#include "tests/jobsettings/rules/rule_context.h"

namespace rules_test {
namespace {

struct FeedCase {
  const char* what;
  std::vector<WORD> bits;
  WORD size;
  WORD punchType;  // 0: punching off
  WORD stapleType; // 0: stapling off
  int o;
  DWORD feed;
};

class ForceFeed : public RuleContext {};

TEST_F(ForceFeed, FirstInstalledFamilyDecides) {
  constexpr WORD kQA_JP = 10058;
  constexpr WORD kQA_NoPunch = 10077;
  constexpr WORD kQC = 10049;
  constexpr WORD kQD = 10059;
  constexpr WORD kQE = 10060;
  constexpr WORD kQF = 10061;
  constexpr WORD kQH_US2 = 10090;
  constexpr WORD kQK_NoPunch = 10097;
  constexpr WORD kQL_JP = 10102;
  const FeedCase cases[] = {
      {"no finisher", {}, kA4, 0, 65, 0, 0},
      {"QE corner, landscape flag", {kQE}, kA4, 0, 49, 1, 2},
      {"QE corner, portrait flag", {kQE}, kA4, 0, 49, 0, 1},
      {"QE stapling off", {kQE}, kA4, 0, 0, 1, 3},
      {"QE: a size it does not take", {kQE}, kHLT, 0, 49, 1, 0},
      {"QE: a staple it does not make", {kQE}, kA4, 0, 65, 0, 0},
      {"QA punch with the feed", {kQA_JP}, kA4, 1, 0, 0, 1},
      {"QA punch across", {kQA_JP}, kA4, 2, 0, 0, 2},
      {"QA punch across, landscape flag", {kQA_JP}, kA4, 3, 65, 1, 1},
      {"QA second pattern", {kQA_JP}, kA4, 50, 0, 1, 1},
      {"QA without a punch unit: the staple decides", {kQA_JP, kQA_NoPunch}, kA4, 1, 0, 0, 3},
      {"QA punch A5", {kQA_JP}, kA5, 1, 0, 1, 2},
      {"QA slant staple", {kQA_JP}, kA4, 0, 34, 0, 2},
      {"QA corner staple", {kQA_JP}, kA4, 0, 49, 0, 3},
      {"QA middle is not QA's", {kQA_JP}, kA4, 0, 68, 0, 0},
      {"QC slant", {kQC}, kA4, 0, 33, 1, 2},
      {"QD middle forces portrait", {kQD}, kA4, 0, 68, 1, 1},
      {"QD slant either way", {kQD}, kA4, 0, 33, 1, 3},
      {"QD two right", {kQD}, kA4, 0, 66, 1, 1},
      {"QD: no B5", {kQD}, kB5, 0, 66, 1, 0},
      {"QF corner either way", {kQF}, kA4, 0, 50, 0, 3},
      {"QF: slant is not QF's", {kQF}, kA4, 0, 34, 0, 0},
      {"QH: the second pattern is not listed", {kQH_US2}, kA4, 49, 65, 0, 1},
      {"QH punches beside QK's no-punch variant", {kQH_US2, kQK_NoPunch}, kA4, 2, 65, 0, 2},
      {"QL middle", {kQL_JP}, kA4, 0, 68, 1, 1},
      {"QA before QL", {kQA_JP, kQL_JP}, kA4, 0, 68, 1, 0},
  };
  Machine(169);
  Source(kTray1);
  for (const FeedCase& k : cases) {
    SCOPED_TRACE(k.what);
    Finishers(k.bits);
    PrintSize(k.size);
    Set(62, k.punchType != 0 ? 1 : 0);
    Set(120, k.punchType);
    Set(63, k.stapleType != 0 ? 1 : 0);
    Set(121, k.stapleType);
    Orientation(k.o);
    EXPECT_EQ(GetForceFeed(ucb()), k.feed);
    EXPECT_EQ(IsForceFeedPort(ucb()) != 0, k.feed == 1);
    EXPECT_EQ(IsForceFeedLand(ucb()) != 0, k.feed == 2);
  }
}

}  // namespace
}  // namespace rules_test
