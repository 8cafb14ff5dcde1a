// Names and paths a printer context answers: the printer's name, the
// driver's name as the spooler reports it, the language code of the
// driver's files, the settings, driver and install INI paths, the driver
// directory and the resource library, bitmap library and help file paths.
// Each answer is kept in a field of the context's work area and returned as
// a pointer to it; callers never free it. A name or path that cannot be had
// or does not fit its field leaves the field empty: callers test the first
// character. Every function answers null for a context without a work area.
//
// GetInstallDirectory, GetResDllName, GetBmpDllName and GetHelpFileName
// share one field: each call rebuilds it, so a caller that needs two of
// them keeps a copy of the first.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;
struct PRINTER_INFO_2W;

// The printer name, fetched once from the spooler. The kernel-mode build
// falls back to the printer-data name and then to the DEVMODE's device
// name. Writable: set-file code swaps it with a section name for the span
// of one call.
LPWSTR GetPrinterName(UCB* ucb);
// Copies the printer's name into destination when it is shorter than size
// characters; otherwise the destination is left as it was. Returns the
// destination (null for a null destination).
LPWSTR GetPrinterNameWithoutUCB(HANDLE printer, LPWSTR destination, DWORD size);

// The driver name the spooler reports for the printer, fetched once; the
// driver parameters' fallback name ("US") when it reports none (the
// kernel-mode build first tries the printer-data driver name).
LPWSTR GetRealDriverName(UCB* ucb);
// The same with the printer's level-2 information already at hand (null
// when the spooler gave none), so that an open asks the spooler once.
LPWSTR GetRealDriverNameFromInfo(UCB* ucb, const PRINTER_INFO_2W* info);
// Sets the driver language code from the driver's registered help file
// (open kind 1) or the printer's help-file value (other kinds, and always
// in the kernel-mode build); returns it.
LPWSTR SetDriverName(UCB* ucb);
// Sets the driver language code to the code of the language stored in the
// context's kdmLanguageID and returns it. It names the INI section of
// driver-wide entries. A context without a DEVMODE keeps the code it has,
// "us" when it has none.
LPWSTR GetDriverName(UCB* ucb);

// The per-user settings INI path. The kernel-mode build builds it only
// while the field is empty, so a path sent from user mode stays.
LPWSTR GetIniFilePath(UCB* ucb);
// The settings INI path without a context, into a destination of MAX_PATH
// characters: the profile directory when where is 1, else the shared
// directory for the printer. 1, or 0 (destination emptied) when the
// directory cannot be had or the path does not fit.
#if !KESM_KERNEL_MODE
BOOL GetIniFilePathWithoutUCB(LPWSTR destination, DWORD reserved, DWORD where, HANDLE printer);
#endif
// The driver INI path (the driver directory and "kesmdrv.ini").
LPWSTR GetDriverIniFilePath(UCB* ucb);
// The install INI path (the driver directory and "kesmset.INI").
LPWSTR GetKESMSETIniFilePath(UCB* ucb);

// The driver directory with a trailing "\".
LPWSTR GetInstallDirectory(UCB* ucb);
#if !KESM_KERNEL_MODE
// The same for a bare printer handle, into a destination of MAX_PATH
// characters, with the system directory as fallback. Emptied when it does
// not fit; nothing for a null destination.
void GetInstallDirectoryWithoutUCB(HANDLE printer, LPWSTR destination, DWORD reserved);
#endif
// The resource library path: the driver directory and the description's
// resource library name with the two characters before its extension dot
// replaced by the language code of kdmLanguageID.
LPWSTR GetResDllName(UCB* ucb);
// The bitmap library path: the same name with the characters 8, 6 and 5
// places from its end replaced by "C", "X" and "X".
LPWSTR GetBmpDllName(UCB* ucb);
// The help file path: the driver directory and the printer's help-file
// value; without one the resource library path ending in "hlp".
LPWSTR GetHelpFileName(UCB* ucb);
// 1 when the two characters before the resource library name's extension
// dot are "jp" in any case, else 0.
BOOL IsDOM(UCB* ucb);
