// Basic Windows types and constants of the stand-in. Widths match Windows
// (LONG and DWORD are 32-bit even on this 64-bit host); pointer-sized
// integers follow the host.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define APIENTRY
#define CALLBACK

using BOOL = std::int32_t;
using BOOLEAN = std::uint8_t;
using BYTE = std::uint8_t;
using CHAR = char;
using UCHAR = unsigned char;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using INT = std::int32_t;
using UINT = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using DWORD64 = std::uint64_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using LPARAM = LONG_PTR;
using WPARAM = UINT_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;
using COLORREF = DWORD;
using SIZE_T = std::size_t;
using WCHAR = char16_t;
using NTSTATUS = LONG;
using LCID = DWORD;
using LANGID = WORD;

using PVOID = void*;
using LPVOID = void*;
using LPCVOID = const void*;
using PBYTE = BYTE*;
using LPBYTE = BYTE*;
using PWORD = WORD*;
using PDWORD = DWORD*;
using LPDWORD = DWORD*;
using PULONG = ULONG*;
using PLONG = LONG*;
using PUSHORT = USHORT*;
using PBOOL = BOOL*;
using LPBOOL = BOOL*;
using PCHAR = CHAR*;
using LPSTR = CHAR*;
using LPCSTR = const CHAR*;
using PSTR = CHAR*;
using PCSTR = const CHAR*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using PWSTR = WCHAR*;
using PCWSTR = const WCHAR*;
using PWCHAR = WCHAR*;

using HANDLE = void*;
using PHANDLE = HANDLE*;
using HMODULE = void*;
using HINSTANCE = void*;
using HGLOBAL = void*;
using HLOCAL = void*;
using HRSRC = void*;
// Address of an exported function; callers cast it to the function's type.
// Declared as void (*)() (not INT_PTR (*)()) because that is the one function
// type the compiler lets every function pointer be cast to and from without
// a cast-function-type warning.
using FARPROC = void (*)();

// Window-system and GDI handles are distinct types, so that a window is never
// passed where a DC is expected. The GDI kinds derive from HGDIOBJ__, so each
// converts to HGDIOBJ where a call takes any GDI object (SelectObject,
// DeleteObject); the way back is a static_cast, as on Windows. None of these
// structures is ever made: a handle names an entry in its table.
struct HWND__ {};
using HWND = HWND__*;
struct HMENU__ {};
using HMENU = HMENU__*;
struct HICON__ {};
using HICON = HICON__*;
using HCURSOR = HICON;  // cursors and icons are one kind of object
struct HGDIOBJ__ {};
using HGDIOBJ = HGDIOBJ__*;
struct HDC__ : HGDIOBJ__ {};
using HDC = HDC__*;
struct HBM__ : HGDIOBJ__ {};
using HBITMAP = HBM__*;
struct HBRUSH__ : HGDIOBJ__ {};
using HBRUSH = HBRUSH__*;
struct HPEN__ : HGDIOBJ__ {};
using HPEN = HPEN__*;
struct HFONT__ : HGDIOBJ__ {};
using HFONT = HFONT__*;
struct HRGN__ : HGDIOBJ__ {};
using HRGN = HRGN__*;
struct HPALETTE__ : HGDIOBJ__ {};
using HPALETTE = HPALETTE__*;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline constexpr DWORD MAX_PATH = 260;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;

struct POINT { LONG x; LONG y; };
struct RECT { LONG left; LONG top; LONG right; LONG bottom; };
struct SIZE { LONG cx; LONG cy; };
using POINTL = POINT;
using RECTL = RECT;
using SIZEL = SIZE;
using PPOINT = POINT*;
using PRECT = RECT*;
using LPRECT = RECT*;
using LPPOINT = POINT*;
using PPOINTL = POINTL*;
using PRECTL = RECTL*;
using PSIZEL = SIZEL*;

struct FILETIME { DWORD dwLowDateTime; DWORD dwHighDateTime; };
using PFILETIME = FILETIME*;
using LPFILETIME = FILETIME*;

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
using PSYSTEMTIME = SYSTEMTIME*;
using LPSYSTEMTIME = SYSTEMTIME*;

static_assert(sizeof(WCHAR) == 2);
static_assert(sizeof(POINT) == 8 && sizeof(RECT) == 16 && sizeof(SIZE) == 8);
static_assert(sizeof(FILETIME) == 8 && sizeof(SYSTEMTIME) == 16);

constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR v) { return static_cast<BYTE>(v & 0xFF); }
constexpr BYTE HIBYTE(DWORD_PTR v) { return static_cast<BYTE>((v >> 8) & 0xFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }
constexpr WORD MAKEWORD(BYTE lo, BYTE hi) { return static_cast<WORD>(lo | (hi << 8)); }

// Access masks and the generic access rights, shared by files, registry
// keys, printers and security checks.
using ACCESS_MASK = DWORD;
using PACCESS_MASK = ACCESS_MASK*;
inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD GENERIC_EXECUTE = 0x20000000u;
inline constexpr DWORD GENERIC_ALL = 0x10000000u;
inline constexpr DWORD MAXIMUM_ALLOWED = 0x02000000u;

// A security descriptor in its self-relative byte layout
// (platform/security/winsecurity.h).
using PSECURITY_DESCRIPTOR = void*;

// Security attributes passed to object-creating calls. The stand-in takes
// the descriptor as given by the caller and does not interpret it there.
struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
using PSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
static_assert(sizeof(SECURITY_ATTRIBUTES) == 24);
