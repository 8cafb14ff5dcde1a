#include "storage/files/directories.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/machine.h"
#include "platform/system/sysfacts_control.h"
#include "platform/modules/userenv.h"
#include "platform/modules/winmodule.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::InOtherProcess;

std::u16string Text(const WCHAR* buffer) { return std::u16string(buffer); }

void UseNt4() {
  plat::OsVersion nt4;
  nt4.major = 4;
  nt4.minor = 0;
  ASSERT_TRUE(plat::SetOsVersion(nt4));
}

TEST(Directories, SystemDirectoryFitsOrEmptiesTheBuffer) {
  plat::ScopedMachine machine;
  const std::u16string system = u"C:\\Windows\\System32";
  WCHAR buffer[64] = u"old";
  EXPECT_EQ(KM_UM_GetSystemDirectory(buffer, 64, nullptr), system.size());
  EXPECT_EQ(Text(buffer), system);
  EXPECT_EQ(KM_UM_GetSystemDirectory(buffer, static_cast<DWORD>(system.size() + 1), nullptr),
            system.size());
  EXPECT_EQ(KM_UM_GetSystemDirectory(buffer, static_cast<DWORD>(system.size()), nullptr), 0u);
  EXPECT_EQ(buffer[0], 0);
}

TEST(Directories, SharedDirectoryIsTheDummyOneFromWindows2000On) {
  plat::ScopedMachine machine;
  EXPECT_EQ(InOtherProcess([] {
              WCHAR buffer[MAX_PATH];
              KM_UM_GetSystemDirectoryEx(buffer, MAX_PATH, nullptr);
              return Text(buffer);
            }),
            u"C:\\_kesm");
  UseNt4();
  EXPECT_EQ(InOtherProcess([] {
              WCHAR buffer[MAX_PATH];
              UM_GetSystemDirectoryExWithoutUCB(buffer, MAX_PATH, nullptr);
              return Text(buffer);
            }),
            u"C:\\Windows\\System32");
}

TEST(Directories, PerUserDirectoryFollowsTheSystemVersion) {
  plat::ScopedMachine machine;
  ASSERT_TRUE(plat::SetUserProfileDirectory(u"C:\\WINNT\\Profiles\\anna"));
  const auto perUser = [] {
    WCHAR buffer[MAX_PATH] = u"old";
    storage_test::Context context;
    const DWORD length = KM_UM_GetProfileDirectory(buffer, MAX_PATH, context.get());
    return length == Text(buffer).size() ? Text(buffer) : u"<length " + Text(buffer) + u">";
  };
  EXPECT_EQ(InOtherProcess(perUser), u"C:\\WINNT\\Profiles\\anna\\_kesm");
  UseNt4();
  EXPECT_EQ(InOtherProcess(perUser), u"C:\\Windows\\System32\\talvo\\_kesm\\anna");
}

// A user-profile library that fails and counts its calls.
int gProfileQueries = 0;
BOOL CountingProfileDirectory(HANDLE, LPWSTR, LPDWORD) {
  ++gProfileQueries;
  return FALSE;
}
const plat::BuiltinExport kCountingUserEnv[] = {
    {"GetUserProfileDirectoryW", reinterpret_cast<FARPROC>(CountingProfileDirectory)}};

TEST(Directories, AnAbsoluteSettingsIniPathGivesItsFolderWithoutAskingTheProfile) {
  plat::ScopedMachine machine;
  storage_test::InChild([] {
    ASSERT_TRUE(plat::RegisterBuiltinModule(u"UserEnv.dll", kCountingUserEnv));
    struct Case {
      const char16_t* iniPath;
      const char16_t* expected;
      int queries;
    };
    const Case cases[] = {
        {u"D:\\u\\kesmusr.ini", u"D:\\u", 0},
        {u"C:\\kesmusr.ini", u"C:", 0},
        {u"kesmusr.ini", u"", 1},  // not absolute: the profile is asked (and fails here)
    };
    for (const Case& c : cases) {
      gProfileQueries = 0;
      storage_test::Context context;
      std::u16string(c.iniPath).copy(context.work->szIniFilePath, MAX_PATH - 1);
      WCHAR buffer[MAX_PATH] = u"old";
      const DWORD length = KM_UM_GetProfileDirectory(buffer, MAX_PATH, context.get());
      EXPECT_EQ(Text(buffer), c.expected);
      EXPECT_EQ(length, Text(buffer).size());
      EXPECT_EQ(gProfileQueries, c.queries);
    }
  });
}

TEST(Directories, ProfileFolderComesFromTheUserProfileLibrary) {
  plat::ScopedMachine machine;
  storage_test::InChild([] {
    WCHAR buffer[MAX_PATH];
    EXPECT_TRUE(MyGetUserProfileDirectoryWithoutUCB(buffer, MAX_PATH));
    EXPECT_EQ(Text(buffer), u"C:\\Users\\User");
    EXPECT_FALSE(MyGetUserProfileDirectoryWithoutUCB(buffer, 5));  // too small
    EXPECT_EQ(UM_GetProfileDirectoryWithoutUCB(buffer, 19), 0u);   // C:\Users\User\_kesm
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(UM_GetProfileDirectoryWithoutUCB(buffer, 20), 19u);
  });
}

TEST(Directories, WindowsDirectoryNameIsTheSystemRootValue) {
  plat::ScopedMachine machine;
  WCHAR buffer[MAX_PATH];
  EXPECT_TRUE(GetWindowsDirName(buffer, MAX_PATH));
  EXPECT_EQ(Text(buffer), u"C:\\Windows");
  EXPECT_FALSE(GetWindowsDirName(buffer, 10));
  EXPECT_EQ(buffer[0], 0);
  ASSERT_TRUE(plat::SetEnvironmentValue(u"SystemRoot", nullptr));
  EXPECT_FALSE(GetWindowsDirName(buffer, MAX_PATH));
}

}  // namespace
