// The process-wide switch the install paths of the spooler entry points set
// while they modify a printer for a terminal-server user: every context
// opened meanwhile keeps its settings INI in the system directory.
#pragma once

#include "platform/base/wintypes.h"

extern DWORD UCBTSModify;
