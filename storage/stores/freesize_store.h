// The ten user-defined free paper sizes and the context's table of them:
// the entries DEVMODE validation calls. The store is not built yet; until
// it is, the table is never read and no entry is moved into the free-size
// settings, so those settings keep what the context holds.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Reads every entry of the store into the context's table. FALSE for now.
BOOL ReadFreesizeInfoAll(UCB* ucb);
// Table entry n to settings 752-756 (UI scratch) or 757-761 (work). FALSE
// for now, nothing moved.
BOOL MoveFreesizeInfoToUiTemp(UCB* ucb, int n);
BOOL MoveSrcFreesizeInfoToWork(UCB* ucb, int n);
#endif
