#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/text/wintext.h"
#include "tests/platform/scoped_acp.h"

namespace {

struct WideCase {
  const WCHAR* expected;
  std::function<int(WCHAR*, int)> format;
};

}  // namespace

TEST(WFormat, WideConversionsFollowTheWindowsConventions) {
  const LONG minus = -5;
  const WCHAR mincho = u'明';
  const WideCase cases[] = {
      {u"42 -7 +", [](WCHAR* b, int n) { return wnsprintfW(b, n, u"%d %i +", 42, -7); }},
      {u"4294967295 ff FF",
       [](WCHAR* b, int n) { return wnsprintfW(b, n, u"%u %x %X", -1, 255, 255); }},
      {u"-5 7 1f", [&](WCHAR* b, int n) { return wnsprintfW(b, n, u"%ld %lu %lx", minus, 7, 31); }},
      {u"4464 -1 65535",
       [](WCHAR* b, int n) { return wnsprintfW(b, n, u"%hd %hd %hu", 70000, 65535, -1); }},
      {u"[  42][42  ][00042][-0042]",
       [](WCHAR* b, int n) {
         return wnsprintfW(b, n, u"[%4d][%-4d][%05d][%05d]", 42, 42, 42, -42);
       }},
      {u"[   007][0x1f][0]",
       [](WCHAR* b, int n) { return wnsprintfW(b, n, u"[%6.3d][%#x][%#x]", 7, 31, 0); }},
      {u"[  ab][ab  ][abc]",
       [](WCHAR* b, int n) {
         return wnsprintfW(b, n, u"[%*s][%-*s][%.*s]", 4, u"ab", 4, u"ab", 3, u"abcdef");
       }},
      {u"[ab  ]", [](WCHAR* b, int n) { return wnsprintfW(b, n, u"[%*s]", -4, u"ab"); }},
      {u"明朝 ANSI (null)",
       [](WCHAR* b, int n) { return wnsprintfW(b, n, u"%s %S %s", u"明朝", "ANSI", nullptr); }},
      {u"wide ansi", [](WCHAR* b, int n) { return wnsprintfW(b, n, u"%ls %hs", u"wide", "ansi"); }},
      {u"明 x", [&](WCHAR* b, int n) { return wnsprintfW(b, n, u"%c %C", mincho, 'x'); }},
      {u"100% n", [](WCHAR* b, int n) { return wnsprintfW(b, n, u"100%% %n"); }},
      {u"00000000DEADBEEF",
       [](WCHAR* b, int n) {
         return wnsprintfW(b, n, u"%p", reinterpret_cast<void*>(ULONG_PTR{0xDEADBEEF}));
       }},
      {u"12.05", [](WCHAR* b, int n) { return wnsprintfW(b, n, u"%ld.%02u", 12, 5u); }},
  };
  for (const WideCase& c : cases) {
    WCHAR buffer[64];
    const int written = c.format(buffer, 64);
    EXPECT_EQ(std::u16string(buffer), c.expected);
    EXPECT_EQ(written, static_cast<int>(std::u16string(c.expected).size()));
  }
}

TEST(WFormat, TruncationAtEveryBufferSizeStaysInsideAndCutsWholeCharacters) {
  const std::u16string full = u"\xD83D\xDE00 明朝--0042|ff  |";
  for (int cch = 1; cch <= static_cast<int>(full.size()) + 2; ++cch) {
    SCOPED_TRACE(cch);
    WCHAR buffer[40];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    const int written =
        wnsprintfW(buffer, cch, u"%s %s-%05d|%-4x|", u"\xD83D\xDE00", u"明朝", -42, 255);
    const std::u16string got(buffer);
    const bool fits = cch > static_cast<int>(full.size());
    EXPECT_EQ(written, fits ? static_cast<int>(full.size()) : -1);
    std::size_t cut = std::min<std::size_t>(cch - 1, full.size());
    if (cut == 1) cut = 0;  // inside the surrogate pair
    EXPECT_EQ(got, full.substr(0, cut));
    for (int i = cch; i < 40; ++i) ASSERT_EQ(buffer[i], u'#');
  }
}

TEST(WFormat, AnsiFormatterTakesWideTextThroughTheCodePageWithoutSplittingIt) {
  ScopedAnsiCodePage acp(932);
  const std::string full = "[\x96\xBE\x92\xA9] ok 7";
  for (int cch = 1; cch <= static_cast<int>(full.size()) + 1; ++cch) {
    char buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    const int written = wnsprintfA(buffer, cch, "[%S] %s %c", u"明朝", "ok", '7');
    const std::string got(buffer);
    EXPECT_EQ(written, cch > static_cast<int>(full.size()) ? static_cast<int>(full.size()) : -1);
    std::size_t cut = std::min<std::size_t>(cch - 1, full.size());
    if (cut == 2 || cut == 4) --cut;  // inside a double-byte character
    EXPECT_EQ(got, full.substr(0, cut)) << cch;
    for (int i = cch; i < 32; ++i) ASSERT_EQ(buffer[i], '#');
  }
}

TEST(WFormat, NoRoomMeansNoOutput) {
  WCHAR buffer[2] = {u'#', u'#'};
  EXPECT_EQ(wnsprintfW(buffer, 0, u"abc"), -1);
  EXPECT_EQ(wnsprintfW(buffer, -1, u"abc"), -1);
  EXPECT_EQ(buffer[0], u'#');
  EXPECT_EQ(wnsprintfW(buffer, 1, u"abc"), -1);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], u'#');
  EXPECT_EQ(wnsprintfW(buffer, 2, nullptr), -1);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(wnsprintfW(buffer, 2, u""), 0);
  char narrow[4];
  EXPECT_EQ(wnsprintfA(narrow, 4, "%5d", 1), -1);
  EXPECT_STREQ(narrow, "   ");
  // Huge widths stop at the buffer's end.
  EXPECT_EQ(wnsprintfA(narrow, 4, "%2147483647d", 1), -1);
  EXPECT_EQ(wnsprintfA(narrow, 4, "%*d", 2000000000, 1), -1);
}
