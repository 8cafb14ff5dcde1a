// The registry of the stand-in: HKEY_LOCAL_MACHINE, kept in the machine's
// registry store so that every process of the machine
// sees the same keys. Key and value names are matched ignoring case and keep
// the spelling they were created with. Values keep their type and exactly
// the bytes they were set with (strings are not terminated for the caller).
// Every function returns ERROR_SUCCESS or a Windows error code and leaves
// the thread's last error alone, as the Windows registry functions do.
#pragma once

#include "platform/base/wintypes.h"

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LSTATUS = LONG;

inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u));

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

// Access rights of a key handle. Generic rights and MAXIMUM_ALLOWED are
// mapped onto these when a key is opened.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
inline constexpr REGSAM KEY_READ = 0x00020019;
inline constexpr REGSAM KEY_WRITE = 0x00020006;
inline constexpr REGSAM KEY_EXECUTE = 0x00020019;
inline constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

// RegCreateKeyExW options and dispositions.
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_OPTION_VOLATILE = 1;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens an existing key below hKey (a null or empty subKey opens hKey once
// more). ERROR_FILE_NOT_FOUND when a key of the path is missing.
LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
// The old form: full access; a null or empty subKey returns hKey itself.
LSTATUS RegOpenKeyW(HKEY hKey, LPCWSTR subKey, PHKEY result);
// Opens the key, creating it and any missing key above it; *disposition
// (optional) tells which happened.
LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                        REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                        LPDWORD disposition);
LSTATUS RegCloseKey(HKEY hKey);

// A null data pointer with a size pointer asks for the size; a buffer that
// is too small gives ERROR_MORE_DATA with the size needed and is not written.
// A null or empty name is the key's default value.
LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD cbData);
LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                       DWORD cbData);
LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR valueName);
// Deletes a key that has no subkeys (ERROR_ACCESS_DENIED when it has some).
// Handles still open on it then answer ERROR_KEY_DELETED.
LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR subKey);

// Enumeration by index: subkeys in name order ignoring case, values in the
// order they were created; ERROR_NO_MORE_ITEMS past the end. Name sizes are
// in characters and include the terminator on input, exclude it on output.
LSTATUS RegEnumKeyExW(HKEY hKey, DWORD index, LPWSTR name, LPDWORD cchName, LPDWORD reserved,
                      LPWSTR keyClass, LPDWORD cchClass, PFILETIME lastWriteTime);
LSTATUS RegEnumValueW(HKEY hKey, DWORD index, LPWSTR valueName, LPDWORD cchValueName,
                      LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD cbData);
