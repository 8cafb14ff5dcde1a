// Directories of the kernel-mode build, taken from the data file name, the
// install directory and the settings INI path that the work area holds, and
// the folder of the shared files by the engine's Windows version.
#include "render/platform/directories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "settings/context/context_block.h"
#include "render/platform/engine_version.h"
#include "storage/files/directories.h"
#include "storage/files/dummy_dir.h"
#include "tests/settings/context/hand_context.h"

namespace {

constexpr const char16_t* kDataFile = u"D:\\W\\S\\spool\\DRIVERS\\W32X86\\3\\kesm.kpd";

void SetField(WCHAR (&field)[MAX_PATH], std::u16string_view text) {
  std::fill(std::begin(field), std::end(field), u'\0');
  text.copy(field, std::min<std::size_t>(text.size(), MAX_PATH));
}

// What a directory query wrote and returned, as "text|length".
template <class Query>
std::u16string Written(Query query, DWORD size = MAX_PATH) {
  WCHAR buffer[MAX_PATH + 8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  buffer[MAX_PATH + 7] = 0;
  const std::string length = std::to_string(query(buffer, size));
  return std::u16string(buffer) + u"|" + std::u16string(length.begin(), length.end());
}

class KernelDirectories : public ::testing::Test {
 protected:
  KernelDirectories() { SetField(c_.work().szDataFileName, kDataFile); }
  kesm_test::HandContext c_;
};

TEST_F(KernelDirectories, DataFileLevelsCountBackslashesFromTheEnd) {
  const struct {
    int level;
    const char16_t* expected;
  } cases[] = {
      {0, u"D:\\W\\S\\spool\\DRIVERS\\W32X86\\3|29"},
      {1, u"D:\\W\\S\\spool\\DRIVERS\\W32X86|27"},
      {4, u"D:\\W\\S|6"},
      {6, u"D:|2"},
      {7, u"|0"},
      {-1, u"|0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return _KMGetDirectory(b, s, c_.ucb(), c.level); }),
              c.expected)
        << c.level;
  }
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KMGetDriverDirectory(b, s, c_.ucb()); }),
            u"D:\\W\\S\\spool\\DRIVERS\\W32X86\\3|29");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KMGetSystemDirectory(b, s, c_.ucb()); }), u"D:\\W\\S|6");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KM_UM_GetSystemDirectoryEx(b, s, c_.ucb()); }),
            u"D:\\W\\S|6");
}

TEST_F(KernelDirectories, UnusableNamesAndBuffersGiveAnEmptyDirectory) {
  auto system = [&](LPWSTR b, DWORD s) { return KMGetSystemDirectory(b, s, c_.ucb()); };
  EXPECT_EQ(Written(system, MAX_PATH - 1), u"|0");
  SetField(c_.work().szDataFileName, u"C:\\a\\b\\kesm.kpd");  // three backslashes only
  EXPECT_EQ(Written(system), u"|0");
  SetField(c_.work().szDataFileName, u"");
  EXPECT_EQ(Written(system), u"|0");
  // 260 characters fill the field without a terminator.
  SetField(c_.work().szDataFileName, u"C:" + std::u16string(MAX_PATH - 2, u'\\'));
  EXPECT_EQ(Written(system), u"|0");
  EXPECT_EQ(Written([](LPWSTR b, DWORD s) { return KMGetSystemDirectory(b, s, nullptr); }), u"|0");
  EXPECT_EQ(KMGetSystemDirectory(nullptr, MAX_PATH, c_.ucb()), 0u);
}

