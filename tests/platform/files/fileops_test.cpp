#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "tests/platform/child_process.h"
#include "tests/platform/drive_files.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "tests/platform/scoped_handle.h"

namespace {

HANDLE Open(const char16_t* path, DWORD access, DWORD share, DWORD disposition,
            DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  return CreateFileW(path, access, share, nullptr, disposition, attributes, nullptr);
}

FILETIME LastWrite(const char16_t* path) {
  ScopedHandle h(Open(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  FILETIME t{};
  GetFileTime(h.get(), nullptr, nullptr, &t);
  return t;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

}  // namespace

TEST(FileAttributes, AreReportedAsWindowsDoes) {
  plat::ScopedMachine machine;
  drive::Put("Windows/host-made.txt", "");
  ScopedHandle(Open(u"C:\\Windows\\new.txt", GENERIC_WRITE, 0, CREATE_NEW));
  ScopedHandle(
      Open(u"C:\\Windows\\hidden.txt", GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN));
  struct Case {
    const char16_t* path;
    DWORD attributes;
  } cases[] = {
      {u"C:\\Windows\\new.txt", FILE_ATTRIBUTE_ARCHIVE},
      {u"c:\\windows\\HOST-MADE.TXT", FILE_ATTRIBUTE_ARCHIVE},
      {u"C:\\Windows\\hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
      {u"C:\\Windows", FILE_ATTRIBUTE_DIRECTORY},
      {u"C:\\Windows\\", FILE_ATTRIBUTE_DIRECTORY},
      {u"C:\\", FILE_ATTRIBUTE_DIRECTORY},
  };
  for (const auto& c : cases) EXPECT_EQ(GetFileAttributesW(c.path), c.attributes);
  EXPECT_EQ(GetFileAttributesW(u"C:\\Windows\\none.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesW(u"C:\\None\\none.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST(FileAttributes, AreKeptAndFollowTheFile) {
  plat::ScopedMachine machine;
  drive::Put("Windows/a.txt", "x");
  EXPECT_TRUE(SetFileAttributesW(u"C:\\Windows\\a.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesW(u"C:\\Windows\\a.txt"), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(SetFileAttributesW(u"C:\\Windows\\a.txt",
                                 FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesW(u"C:\\Windows\\a.txt"),
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);  // directory and normal not kept
  EXPECT_TRUE(MoveFileExW(u"C:\\Windows\\a.txt", u"C:\\Windows\\Temp\\b.txt", 0));
  EXPECT_EQ(GetFileAttributesW(u"C:\\Windows\\Temp\\b.txt"),
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_TRUE(CreateDirectoryW(u"C:\\_kesm", nullptr));
  EXPECT_TRUE(SetFileAttributesW(u"C:\\_kesm", FILE_ATTRIBUTE_HIDDEN));
  // Another process sees them.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const bool seen =
        GetFileAttributesW(u"C:\\_KESM") == (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN) &&
        GetFileAttributesW(u"C:\\Windows\\Temp\\B.TXT") ==
            (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    _exit(seen ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(SetFileAttributesW(u"C:\\Windows\\none.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(FileAttributes, ReadOnlyFilesRefuseEveryChange) {
  plat::ScopedMachine machine;
  drive::Put("Windows/ro.ini", "keep");
  drive::Put("Windows/other.ini", "other");
  const char16_t* ro = u"C:\\Windows\\ro.ini";
  ASSERT_TRUE(SetFileAttributesW(ro, FILE_ATTRIBUTE_READONLY));
  struct Case {
    const char* what;
    BOOL (*attempt)(const char16_t*);
  } cases[] = {
      {"open for writing",
       [](const char16_t* p) -> BOOL {
         return ScopedHandle(Open(p, GENERIC_WRITE, 0, OPEN_EXISTING)).valid();
       }},
      {"create always",
       [](const char16_t* p) -> BOOL {
         return ScopedHandle(Open(p, GENERIC_READ, 0, CREATE_ALWAYS)).valid();
       }},
      {"delete", [](const char16_t* p) { return DeleteFileW(p); }},
      {"copy over",
       [](const char16_t* p) { return CopyFileW(u"C:\\Windows\\other.ini", p, FALSE); }},
      {"move over",
       [](const char16_t* p) {
         return MoveFileExW(u"C:\\Windows\\other.ini", p, MOVEFILE_REPLACE_EXISTING);
       }},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(c.attempt(ro)) << c.what;
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED) << c.what;
    EXPECT_EQ(drive::Get("Windows/ro.ini"), "keep") << c.what;
  }
  ScopedHandle reader(Open(ro, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
  EXPECT_TRUE(reader.valid());
  reader.Close();
  ASSERT_TRUE(SetFileAttributesW(ro, FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(DeleteFileW(ro));
  EXPECT_FALSE(drive::Exists("Windows/ro.ini"));
}

TEST(FileAttributes, AFailedStoreWriteKeepsWhatWasStored) {
  plat::ScopedMachine machine;
  const std::u16string folder = u"C:\\Windows\\";
  for (char16_t c = u'a'; c <= u'h'; ++c) {
    drive::Put(std::string("Windows/") + static_cast<char>(c) + ".txt", "x");
    const std::u16string path = folder + c + u".txt";
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  }
  drive::Put("Windows/z.txt", "x");
  // A child whose files may not grow past a few bytes cannot write the
  // larger store; the store it found must survive.
  RunInChild([] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64, 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    SetFileAttributesW(u"C:\\Windows\\z.txt", FILE_ATTRIBUTE_SYSTEM);
    return 0;
  });
  for (char16_t c = u'a'; c <= u'h'; ++c) {
    const std::u16string path = folder + c + u".txt";
    EXPECT_EQ(GetFileAttributesW(path.c_str()), FILE_ATTRIBUTE_HIDDEN) << static_cast<char>(c);
  }
}

TEST(FileAttributes, RecreatingAHiddenFileMustAskForHiddenAgain) {
  plat::ScopedMachine machine;
  const char16_t* path = u"C:\\Windows\\h.dat";
  ScopedHandle(Open(path, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  ScopedHandle again(Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(again.valid());
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
}

TEST(DeleteFile, FailsForFoldersMissingFilesAndFilesInUse) {
  plat::ScopedMachine machine;
  drive::Put("Windows/a.txt", "a");
  EXPECT_FALSE(DeleteFileW(u"C:\\Windows"));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(DeleteFileW(u"C:\\Windows\\none.txt"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  {
    ScopedHandle open(Open(u"C:\\Windows\\a.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    EXPECT_FALSE(DeleteFileW(u"C:\\Windows\\A.TXT"));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  }
  {
    ScopedHandle open(Open(u"C:\\Windows\\a.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                           OPEN_EXISTING));
    EXPECT_TRUE(DeleteFileW(u"C:\\Windows\\A.TXT"));
  }
  EXPECT_FALSE(drive::Exists("Windows/a.txt"));
}

TEST(CopyFile, CopiesContentAttributesAndLastWriteTime) {
  plat::ScopedMachine machine;
  drive::Put("Windows/System32/spool/drivers/x64/3/kesmdrv.ini", "[Model]\r\nA=1\r\n");
  const char16_t* source = u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\KESMDRV.INI";
  ASSERT_TRUE(SetFileAttributesW(source, FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(CopyFileW(source, u"C:\\Windows\\kesmdrv.ini", TRUE));
  EXPECT_EQ(drive::Get("Windows/kesmdrv.ini"), "[Model]\r\nA=1\r\n");
  EXPECT_EQ(GetFileAttributesW(u"C:\\Windows\\kesmdrv.ini"), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(SameTime(LastWrite(source), LastWrite(u"C:\\Windows\\kesmdrv.ini")));
}

TEST(CopyFile, AnExistingTargetIsKeptOrReplacedAsAsked) {
  plat::ScopedMachine machine;
  drive::Put("Windows/new.ini", "new");
  drive::Put("Windows/old.ini", "old");
  EXPECT_FALSE(CopyFileW(u"C:\\Windows\\new.ini", u"C:\\Windows\\old.ini", TRUE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
  EXPECT_EQ(drive::Get("Windows/old.ini"), "old");
  EXPECT_TRUE(CopyFileW(u"C:\\Windows\\new.ini", u"C:\\Windows\\OLD.INI", FALSE));
  EXPECT_EQ(drive::Get("Windows/old.ini"), "new");
  EXPECT_FALSE(CopyFileW(u"C:\\Windows\\new.ini", u"C:\\Windows\\new.ini", FALSE));
  EXPECT_EQ(drive::Get("Windows/new.ini"), "new");  // a copy onto itself loses nothing
  EXPECT_FALSE(CopyFileW(u"C:\\Windows\\none.ini", u"C:\\Windows\\x.ini", FALSE));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(drive::Exists("Windows/x.ini"));
}

TEST(MoveFile, RenamesAndReplacesOnlyWhenAsked) {
  plat::ScopedMachine machine;
  drive::Put("Windows/a.ini", "a");
  drive::Put("Windows/b.ini", "b");
  EXPECT_FALSE(MoveFileExW(u"C:\\Windows\\a.ini", u"C:\\Windows\\b.ini", MOVEFILE_COPY_ALLOWED));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(MoveFileExW(u"C:\\Windows\\a.ini", u"C:\\Windows\\B.INI", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(drive::List("Windows"), "System32;Temp;b.ini;");
  EXPECT_EQ(drive::Get("Windows/b.ini"), "a");
  // The same file under another case: only the spelling changes.
  EXPECT_TRUE(MoveFileExW(u"C:\\Windows\\b.ini", u"C:\\Windows\\B.Ini", 0));
  EXPECT_EQ(drive::List("Windows"), "B.Ini;System32;Temp;");
  EXPECT_TRUE(MoveFileExW(u"C:\\Windows\\Temp", u"C:\\Windows\\Tmp", 0));  // folders move too
  EXPECT_TRUE(drive::Exists("Windows/Tmp"));
  EXPECT_FALSE(MoveFileExW(u"C:\\Windows\\B.Ini", u"C:\\Nowhere\\b.ini", 0));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(MoveFileExW(u"C:\\Windows\\B.Ini", u"C:\\Windows\\c.ini", 0x4));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  ScopedHandle open(Open(u"C:\\Windows\\B.Ini", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
  EXPECT_FALSE(MoveFileExW(u"C:\\Windows\\B.Ini", u"C:\\Windows\\c.ini", 0));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
}

TEST(Directories, AreCreatedAndRemovedWithWindowsErrors) {
  plat::ScopedMachine machine;
  EXPECT_TRUE(CreateDirectoryW(u"C:\\_kesm", nullptr));
  EXPECT_FALSE(CreateDirectoryW(u"c:\\_KESM\\", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(CreateDirectoryW(u"C:\\a\\b", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  drive::Put("_kesm/kesmusr.ini", "");
  struct Case {
    const char16_t* path;
    DWORD error;
  } failures[] = {
      {u"C:\\_kesm", ERROR_DIR_NOT_EMPTY},
      {u"C:\\_kesm\\kesmusr.ini", ERROR_DIRECTORY},
      {u"C:\\_kesm\\none", ERROR_FILE_NOT_FOUND},
      {u"C:\\none\\none", ERROR_PATH_NOT_FOUND},
      {u"C:\\", ERROR_ACCESS_DENIED},
  };
  for (const auto& c : failures) {
    EXPECT_FALSE(RemoveDirectoryW(c.path));
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_TRUE(DeleteFileW(u"C:\\_kesm\\kesmusr.ini"));
  EXPECT_TRUE(RemoveDirectoryW(u"C:\\_KESM"));
  EXPECT_FALSE(drive::Exists("_kesm"));
}

TEST(TempPath, AnswersASizeProbeAndEndsInABackslash) {
  plat::ScopedMachine machine;
  const std::u16string expected = u"C:\\Windows\\Temp\\";
  const auto needed = static_cast<DWORD>(expected.size() + 1);
  EXPECT_EQ(GetTempPathW(0, nullptr), needed);
  WCHAR small[16];
  std::fill(std::begin(small), std::end(small), u'#');
  EXPECT_EQ(GetTempPathW(16, small), needed);
  EXPECT_EQ(small[0], u'#');  // untouched
  WCHAR buffer[MAX_PATH + 1];
  EXPECT_EQ(GetTempPathW(needed, buffer), needed - 1);
  EXPECT_EQ(std::u16string(buffer), expected);
  EXPECT_EQ(GetFileAttributesW(buffer), FILE_ATTRIBUTE_DIRECTORY);
}
