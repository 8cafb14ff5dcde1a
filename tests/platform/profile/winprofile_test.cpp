#include "platform/profile/winprofile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/platform/drive_files.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "tests/platform/scoped_acp.h"
#include "tests/platform/scoped_handle.h"

namespace {

constexpr const char16_t* kIni = u"C:\\Windows\\kesmusr.ini";
constexpr const char* kHost = "Windows/kesmusr.ini";
constexpr DWORD kDeleteAccess = 0x00010000;  // the standard DELETE right
constexpr const char* kMissing = nullptr;  // no file before the case runs

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c == u'\0' ? '|' : static_cast<char>(c);
  return out;
}

// The result of a read: the returned count and the buffer up to its
// terminator (a value) or its first two nulls in a row (a list), nulls
// shown as "|".
std::string Read(const char16_t* section, const char16_t* key, const char16_t* fallback, DWORD size,
                 bool list) {
  char16_t buffer[64];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  const DWORD n = GetPrivateProfileStringW(section, key, fallback, buffer, size, kIni);
  const std::u16string_view text(buffer, size);
  const std::size_t end =
      list ? text.find(std::u16string_view(u"\0\0", 2)) + 2 : text.find(u'\0') + 1;
  return std::to_string(n) + ":" + Narrow(text.substr(0, end));
}

}  // namespace

TEST(ProfileRead, ValuesDefaultsTruncationAndLists) {
  struct Case {
    const char* file;
    const char16_t* section;
    const char16_t* key;
    const char16_t* fallback;
    DWORD size;
    const char* expected;  // "count:characters"
  } cases[] = {
      {"[S]\r\nk=v\r\n", u"S", u"k", u"d", 64, "1:v|"},
      {"[S]\r\n  k  =  two words  \r\n", u"S", u"k", u"d", 64, "9:two words|"},
      {"[S]\r\nk=\"  quoted  \"\r\n", u"S", u"k", u"d", 64, "10:  quoted  |"},
      {"[S]\r\nk='single'\r\n", u"S", u"k", u"d", 64, "6:single|"},
      {"[S]\r\nk=\"unpaired'\r\n", u"S", u"k", u"d", 64, "10:\"unpaired'|"},
      {"[S]\r\nk=\r\n", u"S", u"k", u"d", 64, "0:|"},  // an empty value is a value
      {"[sEcT]\r\nKEY=1\r\n", u"Sect", u"key", u"d", 64, "1:1|"},
      {"[ S ]\r\nk=1\r\n", u"S", u"k", u"d", 64, "1:1|"},
      {"[S]\r\nk=1\r\n[S]\r\nk=2\r\nonly2=x\r\n", u"S", u"k", u"d", 64, "1:1|"},
      {"[S]\r\nk=1\r\n[S]\r\nonly2=x\r\n", u"S", u"only2", u"d", 64, "1:d|"},  // first wins
      {"[S]\r\n;k=commented\r\n", u"S", u"k", u"def", 64, "3:def|"},
      {"[S]\r\nk=1\r\n", u"S", u"other", u"def  ", 64, "3:def|"},  // default loses its blanks
      {"[S]\r\nk=1\r\n", u"S", u"other", u"def \t ", 64, "5:def \t|"},  // ... spaces only
      {"[S]\r\nk=1\r\nK=2\r\n", u"S", u"k", u"d", 64, "1:1|"},  // a repeated key: the first
      {"[S]\r\nk=1\r\n", u"T", u"k", nullptr, 64, "0:|"},
      {kMissing, u"S", u"k", u"def", 64, "3:def|"},
      {"[S]\nk=LF only\n[T]\nx=no final break", u"T", u"x", u"", 64, "14:no final break|"},
      {"[S]\r\nk=abcdef\r\n", u"S", u"k", u"d", 4, "3:abc|"},
      {"[S]\r\nk=abc\r\n", u"S", u"k", u"d", 4, "3:abc|"},
      {"[S]\r\nk=1\r\n", u"S", u"none", u"defaults", 4, "3:def|"},
  };
  for (const auto& c : cases) {
    plat::ScopedMachine machine;
    if (c.file) drive::Put(kHost, c.file);
    EXPECT_EQ(Read(c.section, c.key, c.fallback, c.size, false), c.expected) << c.file;
  }
}

