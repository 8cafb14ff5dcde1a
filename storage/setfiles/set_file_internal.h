// What the set-file sources share. Internal to storage/setfiles/.
#pragma once

#include <array>
#include <memory>

#include "platform/base/wintypes.h"
#include "storage/ini/ini_script.h"
#include "storage/setfiles/set_file.h"

struct UCB;

namespace storage {

// Rows a walk takes: function ids 1-953 but the private header, the
// run-time flags and the dialogs' work settings (rows 598-750); rows of
// the public fields are stored under their id when unnamed.
inline constexpr int kSetFileLastRow = 952;
inline constexpr int kSetFileSkippedRowsFirst = 598;
inline constexpr int kSetFileSkippedRowsLast = 750;
inline constexpr int kSetFileLastPublicRow = 33;

// Classes of a record's flags.
inline constexpr WORD kSetFileClassPreset = 0x000C;
inline constexpr WORD kSetFileClassQuality = 0x0030;
inline constexpr WORD kSetFileClassWatermark = 0x00C0;

}  // namespace storage

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
