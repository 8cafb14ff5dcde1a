#include "platform/modules/winmodule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/install_file.h"
#include "tests/platform/scoped_acp.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"

namespace {

using kesm_test::InstallFile;
using kesm_test::WriteFile;

using SumFn = int (*)(int, int);

std::u16string FileNameOf(HMODULE module) {
  WCHAR buffer[MAX_PATH];
  DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH);
  return std::u16string(buffer, length);
}

TEST(Modules, MissingModuleFailsWithModNotFound) {
  plat::ScopedMachine machine;
  for (LPCWSTR name : {u"NOSUCH.DLL", u"nosuch", u"C:\\Windows\\System32\\nosuch.dll",
                       u"sub\\nosuch.dll", u"D:\\nosuch.dll"}) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(name), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  }
  EXPECT_EQ(GetModuleHandleW(u"nosuch.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(u""), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(Modules, AFileThatIsNoSharedObjectFailsWithBadFormat) {
  plat::ScopedMachine machine;
  WriteFile("Windows/System32/BROKEN.DLL", "MZ this is not a module");
  EXPECT_EQ(LoadLibraryW(u"broken.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_BAD_EXE_FORMAT);
}

// Every spelling of the one installed module names the same module; each
// load counts a reference.
TEST(Modules, NamesMatchIgnoringCaseWithTheExtensionAdded) {
  plat::ScopedMachine machine;
  InstallFile(KESM_TEST_MODULE, "Windows/System32/TALJC32.DLL");
  HMODULE first = LoadLibraryW(u"TALJC32.DLL");
  ASSERT_NE(first, nullptr);
  const std::vector<LPCWSTR> spellings = {
      u"taljc32.dll", u"TalJc32", u"C:\\WINDOWS\\system32\\taljc32.DLL",
      u"c:/windows/SYSTEM32/TALJC32.dll", u"C:\\Windows\\Temp\\..\\System32\\.\\TALJC32.DLL"};
  for (std::size_t i = 0; i < spellings.size(); ++i) {
    EXPECT_EQ(LoadLibraryW(spellings[i]), first) << "spelling " << i;
  }
  EXPECT_EQ(GetModuleHandleW(u"taljc32"), first);
  EXPECT_EQ(GetModuleHandleW(u"c:\\windows\\system32\\taljc32.dll"), first);
  EXPECT_EQ(FileNameOf(first), u"C:\\Windows\\System32\\TALJC32.DLL");
  for (std::size_t i = 0; i <= spellings.size(); ++i) EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(GetModuleHandleW(u"taljc32.dll"), nullptr);
}

TEST(Modules, GetProcAddressFindsOnlyTheModulesOwnExports) {
  plat::ScopedMachine machine;
  InstallFile(KESM_TEST_MODULE, "Windows/System32/tv4manNT.dll");
  HMODULE module = LoadLibraryW(u"TV4MANNT.DLL");
  ASSERT_NE(module, nullptr);

  auto sum = reinterpret_cast<SumFn>(GetProcAddress(module, "KesmTestSum"));
  ASSERT_NE(sum, nullptr);
  EXPECT_EQ(sum(2, 40), 42);
  auto name = reinterpret_cast<const char*>(GetProcAddress(module, "KesmTestName"));
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name, "test module");

  // Export names keep their case; the C library's malloc, which the module
  // uses, is not one of its exports.
  for (const char* missing : {"kesmtestsum", "NoSuchExport", "malloc"}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, missing), nullptr) << missing;
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  }
  EXPECT_TRUE(FreeLibrary(module));
}

