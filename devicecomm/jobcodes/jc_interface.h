// The job-code library as its maker documents it: the module that keeps a
// printer's accounting and identification codes outside the driver, its
// two exports and the table of nine operations that JCGetInterface hands
// out. Every operation answers a 32-bit status, 0 for success.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

// The library's file name in the system folder and its exports.
inline constexpr const WCHAR* kJCLibraryFileName = u"TALJC32.DLL";
inline constexpr const char* kJCGetInterfaceName = "JCGetInterface";
inline constexpr const char* kJCDisposeInterfaceName = "JCDisposeInterface";

// Interface versions: 257 is the oldest, which does not know the kinds
// 256-258; 258 knows them; 259 is asked for first on document events.
inline constexpr WORD kJCVersion257 = 257;
inline constexpr WORD kJCVersion258 = 258;
inline constexpr WORD kJCVersion259 = 259;

// Value types of the get and set operations.
inline constexpr DWORD kJCTypeText = 1;    // zero-terminated UTF-16 text
inline constexpr DWORD kJCTypeNumber = 4;  // 32-bit number

// Flags of the query operation.
inline constexpr DWORD kJCQueryHasValue = 0x1;

// Statuses the library documents.
inline constexpr DWORD kJCSuccess = 0;
// The kind holds no value for the printer (get, delete).
inline constexpr DWORD kJCNoValue = 13;
// A get whose buffer is absent or too small: the size needed is given.
inline constexpr DWORD kJCMoreData = 0x20000001;
// The printer is not registered with the library (open, unregister).
inline constexpr DWORD kJCUnknownPrinter = 0x20000002;
// The job-code handle is not open.
inline constexpr DWORD kJCBadHandle = 0x20000003;
// A kind, value type or argument the interface does not take.
inline constexpr DWORD kJCBadArgument = 0x20000004;

// The language block of the launch operation.
struct JCLANGBLOCK {
  DWORD cbSize;  // 8
  WORD wPrimary;      // Windows primary language id
  WORD wSubLanguage;  // Windows sublanguage id
};
static_assert(sizeof(JCLANGBLOCK) == 8);
static_assert(offsetof(JCLANGBLOCK, wPrimary) == 4);
static_assert(offsetof(JCLANGBLOCK, wSubLanguage) == 6);

// The interface, in slot order.
struct JCINTERFACE {
  DWORD(WINAPI* RegisterPrinter)(LPCWSTR printerName);                        // slot 0
  DWORD(WINAPI* UnregisterPrinter)(LPCWSTR printerName);                      // slot 1
  DWORD(WINAPI* OpenJobCode)(LPCWSTR printerName, DWORD* handle);             // slot 2
  DWORD(WINAPI* CloseJobCode)(DWORD handle);                                  // slot 3
  DWORD(WINAPI* QueryKind)(DWORD handle, DWORD kind, DWORD* flags);           // slot 4
  // A null buffer or a size of 0 asks only for the size needed, in bytes.
  DWORD(WINAPI* GetValue)(DWORD handle, DWORD kind, DWORD type, LPVOID buffer, DWORD size,
                          DWORD* needed);                                     // slot 5
  DWORD(WINAPI* SetValue)(DWORD handle, DWORD kind, DWORD type, LPCVOID buffer, DWORD size);  // slot 6
  DWORD(WINAPI* DeleteValue)(DWORD handle, DWORD kind);                       // slot 7
  DWORD(WINAPI* LaunchUtility)(DWORD handle, DWORD argument, const JCLANGBLOCK* language);  // slot 8
};
static_assert(sizeof(JCINTERFACE) == 9 * sizeof(void*));

// JCGetInterface hands out the interface of a version it serves (status 0)
// or refuses the version; JCDisposeInterface takes back what it handed out.
using PFNJCGETINTERFACE = DWORD(WINAPI*)(WORD version, const JCINTERFACE** iface);
using PFNJCDISPOSEINTERFACE = DWORD(WINAPI*)(const JCINTERFACE* iface);
