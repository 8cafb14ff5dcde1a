// The old-style file dialog's state and its window side. Private to the
// file dialog.
#pragma once

#include <string>
#include <vector>

#include "platform/window/commdlg/commdlg.h"
#include "platform/window/commdlg/file_names.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"

namespace plat::commdlg {

enum class DialogKind { kOpen, kSave };

// Ids of the library's own templates and texts (comdlg32.krc).
inline constexpr WORD kOpenTemplateId = 1536;
inline constexpr WORD kMultiOpenTemplateId = 1537;
inline constexpr UINT kOpenTitleId = 370;
inline constexpr UINT kSaveTitleId = 371;
inline constexpr UINT kFileNotFoundId = 380;
inline constexpr UINT kPathNotFoundId = 381;
inline constexpr UINT kReplaceId = 382;
inline constexpr UINT kInvalidNameId = 383;
// The help button, shown only when the caller asks for it.
inline constexpr int kHelpButtonId = 1038;  // pshHelp

// One run of a file dialog: the caller's structure and what the dialog
// shows now.
struct FileDialog {
  OPENFILENAMEW* ofn = nullptr;
  DialogKind kind = DialogKind::kOpen;
  HMODULE strings = nullptr;  // the library's own module, for its texts
  HWND window = nullptr;
  std::vector<FilterPair> filters;
  std::vector<std::u16string> patterns;    // what the file list shows
  std::vector<std::u16string> chain;       // the current folder: "C:\", then one entry per folder
  std::vector<std::u16string> subfolders;  // of the current folder, after the chain in the folder list
  std::vector<std::u16string> files;       // the file list's names, as they are spelled on disk
  std::vector<std::u16string> shown;       // and as the list shows them (short names under OFN_NOLONGNAMES)
  std::vector<std::u16string> shortNames;  // and their short names
  std::vector<std::u16string> shortChain;  // the chain in short names
  std::vector<std::u16string> shownChain;  // the chain as the folder list shows it
  DWORD error = 0;                         // CommDlgExtendedError when it ends
  bool Flag(DWORD flag) const { return (ofn->Flags & flag) != 0; }
};

// The dialog procedure of every file dialog: the caller's hook sees each
// message first (WM_INITDIALOG after the dialog has set itself up, with the
// OPENFILENAMEW as its lParam) and a non-zero answer keeps it from the
// dialog.
INT_PTR CALLBACK FileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog of that state modally from the template; the dialog's
// result (1 for a chosen file, 0 otherwise, -1 when it could not be made).
INT_PTR RunFileDialog(FileDialog& state, HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate);

// The current folder of the dialog ("C:\a\b"), and as the dialog shows
// it (in short names under OFN_NOLONGNAMES).
std::u16string CurrentFolder(const FileDialog& state);
std::u16string ShownFolder(const FileDialog& state);
std::u16string ShortFolder(const FileDialog& state);
// Makes folder current when it exists (a Windows path in any spelling),
// and lists it; false when it is not a folder of the machine.
bool ShowFolder(FileDialog& state, std::u16string_view folder);
// Lists the current folder again with the current patterns.
void RefreshListing(FileDialog& state);

// The entries of a folder list or drive list that a template made
// owner-drawn; false for any other control (file_dialog_draw.cpp).
bool MeasureOwnItem(HWND dialog, MEASUREITEMSTRUCT* item);
bool DrawOwnItem(const FileDialog& state, const DRAWITEMSTRUCT* item);

}  // namespace plat::commdlg
