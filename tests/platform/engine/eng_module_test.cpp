#include "platform/engine/eng_module.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/install_file.h"
#include "platform/base/machine.h"

namespace {

using kesm_test::InstallFile;
using kesm_test::ReadFile;
using kesm_test::WriteFile;

const std::string kIni = "[Printer]\r\nPrnMethod=12345\r\n";

// The engine takes paths in writable buffers.
struct Path {
  explicit Path(std::u16string text) : text(std::move(text)) {}
  LPWSTR get() { return text.data(); }
  std::u16string text;
};

std::string View(HANDLE module) {
  ULONG size = 0;
  auto view = static_cast<const char*>(EngMapModule(module, &size));
  return view != nullptr ? std::string(view, size) : std::string();
}

TEST(EngModules, MapsAWholeFileByAnySpellingOfItsPath) {
  plat::ScopedMachine machine;
  WriteFile("Windows/System32/spool/drivers/x64/3/kesmusr.ini", kIni);
  for (const char16_t* spelling :
       {u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\kesmusr.ini",
        u"c:\\WINDOWS\\system32\\SPOOL\\DRIVERS\\X64\\3\\KESMUSR.INI",
        u"\\??\\C:\\Windows\\System32\\spool\\drivers\\x64\\3\\kesmusr.ini"}) {
    Path path(spelling);
    HANDLE module = EngLoadModule(path.get());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(View(module), kIni);
    EngFreeModule(module);
  }
}

TEST(EngModules, MissingAndEmptyFilesGiveNoModule) {
  plat::ScopedMachine machine;
  WriteFile("empty.ini", "");
  Path missing(u"C:\\missing.ini");
  Path empty(u"C:\\empty.ini");
  Path folder(u"C:\\Windows");
  EXPECT_EQ(EngLoadModule(missing.get()), nullptr);
  EXPECT_EQ(EngLoadModule(empty.get()), nullptr);
  EXPECT_EQ(EngLoadModule(folder.get()), nullptr);
  EXPECT_EQ(EngLoadModuleForWrite(missing.get(), 16), nullptr);
  EXPECT_EQ(EngLoadModuleForWrite(empty.get(), 0), nullptr);
}

// A write into a read-only module's view stays in memory; a write through a
// module loaded for writing reaches the file.
TEST(EngModules, OnlyAWritableMappingWritesBack) {
  plat::ScopedMachine machine;
  auto file = WriteFile("kesmusr.ini", kIni);
  Path path(u"C:\\KESMUSR.INI");
  const std::size_t value = kIni.find("12345");

  HANDLE reader = EngLoadModule(path.get());
  ASSERT_NE(reader, nullptr);
  std::memcpy(static_cast<char*>(EngMapModule(reader, nullptr)) + value, "9    ", 5);
  EngFreeModule(reader);
  EXPECT_EQ(ReadFile(file), kIni);

  HANDLE writer = EngLoadModuleForWrite(path.get(), 0);
  ASSERT_NE(writer, nullptr);
  std::memcpy(static_cast<char*>(EngMapModule(writer, nullptr)) + value, "9    ", 5);
  EngFreeModule(writer);
  EXPECT_EQ(ReadFile(file), "[Printer]\r\nPrnMethod=9    \r\n");
  EXPECT_EQ(EngMapModule(writer, nullptr), nullptr);
}

TEST(EngModules, LoadingForWriteExtendsAShortFileWithZeros) {
  plat::ScopedMachine machine;
  auto file = WriteFile("grow.bin", "abc");
  Path path(u"C:\\grow.bin");
  HANDLE module = EngLoadModuleForWrite(path.get(), 8);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(View(module), std::string("abc\0\0\0\0\0", 8));
  EngFreeModule(module);
  EXPECT_EQ(ReadFile(file), std::string("abc\0\0\0\0\0", 8));
}

// The resources of tests/data/resources/testmodule.krc, read from the module
// file mapped as data, as the driver reads its own image.
// A module loaded for reading is the file as it was read: another process
// that truncates or rewrites the file meanwhile changes nothing in it (a
// view mapped from the file would fault at the next read).
TEST(EngModules, AModuleLoadedForReadingOutlivesATruncationOfItsFile) {
  plat::ScopedMachine machine;
  std::string content(256 * 1024, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>('a' + i % 26);
  const std::filesystem::path file = WriteFile("Windows/System32/spool/drivers/w32x86/3/KESM.KPD", content);
  Path path(u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\KESM.KPD");
  HANDLE module = EngLoadModule(path.get());
  ASSERT_NE(module, nullptr);
  std::filesystem::resize_file(file, 0);
  WriteFile("Windows/System32/spool/drivers/w32x86/3/KESM.KPD", "*short");
  EXPECT_EQ(View(module), content);
  EngFreeModule(module);
}

// The copy of a file is kept while the file is unchanged; a file changed in
// place since (same size, times set back) is copied again.
TEST(EngModules, AFileChangedInPlaceIsLoadedAgainAsItIsNow) {
  plat::ScopedMachine machine;
  const std::filesystem::path file = WriteFile("data.ini", "[A]\r\nKey=1\r\n");
  const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(file, past);
  Path path(u"C:\\data.ini");
  for (const char* content : {"[A]\r\nKey=1\r\n", "[A]\r\nKey=1\r\n", "[B]\r\nKey=2\r\n", "[B]\r\nKey=2\r\n"}) {
    if (ReadFile(file) != content) {
      std::fstream(file, std::ios::binary | std::ios::in | std::ios::out) << content;
      std::filesystem::last_write_time(file, past);
    }
    HANDLE module = EngLoadModule(path.get());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(View(module), content);
    EngFreeModule(module);
  }
}

TEST(EngModules, FindResourceReadsAMappedImage) {
  plat::ScopedMachine machine;
  InstallFile(KESM_TEST_MODULE, "Windows/System32/spool/drivers/x64/3/kesmgr.dll");
  WriteFile("Windows/System32/spool/drivers/x64/3/kesm.kpd", kIni);
  Path image(u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\KESMGR.DLL");
  Path data(u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\kesm.kpd");
  HANDLE module = EngLoadModule(image.get());
  ASSERT_NE(module, nullptr);

  struct Case {
    int name;
    int type;
    const char* fixture;
  };
  for (const Case& c : {Case{1, 258, "metrics1.bin"}, Case{2, 258, "metrics2.bin"},
                        Case{3, 260, "glyphset3.bin"}}) {
    std::string expected = ReadFile(std::string(KESM_TEST_DATA) + "/resources/" + c.fixture);
    ULONG size = 0;
    auto found = static_cast<const char*>(EngFindResource(module, c.name, c.type, &size));
    ASSERT_NE(found, nullptr) << c.fixture;
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(found) % 8, 0u) << c.fixture;
    EXPECT_EQ(std::string(found, size), expected) << c.fixture;
  }
  ULONG size = 77;
  EXPECT_EQ(EngFindResource(module, 4, 258, &size), nullptr);
  EXPECT_EQ(EngFindResource(module, 1, 260, &size), nullptr);
  EXPECT_EQ(size, 77u);

  HANDLE notAnImage = EngLoadModule(data.get());
  ASSERT_NE(notAnImage, nullptr);
  EXPECT_EQ(EngFindResource(notAnImage, 1, 258, &size), nullptr);
  EngFreeModule(notAnImage);
  EngFreeModule(module);
  EXPECT_EQ(EngFindResource(module, 1, 258, &size), nullptr);
}

struct MulDivCase {
  INT a, b, c, result;
};

TEST(EngMulDiv, RoundsToNearestAndSaturates) {
  const MulDivCase cases[] = {
      {10, 10, 3, 33},
      {10, 10, 6, 17},                    // 16.67
      {5, 1, 2, 3},                       // halves away from zero
      {-5, 1, 2, -3},
      {5, 1, -2, -3},
      {-5, -1, 2, 3},
      {7, 1, 4, 2},                       // 1.75
      {0x7FFF, 0x7FFF, 0x7FFF, 0x7FFF},
      {100000, 100000, 100000, 100000},   // the product needs 64 bits
      {INT_MAX, 2, 1, INT_MAX},           // overflow
      {INT_MIN, 2, 1, INT_MIN},
      {INT_MIN, -1, 1, INT_MAX},
      {1, 1, 0, INT_MAX},                 // zero divisor
      {0, 1, 0, INT_MAX},
      {-1, 1, 0, INT_MIN},
  };
  for (const MulDivCase& c : cases) {
    EXPECT_EQ(EngMulDiv(c.a, c.b, c.c), c.result) << c.a << " * " << c.b << " / " << c.c;
  }
}

}  // namespace
