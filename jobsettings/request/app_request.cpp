// Neutral until the request block is served: no request is pending and the
// blocks are left as they are.
#include "jobsettings/request/app_request.h"

int GetWEXA_API(UCB* /*ucb*/, DEVMODEW* /*merged*/) { return 1; }

BOOL SetWEXA_API(UCB* /*ucb*/) { return TRUE; }
