// Finisher rules, one table per question: the size tables of every family
// (staple and punch sizes, sizes that take three or four holes, sizes fed
// portrait only), the feed directions, the staple positions and the punch
// patterns. Paper of the print size is loaded in tray 1, the source tray;
// the print-orientation flag follows the orientation.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <span>
#include <vector>

#include "jobsettings/rules/finisher_rules.h"
#include "tests/jobsettings/rules/rule_context.h"

namespace rules_test {
namespace {

// Option bits.
constexpr WORD kQA_JP = 10058;
constexpr WORD kQA_NA = 10074;
constexpr WORD kQA_NoPunch = 10077;
constexpr WORD kQB_JP = 10050;
constexpr WORD kQB_NoPunch = 10081;
constexpr WORD kQC = 10049;
constexpr WORD kQD = 10059;
constexpr WORD kQE = 10060;
constexpr WORD kQF = 10061;
constexpr WORD kQG_JP = 10082;
constexpr WORD kQG_NA = 10086;
constexpr WORD kQH_US2 = 10090;  // also QJ's NA bit
constexpr WORD kQH_US3 = 10091;
constexpr WORD kQH_EU4 = 10093;  // also QJ's no-punch bit
constexpr WORD kQJ_JP = 10083;
constexpr WORD kQK_JP = 10084;
constexpr WORD kQK_EU = 10095;
constexpr WORD kQK_NE = 10096;
constexpr WORD kQK_NoPunch = 10097;
constexpr WORD kQL_JP = 10102;
constexpr WORD kQL_NA = 10098;
constexpr WORD kQL_NE = 10100;
constexpr WORD kQL_EU4 = 10103;

constexpr WORD kExecutive = 7;
constexpr WORD kFolio = 14;
constexpr WORD k16K = 93;
constexpr WORD kA3Wide = 512;
constexpr WORD k8K = 517;

// Every paper code a table names, and two it does not.
const std::vector<WORD> kCodes = {1, 2, 3, 5, 6, 7, 8, 9, 11, 12, 13, 14, 70, 93, 512, 513, 514, 517};

struct FinishCase;

class FinisherRules : public RuleContext {
 protected:
  void Job(BYTE machine, std::vector<WORD> bits, WORD size, WORD loaded, int o) {
    Machine(machine);
    Finishers(bits);
    PrintSize(size);
    Source(kTray1);
    Load({kTray1, size, loaded});
    Orientation(o);
  }
  void ExpectFinishing(std::span<const FinishCase> cases, WORD setting, BOOL (*possible)(const UCB*, Fin));
};

struct SizeCase {
  const char* what;
  Fin fin;
  BYTE machine;
  std::vector<WORD> bits;
  bool punch;
  std::vector<WORD> taken;
};

TEST_F(FinisherRules, SizeTablesOfEveryFamily) {
  const std::vector<WORD> common = {8, 9, 12, 13, 1, 5, 3, 514, 513, 14, 7, 517, 93};
  auto with = [](std::vector<WORD> v, std::initializer_list<WORD> more) {
    v.insert(v.end(), more);
    return v;
  };
  const SizeCase cases[] = {
      {"QA staple", Fin::QA, 169, {kQA_JP}, false, common},
      {"QA punch adds A5 and HLT", Fin::QA, 169, {kQA_JP}, true, with(common, {11, 6})},
      {"QA punch: HLT needs QA itself, not QB", Fin::QA, 169, {kQB_JP}, true, with(common, {11})},
      {"QA punch without the option: A5 only", Fin::QA, 169, {}, true, with(common, {11})},
      {"QC", Fin::QC, 169, {kQC}, true, common},
      {"QD", Fin::QD, 169, {kQD}, false, {8, 9, 12, 1, 5, 3, 14}},
      {"QE", Fin::QE, 169, {kQE}, false, {8, 9, 12, 13, 1, 5, 3, 14, 517, 93, 7}},
      {"QE on machine 146", Fin::QE, 146, {kQE}, false, {8, 9, 12, 13, 1, 5, 3, 14, 7}},
      {"QF", Fin::QF, 169, {kQF}, false, {8, 9, 12, 13, 1, 5, 3, 514, 513, 14, 517, 93, 7, 512}},
      {"QF on machine 146", Fin::QF, 146, {kQF}, false, {8, 9, 12, 13, 1, 5, 3, 514, 513, 14, 7, 512}},
      {"QG punch", Fin::QG, 169, {kQG_JP}, true, with(common, {11, 6})},
      {"QH punch", Fin::QH, 169, {kQH_US2}, true, with(common, {11, 6})},
      {"QJ staple", Fin::QJ, 169, {kQJ_JP}, false, common},
      {"QK punch", Fin::QK, 169, {kQK_JP}, true, with(common, {11, 6})},
      {"QL staple", Fin::QL, 169, {kQL_JP}, false, {8, 9, 12, 13, 1, 5, 3}},
      {"QL punch adds HLT, not A5", Fin::QL, 169, {kQL_JP}, true, {8, 9, 12, 13, 1, 5, 3, 6}},
  };
  for (const SizeCase& k : cases) {
    SCOPED_TRACE(k.what);
    Job(k.machine, k.bits, kA4, kP, 0);
    for (WORD code : kCodes) {
      const bool taken = std::find(k.taken.begin(), k.taken.end(), code) != k.taken.end();
      EXPECT_EQ(CheckPrintSizeSupportFin(ucb(), k.fin, code, k.punch) != 0, taken) << "paper " << code;
    }
  }
}

TEST_F(FinisherRules, SizesForThreeOrFourHolesAndPortraitOnly) {
  const std::vector<WORD> refusedQA = {9, 11, 13, 5, 1, 6, 514, 513, 14, 7, 93};
  const std::vector<WORD> refusedQL = {9, 12, 13, 1, 5, 514, 513, 14, 7, 517, 93};
  const std::vector<WORD> portraitOnly = {8, 12, 5, 3, 514, 513, 14, 517, 512};
  auto in = [](const std::vector<WORD>& v, WORD c) { return std::find(v.begin(), v.end(), c) != v.end(); };
  for (WORD code : kCodes) {
    SCOPED_TRACE(code);
    for (Fin fin : {Fin::QA, Fin::QG, Fin::QH, Fin::QJ, Fin::QK}) {
      EXPECT_EQ(CheckPrintSizeSupportPunchNAEU(fin, code) != 0, !in(refusedQA, code));
    }
    EXPECT_EQ(CheckPrintSizeSupportPunchNAEU(Fin::QL, code) != 0, !in(refusedQL, code));
    EXPECT_EQ(CheckPrintSizePortraitOnly(code) != 0, in(portraitOnly, code));
  }
}

struct DirectionCase {
  const char* what;
  Fin fin;
  std::vector<WORD> bits;
  BYTE machine;
  WORD size;
  WORD loaded;
  bool portrait;
  bool landscape;
};

TEST_F(FinisherRules, FeedDirections) {
  const DirectionCase cases[] = {
      {"A4 loaded portrait", Fin::QA, {kQA_JP}, 169, kA4, kP, true, false},
      {"A4 loaded landscape", Fin::QA, {kQA_JP}, 169, kA4, kL, false, true},
      {"A3 is fed portrait only", Fin::QA, {kQA_JP}, 169, kA3, kL, false, false},
      {"not installed", Fin::QA, {kQC}, 169, kA4, kP, false, false},
      {"the second model alone", Fin::QA, {kQB_JP}, 169, kA4, kP, true, false},
      {"A5 is a punch size", Fin::QA, {kQA_JP}, 169, kA5, kL, false, true},
      {"QC", Fin::QC, {kQC}, 169, kB5, kL, false, true},
      {"QE refuses Executive portrait", Fin::QE, {kQE}, 169, kExecutive, kP, false, false},
      {"QE refuses B5 portrait", Fin::QE, {kQE}, 169, kB5, kP, false, false},
      {"QE takes Executive landscape", Fin::QE, {kQE}, 169, kExecutive, kL, false, true},
      {"QE on machine 131: not Executive landscape", Fin::QE, {kQE}, 131, kExecutive, kL, false, false},
      {"QE on machine 146: not 8K", Fin::QE, {kQE}, 146, k8K, kP, false, false},
      {"QF on machine 142: not A3 wide", Fin::QF, {kQF}, 142, kA3Wide, kP, false, false},
      {"QF takes A3 wide elsewhere", Fin::QF, {kQF}, 169, kA3Wide, kP, true, false},
      {"QF on machine 146: not 16K", Fin::QF, {kQF}, 146, k16K, kL, false, false},
      {"QG on machine 138: not A5", Fin::QG, {kQG_JP}, 138, kA5, kL, false, false},
      {"QH on machine 138: not A5", Fin::QH, {kQH_US2}, 138, kA5, kP, false, false},
      {"QJ on machine 138: not A5", Fin::QJ, {kQJ_JP}, 138, kA5, kP, false, false},
      {"QK on machine 138: not A5", Fin::QK, {kQK_JP}, 138, kA5, kL, false, false},
      {"QK elsewhere: A5", Fin::QK, {kQK_JP}, 169, kA5, kL, false, true},
      {"QL: HLT", Fin::QL, {kQL_JP}, 169, kHLT, kL, false, true},
      {"QL: no A5", Fin::QL, {kQL_JP}, 169, kA5, kP, false, false},
      {"one bit installs QH and QJ (QH)", Fin::QH, {kQH_US2}, 169, kA4, kP, true, false},
      {"one bit installs QH and QJ (QJ)", Fin::QJ, {kQH_US2}, 169, kA4, kP, true, false},
      {"QD: portrait-only size", Fin::QD, {kQD}, 169, kA3, kP, true, false},
      {"QD: A4 portrait is no portrait-only size", Fin::QD, {kQD}, 169, kA4, kP, false, false},
      {"QD: A4 landscape", Fin::QD, {kQD}, 169, kA4, kL, false, true},
      {"QD: B5 landscape", Fin::QD, {kQD}, 169, kB5, kL, false, true},
      {"QD: A3 landscape", Fin::QD, {kQD}, 169, kA3, kL, false, false},
  };
  for (const DirectionCase& k : cases) {
    SCOPED_TRACE(k.what);
    Job(k.machine, k.bits, k.size, k.loaded, 0);
    EXPECT_EQ(IsPrintSizePortraitFin(ucb(), k.fin) != 0, k.portrait);
    EXPECT_EQ(IsPrintSizeLandscapeFin(ucb(), k.fin) != 0, k.landscape);
  }
}

TEST_F(FinisherRules, FourthFamilyPortraitQuestions) {
  struct Case {
    BYTE machine;
    WORD size;
    WORD loaded;
    bool a4lt;
    bool middle;
    bool support;
  };
  const Case cases[] = {
      {169, kA4, kP, true, true, true},       {169, kLetter, kP, true, true, true},
      {169, kA4, kL, false, false, true},     {169, kA3, kP, false, true, true},
      {169, kLegal, kP, false, false, true},  {151, kLegal, kP, false, true, true},
      {169, kB5, kP, false, false, false},    {169, kB5, kL, false, false, true},
      {169, kA5, kP, false, false, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "machine " << int{k.machine} << " paper " << k.size << " loaded " << k.loaded);
    Job(k.machine, {kQD}, k.size, k.loaded, 0);
    EXPECT_EQ(IsPrintSizePortraitFinQDA4LT(ucb()) != 0, k.a4lt);
    EXPECT_EQ(IsPrintSizePortraitFinQDMiddle(ucb()) != 0, k.middle);
    EXPECT_EQ(IsPrintSizeSupportFin(ucb(), Fin::QD) != 0, k.support);
  }
}

struct FinishCase {
  const char* what;
  Fin fin;
  std::vector<WORD> bits;
  BYTE machine;
  WORD size;
  WORD loaded;
  int o;  // print-orientation flag
  WORD type;
  bool possible;
};

// Staple positions and punch patterns are asked the same way: the job of
// each case, its type in the given setting, then the family's question.
void FinisherRules::ExpectFinishing(std::span<const FinishCase> cases, WORD setting,
                                    BOOL (*possible)(const UCB*, Fin)) {
  for (const FinishCase& k : cases) {
    SCOPED_TRACE(k.what);
    Job(k.machine, k.bits, k.size, k.loaded, k.o);
    Set(setting, k.type);
    EXPECT_EQ(possible(ucb(), k.fin) != 0, k.possible);
  }
}

TEST_F(FinisherRules, StaplePositions) {
  const FinishCase cases[] = {
      {"QA two top, with the feed", Fin::QA, {kQA_JP}, 169, kA4, kP, 0, 65, true},
      {"QA two top, across", Fin::QA, {kQA_JP}, 169, kA4, kP, 1, 65, false},
      {"QA two right, across", Fin::QA, {kQA_JP}, 169, kA4, kP, 1, 66, true},
      {"QA two right, landscape with", Fin::QA, {kQA_JP}, 169, kA4, kL, 0, 66, true},
      {"QA slant", Fin::QA, {kQA_JP}, 169, kA4, kL, 1, 17, true},
      {"QA corner either way", Fin::QA, {kQA_JP}, 169, kA4, kL, 0, 49, true},
      {"QA middle is not QA's", Fin::QA, {kQA_JP}, 169, kA4, kP, 0, 68, false},
      {"QA: A5 is no staple size", Fin::QA, {kQA_JP}, 169, kA5, kP, 0, 49, false},
      {"QA on machine 150: landscape A3 ignored", Fin::QA, {kQA_JP}, 150, kA3, kL, 1, 65, false},
      {"QA on machine 150: corner still", Fin::QA, {kQA_JP}, 150, kA3, kL, 1, 49, true},
      {"QA elsewhere: landscape A3 counts", Fin::QA, {kQA_JP}, 169, kA3, kL, 1, 65, true},
      {"QC slant", Fin::QC, {kQC}, 169, kA4, kP, 0, 33, true},
      {"QC only slants", Fin::QC, {kQC}, 169, kA4, kP, 0, 65, false},
      {"QE corner", Fin::QE, {kQE}, 169, kA4, kP, 0, 49, true},
      {"QE: B5 portrait does not count", Fin::QE, {kQE}, 169, kB5, kP, 0, 49, false},
      {"QE: B5 landscape", Fin::QE, {kQE}, 169, kB5, kL, 1, 49, true},
      {"QF two left across", Fin::QF, {kQF}, 169, kA4, kL, 0, 67, true},
      {"QF corner", Fin::QF, {kQF}, 169, kA4, kL, 0, 50, true},
      {"QG middle", Fin::QG, {kQG_JP}, 169, kA4, kP, 0, 68, true},
      {"QG middle needs portrait paper", Fin::QG, {kQG_JP}, 169, kA4, kL, 0, 68, false},
      {"QG middle: no Legal", Fin::QG, {kQG_JP}, 160, kLegal, kP, 0, 68, false},
      {"QG middle: Executive on most models", Fin::QG, {kQG_JP}, 160, kExecutive, kP, 0, 68, true},
      {"QG middle: no Executive on 169", Fin::QG, {kQG_JP}, 169, kExecutive, kP, 0, 68, false},
      {"QH middle needs the QD option", Fin::QH, {kQH_US2}, 169, kA4, kP, 0, 68, false},
      {"QH middle with it", Fin::QH, {kQH_US2, kQD}, 169, kA4, kP, 0, 68, true},
      {"QK middle: Legal on 169", Fin::QK, {kQK_JP, kQD}, 169, kLegal, kP, 0, 68, true},
      {"QK middle: no Legal elsewhere", Fin::QK, {kQK_JP, kQD}, 160, kLegal, kP, 0, 68, false},
      {"QJ has no middle", Fin::QJ, {kQJ_JP, kQD}, 169, kA4, kP, 0, 68, false},
      {"QJ two top", Fin::QJ, {kQJ_JP}, 169, kA4, kL, 1, 65, true},
      {"QL slant B5 portrait", Fin::QL, {kQL_JP}, 169, kB5, kP, 0, 33, false},
      {"QL slant B5 landscape", Fin::QL, {kQL_JP}, 169, kB5, kL, 1, 33, true},
      {"QL corner B5 portrait", Fin::QL, {kQL_JP}, 169, kB5, kP, 0, 49, false},
      {"QL corner B5 landscape", Fin::QL, {kQL_JP}, 169, kB5, kL, 0, 49, true},
      {"QL middle", Fin::QL, {kQL_JP}, 169, kA4, kP, 1, 68, true},
      {"QL middle: no B5", Fin::QL, {kQL_JP}, 169, kB5, kP, 0, 68, false},
      {"QD two top", Fin::QD, {kQD}, 169, kA3, kP, 0, 65, true},
      {"QD two right", Fin::QD, {kQD}, 169, kA3, kP, 1, 66, true},
      {"QD slant on A4", Fin::QD, {kQD}, 169, kA4, kP, 0, 33, true},
      {"QD middle", Fin::QD, {kQD}, 169, kA4, kP, 0, 68, true},
      {"QD middle: Legal only on 151", Fin::QD, {kQD}, 169, kLegal, kP, 0, 68, false},
      {"QD corner is not QD's", Fin::QD, {kQD}, 169, kA4, kP, 0, 49, false},
      {"no finisher", Fin::QK, {}, 169, kA4, kP, 0, 49, false},
  };
  ExpectFinishing(cases, 121, IsSupportStapleTypeFin);
}

TEST_F(FinisherRules, PunchPatterns) {
  const FinishCase cases[] = {
      {"QA JP two holes with the feed", Fin::QA, {kQA_JP}, 169, kA4, kP, 0, 1, true},
      {"QA JP two holes across", Fin::QA, {kQA_JP}, 169, kA4, kP, 0, 2, false},
      {"QA JP: no three holes", Fin::QA, {kQA_JP}, 169, kA3, kL, 1, 17, false},
      {"QA NA three holes, landscape", Fin::QA, {kQA_NA}, 169, kA4, kL, 1, 17, true},
      {"QA NA three holes, portrait A4", Fin::QA, {kQA_NA}, 169, kA4, kP, 0, 17, false},
      {"QA NA three holes, portrait A3", Fin::QA, {kQA_NA}, 169, kA3, kP, 0, 17, true},
      {"QA NA three holes across", Fin::QA, {kQA_NA}, 169, kA4, kL, 0, 18, true},
      {"QA NA: no four holes", Fin::QA, {kQA_NA}, 169, kA4, kL, 1, 33, false},
      {"QA with its no-punch variant", Fin::QA, {kQA_JP, kQA_NoPunch}, 169, kA4, kP, 0, 1, false},
      {"QA with QB's no-punch variant", Fin::QA, {kQA_NA, kQB_NoPunch}, 169, kA4, kP, 0, 1, false},
      {"QA on machine 150: landscape A3", Fin::QA, {kQA_NA}, 150, kA3, kL, 1, 17, false},
      {"QA: unknown type", Fin::QA, {kQA_JP}, 169, kA4, kP, 0, 4, false},
      {"QA: A5 punches", Fin::QA, {kQA_JP}, 169, kA5, kP, 0, 1, true},
      {"QG NA: HLT landscape on 169", Fin::QG, {kQG_NA}, 169, kHLT, kL, 1, 17, false},
      {"QG NA: HLT landscape elsewhere", Fin::QG, {kQG_NA}, 160, kHLT, kL, 1, 17, true},
      {"QK JP: three holes on 169", Fin::QK, {kQK_JP}, 169, kA4, kL, 1, 17, true},
      {"QK JP: no three holes elsewhere", Fin::QK, {kQK_JP}, 160, kA4, kL, 1, 17, false},
      {"QK EU: B5 landscape on 169", Fin::QK, {kQK_EU}, 169, kB5, kL, 1, 33, false},
      {"QK EU: A4 landscape on 169", Fin::QK, {kQK_EU}, 169, kA4, kL, 1, 33, true},
      {"QK EU: A3 portrait on 169", Fin::QK, {kQK_EU}, 169, kA3, kP, 0, 33, true},
      {"QK EU: B4 portrait on 169", Fin::QK, {kQK_EU}, 169, kB4, kP, 0, 33, false},
      {"QK EU: B4 portrait elsewhere", Fin::QK, {kQK_EU}, 160, kB4, kP, 0, 33, true},
      {"QK EU: across, mirrored", Fin::QK, {kQK_EU}, 169, kA4, kL, 0, 34, true},
      {"QK NE: HLT portrait on 169", Fin::QK, {kQK_NE}, 169, kHLT, kP, 0, 49, false},
      {"QK NE: HLT portrait elsewhere", Fin::QK, {kQK_NE}, 160, kHLT, kP, 0, 49, true},
      {"QK NE: across", Fin::QK, {kQK_NE}, 169, kA4, kL, 0, 50, true},
      {"QK with its no-punch variant", Fin::QK, {kQK_JP, kQK_NoPunch}, 169, kA4, kP, 0, 1, false},
      {"QH US3: HLT landscape on 169", Fin::QH, {kQH_US3}, 169, kHLT, kL, 1, 17, false},
      {"QH US3: A4 landscape", Fin::QH, {kQH_US3}, 169, kA4, kL, 1, 17, true},
      {"QH has no second four-hole pattern", Fin::QH, {kQH_US2}, 169, kA4, kP, 0, 49, false},
      // QH has no variant without a punch unit: QK's does not switch it off.
      {"QH beside QK's no-punch variant", Fin::QH, {kQH_US2, kQK_JP, kQK_NoPunch}, 169, kA4, kP, 0, 1, true},
      {"QJ by the shared NA bit", Fin::QJ, {kQH_US2}, 169, kA4, kL, 1, 17, true},
      // QH's EU4 bit is also QJ's no-punch bit: beside a QJ that punches it
      // is QH's unit and leaves QJ's punching alone; alone it is a QJ
      // without a punch unit.
      {"QJ JP beside QH's EU4 bit", Fin::QJ, {kQJ_JP, kQH_EU4}, 169, kA4, kP, 0, 1, true},
      {"QJ by the shared no-punch bit alone", Fin::QJ, {kQH_EU4}, 169, kA4, kP, 0, 1, false},
      {"QH EU4 beside QJ JP", Fin::QH, {kQJ_JP, kQH_EU4}, 169, kA4, kL, 1, 33, true},
      {"QL JP: B4 portrait", Fin::QL, {kQL_JP}, 169, kB4, kP, 0, 1, true},
      {"QL NA: B4 portrait", Fin::QL, {kQL_NA}, 169, kB4, kP, 0, 1, false},
      {"QL NA: A3 landscape", Fin::QL, {kQL_NA}, 169, kA3, kL, 1, 1, false},
      {"QL NA: A4 landscape", Fin::QL, {kQL_NA}, 169, kA4, kL, 1, 1, true},
      {"QL NA: three holes Letter landscape", Fin::QL, {kQL_NA}, 169, kLetter, kL, 1, 17, true},
      {"QL NA: three holes B4 landscape", Fin::QL, {kQL_NA}, 169, kB4, kL, 1, 17, false},
      {"QL NA: three holes A3 portrait", Fin::QL, {kQL_NA}, 169, kA3, kP, 0, 17, true},
      {"QL EU4: four holes A4 landscape", Fin::QL, {kQL_EU4}, 169, kA4, kL, 1, 33, true},
      {"QL EU4: four holes Letter landscape", Fin::QL, {kQL_EU4}, 169, kLetter, kL, 1, 33, false},
      {"QL EU4: four holes A3 portrait", Fin::QL, {kQL_EU4}, 169, kA3, kP, 0, 33, true},
      {"QL EU4: four holes B4 portrait", Fin::QL, {kQL_EU4}, 169, kB4, kP, 0, 33, false},
      {"QL EU4: mirrored", Fin::QL, {kQL_EU4}, 169, kA4, kL, 0, 35, true},
      {"QL NE", Fin::QL, {kQL_NE}, 169, kB5, kP, 1, 51, true},
      {"no finisher", Fin::QG, {}, 169, kA4, kP, 0, 1, false},
      {"a finisher that does not punch", Fin::QC, {kQC}, 169, kA4, kP, 0, 1, false},
  };
  ExpectFinishing(cases, 120, IsSupportPunchTypeFin);
}

TEST_F(FinisherRules, PaperLoadedBothWaysAllowsEitherGroup) {
  Job(169, {kQA_JP}, kA4, kP, 0);
  Source(kAuto);
  Load({kTray2, kA4, kL});
  for (int o : {0, 1}) {
    Orientation(o);
    for (WORD type : std::initializer_list<WORD>{17, 18, 33, 65, 1, 2, 34, 66, 67}) {
      Set(121, type);
      EXPECT_TRUE(IsSupportStapleTypeFin(ucb(), Fin::QA)) << "type " << type << " flag " << o;
    }
  }
  Load({kTray1, kA3, kP});
  Load({kTray2, kA3, kL});
  Set(121, 49);
  EXPECT_FALSE(IsSupportStapleTypeFin(ucb(), Fin::QA)) << "no A4 loaded";
}

TEST_F(FinisherRules, TheFlagFollowsNupAndBooklet) {
  Job(169, {kQA_JP}, kA4, kP, 0);
  Set(120, 1);
  EXPECT_TRUE(IsSupportPunchTypeFin(ucb(), Fin::QA));
  Set(56, 1);
  Set(92, 2);  // two-up turns the print
  EXPECT_FALSE(IsSupportPunchTypeFin(ucb(), Fin::QA));
  Set(120, 2);
  EXPECT_TRUE(IsSupportPunchTypeFin(ucb(), Fin::QA));
}

TEST_F(FinisherRules, WithoutAFinisherOnlySizeQuestionsAnswer) {
  Job(169, {}, kA4, kP, 0);
  Set(120, 1);
  Set(121, 49);
  for (Fin fin : {Fin::QA, Fin::QC, Fin::QD, Fin::QE, Fin::QF, Fin::QG, Fin::QH, Fin::QJ, Fin::QK, Fin::QL}) {
    SCOPED_TRACE(static_cast<int>(fin));
    EXPECT_FALSE(IsPrintSizePortraitFin(ucb(), fin));
    EXPECT_FALSE(IsPrintSizeLandscapeFin(ucb(), fin));
    EXPECT_FALSE(IsSupportStapleTypeFin(ucb(), fin));
    EXPECT_FALSE(IsSupportPunchTypeFin(ucb(), fin));
    EXPECT_TRUE(IsPrintSizeSupportStapleFin(ucb(), fin));
  }
  EXPECT_TRUE(IsPrintSizeSupportFin(ucb(), Fin::QE));
  EXPECT_TRUE(IsPrintSizeSupportPunchFin(ucb(), Fin::QK));
  EXPECT_FALSE(IsPrintSizeSupportPunchFinNAEU(ucb(), Fin::QK)) << "A4 takes no three or four holes";
}

}  // namespace
}  // namespace rules_test
