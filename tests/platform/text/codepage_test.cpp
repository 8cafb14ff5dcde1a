#include "platform/text/codepage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/control.h"
#include "platform/base/winerror.h"
#include "tests/platform/scoped_acp.h"

namespace {

std::string ToBytes(UINT cp, std::u16string_view text) {
  const int n = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  EXPECT_EQ(WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                                nullptr, nullptr),
            n);
  return out;
}

std::u16string ToWide(UINT cp, std::string_view bytes, DWORD flags = 0) {
  const int n =
      MultiByteToWideChar(cp, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  EXPECT_EQ(
      MultiByteToWideChar(cp, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n),
      n);
  return out;
}

}  // namespace

TEST(CodePage, MinchoRoundTripsUnder932) {
  ScopedAnsiCodePage acp(932);
  EXPECT_EQ(ToBytes(CP_ACP, u"明朝"), "\x96\xBE\x92\xA9");
  EXPECT_EQ(ToWide(CP_ACP, "\x96\xBE\x92\xA9"), u"明朝");
  EXPECT_EQ(ToWide(932,
                   "A\xB1"
                   "B"),
            u"A\xFF71"
            "B");  // half-width katakana is one byte
}

TEST(CodePage, EachCodePageRoundTripsItsOwnText) {
  struct Case {
    UINT cp;
    std::u16string_view text;
    std::string_view bytes;
  } cases[] = {
      {1252, u"Caf\x00E9 \x20AC\x0081", "Caf\xE9 \x80\x81"},  // undefined 0x81 keeps its value
      {932, u"\x65E5\x672C", "\x93\xFA\x96\x7B"},
      {936, u"\x4E2D\x6587", "\xD6\xD0\xCE\xC4"},
      {949, u"\xD55C\xAE00", "\xC7\xD1\xB1\xDB"},
      {950, u"\x4E2D\x6587", "\xA4\xA4\xA4\xE5"},
      {CP_UTF8, u"\x00E9\x4E2D\xD83D\xDE00", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"},
      {20127, u"plain", "plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp);
    EXPECT_EQ(ToBytes(c.cp, c.text), c.bytes);
    EXPECT_EQ(ToWide(c.cp, c.bytes), c.text);
  }
}

TEST(CodePage, SizeProbesReturnTheNeededSize) {
  // -1 counts the terminator; an explicit length does not add one.
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"明朝A", -1, nullptr, 0, nullptr, nullptr), 6);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"明朝A", 3, nullptr, 0, nullptr, nullptr), 5);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"明", -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(MultiByteToWideChar(932, 0, "\x96\xBE\x92\xA9", -1, nullptr, 0), 3);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, nullptr, 0), 3);
}

TEST(CodePage, TooSmallBufferFailsAndWritesOnlyWholeCharacters) {
  char bytes[3] = {'x', 'x', 'x'};
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"明朝", 2, bytes, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(bytes, 3),
            "\x96\xBE"
            "x");  // no half of the second character

  WCHAR wide[2] = {u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", -1, wide, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(CodePage, LeadByteRangesFollowEachCodePage) {
  struct Case {
    UINT cp;
    BYTE byte;
    BOOL lead;
  } cases[] = {
      {932, 0x80, FALSE}, {932, 0x81, TRUE},  {932, 0x9F, TRUE},   {932, 0xA0, FALSE},
      {932, 0xA1, FALSE}, {932, 0xDF, FALSE}, {932, 0xE0, TRUE},   {932, 0xFC, TRUE},
      {932, 0xFD, FALSE}, {932, 0x41, FALSE}, {936, 0x80, FALSE},  {936, 0x81, TRUE},
      {936, 0xA1, TRUE},  {936, 0xFE, TRUE},  {936, 0xFF, FALSE},  {949, 0x81, TRUE},
      {950, 0xFE, TRUE},  {950, 0x7F, FALSE}, {1252, 0x81, FALSE}, {CP_UTF8, 0xE4, FALSE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDBCSLeadByteEx(c.cp, c.byte), c.lead) << c.cp << " " << int{c.byte};
  }
  ScopedAnsiCodePage acp(932);
  EXPECT_TRUE(IsDBCSLeadByte(0x96));
  EXPECT_TRUE(IsDBCSLeadByteEx(CP_ACP, 0xE0));
}

