// The owner-drawn item sizes: looked up by control id, first row winning,
// and held against the dialog tables: every owner-drawn control of every
// dialog has a row, and every row names such a control.
#include "ui/engine/owner_draw_sizes.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/tables/dialog_tables.h"

namespace ui_test {
namespace {

bool IsOwnerDrawn(WORD kind) { return kind >= 47 && kind <= 50; }

std::multiset<WORD> OwnerDrawnControls() {
  std::multiset<WORD> ids;
  for (const TCB& tab : fgTCB) {
    for (WORD i = 0; i < tab.itemCount; ++i) {
      if (IsOwnerDrawn(tab.pICB[i].kind)) ids.insert(tab.pICB[i].itemId);
    }
  }
  return ids;
}

TEST(OwnerDrawSizes, TheFirstRowOfAnIdAnswers) {
  const struct {
    WORD id;
    SHORT width;
    SHORT height;
  } cases[] = {
      {2001, 108, 107}, {2085, 77, 78}, {2087, 91, 51}, {2100, 49, 42},
      {1121, 0, 0},  // later rows of 1121 and 1137 are 16 x 14, but the first wins
      {1137, 0, 0},     {2017, 16, 14}, {2007, 16, 14},
  };
  for (const auto& c : cases) {
    const ODFS* row = GetODFSbyItemID(c.id);
    ASSERT_NE(row, nullptr) << c.id;
    EXPECT_EQ(row->width, c.width) << c.id;
    EXPECT_EQ(row->height, c.height) << c.id;
  }
  EXPECT_EQ(GetODFSbyItemID(2002), nullptr);  // a push button
  EXPECT_EQ(GetODFSbyItemID(0), nullptr);
}

TEST(OwnerDrawSizes, EveryOwnerDrawnControlHasARowAndEveryRowAControl) {
  std::multiset<WORD> rows;
  for (const ODFS* row = GetOwnerDrawFixedSize(); row->itemId != 0; ++row) rows.insert(row->itemId);
  EXPECT_EQ(rows.size(), 118u);
  EXPECT_EQ(rows, OwnerDrawnControls());
}

}  // namespace
}  // namespace ui_test
