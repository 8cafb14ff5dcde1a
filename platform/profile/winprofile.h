// Profile (INI) file services of the stand-in, with the semantics Windows
// documents. A file that starts with the UTF-16LE byte-order mark (FF FE)
// is UTF-16 text and is written as such; any other file, and a file the
// profile services create, is ANSI text in the process ANSI code page. A
// file name without a path names a file in the Windows directory. Section
// and key names compare ignoring case and the first section of a name is
// the one read and written; values lose their surrounding blanks, and then
// one pair of surrounding single or double quotes. The line syntax is
// described in platform/profile/inifile.h.
//
// Every call reads the file afresh and every write reaches the disk before
// it returns, so there is no cache to flush and other processes see a write
// at once. A write never leaves a half-written file: the new text goes to a
// temporary file in the same folder that then replaces the old one, and
// every line the write does not change keeps its bytes and its place.
#pragma once

#include "platform/base/wintypes.h"

// The value of a key, or the default (its trailing spaces dropped) when the
// file, section or key is missing. With a null key: the section's key names
// (a key that occurs twice is listed twice); with a null section: the file's
// section names (each once); each name ends in a null, the list in one more.
// Returns the characters copied without the final terminator. A value that
// does not fit is cut to size - 1 characters and size - 1 is returned; a
// list that does not fit is cut to size - 2 characters followed by two nulls
// and size - 2 is returned (last error ERROR_MORE_DATA in both cases). A
// missing value sets ERROR_FILE_NOT_FOUND.
DWORD GetPrivateProfileStringW(LPCWSTR appName, LPCWSTR keyName, LPCWSTR defaultValue,
                               LPWSTR returnedString, DWORD size, LPCWSTR fileName);
// The value as an integer: optional sign, then decimal digits or "0x" and
// hexadecimal digits, read up to the first other character (no digits give
// 0). A missing key or an empty value gives the default. A negative value
// comes back as its two's complement.
UINT GetPrivateProfileIntW(LPCWSTR appName, LPCWSTR keyName, INT defaultValue, LPCWSTR fileName);
// The section's entries ("key=value") and other lines that are not comments,
// each ending in a null, the list in one more; the size rules of lists above.
DWORD GetPrivateProfileSectionW(LPCWSTR appName, LPWSTR returnedString, DWORD size,
                                LPCWSTR fileName);

// Sets a key's value, creating the file, the section and the key as needed
// (a new key goes after the section's last line, a new section at the end of
// the file). A null value deletes the key, a null key deletes the section
// (every section of that name) except its ";" comment lines, which stay in
// the file; deleting from a missing file succeeds without creating it. All
// of section, key and value null flushes the profile cache, which this
// machine does not have, and returns FALSE as Windows does after a flush.
// Names or values that the file could not hold (a line break anywhere, "]"
// in a section name, "=" in a key, a key that starts with "[" or ";", an
// empty name) fail with ERROR_INVALID_PARAMETER and change nothing. A
// read-only file fails with ERROR_ACCESS_DENIED, a file open elsewhere
// without shared writing with ERROR_SHARING_VIOLATION, a missing folder
// with ERROR_PATH_NOT_FOUND.
BOOL WritePrivateProfileStringW(LPCWSTR appName, LPCWSTR keyName, LPCWSTR string, LPCWSTR fileName);
// Replaces the lines of a section with the given list of "key=value" lines
// (each ending in a null, the list in one more), creating the section as
// needed; a null list deletes the section as above. Same failures as above.
BOOL WritePrivateProfileSectionW(LPCWSTR appName, LPCWSTR string, LPCWSTR fileName);
