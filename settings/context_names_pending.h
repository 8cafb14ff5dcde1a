// Stand-ins for services that other parts of the driver provide and that
// the context names and the language lookups call: spooler information
// blocks, file-name splitting, registry and printer-data reads, the
// well-known directories and the compiled description's resource library
// name. Each has the signature of the real service and is replaced by it
// when that code joins this tree; they live in their own namespace so that
// both can be linked side by side until then.
#pragma once

#include "platform/wintypes.h"

struct UCB;

namespace names_pending {

// A zero-filled copy of the printer (or, user mode only, driver)
// information of that level, or null; freed with FreeMemPtr.
LPVOID GetPrinterInfo(HANDLE printer, DWORD level);
#if !KESM_KERNEL_MODE
LPVOID GetPrinterDriverInfo(HANDLE printer, DWORD level);
#endif

// The name part of a path (after its last "\"); null for null.
LPCWSTR GetFileNamePtr(LPCWSTR path);
// The extension after the last "." of the name part, with its length; the
// name part and length 0 without one; null for null.
LPCWSTR GetFileNameExt(LPCWSTR path, DWORD* length);

// TRUE when settings INI files are kept per user (terminal-server mode in
// user mode, never in kernel mode).
BOOL IsSupportIniAccessPerUser(const void* unused);

#if !KESM_KERNEL_MODE
// The driver's "Help File" value from the spooler's driver key (version 3,
// then version 2); non-zero when found. size in characters.
BOOL GetHelpFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD size, UCB* ucb);
#endif
// The printer-data value "HelpFileName" of the context's printer; 1 when
// read. size in characters.
BOOL GetHelpFileNameFromReg2(LPWSTR buffer, DWORD size, UCB* ucb);

#if KESM_KERNEL_MODE
// The printer-data value "PrinterName" (at most 522 bytes) into buffer,
// which holds 261 characters; 1 when read.
BOOL GetPrinterNameFromReg(HANDLE printer, LPWSTR buffer, UCB* ucb);
// The printer-data value "DriverName" (at most 64 bytes) into buffer, which
// holds 32 characters; TRUE when read.
BOOL GetDriverNameFromReg(HANDLE printer, LPWSTR buffer, UCB* ucb);
// The folder of the printer's data file (work area), without a trailing
// "\"; returns its length, 0 when unknown. size at least MAX_PATH.
DWORD KMGetDriverDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
#endif

// Directories; each returns the length written, 0 on failure.
DWORD KM_UM_GetSystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb);
DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
#if !KESM_KERNEL_MODE
DWORD UM_GetProfileDirectoryWithoutUCB(LPWSTR buffer, DWORD size);
DWORD UM_GetSystemDirectoryExWithoutUCB(LPWSTR buffer, DWORD size, HANDLE printer);
#endif

// The compiled description's resource library name, or null.
LPCWSTR BKPDGetUIResDll(UCB* ucb);

}  // namespace names_pending
