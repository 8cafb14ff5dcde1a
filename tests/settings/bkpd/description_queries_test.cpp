// The queries over a context's compiled description: group lookups and
// properties on the hand-built sample (every group kind, sub-groups, an id
// without a header slot, exclusive records), paper areas, paper sizes and
// fonts on the rich sample text, and what a context without a description
// answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobsettings/devmode/paper_codes.h"
#include "platform/base/control.h"
#include "settings/bkpd/description_queries.h"
#include "settings/system/memptr.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "tests/settings/bkpd/bkpd_sample.h"
#include "tests/settings/context/hand_context.h"
#include "tests/settings/kpd/kpd_compile_sample.h"

namespace {

std::u16string Text(LPCWSTR s) { return s == nullptr ? u"(null)" : std::u16string(s); }

// A hand context that holds a packed description.
class DescriptionContext : public ::testing::Test {
 protected:
  void Hold(kpdtest::Packed packed) {
    packed_ = std::move(packed);
    ASSERT_FALSE(packed_.bytes.empty());
    b_ = packed_.Load();
    ASSERT_NE(b_, nullptr);
    c_.ucb()->pBKPD = b_;
  }
  void Set(WORD funcId, LONG_PTR stored) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(c_.ucb(), funcId, stored)); }

  kesm_test::HandContext c_;
  kpdtest::Packed packed_;
  PCBKPD b_ = nullptr;
};

// --- The hand-built sample --------------------------------------------------

class SampleQueries : public DescriptionContext {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Hold(kpdtest::PackAndFree(sample::Build())));
  }
};

TEST_F(SampleQueries, GroupsAreFoundBySlotByListWalkAndByGroupId) {
  UCB* ucb = c_.ucb();
  const UiGroup* page = BKPDGetUiGroupAddrByFuncID(8, ucb);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->groupId, sample::kPageSize);
  EXPECT_EQ(BKPDGetUiGroupAddrByFuncID(10001, ucb)->groupId, sample::kDuplex);
  EXPECT_EQ(BKPDGetUiGroupAddrByFuncID(700, ucb)->groupId, sample::kUserName);
  // 1200 has no header slot: only the walk of the list finds it.
  ASSERT_FALSE(BkpdHasSlot(1200));
  ASSERT_NE(BKPDGetUiGroupAddrByFuncID(1200, ucb), nullptr);
  EXPECT_EQ(BKPDGetUiGroupAddrByFuncID(1200, ucb)->groupId, sample::kCopies);
  EXPECT_EQ(BKPDGetUiGroupAddrByFuncID(0, ucb), nullptr);
  EXPECT_EQ(BKPDGetUiGroupAddrByFuncID(12, ucb), nullptr);  // a slot the sample leaves empty
  // By group id the first in list order: a sub-group of the media group.
  const UiGroup* media = BKPDGetUiGroupAddr(sample::kMedia, ucb);
  ASSERT_NE(media, nullptr);
  EXPECT_NE(media->subGroupId, 0);
  EXPECT_EQ(BKPDGetUiGroupAddr(999, ucb), nullptr);
}

TEST_F(SampleQueries, TheGroupOfASettingIndexIsTheGroupOfItsFunctionId) {
  UCB* ucb = c_.ucb();
  const int paperIndex = 7;  // the records keep table order: function id 8
  ASSERT_EQ(ucb->pSFL->pSFCB[paperIndex].funcId, 8);
  EXPECT_EQ(BKPDGetUiGroupAddrBySFCBIndex(ucb, paperIndex), BKPDGetUiGroupAddrByFuncID(8, ucb));
  EXPECT_EQ(BKPDGetUiGroupAddrBySFCBIndex(ucb, -1), nullptr);
  EXPECT_EQ(BKPDGetUiGroupAddrBySFCBIndex(ucb, ucb->pSFL->count), nullptr);
}

