// Profile (INI) access of the shared library. Every section name has its
// "[" and "]" turned into "," first, so that any printer name can name a
// section; every write reaches the disk before the call returns. Section
// names of more than 260 characters are refused. The kernel-mode build reads
// and rewrites INI files on mapped images (render/platform/ini_access.h).
#pragma once

#include "platform/base/wintypes.h"

#if KESM_KERNEL_MODE
// The key's integer, or the default when the file, section or key is
// missing, the section is refused or memory is short.
UINT KM_UM_GetPrivateProfileInt(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR file);
// 1 with the key's value in buffer, or 0 with the buffer unchanged when the
// file, section or key is missing or the section is refused (unlike the
// user-mode build, the default is not copied). Only when the section's
// temporary cannot be allocated is the buffer zero-filled and given the
// default (at most size - 1 characters), whose length is returned.
DWORD KM_UM_GetPrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue,
                                    LPWSTR buffer, DWORD size, LPCWSTR file);
// Overwrites an existing key's value in place (KMWritePrivateProfileString);
// never adds a file, section or key, never deletes one. FALSE when nothing
// was written.
BOOL KM_UM_WritePrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file);
#else
// A refused section gives reads the default and makes writes fail with
// ERROR_INVALID_PARAMETER.

// GetPrivateProfileIntW of the converted section.
UINT KM_UM_GetPrivateProfileInt(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR file);
// GetPrivateProfileStringW of the converted section; returns its count. For
// a refused section the buffer is zero-filled, receives the default (at
// most size - 1 characters), and its length is returned.
DWORD KM_UM_GetPrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue,
                                    LPWSTR buffer, DWORD size, LPCWSTR file);
// WritePrivateProfileStringW of the converted section, then a flush of the
// file's profile cache. A null key deletes the section, a null value the
// key. Returns the write's result.
BOOL KM_UM_WritePrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file);
// The same write, after which the file's last-write time is set back to
// what it was before (when the file existed and its time could be read).
BOOL UM_WritePrivateProfileStringNoChgTimeStamp(LPCWSTR section, LPCWSTR key, LPCWSTR value,
                                                LPCWSTR file);
#endif
