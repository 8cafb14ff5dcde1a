// The one way a DEVMODE from outside (an application, the spooler, a set
// file, the printer's stored default) enters a printer context: it is
// merged into a copy of the context's current DEVMODE, its private part is
// trusted only when it is this driver's (or upgraded from an older version
// of it), a pending application request is applied, and then the public
// fields, the private fields and the description's constraints are
// validated into the current DEVMODE. The run-time flags of the context
// are never taken from the caller's DEVMODE.
#pragma once

#include <cstddef>

#include "jobsettings/validate/validate_flags.h"
#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// flags: the mode word of validate_flags.h. Nothing happens (result 1)
// unless it holds DM_MODIFY or the document-sheet bit. bytes is what the
// caller's buffer really holds; nothing is read past it, whatever the
// DEVMODE's dmSize and dmDriverExtra claim. Returns 1 when done or when
// there was nothing to do, 0 when the working copy cannot be allocated
// (the current DEVMODE is then untouched).
int ValidateDevmode(UCB* ucb, const DEVMODEW* dm, std::size_t bytes, DWORD flags);
// The same for a DEVMODE the system handed over, whose buffer holds what
// its dmSize and dmDriverExtra say.
int ValidateDevmode(UCB* ucb, const DEVMODEW* dm, DWORD flags);
