// The machine's short (8.3) names.
#include "platform/files/short_names.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/text/wintext.h"

namespace plat {
namespace {

constexpr std::u16string_view kShortNameMarks = u"!#$%&'()-@^_`{}~";
constexpr std::size_t kShortStem = 8;
constexpr std::size_t kShortExtension = 3;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

bool ShortNameChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         kShortNameMarks.find(c) != std::u16string_view::npos;
}

std::u16string Upper(std::u16string_view text) {
  std::u16string out;
  for (char16_t c : text) out += static_cast<char16_t>(CharUpperW1(c));
  return out;
}

bool LessNoCase(const std::u16string& a, const std::u16string& b) { return Upper(a) < Upper(b); }

// The stem and extension a name's short name is made of, before numbering.
struct ShortParts {
  std::u16string stem;
  std::u16string extension;
  bool operator==(const ShortParts&) const = default;
};

std::u16string Cleaned(std::u16string_view part) {
  std::u16string out;
  for (char16_t c : Upper(part)) {
    if (IsBlank(c) || c == u'.') continue;
    out += ShortNameChar(c) ? c : u'_';
  }
  return out;
}

ShortParts PartsOf(std::u16string_view name) {
  const std::size_t dot = name.rfind(u'.');
  const bool hasExtension = dot != std::u16string_view::npos && dot != 0;
  ShortParts parts{Cleaned(hasExtension ? name.substr(0, dot) : name),
                   hasExtension ? Cleaned(name.substr(dot + 1)) : std::u16string()};
  if (parts.stem.empty()) parts.stem = u"_";
  parts.extension.resize(std::min(parts.extension.size(), kShortExtension));
  return parts;
}

}  // namespace

bool IsShortName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  const std::size_t dot = name.find(u'.');
  if (dot != std::u16string_view::npos && name.find(u'.', dot + 1) != std::u16string_view::npos) return false;
  const std::u16string_view stem = name.substr(0, dot);
  const std::u16string_view extension =
      dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot + 1);
  return !stem.empty() && stem.size() <= kShortStem && extension.size() <= kShortExtension &&
         (dot == std::u16string_view::npos || !extension.empty()) &&
         std::all_of(stem.begin(), stem.end(), ShortNameChar) &&
         std::all_of(extension.begin(), extension.end(), ShortNameChar);
}

std::u16string ShortName(std::u16string_view name, std::span<const std::u16string> siblings) {
  if (IsShortName(name)) return std::u16string(name);
  const ShortParts parts = PartsOf(name);
  const auto samePrefix = [&](const ShortParts& other) {
    return other.extension == parts.extension && other.stem.substr(0, 6) == parts.stem.substr(0, 6);
  };
  std::size_t number = 1;
  const std::u16string own(name);
  for (const std::u16string& sibling : siblings) {
    if (!IsShortName(sibling) && LessNoCase(sibling, own) && samePrefix(PartsOf(sibling))) ++number;
  }
  std::u16string tail = u"~";
  for (char digit : std::to_string(number)) tail += static_cast<char16_t>(digit);
  std::u16string shortName = parts.stem.substr(0, std::min<std::size_t>(6, kShortStem - tail.size())) + tail;
  if (!parts.extension.empty()) shortName += u"." + parts.extension;
  return shortName;
}

std::optional<std::filesystem::path> FindByShortName(const std::filesystem::path& dir, std::u16string_view wide) {
  if (wide.find(u'~') == std::u16string_view::npos) return std::nullopt;
  std::vector<std::u16string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    try {
      names.push_back(it->path().filename().u16string());
    } catch (const std::exception&) {
      // a host name that is not UTF-8 has no Windows spelling
    }
  }
  const std::u16string wanted = Upper(wide);
  for (const std::u16string& name : names) {
    if (!IsShortName(name) && ShortName(name, names) == wanted) return dir / std::filesystem::path(name);
  }
  return std::nullopt;
}

}  // namespace plat
