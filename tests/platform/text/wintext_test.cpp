#include "platform/text/wintext.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/platform/scoped_acp.h"

namespace {

constexpr char kFill = '#';

// Runs lstrcpynA into a buffer with guard bytes after cchMax; returns what
// it copied, and fails the test if a guard byte changed.
std::string CopyN(const char* src, int cchMax) {
  char buffer[32];
  std::fill(std::begin(buffer), std::end(buffer), kFill);
  EXPECT_EQ(lstrcpynA(buffer, src, cchMax), buffer);
  for (int i = cchMax; i < 32; ++i) EXPECT_EQ(buffer[i], kFill) << "wrote past " << cchMax;
  return cchMax == 0 ? std::string("<none>") : std::string(buffer);
}

}  // namespace

TEST(WinText, BoundedAnsiCopyAlwaysTerminatesAndNeverSplitsADoubleByteCharacter) {
  const char* src =
      "A\x96\xBE\x92\xA9"
      "B";  // "A明朝B" in 932
  struct Case {
    int cchMax;
    const char* under932;
    const char* under1252;
  } cases[] = {
      {0, "<none>", "<none>"},
      {1, "", ""},
      {2, "A", "A"},
      {3, "A", "A\x96"},
      {4, "A\x96\xBE", "A\x96\xBE"},
      {5, "A\x96\xBE", "A\x96\xBE\x92"},
      {6, "A\x96\xBE\x92\xA9", "A\x96\xBE\x92\xA9"},
      {7,
       "A\x96\xBE\x92\xA9"
       "B",
       "A\x96\xBE\x92\xA9"
       "B"},
      {20,
       "A\x96\xBE\x92\xA9"
       "B",
       "A\x96\xBE\x92\xA9"
       "B"},
  };
  for (const Case& c : cases) {
    {
      ScopedAnsiCodePage acp(932);
      EXPECT_EQ(CopyN(src, c.cchMax), c.under932) << c.cchMax;
    }
    EXPECT_EQ(CopyN(src, c.cchMax), c.under1252) << c.cchMax;
  }
}

TEST(WinText, BoundedWideCopyAlwaysTerminates) {
  for (int cchMax = 1; cchMax <= 6; ++cchMax) {
    WCHAR buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(lstrcpynW(buffer, u"abcd", cchMax), buffer);
    EXPECT_EQ(std::u16string(buffer), std::u16string(u"abcd").substr(0, cchMax - 1));
    EXPECT_EQ(buffer[cchMax], u'#');
  }
  WCHAR untouched[1] = {u'#'};
  lstrcpynW(untouched, u"abc", 0);
  EXPECT_EQ(untouched[0], u'#');
  EXPECT_EQ(lstrcpynW(untouched, u"abc", -1), nullptr);
  EXPECT_EQ(lstrcpynW(nullptr, u"abc", 4), nullptr);
}

TEST(WinText, LengthCopyAndConcatenate) {
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrlenW(u"明朝"), 2);
  WCHAR wide[16];
  lstrcatW(lstrcpyW(wide, u"ab"), u"cd");
  EXPECT_EQ(std::u16string(wide), u"abcd");
  char narrow[16];
  lstrcatA(lstrcpyA(narrow, "ab"), "cd");
  EXPECT_STREQ(narrow, "abcd");
  EXPECT_EQ(lstrcpyW(nullptr, u"x"), nullptr);
}

TEST(WinText, ComparisonOrdersByCodeUnitAndFoldsCaseOfEveryScript) {
  struct Case {
    const WCHAR* a;
    const WCHAR* b;
    int ordinal;
    int ignoringCase;
  } cases[] = {
      {u"abc", u"abc", 0, 0},
      {u"abc", u"ABC", 1, 0},
      {u"ab", u"abc", -1, -1},
      {u"abd", u"ABC", 1, 1},
      {u"\x00C4rger", u"\x00E4rger", -1, 0},                              // Latin-1
      {u"\x0178", u"\x00FF", 1, 0},                                       // Y with diaeresis
      {u"\x03A3\x039F\x03A6\x0386", u"\x03C3\x03BF\x03C6\x03AC", -1, 0},  // Greek
      {u"\x03C2", u"\x03A3", 1, 0},                                       // final sigma
      {u"\x041C\x0401", u"\x043C\x0451", -1, 0},                          // Cyrillic
      {u"\xFF21\xFF22", u"\xFF41\xFF42", -1, 0},                          // full-width
      {nullptr, u"", -1, -1},
      {nullptr, nullptr, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.a ? std::u16string(c.a) : u"(null)"));
    EXPECT_EQ(lstrcmpW(c.a, c.b), c.ordinal);
    EXPECT_EQ(lstrcmpW(c.b, c.a), -c.ordinal);
    EXPECT_EQ(lstrcmpiW(c.a, c.b), c.ignoringCase);
  }
}

