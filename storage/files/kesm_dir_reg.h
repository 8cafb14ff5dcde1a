// Overrides of the shared data directory: a machine-wide registry value and,
// for client printers, a printer-data value.
#pragma once

#include "platform/base/wintypes.h"

#if !KESM_KERNEL_MODE
// Reads a REG_SZ value of HKLM "SOFTWARE\TALVO\KesmDrv" into a buffer of
// the given size in bytes, always terminated. 1 on success; 0, with the
// buffer as it was, when the value is missing, of another type or does not
// fit.
BOOL GetKESMDirFromReg(LPCWSTR value, LPWSTR buffer, DWORD bytes);
// Writes text as a REG_SZ value of that key, with its terminator: the text
// ends at its first zero within bytes bytes; text without one is refused.
BOOL SetKESMDirToReg(LPCWSTR value, LPCWSTR data, DWORD bytes);

// Resolves a data-directory value held in the printer's printer data into
// a buffer of size characters: "%SYSTEMROOT%..." starts at the Windows
// directory, "%USERPROFILE%" stands for the per-user directory (the rest of
// the value is not used), any other text is a path. Except for the per-user
// directory, the path must exist and gets "\_kesm" appended. 1 on success;
// 0 when the value is missing or empty, the path does not exist, the
// result is too long for later use or for the buffer, or memory runs out.
INT GetKESMDirFromDrvReg(HANDLE printer, LPCWSTR value, LPWSTR buffer, DWORD size);
#endif
