// Setting up the spooler of the simulated machine, for tests and tools. Not a
// Windows service: it stands where an installer would add drivers and
// printers. Everything is kept in the machine folder, so other processes of
// the machine see it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spooler/winspool.h"

namespace plat {

inline constexpr const char16_t* kEnvironmentX86 = u"Windows NT x86";  // this machine's
inline constexpr const char16_t* kEnvironmentX64 = u"Windows x64";

// A version-3 printer driver. File names are bare names of files in the
// environment's driver directory (folder "3"); the spooler reports them as
// full paths. The driver is registered where Windows keeps it, under the
// key Drivers\Version-3\<name> of the environment's key
// HKLM\SYSTEM\CurrentControlSet\Control\Print\Environments\<environment>,
// with the values "Driver", "Data File",
// "Configuration File", "Help File", "Dependent Files", "Monitor",
// "Datatype" and "Version".
struct DriverSetup {
  std::u16string name;
  std::u16string environment = kEnvironmentX86;
  std::u16string driverFile;  // the rendering library
  std::u16string dataFile;
  std::u16string configFile;  // the configuration library
  std::u16string helpFile;
  std::vector<std::u16string> dependentFiles;
  std::u16string monitorName;
  std::u16string defaultDataType = u"RAW";
};

// The longest printer name AddPrinter takes, in characters.
inline constexpr std::size_t kMaxPrinterName = 220;

// A printer. A local printer's name has no backslash. A connection to a
// server's printer is named "\\server\printer" and gives "\\server" as its
// server name. The driver must be installed for this machine's environment.
struct PrinterSetup {
  std::u16string name;
  std::u16string serverName;  // empty for a local printer
  std::u16string shareName;
  std::u16string portName = u"LPT1:";
  std::u16string driverName;
  std::u16string comment;
  std::u16string location;
  // PRINTER_ATTRIBUTE_* bits; the spooler adds PRINTER_ATTRIBUTE_LOCAL to a
  // local printer's and PRINTER_ATTRIBUTE_NETWORK to a connection's.
  DWORD attributes = 0;
  // The stored default DEVMODE: empty for none, else the public part and
  // the driver's private part, dmSize + dmDriverExtra bytes in all.
  std::vector<BYTE> defaultDevMode;
  // The rights the current user holds on the printer; OpenPrinterW grants no
  // more. An administrator holds PRINTER_ALL_ACCESS; a plain user
  // PRINTER_READ.
  ACCESS_MASK userRights = PRINTER_ALL_ACCESS;
};

// ERROR_SUCCESS, ERROR_INVALID_PARAMETER (a missing name or file, an unknown
// environment: ERROR_INVALID_ENVIRONMENT) or
// ERROR_PRINTER_DRIVER_ALREADY_INSTALLED.
DWORD AddPrinterDriver(const DriverSetup& driver);
// ERROR_SUCCESS, ERROR_INVALID_PRINTER_NAME, ERROR_PRINTER_ALREADY_EXISTS,
// ERROR_UNKNOWN_PRINTER_DRIVER, or ERROR_INVALID_PARAMETER for a DEVMODE
// whose size disagrees with its header.
DWORD AddPrinter(const PrinterSetup& printer);
// Replaces a printer's stored default DEVMODE with these bytes as they are
// (none when empty). Unlike AddPrinter nothing is checked: this stands for a
// store that was damaged or written by another program, whose DEVMODE
// header need not agree with its size. ERROR_SUCCESS or
// ERROR_INVALID_PRINTER_NAME.
DWORD SetStoredDevModeBytes(std::u16string_view printerName, std::vector<BYTE> bytes);

// What keeps the current machine from being used, in one line naming the
// folder or file at fault: no machine set, its drive C: missing or not a
// folder, the disk of the machine folder full, or a store (the registry
// hive, the printer table, the job counter, the attribute table, the system
// facts) that is damaged, cannot be read, or whose lock file cannot be
// opened. Empty when nothing is found. Tools add it to their messages when
// a call of the stand-in fails.
std::string MachineFault();
// The message of a failed call of the stand-in, followed by ": " and the
// machine's fault when one is found.
std::string WithMachineFault(const std::string& message);

// Where the files of an environment's version-3 drivers are: the Windows
// path (below the system directory, C:\Windows\System32\spool\drivers\w32x86\3
// by default) and the host folder that holds them, made when missing. Empty
// for an unknown environment (or a folder that cannot be made).
std::u16string DriverFilesDirectory(std::u16string_view environment = kEnvironmentX86);
std::filesystem::path DriverFilesFolder(std::u16string_view environment = kEnvironmentX86);

// Installs a host file as a driver file of the environment, named fileName
// (a bare name) in its driver folder, as an installer copies a driver's
// files: an installed file that already holds the same bytes is left alone,
// and a changed one is replaced by a rename, never written over, so that a
// process that has loaded or mapped the installed file keeps the one it
// had. ERROR_SUCCESS, ERROR_INVALID_PARAMETER (not a bare name),
// ERROR_INVALID_ENVIRONMENT, ERROR_PATH_NOT_FOUND (no driver folder), or
// the error of the copy (ERROR_FILE_NOT_FOUND when there is no source
// file).
DWORD InstallDriverFile(const std::filesystem::path& source, std::u16string_view fileName,
                        std::u16string_view environment = kEnvironmentX86);

}  // namespace plat
