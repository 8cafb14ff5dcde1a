// The file dialog's names and results, apart from its windows: filter
// lists, pattern matching, the folder chain and the result strings with
// their offsets. Private to the file dialog.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"

namespace plat::commdlg {

// One pair of a caller's filter: the name shown in the type list and its
// patterns ("*.txt;*.log").
struct FilterPair {
  std::u16string name;
  std::u16string patterns;
};
// The pairs of a filter block ("name\0patterns\0...\0"), read up to the
// empty name that ends it and never past limit characters; a name without
// its patterns ends the list.
std::vector<FilterPair> ParseFilter(LPCWSTR filter, std::size_t limit = 32768);
// The patterns of a list separated by ';', blanks around each dropped.
std::vector<std::u16string> SplitPatterns(std::u16string_view patterns);
// Whether the name matches one of the patterns (Windows' find rules).
bool MatchesAny(std::span<const std::u16string> patterns, std::u16string_view name);
bool HasWildcard(std::u16string_view text);

// "C:\a\b" as its chain: "C:\", "a", "b".
std::vector<std::u16string> FolderChain(std::u16string_view folder);
// The chain's folder again: "C:\" or "C:\a\b".
std::u16string ChainFolder(std::span<const std::u16string> chain);
// The folder and the name joined with one backslash.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);
// The offset of a path's name (past its last backslash or the drive's
// colon) and of its extension (past the name's last dot; the end of the
// text for a name without a dot, 0 for a name ending in one).
WORD NameOffset(std::u16string_view path);
WORD ExtensionOffset(std::u16string_view path);

// What the dialog writes into lpstrFile.
struct FileResult {
  std::u16string text;   // without the terminator
  WORD fileOffset = 0;
  WORD extensionOffset = 0;
};
// One file: its full path. Several (the old-style list): the folder, then
// each name after one blank; the offsets are those of the first name.
FileResult ResultOf(std::u16string_view folder, std::span<const std::u16string> names);

}  // namespace plat::commdlg
