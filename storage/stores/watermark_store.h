// User watermarks kept in the settings INI: the entry DEVMODE validation
// calls. The store is not built yet.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// When watermark printing is on with a known kind, reads the watermark of
// the current index. FALSE for now: nothing is read and the watermark
// settings stay as the context holds them.
BOOL GetWatermarkData(UCB* ucb);
#endif
