// The resource DLL of a context and its strings: the DLL the description
// names is loaded on first use, strings come from it with their live
// values spliced in, and a completed string is cut to the caller's buffer,
// whatever the values add (the device-capability name arrays are exactly
// 24 and 64 characters a name).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/ui/ui_machine.h"
#include "ui/replace_strings.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

class ResourceStrings : public UiMachine {
 protected:
  UCB* Open() {
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    return ucb_;
  }
  void TearDown() override {
    if (ucb_ != nullptr) FreeUcb2(ucb_, 1);
    UiMachine::TearDown();
  }
  // The string into a heap buffer of exactly chars characters.
  std::u16string Load(UINT id, int chars, BOOL replace = TRUE) {
    auto buffer = std::make_unique<WCHAR[]>(static_cast<std::size_t>(chars));
    const int n = LoadStringFromResDll(ucb_, id, buffer.get(), chars, replace);
    std::u16string text(buffer.get());
    EXPECT_EQ(static_cast<std::size_t>(n), text.size());
    return text;
  }
  // 0 shows lengths in millimetres, 1 in inches.
  void SetDisplayUnit(LONG_PTR unit) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 171, unit)); }
  void SetTrayName(WORD funcId, const char16_t* name) {
    ASSERT_NE(SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId), name), nullptr);
  }
  UCB* ucb_ = nullptr;
};

TEST_F(ResourceStrings, TheDescriptionsDllIsLoadedOnFirstUseAndFreedWithTheContext) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(ucb_->hResDll, nullptr);
  EXPECT_EQ(Load(14009, 64), u"A4");
  EXPECT_NE(ucb_->hResDll, nullptr);
  EXPECT_EQ(GetResDll(ucb_), ucb_->hResDll) << "loaded once";
  FreeResDll(ucb_);
  EXPECT_EQ(ucb_->hResDll, nullptr);
  EXPECT_EQ(Load(16107, 24), u"Automatic");
}

TEST_F(ResourceStrings, WithoutTheDllEveryStringIsEmptyAndTheNextCallTriesAgain) {
  std::filesystem::remove(resourceDll_);
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Load(14009, 64), u"");
  EXPECT_EQ(GetResDll(ucb_), nullptr);
  std::filesystem::copy_file(KESM_UI_STRINGS, resourceDll_);
  EXPECT_EQ(Load(14009, 64), u"A4");
}

TEST_F(ResourceStrings, EachKindCompletesItsStrings) {
  ASSERT_NE(Open(), nullptr);
  ASSERT_NO_FATAL_FAILURE(SetTrayName(1124, u"Mailbox"));
  ASSERT_NO_FATAL_FAILURE(SetTrayName(1132, u"Stacker"));
  ASSERT_NO_FATAL_FAILURE(SetDisplayUnit(0));
  struct Case {
    UINT id;
    BOOL replace;
    std::u16string text;
  };
  const Case cases[] = {
      {29, TRUE, u"Post tray 1:Mailbox"},
      {821, TRUE, u"Post tray 9:Stacker"},
      {29, FALSE, u"Post tray 1"},
      {153, TRUE, u"mm"},
      {154, TRUE, u"mm"},  // the unit of the display, whichever unit string is asked for
      {13273, TRUE, u"Length (0 to 0)"},  // outside the free-size dialogs
      {14009, TRUE, u"A4"},               // no row: as loaded
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(Load(c.id, 261, c.replace), c.text);
  }
}

TEST_F(ResourceStrings, AFreeSizeShowsItsNameAndDimensionsInTheDisplayUnit) {
  ASSERT_NE(Open(), nullptr);
  FREESIZEINFO& slot = ucb_->pWork->aFreeSizeInfo[2];
  std::strcpy(slot.szName, "Flyer");
  slot.dwWidth = 4960;   // 105.0 mm at 1200 dpi
  slot.dwLength = 7016;  // 148.55 mm, shown rounded up
  ASSERT_NO_FATAL_FAILURE(SetDisplayUnit(0));
  EXPECT_EQ(Load(111, 64), u"Flyer(105.0 x 148.6mm)");
  ASSERT_NO_FATAL_FAILURE(SetDisplayUnit(1));
  EXPECT_EQ(Load(111, 64), u"Flyer(4.14 x 5.85inch)");
  EXPECT_EQ(Load(153, 64), u"inch");
  EXPECT_EQ(Load(13276, 64), u"Width: 0.00 - 0.00");
}

// The device capabilities load bin names into 24 characters and paper names
// into 64: a completed string longer than that is cut there and terminated.
TEST_F(ResourceStrings, ACompletedStringIsCutToTheBufferItIsLoadedInto) {
  ASSERT_NE(Open(), nullptr);
  ASSERT_NO_FATAL_FAILURE(SetTrayName(1124, u"Finisher upper 16"));
  EXPECT_EQ(Load(29, 24), std::u16string(u"Post tray 1:Finisher upper 16").substr(0, 23));
  EXPECT_EQ(Load(29, 12), u"Post tray 1");
  EXPECT_EQ(Load(29, 1), u"");
  FREESIZEINFO& slot = ucb_->pWork->aFreeSizeInfo[0];
  std::fill(std::begin(slot.szName), std::end(slot.szName), 'N');
  slot.szName[63] = 0;
  slot.dwWidth = 4960;
  slot.dwLength = 7016;
  EXPECT_EQ(Load(109, 64), std::u16string(63, u'N'));
}

TEST_F(ResourceStrings, RangeFormatsReadNoArgumentTheyDoNotHave) {
  ASSERT_NE(Open(), nullptr);
  ASSERT_NO_FATAL_FAILURE(SetDisplayUnit(0));
  WCHAR text[64] = u"%d%x%s%s%s %%";
  EXPECT_EQ(UserCallbackReplaceString(ucb_, 13275, text, 64), 10);
  EXPECT_EQ(std::u16string(text), u"%d%x00%s %");
}

TEST_F(ResourceStrings, EveryRowOfTheTableIsFoundByItsId) {
  int rows = 0;
  for (const RESID2FUNCID* row = stResId2FuncId; row->id != 0; ++row, ++rows) {
    EXPECT_EQ(FindResId2FuncId(row->id), row);
  }
  EXPECT_EQ(rows, 61);
  EXPECT_EQ(FindResId2FuncId(14009), nullptr);
}

}  // namespace
}  // namespace ui_test
