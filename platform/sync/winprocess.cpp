// CreateProcessW over posix_spawn, and the process queries.
#include "platform/sync/winprocess.h"

#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/sync/command_line.h"
#include "platform/sync/process_object.h"
#include "platform/system/sysfacts.h"
#include "platform/text/utf.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"

extern char** environ;

namespace plat {
namespace {

std::u16string WithDefaultExtension(std::u16string_view name) {
  std::size_t start = name.find_last_of(u"\\/");
  std::u16string_view file = name.substr(start == std::u16string_view::npos ? 0 : start + 1);
  std::u16string result(name);
  if (file.find(u'.') == std::u16string_view::npos) result += u".exe";
  return result;
}

// A name is looked for in the search directories unless it names a folder
// (names with a drive or a separator are taken as written).
bool IsBareName(std::u16string_view name) {
  return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

// The program file of a Windows name (relative names against the current
// directory).
DWORD ProgramAt(const std::u16string& name, std::filesystem::path* host) {
  auto resolved = ResolvePath(name.c_str());
  if (!resolved) return GetLastError() == ERROR_INVALID_NAME ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND;
  std::error_code ec;
  if (!std::filesystem::exists(resolved->host, ec)) return ERROR_FILE_NOT_FOUND;
  if (!std::filesystem::is_regular_file(resolved->host, ec)) return ERROR_ACCESS_DENIED;
  *host = resolved->host;
  return ERROR_SUCCESS;
}

// Where a bare program name is looked for: the current directory, the
// system and Windows directories, then the machine's PATH.
std::vector<std::u16string> SearchDirectories() {
  std::vector<std::u16string> dirs = {CurrentDirectory(), SystemDirectory(), WindowsDirectory()};
  const std::u16string path = EnvironmentValue(u"PATH").value_or(u"");
  std::u16string_view rest = path;
  while (!rest.empty()) {
    std::size_t end = rest.find(u';');
    if (end != 0) dirs.emplace_back(rest.substr(0, end));
    rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
  }
  return dirs;
}

DWORD FindProgram(std::u16string_view name, std::filesystem::path* host) {
  if (name.empty()) return ERROR_FILE_NOT_FOUND;
  if (!IsBareName(name)) return ProgramAt(std::u16string(name), host);
  for (const std::u16string& dir : SearchDirectories()) {
    if (ProgramAt(dir + u"\\" + std::u16string(name), host) == ERROR_SUCCESS) return ERROR_SUCCESS;
  }
  return ERROR_FILE_NOT_FOUND;
}

// The module to run: the application name as given (no search, no added
// extension), or the first command-line prefix that names a program.
DWORD ResolveModule(LPCWSTR applicationName, LPCWSTR commandLine, std::filesystem::path* host) {
  if (applicationName != nullptr) return ProgramAt(applicationName, host);
  DWORD firstError = ERROR_FILE_NOT_FOUND;
  bool first = true;
  for (const std::u16string& candidate : ProgramCandidates(commandLine)) {
    DWORD error = FindProgram(WithDefaultExtension(candidate), host);
    if (error == ERROR_SUCCESS) return error;
    if (first) firstError = error;
    first = false;
  }
  return firstError;
}

// The host folder the program starts in: the given one, or the machine's
// current directory, as a child inherits it on Windows.
DWORD WorkingDirectory(LPCWSTR currentDirectory, std::filesystem::path* host) {
  auto resolved = ResolvePath(currentDirectory != nullptr ? currentDirectory : CurrentDirectory().c_str());
  std::error_code ec;
  if (!resolved || !std::filesystem::is_directory(resolved->host, ec)) return ERROR_DIRECTORY;
  *host = resolved->host;
  return ERROR_SUCCESS;
}

DWORD SpawnError(int error) {
  switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_DIRECTORY;
    case ENOEXEC: return ERROR_BAD_EXE_FORMAT;
    case ENOMEM:
    case EAGAIN: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_ACCESS_DENIED;
  }
}

// Starts the host program; the child's pid, or the Windows error.
DWORD Spawn(const std::filesystem::path& program, const std::vector<std::u16string>& args,
            const std::filesystem::path& directory, pid_t* pid) {
  std::vector<std::string> utf8;
  for (const auto& arg : args) utf8.push_back(utf::ToUtf8(arg));
  std::vector<char*> argv;
  for (auto& arg : utf8) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return ERROR_NOT_ENOUGH_MEMORY;
  int error = posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  if (error == 0) error = posix_spawn(pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? ERROR_SUCCESS : SpawnError(error);
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace
}  // namespace plat

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }
HANDLE GetCurrentThread() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2)); }

BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES,
                    LPSECURITY_ATTRIBUTES, BOOL, DWORD creationFlags, LPVOID environment,
                    LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                    LPPROCESS_INFORMATION processInformation) {
  if (startupInfo == nullptr || processInformation == nullptr ||
      (applicationName == nullptr && commandLine == nullptr)) {
    return plat::Fail(ERROR_INVALID_PARAMETER);
  }
  if (environment != nullptr || (creationFlags & CREATE_SUSPENDED) != 0) {
    return plat::Fail(ERROR_NOT_SUPPORTED);
  }
  std::filesystem::path program, directory;
  DWORD error = plat::ResolveModule(applicationName, commandLine, &program);
  if (error == ERROR_SUCCESS) error = plat::WorkingDirectory(currentDirectory, &directory);
  if (error != ERROR_SUCCESS) return plat::Fail(error);

  auto args = plat::SplitCommandLine(commandLine != nullptr ? commandLine : applicationName);
  if (args.empty()) args.emplace_back(applicationName);
  pid_t pid = 0;
  error = plat::Spawn(program, args, directory, &pid);
  if (error != ERROR_SUCCESS) return plat::Fail(error);

  auto child = std::make_shared<plat::ChildProcess>(pid);
  processInformation->hProcess = plat::NewHandle(std::make_shared<plat::ProcessObject>(child));
  processInformation->hThread = plat::NewHandle(std::make_shared<plat::ThreadObject>(child));
  processInformation->dwProcessId = static_cast<DWORD>(pid);
  processInformation->dwThreadId = static_cast<DWORD>(pid);
  return TRUE;
}

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
  auto object = plat::HandleAs<plat::ProcessObject>(process);
  if (!object) return FALSE;
  if (exitCode == nullptr) return plat::Fail(ERROR_INVALID_PARAMETER);
  *exitCode = object->child().ExitCode();
  return TRUE;
}
