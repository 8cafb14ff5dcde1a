// The file dialog's lists: the folder chain and subfolders of the current
// folder, and its files that match the current patterns, read from the
// machine's drive.
#include <algorithm>

#include "platform/files/winfile.h"
#include "platform/files/short_names.h"
#include "platform/files/winpath.h"
#include "platform/window/commdlg/file_dialog.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"

namespace plat::commdlg {
namespace {

// The names of a folder in the order finding gives them (ignoring case);
// hidden entries are left out, as the dialog does not offer them.
struct FolderEntries {
  std::vector<std::u16string> folders;
  std::vector<std::u16string> files;
};

FolderEntries ReadFolder(std::u16string_view folder) {
  FolderEntries entries;
  WIN32_FIND_DATAW found{};
  const std::u16string pattern = JoinPath(folder, u"*");
  HANDLE find = FindFirstFileW(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::u16string name(found.cFileName);
    if (name == u"." || name == u".." || (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0) continue;
    ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? entries.folders : entries.files).push_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return entries;
}

// The name as the lists show it: its short name under OFN_NOLONGNAMES.
std::u16string Shown(const FileDialog& state, const std::u16string& name,
                     const std::vector<std::u16string>& siblings) {
  return state.Flag(OFN_NOLONGNAMES) ? ShortName(name, siblings) : name;
}

void FillList(HWND dialog, int id, UINT reset, UINT add, const std::vector<std::u16string>& items) {
  SendDlgItemMessageW(dialog, id, reset, 0, 0);
  for (const std::u16string& item : items) {
    SendDlgItemMessageW(dialog, id, add, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

std::vector<std::u16string> AllNames(const FolderEntries& entries) {
  std::vector<std::u16string> all = entries.folders;
  all.insert(all.end(), entries.files.begin(), entries.files.end());
  return all;
}

}  // namespace

std::u16string CurrentFolder(const FileDialog& state) { return ChainFolder(state.chain); }

std::u16string ShownFolder(const FileDialog& state) { return ChainFolder(state.shownChain); }

std::u16string ShortFolder(const FileDialog& state) { return ChainFolder(state.shortChain); }

bool ShowFolder(FileDialog& state, std::u16string_view folder) {
  const std::u16string path(folder);
  auto resolved = ResolvePath(path.c_str());
  std::error_code ec;
  if (!resolved || !std::filesystem::is_directory(resolved->host, ec)) return false;
  state.chain = FolderChain(WindowsPathOf(resolved->host));
  RefreshListing(state);
  return true;
}

void RefreshListing(FileDialog& state) {
  const FolderEntries entries = ReadFolder(CurrentFolder(state));
  const std::vector<std::u16string> siblings = AllNames(entries);
  state.subfolders = entries.folders;
  state.files.clear();
  state.shown.clear();
  state.shortNames.clear();
  for (const std::u16string& name : entries.files) {
    if (!MatchesAny(state.patterns, name)) continue;
    state.files.push_back(name);
    state.shown.push_back(Shown(state, name, siblings));
    state.shortNames.push_back(ShortName(name, siblings));
  }
  // The chain's folders shown as the lists show names: each among its own
  // parent's names.
  state.shortChain.assign(state.chain.begin(), state.chain.begin() + std::min<std::size_t>(1, state.chain.size()));
  for (std::size_t i = 1; i < state.chain.size(); ++i) {
    const FolderEntries parent = ReadFolder(ChainFolder(std::span(state.chain).first(i)));
    state.shortChain.push_back(ShortName(state.chain[i], AllNames(parent)));
  }
  state.shownChain = state.Flag(OFN_NOLONGNAMES) ? state.shortChain : state.chain;
  if (state.window == nullptr) return;
  std::vector<std::u16string> folders = state.shownChain;
  for (const std::u16string& sub : entries.folders) folders.push_back(Shown(state, sub, siblings));
  FillList(state.window, kFolderListId, LB_RESETCONTENT, LB_ADDSTRING, folders);
  SendDlgItemMessageW(state.window, kFolderListId, LB_SETCURSEL, state.chain.size() - 1, 0);
  FillList(state.window, kFileListId, LB_RESETCONTENT, LB_ADDSTRING, state.shown);
  SetDlgItemTextW(state.window, kFolderTextId, ShownFolder(state).c_str());
}

}  // namespace plat::commdlg
