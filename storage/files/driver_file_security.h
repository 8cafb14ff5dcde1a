// Opens the driver's shared files to every user after an install.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Windows 2000 and later: owner and DACL on the dummy system directory and
// the files directly inside it. Windows NT 4.0: the bidi INI with the
// Everyone DACL. Returns the result of that step.
BOOL SetDriverFileSecurity(UCB* ucb);
BOOL SetNTDriverFileSecurity(UCB* ucb);
