#include <gtest/gtest.h>

#include <string>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "settings/context/drv_last_error.h"
#include "storage/ini/ini_script.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::Get;
using storage_test::Put;

TEST(IniScriptWrite, SectionAndKeysAppendLines) {
  char buffer[64] = {};
  DWORD position = 0;
  EXPECT_TRUE(WriteScriptSection(&position, u"Office ,2F,", buffer, sizeof buffer));
  EXPECT_TRUE(WriteScriptString(&position, u"dmPaperSize", u"9", buffer, sizeof buffer));
  EXPECT_TRUE(WriteScriptString(&position, u"kdmTitle", u"", buffer, sizeof buffer));
  EXPECT_TRUE(WriteScriptSection(&position, u"", buffer, sizeof buffer));       // nothing
  EXPECT_TRUE(WriteScriptString(&position, u"", u"x", buffer, sizeof buffer));  // nothing
  EXPECT_EQ(std::string(buffer), "[Office ,2F,]\r\ndmPaperSize=9\r\nkdmTitle=\r\n");
  EXPECT_EQ(position, 41u);
}

TEST(IniScriptWrite, WritesStayInsideTheBuffer) {
  // "k=v\r\n" is 5 bytes and needs a sixth for the terminator.
  for (DWORD size : {5u, 6u}) {
    std::string buffer(size + 2, '#');
    DWORD position = 0;
    const BOOL written = WriteScriptString(&position, u"k", u"v", buffer.data(), size);
    EXPECT_EQ(written, size == 6 ? TRUE : FALSE);
    EXPECT_EQ(position, size == 6 ? 5u : 0u);
    EXPECT_EQ(buffer.substr(size), "##");  // nothing past the end
    if (size == 5) {
      EXPECT_EQ(buffer, std::string(7, '#'));
    }
  }
  char buffer[8] = {};
  DWORD position = 8;  // already full
  EXPECT_FALSE(WriteScriptSection(&position, u"S", buffer, sizeof buffer));
  EXPECT_EQ(position, 8u);
}

TEST(IniScriptWrite, TextThatWouldBreakTheLinesIsRefused) {
  struct Case {
    const WCHAR* section;
    const WCHAR* key;
    const WCHAR* value;
  };
  const Case cases[] = {
      {u"a]b", nullptr, nullptr}, {u"a\r\nb", nullptr, nullptr}, {nullptr, u"a=b", u"1"},
      {nullptr, u"[k", u"1"},     {nullptr, u"k\n", u"1"},       {nullptr, u"k", u"1\r\n[x]"},
      {nullptr, u"k", nullptr},
  };
  for (const Case& c : cases) {
    char buffer[32] = {};
    DWORD position = 0;
    const BOOL written = c.section != nullptr
                             ? WriteScriptSection(&position, c.section, buffer, sizeof buffer)
                             : WriteScriptString(&position, c.key, c.value, buffer, sizeof buffer);
    EXPECT_FALSE(written);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(buffer[0], '\0');
  }
  const std::u16string longName(522, u'n');
  char big[1024] = {};
  DWORD position = 0;
  EXPECT_FALSE(WriteScriptSection(&position, longName.c_str(), big, sizeof big));
  EXPECT_TRUE(WriteScriptSection(&position, longName.substr(1).c_str(), big, sizeof big));
}

class IniScriptFile : public ::testing::Test {
 protected:
  // Splices a script for [Office] into C:\kesm\set.rst and returns the file.
  BOOL Splice(const std::string& script) {
    return UpdateSetFile(context_.get(), u"C:\\kesm\\set.rst", u"Office", script.data(),
                         static_cast<DWORD>(script.size()));
  }
  plat::ScopedMachine machine_;
  storage_test::Context context_;
};

