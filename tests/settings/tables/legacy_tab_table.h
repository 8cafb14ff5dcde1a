// The hand-written layout tables that the dialog definitions replaced.
#pragma once

#include "settings/tables/dialog_tables.h"

namespace legacy {

extern const TCB fgTCB[kTabCount];
extern const TL fgTL;

}  // namespace legacy
