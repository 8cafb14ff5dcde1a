// Splicing a set file must never lose data: a write stopped at any step (a
// crash of the process, or of the machine once the new name is in place)
// leaves the old text or the new one whole, and a write made by another
// process meanwhile (a profile write or another splice of the same file) is
// kept, as the splice is.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/files/file_watch.h"
#include "platform/profile/winprofile.h"
#include "storage/ini/ini_script.h"
#include "tests/platform/child_process.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::Get;
using storage_test::Put;

constexpr char16_t kPath[] = u"C:\\kesm\\set.rst";
const std::string kOld = "[Office]\r\nold=1\r\n[Other]\r\nkeep=1\r\n";
const std::string kScript = "[Office]\r\nnew=2\r\n";
const std::string kNew = "[Office]\r\nnew=2\r\n[Other]\r\nkeep=1\r\n";

BOOL SpliceOffice() {
  storage_test::Context context;
  return UpdateSetFile(context.get(), kPath, u"Office", kScript.data(), static_cast<DWORD>(kScript.size()));
}

class IniScriptFileSafety : public ::testing::Test {
 protected:
  void SetUp() override { Put("kesm/set.rst", kOld); }
  plat::ScopedMachine machine_;
};

// A child process splices and ends at the chosen step, before taking it;
// whatever it leaves, the file holds one text or the other, whole.
TEST_F(IniScriptFileSafety, AWriteStoppedAtAnyStepLeavesTheOldTextOrTheNewWhole) {
  enum { kDone = 0, kFailed = 1, kStopped = 2 };
  int stop = 1;
  for (; stop < 64; ++stop) {
    SCOPED_TRACE(stop);
    // A stopped write may leave its temporary file behind; the next child,
    // forked from the same process, would pick the same name first.
    for (const auto& entry : std::filesystem::directory_iterator(storage_test::Host("kesm"))) {
      if (entry.path().filename() != "set.rst") std::filesystem::remove(entry.path());
    }
    Put("kesm/set.rst", kOld);
    const int code = RunInChild([stop] {
      int steps = 0;
      plat::WatchFileSteps([&steps, stop](const plat::FileEvent&) {
        if (++steps == stop) _exit(kStopped);
      });
      return SpliceOffice() ? kDone : kFailed;
    });
    ASSERT_TRUE(code == kDone || code == kStopped) << code;
    const std::string text = Get("kesm/set.rst");
    EXPECT_TRUE(text == kOld || text == kNew) << text;
    if (code == kDone) {
      EXPECT_EQ(text, kNew);
      break;
    }
  }
  EXPECT_GT(stop, 1) << "the write has steps to stop at";
  EXPECT_LT(stop, 64) << "the write ends";
}

// A machine that stops right after the rename keeps only what was flushed:
// the file that takes the set file's name must have no unflushed bytes.
TEST_F(IniScriptFileSafety, TheNewTextReachesTheDiskBeforeItTakesTheName) {
  std::set<std::filesystem::path> unflushed;
  std::vector<std::string> faults;
  int moves = 0;
  const std::filesystem::path target = storage_test::Host("kesm/set.rst");
  plat::WatchFileSteps([&](const plat::FileEvent& e) {
    switch (e.step) {
      case plat::FileStep::kWrite:
        unflushed.insert(e.file);
        if (e.file == target) faults.push_back("the set file itself is written in place");
        break;
      case plat::FileStep::kFlush:
        unflushed.erase(e.file);
        break;
      case plat::FileStep::kMove:
        if (e.to == target) ++moves;
        if (e.to == target && unflushed.count(e.file) != 0) faults.push_back("renamed before its bytes were flushed");
        break;
      default:
        break;
    }
  });
  const BOOL done = SpliceOffice();
  plat::WatchFileSteps(nullptr);
  EXPECT_TRUE(done);
  EXPECT_EQ(Get("kesm/set.rst"), kNew);
  EXPECT_EQ(moves, 1) << "the new text takes the name in one rename";
  EXPECT_TRUE(faults.empty()) << faults.front();
}

// Two writers of one file in two processes. The first stops at its first
// write (its old text read, its new text not yet in place), lets the second
// start and waits for it to finish, at most half a second: a second writer
// that takes its turn properly is still waiting then. Neither write may be
// lost.
struct Writer {
  const char* what;
  std::function<BOOL()> write;
  const char* mark;  // a line the write leaves in the file
};

TEST_F(IniScriptFileSafety, TwoProcessesWritingAtOnceLoseNeitherWrite) {
  const Writer splice{"a splice of [Office]", SpliceOffice, "new=2\r\n"};
  const Writer secondSplice{"a splice of [Second]",
                            [] {
                              storage_test::Context context;
                              return UpdateSetFile(context.get(), kPath, u"Second", "[Second]\r\nb=1\r\n", 15);
                            },
                            "[Second]\r\nb=1\r\n"};
  const Writer profile{"a profile write to [Other]",
                       [] { return WritePrivateProfileStringW(u"Other", u"added", u"3", kPath); }, "added=3"};
  const struct {
    Writer first;
    Writer second;
  } rows[] = {{splice, profile}, {splice, secondSplice}, {profile, splice}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.first.what) + ", then " + row.second.what);
    Put("kesm/set.rst", kOld);
    int go[2];
    int done[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(done), 0);
    const std::vector<int> codes = RunInChildren({
        [&] {
          bool paused = false;
          plat::WatchFileSteps([&](const plat::FileEvent& e) {
            if (paused || e.step != plat::FileStep::kWrite) return;
            paused = true;
            if (write(go[1], "g", 1) != 1) _exit(3);
            pollfd finished{done[0], POLLIN, 0};
            poll(&finished, 1, 500);
          });
          return row.first.write() ? 0 : 1;
        },
        [&] {
          char byte = 0;
          if (read(go[0], &byte, 1) != 1) return 3;
          const BOOL written = row.second.write();
          if (write(done[1], "d", 1) != 1) return 3;
          return written ? 0 : 1;
        },
    });
    for (int fd : {go[0], go[1], done[0], done[1]}) close(fd);
    EXPECT_EQ(codes, (std::vector<int>{0, 0}));
    const std::string text = Get("kesm/set.rst");
    EXPECT_NE(text.find(row.first.mark), std::string::npos) << text;
    EXPECT_NE(text.find(row.second.mark), std::string::npos) << text;
    EXPECT_NE(text.find("keep=1"), std::string::npos) << text;
  }
}

}  // namespace
