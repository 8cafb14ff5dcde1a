// The installable option tables: that their lists hold together (every
// required entry names the record of its own setting, every list ends,
// every region points to a list of its own), the finisher destination
// queries, and switching options on a context of the V5 validation sample,
// whose printer-wide settings hold the installed options.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>

#include "jobsettings/options/option_switch.h"
#include "jobsettings/options/option_tables.h"
#include "tests/jobsettings/validate/validation_machine.h"

namespace {

constexpr DWORD kMachine = 169;

int CountRecords() {
  int n = 0;
  for (const OptionInfo* o = GetOptionInfo(kMachine); o->nameId != 0; ++o) ++n;
  return n;
}

TEST(OptionTables, RequiredEntriesNameTheRecordOfTheirOwnSetting) {
  EXPECT_EQ(CountRecords(), 19);
  for (const OptionInfo* o = GetOptionInfo(kMachine); o->nameId != 0; ++o) {
    SCOPED_TRACE(o->nameId);
    EXPECT_EQ(GetOptionInfoByStringID(o->nameId, kMachine), o) << "name ids are unique keys";
    for (const OptionRequirement* r = o->required; r != nullptr && r->funcId != 0; ++r) {
      const OptionInfo* needed = GetOptionInfoByStringID(r->nameId, kMachine);
      ASSERT_NE(needed, nullptr) << r->nameId;
      EXPECT_EQ(needed->funcId, r->funcId);
    }
  }
  EXPECT_EQ(GetOptionInfoByStringID(0, kMachine), nullptr);
  EXPECT_EQ(GetOptionInfoByStringID(9999, kMachine), nullptr);
}

TEST(OptionTables, EveryOutputRegionHasItsOwnRelatedList) {
  std::set<const RelatedShift*> lists;
  int regions = 0;
  for (const HitTestRegion* r = GetHitTestDataOutput(kMachine); r->kind != 0; ++r, ++regions) {
    EXPECT_EQ(r->kind, 144u);
    EXPECT_LT(r->left, r->right);
    EXPECT_LT(r->top, r->bottom);
    ASSERT_NE(r->related, nullptr);
    lists.insert(r->related);
    for (const RelatedShift* s = r->related; s->funcId != 0; ++s) {
      EXPECT_TRUE(s->funcId == 10085 || s->funcId == 10290) << s->funcId;
      EXPECT_EQ(s->dy, 0);
    }
  }
  EXPECT_EQ(regions, 29);
  EXPECT_EQ(lists.size(), 29u);
  int inputs = 0;
  for (const HitTestRegion* r = GetHitTestDataInput(kMachine); r->kind != 0; ++r, ++inputs) {
    EXPECT_EQ(r->related->funcId, 0u) << "input regions draw nothing related";
  }
  EXPECT_EQ(inputs, 7);
}

TEST(OptionTables, FinisherDestinationsByKind) {
  struct Case {
    LONG dest;
    DWORD kind;
    BOOL carried;
  };
  const Case cases[] = {
      {33, kFinKindBlank, TRUE},  // the QL finishers' blank-sheet tray
      {33, 0, TRUE},              // the booklet finisher's ordinary tray
      {5, kFinKindBlank, TRUE},   {5, 0, FALSE},  {45, kFinKindBlank, TRUE}, {44, 0, TRUE},
      {44, kFinKindBlank, FALSE}, {-1, 0, FALSE}, {-1, kFinKindBlank, FALSE}, {0, 0, FALSE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsFinDEST(c.dest, c.kind), c.carried) << c.dest << " kind " << c.kind;
  }
  int rows = 0;
  for (const FinDest* f = GetFinInfo(); f->funcId != -1; ++f) ++rows;
  EXPECT_EQ(rows, 35);
}

TEST(OptionTables, MachineCodesAndPunchUnits) {
  const MachineCodes* m = GetMachineCodes();
  EXPECT_EQ(m[0].machineId, 144);
  EXPECT_EQ(m[0].first, 42016);
  EXPECT_EQ(m[1].machineId, 400);
  EXPECT_EQ(m[1].first, 42000);
  EXPECT_EQ(m[2].machineId, 0);
  const WORD* p = GetPunchUnitCodes();
  int n = 0;
  while (p[n] != 0) ++n;
  EXPECT_EQ(n, 7);
}

// --- Switching on a context ---------------------------------------------------

using validation_test::ValidationMachine;

constexpr WORD kCoverFeeder = 10085;
constexpr WORD kBooklet = 10059;
constexpr WORD kFolding = 10290;
constexpr WORD kFinQG[] = {10086, 10087, 10088, 10089};
constexpr WORD kFinQH[] = {10090, 10091, 10092, 10093};
constexpr WORD kFinQK[] = {10094, 10095, 10096, 10097};

class OptionSwitching : public ValidationMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Install("kesm_v5_validation.kpd"));
    ucb_ = Open();
    ASSERT_NE(ucb_, nullptr);
    Reset();
  }
  // No option installed.
  void Reset() {
    for (const OptionInfo* o = GetOptionInfo(kMachine); o->nameId != 0; ++o) {
      Set(ucb_, static_cast<WORD>(o->funcId), 0);
    }
  }
  const OptionInfo& Record(WORD funcId) {
    for (const OptionInfo* o = GetOptionInfo(kMachine); o->nameId != 0; ++o) {
      if (o->funcId == funcId) return *o;
    }
    ADD_FAILURE() << "no record for " << funcId;
    return *GetOptionInfo(kMachine);
  }
  void On(std::initializer_list<WORD> ids) {
    for (WORD id : ids) Set(ucb_, id, 1);
  }
  // The ids among those given whose setting is on.
  std::set<WORD> OnAmong(std::initializer_list<std::initializer_list<WORD>> groups) {
    std::set<WORD> on;
    for (auto g : groups) {
      for (WORD id : g) {
        if (Value(ucb_, id) != 0) on.insert(id);
      }
    }
    return on;
  }
  std::set<WORD> FinishingOn() {
    return OnAmong({{kCoverFeeder, kBooklet, kFolding},
                    {kFinQG[0], kFinQG[1], kFinQG[2], kFinQG[3]},
                    {kFinQH[0], kFinQH[1], kFinQH[2], kFinQH[3]},
                    {kFinQK[0], kFinQK[1], kFinQK[2], kFinQK[3]}});
  }
  UCB* ucb_ = nullptr;
};

