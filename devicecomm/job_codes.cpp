// No job-code library is bound yet: no code is read from printer data and
// there is no library to hand codes to.
#include "devicecomm/job_codes.h"

DWORD GetJobCodeFromReg(UCB* /*ucb*/, DWORD /*mask*/) { return 0; }

void SetJobCodeDLLDependOnMachine(UCB* /*ucb*/, DWORD /*mask*/) {}