TEST_F(IniScriptFile, TheWrittenSectionGoesFirstAndTheOthersKeepTheirOrder) {
  struct Case {
    const char* old;  // null: no file
    const char* expected;
  };
  const std::string script = "[Office]\r\nnew=1\r\n";
  const Case cases[] = {
      {nullptr, "[Office]\r\nnew=1\r\n"},
      {"", "[Office]\r\nnew=1\r\n"},
      {"; top\r\n[First]\r\na=1\r\n[OFFICE]\r\nold=1\r\n[Last]\r\nz=26\r\n",
       "[Office]\r\nnew=1\r\n; top\r\n[First]\r\na=1\r\n[Last]\r\nz=26\r\n"},
      {"[First]\r\na=1\r\n[Office]\r\nold=1",  // the old section ends the file
       "[Office]\r\nnew=1\r\n[First]\r\na=1\r\n"},
      {"[First]\r\na=1\r\n", "[Office]\r\nnew=1\r\n[First]\r\na=1\r\n"},
      {"[ Office ]\r\nkept=1\r\n", "[Office]\r\nnew=1\r\n[ Office ]\r\nkept=1\r\n"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(storage_test::Host("kesm/set.rst"));
    if (c.old != nullptr) Put("kesm/set.rst", c.old);
    std::filesystem::create_directories(storage_test::Host("kesm"));
    EXPECT_TRUE(Splice(script));
    EXPECT_EQ(Get("kesm/set.rst"), c.expected);
    EXPECT_EQ(storage_test::CountEntries("kesm"), 1);  // no temporary file left
  }
}

TEST_F(IniScriptFile, BytesAfterAZeroByteAreKept) {
  Put("kesm/set.rst", std::string("[A]\r\nx=\0y\r\n[Office]\r\nold=1\r\n", 27));
  EXPECT_TRUE(Splice("[Office]\r\n"));
  EXPECT_EQ(Get("kesm/set.rst"), std::string("[Office]\r\n[A]\r\nx=\0y\r\n", 21));
}

TEST_F(IniScriptFile, AFailureLeavesTheOldFileAndTellsWhy) {
  const std::string old = "[Office]\r\nold=1\r\n[Other]\r\nkeep=1\r\n";
  Put("kesm/set.rst", old);

  // Another process holds the file open without sharing: it cannot be read.
  HANDLE holder =
      CreateFileW(u"C:\\kesm\\set.rst", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Splice("[Office]\r\nnew=1\r\n"));
  EXPECT_EQ(DrvGetLastError(context_.get()), ERROR_SHARING_VIOLATION);
  CloseHandle(holder);
  EXPECT_EQ(Get("kesm/set.rst"), old);

  ASSERT_TRUE(SetFileAttributesW(u"C:\\kesm\\set.rst", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(Splice("[Office]\r\nnew=1\r\n"));
  EXPECT_EQ(DrvGetLastError(context_.get()), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Get("kesm/set.rst"), old);
  EXPECT_EQ(storage_test::CountEntries("kesm"), 1);

  EXPECT_FALSE(UpdateSetFile(context_.get(), u"C:\\missing\\set.rst", u"Office", "x", 1));
  EXPECT_EQ(DrvGetLastError(context_.get()), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(UpdateSetFile(context_.get(), u"kesm\\set.rst", u"Office", "x", 1));
  EXPECT_EQ(DrvGetLastError(context_.get()), ERROR_INVALID_PARAMETER);
}

TEST_F(IniScriptFile, TheFileKeepsItsAttributes) {
  Put("kesm/set.rst", "[Office]\r\n");
  ASSERT_TRUE(SetFileAttributesW(u"C:\\kesm\\set.rst", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(Splice("[Office]\r\nnew=1\r\n"));
  EXPECT_EQ(GetFileAttributesW(u"C:\\kesm\\set.rst"), FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(IniScriptFile, ImagesAreWholeFilesWithAZeroByteAfterThem) {
  Put("kesm/set.rst", "[Office]\r\na=1\r\n");
  LPSTR image = ReadIniOpen(u"C:\\kesm\\set.rst", 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(std::string(image), "[Office]\r\na=1\r\n");
  EXPECT_TRUE(ReadIniClose(image));

  image = IniOpen("C:\\KESM\\SET.RST");
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(ReadIniClose(image));

  Put("kesm/empty.rst", "");
  image = ReadIniOpen(u"C:\\kesm\\empty.rst", 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image[0], '\0');
  ReadIniClose(image);

  EXPECT_EQ(ReadIniOpen(u"kesm\\set.rst", 0), nullptr);  // relative
  EXPECT_EQ(ReadIniOpen(u"", 0), nullptr);
  EXPECT_EQ(ReadIniOpen(nullptr, 0), nullptr);
  EXPECT_EQ(ReadIniOpen(u"C:\\kesm\\none.rst", 0), nullptr);
}

}  // namespace
