// The driver's own installer: the install of a printer, the follow-up of a
// printer rename, and on a terminal server the private copy of each user's
// settings INI and set files, made or brought up to date at the start of
// nearly every entry point.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// InitDriverProc install types.
inline constexpr DWORD kInstallFirst = 0;       // default DEVMODE asked for the first time
inline constexpr DWORD kInstallInitialise = 1;  // printer initialisation; rebuild of a user copy
inline constexpr DWORD kInstallClient = 2;      // connection added on a client
inline constexpr DWORD kInstallConversion = 5;  // DEVMODE conversion asked for an install; as type 0

// The mark of a pack install finished.
inline constexpr const WCHAR* kKeyPackInstallDone = u"PackInstallDone";
// When the user's copy of the set files was last made: the file time (UTC,
// decimal) of the user's settings INI once the per-user set-up was done.
inline constexpr const WCHAR* kKeyUserCopyTime = u"DrvUserCopyTime";

#if !KESM_KERNEL_MODE
// Installs the printer: data directories, defaults into printer data and
// the registry, the install INI files merged into the settings INI, the
// presets and quality sets of the default set file, the driver files
// secured. Each step goes on when one before it failed. A type-0 install
// with a DEVMODE buffer (at least the driver's DEVMODE size) receives the
// default DEVMODE. 0 only when no context can be opened.
BOOL InitDriverProc(HANDLE printer, DEVMODEW* devmode, DWORD type);
// After a rename (the printer-data name differs from the printer's): the
// settings INI, the bidi fallback section and the install INI follow the
// new name. 1 when a rename was handled.
BOOL RefreshIniFile(UCB* ucb);

// Makes the user's copy current; 1 when the caller may go on.
BOOL InstallPerUser(HANDLE printer);
// Without per-user copies: a client printer whose data directory is its
// own ("_KESMDirectoryClient") is brought up to date. 1.
BOOL InstallForKESMDirectory(HANDLE printer);
// The user's copy made afresh: the shared settings INI and the preset and
// quality set files. A set file of the user's that changed since the last
// copy is kept. 1 when the settings INI was copied.
BOOL SetupDriverFilePerUser(HANDLE printer);
// The user's copy upgraded or rebuilt for a GetTSInstallStatus answer.
BOOL UpdateDriverFilePerUser(HANDLE printer, DWORD status);
// A client's own data directory brought up to the driver's version. The
// versions are read from and written to the given INI, else the settings
// INI of the printer's data directory; the section is the given name, else
// the printer's.
BOOL UpdateDriverFilePerUserClient(HANDLE printer, LPCWSTR ini, LPCWSTR name);
#endif
