#include <gtest/gtest.h>

#include <string>

#include "tests/platform/drive_files.h"
#include "platform/files/wildcard.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"

namespace {

// The names a search returns, separated by ";", or the error.
std::string Find(const char16_t* pattern) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW(pattern, &data);
  if (h == INVALID_HANDLE_VALUE) return "error " + std::to_string(GetLastError());
  std::string names;
  do {
    const std::u16string name(data.cFileName);
    names += std::string(name.begin(), name.end()) + ";";
  } while (FindNextFileW(h, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(h));
  return names;
}

}  // namespace

TEST(Wildcard, FollowsTheWindowsRulesForStarsQuestionMarksAndDots) {
  struct Case {
    const char16_t* pattern;
    const char16_t* name;
    bool matches;
  } cases[] = {
      {u"*", u"kesmusr.ini", true},
      {u"*.*", u"README", true},  // "*.*" is every name
      {u"*.ini", u"KESMUSR.INI", true},
      {u"*.ini", u"kesmusr.ini.bak", false},
      {u"*.ini", u"a.b.ini", true},
      {u"*.ini", u"ini", false},
      {u"*.", u"README", true},  // names without an extension
      {u"*.", u"read.me", false},
      {u"kesm*.rs?", u"kesm01.rsd", true},
      {u"kesm*.rs?", u"kesm01.rs", true},  // "?" at the end matches nothing too
      {u"kesm*.rs?", u"kesm01.rsdx", false},
      {u"R??????1.rsb", u"RAB12CD1.RSB", true},
      {u"R??????1.rsb", u"RAB12C1.rsb", false},
      {u"a?c", u"a.c", false},  // "?" never takes a dot
      {u"a.*", u"a", true},
      {u"a.*", u"a.txt", true},
      {u"data", u"DATA", true},
      {u"*", u".", true},
      {u"*.ini", u".", false},
      {u"*x*y", u"axbxcy", true},
      {u"*x*y", u"axbxc", false},
  };
  for (const auto& c : cases) {
    const std::u16string p = c.pattern, n = c.name;
    EXPECT_EQ(plat::MatchesPattern(c.pattern, c.name), c.matches)
        << std::string(p.begin(), p.end()) << " / " << std::string(n.begin(), n.end());
  }
}

TEST(FindFile, ListsMatchingEntriesIgnoringCaseWithDotsFirst) {
  plat::ScopedMachine machine;
  drive::Put("_kesm/b.ini", "bb");
  drive::Put("_kesm/A.INI", "a");
  drive::Put("_kesm/c.rst", "");
  drive::Put("_kesm/Sub/x", "");
  EXPECT_EQ(Find(u"C:\\_KESM\\*"), ".;..;A.INI;b.ini;c.rst;Sub;");
  EXPECT_EQ(Find(u"C:\\_kesm\\*.*"), ".;..;A.INI;b.ini;c.rst;Sub;");
  EXPECT_EQ(Find(u"c:/_kesm/*.ini"), "A.INI;b.ini;");
  EXPECT_EQ(Find(u"C:\\_kesm\\sub"), "Sub;");  // no wildcard: that entry itself
  EXPECT_EQ(Find(u"C:\\_kesm\\*.txt"), "error " + std::to_string(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Find(u"C:\\_kesm\\"), "error " + std::to_string(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Find(u"C:\\none\\*.ini"), "error " + std::to_string(ERROR_PATH_NOT_FOUND));
  const std::string root = Find(u"C:\\*");
  EXPECT_EQ(root.substr(0, 3), "Pro") << "the root has no dot entries: " << root;
}

TEST(FindFile, DescribesEachEntry) {
  plat::ScopedMachine machine;
  drive::Put("_kesm/b.ini", "bb");
  ASSERT_TRUE(SetFileAttributesW(u"C:\\_kesm\\b.ini", FILE_ATTRIBUTE_HIDDEN));
  const auto handles = plat::OpenHandleCount();
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW(u"C:\\_kesm\\B.*", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(std::u16string(data.cFileName), u"b.ini");
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(data.nFileSizeLow, 2u);
  EXPECT_EQ(data.cAlternateFileName[0], u'\0');
  EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
  EXPECT_FALSE(FindNextFileW(h, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(h));
  EXPECT_EQ(plat::OpenHandleCount(), handles);
  EXPECT_FALSE(FindClose(h));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}