TEST(CodePage, InvalidInputIsReplacedUnlessTheCallerAsksForAnError) {
  struct Case {
    UINT cp;
    std::string_view bytes;
    std::u16string_view replaced;
  } cases[] = {
      {932, "A\x81", u"A\x30FB"},                        // lead byte at the end
      {932, "\x81 B", u"\x30FB B"},                      // lead byte without a trail byte
      {932, "\x85\x40", u"\x30FB"},                      // well-formed pair without a character
      {CP_UTF8, "\xC3(", u"\xFFFD("},                    // truncated sequence
      {CP_UTF8, "\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},  // encoded surrogate
      {CP_UTF8, "\xC0\xAF", u"\xFFFD\xFFFD"},            // overlong
      {20127, "\xE9", u"?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(ToWide(c.cp, c.bytes), c.replaced);
    WCHAR out[8];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(c.cp, MB_ERR_INVALID_CHARS, c.bytes.data(),
                                  static_cast<int>(c.bytes.size()), out, 8),
              0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  }
}

TEST(CodePage, MissingCharactersBecomeTheDefaultCharacter) {
  char out[8] = {};
  BOOL used = FALSE;
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"a明", 2, out, 8, nullptr, &used), 2);
  EXPECT_EQ(std::string(out, 2), "a?");
  EXPECT_TRUE(used);
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"ab", 2, out, 8, nullptr, &used), 2);
  EXPECT_FALSE(used);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"\xD83D\xDE00!", 3, out, 8, "\x81\x45", &used), 3);
  EXPECT_EQ(std::string(out, 3), "\x81\x45!");  // the pair is one character; DBCS default
  // A lone surrogate cannot be UTF-8: U+FFFD, or an error when asked.
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\xD800", 1, out, 8, nullptr, nullptr), 3);
  EXPECT_EQ(std::string(out, 3), "\xEF\xBF\xBD");
  EXPECT_EQ(
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, u"\xD800", 1, out, 8, nullptr, nullptr),
      0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(CodePage, BadArgumentsFailWithTheWindowsErrors) {
  char out[4];
  WCHAR wide[4];
  BOOL used;
  struct Case {
    const char* what;
    std::function<int()> call;
    DWORD error;
  } cases[] = {
      {"unknown page", [&] { return MultiByteToWideChar(12345, 0, "a", 1, wide, 4); },
       ERROR_INVALID_PARAMETER},
      {"null source", [&] { return MultiByteToWideChar(1252, 0, nullptr, 1, wide, 4); },
       ERROR_INVALID_PARAMETER},
      {"empty source", [&] { return MultiByteToWideChar(1252, 0, "a", 0, wide, 4); },
       ERROR_INVALID_PARAMETER},
      {"length -2", [&] { return MultiByteToWideChar(1252, 0, "a", -2, wide, 4); },
       ERROR_INVALID_PARAMETER},
      {"null output", [&] { return MultiByteToWideChar(1252, 0, "a", 1, nullptr, 4); },
       ERROR_INVALID_PARAMETER},
      {"unknown flag", [&] { return MultiByteToWideChar(1252, 0x100, "a", 1, wide, 4); },
       ERROR_INVALID_FLAGS},
      {"UTF-8 flag", [&] { return MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, wide, 4); },
       ERROR_INVALID_FLAGS},
      {"negative output",
       [&] { return WideCharToMultiByte(1252, 0, u"a", 1, out, -1, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"UTF-8 default",
       [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, out, 4, nullptr, &used); },
       ERROR_INVALID_PARAMETER},
      {"UTF-8-only flag",
       [&] {
         return WideCharToMultiByte(1252, WC_ERR_INVALID_CHARS, u"a", 1, out, 4, nullptr, nullptr);
       },
       ERROR_INVALID_FLAGS},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(c.call(), 0) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

TEST(CodePage, InputAndOutputInTheSameMemoryAreRefused) {
  WCHAR wide[8];
  char* const bytes = reinterpret_cast<char*>(wide);
  constexpr char kText[16] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h',
                              'i', 'j', '\0', 'l', 'm', 'n', 'o', 'p'};
  struct Case {
    const char* what;
    std::function<int()> call;
    int expected;  // 0: ERROR_INVALID_PARAMETER and nothing written
  } cases[] = {
      {"same buffer to UTF-16", [&] { return MultiByteToWideChar(1252, 0, bytes, 4, wide, 8); }, 0},
      {"input inside the output",
       [&] { return MultiByteToWideChar(1252, 0, bytes + 6, 4, wide, 4); }, 0},
      {"output starting inside the input",
       [&] { return MultiByteToWideChar(1252, 0, bytes, 4, wide + 1, 4); }, 0},
      {"terminated input running into the output",
       [&] { return MultiByteToWideChar(1252, 0, bytes + 6, -1, wide, 4); }, 0},
      {"neighbours to UTF-16", [&] { return MultiByteToWideChar(1252, 0, bytes + 8, -1, wide, 4); },
       3},
      {"same buffer to bytes",
       [&] { return WideCharToMultiByte(1252, 0, wide, 2, bytes, 16, nullptr, nullptr); }, 0},
      {"overlapping to bytes",
       [&] { return WideCharToMultiByte(1252, 0, wide + 2, 2, bytes + 6, 4, nullptr, nullptr); },
       0},
      {"neighbours to bytes",
       [&] { return WideCharToMultiByte(1252, 0, wide, 2, bytes + 4, 4, nullptr, nullptr); }, 2},
  };
  for (const Case& c : cases) {
    std::memcpy(bytes, kText, sizeof kText);
    SetLastError(0);
    EXPECT_EQ(c.call(), c.expected) << c.what;
    if (c.expected == 0) {
      EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << c.what;
      EXPECT_EQ(std::memcmp(bytes, kText, sizeof kText), 0) << c.what;
    }
  }
}

TEST(CodePage, EngineSpellingsCountBytesAndCutAtWholeCharacters) {
  ScopedAnsiCodePage acp(932);
  USHORT oem = 0, ansi = 0;
  EngGetCurrentCodePage(&oem, &ansi);
  EXPECT_EQ(ansi, 932);
  EXPECT_EQ(oem, 932);

  char mincho[] = "\x96\xBE\x92\xA9";
  WCHAR wide[4] = {};
  EXPECT_EQ(EngMultiByteToWideChar(932, wide, sizeof wide, mincho, 4), 4);
  EXPECT_EQ(std::u16string(wide, 2), u"明朝");
  EXPECT_EQ(EngMultiByteToWideChar(932, wide, 3, mincho, 4), 2);  // one whole unit fits
  EXPECT_EQ(EngMultiByteToWideChar(932, wide, 8, nullptr, 4), -1);

  char bytes[3] = {'x', 'x', 'x'};
  EXPECT_EQ(EngWideCharToMultiByte(932, wide, 4, bytes, 3), 2);
  EXPECT_EQ(EngWideCharToMultiByte(932, wide, 4, nullptr, 0), 4);

  ULONG written = 99;
  WCHAR text[] = u"明朝";
  EXPECT_EQ(EngUnicodeToMultiByteN(bytes, 3, &written, text, 4), STATUS_BUFFER_OVERFLOW);
  EXPECT_EQ(written, 2u);
  EXPECT_EQ(std::string(bytes, 3),
            "\x96\xBE"
            "x");
  EXPECT_EQ(EngUnicodeToMultiByteN(bytes, 3, &written, text, 2), STATUS_SUCCESS);
  EXPECT_EQ(written, 2u);
  EXPECT_EQ(EngUnicodeToMultiByteN(nullptr, 3, &written, text, 2), STATUS_INVALID_PARAMETER);
}

TEST(CodePage, AnsiCodePageDefaultsTo1252AndRejectsUnknownPages) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(GetOEMCP(), 437u);
  plat::SetAnsiCodePage(12345);
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(ToWide(CP_OEMCP, "\x82"), u"\x00E9");
}

TEST(CodePage, ThreadsConvertAtOnceWhileTablesAreBuilt) {
  std::vector<std::thread> threads;
  std::vector<std::u16string> results(8);
  for (std::size_t i = 0; i < results.size(); ++i) {
    threads.emplace_back(
        [&, i] { results[i] = ToWide(i % 2 ? 949 : 950, i % 2 ? "\xC7\xD1" : "\xA4\xA4"); });
  }
  for (auto& t : threads) t.join();
  for (std::size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i], i % 2 ? u"\xD55C" : u"\x4E2D");
  }
}