TEST_F(KernelDirectories, TheBidiFilesDirectoryComesFromTheInstallDirectory) {
  SetField(c_.work().szInstallDirectory, u"D:\\W\\S\\spool\\DRIVERS\\W32X86\\3\\");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KMGetSystemDirectory2(b, s, c_.ucb()); }), u"D:\\W\\S|6");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KMAddSystemDirToFileName(b, s, u"kesmbid.ini", c_.ucb()); }),
            u"D:\\W\\S\\kesmbid.ini|18");
  // Exactly room for the path and its terminator, then one character less.
  EXPECT_EQ(Written([&](LPWSTR b, DWORD) { return KMAddSystemDirToFileName(b, 19, u"kesmbid.ini", c_.ucb()); }),
            u"D:\\W\\S\\kesmbid.ini|18");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD) { return KMAddSystemDirToFileName(b, 18, u"kesmbid.ini", c_.ucb()); }),
            u"|0");
  // Nothing to write with, or into: the destination stays.
  EXPECT_EQ(Written([&](LPWSTR b, DWORD) { return KMAddSystemDirToFileName(b, MAX_PATH, nullptr, c_.ucb()); }),
            std::u16string(MAX_PATH + 7, u'#') + u"|0");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD) { return KMAddSystemDirToFileName(b, 0, u"kesmbid.ini", c_.ucb()); }),
            std::u16string(MAX_PATH + 7, u'#') + u"|0");
  // Without a directory there is no path (never one from the drive's root).
  SetField(c_.work().szInstallDirectory, u"D:\\W\\3\\");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KMAddSystemDirToFileName(b, s, u"kesmbid.ini", c_.ucb()); }),
            u"|0");
}

// The configuration library keeps its shared files in the system directory
// on NT 4.0 and in "_kesm" at the system drive's root from Windows 2000 on;
// the engine's version tells which Windows this is.
TEST_F(KernelDirectories, SharedFilesAreWhereTheConfigurationLibraryKeepsThem) {
  struct NeverEnabledAfterwards {
    ~NeverEnabledAfterwards() { KMSetEngineVersion(0); }
  } reset;
  SetField(c_.work().szInstallDirectory, u"D:\\W\\S\\spool\\DRIVERS\\W32X86\\3\\");
  const struct {
    const char* what;
    ULONG engine;
    const char16_t* expected;
  } cases[] = {
      {"never enabled", 0, u"D:\\W\\S\\kesmbid.ini|18"},
      {"NT 4.0", 0x00020000, u"D:\\W\\S\\kesmbid.ini|18"},
      {"NT 4.0 SP3", 0x00020003, u"D:\\W\\S\\kesmbid.ini|18"},
      {"Windows 2000", 0x00030000, u"D:\\_kesm\\kesmbid.ini|20"},
      {"Windows XP", 0x00030100, u"D:\\_kesm\\kesmbid.ini|20"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KMSetEngineVersion(c.engine);
    EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KMAddSharedDirToFileName(b, s, u"kesmbid.ini", c_.ucb()); }),
              c.expected);
  }
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KM_UM_GetDummySystemDirectory(b, s, c_.ucb()); }),
            u"D:\\_kesm|8");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD) { return KM_UM_GetDummySystemDirectory(b, 8, c_.ucb()); }), u"|0");
  // Without a system directory there is no folder, and no path.
  SetField(c_.work().szInstallDirectory, u"D:\\W\\3\\");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KM_UM_GetDummySystemDirectory(b, s, c_.ucb()); }), u"|0");
  EXPECT_EQ(Written([&](LPWSTR b, DWORD s) { return KMAddSharedDirToFileName(b, s, u"kesmbid.ini", c_.ucb()); }),
            u"|0");
}

TEST_F(KernelDirectories, TheProfileDirectoryIsTheFolderOfTheSentIniPath) {
  auto profile = [&](LPWSTR b, DWORD s) { return KM_UM_GetProfileDirectory(b, s, c_.ucb()); };
  SetField(c_.work().szIniFilePath, u"D:\\u\\_kesm\\kesmusr.ini");
  EXPECT_EQ(Written(profile), u"D:\\u\\_kesm|10");
  EXPECT_EQ(Written(profile, 10), u"|0");
  SetField(c_.work().szIniFilePath, u"kesmusr.ini");
  EXPECT_EQ(Written(profile), u"|0");
  SetField(c_.work().szIniFilePath, u"");
  EXPECT_EQ(Written(profile), u"|0");
}

}  // namespace
