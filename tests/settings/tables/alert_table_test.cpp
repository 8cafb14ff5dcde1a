#include <string_view>

#include <gtest/gtest.h>

#include "settings/tables/alert_table.h"
#include "settings/tables/keyword_tables.h"

namespace {

TEST(AlertTable, AlertIdsRunInOrderAndNameTheirGroupKeyword) {
  ASSERT_EQ(fgAPL.count, kAlertCount);
  ASSERT_EQ(fgAPL.pAP, fgAP);
  for (int i = 0; i < kAlertCount; ++i) {
    const AP& ap = fgAP[i];
    EXPECT_EQ(ap.alertId, kAlertFirstId + i);
    EXPECT_NE(ap.messageId, 0) << ap.alertId;
    EXPECT_EQ(ap.titleId, 0u) << ap.alertId;
    EXPECT_EQ(ap.reserved, 0u) << ap.alertId;
    const std::string_view keyword = ap.keyword;
    EXPECT_TRUE(keyword.starts_with("KPD_")) << ap.alertId;
    EXPECT_TRUE(keyword.ends_with("Message")) << ap.alertId;
    const GK* gk = nullptr;
    for (const GK& g : fgGK) {
      if (g.groupId == ap.alertId) gk = &g;
    }
    ASSERT_NE(gk, nullptr) << ap.alertId;
    EXPECT_EQ(gk->funcId, 0) << ap.alertId;
    EXPECT_EQ(std::string_view(gk->keyword), keyword) << ap.alertId;
  }
  EXPECT_EQ(fgAP[kAlertCount - 1].alertId, kAlertLastId);
}

// Two alerts share one message text; every other alert has its own.
TEST(AlertTable, MessagesAreDistinctButForTheMediaTypeText) {
  int shared = 0;
  for (int i = 0; i < kAlertCount; ++i) {
    for (int j = i + 1; j < kAlertCount; ++j) {
      if (fgAP[i].messageId == fgAP[j].messageId) {
        ++shared;
        EXPECT_EQ(fgAP[i].messageId, 12004);
      }
    }
  }
  EXPECT_EQ(shared, 1);
}

}  // namespace
