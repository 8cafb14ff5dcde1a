// The kernel-mode side of the platform names the shared code calls: the
// rendering library may only ask the graphics engine, so its directories
// come from the path of the printer's data file and the settings INI path
// delivered with the document, and printer data is read through the engine.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if KESM_KERNEL_MODE
// The printer-data value "DriverName" (at most 64 bytes) into buffer, which
// holds 32 characters; TRUE when read.
BOOL GetDriverNameFromReg(HANDLE printer, LPWSTR buffer, UCB* ucb);
// The folder of the printer's data file (work area), without a trailing
// "\"; returns its length, 0 when unknown. size at least MAX_PATH.
DWORD KMGetDriverDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
// Directories taken from the data file's path and the per-user INI path;
// each returns the length written, 0 on failure.
DWORD KM_UM_GetSystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb);
DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
#endif
