#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/platform/drive_files.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "tests/platform/scoped_handle.h"

namespace {

constexpr const char16_t* kFile = u"C:\\Windows\\model.bcs";
constexpr const char* kHost = "Windows/model.bcs";

HANDLE Open(DWORD access, DWORD share = FILE_SHARE_READ) {
  return CreateFileW(kFile, access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

TEST(FileMapping, AReadOnlyViewShowsTheFileAndOutlivesItsHandles) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "compiled description");
  ScopedHandle file(Open(GENERIC_READ));
  ScopedHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  ASSERT_NE(mapping.get(), nullptr);
  auto* view = static_cast<const char*>(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  mapping.Close();
  file.Close();
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
