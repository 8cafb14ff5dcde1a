// Stand-ins for services that other parts of the driver provide and that
// the context names and the language lookups call: the driver's help-file
// values from the registry and printer data, the compiled description's
// resource library name, and the kernel-mode directories and printer-data
// names that the rendering library's platform layer answers. Each has the
// signature of the real service and is replaced by it when that code joins
// this tree.
#pragma once

#include "platform/wintypes.h"
#include "storage/directories.h"
#include "storage/file_names.h"
#include "storage/printer_info.h"
#include "storage/system_info.h"

struct UCB;

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
// Directories taken from the data file's path and the per-user INI path;
// each returns the length written, 0 on failure.
DWORD KM_UM_GetSystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb);
DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
#endif

namespace names_pending {

#if !KESM_KERNEL_MODE
// The driver's "Help File" value from the spooler's driver key (version 3,
// then version 2); non-zero when found. size in characters.
BOOL GetHelpFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD size, UCB* ucb);
#endif
// The printer-data value "HelpFileName" of the context's printer; 1 when
// read. size in characters.
BOOL GetHelpFileNameFromReg2(LPWSTR buffer, DWORD size, UCB* ucb);

// The compiled description's resource library name, or null.
LPCWSTR BKPDGetUIResDll(UCB* ucb);

}  // namespace names_pending