TEST_F(SampleQueries, ExclusiveRecordsAndTheirOptionEntriesAreFoundByTheirIds) {
  UCB* ucb = c_.ucb();
  const ExclusiveRecord* media = _GetExclusiveAddr(sample::kMedia, ucb);
  ASSERT_NE(media, nullptr);
  EXPECT_EQ(media->groupId, sample::kMedia);
  EXPECT_EQ(_GetExclusiveAddr(sample::kDuplex, ucb), nullptr);
  const ExclusiveItem* three = _GetOptionAddr(media, 3, ucb);
  ASSERT_NE(three, nullptr);
  EXPECT_EQ(three->optionValue, 3);
  EXPECT_EQ(_GetOptionAddr(media, 9, ucb), nullptr);
  EXPECT_EQ(_GetOptionAddr(_GetExclusiveAddr(sample::kPageSize, ucb), 1, ucb), nullptr);  // no item list
  EXPECT_EQ(_GetOptionAddr(nullptr, 1, ucb), nullptr);
}

struct GroupCase {
  WORD funcId;
  WORD type;        // without the two flags
  WORD fullType;    // as stored
  LONG defaultValue;
  int optionCount;
};

TEST_F(SampleQueries, TypesDefaultsAndOptionCountsFollowTheGroupKind) {
  const GroupCase cases[] = {
      {8, kUiPickPage, kUiPickPage, 1, 2},                  // default index 0: A4
      {10001, kUiBoolean, kUiBoolean, 1, 0},
      {1200, kUiNumeric, kUiNumeric, 1, 0},                 // the Numeric default is its second number
      {700, kUiString, kUiString, 0, 0},
      {9, kUiPickSlot, kUiPickSlot, 1, 2},
      {10050, kUiFontTbl, kUiFontTbl, 1, 1},
      {11, kUiPickOne, kUiPickOne | kUiTypeUnknown, 2, 3},  // default index 1: THICK
      {13, kUiPickOne, kUiPickOne | kUiTypeUnknown | kUiIdentity, 1, 3},  // its own default index, 0
      {15, kUiPickMany, kUiPickMany, 0, 2},                 // PickMany has no default
      {12, 0, 0, 0, -1},                                    // no group
  };
  for (const GroupCase& k : cases) {
    SCOPED_TRACE(k.funcId);
    EXPECT_EQ(BKPDGetGroupTypeByFuncID(k.funcId, c_.ucb()), k.type);
    EXPECT_EQ(_BKPDGetGroupTypeByFuncID(k.funcId, c_.ucb()), k.fullType);
    EXPECT_EQ(BKPDGetGroupDefaultByFuncID(k.funcId, c_.ucb()), k.defaultValue);
    EXPECT_EQ(BKPDGetUiOptionCountByFuncID(k.funcId, c_.ucb()), k.optionCount);
  }
}

TEST_F(SampleQueries, AListDefaultPastTheEndOfItsOptionsIsZero) {
  WorkBKPD* w = sample::Build();
  for (WorkUiGroup* g = w->header->groups; g != nullptr; g = g->next) {
    if (g->funcId == 11) g->defaultValue = 3;  // three options: indexes 0-2
  }
  ASSERT_NO_FATAL_FAILURE(Hold(kpdtest::PackAndFree(w)));
  EXPECT_EQ(BKPDGetGroupDefaultByFuncID(11, c_.ucb()), 0);
}

TEST_F(SampleQueries, OptionsComeAsTheListOrTheValueDataWithTheDefaultIndexForLists) {
  WORD index = 0xFFFF;
  const auto* media = static_cast<const UiOption*>(BKPDGetGroupOptionsByFuncID(11, c_.ucb(), &index));
  ASSERT_NE(media, nullptr);
  EXPECT_EQ(media->value, 1);
  EXPECT_EQ(index, 1);
  index = 0xFFFF;
  const auto* copies = static_cast<const UiNumericValue*>(BKPDGetGroupOptionsByFuncID(1200, c_.ucb(), &index));
  ASSERT_NE(copies, nullptr);
  EXPECT_EQ(copies->third, 999u);
  EXPECT_EQ(index, 0xFFFF) << "a value kind has no default index";
  EXPECT_NE(BKPDGetGroupOptionsByFuncID(10001, c_.ucb(), nullptr), nullptr);
  EXPECT_EQ(BKPDGetGroupOptionsByFuncID(12, c_.ucb(), &index), nullptr);
}

