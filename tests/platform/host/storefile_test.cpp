// Locked whole-file stores shared by the processes of a machine: writers
// of several processes at once lose nothing, a write cut short (a full
// disk) never shows, and readers of a store that others keep rewriting
// always read one whole version of it.
#include "platform/host/storefile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/host/storecache.h"
#include "tests/platform/child_process.h"

namespace {

namespace fs = std::filesystem;

fs::path StoreFile() { return plat::MachineRoot() / "system" / "lines.store"; }

// The toy store: lines of text, each "<writer> <count>".
std::string Text(const std::vector<BYTE>& bytes) { return {bytes.begin(), bytes.end()}; }

DWORD Append(const std::string& line) {
  return plat::store::Update(StoreFile(), [&](std::vector<BYTE>& bytes) {
    bytes.insert(bytes.end(), line.begin(), line.end());
    bytes.push_back('\n');
    return DWORD{ERROR_SUCCESS};
  });
}

std::string Load() {
  std::vector<BYTE> bytes;
  EXPECT_EQ(plat::store::Load(StoreFile(), bytes), ERROR_SUCCESS);
  return Text(bytes);
}

// A version of the store whose every byte tells its version: n bytes of the
// letter 'a' + n % 26 and a final '.', so a reader can tell a whole version
// from a mix or a part of two.
std::vector<BYTE> Version(std::size_t n) {
  std::vector<BYTE> bytes(1000 + (n % 7) * 5000, static_cast<BYTE>('a' + n % 26));
  bytes.push_back('.');
  return bytes;
}

bool IsWholeVersion(std::span<const BYTE> bytes) {
  if (bytes.empty()) return true;  // not written yet
  if (bytes.back() != '.') return false;
  for (std::size_t n = 0; n < 7; ++n) {
    if (bytes.size() == 1001 + n * 5000) {
      return std::all_of(bytes.begin(), bytes.end() - 1, [&](BYTE b) { return b == bytes.front(); });
    }
  }
  return false;
}

DWORD DecodeWhole(std::span<const BYTE> bytes, std::size_t& size) {
  size = bytes.size();
  return IsWholeVersion(bytes) ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}

TEST(StoreFile, WritersOfManyProcessesAtOnceLoseNothing) {
  plat::ScopedMachine machine;
  constexpr int kWriters = 8;
  constexpr int kLinesEach = 25;
  std::vector<std::function<int()>> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back([w] {
      for (int i = 0; i < kLinesEach; ++i) {
        if (Append(std::to_string(w) + " " + std::to_string(i)) != ERROR_SUCCESS) return 1;
      }
      return 0;
    });
  }
  EXPECT_EQ(RunInChildren(writers), std::vector<int>(kWriters, 0));
  const std::string text = Load();
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kLinesEach; ++i) {
      const std::string line = std::to_string(w) + " " + std::to_string(i) + "\n";
      EXPECT_NE(text.find(line), std::string::npos) << line;
    }
  }
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kWriters * kLinesEach);
}

// A process whose writes stop short (its file size limit stands for a full
// disk) fails the update and leaves the store as it was, with no
// temporary file behind.
TEST(StoreFile, AWriteCutShortNeverShows) {
  plat::ScopedMachine machine;
  ASSERT_EQ(Append("kept"), ERROR_SUCCESS);
  const int code = RunInChild([] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return Append(std::string(64 * 1024, 'x')) == ERROR_CANTWRITE ? 0 : 1;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Load(), "kept\n");
  for (const auto& entry : fs::directory_iterator(StoreFile().parent_path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "lines.store" || name == "lines.store.lock") << name;
  }
}

// Readers, cached and direct, never see a part of a version while other
// processes keep replacing the store with versions of other sizes.
TEST(StoreFile, ReadersSeeWholeVersionsWhileOthersRewrite) {
  plat::ScopedMachine machine;
  constexpr int kWriters = 3;
  constexpr int kVersionsEach = 60;
  std::vector<std::function<int()>> bodies;
  for (int w = 0; w < kWriters; ++w) {
    bodies.push_back([w] {
      for (int i = 0; i < kVersionsEach; ++i) {
        const std::vector<BYTE> next = Version(static_cast<std::size_t>(w * kVersionsEach + i));
        const DWORD rc = plat::store::Update(StoreFile(), [&](std::vector<BYTE>& bytes) {
          bytes = next;
          return DWORD{ERROR_SUCCESS};
        });
        if (rc != ERROR_SUCCESS) return 1;
      }
      return 0;
    });
  }
  for (int r = 0; r < 2; ++r) {
    bodies.push_back([] {
      plat::store::CachedStore<std::size_t, DecodeWhole> cached(StoreFile);
      for (int i = 0; i < 300; ++i) {
        std::vector<BYTE> bytes;
        if (plat::store::Load(StoreFile(), bytes) != ERROR_SUCCESS || !IsWholeVersion(bytes)) return 1;
        std::shared_ptr<const std::size_t> size;
        if (cached.Get(i % 2 == 0, size) != ERROR_SUCCESS) return 1;
      }
      return 0;
    });
  }
  EXPECT_EQ(RunInChildren(bodies), std::vector<int>(bodies.size(), 0));
  std::vector<BYTE> last;
  ASSERT_EQ(plat::store::Load(StoreFile(), last), ERROR_SUCCESS);
  EXPECT_TRUE(IsWholeVersion(last));
}

}  // namespace
