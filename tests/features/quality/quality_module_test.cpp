// The print-quality module outside its pages: the colour-profile list in the
// settings INI, the profile file check, the built-ins that add, write,
// delete and load profiles, the profile names of the replace strings, the
// install copy of the counts, and the pseudo settings 996-998.
#include <gtest/gtest.h>

#include <string>

#include "features/chapter_blocks.h"
#include "features/custom_modules.h"
#include "features/quality/cmm_profiles.h"
#include "features/quality/quality_module.h"
#include "platform/text/wintext.h"
#include "settings/values/setting_lookup.h"
#include "storage/install/ini_install.h"
#include "tests/features/quality/profile_header.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

class TcmHeader : public FeatureTest {};

TEST_F(TcmHeader, OnlyAFileWithEveryMarkOfThisMakersPrinterProfilesPasses) {
  storage_test::Put("profiles/good.tcm", ProfileHeader());
  storage_test::Put("profiles/other.tcm", ProfileHeader("ACME"));
  storage_test::Put("profiles/short.tcm", ProfileHeader("TALV", 51));
  storage_test::Put("profiles/exact.tcm", ProfileHeader("TALV", 52));
  EXPECT_EQ(CheckTcmFileHeader(u"C:\\profiles\\good.tcm"), 1);
  EXPECT_EQ(CheckTcmFileHeader(u"C:\\profiles\\exact.tcm"), 1);
  EXPECT_EQ(CheckTcmFileHeader(u"C:\\profiles\\other.tcm"), 0) << "another maker's profile";
  EXPECT_EQ(CheckTcmFileHeader(u"C:\\profiles\\short.tcm"), 0) << "ends inside the maker mark";
  EXPECT_EQ(CheckTcmFileHeader(u"C:\\profiles\\missing.tcm"), 0);
  EXPECT_EQ(CheckTcmFileHeader(u""), 0);
}

TEST_F(TcmHeader, AProfileNamedOutsideTheCodePageIsFound) {
  // Greek letters have no place in the code page 1252 that the process uses.
  storage_test::Put("profiles/\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1.tcm", ProfileHeader());
  EXPECT_EQ(CheckTcmFileHeader(u"C:\\profiles\\\u03a9\u03bc\u03ad\u03b3\u03b1.tcm"), 1);
}

class Profiles : public FeatureTest {
 protected:
  void SetUp() override {
    FeatureTest::SetUp();
    // The profile dialog binds the name item to a text setting when it
    // opens; the file item stands for the profile path setting unbound.
    ASSERT_NE(GetIcbForCmmName(ucb_), nullptr);
    GetIcbForCmmName(ucb_)->pSFCB = GetSFCBbyFuncID(ucb_, kNameSetting);
  }
  static constexpr WORD kNameSetting = 752;
  void Items(const char16_t* name, const char16_t* file) {
    SetDevmodeStringBySFCB(ucb_, GetCmmNameSetting(ucb_), name);
    SetDevmodeStringBySFCB(ucb_, GetCmmFileSetting(ucb_), file);
  }
  std::u16string ItemText(const SFCB* sfcb) {
    WCHAR text[1100] = {};
    GetDevmodeStringBySFCB(ucb_, sfcb, text);
    return text;
  }
  void Add(const char16_t* name, const char16_t* file) {
    Items(name, file);
    KesmCustomBuiltInFunc(ucb_, 111);
  }
};

TEST_F(Profiles, MissingCountsReadAsTheirDefaults) {
  EXPECT_EQ(ReadCmmProfileCount(ucb_), 0);
  EXPECT_EQ(ReadCmmProfileDefaultCount(ucb_), 4);
  EXPECT_EQ(ReadCmmProfileMaxCount(ucb_), 16);
  WCHAR section[kCmmSectionChars];
  MakeCmmProfileKey(ucb_, section, 3);
  EXPECT_EQ(std::u16string(section), u"ColorMatching3jp");
}

TEST_F(Profiles, AddedProfilesAreKeptInOrderAndADeletionMovesTheLaterOnesDown) {
  Add(u"Photo", u"C:\\p\\photo.tcm");
  Add(u"Text", u"C:\\p\\text.tcm");
  Add(u"Proof", u"C:\\p\\proof.tcm");
  EXPECT_EQ(IniText(kLanguage, u"CmmCount"), u"3");
  EXPECT_EQ(IniText(u"ColorMatching1jp", u"kdmColorMatchingMode"), u"Text");
  EXPECT_EQ(IniText(u"ColorMatching2jp", u"wdmColorProfilePath"), u"C:\\p\\proof.tcm");

  DeleteCmmProfileByID(ucb_, 0);
  EXPECT_EQ(ReadCmmProfileCount(ucb_), 2);
  ReadCmmProfileByID(ucb_, 1);
  EXPECT_EQ(ItemText(GetCmmNameSetting(ucb_)), u"Proof");
  ReadCmmProfileByID(ucb_, 7);
  EXPECT_EQ(ItemText(GetCmmNameSetting(ucb_)), u"Text") << "an index past the list reads profile 0";
  ReadCmmProfileByID(ucb_, -1);
  EXPECT_EQ(ItemText(GetCmmFileSetting(ucb_)), u"");
  DeleteCmmProfileByID(ucb_, 2);
  EXPECT_EQ(ReadCmmProfileCount(ucb_), 2);
}

