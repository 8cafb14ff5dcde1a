// A file that a mapping of any process holds cannot be emptied by an open
// that truncates it (ERROR_USER_MAPPED_FILE), so that no view ever reaches
// past the end of its file; once the views and the mapping are gone it can.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/winerror.h"
#include "platform/engine/eng_module.h"
#include "platform/files/winfile.h"
#include "tests/platform/child_process.h"
#include "tests/platform/drive_files.h"
#include "tests/platform/scoped_handle.h"

namespace {

constexpr const char16_t* kFile = u"C:\\Windows\\model.bcs";
constexpr const char* kHost = "Windows/model.bcs";

// The error of an open with the disposition that empties the file; 0 when
// it opened.
DWORD TruncatingOpenError(DWORD disposition) {
  HANDLE file = CreateFileW(kFile, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return 0;
}

TEST(MappedFile, CannotBeEmptiedWhileAMappingOfAnyProcessHoldsIt) {
  plat::ScopedMachine machine;
  const std::string content(100000, 'c');
  drive::Put(kHost, content);
  ScopedHandle file(CreateFileW(kFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ScopedHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  ASSERT_NE(mapping.get(), nullptr);
  auto* view = static_cast<const char*>(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  mapping.Close();
  file.Close();
  for (DWORD disposition : {DWORD{CREATE_ALWAYS}, DWORD{TRUNCATE_EXISTING}}) {
    EXPECT_EQ(TruncatingOpenError(disposition), DWORD{ERROR_USER_MAPPED_FILE});
    EXPECT_EQ(RunInChild([disposition] { return TruncatingOpenError(disposition) == ERROR_USER_MAPPED_FILE ? 0 : 1; }),
              0);
  }
  // An open that keeps the content is allowed, and the view reads to its end.
  EXPECT_EQ(TruncatingOpenError(OPEN_EXISTING), 0u);
  EXPECT_EQ(std::string(view, content.size()), content);
  ASSERT_TRUE(UnmapViewOfFile(view));
  EXPECT_EQ(TruncatingOpenError(TRUNCATE_EXISTING), 0u);
  EXPECT_EQ(drive::Get(kHost), "");
}

// The engine's writable modules are mappings too.
TEST(MappedFile, AnEngineModuleLoadedForWritingHoldsItsFile) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "[Printer]\r\nKey=1\r\n");
  WCHAR path[] = u"C:\\Windows\\model.bcs";
  HANDLE module = EngLoadModuleForWrite(path, 0);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(TruncatingOpenError(CREATE_ALWAYS), DWORD{ERROR_USER_MAPPED_FILE});
  EngFreeModule(module);
  EXPECT_EQ(TruncatingOpenError(CREATE_ALWAYS), 0u);
}

}  // namespace
