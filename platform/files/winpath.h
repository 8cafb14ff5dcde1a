// Windows paths on the simulated machine. Drive C: is the folder
// DriveRoot() of the machine; a Windows path names a host path below it.
// Components that exist are matched ignoring case, as on NTFS, so
// "c:/WINDOWS/system32/../Win.INI" finds <drive>/Windows/win.ini.
//
// Accepted forms: "C:\a\b" (drive letter in either case), "\a\b" (root of
// the current drive), "C:a" and "a\b" (relative to the current directory).
// Slashes count as backslashes, repeated separators as one; "." is dropped,
// ".." goes up one level and stops at the root; trailing dots and blanks of
// a component are dropped, as Windows does. Other drive letters and network
// paths ("\\server\share") are not on this machine: C: is its only drive,
// and the Windows and system directories are kept on it (platform/system/sysfacts.h).
// A relative path is taken against the process's current directory, which
// is the machine's system directory (nothing changes it).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/base/wintypes.h"

struct stat;

namespace plat {

// How the last component of a path is read.
enum class PathUse {
  kName,     // a file or directory name: "*" and "?" are invalid
  kPattern,  // a find pattern: "*" and "?" are allowed and kept as written
};

// A Windows path resolved on the machine's drive.
struct ResolvedPath {
  std::filesystem::path host;       // existing components in their on-disk spelling
  std::filesystem::path asWritten;  // host, with the last component as the caller wrote it
  bool isRoot = false;              // the path is the drive's root "C:\"
  bool trailingSeparator = false;   // the caller's path ended in "\" or "/"
};

// Resolves a Windows path. Fails, with the last error set, for a null path
// (ERROR_INVALID_PARAMETER), an empty path, another drive, a network path,
// no machine set, or a missing or non-directory folder on the way
// (ERROR_PATH_NOT_FOUND), characters Windows forbids in names
// (ERROR_INVALID_NAME), and a full path longer than MAX_PATH - 1 characters
// or a component longer than 255 (ERROR_FILENAME_EXCED_RANGE). The last
// component need not exist; when it does not, it keeps the caller's spelling.
std::optional<ResolvedPath> ResolvePath(LPCWSTR path, PathUse use = PathUse::kName);
// The same, for a caller that reads the status of the host file next: when
// the resolution read it, it is left in *status and *statusKnown set.
std::optional<ResolvedPath> ResolvePath(LPCWSTR path, PathUse use, struct stat* status, bool* statusKnown);

// Host path of a Windows path, for platform code that works on host files
// (registry and spooler stores, modules). Same rules and errors as
// ResolvePath.
std::optional<std::filesystem::path> HostPathOf(LPCWSTR path);

// The Windows spelling "C:\..." of a host path on the drive, with the
// components as they are spelled on disk; empty when the path is not on the
// drive.
std::u16string WindowsPathOf(const std::filesystem::path& host);

// Makes the folder of a full Windows path ("C:\...") and every missing folder
// on the way to it. False, with the last error set, when the path does not
// resolve or a folder cannot be made.
bool CreateDirectories(std::u16string_view windowsPath);

// The full Windows spelling "C:\\..." of a path, worked out from its text
// alone (nothing need exist): relative paths taken against the current
// directory, "." and ".." applied, separators and trailing dots and blanks
// of components treated as ResolvePath treats them, the components kept as
// written. Nothing, with the last error set, where ResolvePath fails before
// it looks at the drive.
std::optional<std::u16string> FullPathOf(LPCWSTR path);

// Whether two names are equal ignoring case, as NTFS compares file names.
bool SameName(std::u16string_view a, std::u16string_view b);

}  // namespace plat
