// The file dialog's names and results.
#include "platform/window/commdlg/file_names.h"

#include <algorithm>
#include <string>

#include "platform/files/wildcard.h"

namespace plat::commdlg {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::vector<FilterPair> ParseFilter(LPCWSTR filter, std::size_t limit) {
  std::vector<FilterPair> pairs;
  if (filter == nullptr) return pairs;
  std::size_t at = 0;
  // One terminated text of the block, or nothing when it runs past limit.
  const auto next = [&](std::u16string* text) {
    text->clear();
    while (at < limit && filter[at] != 0) *text += filter[at++];
    if (at >= limit) return false;
    ++at;
    return true;
  };
  FilterPair pair;
  while (next(&pair.name) && !pair.name.empty() && next(&pair.patterns) && !pair.patterns.empty()) {
    pairs.push_back(pair);
  }
  return pairs;
}

std::vector<std::u16string> SplitPatterns(std::u16string_view patterns) {
  std::vector<std::u16string> out;
  while (!patterns.empty()) {
    const std::size_t end = std::min(patterns.find(u';'), patterns.size());
    std::u16string_view one = patterns.substr(0, end);
    while (!one.empty() && IsBlank(one.front())) one.remove_prefix(1);
    while (!one.empty() && IsBlank(one.back())) one.remove_suffix(1);
    if (!one.empty()) out.emplace_back(one);
    patterns.remove_prefix(std::min(end + 1, patterns.size()));
  }
  return out;
}

bool MatchesAny(std::span<const std::u16string> patterns, std::u16string_view name) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const std::u16string& p) { return MatchesPattern(p, name); });
}

bool HasWildcard(std::u16string_view text) { return text.find_first_of(u"*?") != std::u16string_view::npos; }

std::vector<std::u16string> FolderChain(std::u16string_view folder) {
  std::vector<std::u16string> chain;
  if (folder.size() < 2) return chain;
  chain.push_back(std::u16string(folder.substr(0, 2)) + u"\\");
  folder.remove_prefix(std::min<std::size_t>(3, folder.size()));
  while (!folder.empty()) {
    const std::size_t end = std::min(folder.find(u'\\'), folder.size());
    if (end > 0) chain.emplace_back(folder.substr(0, end));
    folder.remove_prefix(std::min(end + 1, folder.size()));
  }
  return chain;
}

std::u16string ChainFolder(std::span<const std::u16string> chain) {
  std::u16string folder;
  for (const std::u16string& part : chain) folder = folder.empty() ? part : JoinPath(folder, part);
  return folder;
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  if (!path.empty() && path.back() != u'\\') path += u'\\';
  path += name;
  return path;
}

WORD NameOffset(std::u16string_view path) {
  const std::size_t cut = path.find_last_of(u"\\:");
  return static_cast<WORD>(cut == std::u16string_view::npos ? 0 : cut + 1);
}

WORD ExtensionOffset(std::u16string_view path) {
  const std::size_t name = NameOffset(path);
  const std::size_t dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos || dot < name) return static_cast<WORD>(path.size());
  return static_cast<WORD>(dot + 1 == path.size() ? 0 : dot + 1);
}

FileResult ResultOf(std::u16string_view folder, std::span<const std::u16string> names) {
  FileResult result;
  if (names.size() == 1) {
    result.text = JoinPath(folder, names.front());
    result.fileOffset = NameOffset(result.text);
    result.extensionOffset = ExtensionOffset(result.text);
    return result;
  }
  result.text = std::u16string(folder);
  result.fileOffset = static_cast<WORD>(result.text.size() + 1);
  for (const std::u16string& name : names) result.text += u" " + name;
  return result;
}

}  // namespace plat::commdlg
