#include "platform/files/winpath.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/platform/drive_files.h"
#include "platform/base/winerror.h"

TEST(WinPath, WindowsPathsMapOntoTheDriveIgnoringCase) {
  plat::ScopedMachine machine;
  drive::Put("Windows/System32/Kesm.INI", "");
  drive::Put("Users/Default/Docs/a.txt", "");
  struct Case {
    const char16_t* path;
    const char* host;  // relative to the drive
  } cases[] = {
      {u"C:\\Windows\\System32", "Windows/System32"},
      {u"c:/WINDOWS/system32/kesm.ini", "Windows/System32/Kesm.INI"},
      {u"C:\\Windows\\System32\\..\\Temp\\.", "Windows/Temp"},
      {u"C:\\\\Windows\\\\\\System32\\", "Windows/System32"},
      {u"C:\\..\\..\\windows", "Windows"},  // ".." stops at the root
      {u"\\users\\DEFAULT\\docs\\A.TXT", "Users/Default/Docs/a.txt"},
      {u"kesm.ini", "Windows/System32/Kesm.INI"},  // the current directory
      {u"C:..\\Temp", "Windows/Temp"},
      {u"C:\\Windows\\New File.Txt", "Windows/New File.Txt"},  // a new name keeps its spelling
      {u"C:\\Windows\\trailing. . ", "Windows/trailing"},
      {u"C:\\", "."},
  };
  for (const auto& c : cases) {
    const std::u16string path = c.path;
    auto resolved = plat::HostPathOf(c.path);
    ASSERT_TRUE(resolved.has_value()) << std::string(path.begin(), path.end());
    EXPECT_EQ(resolved->lexically_relative(plat::DriveRoot()), std::filesystem::path(c.host))
        << std::string(path.begin(), path.end());
  }
}

TEST(WinPath, PathsOffTheDriveOrWithBadNamesFail) {
  plat::ScopedMachine machine;
  drive::Put("Windows/win.ini", "");
  const std::u16string tooLong = u"C:\\" + std::u16string(MAX_PATH, u'a');
  struct Case {
    const char16_t* path;
    DWORD error;
  } cases[] = {
      {nullptr, ERROR_INVALID_PARAMETER},
      {u"", ERROR_PATH_NOT_FOUND},
      {u"D:\\Windows", ERROR_PATH_NOT_FOUND},
      {u"\\\\server\\share\\file.ini", ERROR_PATH_NOT_FOUND},
      {u"C:\\Missing\\file.ini", ERROR_PATH_NOT_FOUND},
      {u"C:\\Windows\\win.ini\\below", ERROR_PATH_NOT_FOUND},  // a file is not a folder
      {u"C:\\Windows\\a<b", ERROR_INVALID_NAME},
      {u"C:\\Windows\\a:b", ERROR_INVALID_NAME},
      {u"C:\\Windows\\*.ini", ERROR_INVALID_NAME},  // wildcards only in find patterns
      {tooLong.c_str(), ERROR_FILENAME_EXCED_RANGE},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(plat::HostPathOf(c.path).has_value());
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST(WinPath, FindPatternsKeepTheirLastComponent) {
  plat::ScopedMachine machine;
  auto resolved = plat::ResolvePath(u"c:\\windows\\*.", plat::PathUse::kPattern);
  ASSERT_TRUE(resolved.has_value());
  EXPECT_EQ(resolved->host, drive::Host("Windows") / "*.");
}

TEST(WinPath, TheExactSpellingWinsOverOtherCases) {
  plat::ScopedMachine machine;
  drive::Put("Windows/Data.ini", "upper");
  drive::Put("Windows/data.ini", "lower");
  EXPECT_EQ(*plat::HostPathOf(u"C:\\Windows\\data.ini"), drive::Host("Windows/data.ini"));
  EXPECT_EQ(*plat::HostPathOf(u"C:\\Windows\\Data.ini"), drive::Host("Windows/Data.ini"));
  // Neither spelled so: the first in host order.
  EXPECT_EQ(*plat::HostPathOf(u"C:\\Windows\\DATA.INI"), drive::Host("Windows/Data.ini"));
}

TEST(WinPath, HostPathsReadBackInTheirOnDiskSpelling) {
  plat::ScopedMachine machine;
  EXPECT_EQ(plat::WindowsPathOf(*plat::HostPathOf(u"c:\\windows\\SYSTEM32")),
            u"C:\\Windows\\System32");
  EXPECT_EQ(plat::WindowsPathOf(plat::DriveRoot()), u"C:\\");
  EXPECT_EQ(plat::WindowsPathOf(plat::MachineRoot() / "registry"), u"");
}

TEST(WinPath, NothingResolvesWithoutAMachine) {
  SetLastError(0);
  EXPECT_FALSE(plat::HostPathOf(u"C:\\Windows").has_value());
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST(WinPath, NamesCompareIgnoringCaseBeyondAscii) {
  EXPECT_TRUE(plat::SameName(u"Übersicht.INI", u"übersicht.ini"));
  EXPECT_FALSE(plat::SameName(u"a.ini", u"a.inf"));
  EXPECT_FALSE(plat::SameName(u"a", u"ab"));
}
