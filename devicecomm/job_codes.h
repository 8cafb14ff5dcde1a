// The job-code library as the settings model uses it when a context opens:
// job codes kept in printer data, and the machine-dependent library that
// takes them over.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// For each job-code kind whose bit is in the mask, reads that code from
// printer data into its setting. Returns 0.
DWORD GetJobCodeFromReg(UCB* ucb, DWORD mask);
// Hands the job codes of the mask to the job-code library when this machine
// has one.
void SetJobCodeDLLDependOnMachine(UCB* ucb, DWORD mask);

// What DEVMODE validation calls at every entry. The job-code library, when
// this machine has one, fills the job codes of the operation mask into the
// DEVMODE; none is bound yet, so nothing changes.
void JobCodeDLLDependOnMachine(UCB* ucb, DWORD operation);
// The user-code provider steps, gated off in this build: nothing is done
// (the second returns 1).
void UserCodeDLLDependOnMachine(UCB* ucb);
DWORD GetUserCodeDependOnMachine(UCB* ucb);
