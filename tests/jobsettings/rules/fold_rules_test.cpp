// Fold rules: the fold class of each print size on the folding models,
// which trays feed the folder, the right-left and bottom folds by class and
// print-orientation flag, and the manual feeder that rules folding out.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "jobsettings/rules/fold_rules.h"
#include "tests/jobsettings/rules/rule_context.h"

namespace rules_test {
namespace {

constexpr WORD kMachineIdSetting = 35;

class FoldRules : public RuleContext {
 protected:
  void FoldMachine(BYTE id) { Set(kMachineIdSetting, id); }
};

TEST_F(FoldRules, FoldClassByModel) {
  struct Case {
    BYTE machine;
    WORD size;
    BYTE foldClass;
  };
  const Case cases[] = {
      {169, kA3, 1},   {169, kB4, 1},  {169, kDLT, 1},    {169, kLegal, 1}, {169, kA4, 2},  {169, kLetter, 2},
      {169, kHLT, 3},  {169, kA5, 3},  {169, kB5, 3},     {169, 70, 3},     {169, 384, 3},  {169, 393, 3},
      {169, 448, 3},   {169, 256, 3},  {169, 394, 0},     {169, 2, 0},      {144, kA4, 2},  {158, kA3, 1},
      {158, 517, 3},   {160, kA4, 0},  {138, kA3, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "machine " << int{k.machine} << " paper " << k.size);
    FoldMachine(k.machine);
    EXPECT_EQ(GetFoldPaperType(ucb(), k.size), k.foldClass);
    PrintSize(k.size);
    for (DWORD kind : {1u, 2u, 3u}) {
      EXPECT_EQ(IsFoldPaperType(ucb(), kind) != 0, kind == k.foldClass);
    }
    EXPECT_TRUE(IsFoldPaperType(ucb(), 0x100u + k.foldClass)) << "compared as bytes";
  }
}

struct FoldCase {
  const char* what;
  BYTE machine;
  WORD size;
  int o;
  std::vector<Paper> loaded;
  bool rightLeft;
  bool bottom;
};

TEST_F(FoldRules, FoldsByClassAndFlag) {
  const FoldCase cases[] = {
      {"A4: bottom from A4 portrait", 169, kA4, 0, {{kTray1, kA4, kP}}, false, true},
      {"A4: right-left from class-1 paper", 169, kA4, 0, {{kTray2, kA3, kP}}, true, false},
      {"A4: class-1 paper landscape", 169, kA4, 0, {{kTray2, kA3, kL}}, false, false},
      {"A4 with flag 1: right-left from A4", 169, kA4, 1, {{kTray1, kA4, kP}}, true, false},
      {"A3: only with the flag", 169, kA3, 0, {{kTray3, kA3, kP}}, false, true},
      {"A3 landscape", 169, kA3, 0, {{kTray3, kA3, kL}}, false, false},
      {"B5 from class-2 paper", 169, kB5, 0, {{kTray4, kA4, kP}}, true, true},
      {"B5 from class-1 paper", 169, kB5, 1, {{kTray7, kB4, kP}}, true, true},
      {"B5 paper itself does not serve", 169, kB5, 0, {{kTray1, kB5, kP}}, false, false},
      {"a locked fold tray counts", 169, kA4, 0, {{kTray6, kA4, kP, true}}, false, true},
      {"the large-capacity tray feeds the folder of 158", 158, kA4, 0, {{kLCT, kA4, kP}}, false, true},
      {"not the folder of 169", 169, kA4, 0, {{kLCT, kA4, kP}}, false, false},
      {"tray 6 does not feed the folder of 158", 158, kA4, 0, {{kTray6, kA4, kP}}, false, false},
      {"no folder", 160, kA4, 0, {{kTray1, kA4, kP}, {kTray2, kA3, kP}}, false, false},
  };
  for (const FoldCase& k : cases) {
    SCOPED_TRACE(k.what);
    Machine(169);  // tray 5 keeps its own paper
    FoldMachine(k.machine);
    for (WORD tray : {kTray1, kTray2, kTray3, kTray4, kTray5, kTray6, kTray7, kLCT}) Load({tray, 0, kP});
    for (const Paper& p : k.loaded) Load(p);
    PrintSize(k.size);
    Source(kTray1);
    Orientation(k.o);
    EXPECT_EQ(IsFold(ucb(), kFoldRightLeft) != 0, k.rightLeft);
    EXPECT_EQ(IsFold(ucb(), kFoldBottom) != 0, k.bottom);
  }
}

TEST_F(FoldRules, AnySheetFromTheManualFeederRulesFoldingOut) {
  struct Case {
    const char* what;
    WORD select;  // the switch of the sheet source, 0 for the job's own tray
    WORD traySetting;
    bool folds;
  };
  const Case cases[] = {
      {"nothing from the manual feeder", 0, 0, true},
      {"the job's tray", 0, 13, false},
      {"covers on", 65, 125, false},
      {"marks on", 64, 123, false},
      {"back covers on", 66, 127, false},
      {"reverse covers on", 70, 408, false},
      {"chapters on", 69, 840, false},
      {"a chapter's own tray", 69, 843, false},
      {"covers off", 0, 125, true},
  };
  FoldMachine(169);
  PrintSize(kA4);
  Orientation(0);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    for (WORD id : std::initializer_list<WORD>{64, 65, 66, 69, 70}) Set(id, 0);
    for (WORD id : std::initializer_list<WORD>{123, 125, 127, 408, 840, 834, 835, 836, 842, 843, 844, 845}) Set(id, kTray2);
    Source(kTray1);
    Load({kTray1, kA4, kP});
    if (k.select != 0) Set(k.select, 1);
    if (k.traySetting != 0) Set(k.traySetting, kManual);
    EXPECT_EQ(CovMrkManualCheck(ucb()) != 0, k.folds);
    EXPECT_EQ(IsFold(ucb(), kFoldBottom) != 0, k.folds);
  }
}

}  // namespace
}  // namespace rules_test
