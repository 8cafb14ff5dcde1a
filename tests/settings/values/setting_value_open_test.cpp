// Value access on a context that the real open built: lookups answer with
// the context's own records, and the pointer-sized font-table settings are
// the same slots the context's array bookkeeping uses.
#include <gtest/gtest.h>

#include "tests/settings/context/context_fixture.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"

namespace {

using SettingValueOnOpen = context_test::ContextTest;

TEST_F(SettingValueOnOpen, LookupsAndValuesUseTheContextsCopies) {
  UCB* ucb = OpenContext(office_);
  ASSERT_NE(ucb, nullptr);
  SFCB* orientation = GetSFCBbyFuncID(ucb, 7);
  ASSERT_NE(orientation, nullptr);
  EXPECT_NE(orientation, &fgSFCB[6]);
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb, 7, 2027));  // landscape by its string id
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, 7, nullptr), 2);
  EXPECT_EQ(orientation->flags & kSfcbChangedMask, 1);
  EXPECT_EQ(fgSFCB[6].flags & kSfcbChangedMask, 0);
  // The model's default unit is the inch; these sizes are millimetres.
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 171, 0));
  EXPECT_EQ(ConvertSizeToDevmodeValue(ucb, 753, 2100), 9920);
  EXPECT_EQ(ConvertDevmodeValueToSize(ucb, 753, 0), 2100);
  FreeUcb(ucb);
}

TEST_F(SettingValueOnOpen, FontTablePointersAreTheArraysOfTheContext) {
  UCB* ucb = OpenContext(office_);
  ASSERT_NE(ucb, nullptr);
  const DcbOwnedArray& fonts = kDcbOwnedArrays[0];
  context_test::PutArray(ucb->pDCB, fonts, 2, 0x5A);
  const DcbArray held = GetDcbArray(ucb->pDCB, fonts);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, fonts.countId, nullptr), 2);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, fonts.arrayId, nullptr), reinterpret_cast<LONG_PTR>(held.entries));
  FreeUcb(ucb);
}

}  // namespace
