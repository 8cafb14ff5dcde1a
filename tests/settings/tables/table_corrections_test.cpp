// The setting table and value lists as the code that reads them expects
// them: the values validators and device rules compare or store are in the
// lists, string ids are the ones other tables key on, and settings hold what
// is written into them.
#include <climits>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "jobsettings/rules/print_orientation.h"
#include "jobsettings/rules/resolution_rules.h"
#include "jobsettings/validate/nup_classes.h"
#include "settings/tables/keyword_tables.h"
#include "settings/tables/setting_table.h"
#include "settings/tables/value_lists.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"

namespace {

const SFCB& Rec(WORD id) {
  const int pos = id > 10000 ? id - kSettingSecondRunFirst + kSettingFirstRunEnd : id - 1;
  return fgSFCB[pos];
}

const CDT* SecondSection(const CDT* list) {
  while (list->strId != 0) ++list;
  return list + 1;
}

bool HasTwoSections(WORD funcId) { return funcId == 92 || funcId == 94 || funcId == 120 || funcId == 121; }

bool Offers(const CDT* list, DWORD value) {
  for (; list->strId != 0; ++list)
    if (list->value == value) return true;
  return false;
}

WORD IdOf(const CDT* list, DWORD value) {
  for (; list->strId != 0; ++list)
    if (list->value == value) return list->strId;
  return 0;
}

// What the readers of a setting compare it with or store into it: the codes
// the validators class, the device rules test, the job header and the
// quality store read, and the default the private validator stores.
struct ReaderRow {
  WORD funcId;
  std::vector<DWORD> values;
  DWORD defaultValue;
};

// The N-up types the validator classes, from its table.
std::vector<DWORD> ClassedNupTypes() {
  std::vector<DWORD> types;
  for (const NupClass& c : kNupClasses) types.push_back(static_cast<DWORD>(c.type));
  return types;
}

const std::vector<ReaderRow>& Readers() {
  static const std::vector<ReaderRow> rows = {
      // N-up types whose pages class the validator knows; posters.
      {92, ClassedNupTypes(), 1},
      {791, ClassedNupTypes(), 1},
      // Stored quality sets: set number = value - 32.
      {179, {32, 33, 34, 35, 36, 37, 38, 39, 160}, 32},
      // Output bins the validator accepts beyond 0-46.
      {53, {0, 46, 128, 129}, 0},
      // Output size codes of paper fitting.
      {46, {1024, 1025, 1026}, 1024},
      {137, {257}, 257},
      {201, {255}, 255},
      // Punch types of the finisher rules; staple types likewise.
      {120, {1, 2, 3, 17, 18, 19, 33, 34, 35, 49, 50, 51}, 0},
      {121, {1, 2, 17, 18, 33, 34, 49, 50, 65, 66, 67, 68}, 0},
      // Duplex types of the top and side binding lists.
      {94, {1, 2, 3, 17, 18, 19, 20, 21, 22}, 3},
      // Tray codes of the tray rules; 7 is Auto.
      {13, {1, 3, 2, 256, 261, 262, 263, 11, 4, 286, 7}, 7},
      {123, {1, 3, 2, 256, 261, 262, 263, 11, 4, 286, 7}, 7},
      {125, {1, 3, 2, 256, 261, 262, 263, 11, 4, 286, 7}, 7},
      {127, {1, 3, 2, 256, 261, 262, 263, 11, 4, 286, 7}, 7},
  };
  return rows;
}

TEST(TableCorrections, EveryValueAReaderUsesIsInTheSettingsList) {
  for (const ReaderRow& row : Readers()) {
    const CDT* list = Rec(row.funcId).valueList;
    ASSERT_NE(list, nullptr) << row.funcId;
    std::vector<const CDT*> sections = {list};
    if (HasTwoSections(row.funcId)) sections.push_back(SecondSection(list));
    for (const CDT* section : sections) {
      EXPECT_TRUE(Offers(section, row.defaultValue)) << row.funcId << " default " << row.defaultValue;
      for (DWORD v : row.values) EXPECT_TRUE(Offers(section, v)) << row.funcId << " value " << v;
    }
  }
}

// Beside the codes the validator classes, the N-up lists hold the layouts
// the print-orientation rule reads as turning the sheet (1-18) and the
// poster enlargements the border check multiplies by (0x8000 + n): every
// code of both lists, in both sections, is one of them.
TEST(TableCorrections, EveryNupCodeHasAReader) {
  std::set<DWORD> classed;
  for (DWORD type : ClassedNupTypes()) classed.insert(type);
  for (WORD funcId : {WORD{92}, WORD{791}}) {
    const CDT* list = Rec(funcId).valueList;
    ASSERT_NE(list, nullptr) << funcId;
    std::vector<const CDT*> sections = {list};
    if (HasTwoSections(funcId)) sections.push_back(SecondSection(list));
    for (const CDT* section : sections) {
      for (const CDT* e = section; e->strId != 0; ++e) {
        const bool turning = e->value >= kNupTurningFirst && e->value <= kNupTurningLast;
        const bool poster = e->value > kPosterBase;
        EXPECT_TRUE(classed.count(e->value) != 0 || turning || poster) << funcId << " offers " << e->value;
      }
    }
  }
}

TEST(TableCorrections, ValuesNoReaderAcceptsAreGone) {
  const std::pair<WORD, DWORD> absent[] = {
      {53, 47}, {53, 48},    // refused output bins
      {46, 516}, {46, 0},    // not a device size; nothing
      {137, 1}, {179, 0},    // the old numbering
      {92, 35}, {92, 260},
  };
  for (const auto& [funcId, value] : absent) EXPECT_FALSE(Offers(Rec(funcId).valueList, value)) << funcId << " " << value;
}

// Tray string id -> tray index, as the option page's tray table maps them;
// an id it does not hold maps to index 0.
int TrayIndex(WORD strId) {
  static const std::map<WORD, int> table = {
      {2, 0},   {3, 1},   {5, 2},   {6, 3},   {7, 25},  {169, 25}, {4, 27},  {618, 27}, {8, 28},
      {800, 25}, {801, 25}, {823, 29}, {439, 4}, {839, 5}, {837, 6}, {865, 3}, {866, 4},
  };
  const auto it = table.find(strId);
  return it == table.end() ? 0 : it->second;
}

TEST(TableCorrections, TrayListsLeadToTheTrayIndexOfEachTray) {
  // Tray code -> index of its per-tray printer settings.
  const std::pair<DWORD, int> trays[] = {{1, 0},   {3, 1},   {2, 2},  {256, 3}, {261, 4},
                                         {262, 5}, {263, 6}, {11, 25}, {4, 27},  {286, 29}};
  const std::set<WORD> trayLists = {13,  123, 125, 127, 342, 346,   408,   755,   834,   835,   836,
                                    840, 842, 843, 844, 845, 10276, 10277, 10278, 10279, 10280, 10288};
  for (WORD funcId : trayLists) {
    const CDT* list = Rec(funcId).valueList;
    ASSERT_NE(list, nullptr) << funcId;
    for (const auto& [code, index] : trays) EXPECT_EQ(TrayIndex(IdOf(list, code)), index) << funcId << " tray " << code;
  }
  // Keywords of tray values name the same ids, offered or not.
  int keywords = 0;
  for (const SP& sp : fgSP) {
    if (!trayLists.count(sp.funcId)) continue;
    ++keywords;
    EXPECT_EQ(sp.valueIndex, IdOf(Rec(sp.funcId).valueList, sp.value)) << sp.keyword;
  }
  EXPECT_EQ(keywords, 12 * 36);
}

// Every entry of a list, both sections of the two-section lists.
std::vector<CDT> Entries(const CDT* list) {
  std::vector<CDT> entries;
  for (const CDT* e = list; e->strId != 0; ++e) entries.push_back(*e);
  for (WORD funcId : {92, 94, 120, 121})
    if (Rec(funcId).valueList == list)
      for (const CDT* e = SecondSection(list); e->strId != 0; ++e) entries.push_back(*e);
  return entries;
}

TEST(TableCorrections, PageFormsCarryTheReplaceStringKeys) {
  const CDT* forms = Rec(111).valueList;
  std::set<WORD> ids;
  for (const CDT& e : Entries(forms)) ids.insert(e.strId);
  for (WORD key : {731, 733, 735}) EXPECT_TRUE(ids.count(key)) << key;
  // The replace-string keys, and the texts 15000-15002 that the table loads
  // for them, belong to the page forms alone.
  for (const ValueListName& v : kValueListNames) {
    if (v.list == forms) continue;
    for (const CDT& e : Entries(v.list)) {
      EXPECT_TRUE(e.strId != 731 && e.strId != 733 && e.strId != 735) << v.name << " " << e.value;
      EXPECT_TRUE(e.strId < 15000 || e.strId > 15002) << v.name << " " << e.value;
    }
  }
}

struct KindRow {
  WORD funcId;
  DWORD kind;
  DWORD size;
};

TEST(TableCorrections, SettingsHaveTheKindAndSizeTheirWritersNeed) {
  const KindRow rows[] = {
      {838, kKindAnsi, 513},  // chapter page text, 512 characters
      {942, kKindI16, 2},     // check box state
      {949, kKindAnsi, 193},  // password of escape 125
      {954, kKindAnsi, 9},    // driver version text
      {829, kKindAnsi, 170},  {830, kKindAnsi, 170}, {955, kKindAnsi, 170},
      {1166, kKindI16, 2},    // preset index, -1 for none
      {1168, kKindU16, 2},    // a tray's string id
  };
  for (const KindRow& row : rows) {
    EXPECT_EQ(SettingKindOf(Rec(row.funcId).descriptor), row.kind) << row.funcId;
    EXPECT_EQ(SettingSizeOf(Rec(row.funcId).descriptor), row.size) << row.funcId;
  }
}

class TableCorrectionValues : public ::testing::Test {
 protected:
  SFCB* Record(WORD funcId) { return GetSFCBbyFuncID(ctx_.ucb(), funcId); }
  std::u16string ReadText(WORD funcId) {
    std::vector<WCHAR> buffer(SettingSizeOf(Record(funcId)->descriptor) + 1, u'#');
    EXPECT_NE(GetDevmodeStringBySFCB(ctx_.ucb(), Record(funcId), buffer.data()), nullptr);
    return std::u16string(buffer.data());
  }
  kesm_test::HandContext ctx_;
};

TEST_F(TableCorrectionValues, TextSettingsHoldTheirFullText) {
  const struct {
    WORD funcId;
    std::size_t chars;
  } rows[] = {{838, 512}, {949, 192}, {954, 8}};
  for (const auto& row : rows) {
    const std::u16string full(row.chars, u'7');
    ASSERT_NE(SetDevmodeStringBySFCB(ctx_.ucb(), Record(row.funcId), (full + u"89").c_str()), nullptr);
    EXPECT_EQ(ReadText(row.funcId), full) << row.funcId;
  }
  SetDevmodeStringBySFCB(ctx_.ucb(), Record(838), u"1,3-5,12");
  EXPECT_EQ(ReadText(838), u"1,3-5,12");
}

TEST_F(TableCorrectionValues, NumbersReadBackAsWritten) {
  const struct {
    WORD funcId;
    LONG_PTR value;
  } rows[] = {{942, 1}, {942, 0}, {1166, -1}, {1166, 15}, {1168, 866}, {1168, 60401}};
  for (const auto& row : rows) {
    ASSERT_TRUE(SetDevmodeValueDirect(ctx_.ucb(), Record(row.funcId), row.value)) << row.funcId;
    EXPECT_EQ(GetDevmodeValueDirect(ctx_.ucb(), Record(row.funcId)), row.value) << row.funcId;
  }
}

// A full chapter text and a full password leave their neighbours alone.
TEST_F(TableCorrectionValues, FullTextsStayInTheirPlace) {
  for (WORD neighbour : {837, 839, 948, 950}) SetDevmodeValueDirect(ctx_.ucb(), Record(neighbour), 0);
  SetDevmodeStringBySFCB(ctx_.ucb(), Record(838), std::u16string(600, u'1').c_str());
  SetDevmodeStringBySFCB(ctx_.ucb(), Record(949), std::u16string(300, u'p').c_str());
  EXPECT_EQ(GetDevmodeValueDirect(ctx_.ucb(), Record(837)), 0);
  EXPECT_EQ(GetDevmodeValueDirect(ctx_.ucb(), Record(839)), 0);
  EXPECT_EQ(ReadText(948), u"");
  EXPECT_EQ(ReadText(950), u"");
}

TEST(TableCorrections, TrayOrientationButtonsWriteNoPrinterSetting) {
  const TCB* option = nullptr;
  for (const TCB& tab : fgTCB)
    if (tab.tabId == 1011) option = &tab;
  ASSERT_NE(option, nullptr);
  int seen = 0;
  for (int i = 0; i < option->itemCount; ++i) {
    const ICB& item = option->pICB[i];
    if (item.pSFCB != nullptr) {
      EXPECT_NE(item.pSFCB->funcId, 10013) << item.itemId;
    }
    if (item.itemId != 2173 && item.itemId != 2175) continue;
    ++seen;
    EXPECT_EQ(item.kind, kCtlRadioList);
    EXPECT_EQ(item.pSFCB, nullptr) << item.itemId;
    for (const GK& gk : fgGK) {
      if (gk.groupId == item.groupId) {
        EXPECT_EQ(gk.funcId, 0) << item.itemId;
      }
    }
  }
  EXPECT_EQ(seen, 2);
}

// Printer data keeps one value per name: two settings under one name would
// overwrite each other.
TEST(TableCorrections, PrinterDataNamesAreUnique) {
  std::map<std::u16string, WORD> owner;
  for (const SFCB& r : fgSFCB) {
    if (SettingBlockOf(r.descriptor) != kBlockPrinter || r.storage != kStoragePrinterData || r.iniKey == nullptr) continue;
    const auto [it, fresh] = owner.emplace(r.iniKey, r.funcId);
    EXPECT_TRUE(fresh) << r.funcId << " and " << it->second << " share a value name";
  }
  EXPECT_EQ(owner.size(), 92u);  // 91 and "UserCode", the user code a print server imposes
}

}  // namespace
