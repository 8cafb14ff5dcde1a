// Windows paths to host paths for process creation and file security:
// "X:\a\b" (or with "/") names <machine>/drive/x/a/b, with every existing
// component matched ignoring case, "." and ".." resolved (never above the
// drive's root). Internal to platform/.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/wintypes.h"

namespace plat {

struct HostPath {
  std::filesystem::path path;  // components that do not exist are kept as written
  bool exists = false;
  bool parentExists = false;
};

// Null with *error (ERROR_PATH_NOT_FOUND, ERROR_BAD_PATHNAME) for a path
// that is not an absolute drive path, or when no machine is set.
std::optional<HostPath> MapWindowsPath(std::u16string_view windowsPath, DWORD* error);

}  // namespace plat
