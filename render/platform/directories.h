// Directories of the kernel-mode build, taken from paths the work area
// holds: the printer's data file lies in the driver directory, four folders
// below the system root (D:\W\S\spool\DRIVERS\W32X86\3\kesm.kpd gives the
// driver directory D:\W\S\spool\DRIVERS\W32X86\3 and D:\W\S). Each returns
// the length of what it wrote.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The work area's data file name cut at its (level + 1)-th backslash from
// the end (the backslash removed). An empty destination and 0 when the name
// has fewer backslashes or is 260 characters or longer, for a negative
// level, for a context without a work area, or when size is below 260.
DWORD _KMGetDirectory(LPWSTR destination, DWORD size, UCB* ucb, int level);
// Level 0: the folder of the data file (the driver directory).
DWORD KMGetDriverDirectory(LPWSTR destination, DWORD size, UCB* ucb);
// Level 4: the system root.
DWORD KMGetSystemDirectory(LPWSTR destination, DWORD size, UCB* ucb);
// The work area's install directory (the driver directory and a backslash)
// cut at its fifth backslash from the end; empty and 0 when the install
// directory is empty, 260 characters or longer or has fewer backslashes, or
// size is below 260.
DWORD KMGetSystemDirectory2(LPWSTR destination, DWORD size, UCB* ucb);
// KMGetSystemDirectory2, a backslash and the file name when all of it and
// its terminator fit in size characters; otherwise, and when that directory
// is unknown, the destination is emptied and the result is 0. A null
// destination or name, or a zero size, leaves the destination unchanged.
DWORD KMAddSystemDirToFileName(LPWSTR destination, DWORD size, LPCWSTR fileName, UCB* ucb);
// The same in the folder where the configuration library keeps its shared
// files, chosen as it chooses: on Windows 2000 and later
// (IsOsLaterWin2000) the default dummy system directory
// (KM_UM_GetDummySystemDirectory), before that KMGetSystemDirectory2.
DWORD KMAddSharedDirToFileName(LPWSTR destination, DWORD size, LPCWSTR fileName, UCB* ucb);
