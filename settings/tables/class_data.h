// Custom-control data: the records that items of the layout tables point to.
// A typed record starts with its class type word; the dialog engine hands an
// item's record out only when that word is the type asked for.
#pragma once

#include "platform/base/wintypes.h"

// The hidden-function list offers these settings, one entry each (a plain
// id list, no typed record).
extern const WORD IDC_HIDDEN_FUNC_aTID[64];
