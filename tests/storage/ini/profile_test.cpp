#include "storage/ini/profile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::Get;
using storage_test::Put;

constexpr const WCHAR* kIni = u"C:\\kesm\\kesmusr.ini";

FILETIME WriteTime(LPCWSTR path) {
  FILETIME time{};
  HANDLE file = CreateFileW(path, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  GetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
  return time;
}

class Profile : public ::testing::Test {
 protected:
  void SetUp() override { Put("kesm/.keep", ""); }
  plat::ScopedMachine machine_;
};

TEST_F(Profile, BracketsInSectionNamesBecomeCommasOnEveryAccess) {
  EXPECT_TRUE(KM_UM_WritePrivateProfileString(u"Office [2F]", u"PresetNo", u"3", kIni));
  // On disk at once, in the converted section.
  EXPECT_EQ(Get("kesm/kesmusr.ini"), "[Office ,2F,]\r\nPresetNo=3\r\n");
  WCHAR buffer[16];
  EXPECT_EQ(KM_UM_GetPrivateProfileString(u"Office [2F]", u"PresetNo", u"-", buffer, 16, kIni), 1u);
  EXPECT_EQ(std::u16string(buffer), u"3");
  EXPECT_EQ(KM_UM_GetPrivateProfileInt(u"Office [2F]", u"PresetNo", 9, kIni), 3u);
  EXPECT_EQ(KM_UM_GetPrivateProfileInt(u"Office ,2F,", u"PresetNo", 9, kIni), 3u);
  EXPECT_EQ(KM_UM_GetPrivateProfileInt(u"Office", u"PresetNo", 9, kIni), 9u);
}

TEST_F(Profile, NullKeyOrValueDeletes) {
  Put("kesm/kesmusr.ini", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
  EXPECT_TRUE(KM_UM_WritePrivateProfileString(u"A", u"x", nullptr, kIni));
  EXPECT_EQ(Get("kesm/kesmusr.ini"), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n");
  EXPECT_TRUE(KM_UM_WritePrivateProfileString(u"A", nullptr, nullptr, kIni));
  EXPECT_EQ(Get("kesm/kesmusr.ini"), "[B]\r\nz=3\r\n");
}

TEST_F(Profile, OverlongSectionNamesAreRefused) {
  const std::u16string longest(260, u's');
  const std::u16string tooLong(261, u's');
  EXPECT_TRUE(KM_UM_WritePrivateProfileString(longest.c_str(), u"k", u"1", kIni));
  EXPECT_EQ(KM_UM_GetPrivateProfileInt(longest.c_str(), u"k", 9, kIni), 1u);

  EXPECT_FALSE(KM_UM_WritePrivateProfileString(tooLong.c_str(), u"k", u"2", kIni));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(KM_UM_GetPrivateProfileInt(tooLong.c_str(), u"k", 9, kIni), 9u);
  WCHAR buffer[6];
  std::fill(buffer, buffer + 6, u'#');
  EXPECT_EQ(KM_UM_GetPrivateProfileString(tooLong.c_str(), u"k", u"default", buffer, 6, kIni), 5u);
  EXPECT_EQ(std::u16string(buffer, 6), std::u16string(u"defau\0", 6));
}

TEST_F(Profile, TheTimeStampPreservingWriteKeepsTheLastWriteTime) {
  Put("kesm/kesmins.ini", "[Kesm 4200]\r\nBatchInstall=1\r\nKeep=1\r\n");
  HANDLE file =
      CreateFileW(u"C:\\kesm\\kesmins.ini", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME old{0x12345678, 0x01C00000};
  ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &old));
  CloseHandle(file);

  EXPECT_TRUE(UM_WritePrivateProfileStringNoChgTimeStamp(u"Kesm 4200", u"BatchInstall", nullptr,
                                                         u"C:\\kesm\\kesmins.ini"));
  EXPECT_EQ(Get("kesm/kesmins.ini"), "[Kesm 4200]\r\nKeep=1\r\n");
  const FILETIME now = WriteTime(u"C:\\kesm\\kesmins.ini");
  EXPECT_EQ(now.dwLowDateTime, old.dwLowDateTime);
  EXPECT_EQ(now.dwHighDateTime, old.dwHighDateTime);

  // A file that did not exist is written, with nothing to put back.
  EXPECT_TRUE(UM_WritePrivateProfileStringNoChgTimeStamp(u"S", u"k", u"v", u"C:\\kesm\\new.ini"));
  EXPECT_EQ(Get("kesm/new.ini"), "[S]\r\nk=v\r\n");
}

}  // namespace
