// Trays by the string id of their name.
#include <gtest/gtest.h>

#include "features/option/tray_strings.h"

namespace {

TEST(TrayStrings, EachNameGivesItsTrayIndexAndAnUnknownNameTrayZero) {
  const std::pair<WORD, DWORD> cases[] = {{2, 0},    {3, 1},    {5, 2},   {6, 3},   {7, 25},  {169, 25},
                                          {4, 27},   {618, 27}, {8, 28},  {800, 25}, {801, 25}, {823, 29},
                                          {439, 4},  {839, 5},  {837, 6}, {865, 3}, {866, 4},  {1, 0},
                                          {0, 0},    {9999, 0}, {0xFFFF, 0}};
  for (const auto& [id, index] : cases) EXPECT_EQ(GetTrayIDbyStringID(id), index) << id;
}

// A writer of per-tray settings learns that an id is unknown instead of
// being handed the first tray.
TEST(TrayStrings, FindingATrayTellsAnUnknownNameApart) {
  const std::pair<WORD, BOOL> cases[] = {{2, TRUE}, {837, TRUE}, {866, TRUE}, {1, FALSE}, {0, FALSE}, {16107, FALSE}};
  for (const auto& [id, known] : cases) {
    DWORD index = 99;
    EXPECT_EQ(FindTrayIndex(id, &index), known) << id;
    EXPECT_EQ(index, known ? GetTrayIDbyStringID(id) : 99u) << id;
  }
}

}  // namespace
