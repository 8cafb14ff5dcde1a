// The INI merges of an install, a rename and an upgrade: the driver INI's
// job-merge keys into the printer's settings, the driver's free sizes and
// watermarks into the shared INI, and the repair of the per-user stores.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// IniFileProcForInstall modes.
inline constexpr DWORD kIniProcInstall = 0;
inline constexpr DWORD kIniProcDefaultRst = 1;
inline constexpr DWORD kIniProcUpgrade = 2;

// The feature modules' event after the shared INI was brought up to date,
// with its parameter record.
inline constexpr DWORD kCustomInstallIni = 15;
struct INIUPDATEPARAM {
  LPCWSTR driverIni;
  LPCWSTR sharedIni;
  DWORD unchanged;  // 1 when the shared INI was current and left as it was
};

#if !KESM_KERNEL_MODE
// From the driver INI (driver-name section) into the settings INI (printer
// section): modes 0 and 2 take the copied keys (an upgrade only where the
// driver INI has no value, which it then writes empty), set the refresh
// mark ("0" install, "1" upgrade) and store the document properties; mode
// 1 sets "DefaultRst" to value. FALSE when a path, the printer name or the
// driver name is missing.
BOOL IniFileProcForInstall(UCB* ucb, DWORD mode, LPCWSTR value);
// When the shared INI is missing or its "RstVersion" is of another major
// version: the driver's free sizes and watermarks and the install keys are
// copied into it (counts kept within the stores' sizes). The feature
// modules hear of it either way.
BOOL UpdateIniFileForInstall(LPCWSTR sharedIni, LPCWSTR driverIni, UCB* ucb);
// "RstVersion" of the driver INI's driver-name section into the shared INI.
BOOL UpdateIniFileRstVersion(LPCWSTR sharedIni, LPCWSTR driverIni, UCB* ucb);
// When the driver INI names a default set file: the free-size settings
// that file holds replace those of the shared INI's entries, and the driver
// INI is marked ("BatchInstallDone") with its time stamp kept.
BOOL CustomIniFileForInstall(LPCWSTR sharedIni, LPCWSTR driverIni, UCB* ucb);
// Repairs the per-user free sizes and watermarks from the driver INI when
// they are missing or incomplete.
BOOL IniFileProcForValidate(UCB* ucb);
#endif
