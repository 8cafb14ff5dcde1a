// Facts about the installed driver kept in the registry: the file names
// registered in the spooler's driver key, and the names, file names and
// permission recorded in the printer's printer data. Text values are
// REG_SZ with their terminator.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// The driver's "Help File" value from the spooler's driver key (version 3,
// then version 2); non-zero when found. size in characters.
BOOL GetHelpFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD size, UCB* ucb);
// The driver's "Driver" value (the rendering library's file name) from the
// spooler's driver key of the running system; driverName null means the
// context's real driver name. bytes is the buffer's size in bytes. Non-zero
// when found.
BOOL GetFrontDriverFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD bytes, UCB* ucb);

// Records the user-mode companion library ("SPLUserModePrinterDriver") and
// the per-user settings INI name ("DriverIniFileName") of the driver
// parameters, each when it is not empty, then the rendering library's and
// the driver INI's file names. TRUE when the first two were written.
BOOL SetDriverDataToReg(HANDLE printer, UCB* ucb);
// The driver key's "Driver" value as "DriverGRFileName", its "Help File"
// value as "HelpFileName"; FALSE when the driver key has no such value.
BOOL SetFrontDriverDLLFileNameToReg(UCB* ucb);
BOOL SetHelpFileNameToReg(UCB* ucb);
// Key "DriverEDFileName" of section "DriversFileName" of the driver INI (at
// most 26 characters) as "DriverEDFileName"; FALSE when it is empty.
BOOL SetDriversFileNameToReg(UCB* ucb);
// The printer's current name ("PrinterName") or driver name ("DriverName").
BOOL SetPrinterNameToReg(HANDLE printer);
BOOL SetDriverNameToReg(HANDLE printer);
// "Permission", REG_DWORD, from the first bytes bytes of data (at most 4).
BOOL SetPrinterPermissionToReg(HANDLE printer, LPCVOID data, DWORD bytes);
// TRUE when the printer's information carries a default DEVMODE.
BOOL IsGetDefaultDevmodeFromRegNTWithoutUCB(HANDLE printer);
#endif
// The printer-data value "HelpFileName" of the context's printer (or of a
// printer); 1 when read, 0 for a null buffer, a zero size or a failed read.
// size in characters; bytes in bytes.
BOOL GetHelpFileNameFromReg2(LPWSTR buffer, DWORD size, UCB* ucb);
BOOL GetHelpFileNameFromReg2WithoutUCB(LPWSTR buffer, DWORD bytes, HANDLE printer);
// The printer-data value "PrinterName" (at most 522 bytes) into buffer,
// which holds 261 characters; 1 when read.
BOOL GetPrinterNameFromReg(HANDLE printer, LPWSTR buffer, UCB* ucb);

namespace storage {

// Reads the REG_SZ printer-data value name, at most maxBytes bytes of it,
// into buffer (size characters); FALSE when it is missing, empty, of another
// type or does not fit. The value need not hold its terminator.
BOOL ReadPrinterDataString(HANDLE printer, LPCWSTR name, LPWSTR buffer, DWORD size, DWORD maxBytes);

}  // namespace storage
