// Case-insensitive resolution of Windows paths in the machine's drive tree.
#include "platform/proc_paths.h"

#include <string>
#include <vector>

#include "platform/machine.h"
#include "platform/sysfacts_store.h"
#include "platform/winerror.h"

namespace plat {
namespace {

char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

// The entry of dir whose name matches ignoring case, the exact one first.
std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& dir,
                                               std::u16string_view name) {
  std::error_code ec;
  std::filesystem::path exact = dir / facts::ToUtf8(name);
  if (std::filesystem::exists(exact, ec)) return exact;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (SameName(facts::FromUtf8(entry.path().filename().string()), name)) return entry.path();
  }
  return std::nullopt;
}

std::vector<std::u16string_view> Components(std::u16string_view rest) {
  std::vector<std::u16string_view> parts;
  while (!rest.empty()) {
    std::size_t end = rest.find_first_of(u"\\/");
    std::u16string_view part = rest.substr(0, end);
    rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(part);
    }
  }
  return parts;
}

}  // namespace

std::optional<HostPath> MapWindowsPath(std::u16string_view windowsPath, DWORD* error) {
  const bool drivePath = windowsPath.size() >= 2 && windowsPath[1] == u':' &&
                         Fold(windowsPath[0]) >= u'a' && Fold(windowsPath[0]) <= u'z';
  if (!drivePath || (windowsPath.size() > 2 && windowsPath[2] != u'\\' && windowsPath[2] != u'/')) {
    *error = drivePath ? ERROR_PATH_NOT_FOUND : ERROR_BAD_PATHNAME;
    return std::nullopt;
  }
  std::filesystem::path root = MachineRoot();
  if (root.empty()) {
    *error = ERROR_PATH_NOT_FOUND;
    return std::nullopt;
  }
  HostPath result;
  result.path = root / "drive" / std::string(1, static_cast<char>(Fold(windowsPath[0])));
  result.exists = true;
  auto parts = Components(windowsPath.substr(2));
  for (std::size_t i = 0; i < parts.size(); ++i) {
    result.parentExists = result.exists;
    std::optional<std::filesystem::path> found;
    if (result.exists) found = FindEntry(result.path, parts[i]);
    result.exists = found.has_value();
    result.path = found ? *found : result.path / facts::ToUtf8(parts[i]);
  }
  if (parts.empty()) {
    std::error_code ec;
    result.exists = std::filesystem::is_directory(result.path, ec);
    result.parentExists = result.exists;
  }
  return result;
}

}  // namespace plat
