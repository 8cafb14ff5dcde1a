// Display texts of settings: a context with a small compiled description
// (one group of each kind) and a resource module of strings.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/settings/context/hand_context.h"
#include "platform/base/machine.h"
#include "platform/modules/winmodule.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/bkpd/bkpd_work.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"

namespace {

using kesm_test::HandContext;

// Group ids of the settings the description holds.
constexpr WORD kNupTypeGroup = 508;      // 92, PickOne
constexpr WORD kSelectScaleGroup = 462;  // 55, Boolean
constexpr WORD kScaleHGroup = 459;       // 89, Numeric, unit "%"
constexpr WORD kFreeWidthGroup = 794;    // 753, Numeric length, unit " mm"
constexpr WORD kHFStringGroup = 994;     // 114, String
constexpr WORD kWmKindGroup = 466;       // 117, not in the description
constexpr WORD kWmIdGroup = 467;         // 118, not in the description
constexpr WORD kScaleVGroup = 460;       // 90, not in the description

template <class T>
T* New() {
  return static_cast<T*>(GetMemPtr(sizeof(T)));
}

void AddGroup(WorkBKPD* w, WORD groupId, WORD funcId, WORD type, SHORT unitString = 0, LONG minDots = 0,
              LONG maxDots = 0) {
  WorkUiGroup* g = New<WorkUiGroup>();
  g->groupId = groupId;
  g->funcId = funcId;
  g->type = type;
  if (type == kUiPickOne) {
    g->options = New<WorkOption>();
    g->options->value = 17101;
  } else if (type == kUiBoolean) {
    g->boolean = New<WorkBoolean>();
  } else if (type == kUiNumeric) {
    g->numeric = New<WorkNumeric>();
    g->numeric->lead = unitString;
    g->numeric->third = minDots;
    g->numeric->fourth = maxDots;
  } else if (type == kUiString) {
    g->string = New<WorkString>();
  }
  g->next = w->header->groups;
  w->header->groups = g;
}

std::vector<BYTE> PackedDescription() {
  WorkBKPD* w = WorkBKPD_Entry();
  AddGroup(w, kNupTypeGroup, 92, kUiPickOne);
  AddGroup(w, kSelectScaleGroup, 55, kUiBoolean);
  AddGroup(w, kScaleHGroup, 89, kUiNumeric, 500);
  AddGroup(w, kFreeWidthGroup, 753, kUiNumeric, 501, 6600, 14412);
  AddGroup(w, kHFStringGroup, 114, kUiString);
  DWORD size = 0;
  std::vector<BYTE> bytes;
  if (BKPDGetWriteSize(w, &size)) {
    bytes.resize(size);
    if (!PackPpdData(bytes.data(), size, w)) {
      bytes.clear();
    }
  }
  WorkBKPD_Free(w);
  return bytes;
}

class ValueText : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto target = plat::DriveRoot() / "Windows/System32/spool/drivers/x64/3/kesmvtUS.dll";
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(KESM_VALUETEXT_STRINGS, target);
    module_ = LoadLibraryW(u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\kesmvtUS.dll");
    ASSERT_NE(module_, nullptr);
    description_ = PackedDescription();
    PCBKPD b = UnpackPpdData(description_.data(), description_.size());
    ASSERT_NE(b, nullptr);
    ucb()->pBKPD = reinterpret_cast<BKPD*>(const_cast<BKPDHEADER*>(b));
    ucb()->hResDll = module_;
  }
  void TearDown() override {
    if (module_ != nullptr) {
      EXPECT_TRUE(FreeLibrary(module_));
    }
  }

  UCB* ucb() { return ctx_.ucb(); }
  std::u16string Text(WORD groupId, int cch = 64) {
    std::vector<WCHAR> buffer(static_cast<std::size_t>(cch) + 1, u'#');
    const int n = GetDevmodeTextByGroupID(ucb(), groupId, buffer.data(), cch);
    EXPECT_EQ(buffer[static_cast<std::size_t>(cch)], u'#') << "wrote past the buffer";
    std::u16string text(buffer.data());
    EXPECT_EQ(static_cast<std::size_t>(n), text.size());
    return text;
  }
  void Raw(WORD funcId, LONG_PTR v) { SetDevmodeValueDirectByFuncID(ucb(), funcId, v); }

  plat::ScopedMachine machine_;
  HMODULE module_ = nullptr;
  std::vector<BYTE> description_;
  HandContext ctx_;
};

TEST_F(ValueText, ChoicesShowTheirStringOrTheirReplacement) {
  Raw(92, 2);  // UI value 17101
  EXPECT_EQ(Text(kNupTypeGroup), u"2 in 1");
  // A setting whose UI value is a replaced id, and ids with no string.
  SFCB* sfcb = GetSFCBbyFuncID(ucb(), 92);
  static const CDT kList[] = {{1, 2284, 0}, {2, 2122, 0}, {3, 12345, 0}, {0, 0, 0}};
  sfcb->valueList = kList;
  const struct {
    LONG_PTR stored;
    std::u16string text;
  } cases[] = {
      {1, u"Replaced choice"},
      {2, u"High id"},  // replaced by an id above 32767
      {3, u"12345 is not string-ID"},
  };
  for (const auto& c : cases) {
    Raw(92, c.stored);
    EXPECT_EQ(Text(kNupTypeGroup), c.text) << c.stored;
  }
}

