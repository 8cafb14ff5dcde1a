#include "storage/files/file_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::Exists;
using storage_test::Put;

using storage_test::SetWriteTime;

class FileHelpers : public ::testing::Test {
 protected:
  plat::ScopedMachine machine_;
};

TEST_F(FileHelpers, ExistenceIsAboutFilesOnly) {
  Put("kesm/a.ini", "x");
  EXPECT_TRUE(_IsFileExist(u"C:\\kesm\\a.ini"));
  EXPECT_TRUE(_IsFileExist(u"c:\\KESM\\A.INI"));
  EXPECT_FALSE(_IsFileExist(u"C:\\kesm"));
  EXPECT_FALSE(_IsFileExist(u"C:\\kesm\\b.ini"));
  EXPECT_FALSE(_IsFileExist(nullptr));
  // A file another process holds open without sharing still exists.
  HANDLE holder =
      CreateFileW(u"C:\\kesm\\a.ini", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(_IsFileExist(u"C:\\kesm\\a.ini"));
  CloseHandle(holder);
}

TEST_F(FileHelpers, DeletingResetsTheAttributesFirst) {
  Put("kesm/ro.ini", "x");
  ASSERT_TRUE(
      SetFileAttributesW(u"C:\\kesm\\ro.ini", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(_DeleteFile(u"C:\\kesm\\ro.ini"));
  EXPECT_FALSE(Exists("kesm/ro.ini"));
  EXPECT_FALSE(_DeleteFile(u"C:\\kesm\\ro.ini"));
  EXPECT_FALSE(_DeleteFile(nullptr));
}

TEST_F(FileHelpers, ADeleteThatIsRefusedIsReportedAsAFailure) {
  Put("kesm/held.ini", "x");
  HANDLE holder =
      CreateFileW(u"C:\\kesm\\held.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(_DeleteFile(u"C:\\kesm\\held.ini"));
  EXPECT_TRUE(Exists("kesm/held.ini"));
  CloseHandle(holder);
}

TEST_F(FileHelpers, PatternDeletesMatchingFilesOfItsFolder) {
  Put("kesm/a.tmp", "1");
  Put("kesm/b.TMP", "2");
  Put("kesm/c.ini", "3");
  Put("kesm/d.tmp/inner.ini", "4");  // a folder that matches
  ASSERT_TRUE(SetFileAttributesW(u"C:\\kesm\\b.TMP", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(_DeleteFileEx(u"C:\\kesm\\*.tmp"));
  EXPECT_FALSE(Exists("kesm/a.tmp"));
  EXPECT_FALSE(Exists("kesm/b.TMP"));
  EXPECT_TRUE(Exists("kesm/c.ini"));
  EXPECT_TRUE(Exists("kesm/d.tmp/inner.ini"));
  EXPECT_FALSE(_DeleteFileEx(u"C:\\kesm\\*.tmp"));  // nothing left to reset
  EXPECT_FALSE(_DeleteFileEx(u"*.ini"));            // no folder in the pattern
  EXPECT_FALSE(_DeleteFileEx(nullptr));
}

TEST_F(FileHelpers, CopyLeavesANormalArchivedTarget) {
  Put("drv/a.ini", "data");
  ASSERT_TRUE(SetFileAttributesW(u"C:\\drv\\a.ini", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(_CopyFile(u"C:\\drv\\a.ini", u"C:\\drv\\b.ini", TRUE));
  EXPECT_EQ(GetFileAttributesW(u"C:\\drv\\b.ini"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(storage_test::Get("drv/b.ini"), "data");
  EXPECT_FALSE(_CopyFile(u"C:\\drv\\a.ini", u"C:\\drv\\b.ini", TRUE));
  EXPECT_FALSE(_CopyFile(u"C:\\drv\\none.ini", u"C:\\drv\\c.ini", FALSE));
}

TEST_F(FileHelpers, ReadOnlyIsClearedAndTheRestKept) {
  Put("kesm/a.ini", "x");
  ASSERT_TRUE(
      SetFileAttributesW(u"C:\\kesm\\a.ini", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(_SetFileAttrRW(u"C:\\kesm\\a.ini"));
  EXPECT_EQ(GetFileAttributesW(u"C:\\kesm\\a.ini"), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(_SetFileAttrRW(u"C:\\kesm\\a.ini"));  // nothing to clear
  EXPECT_FALSE(_SetFileAttrRW(u"C:\\kesm\\none.ini"));
}

TEST_F(FileHelpers, TimeStampsCompareBothHalves) {
  Put("kesm/a.ini", "a");
  Put("kesm/b.ini", "b");
  SetWriteTime(u"C:\\kesm\\a.ini", 1000);
  SetWriteTime(u"C:\\kesm\\b.ini", 1000);
  EXPECT_TRUE(_IsFileSameTimeStamp(u"C:\\kesm\\a.ini", u"C:\\kesm\\b.ini"));
  SetWriteTime(u"C:\\kesm\\b.ini", 1001);
  EXPECT_FALSE(_IsFileSameTimeStamp(u"C:\\kesm\\a.ini", u"C:\\kesm\\b.ini"));
  EXPECT_FALSE(_IsFileSameTimeStamp(u"C:\\kesm\\a.ini", u"C:\\kesm\\none.ini"));
}

TEST_F(FileHelpers, CreatingAFolderTwiceSucceedsButAFileIsNoFolder) {
  EXPECT_TRUE(_CreateDirectory(u"C:\\kesm"));
  EXPECT_TRUE(_CreateDirectory(u"C:\\kesm"));
  EXPECT_TRUE(std::filesystem::is_directory(storage_test::Host("kesm")));
  Put("kesm/file", "x");
  EXPECT_FALSE(_CreateDirectory(u"C:\\kesm\\file"));
  EXPECT_FALSE(_CreateDirectory(u"C:\\missing\\sub"));
  EXPECT_FALSE(_CreateDirectory(nullptr));
}

TEST_F(FileHelpers, ClassicReadAndWrite) {
  Put("kesm/a.bin", "");
  HFILE file = _lopen("C:\\kesm\\a.bin", OF_READWRITE);
  ASSERT_NE(file, HFILE_ERROR);
  EXPECT_EQ(_lwriteEx(file, "abc", 3), 3u);
  _lclose(file);
  file = _lopen("C:\\kesm\\a.bin", OF_READ);
  char buffer[4] = {};
  EXPECT_EQ(_lreadEx(file, buffer, 3), 3u);
  EXPECT_EQ(std::string(buffer), "abc");
  _lclose(file);
}

}  // namespace
