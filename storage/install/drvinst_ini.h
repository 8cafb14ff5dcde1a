// The driver-install INI: the set-up program's per-printer section and the
// mark that says the installation is still to be completed when a context
// first opens.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Path of the driver-install INI, kept in the work area; null when there is
// none.
LPCWSTR GetDrvInstIniFilePath(UCB* ucb);
// 1 when the INI marks the section with "DrvInstSet" as still to be
// completed, else 0.
BOOL IsDrvInstSetForCompleteFromFile(LPCWSTR path, LPCWSTR section);
// Writes the completion mark "DrvInstSet" of the section; non-zero when it
// was written.
BOOL DrvInstSetForComplete(LPCWSTR path, LPCWSTR section, DWORD value);
