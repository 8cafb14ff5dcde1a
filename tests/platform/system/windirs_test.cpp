// The Windows and system directories are one fact of the machine: every
// service that names a folder of the system reads it from there.
#include <gtest/gtest.h>

#include <string>

#include "tests/platform/drive_files.h"
#include "tests/platform/install_file.h"
#include "platform/base/machine.h"
#include "platform/system/sysfacts_control.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/modules/winmodule.h"
#include "platform/files/winpath.h"
#include "platform/profile/winprofile.h"
#include "platform/spooler/winspool.h"
#include "platform/system/winsys.h"

namespace {

std::u16string WindowsDirectory() {
  WCHAR buffer[MAX_PATH];
  return std::u16string(buffer, GetWindowsDirectoryW(buffer, MAX_PATH));
}

// Paths off drive C: could not be mapped onto the machine's drive.
TEST(WindowsDirectories, OnlyFullPathsOnDriveCAreTaken) {
  plat::ScopedMachine machine;
  const struct {
    const WCHAR* windows;
    const WCHAR* system;
  } refused[] = {
      {u"D:\\WINNT", u"D:\\WINNT\\system32"},
      {u"C:\\WINNT", u"D:\\WINNT\\system32"},
      {u"\\\\server\\share", u"C:\\WINNT\\system32"},
      {u"WINNT", u"WINNT\\system32"},
      {u"C:", u"C:system32"},
      {u"C:\\WINNT", u"C:\\WIN<NT\\system32"},
  };
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    EXPECT_FALSE(plat::SetWindowsDirectories(refused[i].windows, refused[i].system)) << "case " << i;
  }
  EXPECT_EQ(WindowsDirectory(), u"C:\\Windows");
  EXPECT_FALSE(drive::Exists("WINNT"));
}

TEST(WindowsDirectories, ServicesFollowTheDirectoriesSet) {
  plat::ScopedMachine machine;
  ASSERT_TRUE(plat::SetWindowsDirectories(u"C:\\WINNT", u"C:\\WINNT\\system32"));
  EXPECT_EQ(WindowsDirectory(), u"C:\\WINNT");

  // A profile file named without a path lives in the Windows directory.
  ASSERT_TRUE(WritePrivateProfileStringW(u"s", u"k", u"v", u"kesm.ini"));
  EXPECT_EQ(drive::Get("WINNT/kesm.ini"), "[s]\r\nk=v\r\n");

  // Relative paths start in the current directory, the system directory.
  EXPECT_EQ(*plat::HostPathOf(u"rel.txt"), drive::Host("WINNT/system32/rel.txt"));

  WCHAR temp[MAX_PATH];
  ASSERT_EQ(GetTempPathW(MAX_PATH, temp), 14u);
  EXPECT_EQ(std::u16string(temp), u"C:\\WINNT\\Temp\\");
  EXPECT_TRUE(drive::Exists("WINNT/Temp"));

  // A bare module name is looked for in the system directory.
  kesm_test::InstallFile(KESM_TEST_MODULE, "WINNT/system32/TALJC32.DLL");
  HMODULE module = LoadLibraryW(u"taljc32");
  ASSERT_NE(module, nullptr);
  WCHAR path[MAX_PATH];
  EXPECT_EQ(std::u16string(path, GetModuleFileNameW(module, path, MAX_PATH)),
            u"C:\\WINNT\\system32\\TALJC32.DLL");
  EXPECT_TRUE(FreeLibrary(module));

  BYTE buffer[MAX_PATH * sizeof(WCHAR)];
  DWORD needed = 0;
  ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buffer, sizeof buffer, &needed));
  EXPECT_EQ(std::u16string(reinterpret_cast<WCHAR*>(buffer)),
            u"C:\\WINNT\\system32\\spool\\drivers\\w32x86");
}

}  // namespace
