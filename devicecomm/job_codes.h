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
