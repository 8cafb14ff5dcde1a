// UI values through value lists: the section by orientation, entries
// without text, and string ids above 32767.
#include <gtest/gtest.h>

#include "tests/settings/context/hand_context.h"
#include "jobsettings/rules/print_orientation.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

using kesm_test::HandContext;

class ValueList : public ::testing::Test {
 protected:
  SFCB* Record(WORD funcId) { return GetSFCBbyFuncID(ctx_.ucb(), funcId); }
  // Writes without marks or follow-ons, so each case starts from its own state.
  void Raw(WORD funcId, LONG_PTR v) {
    SFCB saved = *Record(funcId);
    SetDevmodeValueDirect(ctx_.ucb(), Record(funcId), v);
    *Record(funcId) = saved;
  }

  HandContext ctx_;
};

struct SectionCase {
  WORD funcId;
  LONG_PTR orientation;  // dmOrientation
  LONG_PTR stored;
  LONG_PTR uiValue;
};

TEST_F(ValueList, TheOrientationChoosesTheSection) {
  const SectionCase cases[] = {
      {92, 1, 1, 17100},    {92, 2, 1, 17150},    {92, 2, 0x8007, 17186},
      {94, 1, 22, 17209},   {94, 2, 22, 17259},   {94, 2, 0, 17250},
      // Punch and staple follow the print orientation: without N-up or
      // booklet it is 1 in landscape.
      {120, 1, 1, 17301},   {120, 2, 1, 17351},   {120, 2, 0, 17350},   {121, 1, 68, 17412},
      {121, 2, 68, 17462},  {7, 2, 2, 2027},      {7, 1, 1, 2026},
  };
  for (const SectionCase& c : cases) {
    Raw(7, c.orientation);
    Raw(c.funcId, c.stored);
    EXPECT_EQ(GetDevmodeValueByFuncID(ctx_.ucb(), c.funcId, nullptr), c.uiValue) << c.funcId << "/" << c.orientation;
    EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), Record(c.funcId), c.uiValue), c.stored) << c.funcId;
    EXPECT_TRUE(CheckDevmodeValueByCDT(ctx_.ucb(), Record(c.funcId), c.stored));
  }
}

TEST_F(ValueList, AnIdOfTheOtherSectionNamesTheSameValue) {
  // A list offers the description's options, one label each whatever the
  // orientation: a pick of one stores its value, never the label.
  Raw(7, 2);
  EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), Record(92), 17100), 1);
  Raw(7, 1);
  EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), Record(92), 17150), 1);
}

TEST_F(ValueList, AKeywordOfEitherSectionNamesItsValue) {
  // A description names one keyword whatever the orientation.
  struct Case {
    WORD funcId;
    LONG_PTR orientation;  // dmOrientation
    LONG_PTR id;
    LONG_PTR stored;
  };
  const Case cases[] = {
      {92, 2, 17100, 1},    {92, 1, 17150, 1},    {94, 2, 17209, 22},   {94, 1, 17259, 22},
      {120, 2, 17301, 1},   {120, 1, 17351, 1},   {121, 2, 17407, 49},  {121, 1, 17457, 49},
      {121, 2, 17457, 49},  {121, 1, 17407, 49},
      // Numbers that are no id of the list stay as they are.
      {121, 2, 49, 49},     {92, 2, 0x8001, 0x8001}, {121, 1, 0, 0},    {121, 2, kCdtNoText, kCdtNoText},
  };
  for (const Case& c : cases) {
    Raw(7, c.orientation);
    EXPECT_EQ(ConvertKeywordValueToDevmodeValue(ctx_.ucb(), Record(c.funcId), c.id), c.stored)
        << c.funcId << "/" << c.orientation << "/" << c.id;
  }
}

TEST_F(ValueList, AKeywordIsNotLookedForPastTheEndOfAOneSectionList) {
  static const CDT kList[] = {{5, 100, 0}, {0, 0, 0}, {6, 201, 0}, {0, 0, 0}};
  Record(87)->valueList = kList;
  EXPECT_EQ(ConvertKeywordValueToDevmodeValue(ctx_.ucb(), Record(87), 100), 5);
  EXPECT_EQ(ConvertKeywordValueToDevmodeValue(ctx_.ucb(), Record(87), 201), 201);
  EXPECT_EQ(ConvertKeywordValueToDevmodeValue(ctx_.ucb(), nullptr, 100), 100);
}

TEST_F(ValueList, AValueOnlyInTheFirstSectionReadsBackUnchangedInLandscape) {
  static const CDT kList[] = {{5, 100, 0}, {6, 101, 0}, {0, 0, 0}, {6, 201, 0}, {0, 0, 0}};
  Record(92)->valueList = kList;
  Raw(92, 5);
  Raw(7, 1);
  EXPECT_EQ(GetDevmodeValueByFuncID(ctx_.ucb(), 92, nullptr), 100);
  Raw(7, 2);
  EXPECT_EQ(GetDevmodeValueByFuncID(ctx_.ucb(), 92, nullptr), 5);
  EXPECT_FALSE(CheckDevmodeValueByCDT(ctx_.ucb(), Record(92), 5));
  Raw(92, 6);
  EXPECT_EQ(GetDevmodeValueByFuncID(ctx_.ucb(), 92, nullptr), 201);
}

