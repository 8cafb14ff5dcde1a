#if !KESM_KERNEL_MODE
#include "storage/install/expand_files.h"

#include <array>
#include <optional>
#include <string>

#include "platform/sync/winprocess.h"
#include "platform/text/wintext.h"
#include "settings/context/context_names.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/install/install_ini.h"
#include "storage/stores/store_ini.h"

namespace {

constexpr const WCHAR* kSection = u"Expand File";

struct ProgramList {
  LPCWSTR countKey;
  LPCWSTR nameFormat;
  bool inSystemDirectory;
};
constexpr ProgramList kLists[] = {
    {u"SystemDirfiles", u"SystemDir%d", true},
    {u"DriverDirfiles", u"DriverDir%d", false},
};

// A file name of its own: no folder, drive or parent part.
bool IsBareName(std::u16string_view name) {
  return !name.empty() && name != u"." && name != u".." &&
         name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

// Starts the program hidden and waits for it; true when it ended in time.
bool Run(const std::u16string& program, const std::u16string& directory, DWORD waitMilliseconds) {
  std::u16string commandLine = u"\"" + program + u"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                      &startup, &process)) {
    return false;
  }
  const DWORD waited = WaitForSingleObject(process.hProcess, waitMilliseconds);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return waited == WAIT_OBJECT_0;
}

}  // namespace

int ExpandDriverFilesWithin(UCB* ucb, DWORD waitMilliseconds) {
  LPCWSTR driverIni = storage::DriverIniOf(ucb);
  const std::u16string driverDirectory(storage::View(GetInstallDirectory(ucb)));
  const std::u16string systemDirectory = storage::SystemDirectory();
  if (driverIni == nullptr || driverDirectory.empty() || systemDirectory.empty()) return 0;
  int ended = 0;
  for (const ProgramList& list : kLists) {
    const int count = storage::ReadStoreCount(kSection, list.countKey, driverIni, kExpandProgramsMax);
    for (int i = 1; i <= count; ++i) {
      std::array<WCHAR, 32> key{};
      wnsprintfW(key.data(), static_cast<int>(key.size()), list.nameFormat, i);
      const std::optional<std::u16string> name = storage::ReadWholeValue(kSection, key.data(), driverIni, MAX_PATH - 1);
      if (!name.has_value() || !IsBareName(*name)) continue;
      const std::u16string program = storage::JoinPath(driverDirectory, *name);
      if (program.size() >= MAX_PATH) continue;
      if (Run(program, list.inSystemDirectory ? systemDirectory : driverDirectory, waitMilliseconds)) ++ended;
    }
  }
  return ended;
}
#endif
