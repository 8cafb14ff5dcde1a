// Path builders: a directory, "\" and a file name into a caller buffer of
// size characters. Each returns the buffer on success. On failure (a null
// argument, a zero size, a directory that cannot be had, or a result that
// with its terminator exceeds size characters) the buffer is emptied and
// the result is null.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// The Windows system directory.
LPWSTR AddSystemDirToFileName(LPWSTR buffer, DWORD size, LPCWSTR name);
// The Windows directory.
LPWSTR AddWindowsDirToFileName(LPWSTR buffer, DWORD size, LPCWSTR name);
// The shared directory of the context (KM_UM_GetSystemDirectoryEx).
LPWSTR AddSystemDirToFileNameEx2(LPWSTR buffer, DWORD size, LPCWSTR name, UCB* ucb);
// The per-user directory without a context.
LPWSTR AddProfileDirToFileNameWithoutUCB(LPWSTR buffer, DWORD size, LPCWSTR name);
// The folder of the printer driver's file, which ends in "\", followed by
// the name.
LPWSTR AddDriversDirToFileName(LPWSTR buffer, DWORD size, LPCWSTR name, HANDLE printer);
// The system directory shortened by one level per leading "..\" of the name,
// then "\" and the rest of the name: with C:\WINDOWS\system32, "..\a.ini"
// gives C:\WINDOWS\a.ini. A name without "..\", or with more of them than
// the directory has levels, fails.
LPWSTR AddRelativeDirToFileName(LPWSTR buffer, DWORD size, LPCWSTR name);

// The driver-use template of a file: the shared directory (when per-user INI
// access is off or the context's work flags hold 0x40000) or the per-user
// directory, "\" and the file's name with its extension replaced by "rsr"
// (appended to a name without one). FALSE, with the buffer emptied, when an
// argument is null or the directory cannot be had or the path does not fit.
BOOL MakeDriverUseFileName(LPWSTR buffer, LPCWSTR fileName, DWORD size, UCB* ucb);
#endif
