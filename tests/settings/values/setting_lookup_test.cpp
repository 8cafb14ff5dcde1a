#include "settings/values/setting_lookup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "tests/settings/context/hand_context.h"

namespace {

using kesm_test::HandContext;

class SettingLookup : public ::testing::Test {
 protected:
  HandContext ctx_;
};

// Position of a function id in the table (the two runs).
int PositionOf(WORD funcId) {
  return funcId <= kSettingFirstRunEnd ? funcId : funcId - kSettingSecondRunFirst + kSettingFirstRunEnd + 1;
}

TEST_F(SettingLookup, FunctionIdsOfBothRunsFindTheContextsOwnRecord) {
  for (WORD id : {WORD{1}, WORD{7}, WORD{598}, WORD{1176}, WORD{10001}, WORD{10207}, WORD{10385}}) {
    SFCB* sfcb = GetSFCBbyFuncID(ctx_.ucb(), id);
    ASSERT_NE(sfcb, nullptr) << id;
    EXPECT_EQ(sfcb, &ctx_.record(PositionOf(id))) << id;
    EXPECT_EQ(sfcb->funcId, id);
  }
}

TEST_F(SettingLookup, WithoutContextTheStaticTableAnswers) {
  EXPECT_EQ(GetSFCBbyFuncID(nullptr, 7), &fgSFCB[6]);
  EXPECT_EQ(GetSFCBbyFuncID(nullptr, 10001), &fgSFCB[kSettingFirstRunEnd]);
}

TEST_F(SettingLookup, IdsOutsideTheRunsAreNeverAliasedOntoAnotherRecord) {
  // 1177-1561 are positions of printer-wide records, not their ids.
  for (WORD id : {WORD{0}, WORD{1177}, WORD{1561}, WORD{1562}, WORD{5000}, WORD{10000}, WORD{10386},
                  WORD{20000}, WORD{65535}}) {
    EXPECT_EQ(GetSFCBbyFuncID(ctx_.ucb(), id), nullptr) << id;
  }
}

TEST_F(SettingLookup, ARecordOutOfItsPlaceIsFoundBySearch) {
  // A copy whose record 5 carries a foreign id: that id is found by the
  // search, and id 5 itself is gone rather than answered with a neighbour.
  ctx_.record(5).funcId = 30000;
  EXPECT_EQ(GetSFCBbyFuncID(ctx_.ucb(), 30000), &ctx_.record(5));
  EXPECT_EQ(GetSFCBbyFuncID(ctx_.ucb(), 5), nullptr);
  EXPECT_EQ(GetSFCBbyFuncID(ctx_.ucb(), 6), &ctx_.record(6));
}

TEST_F(SettingLookup, GroupIdsFindTheirSetting) {
  EXPECT_EQ(GetSFCBbyGroupID(ctx_.ucb(), 435), &ctx_.record(7));  // dmOrientation
  EXPECT_EQ(GetSFCBbyGroupID(ctx_.ucb(), 0), nullptr);
  EXPECT_EQ(GetSFCBbyGroupID(ctx_.ucb(), 356), nullptr);  // the basic tab: no setting
  EXPECT_EQ(GetSFCBbyGroupID(ctx_.ucb(), 313), nullptr);  // an alert
  // Every group keyword of 10207 leads to its record, also the ones that
  // are not the record's own group id.
  int others = 0;
  for (const GK& gk : fgGK) {
    if (gk.funcId == 10207) {
      EXPECT_EQ(GetSFCBbyGroupID(ctx_.ucb(), gk.groupId), &ctx_.record(PositionOf(10207))) << gk.keyword;
      others += gk.groupId != ctx_.record(PositionOf(10207)).groupId ? 1 : 0;
    }
  }
  EXPECT_EQ(others, 3);
}

TEST_F(SettingLookup, SaveRestoreKeyIsTheSettingName) {
  EXPECT_EQ(std::u16string_view(GetSaveRestoreKeyByFuncID(ctx_.ucb(), 7)), u"dmOrientation");
  EXPECT_EQ(GetSaveRestoreKeyByFuncID(ctx_.ucb(), 606), nullptr);  // no name
  EXPECT_EQ(GetSaveRestoreKeyByFuncID(ctx_.ucb(), 1177), nullptr);
}

TEST_F(SettingLookup, KeywordTables) {
  const GK* gk = GetGKbyKeyWord("KPD_kdmPlexor");
  ASSERT_NE(gk, nullptr);
  EXPECT_EQ(gk->funcId, 606);
  EXPECT_EQ(GetGKbyGroupID(gk->groupId), gk);
  EXPECT_EQ(GetGKbyKeyWord("kpd_kdmplexor"), nullptr);  // case counts
  EXPECT_EQ(GetGKbyKeyWord(nullptr), nullptr);
  EXPECT_EQ(GetGKbyGroupID(0), nullptr);

  const SP* sp = GetSPbyKeyWord("KDMPLEXOR_ZNPASS");
  ASSERT_NE(sp, nullptr);
  EXPECT_EQ(sp->value, 5u);
  EXPECT_EQ(GetSPbyPartsIDAndFunID(606, 5), sp);
  EXPECT_EQ(GetSPbyPartsIDAndFunID(606, 99), nullptr);
  EXPECT_EQ(GetSPbyKeyWord("NO_SUCH_VALUE"), nullptr);
}

TEST_F(SettingLookup, TabsOfTheContextAndOfTheRoot) {
  TCB* basic = GetTCBbyTabID(ctx_.ucb(), 1002);
  ASSERT_NE(basic, nullptr);
  EXPECT_STREQ(basic->keyword, "KPD_IDD_BASIC");
  EXPECT_NE(basic, &fgTCB[1]);  // the context's copy
  EXPECT_EQ(GetTCBbyKeyWord(ctx_.ucb(), "KPD_IDD_BASIC"), basic);
  EXPECT_EQ(GetTCBbyKeyWord(nullptr, "KPD_IDD_PRESET"), &fgTCB[0]);
  EXPECT_EQ(GetTCBbyTabID(ctx_.ucb(), 999), nullptr);

  HWND page = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
  basic->hWnd = page;
  EXPECT_EQ(GetTCBbyHwnd(ctx_.ucb(), page), basic);
}

TEST_F(SettingLookup, ItemsByIndexIdWindowGroupAndKeyword) {
  TCB* basic = GetTCBbyTabID(ctx_.ucb(), 1002);
  ASSERT_NE(basic, nullptr);
  EXPECT_EQ(GetICBbyIndex(basic, 0), &basic->pICB[0]);
  EXPECT_EQ(GetICBbyIndex(basic, basic->itemCount - 1), &basic->pICB[basic->itemCount - 1]);
  EXPECT_EQ(GetICBbyIndex(basic, basic->itemCount), nullptr);
  EXPECT_EQ(GetICBbyIndex(basic, -1), nullptr);
  EXPECT_EQ(GetICBbyIndex(nullptr, 0), nullptr);

  ICB& last = basic->pICB[basic->itemCount - 1];
  EXPECT_EQ(GetICBbyItemID(ctx_.ucb(), basic, last.itemId)->itemId, last.itemId);
  EXPECT_EQ(GetICBbyGroupID(ctx_.ucb(), basic, last.groupId)->groupId, last.groupId);
  EXPECT_EQ(GetICBbyItemID(nullptr, nullptr, last.itemId), nullptr);
  const GK* gk = GetGKbyGroupID(last.groupId);
  ASSERT_NE(gk, nullptr);
  EXPECT_EQ(GetICBbyKeyWord(ctx_.ucb(), basic, gk->keyword)->groupId, last.groupId);

  HWND control = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x5678));
  last.hWnd = control;
  EXPECT_EQ(GetICBbyHwnd(ctx_.ucb(), nullptr, control), &last);
  EXPECT_EQ(GetICBbyHwnd(ctx_.ucb(), GetTCBbyTabID(ctx_.ucb(), 1001), control), nullptr);
}

