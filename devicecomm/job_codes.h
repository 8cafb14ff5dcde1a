// The job-code library as the settings model uses it: job codes kept in
// printer data, and the machine-dependent library that keeps the codes of
// the DEVMODE (user code, owner name, job password, user id, document name,
// telephone number and line, stored-job password) outside it. Masks select
// kinds: bit n is kind n + 1 for the DEVMODE kinds 1-8.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// For each job-code kind whose bit is in the mask, reads that code from
// printer data into its setting. Returns 0.
DWORD GetJobCodeFromReg(UCB* ucb, DWORD mask);
// Hands the job codes of the mask to the job-code library when this machine
// has one (the library is loaded and unloaded around the call).
void SetJobCodeDLLDependOnMachine(UCB* ucb, DWORD mask);
// Takes the job codes of the mask from the job-code library into the
// context's DEVMODE (loaded and unloaded around the call).
void JobCodeDLLDependOnMachine(UCB* ucb, DWORD mask);

// The library bound to the context for a sequence of the calls below.
void LoadJobCodeDLLDependOnMachine(UCB* ucb);
void UnLoadJobCodeDLLDependOnMachine(UCB* ucb);
// Hands the codes of the mask to the bound library, or takes them from it.
void SetJobCodeDLLExDependOnMachine(UCB* ucb, DWORD mask);
void GetJobCodeDLLExDependOnMachine(UCB* ucb, DWORD mask);
// Empties the codes of the mask in the context's DEVMODE, which the library
// keeps for it.
void ClearDevmodeJobCodeDependOnMachine(UCB* ucb, DWORD mask);

// The user-code provider steps DEVMODE validation calls, gated off in this
// build: nothing is done (the second returns 1).
void UserCodeDLLDependOnMachine(UCB* ucb);
DWORD GetUserCodeDependOnMachine(UCB* ucb);