TEST(ProfileRead, NameListsAreDoubleNullTerminatedAndCutToSizeMinusTwo) {
  const char* file = "[Alpha]\r\na=1\r\nb=2\r\n[beta]\r\n[ALPHA]\r\nc=3\r\n";
  struct Case {
    const char16_t* section;
    DWORD size;
    const char* expected;
  } cases[] = {
      {nullptr, 64, "11:Alpha|beta||"},  // a repeated section is listed once
      {nullptr, 12, "11:Alpha|beta||"},
      {nullptr, 11, "9:Alpha|bet||"},
      {nullptr, 8, "6:Alpha||"},
      {u"alpha", 64, "4:a|b||"},  // keys of the first section only
      {u"beta", 64, "0:||"},
      {u"gamma", 64, "0:||"},
  };
  for (const auto& c : cases) {
    plat::ScopedMachine machine;
    drive::Put(kHost, file);
    EXPECT_EQ(Read(c.section, nullptr, u"ignored", c.size, true), c.expected);
  }
}

TEST(ProfileRead, KeyListsNameARepeatedKeyAsOftenAsItOccurs) {
  struct Case {
    const char* file;
    DWORD size;
    const char* expected;
  } cases[] = {
      {"[S]\r\nk=1\r\nK=2\r\nj=3\r\nk=4\r\n", 64, "8:k|K|j|k||"},
      {"[S]\r\na=1\r\n;a=2\r\na = 3\r\n=4\r\n[T]\r\na=5\r\n", 64, "4:a|a||"},
      {"[S]\r\nk=1\r\nk=2\r\nk=3\r\n", 6, "4:k|k||"},
  };
  for (const auto& c : cases) {
    plat::ScopedMachine machine;
    drive::Put(kHost, c.file);
    EXPECT_EQ(Read(u"S", nullptr, u"ignored", c.size, true), c.expected) << c.file;
  }
}

TEST(ProfileRead, IntegersAndSections) {
  plat::ScopedMachine machine;
  drive::Put(kHost,
             "[N]\r\ndec=42\r\nneg=-5\r\nhex=0x1F\r\nlead=12abc\r\ntext=abc\r\nempty=\r\n"
             "quoted=\"7\"\r\n;note\r\nloose line\r\n\r\n[M]\r\n");
  struct Case {
    const char16_t* key;
    UINT expected;
  } cases[] = {
      {u"dec", 42},   {u"neg", static_cast<UINT>(-5)},
      {u"hex", 31},   {u"lead", 12},
      {u"text", 0},   {u"empty", 99},
      {u"quoted", 7}, {u"none", 99},
  };
  for (const auto& c : cases) EXPECT_EQ(GetPrivateProfileIntW(u"N", c.key, 99, kIni), c.expected);
  EXPECT_EQ(GetPrivateProfileIntW(u"N", u"none", -1, kIni), 0xFFFFFFFFu);
  char16_t buffer[128];
  const DWORD n = GetPrivateProfileSectionW(u"n", buffer, 128, kIni);
  EXPECT_EQ(Narrow(std::u16string_view(buffer, n + 1)),
            "dec=42|neg=-5|hex=0x1F|lead=12abc|text=abc|empty=|quoted=\"7\"|loose line||");
  EXPECT_EQ(GetPrivateProfileSectionW(u"M", buffer, 128, kIni), 0u);
}