TEST_F(SettingLookup, ItemIdWithoutTabIsTheFirstInTabOrder) {
  // An item id found in a later tab is answered with its earliest
  // occurrence in tab order.
  const TL& tl = *ctx_.ucb()->pTL;
  const ICB* later = nullptr;
  const ICB* earliest = nullptr;
  for (int t = 1; t < tl.count && later == nullptr; ++t) {
    for (int i = 0; i < tl.pTCB[t].itemCount && later == nullptr; ++i) {
      const WORD id = tl.pTCB[t].pICB[i].itemId;
      for (int e = 0; e < t && earliest == nullptr; ++e) {
        earliest = GetICBbyItemID(ctx_.ucb(), &tl.pTCB[e], id);
      }
      later = earliest != nullptr ? &tl.pTCB[t].pICB[i] : nullptr;
    }
  }
  ASSERT_NE(later, nullptr);
  EXPECT_EQ(GetICBbyItemID(ctx_.ucb(), nullptr, later->itemId), earliest);
}

TEST_F(SettingLookup, Alerts) {
  EXPECT_EQ(GetAlertNum(ctx_.ucb()), kAlertCount);
  EXPECT_EQ(GetAlertNum(nullptr), kAlertCount);
  ASSERT_NE(GetAPbyIndex(ctx_.ucb(), 41), nullptr);
  EXPECT_EQ(GetAPbyIndex(ctx_.ucb(), 41)->alertId, 354);
  EXPECT_EQ(GetAPbyIndex(ctx_.ucb(), 42), nullptr);
  EXPECT_EQ(GetAPbyIndex(ctx_.ucb(), -1), nullptr);
  ASSERT_NE(GetAPbyAlertID(nullptr, 345), nullptr);
  EXPECT_EQ(GetAPbyAlertID(nullptr, 345)->messageId, 12004);
  EXPECT_EQ(GetAPbyAlertID(ctx_.ucb(), 355), nullptr);
  ASSERT_NE(GetAPbyKeyWord(nullptr, "KPD_ScaleIllegalMessage"), nullptr);
  EXPECT_EQ(GetAPbyKeyWord(nullptr, "KPD_ScaleIllegalMessage")->alertId, 313);
  EXPECT_EQ(GetAPbyKeyWord(ctx_.ucb(), "KPD_NoSuchMessage"), nullptr);
}

}  // namespace
