#include "platform/modules/winresource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/platform/install_file.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"

namespace {

using kesm_test::InstallFile;
using kesm_test::ReadFile;

// The resource module of tests/data/resources/teststrings.krc, installed as a
// driver's resource DLL.
class StringModule : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallFile(KESM_TEST_STRINGS, "Windows/System32/spool/drivers/x64/3/kesmrscUS.dll");
    module_ = LoadLibraryW(u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\kesmrscUS.dll");
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { EXPECT_TRUE(FreeLibrary(module_)); }

  plat::ScopedMachine machine_;
  HMODULE module_ = nullptr;
};

struct LoadCase {
  UINT id;
  int size;
  int result;
  std::u16string text;
};

const std::u16string kEscapes = u"Tab\there, \"x\" and \"y\", \\ and \u263A\n";

TEST_F(StringModule, LoadStringCopiesAndCutsAtTheBuffer) {
  const LoadCase cases[] = {
      {101, 64, 10, u"Paper size"},
      {101, 11, 10, u"Paper size"},
      {101, 10, 9, u"Paper siz"},
      {101, 2, 1, u"P"},
      {101, 1, 0, u""},
      {0, 64, 4, u"zero"},
      {65535, 64, 4, u"last"},
      {0x10000 + 101, 64, 10, u"Paper size"},  // only the low 16 bits count
      {102, 64, 0, u""},
      {103, 64, 9, u"\u660E\u671D and \U0001D11E"},
      {103, 9, 8, u"\u660E\u671D and \xD834"},  // cut inside the surrogate pair
      {104, 64, static_cast<int>(kEscapes.size()), kEscapes},
  };
  for (const LoadCase& c : cases) {
    std::u16string buffer(80, u'#');
    EXPECT_EQ(LoadStringW(module_, c.id, buffer.data(), c.size), c.result) << c.id << "/" << c.size;
    EXPECT_EQ(std::u16string(buffer.c_str()), c.text) << c.id << "/" << c.size;
    EXPECT_EQ(buffer[c.size], u'#') << c.id << "/" << c.size;
  }
}

TEST_F(StringModule, AMissingStringLeavesTheBufferAlone) {
  WCHAR buffer[8] = u"keep";
  SetLastError(0);
  EXPECT_EQ(LoadStringW(module_, 100, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(std::u16string(buffer), u"keep");
  EXPECT_EQ(LoadStringW(module_, 101, nullptr, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(LoadStringW(module_, 101, buffer, -1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(StringModule, SizeZeroGivesAReadOnlyPointerAndTheLength) {
  const WCHAR* text = nullptr;
  EXPECT_EQ(LoadStringW(module_, 101, reinterpret_cast<LPWSTR>(&text), 0), 10);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string(text, 10), u"Paper size");
}

TEST_F(StringModule, StringsAreNotTypedResources) {
  EXPECT_EQ(FindResourceW(module_, MAKEINTRESOURCEW(7), RT_STRING), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
}

TEST(Resources, AModuleWithoutResourcesHasNoStrings) {
  plat::ScopedMachine machine;
  HMODULE userenv = LoadLibraryW(u"UserEnv.dll");
  ASSERT_NE(userenv, nullptr);
  WCHAR buffer[8] = u"keep";
  EXPECT_EQ(LoadStringW(userenv, 101, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
  EXPECT_EQ(std::u16string(buffer), u"keep");
  EXPECT_TRUE(FreeLibrary(userenv));
  EXPECT_EQ(LoadStringW(userenv, 101, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

struct TypedCase {
  LPCWSTR name;
  LPCWSTR type;
  const char* fixture;  // null: not found
  DWORD error;
};

// The typed resources of tests/data/resources/testmodule.krc.
TEST(Resources, FindResourceGivesTheDataOfTheScriptsFiles) {
  plat::ScopedMachine machine;
  InstallFile(KESM_TEST_MODULE, "Windows/System32/KESMGR.DLL");
  HMODULE module = LoadLibraryW(u"kesmgr.dll");
  ASSERT_NE(module, nullptr);
  const TypedCase cases[] = {
      {MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(258), "metrics1.bin", 0},
      {MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(258), "metrics2.bin", 0},
      {u"#3", u"#260", "glyphset3.bin", 0},
      {MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(258), nullptr, ERROR_RESOURCE_NAME_NOT_FOUND},
      {u"three", MAKEINTRESOURCEW(260), nullptr, ERROR_RESOURCE_NAME_NOT_FOUND},
      {MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(259), nullptr, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {MAKEINTRESOURCEW(1), RT_BITMAP, nullptr, ERROR_RESOURCE_TYPE_NOT_FOUND},
  };
  for (const TypedCase& c : cases) {
    SetLastError(0);
    HRSRC found = FindResourceW(module, c.name, c.type);
    if (c.fixture == nullptr) {
      EXPECT_EQ(found, nullptr);
      EXPECT_EQ(GetLastError(), c.error);
      continue;
    }
    ASSERT_NE(found, nullptr) << c.fixture;
    std::string expected = ReadFile(std::string(KESM_TEST_DATA) + "/resources/" + c.fixture);
    auto data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(data) % 8, 0u) << c.fixture;
    ASSERT_EQ(SizeofResource(module, found), expected.size()) << c.fixture;
    EXPECT_EQ(std::string(data, expected.size()), expected) << c.fixture;
  }
  // A resource handle of one module means nothing to another.
  HMODULE strings = LoadLibraryW(u"UserEnv.dll");
  HRSRC metrics = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(258));
  EXPECT_EQ(LoadResource(strings, metrics), nullptr);
  EXPECT_EQ(SizeofResource(strings, metrics), 0u);
  EXPECT_TRUE(FreeLibrary(strings));
  EXPECT_TRUE(FreeLibrary(module));
}

}  // namespace