TEST_F(SampleQueries, TheWorkDescriptionAnswersTheDefaultWhileItIsCompiled) {
  WorkBKPD* w = sample::Build();
  EXPECT_EQ(_GetGroupDefault(11, w), 2);
  EXPECT_EQ(_GetGroupDefault(10001, w), 1);
  EXPECT_EQ(_GetGroupDefault(1200, w), 1);
  EXPECT_EQ(_GetGroupDefault(12, w), 0);
  EXPECT_EQ(_GetGroupDefault(11, nullptr), 0);
  WorkBKPD_Free(w);
}

TEST_F(SampleQueries, FontTablePairsComeFromTheFirstOptionWithPairs) {
  DWORD count = 77;
  KESMFONTPAIR* pairs = BKPDGetFontTable(c_.ucb(), &count);
  ASSERT_NE(pairs, nullptr);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(Text(pairs[0].trueType), u"Arial");
  EXPECT_EQ(Text(pairs[0].device), u"Helvetica");
  EXPECT_EQ(Text(pairs[1].trueType), u"Times");
  EXPECT_EQ(Text(pairs[1].device), u"") << "an empty name is an empty text";
  FreeMemPtr(pairs);
}

// --- The rich sample text -------------------------------------------------

// Stored codes and option values of the rich sample.
constexpr WORD kOptionA4 = 14009;
constexpr WORD kOptionA3 = 14008;
constexpr WORD kOptionLetter = 14001;
constexpr LONG_PTR kPortrait = 1;
constexpr LONG_PTR kLandscape = 2;
constexpr LONG_PTR kColour = 2;
constexpr LONG_PTR kMonochrome = 1;

class C7Queries : public DescriptionContext {
 protected:
  void SetUp() override {
    KpdCompileReport report{};
    ASSERT_NO_FATAL_FAILURE(
        Hold(kpdtest::PackAndFree(kpdtest::CompileText(kpdtest::Fixture("kesm_c7_colour.kpd"), &report))));
    Set(38, 1200);
    Set(15, kColour);
    Set(7, kPortrait);
  }
};

TEST_F(C7Queries, ResourceLibraryNameAndDeviceFonts) {
  EXPECT_EQ(Text(BKPDGetUIResDll(c_.ucb())), u"kesmc7res.dll");
  DWORD count = 0;
  KESMFONT* fonts = BKPDGetDeviceFont(c_.ucb(), &count);
  ASSERT_NE(fonts, nullptr);
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(fonts[0].number, 1u);
  EXPECT_EQ(Text(fonts[0].name), u"Kesm Sans");
  EXPECT_EQ(fonts[2].number, 3u);
  EXPECT_EQ(Text(fonts[2].name), u"Kesm Mono");
  FreeMemPtr(fonts);
  fonts = BKPDGetOptionFont(c_.ucb(), &count);
  ASSERT_NE(fonts, nullptr);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(fonts[0].number, 10u);
  EXPECT_EQ(Text(fonts[0].name), u"Kesm Barcode");
  FreeMemPtr(fonts);
}

TEST_F(C7Queries, FontArraysThatCannotBeAllocatedAreNullWithACountOfZero) {
  DWORD count = 5;
  plat::FailAllocationAt(1);
  EXPECT_EQ(BKPDGetDeviceFont(c_.ucb(), &count), nullptr);
  plat::FailAllocationAt(0);
  EXPECT_EQ(count, 0u);
}

