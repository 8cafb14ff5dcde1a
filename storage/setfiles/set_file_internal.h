// What the set-file sources share. Internal to storage/setfiles/.
#pragma once

#include <array>

#include "platform/base/wintypes.h"
#include "storage/setfiles/set_file.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// A plain read or write: no bit but the direction and kSetFileNoAlert.
constexpr bool IsPlainSetFileFlags(DWORD flags) {
  return (flags & ~(kSetFileRead | kSetFileWrite | kSetFileNoAlert)) == 0;
}

// The path of kExportCompanionFile in the shared directory; false when it
// cannot be built.
bool ExportCompanionPath(UCB* ucb, std::array<WCHAR, MAX_PATH + 1>& path);

}  // namespace storage
#endif
