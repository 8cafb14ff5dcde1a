// Putting a copy of a host file in place of another that running processes
// may have open, mapped or loaded (a driver module, a description): the
// file is replaced only when its bytes change, and then by a rename, never
// by writing over it. Internal to platform/ and the tools that set up a
// machine.
#pragma once

#include <filesystem>

#include "platform/base/wintypes.h"

namespace plat::hostfile {

// Makes target hold the bytes of source. When target already holds them it
// is left alone. Otherwise the bytes go to a new temporary file beside
// target, are flushed, and the temporary file is renamed over target: a
// process that had target keeps the file it had, and no process ever finds
// a part of the new one under target's name. On failure target is as it
// was and no temporary file remains. replaced (when given) tells whether
// target was replaced. ERROR_SUCCESS, ERROR_FILE_NOT_FOUND (no source
// file), ERROR_READ_FAULT, ERROR_DISK_FULL, or the host's error of the
// temporary file or the rename.
DWORD InstallCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                  bool* replaced = nullptr);

}  // namespace plat::hostfile
