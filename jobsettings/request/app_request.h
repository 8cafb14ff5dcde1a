// The application request block of the private DEVMODE header: the request
// an application leaves in a DEVMODE it knows, which validation carries
// out, and the capability block handed back to it. Served only where the
// job-code library binding is (the user-mode build); elsewhere the entries
// answer as with no request pending and leave the blocks.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// Carries out the request in the merged DEVMODE (a whole DEVMODE of this
// driver's size), when one is pending, and marks the validation flags when
// it did. Modes 2 and 4 rebuild the defaults (4 then takes the stored
// printer-wide properties), 3 and 4 refresh from the printer; any other
// mode sets the requested settings, each checked by the description before
// the description's actions and the derived settings use it. The merged
// DEVMODE receives the result, and its request block is emptied so that
// the request is carried out once. 1 when the request was handled or none
// was pending; 0 when the printer refresh failed or memory ran short (the
// merged DEVMODE untouched then).
int GetWEXA_API(UCB* ucb, DEVMODEW* merged);
// Fills the capability block of the context's DEVMODE with what the printer
// can do under the current settings and empties its request block, before
// the DEVMODE is handed to an application. 1, or 0 when a working list
// cannot be allocated (nothing stored then).
BOOL SetWEXA_API(UCB* ucb);
// Empties the merged DEVMODE's request block unless the caller's DEVMODE,
// in a buffer of callerBytes, brought the whole block itself: a request is
// never pieced together from a short private part and the context's own
// bytes.
void KeepWholeRequestOnly(DEVMODEW* merged, const DEVMODEW* caller, std::size_t callerBytes);
