#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/platform/child_process.h"
#include "tests/platform/drive_files.h"
#include "platform/base/winerror.h"
#include "platform/engine/eng_module.h"
#include "platform/files/winfile.h"
#include "tests/platform/scoped_handle.h"

namespace {

constexpr const char16_t* kFile = u"C:\\Windows\\model.bcs";
constexpr const char* kHost = "Windows/model.bcs";

HANDLE Open(DWORD access, DWORD share = FILE_SHARE_READ) {
  return CreateFileW(kFile, access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A read-only view of the whole file whose file and mapping handles are
// closed again (the file opened with the share mode); null when it fails.
const char* ViewWithoutHandles(DWORD share) {
  ScopedHandle file(Open(GENERIC_READ, share));
  ScopedHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (mapping.get() == nullptr) return nullptr;
  return static_cast<const char*>(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
}

// The error of an open with the disposition that empties the file; 0 when
// it opened.
DWORD TruncatingOpenError(DWORD disposition) {
  HANDLE file = CreateFileW(kFile, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return 0;
}

}  // namespace

TEST(FileMapping, AReadOnlyViewShowsTheFileAndOutlivesItsHandles) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "compiled description");
  const char* view = ViewWithoutHandles(FILE_SHARE_READ);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(std::string(view, 20), "compiled description");
  // The view still holds the file open with its share mode.
  EXPECT_EQ(Open(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_TRUE(UnmapViewOfFile(view));
  ScopedHandle writer(Open(GENERIC_WRITE));
  EXPECT_TRUE(writer.valid());
  EXPECT_FALSE(UnmapViewOfFile(view));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_ADDRESS);
}

TEST(FileMapping, WritesThroughAWritableViewReachTheFile) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "0123456789");
  ScopedHandle file(Open(GENERIC_READ | GENERIC_WRITE, 0));
  ScopedHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READWRITE, 0, 0, nullptr));
  auto* view = static_cast<char*>(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  std::memcpy(view + 2, "AB", 2);
  EXPECT_TRUE(UnmapViewOfFile(view));
  mapping.Close();
  file.Close();
  EXPECT_EQ(drive::Get(kHost), "01AB456789");
}

TEST(FileMapping, AWritableMappingLargerThanTheFileGrowsIt) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "abc");
  ScopedHandle file(Open(GENERIC_READ | GENERIC_WRITE, 0));
  ScopedHandle grown(CreateFileMappingW(file.get(), nullptr, PAGE_READWRITE, 0, 8, nullptr));
  ASSERT_NE(grown.get(), nullptr);
  EXPECT_EQ(GetFileSize(file.get(), nullptr), 8u);
  EXPECT_EQ(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 16, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(GetFileSize(file.get(), nullptr), 8u);
}

TEST(FileMapping, RefusesWhatTheHandleOrMappingDoesNotAllow) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "data");
  drive::Put("Windows/empty.bcs", "");
  ScopedHandle reader(Open(GENERIC_READ));
  EXPECT_EQ(CreateFileMappingW(reader.get(), nullptr, PAGE_READWRITE, 0, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(CreateFileMappingW(reader.get(), nullptr, PAGE_READONLY, 0, 0, u"Named"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  ScopedHandle mapping(CreateFileMappingW(reader.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  EXPECT_EQ(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 4096, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MAPPED_ALIGNMENT);
  EXPECT_EQ(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 5), nullptr);  // past the end
  ScopedHandle empty(CreateFileW(u"C:\\Windows\\empty.bcs", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(CreateFileMappingW(empty.get(), nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_INVALID);
}

// A file that a mapping of any process holds cannot be emptied by an open
// that truncates it, so that no view ever reaches past the end of its file;
// once the views and the mapping are gone it can.
TEST(FileMapping, AMappedFileCannotBeEmptiedByAnyProcess) {
  plat::ScopedMachine machine;
  const std::string content(100000, 'c');
  drive::Put(kHost, content);
  const char* view = ViewWithoutHandles(FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_NE(view, nullptr);
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
TEST(FileMapping, AnEngineModuleLoadedForWritingHoldsItsFile) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "[Printer]\r\nKey=1\r\n");
  WCHAR path[] = u"C:\\Windows\\model.bcs";
  HANDLE module = EngLoadModuleForWrite(path, 0);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(TruncatingOpenError(CREATE_ALWAYS), DWORD{ERROR_USER_MAPPED_FILE});
  EngFreeModule(module);
  EXPECT_EQ(TruncatingOpenError(CREATE_ALWAYS), 0u);
}
