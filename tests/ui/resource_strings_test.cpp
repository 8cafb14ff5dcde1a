// The resource DLL of a context and its strings: the DLL the description
// names is loaded on first use, strings come from it with their live
// values spliced in (a colour profile's name comes from the feature
// modules), and a completed string is cut to the caller's buffer, whatever
// the values add (the device-capability name arrays are exactly 24 and 64
// characters a name).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "features/quality/cmm_profiles.h"
#include "platform/files/winfile.h"
#include "platform/profile/winprofile.h"
#include "settings/context/context_names.h"
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
  // Each string as loaded into a buffer of 261 characters.
  struct Case {
    UINT id;
    BOOL replace;
    std::u16string text;
  };
  void ExpectTexts(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.id);
      EXPECT_EQ(Load(c.id, 261, c.replace), c.text);
    }
  }
  // 0 shows lengths in millimetres, 1 in inches.
  void SetDisplayUnit(LONG_PTR unit) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 171, unit)); }
  void SetTrayName(WORD funcId, const char16_t* name) {
    ASSERT_NE(SetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, funcId), name), nullptr);
  }
  // Registers the profiles in the user's settings INI (a new one), as the
  // profile dialog leaves them: the count in the language's section, a
  // section of its own for each name.
  void RegisterProfiles(std::initializer_list<std::u16string> names) {
    LPCWSTR ini = GetIniFilePath(ucb_);
    ASSERT_NE(ini, nullptr);
    const std::u16string folder(ini, std::u16string_view(ini).rfind(u'\\'));
    CreateDirectoryW(folder.c_str(), nullptr);  // the settings folder an install makes
    int index = 0;
    for (const std::u16string& name : names) {
      WCHAR section[kCmmSectionChars];
      MakeCmmProfileKey(ucb_, section, index++);
      ASSERT_TRUE(WritePrivateProfileStringW(section, u"kdmColorMatchingMode", name.c_str(), ini));
    }
    const std::string count = std::to_string(index);
    const std::u16string text(count.begin(), count.end());
    ASSERT_TRUE(WritePrivateProfileStringW(GetCmmProfileSectionName(ucb_), u"CmmCount", text.c_str(), ini));
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
  ExpectTexts({
      {29, TRUE, u"Post tray 1:Mailbox"},
      {821, TRUE, u"Post tray 9:Stacker"},
      {29, FALSE, u"Post tray 1"},
      {153, TRUE, u"mm"},
      {154, TRUE, u"mm"},  // the unit of the display, whichever unit string is asked for
      {13273, TRUE, u"Length (0 to 0)"},  // outside the free-size dialogs
      {14009, TRUE, u"A4"},               // no row: as loaded
  });
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

TEST_F(ResourceStrings, AFreeSizeWithoutANameShowsWhichSizeItIs) {
  ASSERT_NE(Open(), nullptr);
  FREESIZEINFO& slot = ucb_->pWork->aFreeSizeInfo[2];
  slot.szName[0] = 0;
  slot.dwWidth = 4960;
  slot.dwLength = 7016;
  ASSERT_NO_FATAL_FAILURE(SetDisplayUnit(0));
  EXPECT_EQ(Load(111, 64), u"Free size 3(105.0 x 148.6mm)");
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

TEST_F(ResourceStrings, AProfileOptionShowsTheNameTheUserRegistered) {
  ASSERT_NE(Open(), nullptr);
  ASSERT_NO_FATAL_FAILURE(RegisterProfiles({u"Photo gloss", u"Proof"}));
  ExpectTexts({
      {565, TRUE, u"Photo gloss"},
      {566, TRUE, u"Proof"},
      {565, FALSE, u"Colour profile 1"},
      {567, TRUE, u"Colour profile 3"},  // not registered: as loaded
      {580, TRUE, u"Colour profile 16"},
  });
}

TEST_F(ResourceStrings, WithoutRegisteredProfilesAProfileOptionKeepsItsOwnText) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Load(565, 261), u"Colour profile 1");
  ASSERT_NO_FATAL_FAILURE(RegisterProfiles({}));
  EXPECT_EQ(Load(566, 24), u"Colour profile 2");
}

// Bin names are 24 characters and a registered name may have 259: the name
// is cut to the buffer it is loaded into, which is exactly that long here.
TEST_F(ResourceStrings, AProfileNameIsCutToTheBufferItIsLoadedInto) {
  ASSERT_NE(Open(), nullptr);
  const std::u16string longName(259, u'L');
  ASSERT_NO_FATAL_FAILURE(RegisterProfiles({u"Photo", longName}));
  EXPECT_EQ(Load(565, 6), u"Photo") << "exactly the name and its terminator";
  EXPECT_EQ(Load(565, 5), u"Phot");
  EXPECT_EQ(Load(565, 1), u"");
  EXPECT_EQ(Load(566, 24), longName.substr(0, 23));
  EXPECT_EQ(Load(566, 260), longName);

  // Inside a larger array, nothing after the entry is touched.
  WCHAR names[2 * 24];
  std::fill(std::begin(names), std::end(names), u'#');
  EXPECT_EQ(LoadStringFromResDll(ucb_, 566, names, 24, TRUE), 23);
  EXPECT_EQ(std::u16string(names), longName.substr(0, 23));
  EXPECT_TRUE(std::all_of(names + 24, std::end(names), [](WCHAR c) { return c == u'#'; }));
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
