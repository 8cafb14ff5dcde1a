// INI access of the kernel-mode build: each call maps the whole file, scans
// it for the section and key and unmaps it before returning; there is no
// cache. A section line starts with "[section]" and a key line with
// "key=", case-sensitive and without blanks around "="; the key is looked
// for only in the lines after the first matching section line, up to the
// next line that starts with "[". A missing file, section or key all look
// the same. Section names are used as given (the profile functions of
// storage/ini/profile.h turn their brackets into commas first).
#pragma once

#include "platform/base/wintypes.h"

// The key's value read as atol reads it (at most 15 bytes, up to a blank or
// the line end: "12 ; note" gives 12, an empty value 0), or the default when
// the file, section or key is missing.
INT KMGetPrivateProfileInt(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR file);
// Copies the key's value (up to the line end, at most size - 1 bytes of it,
// cut at a whole character) into destination as UTF-16 and returns 1.
// Returns 0 and leaves the destination unchanged when it is null, size is
// 0, memory is short or the key is not found. The default is not used.
DWORD KMGetPrivateProfileStringEx(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue,
                                  LPWSTR destination, DWORD size, LPCWSTR file);
// Overwrites an existing key's value in place, through a shared writable
// mapping so that the change reaches the file; a shorter value is followed
// by blanks up to the old line end, so that the file keeps its length and
// every other line its bytes. TRUE when written. FALSE, with the file
// unchanged, when the file, section or key is missing (none is ever added),
// for a null value (a key cannot be deleted in place), a value with a line
// break, a value longer than the old one, or when memory is short.
BOOL KMWritePrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file);
