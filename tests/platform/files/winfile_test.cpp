#include "platform/files/winfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "tests/platform/drive_files.h"
#include "platform/host/hostfile.h"
#include "platform/base/winerror.h"
#include "tests/platform/scoped_handle.h"

namespace {

constexpr const char16_t* kFile = u"C:\\Windows\\data.bin";
constexpr const char* kHost = "Windows/data.bin";

HANDLE Open(const char16_t* path, DWORD access, DWORD share, DWORD disposition,
            DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  return CreateFileW(path, access, share, nullptr, disposition, attributes, nullptr);
}

std::string ReadAll(HANDLE h) {
  std::string out;
  char buffer[64];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  return out;
}

bool Write(HANDLE h, std::string_view bytes) {
  DWORD written = 0;
  return WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

TEST(WinFile, DispositionsCreateOpenAndTruncateWithTheirLastErrors) {
  struct Case {
    DWORD disposition;
    bool exists;
    bool opens;
    DWORD error;
    const char* after;  // file content after the open
  } cases[] = {
      {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
      {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
      {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
      {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, "<missing>"},
      {OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
      {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
      {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, "<missing>"},
      {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
  };
  for (const auto& c : cases) {
    plat::ScopedMachine machine;
    if (c.exists) drive::Put(kHost, "old");
    SetLastError(12345);
    ScopedHandle h(Open(kFile, GENERIC_READ | GENERIC_WRITE, 0, c.disposition));
    EXPECT_EQ(h.valid(), c.opens) << "disposition " << c.disposition << " exists " << c.exists;
    EXPECT_EQ(GetLastError(), c.error) << "disposition " << c.disposition << " exists " << c.exists;
    h.Close();
    EXPECT_EQ(drive::Get(kHost), c.after) << "disposition " << c.disposition;
  }
}

TEST(WinFile, OpensThatCannotSucceedSayWhy) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "x");
  struct Case {
    const char16_t* path;
    DWORD access;
    DWORD disposition;
    DWORD error;
  } cases[] = {
      {u"C:\\NoFolder\\a.bin", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
      {u"C:\\Windows", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},  // a folder
      {u"C:\\Windows\\data.bin\\", GENERIC_READ, OPEN_EXISTING, ERROR_INVALID_NAME},
      {kFile, GENERIC_READ, TRUNCATE_EXISTING, ERROR_INVALID_PARAMETER},  // needs write access
      {kFile, GENERIC_READ, 0, ERROR_INVALID_PARAMETER},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(Open(c.path, c.access, 0, c.disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_EQ(drive::Get(kHost), "x");
}

TEST(WinFile, ReadsWritesAndMovesThePointer) {
  plat::ScopedMachine machine;
  ScopedHandle h(Open(kFile, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW));
  ASSERT_TRUE(h.valid());
  ASSERT_TRUE(Write(h.get(), "hello world"));
  EXPECT_EQ(SetFilePointer(h.get(), 6, nullptr, FILE_BEGIN), 6u);
  EXPECT_EQ(ReadAll(h.get()), "world");
  DWORD got = 7;
  char byte = 0;
  EXPECT_TRUE(ReadFile(h.get(), &byte, 1, &got, nullptr));  // at the end: success, nothing read
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(SetFilePointer(h.get(), -5, nullptr, FILE_END), 6u);
  EXPECT_EQ(SetFilePointer(h.get(), 1, nullptr, FILE_CURRENT), 7u);
  EXPECT_EQ(SetFilePointer(h.get(), -8, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(SetFilePointer(h.get(), 0, nullptr, FILE_CURRENT), 7u);  // left where it was
  DWORD high = 5;
  EXPECT_EQ(GetFileSize(h.get(), &high), 11u);
  EXPECT_EQ(high, 0u);
  EXPECT_TRUE(FlushFileBuffers(h.get()));
  h.Close();
  EXPECT_EQ(drive::Get(kHost), "hello world");
}

TEST(WinFile, PointerPositionsBeyondThirtyTwoBitsNeedTheHighPart) {
  plat::ScopedMachine machine;
  ScopedHandle h(Open(kFile, GENERIC_READ, 0, CREATE_NEW));
  LONG high = 1;
  EXPECT_EQ(SetFilePointer(h.get(), 16, &high, FILE_BEGIN), 16u);
  EXPECT_EQ(high, 1);
  high = -1;  // a 64-bit distance of -1
  EXPECT_EQ(SetFilePointer(h.get(), -1, &high, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  // A successful position whose low part is all ones clears the last error.
  high = 0;
  SetLastError(ERROR_INVALID_DATA);
  EXPECT_EQ(SetFilePointer(h.get(), static_cast<LONG>(0xFFFFFFFFu), &high, FILE_BEGIN),
            INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), NO_ERROR);
  EXPECT_EQ(high, 0);
  // Without the high part, 32 bits are all there is.
  EXPECT_EQ(SetFilePointer(h.get(), 0x7FFFFFFF, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(WinFile, HandlesOnlyDoWhatTheirAccessAllows) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "abc");
  ScopedHandle reader(Open(kFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  ScopedHandle writer(
      Open(kFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  ASSERT_TRUE(reader.valid() && writer.valid());
  EXPECT_FALSE(Write(reader.get(), "x"));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  char byte;
  DWORD got;
  EXPECT_FALSE(ReadFile(writer.get(), &byte, 1, &got, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  FILETIME t{};
  EXPECT_FALSE(SetFileTime(reader.get(), nullptr, nullptr, &t));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(FlushFileBuffers(reader.get()));
  EXPECT_EQ(drive::Get(kHost), "abc");
}

TEST(WinFile, ShareModesDecideWhetherASecondOpenSucceeds) {
  constexpr DWORD R = GENERIC_READ, W = GENERIC_WRITE;
  constexpr DWORD SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE;
  struct Case {
    DWORD firstAccess, firstShare, secondAccess, secondShare;
    bool opens;
  } cases[] = {
      {R, SR, R, SR, true},      {R, SR, W, SR | SW, false},  // the first refuses writers
      {R, SR | SW, W, SR, true}, {W, SR, R, SR, false},  // the second refuses the first's writing
      {W, SR, R, SR | SW, true}, {R | W, 0, R, SR | SW, false},
      {R | W, 0, 0, 0, true},  // a handle without data access meets no share mode
      {0, 0, R | W, 0, true},
  };
  for (const auto& c : cases) {
    plat::ScopedMachine machine;
    drive::Put(kHost, "x");
    ScopedHandle first(Open(kFile, c.firstAccess, c.firstShare, OPEN_EXISTING));
    ASSERT_TRUE(first.valid());
    SetLastError(0);
    ScopedHandle second(Open(kFile, c.secondAccess, c.secondShare, OPEN_EXISTING));
    EXPECT_EQ(second.valid(), c.opens) << c.firstAccess << "/" << c.firstShare << " then "
                                       << c.secondAccess << "/" << c.secondShare;
    if (!c.opens) {
      EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
      first.Close();
      ScopedHandle third(Open(kFile, c.secondAccess, c.secondShare, OPEN_EXISTING));
      EXPECT_TRUE(third.valid());  // free once the first is closed
    }
  }
}

TEST(WinFile, ATruncatingOpenThatMeetsAShareViolationKeepsTheContent) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "keep");
  ScopedHandle reader(Open(kFile, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
  EXPECT_EQ(Open(kFile, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(drive::Get(kHost), "keep");
}

// An exclusive create whose share claim fails removes the file it made, but
// only while its name still leads to that file. (The claim fails only when
// another open slips in between the create and the claim, which a test
// cannot bring about on purpose, so the removal is checked on its own.)
TEST(WinFile, AFailedExclusiveCreateRemovesOnlyTheFileItMade) {
  plat::ScopedMachine machine;
  struct Case {
    const char* name;
    const char* replacedBy;  // what the name holds once the file is open, null: unchanged
    bool removed;
    const char* left;
  } cases[] = {
      {"the file it made", nullptr, true, "<missing>"},
      {"another file now", "other", false, "other"},
      {"no file now", "", false, "<missing>"},
  };
  for (const Case& c : cases) {
    drive::Put(kHost, "");
    const int fd = open(drive::Host(kHost).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    if (c.replacedBy != nullptr) {
      std::filesystem::remove(drive::Host(kHost));
      if (*c.replacedBy != 0) drive::Put(kHost, c.replacedBy);
    }
    errno = EEXIST;
    EXPECT_EQ(plat::RemoveIfStillNamed(fd, drive::Host(kHost)), c.removed) << c.name;
    EXPECT_EQ(errno, EEXIST) << c.name;  // callers read errno after the failed create
    EXPECT_EQ(drive::Get(kHost), c.left) << c.name;
    close(fd);
    std::filesystem::remove(drive::Host(kHost));
  }
}

TEST(WinFile, ShareModesHoldAcrossProcesses) {
  plat::ScopedMachine machine;
  drive::Put(kHost, "x");
  int toParent[2], toChild[2];
  ASSERT_EQ(pipe(toParent), 0);
  ASSERT_EQ(pipe(toChild), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HANDLE h = Open(kFile, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    char signal = h == INVALID_HANDLE_VALUE ? 'F' : 'O';
    (void)!write(toParent[1], &signal, 1);
    (void)!read(toChild[0], &signal, 1);
    _exit(0);
  }
  char signal = 0;
  ASSERT_EQ(read(toParent[0], &signal, 1), 1);
  ASSERT_EQ(signal, 'O');
  EXPECT_EQ(Open(kFile, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  ScopedHandle reader(Open(kFile, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
  EXPECT_TRUE(reader.valid());
  reader.Close();
  ASSERT_EQ(write(toChild[1], "x", 1), 1);
  int status = 0;
  waitpid(child, &status, 0);
  ScopedHandle writer(Open(kFile, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING));
  EXPECT_TRUE(writer.valid());
  for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
}

TEST(WinFile, TimesCanBeReadAndTheLastWriteTimeSet) {
  plat::ScopedMachine machine;
  ScopedHandle h(Open(kFile, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW));
  const FILETIME stamp{0x12345670u, 0x01D00000u};  // a time in 2014, to 100 ns
  EXPECT_TRUE(SetFileTime(h.get(), nullptr, nullptr, &stamp));
  FILETIME created{}, accessed{}, written{};
  EXPECT_TRUE(GetFileTime(h.get(), &created, &accessed, &written));
  EXPECT_EQ(written.dwLowDateTime, stamp.dwLowDateTime);
  EXPECT_EQ(written.dwHighDateTime, stamp.dwHighDateTime);
  EXPECT_NE(created.dwHighDateTime, 0u);
  h.Close();
  // A handle without any access still reads the times.
  ScopedHandle probe(Open(kFile, 0, FILE_SHARE_READ, OPEN_EXISTING));
  FILETIME again{};
  EXPECT_TRUE(GetFileTime(probe.get(), nullptr, nullptr, &again));
  EXPECT_EQ(again.dwLowDateTime, stamp.dwLowDateTime);
}

TEST(WinFile, ClassicHandlesOpenAnsiPaths) {
  plat::ScopedMachine machine;
  drive::Put("Windows/caf\xC3\xA9.txt", "12345");
  HFILE f = _lopen("C:\\Windows\\CAF\xC9.TXT", OF_READ);  // 1252: E9 is e-acute
  ASSERT_NE(f, HFILE_ERROR);
  char buffer[8] = {};
  EXPECT_EQ(_lread(f, buffer, 3), 3u);
  EXPECT_EQ(std::string(buffer), "123");
  EXPECT_EQ(_lwrite(f, "x", 1), static_cast<UINT>(HFILE_ERROR));  // opened for reading
  EXPECT_EQ(_lclose(f), 0);
  EXPECT_EQ(_lopen("C:\\Windows\\none.txt", OF_READ), HFILE_ERROR);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}
