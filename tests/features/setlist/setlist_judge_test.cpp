// Which lines of the settings summaries are shown: the real conditions over
// the preset page's summary, and the counting of occurrences.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "features/setlist/setlist_judge.h"
#include "settings/tables/class_data.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

class SetListJudgeTest : public FeatureTest {
 protected:
  // The indices of the preset summary's lines shown.
  std::vector<int> Shown(const SETLISTCONDITIONS& conditions = kSetListConditions) {
    SetListJudge judge(ucb_, conditions);
    std::vector<int> shown;
    for (int i = 0; i < kMaintenanceStatusLines; ++i) {
      if (judge.Shown(IDC_MAINTENANCE_STATUS_cdPP[i])) shown.push_back(i);
    }
    return shown;
  }
  std::vector<int> ShownWithLabel(WORD label) {
    std::vector<int> out;
    for (int i : Shown()) {
      if (IDC_MAINTENANCE_STATUS_cdPP[i].labelId == label) out.push_back(i);
    }
    return out;
  }
  static bool Has(const std::vector<int>& v, int i) { return std::find(v.begin(), v.end(), i) != v.end(); }
};

TEST_F(SetListJudgeTest, WithTheWatermarkOffNoneOfItsLinesShows) {
  S(60, 0);
  for (WORD kind : {1, 2, 3}) {
    S(117, kind);
    for (int i : Shown()) {
      const WORD label = IDC_MAINTENANCE_STATUS_cdPP[i].labelId;
      const bool watermark = (label >= 1021 && label <= 1036) || label == 13075 || label == 13076;
      EXPECT_FALSE(watermark) << "line " << i << " label " << label << " kind " << kind;
    }
  }
}

// The watermark kind picks which of the repeated lines shows: the n-th line
// of a label answers to the n-th row of its occurrence table.
TEST_F(SetListJudgeTest, TheWatermarkKindPicksTheOccurrenceThatShows) {
  S(60, 1);
  struct Case {
    WORD kind;
    WORD label;
    std::vector<int> lines;
  };
  const Case cases[] = {
      {1, 1021, {29}},     {2, 1021, {42}},     {3, 1021, {}},  // 1021 at lines 29 and 42
      {1, 1030, {38}},     {2, 1030, {43}},                      // 1030 at lines 38 and 43
      {1, 1033, {41}},     {2, 1033, {47}},     {3, 1033, {50}},  // 1033 at lines 41, 47 and 50
      {2, 1034, {44}},     {3, 1036, {49}},
  };
  for (const Case& c : cases) {
    S(117, c.kind);
    EXPECT_EQ(ShownWithLabel(c.label), c.lines) << "label " << c.label << " kind " << c.kind;
  }
}

TEST_F(SetListJudgeTest, SingleEitherDialogAndSystemConditions) {
  S(67, 1);
  S(95, 3);  // shift 3: lines 1047 (1 or 3) and 1050 (3 or 4)
  S(65, 0);
  S(608, 1);
  const std::vector<int> shown = Shown();
  EXPECT_TRUE(Has(shown, 66));   // 1047
  EXPECT_FALSE(Has(shown, 67));  // 1048
  EXPECT_FALSE(Has(shown, 68));  // 1049
  EXPECT_TRUE(Has(shown, 69));   // 1050
  EXPECT_FALSE(Has(shown, 9));   // 1010, cover off
  // The first 1145 line shows a value of the cover dialog, whose switch is
  // off; the chapter dialog's (line 22) answers to no row and shows.
  EXPECT_FALSE(Has(shown, 11));
  EXPECT_TRUE(Has(shown, 22));
  EXPECT_TRUE(Has(shown, 80));  // 1057 on system kind 1
  S(608, 3);
  EXPECT_FALSE(Has(Shown(), 80));
  S(65, 1);
  EXPECT_TRUE(Has(Shown(), 11));
}

// A line hidden by an earlier table never reaches the occurrence table, so
// the next line with its label is still occurrence 0.
TEST_F(SetListJudgeTest, AHiddenLineDoesNotAdvanceTheOccurrenceCounter) {
  constexpr WORD kLabel = 5000;
  const SETLISTSINGLE single[] = {{kLabel, {56, 1}}};
  const SETLISTOCCURRENCE occurrence[] = {{kLabel, 0, {60, 1}, {0, 0}}, {kLabel, 1, {60, 0}, {0, 0}}};
  SETLISTCONDITIONS conditions{};
  conditions.single = {1, single};
  conditions.occurrence = {2, occurrence};
  const SUMMARYLINE line = {kLabel, 0, 0};
  S(60, 1);
  SetListJudge judge(ucb_, conditions);
  S(56, 0);
  EXPECT_FALSE(judge.Shown(line));  // hidden by the single condition
  S(56, 1);
  EXPECT_TRUE(judge.Shown(line));   // occurrence 0: 60 = 1
  EXPECT_FALSE(judge.Shown(line));  // occurrence 1: 60 = 0 fails
  EXPECT_TRUE(judge.Shown(line));   // past the rows
}

}  // namespace
}  // namespace features_test
