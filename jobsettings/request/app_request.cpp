// Neutral until the request block is carried out: no request is pending.
#include "jobsettings/request/app_request.h"

int GetWEXA_API(UCB* /*ucb*/, DEVMODEW* /*merged*/) { return 1; }
