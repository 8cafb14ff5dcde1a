// The dummy system directory: on Windows 2000 and later the shared INI and
// set files live in a driver-owned folder, hidden, owned by the
// Administrators group and open to Everyone. Its place: for a client
// printer the printer-data value "_KESMDirectoryClient"; else the HKLM value
// "_KESMDirectory" of "SOFTWARE\TALVO\KesmDrv" as it stands; else the root
// of the system drive followed by "_kesm".
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The folder of the default location, below the system drive's root.
inline constexpr const WCHAR* kDummyDirectoryName = u"_kesm";

// The folder into a buffer of size characters; returns the length, 0 (with
// the buffer emptied) when even the system directory cannot be had or the
// folder does not fit. The kernel-mode build knows neither override (they
// are registry and printer-data values that need user-mode calls to
// resolve) and answers the default location on the drive of the system
// directory its install directory gives (KMGetSystemDirectory2).
DWORD KM_UM_GetDummySystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb);
#if !KESM_KERNEL_MODE
DWORD UM_GetDummySystemDirectory(LPWSTR buffer, DWORD size, HANDLE printer);
// Always the default location.
DWORD UM_GetSysDrvDummySystemDirectory(LPWSTR buffer, DWORD size);

// Creates the folder, hides it and sets the owner and the Everyone DACL on
// the folder itself. Returns the creation result (TRUE also when it already
// existed).
BOOL KM_UM_CreateDummySystemDirectory(UCB* ucb);
BOOL CreateDummySystemDirectory(HANDLE printer);
// Sets the owner and the DACL on the folder and on each file directly inside
// it. Returns the DACL step's result.
BOOL SetAttrDummySystemDirectory(HANDLE printer);

// Deletes everything below the default location, depth first, then the
// folder. Links inside are neither followed nor removed. Returns the
// removal's result; FALSE when the folder cannot be listed.
BOOL DeleteSysDrvDummySystemDirectory(HANDLE printer);
// Deletes the files and subfolders of a folder, depth first, without
// following links; TRUE when the folder could be listed.
BOOL DeleteAllFilesByDirectory(LPCWSTR path);
#endif
