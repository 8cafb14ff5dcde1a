#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/sync/command_line.h"
#include "platform/base/machine.h"
#include "platform/system/sysfacts_control.h"
#include "platform/base/winerror.h"
#include "platform/sync/winprocess.h"

namespace {

namespace fs = std::filesystem;

// Writes an executable shell script at a path of drive C.
void MakeScript(const fs::path& relative, const std::string& body, bool executable = true) {
  fs::path file = plat::DriveRoot() / relative;
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
  chmod(file.c_str(), executable ? 0755 : 0644);
}

std::string ReadFile(const fs::path& file) {
  std::ostringstream text;
  text << std::ifstream(file).rdbuf();
  return text.str();
}

// Starts a command line; returns the error (ERROR_SUCCESS when started).
DWORD Start(const WCHAR* application, std::u16string commandLine, const WCHAR* directory,
            PROCESS_INFORMATION* info) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  BOOL ok = CreateProcessW(application, commandLine.empty() ? nullptr : commandLine.data(),
                           nullptr, nullptr, FALSE, 0, nullptr, directory, &startup, info);
  return ok ? ERROR_SUCCESS : GetLastError();
}

DWORD RunToEnd(const WCHAR* application, std::u16string commandLine, const WCHAR* directory) {
  PROCESS_INFORMATION info{};
  DWORD error = Start(application, std::move(commandLine), directory, &info);
  if (error != ERROR_SUCCESS) return 1000000 + error;
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(info.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(info.hProcess, &code)) {
    code = 2000000;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return code;
}

TEST(CommandLine, SplitsAsTheCRuntime) {
  struct Case {
    std::u16string line;
    std::vector<std::u16string> args;
  };
  const std::vector<Case> cases = {
      {u"", {}},
      {u"  prog  a   b ", {u"prog", u"a", u"b"}},
      {u"\"C:\\Program Files\\x.exe\" \"b c\"", {u"C:\\Program Files\\x.exe", u"b c"}},
      {u"p a\\\\\"b c\" d", {u"p", u"a\\b c", u"d"}},
      {u"p a\\\\\\\"b", {u"p", u"a\\\"b"}},
      {u"p a\\b\\c", {u"p", u"a\\b\\c"}},
      {u"p \"a\"\"b\"", {u"p", u"a\"b"}},
      {u"p \"\"", {u"p", u""}},
      {u"C:\\dir\\\"x y\"z\\ q", {u"C:\\dir\\x yz\\", u"q"}},
  };
  for (const Case& c : cases) EXPECT_EQ(plat::SplitCommandLine(c.line), c.args);
}

TEST(CommandLine, ProgramCandidatesTryEachBlank) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(plat::ProgramCandidates(u"C:\\Program Files\\a b  c "),
            (V{u"C:\\Program", u"C:\\Program Files\\a", u"C:\\Program Files\\a b", u"C:\\Program Files\\a b  c"}));
  EXPECT_EQ(plat::ProgramCandidates(u" \"C:\\a b\\c\" d"), V{u"C:\\a b\\c"});
  EXPECT_EQ(plat::ProgramCandidates(u"   "), V{});
}

TEST(Process, RunsInItsDirectoryWithItsArgumentsAndExitCode) {
  plat::ScopedMachine machine;
  MakeScript("Program Files/Kesm/expand.exe",
             "pwd > where.txt; for a in \"$@\"; do printf '%s\\n' \"$a\"; done > args.txt; exit 3");
  EXPECT_EQ(RunToEnd(nullptr, u"\"c:\\program files\\KESM\\Expand.exe\" -x \"b c\" d\\\"e",
                     u"C:\\WINDOWS\\system32"),
            3u);
  fs::path system32 = plat::DriveRoot() / "Windows" / "System32";
  std::string where = ReadFile(system32 / "where.txt");
  ASSERT_FALSE(where.empty());
  EXPECT_TRUE(fs::equivalent(where.substr(0, where.size() - 1), system32));
  EXPECT_EQ(ReadFile(system32 / "args.txt"), "-x\nb c\nd\"e\n");

  fs::create_directories(plat::DriveRoot() / "Temp");
  EXPECT_EQ(RunToEnd(nullptr, u"\"C:\\Program Files\\Kesm\\expand.exe\"", u"C:\\Temp"), 3u);
  EXPECT_TRUE(fs::exists(plat::DriveRoot() / "Temp" / "where.txt"));
  fs::remove(system32 / "where.txt");
  EXPECT_EQ(RunToEnd(nullptr, u"\"C:\\Program Files\\Kesm\\expand.exe\"", nullptr), 3u);
  EXPECT_TRUE(fs::exists(system32 / "where.txt"));  // the machine's current directory
}

