// Windows path resolution onto the machine's drive folder.
#include "platform/files/winpath.h"

#include <sys/stat.h>

#include <algorithm>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/base/machine.h"
#include "platform/files/folded_names.h"
#include "platform/files/short_names.h"
#include "platform/files/resolved_paths.h"
#include "platform/system/sysfacts.h"
#include "platform/base/winerror.h"
#include "platform/text/wintext.h"

namespace plat {
namespace {

constexpr std::size_t kMaxComponent = 255;

bool IsSeparator(WCHAR c) { return c == u'\\' || c == u'/'; }
bool IsLetter(WCHAR c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsWildcard(WCHAR c) { return c == u'*' || c == u'?'; }

// Characters Windows refuses inside a file name (separators are split off
// before this test, and ':' is allowed only after a drive letter).
bool IsForbidden(WCHAR c) {
  return c < 0x20 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u':';
}

std::vector<std::u16string> SplitComponents(std::u16string_view text) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || IsSeparator(text[i])) {
      if (i > start) parts.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// The components of the current directory below "C:\".
std::vector<std::u16string> CurrentDirectoryComponents() {
  const std::u16string current = CurrentDirectory();
  return SplitComponents(std::u16string_view(current).substr(std::min<std::size_t>(3, current.size())));
}

// The components of the full path, "." and ".." applied; nullopt with the
// last error set when the path is not on drive C: or has a bad name.
std::optional<std::vector<std::u16string>> NormalComponents(std::u16string_view text, PathUse use) {
  std::vector<std::u16string> parts;
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
    SetLastError(ERROR_PATH_NOT_FOUND);  // network path: not on this machine
    return std::nullopt;
  }
  if (text.size() >= 2 && text[1] == u':' && IsLetter(text[0])) {
    if (text[0] != u'C' && text[0] != u'c') {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return std::nullopt;
    }
    text.remove_prefix(2);
    if (text.empty() || !IsSeparator(text[0])) parts = CurrentDirectoryComponents();
  } else if (text.empty() || !IsSeparator(text[0])) {
    parts = CurrentDirectoryComponents();
  }
  const std::vector<std::u16string> given = SplitComponents(text);
  for (std::size_t i = 0; i < given.size(); ++i) {
    std::u16string name = given[i];
    const bool last = i + 1 == given.size();
    if (name == u".") continue;
    if (name == u"..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    const bool pattern = last && use == PathUse::kPattern;
    for (WCHAR c : name) {
      if (IsForbidden(c) || (IsWildcard(c) && !pattern)) {
        SetLastError(ERROR_INVALID_NAME);
        return std::nullopt;
      }
    }
    // Windows drops trailing dots and blanks of a name; a pattern keeps them,
    // because "*." means "names without an extension".
    if (!pattern) {
      while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
      if (name.empty()) continue;
    }
    if (name.size() > kMaxComponent) {
      SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return std::nullopt;
    }
    parts.push_back(std::move(name));
  }
  std::size_t length = 3;  // "C:\"
  for (const auto& p : parts) length += p.size() + 1;
  if (length > MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return std::nullopt;
  }
  return parts;
}

// The entry of dir whose name equals name ignoring case: the exact spelling
// when it exists, else the first such entry in host order of names, else
// the entry whose short name it is.
std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& dir,
                                               const std::filesystem::path& name,
                                               std::u16string_view wide) {
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(dir / name, ec))) return dir / name;
  if (auto found = folded::FindIgnoringCase(dir, wide)) return found;
  return FindByShortName(dir, wide);
}

std::optional<std::filesystem::path> ToHostName(const std::u16string& name) {
  try {
    return std::filesystem::path(name);
  } catch (const std::exception&) {
    return std::nullopt;  // an unpaired surrogate has no host spelling
  }
}

// The common case in one or two host calls: every folder on the way is
// spelled as on disk, so the walk below would take each one as written.
// False, with result untouched, when the walk has to decide.
bool ResolveExactSpelling(const std::vector<std::u16string>& parts, ResolvedPath& result) {
  if (parts.empty() || parts.back().find_first_of(u"*?") != std::u16string::npos) return false;
  std::filesystem::path folder = result.host;
  std::optional<std::filesystem::path> last;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    auto hostName = ToHostName(parts[i]);
    if (!hostName) return false;
    if (i + 1 == parts.size()) {
      last = std::move(hostName);
    } else {
      folder /= *hostName;
    }
  }
  struct stat st {};
  const std::filesystem::path exact = folder / *last;
  if (stat(exact.c_str(), &st) == 0) {
    result.host = exact;
    result.asWritten = exact;
    return true;
  }
  if (parts.size() < 2 || stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  auto entry = FindEntry(folder, *last, parts.back());
  result.asWritten = exact;
  result.host = entry ? *entry : exact;
  return true;
}

// Whether the path names its folder from the drive's root, so that its
// resolution does not depend on the current directory.
bool FromTheRoot(std::u16string_view text) {
  if (text.size() >= 3 && text[1] == u':' && IsLetter(text[0])) return IsSeparator(text[2]);
  return !text.empty() && IsSeparator(text[0]);
}

