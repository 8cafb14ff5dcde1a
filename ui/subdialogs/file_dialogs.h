// The file dialogs of the dialog engine: the system's open and save
// dialogs, with a template of the resource DLL and the engine's hook, that
// stand for the TCBs of the file kinds (set files, bitmaps, overlays, the
// folder for intermediate files). Which dialog runs with which title,
// filter and start folder, where the chosen path goes, and the last folder
// of each kind in the per-user settings INI. Internal to ui/.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"
#include "platform/window/commdlg/commdlg.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// Characters of each buffer of a file dialog's block.
inline constexpr DWORD kFileDialogChars = 1025;
// A path that a dialog builds may be at most this long; a longer one is
// refused (it leaves room for the default extension within MAX_PATH).
inline constexpr std::size_t kLongestChosenPath = 258;

// The system dialog a kind runs.
enum class FileDialogCall : BYTE { kOpen, kSave };
// The setting that holds a kind's path: none, the setting of a control of
// the dialogs, or a setting by function id.
enum class PathSetting : BYTE { kNone, kOfItem, kOfFunction };
// Where a kind starts when its stored path names a file that is not there.
enum class GoneFileStart : BYTE { kFileFolder, kLastFolder, kSystemFolder };

// One row per file kind of the TCBs.
struct FILEDIALOGINFO {
  DWORD kind;             // the TCB kind bit
  WORD filterNameId;      // name of the filter's one pair; 0: no filter
  DWORD titleId;          // 0: the system dialog's own title
  LPCWSTR pattern;        // the default pattern "*.xyz"; null: none
  FileDialogCall call;
  PathSetting pathSetting;  // where the dialog starts from and the chosen path goes
  WORD pathId;            // the control id or function id of pathSetting
  GoneFileStart goneFile;
  LPCWSTR folderKey;      // the last folder's INI key; null: never remembered
};

// The row of the first file kind the TCB has, or null.
const FILEDIALOGINFO* GetFileDialogInfo(const TCB* tcb);

// True for a TCB of any file kind.
BOOL IsFileDialog(const TCB* tcb);
// The kind's default pattern: "*.bmp" for bitmaps, "*.rpo" for overlays
// (also the overlay sub-dialog 1037), "*.rst" for anything else.
LPCWSTR GetFileDialogDefaultExt(const TCB* tcb);

// The one zeroed block of a file dialog: the structure and its buffers.
struct FileDialogBlock {
  OPENFILENAMEW ofn;
  WCHAR file[kFileDialogChars];
  WCHAR folder[kFileDialogChars];
  WCHAR title[kFileDialogChars];
  WCHAR filter[kFileDialogChars];
};

// The setting that holds the kind's path (the context's record), or null.
SFCB* GetFileDialogPathSetting(UCB* ucb, const FILEDIALOGINFO& row);

// Fills in what the block's owner does not: flags, title, filter, the
// file name the dialog starts with and its start folder (the block's
// structure points at its own buffers).
void SetFileDialogInfo(UCB* ucb, const TCB* tcb, FileDialogBlock* block);
// Runs the kind's system dialog; on success stores the chosen path where
// the kind keeps it, remembers its folder, and copies it (with its name's
// offset) to the chosen-file buffer. The system dialog's result.
BOOL DoFileDialog(UCB* ucb, const TCB* tcb, OPENFILENAMEW* ofn, LPWSTR file);

// The last folder of each kind: its INI key (null for a kind that has
// none), the folder read into a buffer of MAX_PATH characters (empty when
// none is kept), and the folder of a path written.
LPCWSTR GetFileDialogPathKeyName(const TCB* tcb);
BOOL GetFileDialogPathfromIni(UCB* ucb, const TCB* tcb, LPWSTR buffer);
BOOL WriteFileDialogPathtoIni(UCB* ucb, const TCB* tcb, LPCWSTR path);

// The names of a choice of several, parted by blanks.
std::vector<std::u16string> ChosenNames(std::u16string_view text);

// The folder part of a path: cut at its last backslash, which stays when
// it is the third character (a drive's root); empty for a path without a
// backslash past its first character.
std::u16string FolderOfPath(std::u16string_view path);
