// The upgrade of what an older driver version stored for a printer: its
// printer properties, its settings INI keys and the per-user stores.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Stores the printer properties (not on a client driver), then the
// settings INI upgrade, then rewrites the presets, quality sets, watermarks
// and free sizes in the current format; entries that a newer driver wrote
// are left as they are. Returns 1.
BOOL UpgradeProperties(HANDLE printer, UCB* ucb);
// The install-time INI merge in upgrade mode.
BOOL UpgradeInifile(UCB* ucb);
#endif
