// Facts about the system and the user: the Windows version, terminal-server
// mode and administrator rights. Several answers are computed once per
// process and kept.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// TRUE for Windows 2000 and later. Decided once per process; a failed
// version query counts as an earlier system. The kernel-mode build answers
// from the version of the engine that enabled the driver
// (render/platform/engine_version.h): FALSE before any enable.
BOOL IsOsLaterWin2000();
#if !KESM_KERNEL_MODE
// Whether GetVersionExW answers.
BOOL GetOSVersion();
// TRUE when the version query succeeds and names the Windows 9x platform.
BOOL IsOsIsWin9X();
// Always FALSE.
BOOL IsOSWin2000AndEarlierSP3();

// TRUE in terminal-server mode: the REG_MULTI_SZ value "ProductSuite" of
// HKLM "System\CurrentControlSet\Control\ProductOptions" holds the string
// "Terminal Server" (exact case). The argument (a context or a printer
// handle) is not used.
BOOL IsTSE(const void* unused);
#endif

// TRUE when settings INI files are kept per user: IsTSE, decided once per
// process. The kernel-mode build never keeps them per user. The argument is
// not used.
BOOL IsSupportIniAccessPerUser(const void* unused);
#if !KESM_KERNEL_MODE
// Forgets the process's answer, so the next question asks again. For tests,
// whose processes see machines of both kinds.
void ForgetPerUserIniAnswer();
// The same for the Windows version (IsOsLaterWin2000).
void ForgetOsVersionAnswer();
#endif

#if !KESM_KERNEL_MODE
// IsAdmin for a null context or one whose administrator-check flag is 1;
// TRUE without a check for a context opened to skip it.
BOOL KesmIsAdmin(UCB* ucb);
// TRUE when the calling user is a member of the local Administrators group
// (an access check against a descriptor that grants only that group).
BOOL IsAdmin();
#endif