struct AreaCase {
  const char* what;
  LONG_PTR orientation;
  LONG_PTR colour;
  WORD paper;
  int result;
  RECT area;
  POINT pair;
};

TEST_F(C7Queries, PrintableAreasMatchResolutionOrientationAndCondition) {
  // A4 at 1200 dpi has one area, for landscape and colour only.
  const AreaCase cases[] = {
      {"the landscape area as given", kLandscape, kColour, kOptionA4, 1, {120, 100, 6896, 4860}, {-2, 0}},
      {"portrait takes it transposed", kPortrait, kColour, kOptionA4, 1, {100, 120, 4860, 6896}, {0, -2}},
      {"its condition fails in monochrome", kLandscape, kMonochrome, kOptionA4, 0, {}, {}},
      {"A3 has no area at 1200 dpi", kPortrait, kColour, kOptionA3, 0, {}, {}},
      {"no such paper", kPortrait, kColour, 15555, 0, {}, {}},
  };
  for (const AreaCase& k : cases) {
    SCOPED_TRACE(k.what);
    Set(7, k.orientation);
    Set(15, k.colour);
    RECT area{-1, -1, -1, -1};
    POINT pair{-1, -1};
    ASSERT_EQ(_GetPaperArea(c_.ucb(), &area, &pair, k.paper), k.result);
    if (k.result == 0) continue;
    EXPECT_EQ(area.left, k.area.left);
    EXPECT_EQ(area.top, k.area.top);
    EXPECT_EQ(area.right, k.area.right);
    EXPECT_EQ(area.bottom, k.area.bottom);
    EXPECT_EQ(pair.x, k.pair.x);
    EXPECT_EQ(pair.y, k.pair.y);
    RECT same{};
    EXPECT_EQ(GetPaperAreaForOutPaper(c_.ucb(), &same, nullptr, k.paper), 1);
    EXPECT_EQ(GetPaperAreaForSrcPaper(c_.ucb(), nullptr, nullptr, k.paper), 1);
    EXPECT_EQ(same.right, k.area.right);
  }
}

TEST_F(C7Queries, PaperSizesComeFromTheOptionAndTurnInLandscape) {
  Set(8, 9);  // A4
  MMPAPERSIZE size{};
  ASSERT_EQ(GetmmPaperArea(c_.ucb(), &size), 1);
  EXPECT_EQ(size.width, 2100u);
  EXPECT_EQ(size.length, 2970u);
  Set(7, kLandscape);
  ASSERT_EQ(_GetmmPaperArea(c_.ucb(), &size, 8), 1);
  EXPECT_EQ(size.width, 2970u);
  EXPECT_EQ(size.length, 2100u);
  Set(8, 1);  // letter: its size has one number, the other stays 0
  ASSERT_EQ(_GetmmPaperArea(c_.ucb(), &size, 0), 1);
  EXPECT_EQ(size.width, 0u);
  EXPECT_EQ(size.length, 2159u);
  Set(8, 70);  // not a paper of the description
  EXPECT_EQ(GetmmPaperArea(c_.ucb(), &size), 0);
}

TEST_F(C7Queries, TheOutputSizeIsLookedUpWithoutWritingThePaperSetting) {
  Set(8, 9);
  Set(46, kPaperSameAsSource);
  c_.work().fChanged = 0;
  const DWORD request = GetRequestCode(c_.ucb());
  MMPAPERSIZE size{};
  ASSERT_EQ(GetmmPaperAreaDst(c_.ucb(), &size), 1);
  EXPECT_EQ(size.width, 2100u) << "1024 is the source size";
  Set(46, 8);  // A3
  c_.work().fChanged = 0;
  ASSERT_EQ(GetmmPaperAreaDst(c_.ucb(), &size), 1);
  EXPECT_EQ(size.width, 2970u);
  EXPECT_EQ(size.length, 4200u);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(c_.ucb(), 8, nullptr), 9) << "the paper setting is as it was";
  EXPECT_EQ(c_.work().fChanged, 0) << "and nothing was marked changed";
  EXPECT_EQ(GetRequestCode(c_.ucb()), request);
  Set(46, 70);
  EXPECT_EQ(GetmmPaperAreaDst(c_.ucb(), &size), 0);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(c_.ucb(), 8, nullptr), 9);
}

