// Profile (INI) access of the shared library. Every section name has its
// "[" and "]" turned into "," first, so that any printer name can name a
// section; every write reaches the disk before the call returns. Section
// names of more than 260 characters are refused: reads give the default,
// writes fail with ERROR_INVALID_PARAMETER. The kernel-mode build reads INI
// files from mapped images instead (rendering library).
#pragma once

#include "platform/base/wintypes.h"

#if !KESM_KERNEL_MODE
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
