#include "platform/files/filelink.h"

#include <filesystem>

#include "platform/files/winpath.h"

namespace plat {

bool IsLink(LPCWSTR windowsPath) {
  const auto resolved = ResolvePath(windowsPath);
  if (!resolved || resolved->isRoot) return false;
  std::error_code ec;
  return std::filesystem::is_symlink(std::filesystem::symlink_status(resolved->host, ec));
}

}  // namespace plat