TEST(WinText, AnsiComparisonFoldsCharactersNotBytes) {
  EXPECT_EQ(lstrcmpA("abc", "abd"), -1);
  EXPECT_EQ(lstrcmpA("\xE4", "a"), 1);  // bytes compare unsigned
  EXPECT_EQ(lstrcmpiA("\xC4rger", "\xE4RGER"), 0);
  ScopedAnsiCodePage acp(932);
  // Two katakana whose trail bytes are 'A' and 'a': different characters.
  EXPECT_NE(lstrcmpiA("\x83\x41", "\x83\x61"), 0);
  EXPECT_EQ(lstrcmpiA("x\x83\x41Y", "X\x83\x41y"), 0);
  EXPECT_EQ(lstrcmpiA("\x82\x60", "\x82\x81"), 0);  // full-width A and a
}

TEST(WinText, CaseMappingOfSingleUnits) {
  const WCHAR pairs[][2] = {
      {u'A', u'a'},     {0x00C0, 0x00E0}, {0x00DE, 0x00FE}, {0x0178, 0x00FF},
      {0x0100, 0x0101}, {0x0139, 0x013A}, {0x017D, 0x017E}, {0x01CD, 0x01CE},
      {0x0391, 0x03B1}, {0x03A3, 0x03C3}, {0x038F, 0x03CE}, {0x0410, 0x0430},
      {0x0401, 0x0451}, {0x04C1, 0x04C2}, {0x04C0, 0x04CF}, {0xFF21, 0xFF41},
  };
  for (const auto& p : pairs) {
    EXPECT_EQ(CharUpperW1(p[1]), p[0]) << std::hex << int{p[1]};
    EXPECT_EQ(CharLowerW1(p[0]), p[1]) << std::hex << int{p[0]};
  }
  EXPECT_EQ(CharUpperW1(0x03C2), 0x03A3);  // final sigma
  for (WCHAR same : {u'1', u'@', WCHAR{0x00DF}, WCHAR{0x00D7}, WCHAR{0x00F7}, WCHAR{0x660E}}) {
    EXPECT_EQ(CharUpperW1(same), same);
    EXPECT_EQ(CharLowerW1(same), same);
  }
  WCHAR text[] = u"Mixed \x0416";
  EXPECT_EQ(std::u16string(CharUpperW(text)), u"MIXED \x0416");
  EXPECT_EQ(std::u16string(CharLowerW(text)), u"mixed \x0436");
}

TEST(WinText, Search) {
  const WCHAR* hay = u"Printer.KPD.kpd";
  EXPECT_EQ(StrStrW(hay, u"kpd"), hay + 12);
  EXPECT_EQ(StrStrIW(hay, u"kpd"), hay + 8);
  EXPECT_EQ(StrStrW(hay, u"pdf"), nullptr);
  EXPECT_EQ(StrStrW(hay, u""), nullptr);
  EXPECT_EQ(StrStrW(nullptr, u"a"), nullptr);
  EXPECT_EQ(StrChrW(hay, u'.'), hay + 7);
  EXPECT_EQ(StrChrW(hay, u'#'), nullptr);
  EXPECT_EQ(StrRChrW(hay, nullptr, u'.'), hay + 11);
  EXPECT_EQ(StrRChrW(hay, hay + 11, u'.'), hay + 7);
  EXPECT_EQ(StrRChrW(hay, hay + 7, u'.'), nullptr);
}
