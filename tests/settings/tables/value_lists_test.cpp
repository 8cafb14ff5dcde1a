#include <climits>
#include <set>
#include <string_view>

#include <gtest/gtest.h>

#include "settings/tables/setting_table.h"
#include "settings/tables/value_lists.h"

namespace {

struct ListRow {
  const char* name;
  int entries;  // before the first terminator
  WORD funcId;  // the setting that offers it
};

// Every list the setting table refers to, with its length and its setting.
const ListRow kLists[] = {
    {"CDT_CVRMediaType", 46, 10236},
    {"CDT_CVRPaperSize", 148, 10204},
    {"CDT_ChapterDefTray1", 36, 10278},
    {"CDT_ChapterDefTray2", 36, 10279},
    {"CDT_ChapterDefTray3", 36, 10280},
    {"CDT_ChapterUseTray1", 36, 834},
    {"CDT_ChapterUseTray2", 36, 835},
    {"CDT_ChapterUseTray3", 36, 836},
    {"CDT_ChapterUseTray4", 36, 842},
    {"CDT_ChapterUseTray5", 36, 843},
    {"CDT_ChapterUseTray6", 36, 844},
    {"CDT_ChapterUseTray7", 36, 845},
    {"CDT_CoverDefaultTray", 36, 10276},
    {"CDT_DitherTypeImage", 13, 806},
    {"CDT_DitherTypeLine", 13, 805},
    {"CDT_DitherTypeText", 13, 804},
    {"CDT_IDC_BACKCOVER_CHOICE_MEDIATYPE", 45, 405},
    {"CDT_IDC_BACKCOVER_CHOICE_TRAY", 36, 127},
    {"CDT_IDC_BASIC_CHOICE_SCALE_TYPE", 4, 87},
    {"CDT_IDC_CHAPTER_CHOICE_KIND", 3, 839},
    {"CDT_IDC_CHAPTER_CHOICE_MEDIATYPE", 45, 407},
    {"CDT_IDC_CHAPTER_CHOICE_PRINT", 3, 841},
    {"CDT_IDC_CHAPTER_CHOICE_TRAY", 36, 840},
    {"CDT_IDC_COVER_CHOICE_MEDIATYPE", 45, 404},
    {"CDT_IDC_COVER_CHOICE_TRAY", 36, 125},
    {"CDT_IDC_EDIT_CHOICE_DUPLEX_TYPE", 10, 94},
    {"CDT_IDC_EDIT_CHOICE_NUP_KIND", 14, 91},
    {"CDT_IDC_EDIT_CHOICE_NUP_TYPE", 37, 92},
    {"CDT_IDC_EDIT_STATIC_DUPLEX", 10, 792},
    {"CDT_IDC_EDIT_STATIC_NUP", 37, 791},
    {"CDT_IDC_FINISH_CHOICE_PUNCH_TYPE", 15, 120},
    {"CDT_IDC_FINISH_CHOICE_STAPLE_TYPE", 13, 121},
    {"CDT_IDC_FINISH_CHOICE_Z_FOLD_TYPE", 4, 511},
    {"CDT_IDC_FINISH_STATIC_PUNCH", 15, 793},
    {"CDT_IDC_FINISH_STATIC_STAPLE", 13, 794},
    {"CDT_IDC_FINISH_STATIC_Z_FOLD", 4, 933},
    {"CDT_IDC_FREESIZE_CHOICE_SOURCETRAY", 36, 755},
    {"CDT_IDC_FREE_CHOICE_SOURCETRAY", 36, 342},
    {"CDT_IDC_HF_CHOICE_DATE_FORM", 12, 109},
    {"CDT_IDC_HF_CHOICE_DATE_POS", 7, 108},
    {"CDT_IDC_HF_CHOICE_PAGE_FORM", 5, 111},
    {"CDT_IDC_HF_CHOICE_PAGE_POS", 17, 110},
    {"CDT_IDC_HF_CHOICE_STR_FORM", 3, 113},
    {"CDT_IDC_HF_CHOICE_STR_POS", 7, 112},
    {"CDT_IDC_INIT_CHOICE_PRINTAREA", 6, 173},
    {"CDT_IDC_MARGIN_CHOICE_POSITION", 5, 95},
    {"CDT_IDC_MARK_CHOICE_MEDIATYPE", 45, 406},
    {"CDT_IDC_MARK_CHOICE_TRAY", 36, 123},
    {"CDT_IDC_OPTION_CHOICE_TOTALRAM", 8, 10012},
    {"CDT_IDC_OTHERS_CHOICE_EMULATION", 32, 201},
    {"CDT_IDC_PRESET_CHOICE_COLOR", 2, 15},
    {"CDT_IDC_PRESET_CHOICE_MEDIATYPE", 45, 54},
    {"CDT_IDC_PRESET_CHOICE_OUTPUT", 49, 53},
    {"CDT_IDC_PRESET_CHOICE_PAPERSIZE", 148, 8},
    {"CDT_IDC_PRESET_CHOICE_PRINTSIZE", 150, 46},
    {"CDT_IDC_PRESET_CHOICE_PRINTTYPE", 8, 209},
    {"CDT_IDC_PRESET_CHOICE_SOURCETRAY", 36, 13},
    {"CDT_IDC_PRESET_ICONLIST", 16, 37},
    {"CDT_IDC_PRINTQUALITY_CHOICE_OUTPUT_RESOLUTION", 14, 444},
    {"CDT_IDC_PRINTQUALITY_CHOICE_TONERSAVE", 3, 200},
    {"CDT_IDC_PRINTQUALITY_CHOICE_USER_TYPE", 9, 179},
    {"CDT_IDC_REVERSECOVER_CHOICE_MEDIATYPE", 45, 409},
    {"CDT_IDC_REVERSECOVER_CHOICE_TRAY", 36, 408},
    {"CDT_IDC_SAVE_USER_CHOICE_USER_TYPE", 8, 765},
    {"CDT_IDC_STAMP_CHAR_CHOICE_COLOR", 8, 784},
    {"CDT_IDC_STAMP_CHAR_CHOICE_EFFECT", 5, 775},
    {"CDT_IDC_STAMP_CHAR_CHOICE_FONTSTYLE", 4, 788},
    {"CDT_IDC_STAMP_CHAR_CHOICE_POSITION", 14, 776},
    {"CDT_IDC_USER_QUALITY_CHOICE_DITHERING", 14, 137},
    {"CDT_IDC_USER_QUALITY_CHOICE_IMAGE", 4, 181},
    {"CDT_IDC_USER_QUALITY_CHOICE_RESOLUTION", 7, 38},
    {"CDT_IDC_USER_QUALITY_CHOICE_SMOOTHING", 4, 182},
    {"CDT_MarkDefaultTray", 36, 10277},
    {"CDT_PrintFreeOrient", 2, 347},
    {"CDT_PrintFreeTray", 36, 346},
    {"CDT_RADIOLIST_1", 2, 7},
    {"CDT_RADIOLIST_10", 3, 122},
    {"CDT_RADIOLIST_12", 2, 36},
    {"CDT_RADIOLIST_13", 2, 128},
    {"CDT_RADIOLIST_14", 3, 129},
    {"CDT_RADIOLIST_17", 6, 227},
    {"CDT_RADIOLIST_18", 2, 756},
    {"CDT_RADIOLIST_19", 2, 343},
    {"CDT_RADIOLIST_2", 2, 170},
    {"CDT_RADIOLIST_20", 4, 126},
    {"CDT_RADIOLIST_24", 2, 410},
    {"CDT_RADIOLIST_3", 7, 177},
    {"CDT_RADIOLIST_4", 5, 178},
    {"CDT_RADIOLIST_6", 2, 171},
    {"CDT_RADIOLIST_7", 7, 119},
    {"CDT_RADIOLIST_8", 6, 180},
    {"CDT_RADIOLIST_9", 4, 124},
    {"CDT_ReverseCoverDefaultTray", 36, 10288},
    {"CDT_Tray1MediaType", 46, 10207},
    {"CDT_Tray1PaperSize", 148, 10175},
    {"CDT_Tray2MediaType", 46, 10208},
    {"CDT_Tray2PaperSize", 148, 10176},
    {"CDT_Tray3MediaType", 46, 10209},
    {"CDT_Tray3PaperSize", 148, 10177},
    {"CDT_Tray4MediaType", 46, 10210},
    {"CDT_Tray4PaperSize", 148, 10178},
    {"CDT_Tray5MediaType", 46, 10211},
    {"CDT_Tray5PaperSize", 148, 10179},
    {"CDT_Tray6MediaType", 46, 10212},
    {"CDT_Tray6PaperSize", 148, 10180},
    {"CDT_Tray7MediaType", 46, 10213},
    {"CDT_Tray7PaperSize", 148, 10181},
};

const CDT* Find(std::string_view name) {
  for (const ValueListName& v : kValueListNames)
    if (name == v.name) return v.list;
  return nullptr;
}

const SFCB& Rec(WORD id) {
  const int pos = id > 10000 ? id - kSettingSecondRunFirst + kSettingFirstRunEnd : id - 1;
  return fgSFCB[pos];
}

// Number of entries before the terminator that starts at list.
int SectionLength(const CDT* list) {
  int n = 0;
  while (list[n].strId != 0) ++n;
  return n;
}

bool IsTwoSection(std::string_view name) {
  return name == "CDT_IDC_EDIT_CHOICE_NUP_TYPE" || name == "CDT_IDC_EDIT_CHOICE_DUPLEX_TYPE" ||
         name == "CDT_IDC_FINISH_CHOICE_PUNCH_TYPE" || name == "CDT_IDC_FINISH_CHOICE_STAPLE_TYPE";
}

TEST(ValueLists, EachListHasItsLengthAndBelongsToItsSetting) {
  ASSERT_EQ(std::size(kLists), static_cast<std::size_t>(kValueListCount));
  std::set<const CDT*> seen;
  for (const ListRow& row : kLists) {
    const CDT* list = Find(row.name);
    ASSERT_NE(list, nullptr) << row.name;
    EXPECT_TRUE(seen.insert(list).second) << row.name;
    EXPECT_EQ(SectionLength(list), row.entries) << row.name;
    EXPECT_EQ(Rec(row.funcId).valueList, list) << row.name;
  }
  int withList = 0;
  for (const SFCB& r : fgSFCB) withList += r.valueList != nullptr;
  EXPECT_EQ(withList, kValueListCount);
}

// The second section (other orientation) offers the same values as the first.
TEST(ValueLists, TwoSectionListsEndTwiceWithMatchingValues) {
  int twoSection = 0;
  for (const ListRow& row : kLists) {
    if (!IsTwoSection(row.name)) continue;
    ++twoSection;
    const CDT* first = Find(row.name);
    const CDT* second = first + row.entries + 1;
    ASSERT_EQ(SectionLength(second), row.entries) << row.name;
    for (int i = 0; i < row.entries; ++i) {
      EXPECT_EQ(second[i].value, first[i].value) << row.name << " " << i;
      EXPECT_NE(second[i].strId, first[i].strId) << row.name << " " << i;
    }
  }
  EXPECT_EQ(twoSection, 4);
}

// A value a list offers must be storable in its setting.
TEST(ValueLists, ValuesFitTheirSettingsKind) {
  for (const ListRow& row : kLists) {
    const SFCB& r = Rec(row.funcId);
    const DWORD kind = SettingKindOf(r.descriptor);
    long long lo = 0, hi = 0;
    switch (kind) {
      case kKindI8: lo = SCHAR_MIN; hi = SCHAR_MAX; break;
      case kKindI16: lo = SHRT_MIN; hi = SHRT_MAX; break;
      case kKindU8: hi = UCHAR_MAX; break;
      case kKindU16: hi = USHRT_MAX; break;
      case kKindU32: case kKindI32: lo = LLONG_MIN; hi = LLONG_MAX; break;
      default: ADD_FAILURE() << row.name << " on a setting of kind " << kind; continue;
    }
    for (const CDT* e = Find(row.name); e->strId != 0; ++e) {
      EXPECT_GE(static_cast<long long>(e->value), lo) << row.name;
      EXPECT_LE(static_cast<long long>(e->value), hi) << row.name;
      EXPECT_EQ(e->zero, 0) << row.name;
    }
  }
}

TEST(ValueLists, ValuesAreUniqueWithinASection) {
  for (const ListRow& row : kLists) {
    std::set<DWORD> values;
    for (const CDT* e = Find(row.name); e->strId != 0; ++e)
      EXPECT_TRUE(values.insert(e->value).second) << row.name << " value " << e->value;
  }
}

// Public fields keep the system's codes; entries that other tables name by
// string id keep theirs.
TEST(ValueLists, KnownValuesCarryTheirCodesAndIds) {
  struct Row { const char* list; DWORD value; WORD strId; };
  const Row rows[] = {
      {"CDT_RADIOLIST_1", 1, 2026},                         // portrait, radio button 2026
      {"CDT_RADIOLIST_1", 2, 2027},                         // landscape
      {"CDT_IDC_PRESET_CHOICE_COLOR", 1, 17600},            // monochrome
      {"CDT_IDC_PRESET_CHOICE_COLOR", 2, 17601},            // colour
      {"CDT_IDC_OPTION_CHOICE_TOTALRAM", 384 * 1024, 613},  // the 384 MB default of the option table
      {"CDT_IDC_PRESET_ICONLIST", 0, 119},
      {"CDT_IDC_PRESET_ICONLIST", 15, 134},
      {"CDT_IDC_PRESET_CHOICE_PAPERSIZE", 1, 14001},        // letter
      {"CDT_IDC_PRESET_CHOICE_PAPERSIZE", 9, 14009},        // A4
      {"CDT_IDC_PRESET_CHOICE_PAPERSIZE", 48, kCdtNoText},  // reserved code: a value without text
      {"CDT_IDC_PRESET_CHOICE_PRINTSIZE", 1024, 15024},     // "same as the paper size"
      {"CDT_IDC_PRESET_CHOICE_SOURCETRAY", 7, 16107},       // automatic selection
      {"CDT_IDC_PRESET_CHOICE_SOURCETRAY", 286, 823},       // inserter
      {"CDT_Tray1MediaType", 2, 16402},                     // transparency
      {"CDT_IDC_USER_QUALITY_CHOICE_RESOLUTION", 600, 17704},
  };
  for (const Row& row : rows) {
    const CDT* e = Find(row.list);
    ASSERT_NE(e, nullptr) << row.list;
    while (e->strId != 0 && e->value != row.value) ++e;
    ASSERT_NE(e->strId, 0) << row.list << " lacks " << row.value;
    EXPECT_EQ(e->strId, row.strId) << row.list << " " << row.value;
  }
}

// Lists that show the same choices use the same texts.
TEST(ValueLists, MirrorListsShareTheirTexts) {
  const std::pair<const char*, const char*> pairs[] = {
      {"CDT_IDC_EDIT_CHOICE_NUP_TYPE", "CDT_IDC_EDIT_STATIC_NUP"},
      {"CDT_IDC_EDIT_CHOICE_DUPLEX_TYPE", "CDT_IDC_EDIT_STATIC_DUPLEX"},
      {"CDT_IDC_FINISH_CHOICE_PUNCH_TYPE", "CDT_IDC_FINISH_STATIC_PUNCH"},
      {"CDT_IDC_FINISH_CHOICE_STAPLE_TYPE", "CDT_IDC_FINISH_STATIC_STAPLE"},
      {"CDT_IDC_FINISH_CHOICE_Z_FOLD_TYPE", "CDT_IDC_FINISH_STATIC_Z_FOLD"},
      {"CDT_IDC_PRESET_CHOICE_PAPERSIZE", "CDT_Tray3PaperSize"},
      {"CDT_IDC_PRESET_CHOICE_SOURCETRAY", "CDT_ChapterUseTray7"},
  };
  for (const auto& [a, b] : pairs) {
    const CDT* x = Find(a);
    const CDT* y = Find(b);
    for (; x->strId != 0 && y->strId != 0; ++x, ++y) {
      EXPECT_EQ(x->value, y->value) << a;
      EXPECT_EQ(x->strId, y->strId) << a;
    }
    EXPECT_EQ(x->strId, y->strId) << a << " and " << b << " differ in length";
  }
}

}  // namespace
