// Text conversions, the number formatter and the language table lookups.
#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/platform/scoped_acp.h"
#include "settings/values/text_language.h"

namespace {

struct Int2StrCase {
  LONG scale;
  LONG value;
  const char16_t* text;
};

TEST(KesmInt2Str, WritesFixedPointNumbers) {
  const Int2StrCase cases[] = {
      {100, 1234, u"12.34"},        {10000, 123456, u"12.3456"}, {1, 1234, u"1234"},
      {20, 1234, u"12.34"},         {10, 7, u"0.7"},             {1000, 5, u"0.005"},
      {100, -1234, u"-12.34"},      {100, -5, u"-0.05"},         {10, -15, u"-1.5"},
      {1000, INT32_MIN, u"-2147483.648"}, {100000, 77, u"77"},     {0, -7, u"-7"},
  };
  for (const auto& c : cases) {
    WCHAR buffer[32];
    const int written = KesmInt2Str(buffer, 32, c.scale, c.value);
    EXPECT_EQ(std::u16string(buffer), c.text) << c.scale << " " << c.value;
    EXPECT_EQ(written, static_cast<int>(std::char_traits<char16_t>::length(c.text)));
  }
}

TEST(KesmInt2Str, TextThatDoesNotFitIsRefused) {
  // "-12.34" takes six characters and the terminator.
  struct Fit {
    int size;
    int written;
  };
  for (const Fit f : {Fit{7, 6}, Fit{6, 0}, Fit{1, 0}}) {
    WCHAR buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(KesmInt2Str(buffer, f.size, 100, -1234), f.written) << f.size;
    EXPECT_EQ(buffer[f.written == 0 ? 0 : 6], 0) << f.size;
    EXPECT_EQ(buffer[7], u'#');
  }
}

TEST(TextCopy, WideCopyAlwaysTerminatesWithinTheLimit) {
  WCHAR buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(CopyStr2Unicode(buffer, "abcdef", 3), buffer);
  EXPECT_EQ(std::u16string(buffer), u"ab");
  EXPECT_EQ(buffer[3], u'#');
  CopyStr2Unicode(buffer, "abc", 0);  // the source's length + 1
  EXPECT_EQ(std::u16string(buffer), u"abc");
  CopyStr2Unicode(buffer, nullptr, 4);
  EXPECT_EQ(std::u16string(buffer), u"");
}

TEST(TextCopy, DoubleByteCharactersAreNeverSplit) {
  ScopedAnsiCodePage japanese(932);
  const char nihon[] = "a\x93\xfa\x96\x7b";  // "a" and two double-byte characters
  struct Case {
    int limit;
    const char* ansi;
  };
  // Bytes: "a" 1, each double-byte character 2, the terminator 1.
  for (const Case c : {Case{6, nihon}, Case{5, "a\x93\xfa"}, Case{4, "a\x93\xfa"}, Case{3, "a"},
                       Case{2, "a"}, Case{1, ""}}) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    WCHAR wide[4];
    CopyStr2Unicode(wide, nihon, 4);
    CopyUnicode2Str(buffer, wide, c.limit);
    EXPECT_STREQ(buffer, c.ansi) << c.limit;
    EXPECT_EQ(buffer[c.limit], '#') << c.limit;
  }
  WCHAR wide[3];
  std::fill(std::begin(wide), std::end(wide), u'#');
  CopyStr2Unicode(wide, nihon, 3);
  EXPECT_EQ(std::u16string(wide), u"a\u65e5");
}

TEST(TextCopy, AnsiCopyOfTheWholeSourceNeedsItsByteLength) {
  ScopedAnsiCodePage japanese(932);
  // A limit of 0 counts characters, not bytes: the second character does
  // not fit and is left out whole.
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  CopyUnicode2Str(buffer, u"\u65e5\u672c", 0);
  EXPECT_STREQ(buffer, "\x93\xfa");
}

TEST(TextConversion, CountsAreInBytes) {
  WCHAR wide[8] = {};
  ULONG written = 0;
  ASSERT_TRUE(MyMultiByteToUnicode(wide, sizeof wide, &written, "abc", 4));
  EXPECT_EQ(written, 8u);
  EXPECT_EQ(std::u16string(wide), u"abc");
  char ansi[8] = {};
  ASSERT_TRUE(MyUnicodeToMultiByte(ansi, sizeof ansi, &written, u"xyz", 8));
  EXPECT_EQ(written, 4u);
  EXPECT_STREQ(ansi, "xyz");
  EXPECT_FALSE(MyUnicodeToMultiByte(ansi, 2, &written, u"xyz", 8));
  EXPECT_EQ(written, 0u);
}

