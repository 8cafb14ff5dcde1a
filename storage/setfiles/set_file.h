// Set files: text files in INI syntax that each hold one named snapshot of
// the job settings. The entry DEVMODE validation calls; the reader itself is
// not built yet.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Reads the settings the flags select from the set file at path into the
// context. FALSE for now: nothing is read.
BOOL ReadSetFile(HANDLE printer, LPCWSTR path, DWORD flags, UCB* ucb);
#endif
