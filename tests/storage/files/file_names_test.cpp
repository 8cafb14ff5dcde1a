#include "storage/files/file_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitCase {
  const WCHAR* path;
  const WCHAR* name;  // GetFileNamePtr
  const WCHAR* ext;   // GetFileNameExt
  DWORD extLength;
  DWORD baseLength;  // GetFileNameBase, from the name part
};

TEST(FileNames, SplitsNameExtensionAndBase) {
  const SplitCase cases[] = {
      {u"C:\\drv\\kesmdat.kpd", u"kesmdat.kpd", u"kpd", 3, 7},
      {u"kesmdat.kpd", u"kesmdat.kpd", u"kpd", 3, 7},
      {u"C:\\a.b\\name", u"name", u"name", 0, 4},  // the folder's dot is not the name's
      {u"C:\\set\\user0001.tar.rst", u"user0001.tar.rst", u"rst", 3, 8},
      {u"C:\\set\\.rst", u".rst", u"rst", 3, 0},
      {u"C:\\set\\name.", u"name.", u"", 0, 4},
      {u"", u"", u"", 0, 0},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(std::u16string(c.path).size());
    EXPECT_EQ(std::u16string(GetFileNamePtr(c.path)), c.name);
    DWORD length = 99;
    EXPECT_EQ(std::u16string(GetFileNameExt(c.path, &length)), c.ext);
    EXPECT_EQ(length, c.extLength);
    EXPECT_EQ(std::u16string(GetFileNameBase(c.path, &length)), c.name[0] ? c.name : c.path);
    EXPECT_EQ(length, c.baseLength);
  }
}

TEST(FileNames, EmptyNameGivesThePathAsBase) {
  const WCHAR* path = u"C:\\set\\";
  DWORD length = 99;
  EXPECT_EQ(GetFileNameBase(path, &length), path);
  EXPECT_EQ(length, 0u);
}

TEST(FileNames, NullGivesNull) {
  EXPECT_EQ(GetFileNamePtr(static_cast<LPCWSTR>(nullptr)), nullptr);
  EXPECT_EQ(GetFileNameExt(static_cast<LPCWSTR>(nullptr), nullptr), nullptr);
  EXPECT_EQ(GetFileNameBase(nullptr, nullptr), nullptr);
  EXPECT_FALSE(IsAvailableDriverDataFileName(nullptr));
}

TEST(FileNames, DriverDataFileNameNeedsABaseAndAShortExtension) {
  const std::pair<const WCHAR*, BOOL> cases[] = {
      {u"C:\\drv\\kesm.kpd", TRUE}, {u"kesm.k", TRUE},         {u"kesm.kpdx", FALSE},
      {u"C:\\drv\\kesm", FALSE},    {u"C:\\drv\\.kpd", FALSE}, {u"C:\\drv\\kesm.", FALSE},
      {u"C:\\d.x\\kesm", FALSE},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_EQ(IsAvailableDriverDataFileName(path), expected) << std::u16string(path).size();
  }
}

TEST(FileNames, BatchUseNamesReplaceOrAppendTheExtension) {
  const std::pair<const WCHAR*, const WCHAR*> cases[] = {
      {u"C:\\set\\office.rsb", u"C:\\set\\office.rsq"},
      {u"C:\\set\\office.tar.rsb", u"C:\\set\\office.tar.rsq"},
      {u"C:\\set.d\\office", u"C:\\set.d\\office.rsq"},
  };
  for (const auto& [path, expected] : cases) {
    WCHAR buffer[MAX_PATH];
    EXPECT_TRUE(MakeBatchUseQualityFileName(buffer, path, nullptr));
    EXPECT_EQ(std::u16string(buffer), expected);
  }
}

TEST(FileNames, BatchUseNameRefusesWhatItCannotBuild) {
  WCHAR buffer[MAX_PATH] = u"old";
  EXPECT_FALSE(MakeBatchUseFileName(buffer, u"", u"rsq", nullptr));
  EXPECT_EQ(buffer[0], 0);
  buffer[0] = u'x';
  EXPECT_FALSE(MakeBatchUseFileName(buffer, u"C:\\a.rsb", nullptr, nullptr));
  EXPECT_EQ(buffer[0], 0);

  // The result must leave room for the terminator in MAX_PATH characters.
  const std::u16string fits = u"C:\\" + std::u16string(MAX_PATH - 1 - 3 - 4, u'n') + u".rsb";
  ASSERT_EQ(fits.size(), MAX_PATH - 1);
  EXPECT_TRUE(MakeBatchUseFileName(buffer, fits.c_str(), u"rsq", nullptr));
  const std::u16string tooLong = u"C:\\" + std::u16string(MAX_PATH - 1 - 3 - 1, u'n') + u".r";
  EXPECT_FALSE(MakeBatchUseFileName(buffer, tooLong.c_str(), u"rsq", nullptr));
  EXPECT_EQ(buffer[0], 0);
}

}  // namespace
