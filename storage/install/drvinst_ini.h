// The driver-install INI "KESM.ini" of the system directory: an
// administrator's per-printer section (printer name) that presets a printer
// before its driver is installed. Every key handled is removed or marked
// done, so that the work happens once.
//
// A section is complete when it has no "DefaultRst" value, no "SetUserCode"
// key, no "SetUserID" and "SetOwnerID" values and no "KESMDirectory" and
// "KESMDirectoryClient" keys. "BatchInstallDone" marks the batch install of
// the printer finished, "DrvInstSet" that user code, user id or owner name
// were taken over and are still to be completed when a context first
// opens.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// "KESM.ini".
LPCWSTR GetDrvInstIniFileName();
// The INI's path in the system directory, kept in the context's install
// record; null when it cannot be built.
LPCWSTR GetDrvInstIniFilePath(UCB* ucb);
// The same into a buffer of size characters (at least MAX_PATH); FALSE,
// the buffer emptied, when it cannot be built.
BOOL GetDrvInstIniFilePathWithoutUCB(LPWSTR buffer, DWORD size);

BOOL IsDrvInstForCompleteFromFile(LPCWSTR ini, LPCWSTR section);
// The INI exists and the printer's section is not complete.
BOOL IsAvailableDrvInstIniFile(UCB* ucb);
BOOL IsAvailableDrvInstIniFileWithoutUCB(LPCWSTR printerName);
BOOL IsAvailableDrvIniFileWithoutUCB(LPCWSTR printerName, HANDLE printer);
// The INI exists and the printer's section is neither empty nor complete.
BOOL IsValidDrvInstIniFileWithoutUCB(HANDLE printer);

// "BatchInstallDone" := value in the section.
BOOL DrvInstForComplete(LPCWSTR ini, LPCWSTR section, DWORD value);
// "DrvInstSet" := value in the section; non-zero when it was written.
BOOL DrvInstSetForComplete(LPCWSTR ini, LPCWSTR section, DWORD value);
// 1 when the section's "DrvInstSet" is 1, else 0.
BOOL IsDrvInstSetForCompleteFromFile(LPCWSTR ini, LPCWSTR section);
// Writes the value in decimal under the key.
BOOL SetBatchInstallFlagDataToFile(LPCWSTR ini, LPCWSTR section, DWORD value, LPCWSTR key);

// "BatchInstallDone" := value in the INI section and, with alsoRegistry, in
// the printer data of the context's printer.
BOOL BatchInstallForComplete(LPCWSTR ini, LPCWSTR section, DWORD value, BOOL alsoRegistry, UCB* ucb);
// The printer data "BatchInstallDone" (4 bytes).
BOOL GetBatchInstallFlagDataFromReg(HANDLE printer, LPDWORD value, UCB* ucb);
BOOL SetBatchInstallFlagDataToReg(HANDLE printer, DWORD value, UCB* ucb);
// TRUE when that value is non-zero.
BOOL IsBatchInstallForCompleteReg(HANDLE printer, UCB* ucb);
#endif
