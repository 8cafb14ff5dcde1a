// Stand-ins for services that other work areas provide (the resource
// strings of the dialog engine, the UI group of a group id, the free-size
// range of a control). They do what value access needs of
// them and are replaced by the real functions when those arrive.
#pragma once

#include "platform/wintypes.h"
#include "settings/bkpd_format.h"
#include "settings/context_block.h"
#include "settings/dialog_tables.h"

namespace access_pending {

// A string of the context's resource module; the buffer is emptied first.
// Returns the length loaded (0 without a module or string).
int LoadStringFromResDll(const UCB* ucb, UINT id, LPWSTR buffer, int cch, BOOL replace);
// The first UI group of the compiled description with that group id.
const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId);
// The tray range of a free-size control in dots; FALSE when none applies.
BOOL GetFreeSizeRangebyIcb(const UCB* ucb, const ICB* icb, LONG* max, LONG* min);

}  // namespace access_pending
