// The resource and bitmap DLLs of a printer context, loaded on first use and
// released with the context, and the strings read from them.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// The context's resource DLL (the description names it, in the printer's
// language), loaded on first use; null when it cannot be loaded (a later
// call tries again).
HMODULE GetResDll(UCB* ucb);
// The same for the bitmap DLL.
HMODULE GetBmpDll(UCB* ucb);
#else
// The rendering library loads no DLL: the handle a context holds, if any.
HMODULE GetResDll(UCB* ucb);
#endif
// Frees both modules, if loaded, and clears their handles, and the brushes
// the pages of the context made.
void FreeResDll(UCB* ucb);
// A string of the context's resource DLL into buffer (cch characters,
// terminator included); the buffer is emptied first. With replace, the
// string's live replacement (UserCallbackReplaceString) follows, cut to the
// buffer. Returns the length of the text left in the buffer, 0 without a
// DLL or string. The kernel-mode build loads no DLL and always yields "".
int LoadStringFromResDll(const UCB* ucb, UINT id, LPWSTR buffer, int cch, BOOL replace);
