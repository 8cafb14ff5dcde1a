// Neutral answers for now: no job-code library is bound yet. No code is
// read from printer data, there is no library to hand codes to or take them
// from, and the codes stay in the DEVMODE, because without the library they
// would be kept nowhere else.
#include "devicecomm/job_codes.h"

DWORD GetJobCodeFromReg(UCB* /*ucb*/, DWORD /*mask*/) { return 0; }

void SetJobCodeDLLDependOnMachine(UCB* /*ucb*/, DWORD /*mask*/) {}

void JobCodeDLLDependOnMachine(UCB* /*ucb*/, DWORD /*mask*/) {}

void LoadJobCodeDLLDependOnMachine(UCB* /*ucb*/) {}

void UnLoadJobCodeDLLDependOnMachine(UCB* /*ucb*/) {}

void SetJobCodeDLLExDependOnMachine(UCB* /*ucb*/, DWORD /*mask*/) {}

void GetJobCodeDLLExDependOnMachine(UCB* /*ucb*/, DWORD /*mask*/) {}

void ClearDevmodeJobCodeDependOnMachine(UCB* /*ucb*/, DWORD /*mask*/) {}

// The gate of the user-code provider is closed on every system this driver
// runs on.
void UserCodeDLLDependOnMachine(UCB* /*ucb*/) {}

DWORD GetUserCodeDependOnMachine(UCB* /*ucb*/) { return 1; }