TEST(ProfileWrite, EditsChangeOnlyTheirLinesAndKeepTheRestInOrder) {
  struct Case {
    const char* what;
    const char* before;  // kMissing: no file
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
    const char* after;  // "<missing>": no file
  } cases[] = {
      {"creates the file", kMissing, u"S", u"k", u"v", "[S]\r\nk=v\r\n"},
      {"adds a key after the section's last line", "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n", u"A", u"new",
       u"2", "[A]\r\na=1\r\nnew=2\r\n\r\n[B]\r\nb=1\r\n"},
      {"replaces a value in place, other bytes untouched",
       "; top\r\n[A]\r\n  a = 1\r\nb=2\n[B]\r\nc=3", u"A", u"a", u"9",
       "; top\r\n[A]\r\na=9\r\nb=2\n[B]\r\nc=3"},
      {"keeps the key's spelling and writes the first section",
       "[SECT]\r\nKey=1\r\n[sect]\r\nkey=2\r\n", u"sect", u"KEY", u"3",
       "[SECT]\r\nKey=3\r\n[sect]\r\nkey=2\r\n"},
      {"appends a section after a last line without a break", "[A]\r\na=1", u"B", u"b", u"2",
       "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
      {"adds a key after a last line without a break", "[A]\r\na=1", u"A", u"b", u"2",
       "[A]\r\na=1\r\nb=2\r\n"},
      {"a value with blanks and quotes is written as given", "[A]\r\n", u"A", u"k", u" \"x\" ",
       "[A]\r\nk= \"x\" \r\n"},
      {"deletes a key", "[A]\r\na=1\r\nb=2\r\n[B]\r\na=1\r\n", u"A", u"A", nullptr,
       "[A]\r\nb=2\r\n[B]\r\na=1\r\n"},
      {"deletes a section", "[A]\r\na=1\r\n[B]\r\nb=1\r\n[C]\r\nc=1\r\n", u"b", nullptr, nullptr,
       "[A]\r\na=1\r\n[C]\r\nc=1\r\n"},
      {"deletes every section of the name", "[A]\r\n[B]\r\n[a]\r\nx=1\r\n", u"A", nullptr, nullptr,
       "[B]\r\n"},
      {"deleting from a missing file creates nothing", kMissing, u"A", u"a", nullptr, "<missing>"},
      {"deleting a missing key changes nothing", "[A]\na=1", u"A", u"b", nullptr, "[A]\na=1"},
  };
  for (const auto& c : cases) {
    plat::ScopedMachine machine;
    if (c.before) drive::Put(kHost, c.before);
    EXPECT_TRUE(WritePrivateProfileStringW(c.section, c.key, c.value, kIni)) << c.what;
    EXPECT_EQ(drive::Get(kHost), c.after) << c.what;
    EXPECT_EQ(drive::List("Windows"),
              c.after == std::string("<missing>") ? "System32;Temp;" : "System32;Temp;kesmusr.ini;")
        << c.what << ": no temporary file is left";
  }
}

TEST(ProfileWrite, DeletingASectionKeepsItsCommentLines) {
  struct Case {
    const char* before;
    const char* after;
  } cases[] = {
      {"[A]\r\na=1\r\n; B follows\r\n[B]\r\n;one\r\nb=1\r\n\r\n  ; two\r\nloose\r\n[C]\r\nc=1\r\n",
       "[A]\r\na=1\r\n; B follows\r\n;one\r\n  ; two\r\n[C]\r\nc=1\r\n"},
      {"[B]\r\n;first\r\n[A]\r\n[b]\nx=1\n;last", ";first\r\n[A]\r\n;last"},
      {"[A]\r\na=1\r\n[B]\r\nb=1\r\n", "[A]\r\na=1\r\n"},
  };
  const struct {
    const char* what;
    BOOL (*erase)(LPCWSTR section);
  } deleters[] = {
      {"null key", [](LPCWSTR section) {
         return WritePrivateProfileStringW(section, nullptr, nullptr, kIni);
       }},
      {"null section list",
       [](LPCWSTR section) { return WritePrivateProfileSectionW(section, nullptr, kIni); }},
  };
  for (const auto& d : deleters) {
    for (const auto& c : cases) {
      plat::ScopedMachine machine;
      drive::Put(kHost, c.before);
      EXPECT_TRUE(d.erase(u"B")) << d.what << ": " << c.before;
      EXPECT_EQ(drive::Get(kHost), c.after) << d.what << ": " << c.before;
    }
  }
}

TEST(ProfileWrite, SectionsAreReplacedWhole) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "[A]\r\nx=1\r\n;c\r\ny=2\r\n\r\n[B]\r\nb=1\r\n");
  EXPECT_TRUE(WritePrivateProfileSectionW(u"a", u"p=1\0q = 2\0", kIni));
  EXPECT_EQ(drive::Get(kHost), "[A]\r\np=1\r\nq = 2\r\n\r\n[B]\r\nb=1\r\n");
  EXPECT_TRUE(WritePrivateProfileSectionW(u"C", u"z=9\0", kIni));
  EXPECT_EQ(drive::Get(kHost), "[A]\r\np=1\r\nq = 2\r\n\r\n[B]\r\nb=1\r\n[C]\r\nz=9\r\n");
  EXPECT_TRUE(WritePrivateProfileSectionW(u"B", nullptr, kIni));
  EXPECT_EQ(drive::Get(kHost), "[A]\r\np=1\r\nq = 2\r\n\r\n[C]\r\nz=9\r\n");
}

