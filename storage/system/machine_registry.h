// Machine-wide values of the driver under HKLM: single values of a key,
// the print-log defaults, the custom-setup switch and whether the maker's
// document-binding application is installed. User mode only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Reads one value of the HKLM key into buffer (at most bytes bytes); 1 on
// success. A value that is missing or longer than the buffer leaves the
// buffer as it was and gives 0.
BOOL GetDataFromRegKey(LPCWSTR key, LPCWSTR value, LPVOID buffer, DWORD bytes, UCB* ucb);
// Writes one value, creating the key when it is missing; 1 on success.
BOOL SetDataToRegKey(LPCWSTR key, LPCWSTR value, LPCVOID data, DWORD bytes, DWORD type, UCB* ucb);

// Creates the print-log defaults of HKLM "Software\TALVO\PrintLog" where
// they are missing: "LogFileDirectory" (also when empty) as the Windows
// directory followed by "\temp\PrintLog", "MaxLogFileSize" as 64. Returns 1,
// 0 only when the Windows directory cannot be had.
BOOL DriverLogProcForPrintLog(UCB* ucb);
// DriverLogProcForPrintLog, and with withName the printer-data value
// "LogFileName": the rendering library's file name with its extension
// replaced by "log". FALSE only when that name was asked for and could not
// be built or written.
BOOL DriverLogProc(BOOL withName, UCB* ucb);

// TRUE when the first 16-bit word of "SaveDeviceSetup" of HKLM
// "Software\TALVO\KesmDrvCustomSetup" is 1.
BOOL IsDrvCustomSetup(UCB* ucb);
// Kind 2: TRUE when "INSTALL_COUNT" (4 bytes) of HKLM
// "Software\TALVO\Corvane\Plexor" is non-zero. Other kinds: 0.
BOOL IsInstalledTalvoAppl(DWORD kind, UCB* ucb);
#endif
