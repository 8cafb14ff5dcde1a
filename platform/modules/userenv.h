// The user-profile library "UserEnv.dll" (a built-in module: callers load it
// by name and take its exports with GetProcAddress), and the logged-on user
// of the simulated machine behind it.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

// The profile folder of the token's user (the machine's logged-on user). On
// success the folder is copied with its terminator and *size receives its
// length with the terminator. When the buffer is null or *size is too small,
// *size receives the length needed (with the terminator) and the result is
// FALSE with ERROR_INSUFFICIENT_BUFFER. ERROR_INVALID_HANDLE for a handle that
// is not an open token, ERROR_INVALID_PARAMETER for a null size.
BOOL GetUserProfileDirectoryW(HANDLE token, LPWSTR profileDir, LPDWORD size);

namespace plat {

// The logged-on user: name (default "User") and profile folder (default
// "C:\Users\" followed by the name). Both are kept in the machine folder, so
// every process of the machine sees them. The profile folder exists on the
// drive whenever it is reported.
std::u16string UserName();
std::u16string UserProfileDirectory();
// False for an empty name or one with a character that file names cannot
// hold (\ / : * ? " < > |), or when the machine has no folder.
bool SetUserName(std::u16string_view name);
// False for a path that is not a full Windows path ("C:\...") or a folder
// that cannot be made.
bool SetUserProfileDirectory(std::u16string_view windowsPath);

}  // namespace plat