TEST(ProfileWrite, RefusesWhatTheFileCouldNotHoldAndChangesNothing) {
  plat::ScopedMachine machine;
  const char* before = "[A]\r\na=1\r\n";
  drive::Put(kHost, before);
  struct Case {
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
  } cases[] = {
      {u"Office [2F]", u"k", u"v"},  {u"", u"k", u"v"},    {u"A", u"k=x", u"v"},
      {u"A", u"[k", u"v"},           {u"A", u";k", u"v"},  {u"A", u"", u"v"},
      {u"A", u"k", u"two\r\nlines"}, {u"A\n", u"k", u"v"}, {nullptr, u"k", u"v"},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringW(c.section, c.key, c.value, kIni));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  EXPECT_FALSE(WritePrivateProfileSectionW(u"A", u"ok=1\0[B]\0", kIni));
  EXPECT_EQ(drive::Get(kHost), before);
}

TEST(ProfileWrite, TheAllNullFlushAnswersFalse) {
  plat::ScopedMachine machine;
  EXPECT_TRUE(WritePrivateProfileStringW(u"A", u"a", u"1", kIni));
  EXPECT_FALSE(WritePrivateProfileStringW(nullptr, nullptr, nullptr, kIni));
  EXPECT_EQ(drive::Get(kHost), "[A]\r\na=1\r\n");  // the write was on disk already
}

