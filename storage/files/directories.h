// The well-known directories of the storage code: the system directory, the
// shared directory of INI and set files, and the per-user directory. Each
// fills a caller buffer of size characters and returns the length; on any
// failure, also when the directory does not fit, the result is 0 and the
// buffer is emptied. The kernel-mode build takes these directories from the
// paths its work area holds (render/platform/directories.h).
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if KESM_KERNEL_MODE
// The system root above the printer's data file (KMGetSystemDirectory); size
// at least 260.
DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb);
// The folder of the settings INI path that user mode sent (the path without
// its last backslash and file name); 0 when the work area holds no path or
// the path has no backslash.
DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
#else
// The Windows system directory; the context is not used.
DWORD KM_UM_GetSystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
// The shared directory: the dummy system directory on Windows 2000 and
// later, the system directory before.
DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb);
DWORD UM_GetSystemDirectoryExWithoutUCB(LPWSTR buffer, DWORD size, HANDLE printer);
// The per-user directory: the folder of the context's settings INI path
// when that path is absolute; else the user's profile folder followed by
// "\_kesm" (Windows 2000 and later), or the system directory followed by
// "\talvo\_kesm\" and the last component of the profile folder (NT 4.0).
DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
DWORD UM_GetProfileDirectoryWithoutUCB(LPWSTR buffer, DWORD size);
// The user's profile folder from "GetUserProfileDirectoryW" of
// "UserEnv.dll" for the thread's (else the process's) token; FALSE when the
// library, the token or the export is missing or the call fails.
BOOL MyGetUserProfileDirectoryWithoutUCB(LPWSTR buffer, DWORD size);
// The environment value "SystemRoot"; FALSE when it is not set or does not
// fit.
BOOL GetWindowsDirName(LPWSTR buffer, DWORD size);
#endif
