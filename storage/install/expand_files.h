// The programs the driver INI names to expand packed driver files at
// install (section "Expand File"): "SystemDirfiles" programs "SystemDir<n>"
// run in the system directory, "DriverDirfiles" programs "DriverDir<n>" in
// the driver directory, one after the other, hidden.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// A program is waited for this long before the next one starts.
inline constexpr DWORD kExpandWaitMilliseconds = 120000;
// Each list is read up to this many entries.
inline constexpr int kExpandProgramsMax = 32;

#if !KESM_KERNEL_MODE
// Runs the programs. Only bare file names of the driver directory are run
// (a name with a folder, a drive or ".." is skipped), and each is waited
// for at most waitMilliseconds; one that cannot be started or does not end
// in time is left and the next one starts. Returns the number of programs
// that ran to their end.
int ExpandDriverFilesWithin(UCB* ucb, DWORD waitMilliseconds);
inline int ExpandDriverFiles(UCB* ucb) { return ExpandDriverFilesWithin(ucb, kExpandWaitMilliseconds); }
#endif
