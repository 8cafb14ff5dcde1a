#include "storage/files/path_builders.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/system/sysfacts_control.h"
#include "tests/storage/printer_setup.h"
#include "tests/storage/storage_support.h"

namespace {

using Builder = std::function<LPWSTR(LPWSTR, DWORD, LPCWSTR)>;

class PathBuilders : public ::testing::Test {
 protected:
  void SetUp() override {
    storage_test::AddPrinters();
    printer_ = std::make_unique<storage_test::Printer>(storage_test::kLocalPrinter);
    context_->hPrinter = printer_->get();
  }
  plat::ScopedMachine machine_;
  std::unique_ptr<storage_test::Printer> printer_;
  storage_test::Context context_;
};

// Each builder succeeds when directory, separator, name and terminator fill
// the buffer exactly, and with one character less empties it and fails.
TEST_F(PathBuilders, ExactFitSucceedsAndOneCharacterLessFails) {
  storage_test::InChild([&] {
    struct Case {
      const char* builder;
      Builder build;
      std::u16string expected;
    };
    const Case cases[] = {
        {"system", AddSystemDirToFileName, u"C:\\Windows\\System32\\kesmdrv.ini"},
        {"windows", AddWindowsDirToFileName, u"C:\\Windows\\kesmdrv.ini"},
        {"shared",
         [&](LPWSTR b, DWORD s, LPCWSTR n) {
           return AddSystemDirToFileNameEx2(b, s, n, context_.get());
         },
         u"C:\\_kesm\\kesmdrv.ini"},
        {"profile", AddProfileDirToFileNameWithoutUCB, u"C:\\Users\\User\\_kesm\\kesmdrv.ini"},
        {"drivers",
         [&](LPWSTR b, DWORD s, LPCWSTR n) {
           return AddDriversDirToFileName(b, s, n, printer_->get());
         },
         plat::DriverFilesDirectory() + u"\\kesmdrv.ini"},
        {"relative",
         [](LPWSTR b, DWORD s, LPCWSTR) {
           return AddRelativeDirToFileName(b, s, u"..\\kesmdrv.ini");
         },
         u"C:\\Windows\\kesmdrv.ini"},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.builder);
      const DWORD exact = static_cast<DWORD>(c.expected.size() + 1);
      std::u16string buffer(exact + 8, u'#');
      EXPECT_EQ(c.build(buffer.data(), exact, u"kesmdrv.ini"), buffer.data());
      EXPECT_EQ(std::u16string(buffer.c_str()), c.expected);
      EXPECT_EQ(buffer[exact], u'#');
      EXPECT_EQ(c.build(buffer.data(), exact - 1, u"kesmdrv.ini"), nullptr);
      EXPECT_EQ(buffer[0], 0);
      EXPECT_EQ(buffer[exact - 1], u'\0');  // untouched past the size (the old terminator)
      buffer[0] = u'x';
      EXPECT_EQ(c.build(buffer.data(), 0, u"kesmdrv.ini"), nullptr);
      EXPECT_EQ(buffer[0], u'x');  // no room: nothing written
      EXPECT_EQ(c.build(nullptr, exact, u"kesmdrv.ini"), nullptr);
    }
  });
}

TEST_F(PathBuilders, ANullNameOrAMissingDirectoryEmptiesTheBuffer) {
  WCHAR buffer[MAX_PATH] = u"old";
  EXPECT_EQ(AddSystemDirToFileName(buffer, MAX_PATH, nullptr), nullptr);
  EXPECT_EQ(buffer[0], 0);
  buffer[0] = u'x';
  EXPECT_EQ(AddDriversDirToFileName(buffer, MAX_PATH, u"a.ini", nullptr), nullptr);  // no driver
  EXPECT_EQ(buffer[0], 0);
}

TEST_F(PathBuilders, ParentLevelsShortenTheSystemDirectory) {
  ASSERT_TRUE(plat::SetWindowsDirectories(u"C:\\WINDOWS", u"C:\\WINDOWS\\system32"));
  const std::pair<const WCHAR*, const char16_t*> cases[] = {
      {u"..\\a.ini", u"C:\\WINDOWS\\a.ini"},
      {u"..\\..\\a.ini", u"C:\\a.ini"},
      {u"..\\sub\\a.ini", u"C:\\WINDOWS\\sub\\a.ini"},
      {u"..\\..\\..\\a.ini", u""},  // more levels than the directory has
      {u"a.ini", u""},              // no level at all
      {u"..a.ini", u""},
  };
  for (const auto& [name, expected] : cases) {
    WCHAR buffer[MAX_PATH] = u"old";
    const LPWSTR result = AddRelativeDirToFileName(buffer, MAX_PATH, name);
    EXPECT_EQ(std::u16string(buffer), expected);
    EXPECT_EQ(result, expected[0] != 0 ? buffer : nullptr);
  }
}

TEST_F(PathBuilders, DriverUseNamesGoToTheSharedOrPerUserDirectory) {
  storage_test::InChild([&] {
    const std::pair<const WCHAR*, const char16_t*> cases[] = {
        {u"C:\\x\\user0001.rst", u"C:\\_kesm\\user0001.rsr"},
        {u"C:\\x.d\\office", u"C:\\_kesm\\office.rsr"},
        {u"office.tar.rst", u"C:\\_kesm\\office.tar.rsr"},
    };
    for (const auto& [file, expected] : cases) {
      WCHAR buffer[MAX_PATH];
      EXPECT_TRUE(MakeDriverUseFileName(buffer, file, MAX_PATH, context_.get()));
      EXPECT_EQ(std::u16string(buffer), expected);
    }
    WCHAR buffer[MAX_PATH] = u"old";
    EXPECT_FALSE(MakeDriverUseFileName(buffer, u"C:\\x\\user0001.rst", 21, context_.get()));
    EXPECT_EQ(buffer[0], 0);
    EXPECT_FALSE(MakeDriverUseFileName(buffer, nullptr, MAX_PATH, context_.get()));
  });
}

TEST_F(PathBuilders, TerminalServersKeepDriverUseFilesPerUserUnlessTheModeSaysShared) {
  ASSERT_TRUE(plat::SetTerminalServer(true));
  const auto build = [](DWORD mode) {
    return storage_test::InOtherProcess([mode] {
      storage_test::Context context;
      context.work->dwMode = mode;
      WCHAR buffer[MAX_PATH] = {};
      MakeDriverUseFileName(buffer, u"user0001.rst", MAX_PATH, context.get());
      return std::u16string(buffer);
    });
  };
  EXPECT_EQ(build(0), u"C:\\Users\\User\\_kesm\\user0001.rsr");
  EXPECT_EQ(build(0x40000), u"C:\\_kesm\\user0001.rsr");
}

}  // namespace