TEST(ProfileWrite, ReadOnlyFilesAndFilesHeldElsewhereAreNotWritten) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "[A]\r\na=1\r\n");
  ASSERT_TRUE(SetFileAttributesW(kIni, FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WritePrivateProfileStringW(u"A", u"a", u"2", kIni));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributesW(kIni, FILE_ATTRIBUTE_NORMAL));
  {
    ScopedHandle held(
        CreateFileW(kIni, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(WritePrivateProfileStringW(u"A", u"a", u"2", kIni));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 0, kIni), 1u);  // reading is shared
  }
  {
    ScopedHandle exclusive(CreateFileW(kIni, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 7u);
  }
  EXPECT_EQ(drive::Get(kHost), "[A]\r\na=1\r\n");
  EXPECT_EQ(drive::List("Windows"), "System32;Temp;kesmusr.ini;");
  EXPECT_FALSE(WritePrivateProfileStringW(u"A", u"a", u"2", u"C:\\Missing\\x.ini"));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST(ProfileWrite, AttributesAndARestoredTimeStampSurviveAWrite) {
  plat::ScopedMachine machine;
  drive::Put("_kesm/KESM.ini", "[Batch]\r\nDone=0\r\n");
  const char16_t* ini = u"C:\\_kesm\\kesm.INI";
  ASSERT_TRUE(SetFileAttributesW(ini, FILE_ATTRIBUTE_HIDDEN));
  FILETIME saved{};
  {
    ScopedHandle h(
        CreateFileW(ini, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr));
    const FILETIME old{0x11111110u, 0x01C00000u};
    ASSERT_TRUE(SetFileTime(h.get(), nullptr, nullptr, &old));
    ASSERT_TRUE(GetFileTime(h.get(), nullptr, nullptr, &saved));
  }
  EXPECT_TRUE(WritePrivateProfileStringW(u"Batch", u"Done", nullptr, ini));
  {
    ScopedHandle h(
        CreateFileW(ini, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr));
    ASSERT_TRUE(SetFileTime(h.get(), nullptr, nullptr, &saved));
  }
  ScopedHandle probe(CreateFileW(ini, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  FILETIME now{};
  ASSERT_TRUE(GetFileTime(probe.get(), nullptr, nullptr, &now));
  EXPECT_EQ(now.dwLowDateTime, saved.dwLowDateTime);
  EXPECT_EQ(now.dwHighDateTime, saved.dwHighDateTime);
  EXPECT_EQ(GetFileAttributesW(ini), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(drive::Get("_kesm/KESM.ini"), "[Batch]\r\n");
}

TEST(Profile, ANameWithoutAPathLivesInTheWindowsDirectory) {
  plat::ScopedMachine machine;
  EXPECT_TRUE(WritePrivateProfileStringW(u"Bidi", u"BidiFlag", u"1", u"kesmbid.ini"));
  EXPECT_EQ(drive::Get("Windows/kesmbid.ini"), "[Bidi]\r\nBidiFlag=1\r\n");
  EXPECT_EQ(GetPrivateProfileIntW(u"BIDI", u"bidiflag", 0, u"KESMBID.INI"), 1u);
}

TEST(Profile, TextIsInTheProcessAnsiCodePage) {
  plat::ScopedMachine machine;
  {
    ScopedAnsiCodePage cp(1252);
    EXPECT_TRUE(WritePrivateProfileStringW(u"Caf\u00E9", u"Name", u"R\u00E9sum\u00E9", kIni));
    EXPECT_EQ(drive::Get(kHost), "[Caf\xE9]\r\nName=R\xE9sum\xE9\r\n");
  }
  {
    // In 932 the trail byte of U+30BE is "]": it must not end the section name.
    ScopedAnsiCodePage cp(932);
    drive::Put(kHost, "[\x83\x5D]\r\nk=\x83\x5D\r\n");
    char16_t buffer[8];
    EXPECT_EQ(GetPrivateProfileStringW(u"\u30BE", u"k", u"", buffer, 8, kIni), 1u);
    EXPECT_EQ(buffer[0], u'\u30BE');
    EXPECT_TRUE(WritePrivateProfileStringW(u"\u30BE", u"n", u"\u30BE", kIni));
    EXPECT_EQ(drive::Get(kHost), "[\x83\x5D]\r\nk=\x83\x5D\r\nn=\x83\x5D\r\n");
  }
}

// A file in UTF-16LE behind its byte-order mark, as Windows writes one.
std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// U+30BE has no place in code page 1252: only UTF-16 text can hold it.
constexpr std::u16string_view kUtf16Text =
    u"; \u30BE\r\n[Caf\u00E9]\r\nName=\u30BE \"x\"\r\nk=1\r\nk=2\r\n;note\r\n[T]\r\nt=0x10\r\n";

TEST(Profile, AFileWithTheUtf16MarkIsReadAsUtf16) {
  plat::ScopedMachine machine;
  ScopedAnsiCodePage cp(1252);
  drive::Put(kHost, Utf16File(kUtf16Text));
  struct Case {
    const char16_t* section;
    const char16_t* key;
    std::u16string_view expected;  // nulls of a list kept
  } cases[] = {
      {u"Caf\u00E9", u"name", u"\u30BE \"x\""},
      {u"Caf\u00E9", nullptr, std::u16string_view(u"Name\0k\0k\0", 9)},
      {nullptr, nullptr, std::u16string_view(u"Caf\u00E9\0T\0", 7)},
      {u"T", u"none", u"default"},
  };
  for (const auto& c : cases) {
    char16_t buffer[64];
    const DWORD n = GetPrivateProfileStringW(c.section, c.key, u"default", buffer, 64, kIni);
    EXPECT_EQ(std::u16string_view(buffer, n), c.expected);
  }
  EXPECT_EQ(GetPrivateProfileIntW(u"t", u"T", 0, kIni), 16u);
  char16_t section[16];
  const DWORD n = GetPrivateProfileSectionW(u"T", section, 16, kIni);
  EXPECT_EQ(std::u16string_view(section, n), std::u16string_view(u"t=0x10\0", 7));
}

TEST(Profile, AFileWithTheUtf16MarkIsWrittenAsUtf16) {
  ScopedAnsiCodePage cp(1252);
  const std::u16string text(kUtf16Text);
  struct Case {
    const char* what;
    std::string before;
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
    std::string after;
  } cases[] = {
      {"replaces a value", Utf16File(text), u"Caf\u00E9", u"k", u"\u30BE",
       Utf16File(u"; \u30BE\r\n[Caf\u00E9]\r\nName=\u30BE \"x\"\r\nk=\u30BE\r\nk=2\r\n;note\r\n"
                 u"[T]\r\nt=0x10\r\n")},
      {"adds a key", Utf16File(text), u"T", u"\u30BEkey", u"v", Utf16File(text + u"\u30BEkey=v\r\n")},
      {"adds a section", Utf16File(text), u"\u30BE", u"k", u"v",
       Utf16File(text + u"[\u30BE]\r\nk=v\r\n")},
      {"deletes keys", Utf16File(text), u"Caf\u00E9", u"K", nullptr,
       Utf16File(u"; \u30BE\r\n[Caf\u00E9]\r\nName=\u30BE \"x\"\r\n;note\r\n[T]\r\nt=0x10\r\n")},
      {"deletes a section, its comments kept", Utf16File(text), u"Caf\u00E9", nullptr, nullptr,
       Utf16File(u"; \u30BE\r\n;note\r\n[T]\r\nt=0x10\r\n")},
      {"writes into a file of only the mark", Utf16File(u""), u"S", u"k", u"\u30BE",
       Utf16File(u"[S]\r\nk=\u30BE\r\n")},
      {"adds a line break after a last line without one", Utf16File(u"[S]\r\nk=1"), u"T", u"t",
       u"2", Utf16File(u"[S]\r\nk=1\r\n[T]\r\nt=2\r\n")},
      {"keeps a stray last byte after the text", Utf16File(u"[S]\r\n") + "X", u"T", u"t", u"2",
       Utf16File(u"[S]\r\n[T]\r\nt=2\r\n") + "X"},
      {"a file without the mark stays ANSI", "[S]\r\n", u"S", u"k", u"\u00E9",
       "[S]\r\nk=\xE9\r\n"},
  };
  for (const auto& c : cases) {
    plat::ScopedMachine machine;
    drive::Put(kHost, c.before);
    EXPECT_TRUE(WritePrivateProfileStringW(c.section, c.key, c.value, kIni)) << c.what;
    EXPECT_EQ(drive::Get(kHost), c.after) << c.what;
  }
  plat::ScopedMachine machine;
  drive::Put(kHost, Utf16File(text));
  EXPECT_TRUE(WritePrivateProfileSectionW(u"T", u"a=\u30BE\0b=2\0", kIni));
  EXPECT_EQ(drive::Get(kHost),
            Utf16File(u"; \u30BE\r\n[Caf\u00E9]\r\nName=\u30BE \"x\"\r\nk=1\r\nk=2\r\n;note\r\n"
                      u"[T]\r\na=\u30BE\r\nb=2\r\n"));
}

TEST(Profile, OtherProcessesSeeAWriteAtOnce) {
  plat::ScopedMachine machine;
  EXPECT_TRUE(WritePrivateProfileStringW(u"A", u"a", u"5", kIni));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool ok = GetPrivateProfileIntW(u"A", u"a", 0, kIni) == 5 &&
                    WritePrivateProfileStringW(u"A", u"b", u"6", kIni);
    _exit(ok ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"b", 0, kIni), 6u);
}

// Texts read before are reused only while their file is provably the same:
// a rewrite of the same size in the same clock tick, a rewrite after the
// text settled, and a change of code page are each seen by the next read.
TEST(ProfileRead, AFileChangedBehindTheStandInsBackIsReadAgain) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "[A]\r\na=1\r\n");
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 0, kIni), 1u);
  drive::Put(kHost, "[A]\r\na=2\r\n");  // same size, same tick
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 0, kIni), 2u);
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 0, kIni), 2u);
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 0, kIni), 2u);  // the settled text answers
  drive::Put(kHost, "[A]\r\na=3\r\n");
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 0, kIni), 3u);
  {
    ScopedHandle exclusive(CreateFileW(kIni, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 7u);  // share modes still count
  }
  std::filesystem::remove(drive::Host(kHost));
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 7u);
  drive::Put(kHost, "[A]\r\nk=\xB1\r\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  char16_t buffer[4];
  {
    ScopedAnsiCodePage cp(1252);
    EXPECT_EQ(GetPrivateProfileStringW(u"A", u"k", u"", buffer, 4, kIni), 1u);
    EXPECT_EQ(buffer[0], u'\u00B1');
    EXPECT_EQ(GetPrivateProfileStringW(u"A", u"k", u"", buffer, 4, kIni), 1u);
  }
  {
    ScopedAnsiCodePage cp(932);
    EXPECT_EQ(GetPrivateProfileStringW(u"A", u"k", u"", buffer, 4, kIni), 1u);
    EXPECT_EQ(buffer[0], u'\uFF71');  // the same byte in the other code page
  }
}

