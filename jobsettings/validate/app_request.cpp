// Neutral answer for now: the request block is not served yet, so no
// request is ever taken from a DEVMODE and the blocks are left as they are.
#include "jobsettings/validate/app_request.h"

BOOL SetWEXA_API(UCB* /*ucb*/) { return TRUE; }
