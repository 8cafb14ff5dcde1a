// Texts of system error codes (FormatMessageW), from the system's own
// message table only: a stand-in machine holds the texts of the common
// codes, in one language (its neutral and English ids answer).
#pragma once

#include <cstdarg>

#include "platform/base/wintypes.h"

inline constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x00000100;
inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_STRING = 0x00000400;
inline constexpr DWORD FORMAT_MESSAGE_FROM_HMODULE = 0x00000800;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
inline constexpr DWORD FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x00002000;
inline constexpr DWORD FORMAT_MESSAGE_MAX_WIDTH_MASK = 0x000000FF;

inline constexpr WORD LANG_NEUTRAL = 0x00;
inline constexpr WORD LANG_ENGLISH = 0x09;
inline constexpr WORD SUBLANG_NEUTRAL = 0x00;
inline constexpr WORD SUBLANG_DEFAULT = 0x01;

inline constexpr DWORD ERROR_MR_MID_NOT_FOUND = 317;
inline constexpr DWORD ERROR_RESOURCE_LANG_NOT_FOUND = 15100;

// FORMAT_MESSAGE_FROM_SYSTEM only (with or without IGNORE_INSERTS; the
// texts held have no inserts, and line widths are not applied). The text
// ends in "\r\n". With ALLOCATE_BUFFER, buffer is an LPWSTR* that receives
// a LocalAlloc block of at least size characters; else buffer holds size
// characters. Returns the characters stored without the terminator, or 0
// with the last error: ERROR_MR_MID_NOT_FOUND for a code without a text,
// ERROR_RESOURCE_LANG_NOT_FOUND for a language other than neutral or
// English, ERROR_INSUFFICIENT_BUFFER for a short buffer,
// ERROR_INVALID_PARAMETER for a null buffer or other sources.
DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                     va_list* arguments);
