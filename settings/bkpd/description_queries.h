// Questions the rest of the driver asks of a context's compiled
// description.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

struct UCB;

// The description's resource library name ("UIResDLLName"), or null.
LPCWSTR BKPDGetUIResDll(UCB* ucb);
// The first UI group in list order with that group keyword id, or null.
const UiGroup* BKPDGetUiGroupAddr(WORD groupId, const UCB* ucb);
