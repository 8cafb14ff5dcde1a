// Support for the storage tests: a printer context with a work area, host
// access to files of the machine's drive C:, and running checks in a child
// process.
//
// Some answers are decided once per process and kept (Windows version,
// terminal-server mode, client driver). A test whose code asks one of them
// runs its checks in a child (InChild), which starts as a new process
// would: with every such answer forgotten, whatever other tests of the test
// process decided before.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "platform/text/codepage.h"
#include "platform/base/control.h"
#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/files/winfile.h"
#include "settings/context/context_block.h"
#include "storage/system/printer_info.h"
#include "storage/system/system_info.h"
#include "tests/platform/drive_files.h"
#include "tests/platform/scoped_acp.h"

namespace storage_test {

// A context as the storage code sees it: the printer handle and a work area.
struct Context {
  Context() { ucb.pWork = work.get(); }
  std::unique_ptr<WORKAREA> work = std::make_unique<WORKAREA>();
  UCB ucb{};
  UCB* operator->() { return &ucb; }
  UCB* get() { return &ucb; }
};

// Files of drive C:, by their path below the drive's root ("kesm/a.ini" is
// C:\kesm\a.ini).
using drive::Exists;
using drive::Get;
using drive::Host;
using drive::Put;

// Sets the last-write time of a file to {low, 0x01D00000}.
inline void SetWriteTime(LPCWSTR path, DWORD low) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const FILETIME time{low, 0x01D00000};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);
}
// Number of entries of a folder of the drive.
inline int CountEntries(std::string_view relative) {
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Host(relative))) {
    (void)entry;
    ++n;
  }
  return n;
}

// A fixture file of tests/data/storage.
inline std::string Fixture(std::string_view name) {
  std::ifstream in(std::filesystem::path(KESM_TEST_DATA) / "storage" / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A forked child stands for a new process: whatever earlier tests of the
// test process decided for the process is forgotten.
inline void StartAsNewProcess() {
#if !KESM_KERNEL_MODE  // the kernel-mode build keeps no such answers but this one
  ForgetOsVersionAnswer();
  ForgetPerUserIniAnswer();
#endif
  ForgetClientDriverAnswer();
}

// Runs body in a forked child and returns the text it gives back (through
// a pipe), or "<child failed>".
inline std::u16string InOtherProcess(const std::function<std::u16string()>& body) {
  int fds[2];
  if (pipe(fds) != 0) return u"<child failed>";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    StartAsNewProcess();
    const std::u16string result = body();
    const auto bytes = static_cast<ssize_t>(result.size() * sizeof(char16_t));
    const bool written = write(fds[1], result.data(), static_cast<size_t>(bytes)) == bytes;
    _exit(written ? 0 : 1);
  }
  close(fds[1]);
  std::string bytes;
  char chunk[512];
  for (ssize_t n; (n = read(fds[0], chunk, sizeof chunk)) > 0;) {
    bytes.append(chunk, static_cast<size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return u"<child failed>";
  }
  return std::u16string(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
}

// Runs checks (gtest assertions) in a forked child, which reports their
// failures; the test fails too when any of them failed.
inline void InChild(const std::function<void()>& checks) {
  const ::testing::TestResult* result =
      ::testing::UnitTest::GetInstance()->current_test_info()->result();
  const int before = result->total_part_count();
  const pid_t pid = fork();
  if (pid == 0) {
    StartAsNewProcess();
    checks();
    bool failed = false;
    for (int i = before; i < result->total_part_count(); ++i) {
      failed = failed || result->GetTestPartResult(i).failed();
    }
    _exit(failed ? 1 : 0);
  }
  int status = 0;
  const bool passed =
      pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  EXPECT_TRUE(passed) << "checks in a child process failed (reported above)";
}

using ::ScopedAnsiCodePage;

}  // namespace storage_test
