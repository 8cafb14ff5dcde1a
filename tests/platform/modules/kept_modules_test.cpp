// A freed resource module may stay mapped for the next load, but never
// hides a change to its file, and a module with code is really unloaded.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"
#include "platform/modules/winresource.h"
#include "tests/platform/install_file.h"

namespace {

using kesm_test::InstallFile;
using kesm_test::ReadFile;

constexpr char16_t kDllPath[] = u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\kesmrscUS.dll";
constexpr char kDllRelative[] = "Windows/System32/spool/drivers/x64/3/kesmrscUS.dll";

// The text of string 101 in the module at kDllPath, loaded and freed again
// ("" when the module has no such string; "(no module)" when it does not
// load).
std::u16string String101() {
  HMODULE module = LoadLibraryW(kDllPath);
  if (module == nullptr) return u"(no module)";
  WCHAR text[64] = {};
  const int length = LoadStringW(module, 101, text, 64);
  EXPECT_TRUE(FreeLibrary(module));
  return std::u16string(text, static_cast<std::size_t>(length));
}

// Ways a file changes behind the stand-in's back.
void CopyInPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::ofstream(to, std::ios::binary | std::ios::trunc) << ReadFile(from);
}
void RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  const std::filesystem::path temporary = to.string() + ".new";
  std::filesystem::copy_file(from, temporary);
  std::filesystem::rename(temporary, to);
}
void RemoveFile(const std::filesystem::path&, const std::filesystem::path& to) { std::filesystem::remove(to); }

struct ChangeCase {
  const char* name;
  void (*change)(const std::filesystem::path& from, const std::filesystem::path& to);
  const char* replacement;  // null: the file is removed
  std::u16string expected;
};

TEST(KeptModules, AFreedResourceModuleNeverHidesAChangeToItsFile) {
  const ChangeCase cases[] = {
      {"rewritten in place", CopyInPlace, KESM_TEST_DIALOGS, u""},
      {"renamed over", RenameOver, KESM_TEST_DIALOGS, u""},
      {"removed", RemoveFile, nullptr, u"(no module)"},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    plat::ScopedMachine machine;
    const std::filesystem::path installed = InstallFile(KESM_TEST_STRINGS, kDllRelative);
    ASSERT_EQ(String101(), u"Paper size");
    ASSERT_EQ(String101(), u"Paper size");  // loaded again while unchanged
    c.change(c.replacement != nullptr ? c.replacement : "", installed);
    EXPECT_EQ(String101(), c.expected);
    // And back: the strings module again, in place.
    if (c.replacement != nullptr) {
      CopyInPlace(KESM_TEST_STRINGS, installed);
      EXPECT_EQ(String101(), u"Paper size");
    }
  }
}

// Whether the process maps the host file.
bool Mapped(const std::filesystem::path& host) {
  std::ifstream maps("/proc/self/maps");
  const std::string canonical = std::filesystem::canonical(host).string();
  for (std::string line; std::getline(maps, line);) {
    if (line.size() >= canonical.size() && line.compare(line.size() - canonical.size(), canonical.size(), canonical) == 0) {
      return true;
    }
  }
  return false;
}

TEST(KeptModules, AModuleWithFunctionsIsUnmappedWhenFreed) {
  plat::ScopedMachine machine;
  const std::filesystem::path installed = InstallFile(KESM_TEST_MODULE, "Windows/System32/TALJC32.DLL");
  HMODULE module = LoadLibraryW(u"TALJC32.DLL");
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(Mapped(installed));
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_FALSE(Mapped(installed));
}

}  // namespace