TEST(Languages, CodeLookupsIgnoreCaseAndFallBackToUs) {
  EXPECT_EQ(GetLanguageIDFromStr(u"US"), 1);
  EXPECT_EQ(GetLanguageIDFromStr(u"gm"), 4);
  EXPECT_EQ(GetLanguageIDFromStr(u"xx"), 1);
  EXPECT_EQ(GetLanguageIDFromStr(u"usa"), 1);
  EXPECT_EQ(GetLanguageIDFromStr(nullptr), 1);
  EXPECT_EQ(std::u16string(GetLanguageStrFromStr(u"Jp")), u"jp");
  EXPECT_EQ(std::u16string(GetLanguageStrFromStr(u"zz")), u"us");
  EXPECT_EQ(std::u16string(GetLanguageStrFromStr(nullptr)), u"us");
  EXPECT_EQ(std::u16string(GetLanguageStrFromID(15)), u"ru");
  EXPECT_EQ(std::u16string(GetLanguageStrFromID(99)), u"us");
  EXPECT_EQ(std::u16string(GetLanguageStrFromID(0x10004)), u"gm");  // compared as 16-bit
  EXPECT_EQ(std::u16string(GetLanguageStrFromID(0xFFFF)), u"us");   // the closing row is no language
  EXPECT_TRUE(IsValidateLanguageID(18));
  EXPECT_FALSE(IsValidateLanguageID(19));
  EXPECT_FALSE(IsValidateLanguageID(0xFFFF));
}

TEST(Languages, HelpFileNamesCarryTheCodeBeforeTheDot) {
  struct Case {
    const char16_t* file;
    WORD number;
    const char16_t* code;
  };
  const Case cases[] = {
      {u"C:\\drv\\kesmhlus.hlp", 1, u"us"}, {u"kesmhlGM.hlp", 4, u"gm"}, {u"C:\\a.b\\kesmfr", 1, u"us"},
      {u"C:\\jp\\x.hlp", 1, u"us"},         {u"ct.hlp", 17, u"ct"},      {nullptr, 1, u"us"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetLanguageIDFromHelpFile(c.file), c.number);
    EXPECT_EQ(std::u16string(GetLanguageStrFromHelpFile(c.file)), c.code);
  }
}

TEST(Languages, WindowsIdsMapBothWays) {
  EXPECT_EQ(GetKDMLangIDFromLangID(4, 0), 16);
  EXPECT_EQ(GetKDMLangIDFromLangID(4, 1), 17);
  EXPECT_EQ(GetKDMLangIDFromLangID(4, 2), 16);
  EXPECT_EQ(GetKDMLangIDFromLangID(9, 1), 0xFFFF);
  EXPECT_EQ(GetKDMLangIDFromLangID(7, 0), 4);
  EXPECT_EQ(GetKDMLangIDFromLangID(99, 0), 0xFFFF);
  EXPECT_EQ(_GetKDMLanguageIDFromLocale(0x0804), 16);  // Chinese, sublanguage 2
  EXPECT_EQ(_GetKDMLanguageIDFromLocale(0x0011), 0);   // Japanese, no sublanguage
  WORD sub = 99;
  EXPECT_EQ(GetWinLangIDFromKdmLangID2(17, &sub), 4);
  EXPECT_EQ(sub, 1);
  EXPECT_EQ(GetWinLangIDFromKdmLangID2(1, &sub), 9);
  EXPECT_EQ(sub, 0);
  EXPECT_EQ(GetWinLangIDFromKdmLangID2(42, &sub), 0);
  EXPECT_EQ(sub, 0);
  EXPECT_EQ(GetWinLangIDFromKdmLangID(15), 25);
}

TEST(Languages, TableEndsWithTheClosingRow) {
  int rows = 0;
  const LANGINFO* row = GetLangInfoList();
  for (; row->wLanguage != kLangEnd; ++row) ++rows;
  EXPECT_EQ(rows, 19);
  EXPECT_EQ(row->wWinPrimary, kLangEnd);
}

}  // namespace