// A registered free size is loaded from the free-size store, which a
// printer context keeps: tests/storage/stores/ has that case.
TEST_F(C7Queries, FreeSizesAreAnsweredInTheDisplayUnit) {
  Set(171, 0);  // tenths of a millimetre
  ASSERT_TRUE(IsDispUnitMM(c_.ucb()));
  // The source free size the DEVMODE gives itself: its own width and length.
  Set(8, kPaperFreeSize);
  StoreLE<SHORT>(c_.dcb().devmode, offsetof(DEVMODEW, dmPaperWidth), 1500);
  StoreLE<SHORT>(c_.dcb().devmode, offsetof(DEVMODEW, dmPaperLength), 2500);
  MMPAPERSIZE size{};
  ASSERT_EQ(GetmmPaperArea(c_.ucb(), &size), 1);
  EXPECT_EQ(size.width, 1500u);
  EXPECT_EQ(size.length, 2500u);
  Set(7, kLandscape);
  ASSERT_EQ(GetmmPaperArea(c_.ucb(), &size), 1);
  EXPECT_EQ(size.width, 2500u);
  // The unregistered output size: its own settings, never turned.
  Set(46, kPaperFreeSizeDst);
  Set(344, CmnMmOf012Dot(500, kInternalDpi));
  Set(345, CmnMmOf012Dot(1000, kInternalDpi));
  ASSERT_EQ(GetmmPaperAreaDst(c_.ucb(), &size), 1);
  EXPECT_EQ(size.width, 500u);
  EXPECT_EQ(size.length, 1000u);
}

// --- Without a description ------------------------------------------------

TEST(DescriptionQueries, AContextWithoutADescriptionFindsNothing) {
  kesm_test::HandContext c;
  UCB* ucb = c.ucb();
  ASSERT_EQ(ucb->pBKPD, nullptr);
  EXPECT_EQ(BKPDGetUiGroupAddrByFuncID(8, ucb), nullptr);
  EXPECT_EQ(BKPDGetUiGroupAddrByFuncID(1200, ucb), nullptr);
  EXPECT_EQ(BKPDGetUiGroupAddr(419, ucb), nullptr);
  EXPECT_EQ(BKPDGetUiGroupAddrBySFCBIndex(ucb, 7), nullptr);
  EXPECT_EQ(_GetExclusiveAddr(419, ucb), nullptr);
  EXPECT_EQ(BKPDGetGroupTypeByFuncID(8, ucb), 0);
  EXPECT_EQ(BKPDGetGroupDefaultByFuncID(8, ucb), 0);
  EXPECT_EQ(BKPDGetGroupOptionsByFuncID(8, ucb, nullptr), nullptr);
  EXPECT_EQ(BKPDGetUiOptionCountByFuncID(8, ucb), -1);
  EXPECT_EQ(BKPDGetUIResDll(ucb), nullptr);
  RECT area{};
  MMPAPERSIZE size{};
  EXPECT_EQ(_GetPaperArea(ucb, &area, nullptr, kOptionLetter), 0);
  EXPECT_EQ(GetmmPaperArea(ucb, &size), 0);
  EXPECT_EQ(GetmmPaperAreaDst(ucb, &size), 0);
  DWORD count = 9;
  EXPECT_EQ(BKPDGetDeviceFont(ucb, &count), nullptr);
  EXPECT_EQ(count, 0u);
  count = 9;
  EXPECT_EQ(BKPDGetFontTable(ucb, &count), nullptr);
  EXPECT_EQ(count, 9u) << "no table leaves the count alone";
}

}  // namespace
