#include "storage/system/system_info.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/system/sysfacts_control.h"
#include "platform/base/winerror.h"
#include "platform/sync/winprocess.h"
#include "platform/registry/winreg.h"
#include "platform/security/winsecurity.h"
#include "platform/system/winsys.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::InOtherProcess;

constexpr const WCHAR* kProductOptions = u"System\\CurrentControlSet\\Control\\ProductOptions";

void SetProductSuite(DWORD type, const std::u16string& strings) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProductOptions, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(
      RegSetValueExW(key, u"ProductSuite", 0, type, reinterpret_cast<const BYTE*>(strings.data()),
                     static_cast<DWORD>(strings.size() * sizeof(WCHAR))),
      ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(SystemInfo, TerminalServerIsAStringOfTheMultiStringProductSuite) {
  using namespace std::string_literals;
  struct Case {
    DWORD type;
    std::u16string value;
    BOOL expected;
  };
  const Case cases[] = {
      {REG_MULTI_SZ, u"Terminal Server\0\0"s, TRUE},
      {REG_MULTI_SZ, u"Small Business\0Terminal Server\0\0"s, TRUE},
      {REG_MULTI_SZ, u"Terminal Server"s, TRUE},  // stored without terminators
      {REG_MULTI_SZ, u"terminal server\0\0"s, FALSE},
      {REG_MULTI_SZ, u"Terminal Server Lite\0\0"s, FALSE},
      {REG_MULTI_SZ, u"\0Terminal Server\0\0"s, FALSE},  // after the list's end
      {REG_SZ, u"Terminal Server\0"s, FALSE},
  };
  for (const Case& c : cases) {
    plat::ScopedMachine machine;
    EXPECT_FALSE(IsTSE(nullptr));
    SetProductSuite(c.type, c.value);
    EXPECT_EQ(IsTSE(nullptr), c.expected) << c.value.size();
  }
  plat::ScopedMachine machine;
  ASSERT_TRUE(plat::SetTerminalServer(true));
  EXPECT_TRUE(IsTSE(nullptr));
}

TEST(SystemInfo, PerUserIniAccessIsDecidedOncePerProcess) {
  plat::ScopedMachine machine;
  ASSERT_TRUE(plat::SetTerminalServer(true));
  EXPECT_EQ(InOtherProcess([] {
              std::u16string answers;
              answers += IsSupportIniAccessPerUser(nullptr) ? u'1' : u'0';
              plat::SetTerminalServer(false);
              answers += IsSupportIniAccessPerUser(nullptr) ? u'1' : u'0';
              answers += IsTSE(nullptr) ? u'1' : u'0';
              return answers;
            }),
            u"110");
}

TEST(SystemInfo, WindowsVersionTests) {
  plat::ScopedMachine machine;
  struct Case {
    DWORD major;
    DWORD platform;
    const char16_t* expected;  // IsOsLaterWin2000, IsOsIsWin9X
  };
  const Case cases[] = {
      {4, VER_PLATFORM_WIN32_NT, u"00"},
      {5, VER_PLATFORM_WIN32_NT, u"10"},
      {6, VER_PLATFORM_WIN32_NT, u"10"},
      {4, VER_PLATFORM_WIN32_WINDOWS, u"01"},
  };
  for (const Case& c : cases) {
    plat::OsVersion version;
    version.major = c.major;
    version.minor = 0;
    version.platformId = c.platform;
    ASSERT_TRUE(plat::SetOsVersion(version));
    EXPECT_EQ(
        InOtherProcess([] {
          return std::u16string{IsOsLaterWin2000() ? u'1' : u'0', IsOsIsWin9X() ? u'1' : u'0'};
        }),
        c.expected);
  }
  EXPECT_FALSE(IsOSWin2000AndEarlierSP3());
  EXPECT_TRUE(GetOSVersion());
}

TEST(SystemInfo, TheVersionAnswerIsKeptForTheProcess) {
  plat::ScopedMachine machine;
  EXPECT_EQ(InOtherProcess([] {
              std::u16string answers;
              answers += IsOsLaterWin2000() ? u'1' : u'0';
              plat::OsVersion nt4;
              nt4.major = 4;
              plat::SetOsVersion(nt4);
              answers += IsOsLaterWin2000() ? u'1' : u'0';
              return answers;
            }),
            u"11");
}

TEST(SystemInfo, AdministratorsPassTheAccessCheck) {
  plat::ScopedMachine machine;
  EXPECT_TRUE(IsAdmin());
  ASSERT_TRUE(plat::SetAdministrator(false));
  EXPECT_FALSE(IsAdmin());
  // The check ran under the thread's own identity and reverted it.
  HANDLE token = nullptr;
  EXPECT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token));
  EXPECT_EQ(GetLastError(), ERROR_NO_TOKEN);
}

TEST(SystemInfo, AContextOpenedWithoutTheAdministratorCheckPasses) {
  plat::ScopedMachine machine;
  ASSERT_TRUE(plat::SetAdministrator(false));
  storage_test::Context checked;
  checked.work->fCheckAdmin = 1;
  storage_test::Context unchecked;
  unchecked.work->fCheckAdmin = 0;
  EXPECT_FALSE(KesmIsAdmin(nullptr));
  EXPECT_FALSE(KesmIsAdmin(checked.get()));
  EXPECT_TRUE(KesmIsAdmin(unchecked.get()));
}

}  // namespace
