// Controls of the simulated machine's system facts, for tests and tools.
// Each fact is kept in the machine folder, so every process of the machine
// sees it; a new machine has the defaults. Setters return false when no
// machine is set or the value cannot be stored.
#pragma once

#include <cstdint>

#include "platform/base/wintypes.h"

namespace plat {

// What GetVersionExW reports. Default: 6.1 build 7601, NT platform,
// "Service Pack 1" (1.0), suite mask 0x0100, workstation (product type 1).
struct OsVersion {
  DWORD major = 6;
  DWORD minor = 1;
  DWORD build = 7601;
  DWORD platformId = 2;
  const WCHAR* servicePack = u"Service Pack 1";  // at most 127 characters
  WORD servicePackMajor = 1;
  WORD servicePackMinor = 0;
  WORD suiteMask = 0x0100;
  BYTE productType = 1;
};
bool SetOsVersion(const OsVersion& version);

// Whether the current user is a member of BUILTIN\Administrators in the
// tokens the security calls hand out. Default: yes.
bool SetAdministrator(bool isAdministrator);

// The user's default locale. Default 0x0409. Fails for a locale that
// GetLocaleInfoW does not know.
bool SetUserDefaultLocale(LCID locale);

// The Windows and system directories, as full Windows paths. Default
// C:\Windows and C:\Windows\System32. Every service reads them from here:
// profile files named without a path, the current directory (the system
// directory), the module and program searches, the spooler's driver
// directories and the temporary folder. C: is the machine's only drive, so
// a path on another drive, a relative or network path is refused (false,
// ERROR_INVALID_PARAMETER), as are an empty path and one of MAX_PATH
// characters or more. The folders are made on the drive, with the standard
// ones below them (Temp, the spooler's driver directories); false when that
// fails. Nothing is changed on failure, apart from folders already made.
bool SetWindowsDirectories(LPCWSTR windowsDirectory, LPCWSTR systemDirectory);

// Terminal-server mode, as Windows records it: "Terminal Server" among the
// strings of the REG_MULTI_SZ value "ProductSuite" of HKEY_LOCAL_MACHINE
// "System\CurrentControlSet\Control\ProductOptions". Other suite names
// there are kept. Default: not a terminal server (no such value).
bool SetTerminalServer(bool enabled);

// Sets a variable of the machine's environment, or removes it when value is
// null (also one that has a default, such as SystemRoot).
bool SetEnvironmentValue(LPCWSTR name, LPCWSTR value);

}  // namespace plat
