// The data and spool directory keys of an install: an administrator names
// in the driver INI or the driver-install INI (printer section) where the
// shared data directory of the printers lies and where the intermediate
// files of a job go. Each key is taken once: it is removed from its INI
// with the file's last-write time kept.
//
//   "KESMDirectory"        the folder that receives "_kesm", stored as the
//                          HKLM value "_KESMDirectory" of kDriverRegKey;
//                          empty clears that value.
//   "KESMDirectoryClient"  (print server only) the printer-data value
//                          "_KESMDirectoryClient" that client drivers use.
//   "SpoolDirectory"       the folder of intermediate files: the printer's
//                          printer-data value "SpoolDirectory", or, with
//                          "SpoolDirectoryAll" = "ON", the value
//                          "SpoolDirectory" of kDriverRegKey for every
//                          printer.
// Values may start with "%SYSTEMDRIVE%" or "%SYSTEMROOT%". A folder that
// does not exist, or a path too long for the names built on it, is not
// stored.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The HKLM key of the driver's machine-wide values, and the value that
// holds the spool directory of every printer there.
inline constexpr const WCHAR* kDriverRegKey = u"SOFTWARE\\TALVO\\KesmDrv";
inline constexpr const WCHAR* kSpoolDirectoryValue = u"SpoolDirectory";

#if !KESM_KERNEL_MODE
// The two data-directory keys of the INI's section.
BOOL _SetKesmDirectory(HANDLE printer, LPCWSTR section, LPCWSTR ini);
// The same from the driver INI and from the driver-install INI.
BOOL InstallKitForKesmDirectory(HANDLE printer, LPCWSTR section, UCB* ucb);
BOOL BatchInstallForKesmDirectory(HANDLE printer, LPCWSTR section);
// The spool directory keys of the INI's section.
BOOL BatchInstallForSpoolDirectory(LPCWSTR ini, LPCWSTR section, UCB* ucb);
#endif
