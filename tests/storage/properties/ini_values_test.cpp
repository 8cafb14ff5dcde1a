// Settings kept in the per-user settings INI: each kind as decimal text or
// text, read back by a new context in a new process; the sixteen action
// bits as one value and the move from the old single keys; hostile values
// refused; script images; paths that are not absolute.
#include <string>

#include "storage/ini/ini_script.h"
#include "storage/properties/printer_properties.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

using IniValues = PropertyTest;

constexpr const char16_t* kSection = context_test::kOffice;  // settings without a section of their own

struct Row {
  WORD id;
  const char16_t* key;
  LONG_PTR value;
  const char16_t* text;
};

// One setting of each kind the INI keeps, with the text it is kept as.
const Row kRows[] = {
    {209, u"PrnMethod", 5, u"5"},                      // u8
    {243, u"APIUseFlag", 200, u"200"},                 // u8
    {348, u"FrontFunc", 4000000000, u"4000000000"},    // u32
    {831, u"ChapterMax", -3, u"-3"},                   // s16 of the work block
    {832, u"ChapterTrayMax", 7, u"7"},
    {837, u"wdmChapterTrayNum", 250, u"250"},          // u8 of the work block
};

TEST_F(IniValues, EveryKindIsStoredAsTextAndReadByANewContextInANewProcess) {
  UCB* ucb = OpenOn(office_);
  for (const Row& row : kRows) Set(ucb, row.id, row.value);
  SetText(ucb, 790, u"C:\\Overlays\\Letterhead");
  Set(ucb, 211, 1);  // secure print
  Set(ucb, 215, 1);  // file merge
  Set(ucb, 218, 1);  // an action bit without a key of its own
  EXPECT_TRUE(SetDocumentProperties(office_, ucb));
  for (const Row& row : kRows) EXPECT_EQ(Ini(ucb, kSection, row.key), row.text) << row.id;
  EXPECT_EQ(Ini(ucb, kSection, u"OverlayDataPath"), u"C:\\Overlays\\Letterhead");
  EXPECT_EQ(Ini(ucb, kSection, u"kdmAction"), u"145");
  EXPECT_EQ(Ini(ucb, kSection, u"ACT_SECUREPRINT"), u"<none>") << "the bits go as one value only";
  Release(ucb);

  storage_test::InChild([&] {
    UCB* again = OpenOn(Open(context_test::kOffice));
    for (const Row& row : kRows) EXPECT_EQ(Value(again, row.id), row.value) << row.id;
    EXPECT_EQ(Text(again, 790), u"C:\\Overlays\\Letterhead");
    for (WORD id = 211; id <= 226; ++id) EXPECT_EQ(Value(again, id), id == 211 || id == 215 || id == 218) << id;
    Release(again);
  });
}

TEST_F(IniValues, TheOldSingleActionKeysAreReadOnceAndThenCarriedAsOneValue) {
  UCB* probe = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(PutIni(probe, kSection, u"ACT_SECUREPRINT", u"1"));
  ASSERT_NO_FATAL_FAILURE(PutIni(probe, kSection, u"ACT_FILEMERGEPRINT", u"1"));
  ASSERT_NO_FATAL_FAILURE(PutIni(probe, kSection, u"kdmAction", nullptr));
  Release(probe);

  UCB* first = OpenOn(office_);
  EXPECT_EQ(Value(first, 211), 1);
  EXPECT_EQ(Value(first, 215), 1);
  EXPECT_EQ(Value(first, 212), 0);
  EXPECT_EQ(Ini(first, kSection, u"kdmAction"), u"17");
  // From now on only the one value counts.
  ASSERT_NO_FATAL_FAILURE(PutIni(first, kSection, u"ACT_SECUREPRINT", u"0"));
  ASSERT_NO_FATAL_FAILURE(PutIni(first, kSection, u"ACT_PROOFPRINT", u"1"));
  Release(first);

  UCB* second = OpenOn(office_);
  EXPECT_EQ(Value(second, 211), 1);
  EXPECT_EQ(Value(second, 212), 0);
  EXPECT_EQ(Value(second, 215), 1);
  Release(second);
}

TEST_F(IniValues, HostileValuesAreRefusedAndTheSettingKept) {
  struct Hostile {
    const char* what;
    WORD id;
    const char16_t* key;
    const char16_t* value;
  };
  const Hostile rows[] = {
      {"letters", 209, u"PrnMethod", u"abc"},
      {"digits then letters", 209, u"PrnMethod", u"12x"},
      {"hexadecimal", 348, u"FrontFunc", u"0x10"},
      {"two signs", 831, u"ChapterMax", u"+-3"},
      {"a sign alone", 831, u"ChapterMax", u"-"},
      {"blank inside", 832, u"ChapterTrayMax", u"1 2"},
      {"more digits than a number may have", 348, u"FrontFunc", u"1234567890123456"},
      {"a fraction", 209, u"PrnMethod", u"1.5"},
      {"more than the byte holds", 209, u"PrnMethod", u"256"},
      {"a negative unsigned number", 209, u"PrnMethod", u"-1"},
      {"more than 16 signed bits hold", 831, u"ChapterMax", u"40000"},
      {"the action word as text", 211, u"kdmAction", u"secure"},
  };
  for (const Hostile& row : rows) {
    SCOPED_TRACE(row.what);
    UCB* ucb = OpenOn(office_);
    Set(ucb, row.id, 1);
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kSection, row.key, row.value));
    if (row.id != 211) {
      EXPECT_FALSE(GetDevmodeValueFromIni(ucb, Record(ucb, row.id), GetIniFilePath(ucb), nullptr, nullptr));
    }
    GetProperties(office_, ucb, kAllBlocks, 0);
    EXPECT_EQ(Value(ucb, row.id), 1);
    EXPECT_EQ(Ini(ucb, kSection, row.key), row.value) << "refused, not repaired";
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kSection, row.key, nullptr));
    Release(ucb);
  }
}

