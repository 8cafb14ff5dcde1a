// No job-code library is bound yet: no code is read from printer data and
// there is no library to hand codes to.
#include "devicecomm/job_codes.h"

DWORD GetJobCodeFromReg(UCB* /*ucb*/, DWORD /*mask*/) { return 0; }

void SetJobCodeDLLDependOnMachine(UCB* /*ucb*/, DWORD /*mask*/) {}

void JobCodeDLLDependOnMachine(UCB* /*ucb*/, DWORD /*operation*/) {}

// The gate of the user-code provider is closed on every system this driver
// runs on.
void UserCodeDLLDependOnMachine(UCB* /*ucb*/) {}

DWORD GetUserCodeDependOnMachine(UCB* /*ucb*/) { return 1; }