TEST_F(ValueList, EntriesWithoutTextAreNeverUiValues) {
  static const CDT kList[] = {{1, kCdtNoText, 0}, {1, 300, 0}, {2, kCdtNoText, 0}, {0, 0, 0}};
  SFCB* sfcb = Record(87);
  sfcb->valueList = kList;
  EXPECT_EQ(ConvertDevmodeValueToResID(ctx_.ucb(), sfcb, 1), 300);
  EXPECT_EQ(ConvertDevmodeValueToResID(ctx_.ucb(), sfcb, 2), 2);
  EXPECT_TRUE(CheckDevmodeValueByCDT(ctx_.ucb(), sfcb, 1));
  EXPECT_FALSE(CheckDevmodeValueByCDT(ctx_.ucb(), sfcb, 2));
  EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), sfcb, kCdtNoText), kCdtNoText);
}

TEST_F(ValueList, StringIdsAboveTheSigned16BitRangeConvert) {
  static const CDT kList[] = {{7, 60401, 0}, {8, 32768, 0}, {0, 0, 0}};
  SFCB* sfcb = Record(87);
  sfcb->valueList = kList;
  EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), sfcb, 60401), 7);
  EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), sfcb, 32768), 8);
  EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), sfcb, 60401 - 65536), 60401 - 65536);
  EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), sfcb, 60401 + 65536), 60401 + 65536);
  ASSERT_TRUE(SetDevmodeValueBySFCB(ctx_.ucb(), sfcb, 60401));
  EXPECT_EQ(GetDevmodeValueDirect(ctx_.ucb(), sfcb), 7);
  EXPECT_EQ(GetDevmodeValueBySFCB(ctx_.ucb(), sfcb), 60401);
}

TEST_F(ValueList, SettingsWithoutListPassValuesThrough) {
  EXPECT_EQ(ConvertDevmodeValueToResID(ctx_.ucb(), Record(89), 150), 150);
  EXPECT_EQ(ConvertResIDToDevmodeValue(ctx_.ucb(), Record(89), 150), 150);
  EXPECT_EQ(ConvertDevmodeValueToResID(ctx_.ucb(), nullptr, 42), 42);
  EXPECT_FALSE(CheckDevmodeValueByCDT(ctx_.ucb(), Record(89), 150));
  EXPECT_FALSE(SetDevmodeValueBySFCB(ctx_.ucb(), nullptr, 1));
}

TEST_F(ValueList, UiWritesStoreTheListValue) {
  ASSERT_TRUE(SetDevmodeValueByFuncID(ctx_.ucb(), 92, 17101));
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ctx_.ucb(), 92, nullptr), 2);
  SFCB* out = nullptr;
  EXPECT_EQ(GetDevmodeValueByGroupID(ctx_.ucb(), Record(92)->groupId, &out), 17101);
  EXPECT_EQ(out, Record(92));
  const ICB* icb = GetICBbyGroupID(ctx_.ucb(), nullptr, Record(92)->groupId);
  ASSERT_NE(icb, nullptr);
  EXPECT_EQ(GetDevmodeValueByICB(ctx_.ucb(), icb), 17101);
  ASSERT_TRUE(SetDevmodeValueByICB(ctx_.ucb(), icb, 17118));
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ctx_.ucb(), 92, nullptr), 33);
}

struct OrientationCase {
  LONG_PTR orientation, nupOn, nupType, duplexOn, duplexType;
  DWORD expected;
};

TEST_F(ValueList, PrintOrientation) {
  const OrientationCase cases[] = {
      {1, 0, 0, 0, 0, 0},   {2, 0, 0, 0, 0, 1},     // plain
      {1, 1, 1, 0, 0, 1},   {2, 1, 18, 0, 0, 0},    // N-up types 1-18 turn the sheet
      {1, 1, 19, 0, 0, 0},  {1, 1, 0, 0, 0, 0},     // other N-up types do not
      {1, 0, 5, 0, 0, 0},                           // N-up off
      {1, 0, 0, 1, 17, 1},  {2, 0, 0, 1, 22, 0},    // booklet
      {1, 0, 0, 1, 3, 0},   {2, 0, 0, 0, 17, 1},    // not booklet, or duplex off
  };
  for (const OrientationCase& c : cases) {
    Raw(7, c.orientation);
    Raw(56, c.nupOn);
    Raw(92, c.nupType);
    Raw(58, c.duplexOn);
    Raw(94, c.duplexType);
    EXPECT_EQ(GetPrintOrientation(ctx_.ucb()), c.expected)
        << c.orientation << c.nupOn << " " << c.nupType << " " << c.duplexOn << " " << c.duplexType;
  }
}

}  // namespace