// A text kept from an unchanged file is not read again, but a handle open on
// the file refuses the read exactly when it would refuse an open for
// reading: kept or not, the read gives what such an open would.
TEST(ProfileRead, AKeptTextIsRefusedWhereAnOpenForReadingWouldBe) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "[A]\r\na=1\r\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  ASSERT_EQ(GetPrivateProfileIntW(u"A", u"a", 0, kIni), 1u);
  ASSERT_EQ(GetPrivateProfileIntW(u"A", u"a", 0, kIni), 1u);  // kept from here on
  struct Case {
    DWORD access;
    DWORD share;
    bool refused;
  } cases[] = {
      {GENERIC_READ, 0, true},
      {GENERIC_READ, FILE_SHARE_READ, false},
      {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
      {GENERIC_WRITE, FILE_SHARE_WRITE, true},
      {kDeleteAccess, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true},
      {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, false},
  };
  for (const Case& c : cases) {
    ScopedHandle held(CreateFileW(kIni, c.access, c.share, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
    {
      ScopedHandle reader(CreateFileW(kIni, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
      EXPECT_EQ(reader.get() == INVALID_HANDLE_VALUE, c.refused) << c.access << " " << c.share;
    }
    SetLastError(0);
    EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), c.refused ? 7u : 1u) << c.access << " " << c.share;
  }
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 1u);
}

// A text read twice from a settled file is answered from then on without a
// status call, until the kernel tells of a change: every way of changing
// the file, its folders or its share state behind the stand-in's back is
// seen by the very next read.
TEST(ProfileRead, AKeptTextSeesEveryChangeMadeBehindItsBack) {
  using Change = void (*)();
  struct Case {
    const char* what;
    Change change;
    UINT expected;
  };
  const Case cases[] = {
      {"rewritten in place, same size", [] { drive::Put(kHost, "[A]\r\na=3\r\n"); }, 3},
      {"replaced by a rename",
       [] {
         drive::Put("Windows/kesmusr.ini.new", "[A]\r\na=3\r\n");
         std::filesystem::rename(drive::Host("Windows/kesmusr.ini.new"), drive::Host(kHost));
       },
       3},
      {"written through a hard link in another folder",
       [] {
         drive::Put("Other/keep", "");
         std::filesystem::create_hard_link(drive::Host(kHost), drive::Host("Other/link.ini"));
         std::fstream(drive::Host("Other/link.ini"), std::ios::in | std::ios::out | std::ios::binary)
             .seekp(7)
             .put('3');
       },
       3},
      {"removed", [] { std::filesystem::remove(drive::Host(kHost)); }, 7},
      {"its folder renamed away",
       [] { std::filesystem::rename(drive::Host("Windows"), drive::Host("Windows.old")); }, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::ScopedMachine machine;
    drive::Put(kHost, "[A]\r\na=1\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    ASSERT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 1u);
    ASSERT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 1u);
    ASSERT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 1u);  // kept from here on
    c.change();
    EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), c.expected);
  }
}

