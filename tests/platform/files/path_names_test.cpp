// The spellings of a path: GetFullPathNameW from the text alone, and
// GetLongPathNameW from what is on the drive (short names, case, "." and
// "..").
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/text/utf.h"
#include "tests/platform/drive_files.h"

namespace {

std::string Narrow(std::u16string_view text) { return plat::utf::ToUtf8(text); }

std::u16string Full(LPCWSTR path) {
  std::array<WCHAR, MAX_PATH> buffer{};
  const DWORD n = GetFullPathNameW(path, MAX_PATH, buffer.data(), nullptr);
  return n == 0 || n >= MAX_PATH ? u"<fails>" : std::u16string(buffer.data(), n);
}

std::u16string Long(LPCWSTR path) {
  std::array<WCHAR, MAX_PATH> buffer{};
  const DWORD n = GetLongPathNameW(path, buffer.data(), MAX_PATH);
  return n == 0 || n >= MAX_PATH ? u"<fails>" : std::u16string(buffer.data(), n);
}

TEST(PathNames, TheFullPathComesFromTheTextAlone) {
  plat::ScopedMachine machine;
  struct Case {
    const char16_t* path;
    const char16_t* full;
  } cases[] = {
      {u"c:\\Sets\\..\\Other\\.\\new.rst", u"C:\\Other\\new.rst"},  // nothing of it exists
      {u"\\Sets/a.rst", u"C:\\Sets\\a.rst"},
      {u"a.rst", u"C:\\Windows\\System32\\a.rst"},  // the current directory
      {u"C:..\\x", u"C:\\Windows\\x"},
      {u"C:\\..\\..", u"C:\\"},
      {u"C:\\Sets\\", u"C:\\Sets\\"},
      {u"C:\\Sets\\name. . ", u"C:\\Sets\\name"},
  };
  for (const Case& c : cases) EXPECT_EQ(Narrow(Full(c.path)), Narrow(c.full)) << Narrow(c.path);

  EXPECT_EQ(Full(u"D:\\a"), u"<fails>");
  EXPECT_EQ(Full(u"C:\\a|b"), u"<fails>");
  EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
}

TEST(PathNames, ABufferTooSmallIsToldTheSizeAndTheFilePartPointsAtTheName) {
  plat::ScopedMachine machine;
  std::array<WCHAR, 8> small{u'x'};
  EXPECT_EQ(GetFullPathNameW(u"C:\\Sets\\a.rst", static_cast<DWORD>(small.size()), small.data(), nullptr), 14u);
  EXPECT_EQ(small[0], u'x') << "left as it was";
  std::array<WCHAR, MAX_PATH> buffer{};
  LPWSTR name = nullptr;
  ASSERT_EQ(GetFullPathNameW(u"C:\\Sets\\a.rst", MAX_PATH, buffer.data(), &name), 13u);
  EXPECT_EQ(name, buffer.data() + 8);
  GetFullPathNameW(u"C:\\Sets\\", MAX_PATH, buffer.data(), &name);
  EXPECT_EQ(name, nullptr);
}

TEST(PathNames, TheLongPathSpellsEveryComponentAsOnDisk) {
  plat::ScopedMachine machine;
  drive::Put("Kesm Data/My Settings/Team Default.rst", "x");
  struct Case {
    const char16_t* path;
    const char16_t* spelled;
  } cases[] = {
      {u"c:\\kesm data\\my settings\\team default.RST", u"C:\\Kesm Data\\My Settings\\Team Default.rst"},
      {u"C:\\KESMDA~1\\MYSETT~1\\TEAMDE~1.RST", u"C:\\Kesm Data\\My Settings\\Team Default.rst"},
      {u"C:\\Kesm Data\\.\\My Settings\\..\\My Settings\\Team Default.rst",
       u"C:\\Kesm Data\\My Settings\\Team Default.rst"},
      {u"C:\\kesm data\\", u"C:\\Kesm Data\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(Narrow(Long(c.path)), Narrow(c.spelled)) << Narrow(c.path);

  EXPECT_EQ(Long(u"C:\\Kesm Data\\missing.rst"), u"<fails>");
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Long(u"C:\\Missing\\a.rst"), u"<fails>");
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

}  // namespace
