// An output that was there survives whatever stops a job: the program
// killed at any point of it, a disk that fills while the stream is written
// out, spooler writes that fail. The output is
// then either the old stream, whole, or the new one, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/spooler/spooljob.h"
#include "tests/kesmprint/kesmprint_fixture.h"
#include "tests/render/job_stream_decoder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using kesmprint_test::KesmPrint;

// A text of full pages.
std::string Pages(int count) {
  std::string text;
  for (int page = 0; page < count; ++page) {
    for (int line = 0; line < 60; ++line) text += "page " + std::to_string(page) + " line " + std::to_string(line) + "\n";
  }
  return text;
}

class OutputSafety : public KesmPrint {
 protected:
  // Starts the program with the arguments on the folder's machine; its
  // output and errors go nowhere.
  pid_t Start(const std::vector<std::string>& arguments) {
    std::vector<std::string> words{KESMPRINT_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables{"KESM_MACHINE=" + (folder_ / "machine").string()};
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::strncmp(*e, "KESM_MACHINE=", 13) != 0) variables.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << std::strerror(spawned);
    return spawned == 0 ? pid : -1;
  }
  static int Wait(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
  }

  // The old stream at out.kesm: the sample document's.
  std::vector<std::uint8_t> OldOutput() {
    EXPECT_EQ(Print({"-o", "old.kesm"}).code, 0);
    return Read(folder_ / "old.kesm");
  }
};

TEST_F(OutputSafety, AKillAtAnyPointOfAJobLeavesTheOldOutputOrTheNewOneWhole) {
  const std::vector<std::uint8_t> old = OldOutput();
  Write(folder_ / "long.txt", Pages(60));
  // How long a whole run takes here, to kill runs within it.
  const auto start = std::chrono::steady_clock::now();
  fs::copy_file(folder_ / "old.kesm", folder_ / "out.kesm");
  const int first = Wait(Start({"-o", "out.kesm", "long.txt"}));
  ASSERT_TRUE(WIFEXITED(first) && WEXITSTATUS(first) == 0);
  const auto run = std::chrono::steady_clock::now() - start;
  // A new stream is whole when it decodes, in order, with every page.
  const auto whole = [&](const std::vector<std::uint8_t>& bytes) {
    const jobstream::Decoded stream = jobstream::Decode(bytes);
    return stream.ok() && jobstream::CheckOrder(stream).empty() && jobstream::Pages(stream) == 60u;
  };
  ASSERT_TRUE(whole(Read(folder_ / "out.kesm")));

  std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
  std::uniform_int_distribution<long long> when(0, std::chrono::duration_cast<std::chrono::microseconds>(run).count());
  int killed = 0;
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    fs::copy_file(folder_ / "old.kesm", folder_ / "out.kesm", fs::copy_options::overwrite_existing);
    const pid_t pid = Start({"-o", "out.kesm", "long.txt"});
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(when(random)));
    kill(pid, SIGKILL);
    const int status = Wait(pid);
    killed += WIFSIGNALED(status) ? 1 : 0;
    const std::vector<std::uint8_t> now = Read(folder_ / "out.kesm");
    EXPECT_TRUE(now == old || whole(now)) << "a cut stream of " << now.size() << " bytes";
  }
  EXPECT_GT(killed, 0) << "no run was stopped";
}

// Killed while the stream is being written out: the moment the output's
// folder shows the write begun (a new file in it, or the output changed),
// then a little later. A banded page makes a stream of tens of megabytes,
// so that the write takes a while.
TEST_F(OutputSafety, AKillWhileTheStreamIsWrittenOutLeavesTheOldOutputOrTheNewOneWhole) {
  const std::vector<std::uint8_t> old = OldOutput();
  Write(folder_ / "one.txt", "A page drawn in bands\n");
  const auto begun = [&] {
    for (const auto& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name != "machine" && name != "old.kesm" && name != "out.kesm" && name != "one.txt") return true;
    }
    std::error_code ec;
    return fs::file_size(folder_ / "out.kesm", ec) != old.size();
  };
  std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
  int caught = 0;
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    fs::copy_file(folder_ / "old.kesm", folder_ / "out.kesm", fs::copy_options::overwrite_existing);
    const pid_t pid = Start({"--banding", "-o", "out.kesm", "one.txt"});
    ASSERT_GT(pid, 0);
    int status = 0;
    bool ended = false;
    while (!(ended = waitpid(pid, &status, WNOHANG) == pid) && !begun()) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    if (!ended) {
      std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 5000 * round)(random)));
      kill(pid, SIGKILL);
      status = Wait(pid);
      caught += WIFSIGNALED(status) ? 1 : 0;
    }
    const std::vector<std::uint8_t> now = Read(folder_ / "out.kesm");
    if (now != old) {
      const jobstream::Decoded stream = jobstream::Decode(now);
      EXPECT_TRUE(stream.ok()) << "a cut stream of " << now.size() << " bytes: " << stream.error;
      EXPECT_EQ(jobstream::Pages(stream), 1u);
    }
    for (const auto& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(".out.kesm.", 0) == 0) fs::remove(entry.path());  // a killed run's temporary file
    }
  }
  EXPECT_GT(caught, 0) << "no run was stopped while it wrote";
}

