// The file-step watch that tests use to count opens and to stop a write at
// a chosen step, and the turn that other writers of profile files share
// with the profile services.
#include "platform/files/file_watch.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/files/winfile.h"
#include "platform/profile/profile_turn.h"
#include "platform/profile/winprofile.h"
#include "tests/platform/drive_files.h"

namespace {

struct Seen {
  plat::FileStep step;
  std::string file;  // below drive C:
  std::string to;
};

std::string Below(const std::filesystem::path& host) {
  return host.empty() ? std::string() : host.lexically_relative(plat::DriveRoot()).generic_string();
}

TEST(FileWatch, EveryStepOfAFileIsReportedBeforeItIsTaken) {
  plat::ScopedMachine machine;
  std::vector<Seen> seen;
  bool existedAtMove = true;
  plat::WatchFileSteps([&](const plat::FileEvent& e) {
    seen.push_back({e.step, Below(e.file), Below(e.to)});
    if (e.step == plat::FileStep::kMove) existedAtMove = std::filesystem::exists(e.file);
  });
  const std::size_t opens = plat::FileOpens();
  HANDLE file = CreateFileW(u"C:\\a.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, "x", 1, &written, nullptr));
  EXPECT_TRUE(FlushFileBuffers(file));
  CloseHandle(file);
  EXPECT_TRUE(MoveFileExW(u"C:\\a.txt", u"C:\\b.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_TRUE(DeleteFileW(u"C:\\b.txt"));
  plat::WatchFileSteps(nullptr);
  EXPECT_TRUE(DeleteFileW(u"C:\\none.txt") == FALSE);  // not watched any more

  using S = plat::FileStep;
  ASSERT_EQ(seen.size(), 5u);
  const Seen expected[] = {{S::kOpen, "a.txt", ""},
                           {S::kWrite, "a.txt", ""},
                           {S::kFlush, "a.txt", ""},
                           {S::kMove, "a.txt", "b.txt"},
                           {S::kDelete, "b.txt", ""}};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(seen[i].step, expected[i].step);
    EXPECT_EQ(seen[i].file, expected[i].file);
    EXPECT_EQ(seen[i].to, expected[i].to);
  }
  EXPECT_TRUE(existedAtMove) << "reported before the rename";
  EXPECT_EQ(plat::FileOpens(), opens + 1);
}

TEST(FileWatch, ProfileReadsAndWritesCountAsOpens) {
  plat::ScopedMachine machine;
  drive::Put("p.ini", "[S]\r\nk=1\r\n");
  const std::size_t before = plat::FileOpens();
  WCHAR value[8];
  GetPrivateProfileStringW(u"S", u"k", u"", value, 8, u"C:\\p.ini");
  EXPECT_EQ(plat::FileOpens(), before + 1);
  EXPECT_TRUE(WritePrivateProfileStringW(u"S", u"k", u"2", u"C:\\p.ini"));
  EXPECT_GE(plat::FileOpens(), before + 3) << "the old file and the new one";
}

// While one process holds the turn of a folder, a profile write of another
// process to a file of that folder waits for it.
TEST(ProfileFolderTurn, AProfileWriteWaitsForTheHoldersTurn) {
  plat::ScopedMachine machine;
  drive::Put("kesm/p.ini", "[S]\r\nk=1\r\n");
  int go[2];
  int done[2];
  ASSERT_EQ(pipe(go), 0);
  ASSERT_EQ(pipe(done), 0);
  // Forked before the turn is taken: a child would inherit the holder's lock.
  const pid_t child = fork();
  if (child == 0) {
    char byte = 0;
    if (read(go[0], &byte, 1) != 1) _exit(2);
    const BOOL written = WritePrivateProfileStringW(u"S", u"k", u"2", u"C:\\kesm\\p.ini");
    _exit(written && write(done[1], "d", 1) == 1 ? 0 : 1);
  }
  ASSERT_GT(child, 0);
  auto turn = std::make_unique<plat::ProfileFolderTurn>(u"C:\\kesm\\p.ini");
  EXPECT_TRUE(turn->held());
  ASSERT_EQ(write(go[1], "g", 1), 1);
  pollfd finished{done[0], POLLIN, 0};
  EXPECT_EQ(poll(&finished, 1, 300), 0) << "the write did not wait";
  EXPECT_EQ(drive::Get("kesm/p.ini"), "[S]\r\nk=1\r\n");
  turn.reset();
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(drive::Get("kesm/p.ini"), "[S]\r\nk=2\r\n");
  for (int fd : {go[0], go[1], done[0], done[1]}) close(fd);

  EXPECT_FALSE(plat::ProfileFolderTurn(u"C:\\missing\\p.ini").held());
}

}  // namespace
