// The default set file of a batch install: named by the driver-install INI
// ("KESM.ini", the administrator's) or by the driver INI (the driver
// package's .rsb), and remembered in the per-user settings INI.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// "DefaultRst" of the driver INI's driver-name section, of the
// driver-install INI's printer section, or of the settings INI's printer
// section, into a buffer of MAX_PATH + 1 characters; TRUE when a value was
// found (a value of MAX_PATH characters or more is refused).
BOOL GetDefaultRstFileNameFromIni(LPWSTR buffer, UCB* ucb);
BOOL GetDefaultRstFileNameFromIniForDrvInst(LPWSTR buffer, UCB* ucb);
BOOL GetDefaultRstFileNameFromIniForRefresh(LPWSTR buffer, UCB* ucb);
// A file name with a base and a one-to-three-character extension, of a
// file that exists; the second also needs the extension "rsb".
BOOL IsAvailableDefaultRstFileNameForDrvInst(LPCWSTR path);
BOOL IsAvailableDefaultRstFileName(LPCWSTR path);

// The batch install of the driver-install INI's printer section: the
// default set file's settings, presets, quality sets, free sizes and
// watermarks, then the section marked done. A failed install leaves the
// settings as they were. Returns 1 when the set file was installed.
BOOL GetDefaultRstForDrvInst(DWORD flags, UCB* ucb);
// Without a driver-install INI: the driver INI's .rsb default set file.
// Returns 1.
BOOL GetDefaultRstForInstall(DWORD flags, DWORD type, UCB* ucb);
// Install step of the driver-install INI: the default set file's templates
// copied into place, then user code, user id and owner name. 0 without a
// driver-install INI, and when the printer's section names no default set
// file (the section is then marked done).
BOOL CopyFilesForDrvInst(UCB* ucb);
#endif