TEST(Modules, FreeLibraryCountsReferencesAndRefusesAFreedHandle) {
  plat::ScopedMachine machine;
  InstallFile(KESM_TEST_MODULE, "Windows/System32/TALJC32.DLL");
  HMODULE module = LoadLibraryW(u"TALJC32.DLL");
  ASSERT_EQ(LoadLibraryW(u"TALJC32.DLL"), module);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleW(u"TALJC32.DLL"), module);
  EXPECT_NE(GetProcAddress(module, "KesmTestSum"), nullptr);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleW(u"TALJC32.DLL"), nullptr);

  SetLastError(0);
  EXPECT_FALSE(FreeLibrary(module));
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(module, "KesmTestSum"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

// The ANSI name is read in the process code page; matching then ignores
// case beyond ASCII too.
TEST(Modules, AnsiNamesAreReadInTheAnsiCodePage) {
  plat::ScopedMachine machine;
  ScopedAnsiCodePage cp(1252);
  InstallFile(KESM_TEST_MODULE, "Windows/System32/compstui.dll");
  InstallFile(KESM_TEST_MODULE, "Windows/System32/Caf\u00e9.dll");
  HMODULE compstui = LoadLibraryA("COMPSTUI.DLL");
  ASSERT_NE(compstui, nullptr);
  EXPECT_EQ(GetModuleHandleW(u"compstui.dll"), compstui);
  HMODULE cafe = LoadLibraryA("CAF\xC9");
  ASSERT_NE(cafe, nullptr);
  EXPECT_EQ(FileNameOf(cafe), u"C:\\Windows\\System32\\Caf\u00e9.dll");
  EXPECT_NE(cafe, compstui);
  EXPECT_TRUE(FreeLibrary(cafe));
  EXPECT_TRUE(FreeLibrary(compstui));
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// The system folder is searched before the Windows folder; a module only in
// the Windows folder is still found.
TEST(Modules, BareNamesFollowTheSearchOrder) {
  plat::ScopedMachine machine;
  InstallFile(KESM_TEST_STRINGS, "Windows/System32/ORDER.DLL");
  InstallFile(KESM_TEST_MODULE, "Windows/ORDER.DLL");
  InstallFile(KESM_TEST_MODULE, "Windows/ONLYHERE.DLL");

  HMODULE order = LoadLibraryW(u"order.dll");
  ASSERT_NE(order, nullptr);
  EXPECT_EQ(FileNameOf(order), u"C:\\Windows\\System32\\ORDER.DLL");
  EXPECT_EQ(GetProcAddress(order, "KesmTestSum"), nullptr);

  HMODULE only = LoadLibraryW(u"onlyhere.dll");
  ASSERT_NE(only, nullptr);
  EXPECT_EQ(FileNameOf(only), u"C:\\Windows\\ONLYHERE.DLL");
  EXPECT_TRUE(FreeLibrary(order));
  EXPECT_TRUE(FreeLibrary(only));
}

// A module already loaded from a full path answers to its bare name, even
// from a folder that is not searched.
TEST(Modules, ALoadedModuleAnswersToItsBareName) {
  plat::ScopedMachine machine;
  InstallFile(KESM_TEST_MODULE, "Windows/System32/spool/drivers/x64/3/kesmrscUS.dll");
  HMODULE byPath = LoadLibraryW(u"C:\\WINDOWS\\System32\\spool\\DRIVERS\\x64\\3\\KESMRSCUS.DLL");
  ASSERT_NE(byPath, nullptr);
  EXPECT_EQ(LoadLibraryW(u"kesmrscus.dll"), byPath);
  EXPECT_TRUE(FreeLibrary(byPath));
  EXPECT_TRUE(FreeLibrary(byPath));
}

struct FileNameCase {
  DWORD size;
  DWORD result;
  std::u16string text;
  DWORD error;
};

TEST(Modules, GetModuleFileNameTruncatesAtTheBuffer) {
  plat::ScopedMachine machine;
  InstallFile(KESM_TEST_MODULE, "Windows/System32/AB.DLL");
  HMODULE module = LoadLibraryW(u"ab.dll");
  ASSERT_NE(module, nullptr);
  const std::u16string path = u"C:\\Windows\\System32\\AB.DLL";  // 26 characters
  const FileNameCase cases[] = {
      {100, 26, path, 0},
      {27, 26, path, 0},
      {26, 26, path.substr(0, 25), ERROR_INSUFFICIENT_BUFFER},
      {3, 3, u"C:", ERROR_INSUFFICIENT_BUFFER},
      {1, 1, u"", ERROR_INSUFFICIENT_BUFFER},
  };
  for (const FileNameCase& c : cases) {
    std::u16string buffer(120, u'#');
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(module, buffer.data(), c.size), c.result) << c.size;
    EXPECT_EQ(std::u16string(buffer.c_str()), c.text) << c.size;
    EXPECT_EQ(buffer[c.size], u'#') << c.size;
    EXPECT_EQ(GetLastError(), c.error) << c.size;
  }
  WCHAR untouched = u'#';
  EXPECT_EQ(GetModuleFileNameW(module, &untouched, 0), 0u);
  EXPECT_EQ(untouched, u'#');
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_TRUE(FreeLibrary(module));
}

int WINAPI Twice(int value) { return 2 * value; }

TEST(Modules, BuiltinModulesLoadByNameAndGiveTheirExports) {
  plat::ScopedMachine machine;
  static const plat::BuiltinExport exports[] = {
      {"Twice", reinterpret_cast<FARPROC>(&Twice)},
  };
  EXPECT_FALSE(plat::RegisterBuiltinModule(u"", exports));
  EXPECT_FALSE(plat::RegisterBuiltinModule(u"sub\\Fake.dll", exports));
  ASSERT_TRUE(plat::RegisterBuiltinModule(u"KesmFake", exports));

  HMODULE fake = LoadLibraryW(u"kesmfake.dll");
  ASSERT_NE(fake, nullptr);
  EXPECT_EQ(LoadLibraryW(u"C:\\Windows\\System32\\KESMFAKE.DLL"), fake);
  auto twice = reinterpret_cast<int (*)(int)>(GetProcAddress(fake, "Twice"));
  ASSERT_NE(twice, nullptr);
  EXPECT_EQ(twice(21), 42);
  EXPECT_EQ(GetProcAddress(fake, "Thrice"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(FileNameOf(fake), u"C:\\Windows\\System32\\KesmFake.DLL");
  // A built-in module lives only in the system folder.
  EXPECT_EQ(LoadLibraryW(u"C:\\Windows\\KesmFake.dll"), nullptr);
  EXPECT_TRUE(FreeLibrary(fake));
  EXPECT_TRUE(FreeLibrary(fake));
  EXPECT_EQ(GetModuleHandleW(u"KesmFake.dll"), nullptr);
}

TEST(Modules, TheProcessImageNeedsNoLoad) {
  plat::ScopedMachine machine;
  HMODULE image = GetModuleHandleW(nullptr);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(GetModuleHandleW(nullptr), image);
  EXPECT_TRUE(FileNameOf(nullptr).starts_with(u"C:\\Windows\\System32\\"));
  EXPECT_EQ(GetProcAddress(nullptr, "NoSuchExportAnywhere"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
}

}  // namespace
