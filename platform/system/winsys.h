// System facts of the stand-in: version, locale, well-known directories and
// environment values. Their values are facts of the simulated machine that
// tests set (platform/system/sysfacts_control.h); the defaults describe an English
// (United States) workstation with its Windows directory at C:\Windows.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
};
using POSVERSIONINFOW = OSVERSIONINFOW*;
using LPOSVERSIONINFOW = OSVERSIONINFOW*;

struct OSVERSIONINFOEXW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};
using POSVERSIONINFOEXW = OSVERSIONINFOEXW*;
using LPOSVERSIONINFOEXW = OSVERSIONINFOEXW*;
static_assert(sizeof(OSVERSIONINFOW) == 276 && sizeof(OSVERSIONINFOEXW) == 284);

// dwOSVersionInfoSize must be the size of one of the two records (the
// extended fields are filled only for the larger); anything else fails with
// ERROR_INSUFFICIENT_BUFFER.
BOOL GetVersionExW(LPOSVERSIONINFOW info);

// Size probes as Windows: the result is the length without the terminator
// when the text fits in size characters, else the size needed including
// the terminator (nothing written).
UINT GetSystemDirectoryW(LPWSTR buffer, UINT size);
UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size);

// Value of a variable of the machine's environment (names ignore case).
// Same size probe as above; 0 with ERROR_ENVVAR_NOT_FOUND when the variable
// is not set. SystemRoot and windir default to the Windows directory,
// SystemDrive to its drive.
DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size);

// Locales.
using LCTYPE = DWORD;
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
inline constexpr LCTYPE LOCALE_ICOUNTRY = 0x00000005;

constexpr LANGID MAKELANGID(WORD primary, WORD sub) { return static_cast<LANGID>((sub << 10) | primary); }
constexpr WORD PRIMARYLANGID(LANGID lang) { return lang & 0x3FF; }
constexpr WORD SUBLANGID(LANGID lang) { return lang >> 10; }
constexpr LANGID LANGIDFROMLCID(LCID lcid) { return static_cast<LANGID>(lcid & 0xFFFF); }

// The user's default locale (a fact of the machine; default 0x0409).
LCID GetUserDefaultLCID();

// Locale information as text. cchData 0 asks for the size (characters
// including the terminator); otherwise the result is the characters written
// including the terminator, or 0 with ERROR_INSUFFICIENT_BUFFER when the
// buffer is too small, ERROR_INVALID_PARAMETER for an unknown locale and
// ERROR_INVALID_FLAGS for an information type this stand-in does not keep.
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int cchData);
