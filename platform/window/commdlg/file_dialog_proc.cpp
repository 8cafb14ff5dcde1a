// The old-style file dialog's window side: its set-up from the caller's
// structure, the caller's hook in front of every message, the lists'
// clicks and the OK button that checks and returns the name.
#include <algorithm>
#include <vector>

#include "platform/files/winfile.h"
#include "platform/modules/winresource.h"
#include "platform/system/sysfacts.h"
#include "platform/window/commdlg/file_dialog.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"

namespace plat::commdlg {
namespace {

// The file dialogs open on this thread, innermost last; a dialog's state is
// bound to its window at the first message the window gets (a hook takes
// the dialog's user slot for its own use).
thread_local std::vector<FileDialog*> t_open;

FileDialog* StateOf(HWND dialog) {
  for (auto it = t_open.rbegin(); it != t_open.rend(); ++it) {
    if ((*it)->window == dialog) return *it;
  }
  if (!t_open.empty() && t_open.back()->window == nullptr) {
    t_open.back()->window = dialog;
    return t_open.back();
  }
  return nullptr;
}

constexpr std::size_t kTextLimit = 32768;

std::u16string ItemText(HWND dialog, int id) {
  std::vector<WCHAR> text(kTextLimit);
  const UINT n = GetDlgItemTextW(dialog, id, text.data(), static_cast<int>(text.size()));
  return std::u16string(text.data(), n);
}

std::u16string Trimmed(std::u16string text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::u16string String(const FileDialog& state, UINT id) {
  LPCWSTR text = nullptr;
  const int n = LoadStringW(state.strings, id, reinterpret_cast<LPWSTR>(&text), 0);
  return n > 0 ? std::u16string(text, static_cast<std::size_t>(n)) : std::u16string();
}

// A box over the dialog with its caption: the path, then the library's text.
int Box(const FileDialog& state, std::u16string_view path, UINT textId, UINT type) {
  const std::u16string caption = [&] {
    std::vector<WCHAR> text(MAX_PATH);
    const int n = GetWindowTextW(state.window, text.data(), static_cast<int>(text.size()));
    return std::u16string(text.data(), static_cast<std::size_t>(std::max(n, 0)));
  }();
  const std::u16string text = std::u16string(path) + u"\n" + String(state, textId);
  return MessageBoxW(state.window, text.c_str(), caption.c_str(), type | MB_ICONWARNING);
}

std::u16string PatternText(const FileDialog& state) {
  std::u16string text;
  for (const std::u16string& p : state.patterns) text += (text.empty() ? u"" : u";") + p;
  return text;
}

// The filter pair chosen now; all files without a filter.
void UseFilter(FileDialog& state, std::size_t index) {
  state.patterns = index < state.filters.size() ? SplitPatterns(state.filters[index].patterns)
                                                : std::vector<std::u16string>{u"*.*"};
}

bool Exists(std::u16string_view path, bool folder) {
  const DWORD attributes = GetFileAttributesW(std::u16string(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder;
}

// The caller's initial name, read no further than its buffer.
std::u16string InitialName(const OPENFILENAMEW& ofn) {
  const std::u16string_view buffer(ofn.lpstrFile, ofn.nMaxFile);
  return std::u16string(buffer.substr(0, std::min(buffer.find(u'\0'), buffer.size())));
}

void Initialise(FileDialog& state) {
  OPENFILENAMEW& ofn = *state.ofn;
  const std::u16string title = ofn.lpstrTitle != nullptr
                                   ? std::u16string(ofn.lpstrTitle)
                                   : String(state, state.kind == DialogKind::kSave ? kSaveTitleId : kOpenTitleId);
  SetWindowTextW(state.window, title.c_str());
  state.filters = ParseFilter(ofn.lpstrFilter);
  for (const FilterPair& pair : state.filters) {
    SendDlgItemMessageW(state.window, kFileTypeComboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pair.name.c_str()));
  }
  const std::size_t filter = ofn.nFilterIndex > 0 && ofn.nFilterIndex <= state.filters.size() ? ofn.nFilterIndex - 1 : 0;
  SendDlgItemMessageW(state.window, kFileTypeComboId, CB_SETCURSEL, filter, 0);
  SendDlgItemMessageW(state.window, kDriveComboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"c:"));
  SendDlgItemMessageW(state.window, kDriveComboId, CB_SETCURSEL, 0, 0);
  UseFilter(state, filter);

  std::u16string name = Trimmed(InitialName(ofn));
  const WORD cut = NameOffset(name);
  const bool inFolder = cut > 0 && ShowFolder(state, name.substr(0, cut));
  if (inFolder) name = name.substr(cut);
  if (!inFolder && !(ofn.lpstrInitialDir != nullptr && ShowFolder(state, ofn.lpstrInitialDir))) {
    ShowFolder(state, SystemDirectory());
  }
  if (HasWildcard(name)) {
    state.patterns = SplitPatterns(name);
    RefreshListing(state);
  }
  SetDlgItemTextW(state.window, kFileNameEditId, (name.empty() ? PatternText(state) : name).c_str());
  // Several files are picked from a list that takes several picks,
  // whatever the template made it.
  if (HWND files = GetDlgItem(state.window, kFileListId); files != nullptr && state.Flag(OFN_ALLOWMULTISELECT)) {
    SetWindowLongPtrW(files, GWL_STYLE, GetWindowLongPtrW(files, GWL_STYLE) | LBS_EXTENDEDSEL);
  }
  if (HWND help = GetDlgItem(state.window, kHelpButtonId)) {
    ShowWindow(help, state.Flag(OFN_SHOWHELP) ? SW_SHOW : SW_HIDE);
  }
}

// The dialog ends with this result in the caller's structure.
void Finish(FileDialog& state, std::u16string_view folder, const std::vector<std::u16string>& names) {
  OPENFILENAMEW& ofn = *state.ofn;
  const FileResult result = ResultOf(folder, names);
  if (result.text.size() + 1 > ofn.nMaxFile) {
    // The size needed, in characters, in the buffer's first two bytes.
    ofn.lpstrFile[0] = static_cast<WCHAR>(std::min<std::size_t>(result.text.size() + 1, 0xFFFF));
    state.error = FNERR_BUFFERTOOSMALL;
    EndDialog(state.window, 0);
    return;
  }
  std::copy(result.text.begin(), result.text.end(), ofn.lpstrFile);
  ofn.lpstrFile[result.text.size()] = 0;
  ofn.nFileOffset = result.fileOffset;
  ofn.nFileExtension = result.extensionOffset;
  if (ofn.lpstrFileTitle != nullptr && ofn.nMaxFileTitle > 0) {
    const std::u16string title = names.size() == 1 ? result.text.substr(result.fileOffset) : std::u16string();
    const std::size_t n = std::min<std::size_t>(title.size(), ofn.nMaxFileTitle - 1);
    std::copy_n(title.begin(), n, ofn.lpstrFileTitle);
    ofn.lpstrFileTitle[n] = 0;
  }
  EndDialog(state.window, 1);
}

// A typed name as a full path: a drive path or one from the root as it
// stands, anything else below the current folder.
std::u16string FullPath(const FileDialog& state, std::u16string_view name) {
  if (name.size() >= 2 && name[1] == u':') return std::u16string(name);
  if (!name.empty() && name[0] == u'\\') return u"C:" + std::u16string(name);
  return JoinPath(CurrentFolder(state), name);
}

bool ValidName(std::u16string_view name) {
  return !name.empty() && name.find_first_of(u"<>|\"*?") == std::u16string_view::npos;
}

// The checks the caller's flags ask for on one chosen path; false when a
// box refused it and the dialog stays.
bool Acceptable(const FileDialog& state, const std::u16string& path) {
  if (state.Flag(OFN_NOVALIDATE)) return true;
  if (!ValidName(path.substr(NameOffset(path)))) {
    Box(state, path, kInvalidNameId, MB_OK);
    return false;
  }
  const WORD cut = NameOffset(path);
  const bool folderThere = cut <= 3 || Exists(std::u16string_view(path).substr(0, cut - 1), true);
  if (!folderThere && (state.Flag(OFN_PATHMUSTEXIST) || state.Flag(OFN_FILEMUSTEXIST))) {
    Box(state, path, kPathNotFoundId, MB_OK);
    return false;
  }
  const bool there = Exists(path, false);
  if (!there && state.Flag(OFN_FILEMUSTEXIST)) {
    Box(state, path, kFileNotFoundId, MB_OK);
    return false;
  }
  if (there && state.kind == DialogKind::kSave && state.Flag(OFN_OVERWRITEPROMPT)) {
    return Box(state, path, kReplaceId, MB_YESNO) == IDYES;
  }
  return true;
}

std::u16string WithDefaultExtension(const FileDialog& state, std::u16string name) {
  const LPCWSTR ext = state.ofn->lpstrDefExt;
  if (ext != nullptr && ext[0] != 0 && name.find(u'.', NameOffset(name)) == std::u16string::npos) {
    name += u"." + std::u16string(ext);
  }
  return name;
}

// Several names of the old-style list: blanks part them (a name with a
// blank travels as its short name).
void OkSeveral(FileDialog& state, const std::u16string& text) {
  std::vector<std::u16string> names;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(u' ', at), text.size());
    if (end > at) names.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  for (const std::u16string& name : names) {
    if (!Acceptable(state, JoinPath(CurrentFolder(state), name))) return;
  }
  // The folder too goes in short names when it holds a blank.
  const std::u16string folder = ShownFolder(state);
  Finish(state, folder.find(u' ') != std::u16string::npos ? ShortFolder(state) : folder, names);
}

void OkPressed(FileDialog& state) {
  const std::u16string text = Trimmed(ItemText(state.window, kFileNameEditId));
  if (text.empty()) return;
  const WORD cut = NameOffset(text);
  if (HasWildcard(text)) {
    // A pattern lists the files it matches, in its folder when it names one.
    if (cut > 0 && !ShowFolder(state, FullPath(state, text.substr(0, cut)))) {
      Box(state, text, kPathNotFoundId, MB_OK);
      return;
    }
    state.patterns = SplitPatterns(text.substr(cut));
    RefreshListing(state);
    SetDlgItemTextW(state.window, kFileNameEditId, PatternText(state).c_str());
    return;
  }
  if (state.Flag(OFN_ALLOWMULTISELECT) && text.find(u' ') != std::u16string::npos) return OkSeveral(state, text);
  const std::u16string path = FullPath(state, text);
  if (Exists(path, true)) {
    ShowFolder(state, path);
    SetDlgItemTextW(state.window, kFileNameEditId, PatternText(state).c_str());
    return;
  }
  const std::u16string chosen = WithDefaultExtension(state, path);
  if (!Acceptable(state, chosen)) return;
  // A name typed below the current folder comes back in the folder's shown
  // spelling; a typed path as it was typed.
  const WORD nameAt = NameOffset(text);
  const std::u16string name = chosen.substr(NameOffset(chosen));
  if (nameAt == 0) return Finish(state, ShownFolder(state), {name});
  Finish(state, chosen.substr(0, NameOffset(chosen)), {name});
}

// The file list's picks into the name edit: one name, or under
// OFN_ALLOWMULTISELECT the picked names parted by blanks.
void FilesPicked(FileDialog& state) {
  HWND list = GetDlgItem(state.window, kFileListId);
  std::vector<int> picked(state.shown.size());
  LRESULT count = SendMessageW(list, LB_GETSELITEMS, picked.size(), reinterpret_cast<LPARAM>(picked.data()));
  if (count == LB_ERR) {
    const LRESULT one = SendMessageW(list, LB_GETCURSEL, 0, 0);
    count = one == LB_ERR ? 0 : 1;
    picked[0] = static_cast<int>(one);
  }
  std::u16string text;
  for (LRESULT i = 0; i < count; ++i) {
    const auto index = static_cast<std::size_t>(picked[static_cast<std::size_t>(i)]);
    if (index >= state.shown.size()) continue;
    // The old-style list parts names by blanks: a name with one goes as
    // its short name.
    const std::u16string& name = state.shown[index];
    text += (text.empty() ? u"" : u" ") +
            (name.find(u' ') != std::u16string::npos && state.Flag(OFN_ALLOWMULTISELECT) ? state.shortNames[index] : name);
  }
  if (!text.empty()) SetDlgItemTextW(state.window, kFileNameEditId, text.c_str());
}

// A double click in the folder list: a folder of the chain goes up to it,
// a subfolder down into it.
void FolderOpened(FileDialog& state) {
  const LRESULT index = SendDlgItemMessageW(state.window, kFolderListId, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  auto at = static_cast<std::size_t>(index);
  std::vector<std::u16string> chain = state.chain;
  if (at < chain.size()) {
    chain.resize(at + 1);
  } else if (at - chain.size() < state.subfolders.size()) {
    chain.push_back(state.subfolders[at - chain.size()]);
  }
  ShowFolder(state, ChainFolder(chain));
}

void TypeChosen(FileDialog& state) {
  const LRESULT index = SendDlgItemMessageW(state.window, kFileTypeComboId, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  state.ofn->nFilterIndex = static_cast<DWORD>(index + 1);
  UseFilter(state, static_cast<std::size_t>(index));
  RefreshListing(state);
  SetDlgItemTextW(state.window, kFileNameEditId, PatternText(state).c_str());
}

INT_PTR Command(FileDialog& state, WORD id, WORD code) {
  switch (id) {
    case IDOK: OkPressed(state); return TRUE;
    case IDCANCEL: EndDialog(state.window, 0); return TRUE;
    case kFileListId:
      if (code == LBN_SELCHANGE) FilesPicked(state);
      if (code == LBN_DBLCLK && !state.Flag(OFN_ALLOWMULTISELECT)) {
        FilesPicked(state);
        OkPressed(state);
      }
      return TRUE;
    case kFolderListId:
      if (code == LBN_DBLCLK) FolderOpened(state);
      return TRUE;
    case kFileTypeComboId:
      if (code == CBN_SELCHANGE) TypeChosen(state);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK FileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  FileDialog* state = StateOf(dialog);
  if (state == nullptr) return FALSE;
  const LPOFNHOOKPROC hook = state->Flag(OFN_ENABLEHOOK) ? state->ofn->lpfnHook : nullptr;
  if (message == WM_INITDIALOG) {
    Initialise(*state);
    return hook != nullptr ? static_cast<INT_PTR>(hook(dialog, message, wParam, reinterpret_cast<LPARAM>(state->ofn)))
                           : TRUE;
  }
  if (hook != nullptr && hook(dialog, message, wParam, lParam) != 0) return TRUE;
  switch (message) {
    case WM_COMMAND: return Command(*state, LOWORD(wParam), HIWORD(wParam));
    case WM_MEASUREITEM: return MeasureOwnItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_DRAWITEM: return DrawOwnItem(*state, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    default: return FALSE;
  }
}

INT_PTR RunFileDialog(FileDialog& state, HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate) {
  // The state is open for exactly the dialog's life, however it ends.
  struct Opened {
    explicit Opened(FileDialog* s) : state(s) { t_open.push_back(s); }
    ~Opened() { t_open.erase(std::find(t_open.begin(), t_open.end(), state)); }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;
    FileDialog* state;
  } opened(&state);
  return DialogBoxIndirectParamW(instance, dialogTemplate, state.ofn->hwndOwner, FileDialogProc, 0);
}

}  // namespace plat::commdlg
