// The model name of the bidi data and the maker's database INI "taldb.ini"
// that other components read it from.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Reads the model of the printer's real driver name from section "Models"
// of the driver INI into the install record and, when the model data
// names a description data library, writes the model's section of
// "taldb.ini" in the Windows directory ("LoadDll", "Version" from the
// installer INI, "ResDll"). 0 when there is no model, or its name is
// longer than the field (32 characters).
BOOL BidiForInstall(UCB* ucb);
// The model name kept by BidiForInstall, or null when there is none.
LPCWSTR GetBidiModelName(UCB* ucb);
// The name after its leading blanks; null for null.
LPCWSTR GetBidiModelNameForINI(LPCWSTR name);
// "ResDll" and "Version" of the model's section of "taldb.ini" into the
// buffers (sizes in characters). FALSE when there is no model or either
// value is missing or does not fit.
BOOL GetTalResInfo(LPWSTR dll, DWORD dllSize, LPWSTR version, DWORD versionSize, UCB* ucb);
#endif
