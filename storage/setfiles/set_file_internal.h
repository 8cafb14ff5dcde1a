// What the set-file sources share. Internal to storage/setfiles/.
#pragma once

#include <array>
#include <memory>

#include "platform/base/wintypes.h"
#include "storage/ini/ini_script.h"
#include "storage/setfiles/set_file.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// A plain read or write: no bit but the direction and kSetFileNoAlert.
constexpr bool IsPlainSetFileFlags(DWORD flags) {
  return (flags & ~(kSetFileRead | kSetFileWrite | kSetFileNoAlert)) == 0;
}

// Whether the section whose body is given is no longer than a section the
// walk can write (kSetFileScriptBytes, its header included); a longer one
// is no set file of this driver and is not read.
bool SectionFitsScript(LPCWSTR section, LPCSTR body);

// The path of kExportCompanionFile in the shared directory; false when it
// cannot be built.
bool ExportCompanionPath(UCB* ucb, std::array<WCHAR, MAX_PATH + 1>& path);

}  // namespace storage
#endif
