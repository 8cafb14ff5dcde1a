#include <gtest/gtest.h>

#include <string>

#include "platform/base/machine.h"
#include "platform/system/sysfacts_control.h"
#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "platform/system/winsys.h"

namespace {

std::u16string Text(const WCHAR* s) { return s; }

TEST(Version, DefaultIsAnNtWorkstationAndSizesAreChecked) {
  plat::ScopedMachine machine;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExW(&info));
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_GE(info.dwMajorVersion, 5u);

  for (DWORD bad : {DWORD{0}, DWORD{sizeof info - 1}, DWORD{sizeof info + 1}}) {
    info.dwOSVersionInfoSize = bad;
    EXPECT_FALSE(GetVersionExW(&info));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  }
}

TEST(Version, ReportsWhatTheTestSetInBothRecords) {
  plat::ScopedMachine machine;
  plat::OsVersion nt4;
  nt4.major = 4;
  nt4.minor = 0;
  nt4.build = 1381;
  nt4.servicePack = u"Service Pack 6";
  nt4.servicePackMajor = 6;
  nt4.suiteMask = 0x0010;
  nt4.productType = 3;
  ASSERT_TRUE(plat::SetOsVersion(nt4));

  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExW(&info));
  EXPECT_EQ(info.dwMajorVersion, 4u);
  EXPECT_EQ(info.dwMinorVersion, 0u);
  EXPECT_EQ(info.dwBuildNumber, 1381u);
  EXPECT_EQ(Text(info.szCSDVersion), u"Service Pack 6");

  OSVERSIONINFOEXW ex{};
  ex.dwOSVersionInfoSize = sizeof ex;
  ASSERT_TRUE(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&ex)));
  EXPECT_EQ(ex.wServicePackMajor, 6);
  EXPECT_EQ(ex.wSuiteMask, 0x0010);
  EXPECT_EQ(ex.wProductType, 3);
}

TEST(Version, ANewMachineStartsFromTheDefaults) {
  {
    plat::ScopedMachine first;
    plat::OsVersion win9x;
    win9x.major = 4;
    win9x.platformId = VER_PLATFORM_WIN32_WINDOWS;
    ASSERT_TRUE(plat::SetOsVersion(win9x));
  }
  plat::ScopedMachine second;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExW(&info));
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
}

TEST(Directories, SizeProbeAndCopy) {
  plat::ScopedMachine machine;
  struct Case {
    UINT (*query)(LPWSTR, UINT);
    std::u16string expected;
  };
  const Case cases[] = {
      {GetSystemDirectoryW, u"C:\\Windows\\System32"},
      {GetWindowsDirectoryW, u"C:\\Windows"},
  };
  for (const Case& c : cases) {
    const UINT length = static_cast<UINT>(c.expected.size());
    EXPECT_EQ(c.query(nullptr, 0), length + 1);
    WCHAR buffer[MAX_PATH] = {u'x'};
    EXPECT_EQ(c.query(buffer, length), length + 1);  // no room for the terminator
    EXPECT_EQ(buffer[0], u'x');
    EXPECT_EQ(c.query(buffer, length + 1), length);
    EXPECT_EQ(Text(buffer), c.expected);
  }
}

TEST(Directories, SetByTheTest) {
  plat::ScopedMachine machine;
  ASSERT_TRUE(plat::SetWindowsDirectories(u"C:\\WINNT", u"C:\\WINNT\\system32"));
  WCHAR buffer[MAX_PATH];
  GetSystemDirectoryW(buffer, MAX_PATH);
  EXPECT_EQ(Text(buffer), u"C:\\WINNT\\system32");
  GetWindowsDirectoryW(buffer, MAX_PATH);
  EXPECT_EQ(Text(buffer), u"C:\\WINNT");
  EXPECT_FALSE(plat::SetWindowsDirectories(u"", u"C:\\x"));
  EXPECT_FALSE(plat::SetWindowsDirectories((u"C:\\" + std::u16string(MAX_PATH, u'a')).c_str(), u"C:\\x"));
}

TEST(Environment, DefaultsFollowTheWindowsDirectory) {
  plat::ScopedMachine machine;
  ASSERT_TRUE(plat::SetWindowsDirectories(u"C:\\WINNT", u"C:\\WINNT\\system32"));
  WCHAR buffer[MAX_PATH];
  ASSERT_EQ(GetEnvironmentVariableW(u"SystemRoot", buffer, MAX_PATH), 8u);
  EXPECT_EQ(Text(buffer), u"C:\\WINNT");
  ASSERT_EQ(GetEnvironmentVariableW(u"SYSTEMDRIVE", buffer, MAX_PATH), 2u);
  EXPECT_EQ(Text(buffer), u"C:");
  ASSERT_EQ(GetEnvironmentVariableW(u"windir", buffer, MAX_PATH), 8u);
}

TEST(Environment, SetRemoveAndSizeProbe) {
  plat::ScopedMachine machine;
  WCHAR buffer[16];
  EXPECT_EQ(GetEnvironmentVariableW(u"KesmTest", buffer, 16), 0u);
  EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);

  ASSERT_TRUE(plat::SetEnvironmentValue(u"KesmTest", u"abc"));
  EXPECT_EQ(GetEnvironmentVariableW(u"KESMTEST", nullptr, 0), 4u);
  EXPECT_EQ(GetEnvironmentVariableW(u"kesmtest", buffer, 3), 4u);
  EXPECT_EQ(GetEnvironmentVariableW(u"kesmtest", buffer, 4), 3u);
  EXPECT_EQ(Text(buffer), u"abc");

  ASSERT_TRUE(plat::SetEnvironmentValue(u"KesmTest", u""));
  EXPECT_EQ(GetEnvironmentVariableW(u"KesmTest", buffer, 16), 0u);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);  // set, but empty

  ASSERT_TRUE(plat::SetEnvironmentValue(u"SystemRoot", nullptr));
  EXPECT_EQ(GetEnvironmentVariableW(u"SystemRoot", buffer, 16), 0u);
  EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);

  EXPECT_FALSE(plat::SetEnvironmentValue(u"A=B", u"x"));
  EXPECT_FALSE(plat::SetEnvironmentValue(u"Line", u"a\nb"));
}

