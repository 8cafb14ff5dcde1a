// UTF-16 and ANSI text helpers with the Windows names, and bounded
// printf-style formatters. Every bounded function always terminates its
// output (when the buffer holds at least one character) and never writes
// past the count it is given.
#pragma once

#include <cstdarg>

#include "platform/base/wintypes.h"

// Length in characters, null-safe (a null string has length 0).
int lstrlenW(LPCWSTR s);
int lstrlenA(LPCSTR s);
// Unbounded copy and concatenation, for callers that sized the target.
LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src);
LPSTR lstrcpyA(LPSTR dst, LPCSTR src);
LPWSTR lstrcatW(LPWSTR dst, LPCWSTR src);
LPSTR lstrcatA(LPSTR dst, LPCSTR src);
// Copies at most cchMax - 1 characters and terminates. The ANSI variant
// never splits a double-byte character of the process ANSI code page.
// cchMax 0 writes nothing; a negative cchMax or a null pointer returns null.
LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int cchMax);
LPSTR lstrcpynA(LPSTR dst, LPCSTR src, int cchMax);
// Ordinal comparison (-1, 0, 1; a null string sorts first) and
// case-insensitive comparison by simple upper-casing. lstrcmpiA compares
// the characters of the process ANSI code page, so a double-byte character
// is never folded byte by byte.
int lstrcmpW(LPCWSTR a, LPCWSTR b);
int lstrcmpiW(LPCWSTR a, LPCWSTR b);
int lstrcmpA(LPCSTR a, LPCSTR b);
int lstrcmpiA(LPCSTR a, LPCSTR b);
// First occurrence of needle in haystack, or null (also for an empty
// needle); StrStrIW ignores case. StrRChrW searches up to end (exclusive),
// or the whole string when end is null.
LPWSTR StrStrW(LPCWSTR haystack, LPCWSTR needle);
LPWSTR StrStrIW(LPCWSTR haystack, LPCWSTR needle);
LPWSTR StrChrW(LPCWSTR s, WCHAR c);
LPWSTR StrRChrW(LPCWSTR s, LPCWSTR end, WCHAR c);
// Simple case mapping of one UTF-16 unit (Latin-1, Latin Extended, Greek,
// Cyrillic and full-width Latin letters).
WCHAR CharUpperW1(WCHAR c);
WCHAR CharLowerW1(WCHAR c);
LPWSTR CharUpperW(LPWSTR s);  // in place, returns s
LPWSTR CharLowerW(LPWSTR s);  // in place, returns s

// Bounded formatters with the Windows conventions: %s wide string, %S ANSI
// string (in the wide formatter; the reverse in the ANSI one; %hs is always
// ANSI and %ls always wide; text of the other width goes through the process
// ANSI code page; a null string prints "(null)"), %c and %C alike for one
// character, %d %i %u %x %X, %ld %lu %lx (LONG-sized, 32-bit), %hd %hu, %p,
// %%; flags '-', '0' and '#', width and precision, '*' for either. An
// unknown conversion prints its letter and takes no argument. cchDest counts
// characters including the terminator. The result is the number of
// characters written without the terminator, or -1 when the output was
// truncated (the buffer then holds the truncated, terminated text, cut at a
// whole character: no half surrogate pair or double-byte character) or
// cchDest is not positive (nothing written).
int wnsprintfW(LPWSTR dst, int cchDest, LPCWSTR fmt, ...);
int wvnsprintfW(LPWSTR dst, int cchDest, LPCWSTR fmt, va_list args);
int wnsprintfA(LPSTR dst, int cchDest, LPCSTR fmt, ...);
int wvnsprintfA(LPSTR dst, int cchDest, LPCSTR fmt, va_list args);