TEST_F(IniValues, TextIsReadWithinItsFieldAndAMissingKeyLeavesIt) {
  UCB* ucb = OpenOn(office_);
  SFCB* path = Record(ucb, 790);
  SetText(ucb, 790, u"C:\\Before");
  EXPECT_TRUE(GetDevmodeValueFromIni(ucb, path, GetIniFilePath(ucb), nullptr, nullptr));
  EXPECT_EQ(Text(ucb, 790), u"C:\\Before") << "a missing key leaves the text";

  const std::u16string longText(600, u'x');
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kSection, u"OverlayDataPath", longText.c_str()));
  EXPECT_TRUE(GetDevmodeValueFromIni(ucb, path, GetIniFilePath(ucb), nullptr, nullptr));
  EXPECT_EQ(Text(ucb, 790), std::u16string(259, u'x')) << "cut to the field";

  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kSection, u"OverlayDataPath", u""));
  EXPECT_TRUE(GetDevmodeValueFromIni(ucb, path, GetIniFilePath(ucb), nullptr, nullptr));
  EXPECT_EQ(Text(ucb, 790), u"") << "an empty value empties it";
  Release(ucb);
}

TEST_F(IniValues, ANumberMissingFromTheIniIsLeftAsItWas) {
  UCB* ucb = OpenOn(office_);
  Set(ucb, 348, 77);
  EXPECT_TRUE(GetDevmodeValueFromIni(ucb, Record(ucb, 348), GetIniFilePath(ucb), nullptr, nullptr));
  EXPECT_EQ(Value(ucb, 348), 77);
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kSection, u"FrontFunc", u""));
  EXPECT_TRUE(GetDevmodeValueFromIni(ucb, Record(ucb, 348), GetIniFilePath(ucb), nullptr, nullptr));
  EXPECT_EQ(Value(ucb, 348), 77);
  Release(ucb);
}

TEST_F(IniValues, WithoutAnAbsolutePathNothingIsReadOrWritten) {
  UCB* ucb = OpenOn(office_);
  Set(ucb, 209, 3);
  for (const char16_t* path : {u"", u"kesmusr.ini", u"\\_kesm\\kesmusr.ini"}) {
    EXPECT_TRUE(SetDevmodeValueToIni(nullptr, ucb, Record(ucb, 209), path, nullptr, 0, nullptr));
    EXPECT_TRUE(GetDevmodeValueFromIni(ucb, Record(ucb, 209), path, nullptr, nullptr));
  }
  EXPECT_TRUE(SetDevmodeValueToIni(nullptr, ucb, Record(ucb, 209), nullptr, nullptr, 0, nullptr));
  EXPECT_EQ(Ini(ucb, kSection, u"PrnMethod"), u"<none>");
  Release(ucb);
}

TEST_F(IniValues, AScriptImageCarriesValuesInTheOrderTheyWereWritten) {
  UCB* ucb = OpenOn(office_);
  Set(ucb, 831, -12);
  SetText(ucb, 790, u"D:\\Forms");
  Set(ucb, 211, 1);
  char script[512] = {};
  DWORD written = 0;
  LPCWSTR path = GetIniFilePath(ucb);
  for (WORD id : {831, 790, 211}) {
    EXPECT_TRUE(SetDevmodeValueToIni(nullptr, ucb, Record(ucb, id), path, script, sizeof script, &written)) << id;
  }
  EXPECT_EQ(std::string(script), "ChapterMax=-12\r\nOverlayDataPath=D:\\Forms\r\nACT_SECUREPRINT=1\r\n");
  EXPECT_EQ(Ini(ucb, kSection, u"ChapterMax"), u"<none>") << "the file is not touched";

  Set(ucb, 831, 0);
  SetText(ucb, 790, u"");
  Set(ucb, 211, 0);
  LONG position = 0;
  for (WORD id : {831, 790, 211}) {
    EXPECT_TRUE(GetDevmodeValueFromIni(ucb, Record(ucb, id), path, script, &position)) << id;
  }
  EXPECT_EQ(Value(ucb, 831), -12);
  EXPECT_EQ(Text(ucb, 790), u"D:\\Forms");
  EXPECT_EQ(Value(ucb, 211), 1);

  char tiny[8] = {};
  DWORD at = 0;
  EXPECT_FALSE(SetDevmodeValueToIni(nullptr, ucb, Record(ucb, 790), path, tiny, sizeof tiny, &at))
      << "a value that does not fit the script";
  Release(ucb);
}

}  // namespace
}  // namespace property_test
