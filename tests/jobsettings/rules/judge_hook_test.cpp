// The device-rule hook: every id reaches its rule (compared with the rule
// asked directly, in a job where the answers differ), ids without a rule
// answer 0, only the low 16 bits of an id count, and the resolution rule
// asked through the hook leaves the settings as it found them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "jobsettings/rules/finisher_rules.h"
#include "jobsettings/rules/fold_rules.h"
#include "jobsettings/rules/force_feed.h"
#include "jobsettings/rules/judge_hook.h"
#include "jobsettings/rules/print_orientation.h"
#include "jobsettings/rules/resolution_rules.h"
#include "jobsettings/rules/tray_rules.h"
#include "tests/jobsettings/rules/rule_context.h"

namespace rules_test {
namespace {

class JudgeHook : public RuleContext {
 protected:
  // Jobs in which the rules give different answers: A4 in tray 2 both
  // ways and in tray 1 portrait, each finisher installed in turn.
  void Job(int variant) {
    Machine(169);
    Set(35, 169);
    const WORD finishers[] = {10058, 10049, 10059, 10060, 10061, 10082, 10090, 10083, 10084, 10102};
    Finishers(std::initializer_list<WORD>{finishers[variant % 10]});
    PrintSize(variant % 3 == 0 ? kA4 : kA3);
    Source(variant % 2 == 0 ? kTray1 : kAuto);
    Load({{kTray1, kA4, kP}, {kTray2, kA4, kL}, {kTray3, kA3, kP}});
    Orientation(variant % 4 < 2 ? 0 : 1);
    Set(120, variant % 5 == 0 ? 1 : 18);
    Set(121, variant % 3 == 1 ? 65 : 34);
    Set(63, 1);
  }
};

using Rule = DWORD (*)(UCB*);

struct Row {
  WORD id;
  Rule rule;
};

template <BOOL (*R)(const UCB*, Fin), Fin F>
DWORD Fam(UCB* u) {
  return static_cast<DWORD>(R(u, F));
}
template <BOOL (*R)(const UCB*)>
DWORD One(UCB* u) {
  return static_cast<DWORD>(R(u));
}

// The seven questions of a punching family and the four of a stapling one.
template <Fin F>
std::vector<Row> Punching(WORD first) {
  return {{first, Fam<IsPrintSizePortraitFin, F>},           {static_cast<WORD>(first + 1), Fam<IsPrintSizeLandscapeFin, F>},
          {static_cast<WORD>(first + 2), Fam<IsPrintSizeSupportStapleFin, F>}, {static_cast<WORD>(first + 3), Fam<IsSupportPunchTypeFin, F>},
          {static_cast<WORD>(first + 4), Fam<IsSupportStapleTypeFin, F>},      {static_cast<WORD>(first + 5), Fam<IsPrintSizeSupportPunchFin, F>},
          {static_cast<WORD>(first + 6), Fam<IsPrintSizeSupportPunchFinNAEU, F>}};
}
template <Fin F>
std::vector<Row> Stapling(WORD first) {
  return {{first, Fam<IsPrintSizePortraitFin, F>},
          {static_cast<WORD>(first + 1), Fam<IsPrintSizeLandscapeFin, F>},
          {static_cast<WORD>(first + 2), Fam<IsPrintSizeSupportFin, F>},
          {static_cast<WORD>(first + 3), Fam<IsSupportStapleTypeFin, F>}};
}

std::vector<Row> AllRows() {
  std::vector<Row> rows;
  auto add = [&](std::vector<Row> more) { rows.insert(rows.end(), more.begin(), more.end()); };
  add(Punching<Fin::QA>(624));
  add(Stapling<Fin::QE>(640));
  add(Stapling<Fin::QC>(656));
  add(Punching<Fin::QJ>(660));
  add(Stapling<Fin::QF>(672));
  add(Punching<Fin::QL>(676));
  add({{688, Fam<IsPrintSizePortraitFin, Fin::QD>},
       {689, Fam<IsPrintSizeLandscapeFin, Fin::QD>},
       {690, One<IsPrintSizePortraitFinQDA4LT>},
       {691, One<IsPrintSizePortraitFinQDMiddle>},
       {692, Fam<IsPrintSizeSupportFin, Fin::QD>},
       {693, Fam<IsSupportStapleTypeFin, Fin::QD>}});
  add(Punching<Fin::QK>(696));
  add(Punching<Fin::QG>(704));
  add(Punching<Fin::QH>(712));
  add({{720, [](UCB* u) { return GetPrintOrientation(u); }},
       {721, One<IsSameSizeAuto>},
       {722, One<IsSameSizeTray1>},
       {723, One<IsSameSizeTray2>},
       {724, One<IsSameSizeTray3>},
       {725, One<IsSameSizeMassTray4>},
       {726, One<IsSameSizeLCT>},
       {727, One<IsSameSizeManual>},
       {728, One<IsForceFeedPort>},
       {729, One<IsForceFeedLand>},
       {730, One<IsSameSizeMassTray4>},
       {731, One<IsSameSizeMassTray5>},
       {733, One<IsSameSizeMassTray6>},
       {734, One<IsSameSizeTray7>},
       {737, One<IsSameCoverSourceTraySize>},
       {738, One<IsSameMarkSourceTraySize>},
       {739, One<IsSameBackCoverSourceTraySize>},
       {740, One<IsSameChapterSourceTraySize>},
       {741, One<IsSameReverseCoverSourceTraySize>},
       {742, One<IsPaperFittingWorkCondition>},
       {743, [](UCB* u) { return static_cast<DWORD>(IsFoldPaperType(u, 1)); }},
       {744, [](UCB* u) { return static_cast<DWORD>(IsFoldPaperType(u, 2)); }},
       {745, [](UCB* u) { return static_cast<DWORD>(IsFoldPaperType(u, 3)); }},
       {746, [](UCB* u) { return static_cast<DWORD>(IsFold(u, kFoldRightLeft)); }},
       {747, [](UCB* u) { return static_cast<DWORD>(IsFold(u, kFoldBottom)); }}});
  return rows;
}

TEST_F(JudgeHook, EveryIdReachesItsRule) {
  const std::vector<Row> rows = AllRows();
  std::vector<int> answeredOne(rows.size(), 0);
  for (int variant = 0; variant < 40; ++variant) {
    Job(variant);
    for (std::size_t n = 0; n < rows.size(); ++n) {
      const DWORD direct = rows[n].rule(ucb());
      EXPECT_EQ(JudgeHookFunc(ucb(), rows[n].id), direct) << "id " << rows[n].id << " job " << variant;
      answeredOne[n] += direct != 0 ? 1 : 0;
    }
  }
  int asked = 0;
  for (int count : answeredOne) asked += count != 0 ? 1 : 0;
  EXPECT_GT(asked, 50) << "the jobs must make most rules answer 1 somewhere";
}

TEST_F(JudgeHook, IdsWithoutARuleAnswerZero) {
  Job(0);
  ASSERT_EQ(JudgeHookFunc(ucb(), 722), 1u) << "A4 is in tray 1";
  ASSERT_EQ(JudgeHookFunc(ucb(), 625), 0u);
  ASSERT_EQ(JudgeHookFunc(ucb(), 624), 1u) << "QA takes A4 portrait";
  for (DWORD id : {0u, 623u, 631u, 639u, 644u, 655u, 667u, 671u, 683u, 687u, 694u, 695u, 703u, 711u, 719u, 732u,
                   735u, 748u, 751u, 752u}) {
    EXPECT_EQ(JudgeHookFunc(ucb(), id), 0u) << id;
  }
  EXPECT_EQ(JudgeHookFunc(ucb(), 0x10000u + 624), 1u) << "only the low 16 bits count";
  EXPECT_EQ(JudgeHookFunc(nullptr, 624), 0u);
}

TEST_F(JudgeHook, TwoIdsOfTheFourthTray) {
  for (WORD paper : {kA4, kA3}) {
    for (bool locked : {false, true}) {
      Job(0);
      Load({kTray4, paper, kL, locked});
      EXPECT_EQ(JudgeHookFunc(ucb(), 725), JudgeHookFunc(ucb(), 730));
    }
  }
}

// Asked from a judge, the resolution rule must not leave the refreshed
// resolutions and paper areas behind: the engine's answers would then
// depend on the order its judges run in.
TEST_F(JudgeHook, TheResolutionRuleLeavesNoTrace) {
  auto* dm = reinterpret_cast<DEVMODEW*>(ucb()->pDCB->devmode);
  dm->dmPrintQuality = 1200;
  Set(38, 1200);  // destination resolution: the rule takes it into dmPrintQuality
  Set(227, 3);
  Set(47, 30709);  // a destination past the border
  Set(8, kA4);
  ucb()->pWork->fChanged = 0;
  const std::vector<BYTE> before(reinterpret_cast<BYTE*>(ucb()->pDCB),
                                 reinterpret_cast<BYTE*>(ucb()->pDCB) + sizeof(DCB));
  const DWORD answer = JudgeHookFunc(ucb(), 736);
  const std::vector<BYTE> after(reinterpret_cast<BYTE*>(ucb()->pDCB),
                                reinterpret_cast<BYTE*>(ucb()->pDCB) + sizeof(DCB));
  EXPECT_TRUE(before == after) << "the settings are as they were";
  EXPECT_EQ(ucb()->pWork->fChanged, 0);
  EXPECT_EQ(JudgeHookFunc(ucb(), 736), answer) << "asked again, the same answer";
  // The answer is the rule's own: the refreshed destination area of A4 at
  // 1200 dpi (no description: the areas stay) keeps the border length.
  EXPECT_EQ(answer, static_cast<DWORD>(IsNotDownResolution(ucb(), 1)));
  EXPECT_EQ(answer, 0u);
}

}  // namespace
}  // namespace rules_test