TEST(Process, ApplicationNameAndSearch) {
  plat::ScopedMachine machine;
  MakeScript("Program Files/Kesm/expand.exe", "exit 4");
  MakeScript("Windows/System32/tool.exe", "exit 5");
  MakeScript("Windows/helper.cmd", "exit 6");
  ASSERT_TRUE(plat::SetEnvironmentValue(u"PATH", u"C:\\Tools;C:\\Program Files\\Kesm"));
  struct Case {
    const WCHAR* application;
    std::u16string commandLine;
    DWORD code;
  };
  const Case cases[] = {
      {u"C:\\Program Files\\Kesm\\expand.exe", u"", 4},
      {u"C:\\Program Files\\Kesm\\expand.exe", u"anything -y", 4},
      {nullptr, u"C:\\Program Files\\Kesm\\expand -y", 4},  // unquoted, with blanks
      {nullptr, u"tool /q", 5},                              // system directory, ".exe" added
      {nullptr, u"helper.cmd", 6},                           // Windows directory
      {nullptr, u"EXPAND", 4},                               // machine PATH
      {u"tool.exe", u"", 5},                    // relative to the current directory
      {u"helper.cmd", u"", 1000000 + ERROR_FILE_NOT_FOUND},  // an application name is not searched
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunToEnd(c.application, c.commandLine, nullptr), c.code)
        << std::string(c.commandLine.begin(), c.commandLine.end());
  }
}

TEST(Process, FailuresToStart) {
  plat::ScopedMachine machine;
  MakeScript("Kesm/plain.exe", "exit 0", false);
  MakeScript("Kesm/run.exe", "exit 0");
  std::ofstream(plat::DriveRoot() / "Kesm" / "text.exe") << "no program\n";
  chmod((plat::DriveRoot() / "Kesm" / "text.exe").c_str(), 0755);
  struct Case {
    const WCHAR* application;
    std::u16string commandLine;
    const WCHAR* directory;
    DWORD error;
  };
  const Case cases[] = {
      {u"C:\\Kesm\\missing.exe", u"", nullptr, ERROR_FILE_NOT_FOUND},
      {nullptr, u"C:\\Kesm\\missing.exe /a", nullptr, ERROR_FILE_NOT_FOUND},
      {nullptr, u"missing", nullptr, ERROR_FILE_NOT_FOUND},
      {u"C:\\NoSuchDir\\x.exe", u"", nullptr, ERROR_PATH_NOT_FOUND},
      {u"C:\\Kesm\\run.exe", u"", u"C:\\NoSuchDir", ERROR_DIRECTORY},
      {u"C:\\Kesm\\run.exe", u"", u"C:\\Kesm\\run.exe", ERROR_DIRECTORY},
      {u"C:\\Kesm", u"", nullptr, ERROR_ACCESS_DENIED},
      {u"C:\\Kesm\\plain.exe", u"", nullptr, ERROR_ACCESS_DENIED},
      {u"C:\\Kesm\\text.exe", u"", nullptr, ERROR_BAD_EXE_FORMAT},
  };
  for (const Case& c : cases) {
    PROCESS_INFORMATION info{};
    EXPECT_EQ(Start(c.application, c.commandLine, c.directory, &info), c.error)
        << std::string(c.commandLine.begin(), c.commandLine.end());
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  EXPECT_FALSE(CreateProcessW(u"C:\\Kesm\\run.exe", nullptr, nullptr, nullptr, FALSE,
                              CREATE_SUSPENDED, nullptr, nullptr, &startup, &info));
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
}

TEST(Process, StillActiveUntilItEnds) {
  plat::ScopedMachine machine;
  MakeScript("Kesm/waiter.exe", "while [ ! -e go ]; do sleep 0.01; done; exit 7");
  PROCESS_INFORMATION info{};
  ASSERT_EQ(Start(nullptr, u"C:\\Kesm\\waiter.exe", u"C:\\Kesm", &info), ERROR_SUCCESS);
  EXPECT_NE(info.dwProcessId, 0u);
  DWORD code = 0;
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(info.hThread, 10), WAIT_TIMEOUT);
  ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  std::ofstream(plat::DriveRoot() / "Kesm" / "go") << "";
  EXPECT_EQ(WaitForSingleObject(info.hThread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_FALSE(GetExitCodeProcess(info.hThread, &code));  // a thread is not a process
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_TRUE(CloseHandle(info.hProcess));
}

}  // namespace
