// The print spooler's client interface of the stand-in: printers, their
// drivers, printer data and the form database of the simulated machine.
// Printers and drivers are set up with platform/spooler/spoolsetup.h.
//
// Information calls (GetPrinterW, GetPrinterDriverW, EnumFormsW) fill one
// caller buffer: the records first, then every string and DEVMODE they point
// to. A call without a buffer, or with one that is too small, fails with
// ERROR_INSUFFICIENT_BUFFER and reports the size needed; *pcbNeeded is set
// on success too. Printer-data calls return their error code instead.
#pragma once

#include "platform/spooler/devmode.h"
#include "platform/registry/winreg.h"  // printer-data values carry registry types
#include "platform/base/wintypes.h"

using LPHANDLE = HANDLE*;

// Access rights of a printer handle.
inline constexpr ACCESS_MASK SERVER_ACCESS_ADMINISTER = 0x00000001;
inline constexpr ACCESS_MASK SERVER_ACCESS_ENUMERATE = 0x00000002;
inline constexpr ACCESS_MASK PRINTER_ACCESS_ADMINISTER = 0x00000004;
inline constexpr ACCESS_MASK PRINTER_ACCESS_USE = 0x00000008;
inline constexpr ACCESS_MASK PRINTER_ALL_ACCESS = 0x000F000C;
inline constexpr ACCESS_MASK PRINTER_READ = 0x00020008;
inline constexpr ACCESS_MASK PRINTER_WRITE = 0x00020008;
inline constexpr ACCESS_MASK PRINTER_EXECUTE = 0x00020008;
inline constexpr ACCESS_MASK SERVER_ALL_ACCESS = 0x000F0003;
inline constexpr ACCESS_MASK SERVER_READ = 0x00020002;
inline constexpr ACCESS_MASK SERVER_WRITE = 0x00020003;
inline constexpr ACCESS_MASK SERVER_EXECUTE = 0x00020002;

// PRINTER_INFO_2W Attributes bits.
inline constexpr DWORD PRINTER_ATTRIBUTE_QUEUED = 0x00000001;
inline constexpr DWORD PRINTER_ATTRIBUTE_DIRECT = 0x00000002;
inline constexpr DWORD PRINTER_ATTRIBUTE_DEFAULT = 0x00000004;
inline constexpr DWORD PRINTER_ATTRIBUTE_SHARED = 0x00000008;
inline constexpr DWORD PRINTER_ATTRIBUTE_NETWORK = 0x00000010;
inline constexpr DWORD PRINTER_ATTRIBUTE_HIDDEN = 0x00000020;
inline constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x00000040;
inline constexpr DWORD PRINTER_ATTRIBUTE_ENABLE_DEVQ = 0x00000080;
inline constexpr DWORD PRINTER_ATTRIBUTE_KEEPPRINTEDJOBS = 0x00000100;
inline constexpr DWORD PRINTER_ATTRIBUTE_DO_COMPLETE_FIRST = 0x00000200;
inline constexpr DWORD PRINTER_ATTRIBUTE_WORK_OFFLINE = 0x00000400;
inline constexpr DWORD PRINTER_ATTRIBUTE_ENABLE_BIDI = 0x00000800;
inline constexpr DWORD PRINTER_ATTRIBUTE_RAW_ONLY = 0x00001000;
inline constexpr DWORD PRINTER_ATTRIBUTE_PUBLISHED = 0x00002000;

// FORM_INFO_1W Flags.
inline constexpr DWORD FORM_USER = 0x00000000;
inline constexpr DWORD FORM_BUILTIN = 0x00000001;
inline constexpr DWORD FORM_PRINTER = 0x00000002;

struct PRINTER_DEFAULTSW {
  LPWSTR pDatatype;
  LPDEVMODEW pDevMode;
  ACCESS_MASK DesiredAccess;
};
using PPRINTER_DEFAULTSW = PRINTER_DEFAULTSW*;
using LPPRINTER_DEFAULTSW = PRINTER_DEFAULTSW*;

struct PRINTER_INFO_2W {
  LPWSTR pServerName;  // null for a printer of this machine
  LPWSTR pPrinterName;
  LPWSTR pShareName;
  LPWSTR pPortName;
  LPWSTR pDriverName;
  LPWSTR pComment;
  LPWSTR pLocation;
  LPDEVMODEW pDevMode;  // the printer's default DEVMODE, or null
  LPWSTR pSepFile;
  LPWSTR pPrintProcessor;
  LPWSTR pDatatype;
  LPWSTR pParameters;
  PSECURITY_DESCRIPTOR pSecurityDescriptor;
  DWORD Attributes;
  DWORD Priority;
  DWORD DefaultPriority;
  DWORD StartTime;
  DWORD UntilTime;
  DWORD Status;
  DWORD cJobs;
  DWORD AveragePPM;
};
using PPRINTER_INFO_2W = PRINTER_INFO_2W*;
using LPPRINTER_INFO_2W = PRINTER_INFO_2W*;