// Another process's handle that refuses reading is seen by a kept text at
// once, and so is its close.
TEST(ProfileRead, AKeptTextSeesAnotherProcesssShareMode) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "[A]\r\na=1\r\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  for (int i = 0; i < 3; ++i) ASSERT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 1u);
  int toChild[2];
  int toParent[2];
  ASSERT_EQ(pipe(toChild), 0);
  ASSERT_EQ(pipe(toParent), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HANDLE held = CreateFileW(kIni, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const char opened = held != INVALID_HANDLE_VALUE ? 'y' : 'n';
    char done = 0;
    const bool ok = write(toParent[1], &opened, 1) == 1 && read(toChild[0], &done, 1) == 1;
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    _exit(ok ? 0 : 1);
  }
  char opened = 0;
  ASSERT_EQ(read(toParent[0], &opened, 1), 1);
  EXPECT_EQ(opened, 'y');
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 7u);  // refused while held
  const char done = 'd';
  ASSERT_EQ(write(toChild[1], &done, 1), 1);
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 1u);
  for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) close(fd);
}

// A file found missing from its folder is answered as missing without a
// status call until a notice comes, and every way of making it appear
// behind the stand-in's back is seen by the next read.
TEST(ProfileRead, AMissingFileKeptAsMissingSeesItAppear) {
  using Change = void (*)();
  struct Case {
    const char* what;
    Change change;
  };
  const Case cases[] = {
      {"written", [] { drive::Put(kHost, "[A]\r\na=1\r\n"); }},
      {"moved in from another folder",
       [] {
         drive::Put("Other/kesmusr.new", "[A]\r\na=1\r\n");
         std::filesystem::rename(drive::Host("Other/kesmusr.new"), drive::Host(kHost));
       }},
      {"written in another spelling", [] { drive::Put("Windows/KESMUSR.INI", "[A]\r\na=1\r\n"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::ScopedMachine machine;
    drive::Put("Windows/other.ini", "");
    std::this_thread::sleep_for(std::chrono::milliseconds(120));  // the folder's listing settles
    for (int i = 0; i < 3; ++i) {
      SetLastError(0);
      ASSERT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 7u);
      char16_t buffer[4];
      EXPECT_EQ(GetPrivateProfileStringW(u"A", u"a", u"d", buffer, 4, kIni), 1u);
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    }
    c.change();
    EXPECT_EQ(GetPrivateProfileIntW(u"A", u"a", 7, kIni), 1u);
  }
}