// The folders a resolution depends on: the one holding its last component,
// and the one above each folder found by another spelling than written.
std::vector<std::filesystem::path> FoldersOf(const std::filesystem::path& drive,
                                             const std::vector<std::u16string>& parts, const ResolvedPath& result) {
  std::vector<std::filesystem::path> folders;
  std::filesystem::path folder = drive;
  const std::filesystem::path below = result.host.lexically_relative(drive);
  auto spelled = below.begin();
  for (std::size_t i = 0; i + 1 < parts.size() && spelled != below.end(); ++i, ++spelled) {
    auto written = ToHostName(parts[i]);
    if (!written || *written != *spelled) folders.push_back(folder);
    folder /= *spelled;
  }
  folders.push_back(folder);
  return folders;
}

// Resolves a path by walking its folders from the drive's root; the
// components walked are left in parts.
std::optional<ResolvedPath> Walk(std::u16string_view text, PathUse use, const std::filesystem::path& drive,
                                 std::vector<std::u16string>* walked) {
  auto parts = NormalComponents(text, use);
  if (!parts) return std::nullopt;
  ResolvedPath result;
  result.host = drive;
  result.isRoot = parts->empty();
  result.trailingSeparator = IsSeparator(text.back());
  if (!ResolveExactSpelling(*parts, result)) {
    std::error_code ec;
    for (std::size_t i = 0; i < parts->size(); ++i) {
      const std::u16string& name = (*parts)[i];
      const bool last = i + 1 == parts->size();
      auto hostName = ToHostName(name);
      if (!hostName) {
        SetLastError(ERROR_INVALID_NAME);
        return std::nullopt;
      }
      const bool pattern = last && name.find_first_of(u"*?") != std::u16string::npos;
      auto entry = pattern ? std::nullopt : FindEntry(result.host, *hostName, name);
      if (!last && (!entry || !std::filesystem::is_directory(*entry, ec))) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
      }
      result.asWritten = result.host / *hostName;
      result.host = entry ? *entry : result.asWritten;
    }
    if (result.isRoot) result.asWritten = result.host;
  }
  *walked = std::move(*parts);
  return result;
}

}  // namespace

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && CharUpperW1(a[i]) != CharUpperW1(b[i])) return false;
  }
  return true;
}

std::optional<ResolvedPath> ResolvePath(LPCWSTR path, PathUse use) { return ResolvePath(path, use, nullptr, nullptr); }

std::optional<ResolvedPath> ResolvePath(LPCWSTR path, PathUse use, struct stat* status, bool* statusKnown) {
  if (statusKnown != nullptr) *statusKnown = false;
  if (path == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  const std::u16string_view text(path);
  // Only a path from the root is kept: nothing else of the machine decides
  // its resolution but the folders it depends on.
  const bool keep = FromTheRoot(text);
  const std::u16string key = keep ? resolved::KeyOf(MachineGeneration(), text, use) : std::u16string();
  if (keep) {
    if (auto found = resolved::Find(key, status, statusKnown)) return found;
  }
  const std::filesystem::path drive = DriveRoot();
  if (text.empty() || MachineRoot().empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return std::nullopt;
  }
  resolved::CountWalk();
  const long long started = folded::StampClock();
  std::vector<std::u16string> parts;
  auto result = Walk(text, use, drive, &parts);
  if (result && keep && !result->isRoot) {
    const auto folders = FoldersOf(drive, parts, *result);
    // Every component as written: only the last folder to check, and the
    // last component spelled as written.
    auto written = ToHostName(parts.back());
    const bool exact = folders.size() == 1 && written && result->host.filename() == *written &&
                       parts.back().find_first_of(u"*?") == std::u16string::npos;
    resolved::Keep(key, *result, folders, exact, started);
  }
  return result;
}

std::optional<std::u16string> FullPathOf(LPCWSTR path) {
  if (path == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  const std::u16string_view text(path);
  if (text.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return std::nullopt;
  }
  const auto parts = NormalComponents(text, PathUse::kName);
  if (!parts) return std::nullopt;
  std::u16string full = u"C:";
  for (const std::u16string& part : *parts) full += u'\\' + part;
  if (parts->empty() || IsSeparator(text.back())) full += u'\\';
  return full;
}

std::optional<std::filesystem::path> HostPathOf(LPCWSTR path) {
  auto resolved = ResolvePath(path);
  if (!resolved) return std::nullopt;
  return resolved->host;
}

bool CreateDirectories(std::u16string_view windowsPath) {
  if (windowsPath.size() < 3 || windowsPath[1] != u':' || !IsSeparator(windowsPath[2])) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  std::optional<std::filesystem::path> host;
  std::error_code ec;
  for (std::size_t end = 3; end <= windowsPath.size(); ++end) {
    if (end < windowsPath.size() && !IsSeparator(windowsPath[end])) continue;
    host = HostPathOf(std::u16string(windowsPath.substr(0, end)).c_str());
    if (!host) return false;
    std::filesystem::create_directory(*host, ec);
  }
  if (host && std::filesystem::is_directory(*host, ec)) return true;
  SetLastError(ERROR_PATH_NOT_FOUND);
  return false;
}

std::u16string WindowsPathOf(const std::filesystem::path& host) {
  const std::filesystem::path drive = DriveRoot().lexically_normal();
  if (MachineRoot().empty()) return {};
  const std::filesystem::path relative = host.lexically_normal().lexically_relative(drive);
  if (relative.empty()) return {};
  std::u16string out = u"C:";
  try {
    for (const auto& part : relative) {
      if (part == "..") return {};
      if (part == "." || part.empty()) continue;
      out += u'\\';
      out += part.u16string();
    }
  } catch (const std::exception&) {
    return {};
  }
  if (out.size() == 2) out += u'\\';
  return out;
}

}  // namespace plat