struct DRIVER_INFO_2W {
  DWORD cVersion;
  LPWSTR pName;
  LPWSTR pEnvironment;
  LPWSTR pDriverPath;  // full paths in the driver directory
  LPWSTR pDataFile;
  LPWSTR pConfigFile;
};
using PDRIVER_INFO_2W = DRIVER_INFO_2W*;
using LPDRIVER_INFO_2W = DRIVER_INFO_2W*;

struct DRIVER_INFO_3W {
  DWORD cVersion;
  LPWSTR pName;
  LPWSTR pEnvironment;
  LPWSTR pDriverPath;
  LPWSTR pDataFile;
  LPWSTR pConfigFile;
  LPWSTR pHelpFile;
  LPWSTR pDependentFiles;  // full paths, each terminated, an empty one last; null when none
  LPWSTR pMonitorName;
  LPWSTR pDefaultDataType;
};
using PDRIVER_INFO_3W = DRIVER_INFO_3W*;
using LPDRIVER_INFO_3W = DRIVER_INFO_3W*;

// Sizes in thousandths of a millimetre.
struct FORM_INFO_1W {
  DWORD Flags;
  LPWSTR pName;
  SIZEL Size;
  RECTL ImageableArea;
};
using PFORM_INFO_1W = FORM_INFO_1W*;
using LPFORM_INFO_1W = FORM_INFO_1W*;

#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert(sizeof(PRINTER_DEFAULTSW) == 24);
static_assert(sizeof(PRINTER_INFO_2W) == 136 && offsetof(PRINTER_INFO_2W, Attributes) == 104);
static_assert(sizeof(DRIVER_INFO_2W) == 48 && offsetof(DRIVER_INFO_2W, pName) == 8);
static_assert(sizeof(DRIVER_INFO_3W) == 80 && offsetof(DRIVER_INFO_3W, pHelpFile) == 48);
static_assert(sizeof(FORM_INFO_1W) == 40 && offsetof(FORM_INFO_1W, Size) == 16);
#endif

// Opens a printer by name (ignoring case). Without defaults, or with
// DesiredAccess 0, the handle gets PRINTER_ACCESS_USE. Rights the user does
// not hold on the printer give ERROR_ACCESS_DENIED; an unknown printer
// ERROR_INVALID_PRINTER_NAME.
// A null name opens the local print server: DesiredAccess 0 gives
// SERVER_ACCESS_ENUMERATE; an administrator holds SERVER_ALL_ACCESS, another
// user SERVER_READ. The server's form database can be enumerated through
// it; calls about one printer (GetPrinterW, GetPrinterDriverW and the
// engine's printer calls) fail on it with ERROR_INVALID_HANDLE, and the
// printer-data calls with ERROR_INVALID_PARAMETER, since this machine keeps
// none of the server's predefined values (writing and deleting check
// SERVER_ACCESS_ADMINISTER first).
BOOL OpenPrinterW(LPCWSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSW pDefault);
// Closes a printer or print server handle.
BOOL ClosePrinter(HANDLE hPrinter);

// Level 2 (PRINTER_INFO_2W).
BOOL GetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded);
// Levels 2 and 3 of the printer's driver in the given environment ("Windows
// NT x86", "Windows x64"; null: this machine's, "Windows NT x86").
BOOL GetPrinterDriverW(HANDLE hPrinter, LPCWSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo,
                       DWORD cbBuf, LPDWORD pcbNeeded);
// Level 1: the driver directory of an environment on this machine (pName
// null or empty), such as C:\Windows\System32\spool\drivers\w32x86; the
// files of version-3 drivers sit in its subfolder "3". Sizes in bytes.
BOOL GetPrinterDriverDirectoryW(LPCWSTR pName, LPCWSTR pEnvironment, DWORD Level,
                                LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded);

// Printer data: named values with a registry type, kept byte for byte.
// GetPrinterDataW sets *pType and *pcbNeeded whenever the value exists;
// ERROR_MORE_DATA when nSize is below the value's size (buffer untouched),
// ERROR_FILE_NOT_FOUND when there is no such value. Writing and deleting
// need a handle opened with PRINTER_ACCESS_ADMINISTER (else
// ERROR_ACCESS_DENIED).
DWORD GetPrinterDataW(HANDLE hPrinter, LPCWSTR pValueName, LPDWORD pType, LPBYTE pData,
                      DWORD nSize, LPDWORD pcbNeeded);
DWORD SetPrinterDataW(HANDLE hPrinter, LPCWSTR pValueName, DWORD Type, const BYTE* pData,
                      DWORD cbData);
DWORD DeletePrinterDataW(HANDLE hPrinter, LPCWSTR pValueName);

// Level 1: the form database, the built-in forms in paper-size order (form
// n is DEVMODE paper size n). *pcReturned is 0 when the call fails.
BOOL EnumFormsW(HANDLE hPrinter, DWORD Level, LPBYTE pForm, DWORD cbBuf, LPDWORD pcbNeeded,
                LPDWORD pcReturned);
