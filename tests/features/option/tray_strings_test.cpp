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

}  // namespace
