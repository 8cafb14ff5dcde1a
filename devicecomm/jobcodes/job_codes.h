// The job-code library as the rest of the driver uses it: job codes kept in
// printer data, and the maker's library that keeps the codes of the DEVMODE
// (user code, owner name, job password, user id, document name, telephone
// number and line, stored-job password) outside it. Masks select kinds from
// the kind table (devicecomm/jobcodes/jc_code_table.h): bit n is kind n + 1
// for the DEVMODE kinds 1-8, 0x100-0x400 the driver's own words.
//
// Statuses: 0 for success, else the loader's Win32 error or the library's
// status of the step that failed. A kind the library has no value for is
// no failure. User mode only.
#pragma once

#include "devicecomm/jobcodes/jc_code_table.h"
#include "devicecomm/jobcodes/jc_stored_codes.h"
#include "platform/base/wintypes.h"

struct UCB;

// Operations of GetJobCodeFromDLL.
inline constexpr DWORD kJCOpGetCodes = 0x100;
inline constexpr DWORD kJCOpSetCodes = 0x200;
inline constexpr DWORD kJCOpClearCodes = 0x400;
inline constexpr DWORD kJCOpLoad = 0x10004;
inline constexpr DWORD kJCOpLoadAndGetAll = 0x10010;
inline constexpr DWORD kJCOpUnload = 0x20008;
inline constexpr DWORD kJCOpUnloadToo = 0x20020;
inline constexpr DWORD kJCOpInit = 0x30001;
inline constexpr DWORD kJCOpUnregister = 0x30002;
inline constexpr DWORD kJCOpGetFree = 0x30040;
inline constexpr DWORD kJCOpSetFree = 0x30080;

#if !KESM_KERNEL_MODE
// Runs one operation; an unknown operation does nothing and answers 0.
//
// kJCOpLoad binds the library and opens the printer's job codes for a
// sequence of kJCOpGetCodes, kJCOpSetCodes and kJCOpClearCodes (which walk
// the mask on the open job codes and answer the first failure, after
// trying every kind) that kJCOpUnload ends. The self-contained operations
// (kJCOpInit, kJCOpUnregister, kJCOpGetFree, kJCOpSetFree) bind the
// library around one action; inside an open sequence they use its binding
// and leave it, and its open job codes, as they were.
DWORD GetJobCodeFromDLL(UCB* ucb, DWORD operation, DWORD mask);

DWORD GetJobCodeEx(UCB* ucb, DWORD mask);
DWORD SetJobCodeEx(UCB* ucb, DWORD mask);
DWORD ClearJobCode(UCB* ucb, DWORD mask);
DWORD LoadJobCode(UCB* ucb);
DWORD UnLoadJobCode(UCB* ucb);
// Registers the context's printer with the library; clears the UserCodeGet
// and UserCodeDLL flags.
DWORD InitJobCode(UCB* ucb);
// Takes the codes of the mask from the library into the context's DEVMODE
// (clearing the UserCodeGet and UserCodeDLL flags), or hands them to it.
DWORD GetFreeJobCode(UCB* ucb, DWORD mask);
DWORD SetFreeJobCode(UCB* ucb, DWORD mask);

// The same, each only on a machine that has the library.
void InitJobCodeDLLDependOnMachine(UCB* ucb);
void LoadJobCodeDLLDependOnMachine(UCB* ucb);
void UnLoadJobCodeDLLDependOnMachine(UCB* ucb);
void GetJobCodeDLLExDependOnMachine(UCB* ucb, DWORD mask);
void SetJobCodeDLLExDependOnMachine(UCB* ucb, DWORD mask);
void ClearJobCodeDLLDependOnMachine(UCB* ucb, DWORD mask);
void JobCodeDLLDependOnMachine(UCB* ucb, DWORD mask);
void SetJobCodeDLLDependOnMachine(UCB* ucb, DWORD mask);
// Shows the library's utility on the open job codes.
void DispJobCodeDLLDependOnMachine(UCB* ucb);
// Empties the codes of the mask in the context's DEVMODE.
void ClearDevmodeJobCodeDependOnMachine(UCB* ucb, DWORD mask);
#endif