TEST(Environment, NotTheHostEnvironment) {
  plat::ScopedMachine machine;
  ASSERT_NE(std::getenv("PATH"), nullptr);
  EXPECT_EQ(GetEnvironmentVariableW(u"PATH", nullptr, 0), 0u);
}

TEST(Locale, CountryCodeOfTheUserLocale) {
  plat::ScopedMachine machine;
  EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
  struct Case {
    LCID locale;
    std::u16string country;
  };
  const Case cases[] = {{0x0409, u"1"}, {0x0809, u"44"}, {0x1009, u"2"}, {0x0416, u"55"},
                        {0x0411, u"81"}, {0x0407, u"49"}};
  for (const Case& c : cases) {
    ASSERT_TRUE(plat::SetUserDefaultLocale(c.locale));
    EXPECT_EQ(GetUserDefaultLCID(), c.locale);
    WCHAR buffer[8];
    const int needed = static_cast<int>(c.country.size() + 1);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, nullptr, 0), needed);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, buffer, 8), needed);
    EXPECT_EQ(Text(buffer), c.country);
    EXPECT_EQ(GetLocaleInfoW(c.locale, LOCALE_ICOUNTRY | LOCALE_NOUSEROVERRIDE, buffer, 8), needed);
  }
}

TEST(Locale, Failures) {
  plat::ScopedMachine machine;
  WCHAR buffer[8];
  EXPECT_EQ(GetLocaleInfoW(0x0809, LOCALE_ICOUNTRY, buffer, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetLocaleInfoW(0x7777, LOCALE_ICOUNTRY, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetLocaleInfoW(0x0409, 0x0059, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
  EXPECT_FALSE(plat::SetUserDefaultLocale(0x7777));
}

}  // namespace

namespace {

// The terminal-server test as programs make it: "Terminal Server" among
// the strings of the REG_MULTI_SZ product suite.
bool IsTerminalServer() {
  HKEY key = nullptr;
  if (RegOpenKeyW(HKEY_LOCAL_MACHINE, u"System\\CurrentControlSet\\Control\\ProductOptions", &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0, bytes = 0;
  std::u16string data;
  if (RegQueryValueExW(key, u"ProductSuite", nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS) {
    data.resize((bytes + 1) / 2);  // room for an odd stored byte count
    RegQueryValueExW(key, u"ProductSuite", nullptr, &type, reinterpret_cast<LPBYTE>(data.data()), &bytes);
  }
  RegCloseKey(key);
  if (type != REG_MULTI_SZ) return false;
  for (const WCHAR* s = data.c_str(); *s != 0; s += std::u16string_view(s).size() + 1) {
    if (std::u16string_view(s) == u"Terminal Server") return true;
  }
  return false;
}

TEST(TerminalServer, SetInTheRegistryKeepingOtherSuites) {
  plat::ScopedMachine machine;
  EXPECT_FALSE(IsTerminalServer());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"System\\CurrentControlSet\\Control\\ProductOptions", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::u16string suites(u"Enterprise\0\0", 12);
  ASSERT_EQ(RegSetValueExW(key, u"ProductSuite", 0, REG_MULTI_SZ,
                           reinterpret_cast<const BYTE*>(suites.data()), 24),
            ERROR_SUCCESS);

  ASSERT_TRUE(plat::SetTerminalServer(true));
  EXPECT_TRUE(IsTerminalServer());
  WCHAR data[64];
  DWORD type = 0, bytes = sizeof data;
  ASSERT_EQ(RegQueryValueExW(key, u"ProductSuite", nullptr, &type, reinterpret_cast<LPBYTE>(data), &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(data, bytes / 2), std::u16string(u"Enterprise\0Terminal Server\0\0", 28));

  ASSERT_TRUE(plat::SetTerminalServer(false));
  EXPECT_FALSE(IsTerminalServer());
  RegCloseKey(key);
}

TEST(TerminalServer, AnOddSizedSuiteListIsReadWithinItsBuffer) {
  struct Case {
    const char* name;
    DWORD bytes;  // of u"Enterprise\0\0X"
  } cases[] = {
      {"the last terminator cut in half", 23},
      {"a stray byte after the list", 25},
  };
  for (const Case& c : cases) {
    plat::ScopedMachine machine;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"System\\CurrentControlSet\\Control\\ProductOptions",
                              0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::u16string stored(u"Enterprise\0\0X", 13);
    ASSERT_EQ(RegSetValueExW(key, u"ProductSuite", 0, REG_MULTI_SZ,
                             reinterpret_cast<const BYTE*>(stored.data()), c.bytes),
              ERROR_SUCCESS);
    ASSERT_TRUE(plat::SetTerminalServer(true)) << c.name;
    EXPECT_TRUE(IsTerminalServer()) << c.name;
    WCHAR data[64];
    DWORD type = 0, bytes = sizeof data;
    ASSERT_EQ(RegQueryValueExW(key, u"ProductSuite", nullptr, &type, reinterpret_cast<LPBYTE>(data), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(data, bytes / 2), std::u16string(u"Enterprise\0Terminal Server\0\0", 28))
        << c.name;
    RegCloseKey(key);
  }
}

}  // namespace
