// Many kesmprint processes on one machine folder at once, as many
// applications print through one driver: each run gets its own job and a
// valid stream that holds its own document, round after round on the same
// machine, and with a long job printing while short ones come and go.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/temp_folder.h"
#include "tests/render/job_stream_decoder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kProcesses = 8;
constexpr int kRounds = 5;

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The strings of the stream's text records, in order.
std::vector<std::u16string> Strings(const jobstream::Decoded& stream) {
  std::vector<std::u16string> strings;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode != 0x52) continue;
    const std::uint16_t count = jobstream::U16(r, 32);
    const std::size_t advances = (r.bytes[2] & 0x80) != 0 ? count : 1;
    std::u16string text;
    for (std::uint16_t i = 0; i < count; ++i) {
      text += static_cast<char16_t>(jobstream::U16(r, 36 + 2 * advances + 2 * i));
    }
    strings.push_back(text);
  }
  return strings;
}

std::u16string Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// One run of the program in a folder of its own, its output and errors
// kept in files there.
class ProgramRun {
 public:
  ProgramRun(const fs::path& folder, const fs::path& machine, const std::string& document) : folder_(folder) {
    fs::create_directories(folder_);
    const std::string program = KESMPRINT_PROGRAM;
    const std::string machineVariable = "KESM_MACHINE=" + machine.string();
    std::vector<char*> environment;
    for (char** at = environ; *at != nullptr; ++at) {
      if (std::string(*at).rfind("KESM_MACHINE=", 0) != 0) environment.push_back(*at);
    }
    environment.push_back(const_cast<char*>(machineVariable.c_str()));
    environment.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(document.c_str()), nullptr};
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environment.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~ProgramRun() { Wait(); }
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  // The exit code; -1 for a run that did not start or was killed (the
  // signal is in the description).
  int Wait() {
    if (pid_ > 0) {
      int status = 0;
      while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
      code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      signal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
      pid_ = 0;
    }
    return code_;
  }

  // Whether the run has written this text to its output yet, or ended.
  bool Said(const std::string& text) {
    return ReadText(folder_ / "out.txt").find(text) != std::string::npos || Ended();
  }

  // Whether the run has ended (without waiting for it).
  bool Ended() {
    if (pid_ <= 0) return true;
    int status = 0;
    const pid_t ended = waitpid(pid_, &status, WNOHANG);
    if (ended == 0) return false;
    code_ = ended == pid_ && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    signal_ = ended == pid_ && WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    pid_ = 0;
    return true;
  }

  std::string Describe() const {
    return folder_.filename().string() + ": exit " + std::to_string(code_) +
           (signal_ != 0 ? ", signal " + std::to_string(signal_) : "") + ": " + ReadText(folder_ / "err.txt");
  }
  const fs::path& folder() const { return folder_; }

 private:
  fs::path folder_;
  pid_t pid_ = -1;
  int code_ = -1;
  int signal_ = 0;
};

class ConcurrentRuns : public ::testing::Test {
 protected:
  fs::path machine() const { return folder_ / "machine"; }

  // A folder with a text document of lines, one page per entry.
  static void WriteDocument(const fs::path& file, const std::vector<std::string>& pages) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    for (std::size_t i = 0; i < pages.size(); ++i) out << (i == 0 ? "" : "\f") << pages[i];
  }

  // Checks that the run ended well with a valid stream of its document of
  // that many pages, holding each of the lines.
  static void ExpectOwnStream(ProgramRun& run, const std::string& document, std::size_t pages,
                              const std::vector<std::string>& lines) {
    ASSERT_EQ(run.Wait(), 0) << run.Describe();
    const fs::path output = run.folder() / (fs::path(document).stem().string() + ".kesm");
    const jobstream::Decoded stream = jobstream::Decode(ReadBytes(output));
    ASSERT_TRUE(stream.ok()) << run.Describe() << stream.error;
    EXPECT_EQ(jobstream::CheckOrder(stream), "") << run.Describe();
    EXPECT_EQ(jobstream::Pages(stream), pages) << run.Describe();
    EXPECT_EQ(jobstream::JobName(stream), document) << run.Describe();
    const std::vector<std::u16string> strings = Strings(stream);
    for (const std::string& line : lines) {
      EXPECT_NE(std::find(strings.begin(), strings.end(), Wide(line)), strings.end())
          << run.Describe() << "lacks \"" << line << "\"";
    }
  }

  const kesm_test::TempFolder temp_{"kesmprint-concurrent"};
  const fs::path folder_ = temp_.path();
};

TEST_F(ConcurrentRuns, EightProcessesOnOneMachineEachPrintTheirOwnDocumentRoundAfterRound) {
  for (int round = 1; round <= kRounds; ++round) {
    std::vector<std::unique_ptr<ProgramRun>> runs;
    std::vector<std::string> lines;
    for (int i = 1; i <= kProcesses; ++i) {
      const std::string id = std::to_string(round) + "-" + std::to_string(i);
      const fs::path folder = folder_ / ("round" + id);
      const std::string document = "doc" + std::to_string(i) + ".txt";
      lines.push_back("document " + id + " of round " + std::to_string(round));
      WriteDocument(folder / document, {lines.back()});
      runs.push_back(std::make_unique<ProgramRun>(folder, machine(), document));
    }
    for (int i = 0; i < kProcesses; ++i) {
      SCOPED_TRACE("round " + std::to_string(round) + ", process " + std::to_string(i + 1));
      ExpectOwnStream(*runs[i], "doc" + std::to_string(i + 1) + ".txt", 1, {lines[i]});
    }
  }
}

// Rounds of short jobs go on while the long one prints (two at least, so
// that some start while it prints however fast it is).
TEST_F(ConcurrentRuns, ShortJobsBesideALongOneAllPrintTheirOwnDocuments) {
  constexpr std::size_t kLongPages = 4000;
  constexpr int kMaxRounds = 8;
  std::vector<std::string> longPages;
  for (std::size_t page = 1; page <= kLongPages; ++page) longPages.push_back("long page " + std::to_string(page));
  WriteDocument(folder_ / "long" / "long.txt", longPages);
  ProgramRun longRun(folder_ / "long", machine(), "long.txt");
  while (!longRun.Said("  page 2 of ")) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  for (int round = 1; round <= 2 || (round <= kMaxRounds && !longRun.Ended()); ++round) {
    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (int i = 1; i < kProcesses; ++i) {
      const std::string id = std::to_string(round) + "-" + std::to_string(i);
      WriteDocument(folder_ / ("short" + id) / "short.txt", {"short " + id});
      runs.push_back(std::make_unique<ProgramRun>(folder_ / ("short" + id), machine(), "short.txt"));
    }
    for (int i = 0; i + 1 < kProcesses; ++i) {
      SCOPED_TRACE("round " + std::to_string(round) + ", process " + std::to_string(i + 1));
      ExpectOwnStream(*runs[i], "short.txt", 1, {"short " + std::to_string(round) + "-" + std::to_string(i + 1)});
    }
  }
  ExpectOwnStream(longRun, "long.txt", kLongPages, {"long page 1", "long page 2000", "long page 4000"});
}

}  // namespace