TEST_F(ValueText, BooleansNumbersAndStrings) {
  Raw(55, 1);
  EXPECT_EQ(Text(kSelectScaleGroup), u"On");
  Raw(55, 0);
  EXPECT_EQ(Text(kSelectScaleGroup), u"Off");
  Raw(87, 0);
  Raw(89, 150);
  EXPECT_EQ(Text(kScaleHGroup), u"150%");
  SetDevmodeStringBySFCB(ucb(), GetSFCBbyFuncID(ucb(), 114), u"Page header");
  EXPECT_EQ(Text(kHFStringGroup), u"Page header");
  Raw(90, 3);
  EXPECT_EQ(Text(kScaleVGroup), u"3");  // no description group: the number
}

TEST_F(ValueText, LengthsShowInTheDisplayUnit) {
  GetSFCBbyFuncID(ucb(), 753)->uiRequest = kSfcbLengthInDots;
  Raw(753, 9921);
  EXPECT_EQ(Text(kFreeWidthGroup), u"210.0 mm");
  Raw(171, 1);
  EXPECT_EQ(Text(kFreeWidthGroup), u"8.27 mm");
  Raw(753, 1200);
  EXPECT_EQ(Text(kFreeWidthGroup), u"1.00 mm");
  GetSFCBbyFuncID(ucb(), 753)->uiRequest = 0;
  EXPECT_EQ(Text(kFreeWidthGroup), u"1200 mm");
}

TEST_F(ValueText, WatermarkKindAndName) {
  const ICB* nameItem = GetICBbyItemID(ucb(), nullptr, 2339);
  ASSERT_NE(nameItem, nullptr);
  SetDevmodeStringByItemID(ucb(), 2339, u"Logo");
  const struct {
    LONG_PTR kind;
    std::u16string kindText;
  } cases[] = {
      {1, u"文字ｽﾀﾝﾌﾟ"}, {2, u"ｲﾒｰｼﾞｽﾀﾝﾌﾟ"}, {3, u"合成"}, {0, u"No watermark"}, {4, u"No watermark"},
  };
  for (const auto& c : cases) {
    Raw(117, c.kind);
    EXPECT_EQ(Text(kWmKindGroup), c.kindText) << c.kind;
  }
  Raw(117, 2);
  EXPECT_EQ(Text(kWmIdGroup), u"Logo");
  Raw(117, 0);
  EXPECT_EQ(Text(kWmIdGroup), u"No watermark");
}

TEST_F(ValueText, TextIsCutToTheBuffer) {
  Raw(92, 2);
  EXPECT_EQ(Text(kNupTypeGroup, 4), u"2 i");
  Raw(92, 3);
  static const CDT kList[] = {{3, 12345, 0}, {0, 0, 0}};
  GetSFCBbyFuncID(ucb(), 92)->valueList = kList;
  EXPECT_EQ(Text(kNupTypeGroup, 8), u"12345 i");
  Raw(89, 150);
  EXPECT_EQ(Text(kScaleHGroup, 4), u"150");
  EXPECT_EQ(Text(kScaleHGroup, 1), u"");
  SetDevmodeStringBySFCB(ucb(), GetSFCBbyFuncID(ucb(), 114), u"Page header");
  EXPECT_EQ(Text(kHFStringGroup, 5), u"Page");
  EXPECT_EQ(GetDevmodeTextByGroupID(ucb(), kHFStringGroup, nullptr, 5), 0);
}

TEST_F(ValueText, DisplayRangeOfANumericControl) {
  const ICB* width = GetICBbyGroupID(ucb(), nullptr, kFreeWidthGroup);
  ASSERT_NE(width, nullptr);
  LONG min = 0;
  LONG max = 0;
  ASSERT_TRUE(GetDispMinMax(ucb(), width, &min, &max));
  EXPECT_EQ(min, 1397);
  EXPECT_EQ(max, 3050);
  Raw(171, 1);
  ASSERT_TRUE(GetDispMinMax(ucb(), width, &min, &max));
  EXPECT_EQ(min, 550);
  EXPECT_EQ(max, 1201);
  const ICB* nup = GetICBbyGroupID(ucb(), nullptr, kNupTypeGroup);
  ASSERT_NE(nup, nullptr);
  EXPECT_FALSE(GetDispMinMax(ucb(), nup, &min, &max));  // not numeric
}

// Actions of the description store string ids: the number kinds through
// the value list, the string kinds as the id's text.
TEST_F(ValueText, ValuesNamedByTheDescription) {
  ASSERT_TRUE(SetDevmodeValueByFuncIDFromBKPD(ucb(), 92, 17101));
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb(), 92, nullptr), 2);
  ASSERT_TRUE(SetDevmodeValueByFuncIDFromBKPD(ucb(), 114, 17101));  // ANSI
  EXPECT_STREQ(reinterpret_cast<const char*>(GetDevmodeValueDirectByFuncID(ucb(), 114, nullptr)), "2 in 1");
  ASSERT_TRUE(SetDevmodeValueByFuncIDFromBKPD(ucb(), 1, 60401));  // wide
  WCHAR text[40] = {};
  GetDevmodeStringBySFCB(ucb(), GetSFCBbyFuncID(ucb(), 1), text);
  EXPECT_EQ(std::u16string(text), u"High id");
  ASSERT_TRUE(SetDevmodeValueByFuncIDFromBKPD(ucb(), 1, 12345));  // no such string: emptied
  GetDevmodeStringBySFCB(ucb(), GetSFCBbyFuncID(ucb(), 1), text);
  EXPECT_EQ(std::u16string(text), u"");
  EXPECT_FALSE(SetDevmodeValueByFuncIDFromBKPD(ucb(), 1177, 1));
}

}  // namespace
