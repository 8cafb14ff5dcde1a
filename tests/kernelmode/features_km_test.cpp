// The feature modules in the rendering library: the chapter blocks come
// from the settings INI as in the configuration library, and what needs a
// dialog or the user's stores is left out.
#include <string>

#include "features/chapter_blocks.h"
#include "features/custom_modules.h"
#include "features/module_table/custom_table.h"
#include "jobsettings/paper/derived_settings.h"
#include "platform/profile/winprofile.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/context_fixture.h"
#include "tests/storage/storage_support.h"

namespace context_test {
namespace {

class KernelFeatures : public ContextTest {
 protected:
  void SetUp() override {
    ContextTest::SetUp();
    storage_test::Put("_kesm/.keep", "");
    UCB* probe = Open();
    ASSERT_NE(probe, nullptr);
    ini_ = GetIniFilePath(probe);
    Release(probe);
  }
  UCB* Open() { return GetUcb(office_, office_, 0, kModeRendering); }
  static void Release(UCB* ucb) {
    FreeUcb(ucb);
    FreeStoredUcb(TRUE);
  }
  void Put(const char16_t* key, const char16_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(kOffice, key, value, ini_.c_str()));
  }
  static LONG_PTR Value(UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }
  std::u16string ini_;
};

TEST_F(KernelFeatures, AChapterJobReadsItsBlocksFromTheSettingsIni) {
  ASSERT_NO_FATAL_FAILURE(Put(u"ChapterMax", u"6"));
  ASSERT_NO_FATAL_FAILURE(Put(u"ChapterTrayMax", u"3"));
  ASSERT_NO_FATAL_FAILURE(Put(u"wdmChapterNum", u"2"));
  ASSERT_NO_FATAL_FAILURE(Put(u"wdmChapterPage1", u"3"));
  ASSERT_NO_FATAL_FAILURE(Put(u"wdmChapterTray1", u"256"));
  ASSERT_NO_FATAL_FAILURE(Put(u"wdmChapterPrint1", u"1"));
  ASSERT_NO_FATAL_FAILURE(Put(u"wdmChapterPage2", u"8"));
  ASSERT_NO_FATAL_FAILURE(Put(u"wdmChapterKind2", u"1"));
  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 69, 1));  // chapters on
  GetWorkChapterData(ucb);
  EXPECT_EQ(Value(ucb, 831), 6);
  EXPECT_EQ(Value(ucb, 833), 2);
  const CHAPTERBLOCK* first = GetChapterBlockByIndex(ucb, 0);
  const CHAPTERBLOCK* second = GetChapterBlockByIndex(ucb, 1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->page, 3);
  EXPECT_EQ(first->tray, 256);
  EXPECT_EQ(first->mode, 1);
  EXPECT_EQ(second->page, 8);
  EXPECT_EQ(second->breakFlag, 1);
  EXPECT_EQ(GetChapterBlockByIndex(ucb, 2), nullptr);
  Release(ucb);
}

TEST_F(KernelFeatures, WhatNeedsADialogOrTheUsersStoresIsLeftOut) {
  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  ASSERT_NE(ucb->pWork->pCustom, nullptr);
  // The free-size built-ins belong to its dialogs.
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 753, 9000));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 754, 8000));
  KesmCustomBuiltInFunc(ucb, 202);
  EXPECT_EQ(Value(ucb, 754), 8000);
  // The media built-ins and the separation cycle are printing's too.
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 404, 3));
  KesmCustomBuiltInFunc(ucb, 303);
  EXPECT_EQ(Value(ucb, 407), 3);
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, 12, 4));
  KesmCustomBuiltInFunc(ucb, 901);
  EXPECT_EQ(Value(ucb, 411), 4);
  // Every page procedure answers nothing.
  EXPECT_EQ(KesmCustomProcedure(ucb, nullptr, nullptr, 0x0110, 0, 0), 0);
  Release(ucb);
}

int offered = 0;
int CountOffers(UCB*, DWORD, void*, void*) {
  ++offered;
  return 0;
}

TEST_F(KernelFeatures, TheContextsStartAndEndReachNoModule) {
  UCB* ucb = Open();
  ASSERT_NE(ucb, nullptr);
  CUSTOMROW& first = ucb->pWork->pCustom->rows[0];
  const CustomFunction kept = first.function;
  first.function = CountOffers;
  offered = 0;
  KesmCustomFunction(ucb, 1, nullptr);
  KesmCustomFunction(ucb, 2, nullptr);
  EXPECT_EQ(offered, 0);
  KesmCustomFunction(ucb, 3, nullptr);
  EXPECT_EQ(offered, 1);
  first.function = kept;
  Release(ucb);
}

}  // namespace
}  // namespace context_test