struct SwitchCase {
  const char* what;
  std::initializer_list<WORD> before;  // options installed first
  WORD option;                         // the option switched
  bool on;
  std::set<WORD> after;  // finishing options installed afterwards
  DWORD required;        // the requirement check's answer
};

TEST_F(OptionSwitching, InstalledOptionsSwitchTheirDependants) {
  const SwitchCase cases[] = {
      {"the cover feeder alone brings the first finisher it needs", {}, kCoverFeeder, true,
       {kCoverFeeder, 10097}, 0x3},
      {"the cover feeder with a finisher needs nothing more", {10091}, kCoverFeeder, true, {kCoverFeeder, 10091}, 0},
      {"a QG finisher removes the booklet finisher, the folding unit and every other finisher",
       {kBooklet, kFolding, 10094, 10092, 10087},
       10086,
       true,
       {10086},
       0},
      {"a QK finisher removes the QG and QH finishers and keeps the folding unit",
       {kFolding, 10089, 10093, 10096},
       10095,
       true,
       {kFolding, 10095},
       0},
      {"a QH finisher removes the QG and QK finishers", {10088, 10097, 10090}, 10092, true, {10092}, 0},
      {"the folding unit with a QG finisher removes it and brings a QK finisher",
       {10086},
       kFolding,
       true,
       {kFolding, 10097},
       0x3},
      {"the booklet finisher keeps a QH finisher", {10093}, kBooklet, true, {kBooklet, 10093}, 0},
      {"a QK finisher switched off takes the options that need it", {kCoverFeeder, kBooklet, kFolding, 10094},
       10094, false, {}, 0},
      {"a QG finisher switched off leaves the folding unit, which brings the finisher it needs",
       {kFolding, 10086},
       10086,
       false,
       {kFolding, 10097},
       0x3},
  };
  for (const SwitchCase& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    On(c.before);
    const OptionInfo& option = Record(c.option);
    SwitchOption(ucb_, option, c.on);
    EXPECT_EQ(CheckRequire(ucb_, &option), c.required);
    EXPECT_EQ(FinishingOn(), c.after);
  }
}

TEST_F(OptionSwitching, TheOptionJustChangedIsNotTheOneSwitchedBackOn) {
  On({kCoverFeeder});
  EXPECT_EQ(CheckRequire(ucb_, &Record(10097)), 0x3u);
  EXPECT_EQ(FinishingOn(), (std::set<WORD>{kCoverFeeder, 10094}));
}

TEST_F(OptionSwitching, TrayAndMemoryLists) {
  SwitchOption(ucb_, Record(10045), true);
  EXPECT_EQ(Value(ucb_, 10018), 1);
  EXPECT_EQ(Value(ucb_, 10110), 1);
  SwitchOption(ucb_, Record(10018), false);
  EXPECT_EQ(Value(ucb_, 10045), 0);
  EXPECT_EQ(Value(ucb_, 10110), 0);
  const OptionInfo& memory = Record(10013);
  Set(ucb_, 10013, 181);
  Set(ucb_, 10012, 613);
  EXPECT_TRUE(IsOptionInstalled(ucb_, memory));
  Set(ucb_, 10012, 612);
  EXPECT_FALSE(IsOptionInstalled(ucb_, memory)) << "the second setting must match too";
  SwitchOption(ucb_, memory, false);
  EXPECT_EQ(Value(ucb_, 10013), 1);
  EXPECT_EQ(Value(ucb_, 10012), 613);
}

TEST_F(OptionSwitching, FinisherTypeIsTheFirstInstalledRow) {
  EXPECT_EQ(GetFinType(ucb_)->funcId, -1);
  On({10095, 10061});
  const FinDest* fin = GetFinType(ucb_);
  EXPECT_EQ(fin->funcId, 10061);
  EXPECT_EQ(fin->dest, 37);
  EXPECT_EQ(fin->blankDest, 38);
}

}  // namespace
