// Windows path to host path for the module services.
#include "platform/module_hostpath.h"

#include <system_error>
#include <vector>

#include "platform/codepage.h"
#include "platform/machine.h"
#include "platform/wintext.h"

namespace plat::modpath {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Components of the path after "X:", with "." dropped and ".." applied.
std::vector<std::u16string_view> Components(std::u16string_view rest) {
  std::vector<std::u16string_view> parts;
  std::size_t pos = 0;
  while (pos < rest.size()) {
    std::size_t end = pos;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    std::u16string_view part = rest.substr(pos, end - pos);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
  return parts;
}

// The entry of dir whose name equals part ignoring case, in its on-disk
// spelling; the part itself when none exists.
std::filesystem::path Child(const std::filesystem::path& dir, std::u16string_view part) {
  std::string wanted = ToUtf8(part);
  std::error_code ec;
  if (std::filesystem::exists(dir / wanted, ec)) return dir / wanted;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::u16string name = it->path().filename().u16string();
    if (EqualNoCase(name, part)) return it->path();
  }
  return dir / wanted;
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  if (text.empty()) return {};
  int size = static_cast<int>(text.size());
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

char16_t FoldCase(char16_t c) { return CharUpperW1(c); }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

bool IsAbsolute(std::u16string_view winPath) {
  return winPath.size() >= 3 && FoldCase(winPath[0]) >= u'A' && FoldCase(winPath[0]) <= u'Z' &&
         winPath[1] == u':' && IsSeparator(winPath[2]);
}

std::optional<std::filesystem::path> HostPath(std::u16string_view winPath) {
  if (!IsAbsolute(winPath) || MachineRoot().empty()) return std::nullopt;
  char drive = static_cast<char>(FoldCase(winPath[0]) - u'A' + 'a');
  std::filesystem::path path = MachineRoot() / "drive" / std::string(1, drive);
  for (std::u16string_view part : Components(winPath.substr(3))) path = Child(path, part);
  return path;
}

std::optional<std::filesystem::path> ExistingFile(std::u16string_view winPath) {
  auto path = HostPath(winPath);
  std::error_code ec;
  if (!path || !std::filesystem::is_regular_file(*path, ec)) return std::nullopt;
  return path;
}

}  // namespace plat::modpath
