#include "storage/files/file_copy.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/files/winfile.h"
#include "tests/storage/printer_setup.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::Get;
using storage_test::Put;

constexpr const char* kDriverFolder = "Windows/System32/spool/drivers/w32x86/3/";
constexpr const char* kSystemFolder = "Windows/System32/";

using storage_test::SetWriteTime;

class FileCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    storage_test::AddPrinters();
    printer_ = std::make_unique<storage_test::Printer>(storage_test::kLocalPrinter);
    context_->hPrinter = printer_->get();
    Put(std::string(kDriverFolder) + "kesmdrv.ini", "new");
    SetWriteTime(u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\kesmdrv.ini", 2000);
  }
  // Copies kesmdrv.ini into the system directory.
  BOOL CopyToSystem(DWORD mode) {
    return CopyFileToSystemDirFromDriverDir(u"kesmdrv.ini", nullptr, mode, context_.get());
  }
  std::string Target() { return Get(std::string(kSystemFolder) + "kesmdrv.ini"); }

  plat::ScopedMachine machine_;
  std::unique_ptr<storage_test::Printer> printer_;
  storage_test::Context context_;
};

TEST_F(FileCopy, CopyOnceKeepsAnExistingTarget) {
  EXPECT_TRUE(CopyToSystem(kCopyOnce));
  EXPECT_EQ(Target(), "new");
  Put(std::string(kSystemFolder) + "kesmdrv.ini", "user's");
  EXPECT_TRUE(CopyToSystem(kCopyOnce));
  EXPECT_EQ(Target(), "user's");
}

TEST_F(FileCopy, RefreshReplacesAnOlderTargetAndSkipsAnUpToDateOne) {
  Put(std::string(kSystemFolder) + "kesmdrv.ini", "old");
  ASSERT_TRUE(SetFileAttributesW(u"C:\\Windows\\System32\\kesmdrv.ini", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(CopyToSystem(kCopyRefresh));
  EXPECT_EQ(Target(), "new");
  EXPECT_EQ(GetFileAttributesW(u"C:\\Windows\\System32\\kesmdrv.ini"), FILE_ATTRIBUTE_ARCHIVE);
  // Now both have the same last-write time: nothing is copied.
  Put(std::string(kSystemFolder) + "kesmdrv.ini", "edited");
  SetWriteTime(u"C:\\Windows\\System32\\kesmdrv.ini", 2000);
  EXPECT_FALSE(CopyToSystem(kCopyRefresh));
  EXPECT_EQ(Target(), "edited");
}

// Another process holds the source (it cannot be read) or the target (it
// cannot be replaced) open: the copy fails and the old target stays.
TEST_F(FileCopy, AFailedRefreshKeepsTheOldTarget) {
  const WCHAR* holders[] = {u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\kesmdrv.ini",
                            u"C:\\Windows\\System32\\kesmdrv.ini"};
  for (const WCHAR* held : holders) {
    Put(std::string(kSystemFolder) + "kesmdrv.ini", "old");
    const int entries = storage_test::CountEntries("Windows/System32");
    HANDLE holder = CreateFileW(held, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CopyToSystem(kCopyRefresh));
    CloseHandle(holder);
    EXPECT_EQ(Target(), "old");
    EXPECT_EQ(storage_test::CountEntries("Windows/System32"), entries);  // no temporary left
  }
  EXPECT_TRUE(CopyToSystem(kCopyRefresh));
  EXPECT_EQ(Target(), "new");
}

TEST_F(FileCopy, MissingSourcesAndUnbuildablePathsGiveZero) {
  EXPECT_FALSE(CopyFileToSystemDirFromDriverDir(u"none.ini", nullptr, kCopyOnce, context_.get()));
  EXPECT_FALSE(
      CopyFileToSystemDirFromDriverDir(u"none.ini", nullptr, kCopyRefresh, context_.get()));
  EXPECT_FALSE(CopyFileToSystemDirFromDriverDir(u"kesmdrv.ini", nullptr, kCopyOnce, nullptr));
  EXPECT_FALSE(CopyFileToSystemDirFromDriverDir(nullptr, nullptr, kCopyOnce, context_.get()));
  EXPECT_FALSE(CopyFileToOrderDirFromOrderDir(u"kesm\\a.ini", u"C:\\a.ini", kCopyOnce));
  EXPECT_FALSE(CopyFileToOrderDirFromOrderDir(u"C:\\a.ini", u"a.ini", kCopyOnce));
}

TEST_F(FileCopy, OrderDirectoryTargetsTakeTheirNameOrTheGivenSource) {
  Put(std::string(kDriverFolder) + "template.rsr", "template");
  Put("kesm/.keep", "");
  EXPECT_TRUE(CopyFileToOrderDirFromDriverDir(u"C:\\kesm\\kesmdrv.ini", nullptr, kCopyOnce,
                                              context_.get()));
  EXPECT_EQ(Get("kesm/kesmdrv.ini"), "new");
  EXPECT_TRUE(CopyFileToOrderDirFromDriverDir(u"C:\\kesm\\user.rsr", u"template.rsr", kCopyOnce,
                                              context_.get()));
  EXPECT_EQ(Get("kesm/user.rsr"), "template");
  // A relative path goes to the system directory.
  EXPECT_TRUE(CopyFileToOrderDirFromDriverDir(u"kesmdrv.ini", nullptr, kCopyOnce, context_.get()));
  EXPECT_EQ(Target(), "new");
}

TEST_F(FileCopy, CopyingAFileOntoItselfIsDoneAlready) {
  EXPECT_TRUE(CopyFileToOrderDirFromOrderDir(u"C:\\KESM\\A.INI", u"c:\\kesm\\a.ini", kCopyRefresh));
  Put("kesm/b.ini", "b");
  EXPECT_TRUE(CopyFileToOrderDirFromOrderDir(u"C:\\kesm\\c.ini", u"C:\\kesm\\b.ini", kCopyRefresh));
  EXPECT_EQ(Get("kesm/c.ini"), "b");
}

}  // namespace
