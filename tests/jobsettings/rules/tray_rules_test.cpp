// Tray rules: which paper each tray code reads, how Auto chooses among the
// trays (locks, trays that are not installed, the manual feeder), the
// same-size questions per tray, the insert-sheet rules and the models that
// check insert sheets against any tray. Each context reads only its own
// settings.
#include <gtest/gtest.h>

#include <vector>

#include "jobsettings/rules/tray_rules.h"
#include "tests/jobsettings/rules/rule_context.h"

namespace rules_test {
namespace {

constexpr WORD kOptionLCT = 10018;
constexpr WORD kOptionManual = 10021;
constexpr WORD kOptionMulti = 10022;

class TrayRules : public RuleContext {};

struct OrientCase {
  const char* what;
  BYTE machine;
  std::vector<WORD> options;
  std::vector<Paper> loaded;
  WORD source;
  DWORD bits;  // GetSameSizeOrient for A4
};

TEST_F(TrayRules, SameSizeOrientationByTrayCode) {
  const OrientCase cases[] = {
      {"tray 1 portrait", 169, {}, {{kTray1, kA4, kP}}, kTray1, 1},
      {"tray 1 landscape", 169, {}, {{kTray1, kA4, kL}}, kTray1, 2},
      {"another size", 169, {}, {{kTray1, kA3, kP}}, kTray1, 0},
      {"code 3 is tray 2", 169, {}, {{kTray2, kA4, kL}}, kTray2, 2},
      {"code 3 does not read tray 3", 169, {}, {{kTray3, kA4, kL}}, kTray2, 0},
      {"code 2 is tray 3", 169, {}, {{kTray3, kA4, kP}}, kTray3, 1},
      {"a named tray counts though locked", 169, {}, {{kTray1, kA4, kP, true}}, kTray1, 1},
      {"tray 4", 169, {}, {{kTray4, kA4, kP}}, kTray4, 1},
      {"tray 5 of its own on machine 169", 169, {}, {{kTray5, kA4, kP}}, kTray5, 1},
      {"tray 5 is the large-capacity tray elsewhere", 160, {kOptionLCT}, {{kLCT, kA4, kL}}, kTray5, 2},
      {"tray 5 of its own is not read elsewhere", 160, {kOptionLCT}, {{kTray5, kA4, kL}}, kTray5, 0},
      {"tray 6", 169, {}, {{kTray6, kA4, kL}}, kTray6, 2},
      {"tray 7", 169, {}, {{kTray7, kA4, kP}}, kTray7, 1},
      {"large-capacity tray installed", 169, {kOptionLCT}, {{kLCT, kA4, kP}}, kLCT, 1},
      {"large-capacity tray not installed", 169, {}, {{kLCT, kA4, kP}}, kLCT, 0},
      {"code 4 is the manual feeder on machine 143", 143, {}, {{kManualFeeder, kA4, kL}}, kManual, 2},
      {"code 4 is the installed manual feeder", 169, {kOptionManual}, {{kManualFeeder, kA4, kP}}, kManual, 1},
      {"code 4 is the multi-purpose tray otherwise", 169, {kOptionMulti}, {{kMultiTray, kA4, kP}}, kManual, 1},
      {"code 4 with neither", 169, {}, {{kMultiTray, kA4, kP}, {kManualFeeder, kA4, kP}}, kManual, 0},
      {"the inserter feeds no job", 169, {}, {{kInserter, kA4, kP}}, kInserter, 0},
      {"an unknown code", 169, {}, {{kTray1, kA4, kP}}, 99, 0},
      {"Auto gathers both directions", 169, {}, {{kTray1, kA4, kP}, {kTray2, kA4, kL}}, kAuto, 3},
      {"Auto skips a locked tray", 169, {}, {{kTray1, kA4, kP, true}, {kTray2, kA4, kL}}, kAuto, 2},
      {"Auto with every tray locked", 169, {}, {{kTray1, kA4, kP, true}, {kTray2, kA4, kL, true}}, kAuto, 0},
      {"Auto skips an absent large-capacity tray", 169, {}, {{kLCT, kA4, kL}}, kAuto, 0},
      {"Auto takes the manual feeder", 143, {}, {{kManualFeeder, kA4, kL}}, kAuto, 2},
      {"Auto skips a locked manual feeder", 143, {}, {{kManualFeeder, kA4, kL, true}}, kAuto, 0},
      {"Auto takes the multi-purpose tray", 169, {kOptionMulti}, {{kMultiTray, kA4, kP}}, kAuto, 1},
  };
  for (const OrientCase& k : cases) {
    SCOPED_TRACE(k.what);
    Machine(k.machine);
    for (WORD bit : {kOptionLCT, kOptionManual, kOptionMulti}) Set(bit, 0);
    for (WORD bit : k.options) Set(bit, 1);
    for (WORD tray : {kTray1, kTray2, kTray3, kTray4, kTray5, kTray6, kTray7, kLCT, kManualFeeder, kMultiTray,
                      kInserter}) {
      Load({tray, 0, kP});
    }
    for (const Paper& p : k.loaded) Load(p);
    Source(k.source);
    EXPECT_EQ(GetSameSizeOrient(ucb(), kA4), k.bits);
    EXPECT_EQ(CheckSameSizeOrient(ucb(), kA4, kP) != 0, (k.bits & 1) != 0);
    EXPECT_EQ(CheckSameSizeOrient(ucb(), kA4, kL) != 0, (k.bits & 2) != 0);
  }
}

struct SameSizeRule {
  WORD tray;
  BOOL (*rule)(const UCB*);
};

TEST_F(TrayRules, EachSameSizeRuleAsksItsOwnTray) {
  const SameSizeRule rules[] = {
      {kTray1, IsSameSizeTray1},     {kTray2, IsSameSizeTray2},     {kTray3, IsSameSizeTray3},
      {kTray4, IsSameSizeMassTray4}, {kTray5, IsSameSizeMassTray5}, {kTray6, IsSameSizeMassTray6},
      {kTray7, IsSameSizeTray7},     {kLCT, IsSameSizeLCT},         {kManualFeeder, IsSameSizeManual},
  };
  Machine(169);
  Install({kOptionLCT, kOptionManual});
  PrintSize(kB4);
  for (const SameSizeRule& loaded : rules) {
    SCOPED_TRACE(loaded.tray);
    for (const SameSizeRule& r : rules) Load({r.tray, kA4, kP});
    Load({loaded.tray, kB4, kL, true});  // direction and lock do not matter to a named tray
    for (const SameSizeRule& r : rules) {
      EXPECT_EQ(r.rule(ucb()) != 0, r.tray == loaded.tray) << "rule of tray " << r.tray;
    }
    EXPECT_FALSE(IsSameSizeAuto(ucb())) << "Auto honours the lock";
    Load({loaded.tray, kB4, kL, false});
    EXPECT_TRUE(IsSameSizeAuto(ucb()));
  }
}

TEST_F(TrayRules, InsertSheetsMustMatchTheSourcePaper) {
  constexpr WORD kCoverTray = 125;
  constexpr WORD kMarkTray = 123;
  constexpr WORD kBackTray = 127;
  constexpr WORD kChapterTray = 840;
  constexpr WORD kReverseTray = 408;
  struct Insert {
    WORD setting;
    BOOL (*rule)(const UCB*);
  };
  const Insert inserts[] = {{kCoverTray, IsSameCoverSourceTraySize},
                            {kMarkTray, IsSameMarkSourceTraySize},
                            {kBackTray, IsSameBackCoverSourceTraySize},
                            {kChapterTray, IsSameChapterSourceTraySize},
                            {kReverseTray, IsSameReverseCoverSourceTraySize}};
  struct Case {
    const char* what;
    BYTE machine;
    WORD source;
    WORD insertTray;
    bool same;
  };
  // Tray 1: A4 portrait; tray 2: A4 landscape; tray 3: A4 portrait;
  // inserter: A4 portrait.
  const Case cases[] = {
      {"same paper, same direction", 160, kTray3, kInserter, true},
      {"same paper, other direction", 160, kTray2, kInserter, false},
      {"Auto stands for tray 1", 160, kAuto, kTray2, false},
      {"Auto stands for tray 1 (match)", 160, kAuto, kTray3, true},
      {"Auto looks at every tray on machine 169", 169, kAuto, kTray2, true},
      {"an insert tray of Auto names no tray", 169, kTray1, kAuto, false},
      {"an insert tray code that names no tray", 169, kTray1, 99, false},
  };
  Load({{kTray1, kA4, kP}, {kTray2, kA4, kL}, {kTray3, kA4, kP}, {kInserter, kA4, kP}});
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Machine(k.machine);
    Source(k.source);
    for (const Insert& in : inserts) {
      for (const Insert& other : inserts) Set(other.setting, 99);
      Set(in.setting, k.insertTray);
      EXPECT_EQ(in.rule(ucb()) != 0, k.same) << "insert setting " << in.setting;
    }
  }
}

TEST_F(TrayRules, ModelsThatCheckInsertSheetsAgainstAnyTray) {
  struct Case {
    BYTE machine;
    signed char modelByte;
    bool anyTray;
  };
  const Case cases[] = {{138, 0, true}, {142, 0, true}, {144, 0, true}, {146, 0, true}, {149, 0, true},
                        {150, 0, true}, {151, 0, true}, {157, 0, true}, {158, 0, true}, {169, 0, true},
                        {145, 1, true}, {145, 0, false}, {148, 1, true}, {148, 2, false}, {140, 1, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.machine);
    Machine(k.machine);
    ucb()->pDP->cDriverType = k.modelByte;
    EXPECT_EQ(CvrMrkChkONNotTray1(ucb()) != 0, k.anyTray);
  }
}

TEST_F(TrayRules, GetTraySizeOrientWritesNothingForAuto) {
  Load({kTray2, kA3, kL});
  WORD size = 77;
  WORD orient = 77;
  EXPECT_FALSE(GetTraySizeOrient(ucb(), kAuto, &size, &orient));
  EXPECT_FALSE(GetTraySizeOrient(ucb(), 5, &size, &orient));
  EXPECT_EQ(size, 77);
  EXPECT_EQ(orient, 77);
  EXPECT_TRUE(GetTraySizeOrient(ucb(), kTray2, &size, &orient));
  EXPECT_EQ(size, kA3);
  EXPECT_EQ(orient, kL);
}

// The rules keep no setting record between calls: two contexts asked in
// turn each answer from their own trays, and a context whose records are
// replaced (as when its description is loaded again) answers from the new
// ones.
TEST_F(TrayRules, AnswersComeFromTheContextAskedOnly) {
  kesm_test::HandContext other;
  other.ucb()->pDP->bMachineID = 169;
  Machine(169);
  PrintSize(kA4);
  Source(kTray1);
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(other.ucb(), 46, kA4));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(other.ucb(), 13, kTray1));
  Load({kTray1, kA4, kP});
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(other.ucb(), 10175, kA3));
  for (int round = 0; round < 2; ++round) {
    EXPECT_TRUE(IsSameSizeTray1(ucb()));
    EXPECT_FALSE(IsSameSizeTray1(other.ucb()));
  }
  {
    kesm_test::HandContext replacement;
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(replacement.ucb(), 10175, kA3));
    UCB* mine = ucb();
    SFL* const ownRecords = mine->pSFL;
    DCB* const ownDcb = mine->pDCB;
    mine->pSFL = replacement.ucb()->pSFL;
    mine->pDCB = replacement.ucb()->pDCB;
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(mine, 46, kA4));
    EXPECT_FALSE(IsSameSizeTray1(mine)) << "the replaced records are read";
    mine->pSFL = ownRecords;
    mine->pDCB = ownDcb;
  }
  EXPECT_TRUE(IsSameSizeTray1(ucb())) << "nothing of the freed records is kept";
}

}  // namespace
}  // namespace rules_test
