// The compiled description of a context: opened while the context is built,
// ended when it is freed.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Opens the description of the context's printer and its judge stack; FALSE
// when the context cannot have one, which fails the open.
BOOL OpenContextDescription(UCB* ucb);
// Ends what OpenContextDescription set up; the description itself stays in
// the process list.
void EndContextDescription(UCB* ucb);