// The output's disk is a small memory file system that the stream does not
// fit on: the write of the output fails, the old one stays, and no
// temporary file is left on the disk. Mounting needs the right to: without
// it the test is skipped (the write limit below runs everywhere).
TEST_F(OutputSafety, AFullDiskLeavesTheOldOutputWhole) {
  const std::vector<std::uint8_t> old = OldOutput();
  const fs::path disk = folder_ / "disk";
  fs::create_directory(disk);
  if (mount("kesmprint-test", disk.c_str(), "tmpfs", 0, "size=256k") != 0) {
    GTEST_SKIP() << "cannot mount a small disk here: " << std::strerror(errno);
  }
  struct Unmount {
    fs::path at;
    ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
  } unmount{disk};
  fs::copy_file(folder_ / "old.kesm", disk / "out.kesm");
  Write(folder_ / "long.txt", Pages(100));
  const Result result = Print({"-o", "disk/out.kesm", "long.txt"});
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err,
            "kesmprint: cannot write disk/out.kesm: No space left on device; disk/out.kesm is left as it was\n");
  EXPECT_EQ(Read(disk / "out.kesm"), old);
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(disk)) files.push_back(entry.path().filename());
  EXPECT_EQ(files, std::vector<fs::path>{"out.kesm"});
}

// The spooler's writes of the job fail (a write refused, or one that writes
// only half of its bytes, as on a full disk): the job is aborted and the
// old output stays.
TEST_F(OutputSafety, AJobWhoseSpoolingFailsLeavesTheOldOutputWhole) {
  const std::vector<std::uint8_t> old = OldOutput();
  Write(folder_ / "long.txt", Pages(5));
  for (const bool shortWrite : {false, true}) {
    SCOPED_TRACE(shortWrite ? "a short write" : "a refused write");
    fs::copy_file(folder_ / "old.kesm", folder_ / "out.kesm", fs::copy_options::overwrite_existing);
    if (shortWrite) {
      plat::ShortPrinterWriteAt(3);
    } else {
      plat::FailPrinterWriteAt(3);
    }
    const Result result = Print({"-o", "out.kesm", "long.txt"});
    plat::ShortPrinterWriteAt(0);
    plat::FailPrinterWriteAt(0);
    EXPECT_EQ(result.code, 1) << result.err;
    EXPECT_EQ(result.err.rfind("kesmprint: the job of long.txt was aborted: ", 0), 0u) << result.err;
    EXPECT_TRUE(Has(result.err, "; out.kesm is left as it was\n")) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
    EXPECT_EQ(Read(folder_ / "out.kesm"), old);
  }
}

// The spool file of a killed job stays until the next run on the machine,
// which removes it; a job another run is printing keeps its file.
TEST_F(OutputSafety, AKilledJobsSpoolFileIsRemovedAtTheNextRun) {
  ASSERT_EQ(Print({"-o", "first.kesm"}).code, 0);
  Write(folder_ / "long.txt", Pages(100));
  const fs::path jobs = folder_ / "machine" / "spooler" / "jobs";
  const auto spoolFiles = [&] {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(jobs)) {
      if (entry.path().extension() == ".spl") files.push_back(entry.path());
    }
    return files;
  };
  const pid_t killed = Start({"-o", "killed.kesm", "long.txt"});
  ASSERT_GT(killed, 0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (spoolFiles().empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(killed, SIGKILL);
  Wait(killed);
  const std::vector<fs::path> left = spoolFiles();
  ASSERT_EQ(left.size(), 1u) << "the killed job left its spool file";

  // A run beside a job that is printing: the live job keeps its file.
  const pid_t live = Start({"-o", "live.kesm", "long.txt"});
  ASSERT_GT(live, 0);
  const auto liveFile = [&] {
    for (const fs::path& file : spoolFiles()) {
      if (file != left[0]) return true;
    }
    return false;
  };
  while (!liveFile() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(liveFile());
  const Result next = Run({"-o", "next.kesm"});
  EXPECT_EQ(next.code, 0) << next.err;
  EXPECT_FALSE(fs::exists(left[0])) << "removed by a later run";
  const int status = Wait(live);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the live job was not disturbed";
  const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "live.kesm"));
  EXPECT_TRUE(stream.ok()) << stream.error;
  EXPECT_EQ(jobstream::Pages(stream), 100u);
  EXPECT_EQ(spoolFiles(), std::vector<fs::path>{});
}

}  // namespace
