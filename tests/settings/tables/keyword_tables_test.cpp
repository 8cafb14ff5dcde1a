#include <map>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "settings/tables/keyword_tables.h"
#include "settings/tables/setting_table.h"

namespace {

const GK* GroupById(WORD group) {
  for (const GK& g : fgGK)
    if (g.groupId == group) return &g;
  return nullptr;
}

const SP* ValueByKeyword(std::string_view keyword) {
  for (const SP& s : fgSP)
    if (keyword == s.keyword) return &s;
  return nullptr;
}

const SFCB& Rec(WORD id) {
  const int pos = id > 10000 ? id - kSettingSecondRunFirst + kSettingFirstRunEnd : id - 1;
  return fgSFCB[pos];
}

TEST(KeywordTables, HeadsCountTheirTables) {
  EXPECT_EQ(fgGKL.count, 1489);
  EXPECT_EQ(fgGKL.pGK, fgGK);
  EXPECT_EQ(fgSPL.count, 3327);
  EXPECT_EQ(fgSPL.pSP, fgSP);
}

TEST(KeywordTables, GroupIdsAreOneToLastOnceEachWithUniqueKeywords) {
  std::set<WORD> groups;
  std::set<std::string> keywords;
  int withoutSetting = 0;
  for (const GK& g : fgGK) {
    EXPECT_TRUE(groups.insert(g.groupId).second) << g.groupId;
    EXPECT_TRUE(keywords.insert(g.keyword).second) << g.keyword;
    EXPECT_EQ(std::string_view(g.keyword).substr(0, 4), "KPD_") << g.keyword;
    withoutSetting += g.funcId == 0;
  }
  EXPECT_EQ(*groups.begin(), 1);
  EXPECT_EQ(*groups.rbegin(), 1489);
  // Groups that are no setting's, among them the option page's tray
  // orientation pair, which the page binds to the selected tray itself;
  // the DEVMODE conversion group is the group of setting 856.
  EXPECT_EQ(withoutSetting, 907);
}

// Tabs, alerts and named groups keep the ids the dialog and alert tables use.
TEST(KeywordTables, NamedGroupsKeepTheirIds) {
  struct Row { WORD funcId; WORD groupId; const char* keyword; };
  const Row rows[] = {
      {37, 418, "KPD_IDC_PRESET_ICONLIST"},
      {7, 435, "KPD_RADIOLIST_1"},
      {0, 29, "KPD_InstallableOption"},
    {0, 355, "KPD_IDD_PRESET"},
    {0, 356, "KPD_IDD_BASIC"},
    {0, 357, "KPD_IDD_EDIT"},
    {0, 358, "KPD_IDD_FINISH"},
    {0, 359, "KPD_IDD_CVRMARK"},
    {0, 360, "KPD_IDD_OTHERS"},
    {0, 361, "KPD_IDD_PRINTQUALITY"},
    {0, 362, "KPD_IDD_DIALOG_INIT"},
    {0, 363, "KPD_IDD_DIALOG_OPTION"},
    {0, 364, "KPD_IDD_TTF"},
    {0, 365, "KPD_IDD_USER_CODE"},
    {0, 366, "KPD_IDD_DIALOG_PRINTPOST"},
    {0, 367, "KPD_IDD_MAINTENANCE"},
    {0, 368, "KPD_IDD_DIALOG_ROTATION"},
    {0, 369, "KPD_IDD_DIALOG_UNIT"},
    {0, 370, "KPD_IDD_DIALOG_SORT"},
    {0, 371, "KPD_IDD_DIALOG_ACTION"},
    {0, 372, "KPD_IDD_DIALOG_FREESIZE"},
    {0, 373, "KPD_IDD_DIALOG_SCALE"},
    {0, 374, "KPD_IDD_DIALOG_PRINTTYPE"},
    {0, 375, "KPD_IDD_DIALOG_STATUS"},
    {0, 376, "KPD_IDD_DIALOG_USER_PQC"},
    {0, 377, "KPD_IDD_DIALOG_USER_BALANCE"},
    {0, 378, "KPD_IDD_DIALOG_USER_TTF"},
    {0, 379, "KPD_IDD_DIALOG_USER_OTHERS"},
    {0, 380, "KPD_IDD_DIALOG_STAMP_IMAGE"},
    {0, 381, "KPD_IDD_DIALOG_STAMP_CHAR"},
    {0, 382, "KPD_IDD_DIALOG_MARGIN"},
    {0, 383, "KPD_IDD_DIALOG_COVER"},
    {0, 384, "KPD_IDD_DIALOG_CHAPTER"},
    {0, 385, "KPD_IDD_DIALOG_MARK"},
    {0, 386, "KPD_IDD_DIALOG_REMOTE"},
    {0, 387, "KPD_IDD_DIALOG_BACKCOVER"},
    {0, 388, "KPD_IDD_DIALOG_REVERSECOVER"},
    {0, 389, "KPD_IDD_DIALOG_CREATE_MIDFILES"},
    {0, 390, "KPD_IDD_MASTERPRINT"},
    {0, 391, "KPD_IDD_DIALOG_ILLEGALCOPY_PROTECT"},
    {0, 392, "KPD_IDD_DIALOG_PAPER_POS"},
    {0, 393, "KPD_IDD_DIALOG_ADDRESS"},
    {0, 394, "KPD_IDD_DIALOG_ICM"},
    {0, 395, "KPD_IDD_DIALOG_OVERLAY"},
    {0, 396, "KPD_IDD_DIALOG_INPUT_HFSTRING"},
    {0, 397, "KPD_IDD_DIALOG_COMMAND"},
    {0, 398, "KPD_IDD_DIALOG_FREESIZE_INPUT"},
    {0, 399, "KPD_IDD_DIALOG_HIDDEN_FUNC"},
    {0, 400, "KPD_IDD_DIALOG_SAVE_PRESET"},
    {0, 401, "KPD_IDD_DIALOG_SAVE_USER"},
    {0, 402, "KPD_IDD_DIALOG_VERSION"},
    {0, 403, "KPD_IDD_DIALOG_USERCODE_CHANGE"},
    {0, 404, "KPD_IDD_DIALOG_USERCODE_INPUT"},
    {0, 405, "KPD_IDD_DIALOG_USERCODE_CONFIRMATION"},
    {0, 406, "KPD_IDD_DIALOG_PASSWORD_INPUT"},
    {0, 407, "KPD_IDD_DLG_STATUS"},
    {0, 408, "KPD_FILEOPEN"},
    {0, 409, "KPD_RSTOPENSAVE"},
    {0, 410, "KPD_FILEREFER"},
    {0, 411, "KPD_RPOSAVE"},
    {0, 412, "KPD_RPOREFER"},
    {0, 413, "KPD_FILESAVE"},
    {0, 414, "KPD_IDD_DIALOG_USER_ICMMODE"},
    {0, 415, "KPD_IDD_CMMADDPROFILE"},
    {0, 416, "KPD_IDD_CMMMODPROFILE"},
    {0, 417, "KPD_IDD_DIALOG_ORIENTATION"},
    {0, 313, "KPD_ScaleIllegalMessage"},
    {0, 314, "KPD_ProofUserIDNullMessage"},
    {0, 315, "KPD_SecurityUserIDNullMessage"},
    {0, 316, "KPD_SecurityPasswordNullMessage"},
    {0, 317, "KPD_CopiesIllegalMessage"},
    {0, 318, "KPD_DeviceNotExistMessage"},
    {0, 319, "KPD_MargeIllegalMessage"},
    {0, 320, "KPD_DuplexOnMessage"},
    {0, 321, "KPD_MarginIllegalMessage"},
    {0, 322, "KPD_MenteDelMessage"},
    {0, 323, "KPD_StampDelMessage"},
    {0, 324, "KPD_StampBuffNullMessage"},
    {0, 325, "KPD_PresetSaveMessage"},
    {0, 326, "KPD_UserSaveMessage"},
    {0, 327, "KPD_FreeSizeIllegalMessage"},
    {0, 328, "KPD_UserCodeOnNullMessage"},
    {0, 329, "KPD_UserCodeServerOnNullMessage"},
    {0, 330, "KPD_PrintSizeIllegalMessage"},
    {0, 331, "KPD_ProofMarkMessage"},
    {0, 332, "KPD_ResolutionSizeOverMessage"},
    {0, 333, "KPD_PrintTypePasswordMessage"},
    {0, 334, "KPD_CoverMessage"},
    {0, 335, "KPD_MarkMessage"},
    {0, 336, "KPD_SecurityMarkMessage"},
    {0, 337, "KPD_NupOnMessage"},
    {0, 338, "KPD_OverlayBuffNullMessage"},
    {0, 339, "KPD_OverlayStampMessage"},
    {0, 340, "KPD_OverlayIllegalMessage"},
    {0, 341, "KPD_OverlaySaveBuffNuffMessage"},
    {0, 342, "KPD_StoredUserCodeNullMessage"},
    {0, 343, "KPD_StaplePunchOffMessage"},
    {0, 344, "KPD_StoredIllegalMessage"},
    {0, 345, "KPD_MediaTypeManualOnlyMessage"},
    {0, 346, "KPD_ChapterNoMessage"},
    {0, 347, "KPD_BackCoverMessage"},
    {0, 348, "KPD_ChapterMessage"},
    {0, 349, "KPD_ChapterDuplexMessage"},
    {0, 350, "KPD_StoredFreeSizeMessage"},
    {0, 351, "KPD_ReverseCoverMessage"},
    {0, 352, "KPD_DuplexSetMessage"},
    {0, 353, "KPD_StaplePunchFoldOffMessage"},
    {0, 354, "KPD_FoldNotSupportMediaTypeMessage"},
  };
  for (const Row& row : rows) {
    const GK* g = GroupById(row.groupId);
    ASSERT_NE(g, nullptr) << row.keyword;
    EXPECT_STREQ(g->keyword, row.keyword);
    EXPECT_EQ(g->funcId, row.funcId) << row.keyword;
  }
}

TEST(KeywordTables, SettingsWithSeveralKeywordsHaveEach) {
  const std::pair<WORD, const char*> rows[] = {
      {606, "KPD_kdmPlexor"},           {623, "KPD_kdmBidiFunc"},
      {696, "KPD_FinQKPortSet"},        {747, "KPD_FoldBottom"},
      {10207, "KPD_Tray1MediaType"},    {10207, "KPD_Tray1CoverMediaType"},
      {10207, "KPD_Tray1OHPMediaType"}, {10207, "KPD_Tray1SlipMediaType"},
      {1176, "KPD_IDC_HIDDEN_FUNC"},    {1171, "KPD_RADIOLIST_5"},
  };
  for (const auto& [id, keyword] : rows) {
    bool found = false;
    for (const GK& g : fgGK) found |= g.funcId == id && std::string_view(keyword) == g.keyword;
    EXPECT_TRUE(found) << id << " " << keyword;
  }
  EXPECT_STREQ(GroupById(Rec(10207).groupId)->keyword, "KPD_Tray1MediaType");
}

TEST(KeywordTables, ValueKeywordsCarryTheirValues) {
  struct Row { const char* keyword; WORD funcId; WORD groupId; WORD index; DWORD value; };
  const Row rows[] = {
      {"KDMPLEXOR_OFF", 606, Rec(606).groupId, 0, 0},
      {"KDMPLEXOR_ZNPASS", 606, Rec(606).groupId, 5, 5},
      {"Opt_LCT1", 0, 29, 8, 0},
  };
  for (const Row& row : rows) {
    const SP* s = ValueByKeyword(row.keyword);
    ASSERT_NE(s, nullptr) << row.keyword;
    EXPECT_EQ(s->funcId, row.funcId) << row.keyword;
    EXPECT_EQ(s->groupId, row.groupId) << row.keyword;
    EXPECT_EQ(s->valueIndex, row.index) << row.keyword;
    EXPECT_EQ(s->value, row.value) << row.keyword;
  }
}

TEST(KeywordTables, ValueKeywordsSplitIntoOfferedAndAccepted) {
  int offered = 0, accepted = 0;
  for (const SP& s : fgSP) {
    EXPECT_EQ(s.zero, 0) << s.keyword;
    EXPECT_LE(s.flag, 1u) << s.keyword;
    (s.flag ? offered : accepted)++;
  }
  EXPECT_EQ(offered, 2653);
  EXPECT_EQ(accepted, 674);
}

// A value keyword belongs to a group of its own setting, and an offered one
// names an entry of that setting's value list by its string id.
TEST(KeywordTables, ValueKeywordsAgreeWithGroupsAndValueLists) {
  for (const SP& s : fgSP) {
    const GK* g = GroupById(s.groupId);
    ASSERT_NE(g, nullptr) << s.keyword;
    if (s.funcId == 0) continue;
    EXPECT_EQ(g->funcId, s.funcId) << s.keyword;
    if (!s.flag) continue;
    const CDT* e = Rec(s.funcId).valueList;
    ASSERT_NE(e, nullptr) << s.keyword;
    while (e->strId != 0 && e->strId != s.valueIndex) ++e;
    ASSERT_NE(e->strId, 0) << s.keyword;
    EXPECT_EQ(e->value, s.value) << s.keyword;
  }
}

}  // namespace
