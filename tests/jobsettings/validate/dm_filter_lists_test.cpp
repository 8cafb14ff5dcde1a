// The special value lists: their members at the edges, the end record and
// the refused list numbers.
#include <gtest/gtest.h>

#include "jobsettings/validate/dm_value_tables.h"

namespace {

TEST(DMSpecialTable, ThirteenListsAndAnEndRecord) {
  int count = 0;
  const DMSpecialRecord* table = GetDMSpecialTable(&count);
  ASSERT_EQ(count, 14);
  for (int i = 0; i < count; ++i) EXPECT_EQ(table[i].mark, 0xFFFFu) << i;
  EXPECT_EQ(table[13].count, 0u);
  EXPECT_EQ(table[13].values, nullptr);
  EXPECT_EQ(GetDMSpecialTableByIndex(13), nullptr);
  EXPECT_EQ(GetDMSpecialTableByIndex(-1), nullptr);
  EXPECT_EQ(GetDMSpecialTableByIndex(12), &table[12]);
}

TEST(DMSpecialTable, MembershipAtTheEdgesOfEachList) {
  struct Row {
    int list;
    LONG value;
    BOOL member;
  };
  const Row rows[] = {
      {0, 1, TRUE},       {0, 2, FALSE},      {0, 20, TRUE},      {1, 22, TRUE},      {1, 17, FALSE},
      {2, 10003, FALSE},  {2, 10004, TRUE},   {2, 10009, TRUE},   {2, 10010, FALSE},  {3, 5, TRUE},
      {3, 6, FALSE},      {4, 1, TRUE},       {5, 10001, TRUE},   {5, 10011, TRUE},   {5, 10012, FALSE},
      {5, 10182, FALSE},  {5, 10183, TRUE},   {5, 10198, TRUE},   {5, 10199, FALSE},  {5, 10215, TRUE},
      {5, 10230, TRUE},   {5, 10231, FALSE},  {6, 10014, TRUE},   {6, 10045, TRUE},   {6, 10046, FALSE},
      {7, 10046, TRUE},   {7, 10109, TRUE},   {7, 10110, FALSE},  {7, 10290, TRUE},   {7, 10353, TRUE},
      {7, 10354, FALSE},  {8, 10111, TRUE},   {8, 10174, TRUE},   {8, 10175, FALSE},  {9, 18, TRUE},
      {10, 21, TRUE},     {11, 17, TRUE},     {12, 20, TRUE},     {12, 17, FALSE},    {13, 1, FALSE},
      {-1, 1, FALSE},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsValidDMSpecialValue(row.list, row.value), row.member) << row.list << ":" << row.value;
  }
  EXPECT_EQ(GetDMSpecialTableByIndex(5)->count, 43u);
  EXPECT_EQ(GetDMSpecialTableByIndex(7)->count, 128u);
  EXPECT_EQ(GetDMSpecialTableByIndex(8)->count, 64u);
}

}  // namespace
