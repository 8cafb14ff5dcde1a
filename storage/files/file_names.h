// Splitting file names into their parts, and the set-file names made by
// replacing an extension. Pure text work on wide strings: the name is what
// follows the last "\" (the whole string when there is none), the extension
// what follows the last "." of the name, the base the name up to its first
// ".".
#pragma once

#include "platform/base/wintypes.h"

// The name part; null for null.
LPCWSTR GetFileNamePtr(LPCWSTR path);
LPWSTR GetFileNamePtr(LPWSTR path);

// The character after the last "." of the name, with the extension's length
// in *length (when given). Without a "." in the name: the name part and
// length 0. Null for null.
LPCWSTR GetFileNameExt(LPCWSTR path, LPDWORD length);
LPWSTR GetFileNameExt(LPWSTR path, LPDWORD length);

// The name part, with the length of the base in *length (when given). An
// empty name gives the path itself and length 0. Null for null.
LPCWSTR GetFileNameBase(LPCWSTR path, LPDWORD length);

// 1 when the base is not empty and the extension has 1 to 3 characters.
BOOL IsAvailableDriverDataFileName(LPCWSTR path);

// Writes into buffer (MAX_PATH characters) the path with the extension of
// its name replaced (a name without one gets "." and the extension). FALSE,
// with the buffer emptied, for a null argument, an empty path or extension,
// or a result that does not fit. The last argument is not used.
BOOL MakeBatchUseFileName(LPWSTR buffer, LPCWSTR path, LPCWSTR extension, LPVOID unused);
// The same with the quality-set extension "rsq".
BOOL MakeBatchUseQualityFileName(LPWSTR buffer, LPCWSTR path, LPVOID unused);

// Extensions of set files built by the name builders.
inline constexpr const WCHAR* kExtDriverUse = u"rsr";
inline constexpr const WCHAR* kExtQuality = u"rsq";