// What a full list does when one more is added is the profile dialog's
// (tests/features/quality/quality_pages_test.cpp).
TEST_F(Profiles, PseudoSetting997TellsTheListIsFull) {
  PutText(kLanguage, u"CmmMax", u"2");
  EXPECT_EQ(Ucf_JudgeHook(ucb_, 997), 0u);
  Add(u"A", u"C:\\a.tcm");
  Add(u"B", u"C:\\b.tcm");
  EXPECT_EQ(Ucf_JudgeHook(ucb_, 997), 1u);
}

TEST_F(Profiles, AColourMatchingValueNamesAProfileByItsIndexAfterTwoHundred) {
  Add(u"Photo", u"C:\\p\\photo.tcm");
  Add(u"Text", u"C:\\p\\text.tcm");
  const std::pair<LONG_PTR, int> cases[] = {{200, 0}, {201, 1}, {202, -1}, {199, -1}, {1, -1}};
  for (const auto& [value, index] : cases) EXPECT_EQ(ChangeCmmValueToIndex(ucb_, value), index) << value;
  // The job header's built-ins load the profile a setting names into the
  // file item's group setting.
  S(798, 201);
  Items(u"", u"");
  KesmCustomBuiltInFunc(ucb_, 115);
  EXPECT_EQ(ItemText(GetCmmFileSetting(ucb_)), u"C:\\p\\text.tcm");
  S(133, 1);
  KesmCustomBuiltInFunc(ucb_, 114);
  EXPECT_EQ(ItemText(GetCmmFileSetting(ucb_)), u"") << "a fixed choice names no profile";
}

TEST_F(Profiles, AReplaceStringOfAProfileOptionIsTheProfilesName) {
  Add(u"Photo", u"C:\\p\\photo.tcm");
  Add(u"Text", u"C:\\p\\text.tcm");
  WCHAR text[32] = u"unchanged";
  CustomReplaceString second{566, text, 32};
  KesmCustomFunction(ucb_, kCustomReplaceString, &second);
  EXPECT_EQ(std::u16string(text), u"Text");
  lstrcpynW(text, u"unchanged", 32);
  CustomReplaceString outside{581, text, 32};
  KesmCustomFunction(ucb_, kCustomReplaceString, &outside);
  EXPECT_EQ(std::u16string(text), u"unchanged");
  CustomReplaceString unregistered{567, text, 32};
  KesmCustomFunction(ucb_, kCustomReplaceString, &unregistered);
  EXPECT_EQ(std::u16string(text), u"unchanged") << "no other profile's name for a profile not there";
  WCHAR small[3] = {};
  CustomReplaceString cut{565, small, 3};
  KesmCustomFunction(ucb_, kCustomReplaceString, &cut);
  EXPECT_EQ(std::u16string(small), u"Ph");
}

TEST_F(Profiles, TheFileItemNamesAValidProfileForPseudoSetting998) {
  storage_test::Put("profiles/good.tcm", ProfileHeader());
  Items(u"Good", u"C:\\profiles\\good.tcm");
  EXPECT_EQ(Ucf_JudgeHook(ucb_, 998), 1u);
  Items(u"Gone", u"C:\\profiles\\gone.tcm");
  EXPECT_EQ(Ucf_JudgeHook(ucb_, 998), 0u);
}

// The install copy takes the driver INI's counts that exist; the count of
// profiles starts at the defaults for a new settings INI.
TEST_F(Profiles, TheInstallCopyTakesTheCountsTheDriverIniHolds) {
  storage_test::Put("drv/kesmdrv.ini", "[jp]\r\nCmmDefault=2\r\n");
  INIUPDATEPARAM fresh{u"C:\\drv\\kesmdrv.ini", GetIniFilePath(ucb_), 0};
  KesmCustomFunction(ucb_, kCustomInstallIni, &fresh);
  EXPECT_EQ(IniText(kLanguage, u"CmmDefault"), u"2");
  EXPECT_EQ(IniText(kLanguage, u"CmmCount"), u"2");
  EXPECT_EQ(IniText(kLanguage, u"CmmMax"), u"<none>") << "a missing maximum keeps the default of 16";
  EXPECT_EQ(ReadCmmProfileMaxCount(ucb_), 16);
  PutText(kLanguage, u"CmmCount", u"5");
  INIUPDATEPARAM current{u"C:\\drv\\kesmdrv.ini", GetIniFilePath(ucb_), 1};
  KesmCustomFunction(ucb_, kCustomInstallIni, &current);
  EXPECT_EQ(IniText(kLanguage, u"CmmCount"), u"5");
}

}  // namespace
}  // namespace features_test
