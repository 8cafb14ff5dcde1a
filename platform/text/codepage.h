// Code-page conversion of the stand-in, built on iconv. Supported: CP_ACP
// (the process ANSI code page), CP_OEMCP, 1252, 437, 932, 936, 949, 950,
// CP_UTF8 and 20127.
// Size probes (output size 0) return the size needed, as on Windows.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr DWORD MB_PRECOMPOSED = 0x00000001;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;  // CP_UTF8 only
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

// cbMultiByte / cchWideChar of -1 means "null-terminated, count the
// terminator". Results are counts of output units; 0 on failure with
// ERROR_INSUFFICIENT_BUFFER (the whole characters that fit are written),
// ERROR_INVALID_PARAMETER, ERROR_INVALID_FLAGS or
// ERROR_NO_UNICODE_TRANSLATION (invalid input with MB_ERR_INVALID_CHARS or
// WC_ERR_INVALID_CHARS; without them, invalid input is replaced: U+FFFD for
// UTF-8, the code page's default character otherwise). Characters the code
// page lacks become the default character ('?' unless one is given), with
// *usedDefaultChar set; there is no best-fit mapping. UTF-8 takes no flags
// but the error flag, and no default character. An output buffer that
// shares memory with the input (the same buffer, or overlapping ones) gives
// ERROR_INVALID_PARAMETER and nothing is written.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int cbMultiByte, LPWSTR dst,
                        int cchWideChar);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int cchWideChar, LPSTR dst,
                        int cbMultiByte, LPCSTR defaultChar, LPBOOL usedDefaultChar);
BOOL IsDBCSLeadByteEx(UINT codePage, BYTE testChar);
BOOL IsDBCSLeadByte(BYTE testChar);
UINT GetACP();
UINT GetOEMCP();

// Engine spellings: sizes in bytes, results in bytes written; output that
// does not fit is cut at a whole character. Without an output buffer the
// result is the bytes needed; -1 on bad arguments or an unknown code page.
INT EngMultiByteToWideChar(UINT codePage, LPWSTR wideCharString, INT bytesInWideCharString,
                           LPSTR multiByteString, INT bytesInMultiByteString);
INT EngWideCharToMultiByte(UINT codePage, LPWSTR wideCharString, INT bytesInWideCharString,
                           LPSTR multiByteString, INT bytesInMultiByteString);
void EngGetCurrentCodePage(PUSHORT oemCodePage, PUSHORT ansiCodePage);
// Converts with the ANSI code page; *bytesInMultiByteString receives the
// bytes written. Returns STATUS_SUCCESS (0) or STATUS_BUFFER_OVERFLOW when
// the text did not fit (the whole characters that fit are written);
// STATUS_INVALID_PARAMETER without an output buffer.
inline constexpr NTSTATUS STATUS_SUCCESS = 0;
inline constexpr NTSTATUS STATUS_BUFFER_OVERFLOW = static_cast<NTSTATUS>(0x80000005u);
inline constexpr NTSTATUS STATUS_INVALID_PARAMETER = static_cast<NTSTATUS>(0xC000000Du);
NTSTATUS EngUnicodeToMultiByteN(PCHAR multiByteString, ULONG maxBytesInMultiByteString,
                                PULONG bytesInMultiByteString, PWSTR unicodeString,
                                ULONG bytesInUnicodeString);
