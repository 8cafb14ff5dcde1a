// The driver's accepted-value tables: fgDM, the special lists, the custom
// paper size ranges and the small fixed answers beside them.
#include <algorithm>
#include <set>
#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/priv_validators.h"

namespace {

std::vector<LONG> Values(DWORD funcId) {
  const DMValueRecord* row = GetDMValueTableByFuncID(funcId);
  if (row == nullptr) return {};
  return {row->values, row->values + row->count};
}

std::vector<LONG> Range(LONG first, LONG last) {
  std::vector<LONG> v;
  for (LONG x = first; x <= last; ++x) v.push_back(x);
  return v;
}

template <class... Parts>
std::vector<LONG> Join(Parts... parts) {
  std::vector<LONG> all;
  (all.insert(all.end(), parts.begin(), parts.end()), ...);
  return all;
}

// The ids the driver's table covers, in its order; the seven rows added
// for validators that consult the table follow them.
std::vector<DWORD> TableOrder() {
  std::vector<DWORD> ids = {8, 13, 14, 17, 29, 36, 38, 39, 46, 53, 54, 87, 88, 91, 92, 94, 95};
  auto add = [&](DWORD first, DWORD last) {
    for (DWORD id = first; id <= last; ++id) ids.push_back(id);
  };
  add(108, 113);
  ids.push_back(117);
  add(119, 129);
  add(131, 134);
  for (DWORD id : {137, 152}) ids.push_back(id);
  add(169, 171);
  ids.push_back(173);
  add(175, 182);
  for (DWORD id : {200, 201, 209, 227, 229, 232, 242, 243, 342, 343, 346, 347, 398}) ids.push_back(id);
  add(403, 410);
  for (DWORD id : {444, 511, 512, 522, 523, 526}) ids.push_back(id);
  add(10175, 10238);
  add(10276, 10280);
  for (DWORD id : {10288, 755, 756, 760, 761, 772, 773, 775, 776, 778, 784, 788}) ids.push_back(id);
  add(791, 806);
  add(834, 836);
  add(839, 845);
  for (DWORD id : {854, 859, 860, 861, 866, 867, 868, 933, 946, 953}) ids.push_back(id);
  for (DWORD id : {93, 130, 135, 136, 174, 199, 228}) ids.push_back(id);
  return ids;
}

TEST(AcceptedValueTable, HoldsTheDriversRowsInOrderThenTheAddedOnes) {
  std::vector<DWORD> ids;
  for (const DMValueRecord* row = GetDMValueTable(); row->funcId != 0; ++row) {
    ids.push_back(row->funcId);
    EXPECT_GT(row->count, 0u) << row->funcId;
    EXPECT_NE(row->values, nullptr) << row->funcId;
  }
  EXPECT_EQ(ids, TableOrder());
  EXPECT_EQ(ids.size(), 197u + 7u);
}

TEST(AcceptedValueTable, TellingRowsHoldTheModelsValues) {
  const std::vector<LONG> resolutions = {150, 200, 300, 400, 600, 1200, 2400};
  EXPECT_EQ(Values(8), Join(std::vector<LONG>{256}, Range(267, 271), Range(512, 515), Range(517, 524)));
  EXPECT_EQ(Values(13), Join(Range(256, 272), Range(281, 286)));
  for (DWORD id : {14, 17, 38, 39}) EXPECT_EQ(Values(id), resolutions) << id;
  EXPECT_EQ(Values(152), Join(Range(1, 6), Range(17, 19), Range(33, 37)));
  EXPECT_EQ(Values(169), Range(0, 18));
  EXPECT_EQ(Values(209), Range(0, 7));
  EXPECT_EQ(Values(242), (std::vector<LONG>{0, 1}));
  EXPECT_EQ(Values(53), Join(Range(0, 46), std::vector<LONG>{128, 129}));
}

// The lists the value lists are being corrected to, not today's.
TEST(AcceptedValueTable, TakesTheCorrectedListsOfNupTypesAndQualitySets) {
  const std::vector<LONG> nup = {1, 2, 3, 33, 34, 37, 38, 65, 66, 69, 70, 97, 98, 101, 102, 0x8001, 0x8002, 0x8003};
  EXPECT_EQ(Values(92), nup);
  EXPECT_EQ(Values(791), nup);
  EXPECT_EQ(Values(179), Join(Range(32, 39), std::vector<LONG>{160}));
  EXPECT_FALSE(IsValidDMValue(53, 47));
  EXPECT_FALSE(IsValidDMValue(53, 48));
}

// A private validator that checks a setting against its row accepts the
// default it stores itself.
TEST(AcceptedValueTable, AcceptsTheDefaultsOfTheValidatorsThatAskIt) {
  for (const ValidatePrivRow& row : ValidatePrivTable) {
    const bool asksTable = row.routine == ProckdmListedValue || row.routine == ProckdmUIModeChange ||
                           row.routine == ProckdmOutputTrayID || row.routine == ProckdmMediaType;
    if (!asksTable) continue;
    EXPECT_TRUE(IsValidDMValue(row.funcId, row.defaultValue)) << row.funcId << " default " << row.defaultValue;
  }
}

TEST(AcceptedValueTable, LooksIdsUpAsSixteenBitNumbers) {
  EXPECT_EQ(GetDMValueTableByFuncID(10175 + 0x10000), GetDMValueTableByFuncID(10175));
  EXPECT_EQ(GetDMValueTableByFuncID(9), nullptr);
  EXPECT_EQ(GetDMValueTableByFuncID(0), nullptr);
  EXPECT_FALSE(IsValidDMValue(9, 1));
  EXPECT_TRUE(IsValidDMValue(8, 256));
  EXPECT_FALSE(IsValidDMValue(8, 516));
}

TEST(SpecialLists, HoldFourteenRecordsOfWhichThirteenAreLists) {
  int count = 0;
  const DMSpecialRecord* table = GetDMSpecialTable(&count);
  EXPECT_EQ(count, 14);
  EXPECT_EQ(table[13].count, 0u);
  EXPECT_EQ(table[13].values, nullptr);
  for (int n = 0; n < 13; ++n) {
    ASSERT_NE(GetDMSpecialTableByIndex(n), nullptr) << n;
    EXPECT_EQ(GetDMSpecialTableByIndex(n)->mark, kDMSpecialMark) << n;
  }
  EXPECT_EQ(GetDMSpecialTableByIndex(13), nullptr);
  EXPECT_EQ(GetDMSpecialTableByIndex(-1), nullptr);
  EXPECT_FALSE(IsValidDMSpecialValue(13, 0));
}

TEST(SpecialLists, HoldTheirValues) {
  struct Row {
    int list;
    std::vector<LONG> values;
  };
  const Row rows[] = {
      {kDuplexTop, {1, 17, 20}},
      {kDuplexRightLeft, {2, 3, 18, 19, 21, 22}},
      {kInvalidKDMValue, Range(10004, 10009)},
      {kInvalidBatchInstall, Range(1, 5)},
      {kInvalidReadSetFile, Range(1, 5)},
      {kInvalidBidiSetFile, Join(Range(10001, 10011), Range(10183, 10198), Range(10215, 10230))},
      {kValidSourceOption, Range(10014, 10045)},
      {kValidOutputOption, Join(Range(10046, 10109), Range(10290, 10353))},
      {kValidTrayField, Range(10111, 10174)},
      {kDuplexBookletCSide, {18, 19}},
      {kDuplexBookletFSide, {21, 22}},
      {kDuplexBookletCTop, {17}},
      {kDuplexBookletFTop, {20}},
  };
  for (const Row& r : rows) {
    const DMSpecialRecord* list = GetDMSpecialTableByIndex(r.list);
    EXPECT_EQ(std::vector<LONG>(list->values, list->values + list->count), r.values) << r.list;
  }
  EXPECT_TRUE(IsValidDMSpecialValue(kInvalidBidiSetFile, 10198));
  EXPECT_FALSE(IsValidDMSpecialValue(kInvalidBidiSetFile, 10199));
}

TEST(PaperFitting, HasNoSizesInThisModel) {
  EXPECT_EQ(GetPaperFittingPaperSize()[0], 0);
  for (LONG size : {0, 1, 9, 256, 1024}) EXPECT_FALSE(IsPaperFittingPaperSize(size)) << size;
}

TEST(FreeSizeRanges, GiveEachTrayAndOrientationItsRange) {
  std::vector<std::pair<SHORT, SHORT>> keys;
  const FreeSizeRange* row = GetPtrFreeSizeRangeTable();
  for (; row->tray != 0; ++row) {
    keys.emplace_back(row->tray, row->orientation);
    EXPECT_EQ(row->kind, 3);
    EXPECT_EQ(row->lengthMinMM, 6600);
    EXPECT_EQ(row->widthMaxMM, 14408);
    EXPECT_EQ(row->widthMaxInch, 14412);
    EXPECT_EQ(row->lengthMaxMM, row->orientation == 1 ? 21636 : 14408);
    EXPECT_EQ(row->lengthMaxInch, row->orientation == 1 ? 21636 : 14412);
  }
  const std::vector<std::pair<SHORT, SHORT>> expected = {{3, 2}, {3, 1}, {2, 2}, {2, 1}, {263, 2}, {263, 1}};
  EXPECT_EQ(keys, expected);
}

TEST(FixedAnswers, DialogsAndBuiltInSupport) {
  for (WORD dialog : {1020, 1025}) EXPECT_FALSE(IsDevmodeChangedOnDialog(dialog)) << dialog;
  for (WORD dialog : {0, 1007, 1019, 1021, 1026}) EXPECT_TRUE(IsDevmodeChangedOnDialog(dialog)) << dialog;
  EXPECT_TRUE(IsSupportJobCodeDLL());
  EXPECT_TRUE(IsSupportWEXA_API());
}

}  // namespace
