// Running a file dialog: the kind's system dialog, then the chosen path
// where the kind keeps it, its folder remembered, and the choice handed to
// the preset module's buffer.
#include <algorithm>
#include <array>
#include <string>

#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "ui/subdialogs/file_dialogs.h"
#include "ui/subdialogs/preset_import.h"

namespace {

// What to remember as the folder of a choice: the path itself for one
// file; for several, the folder before the names, as a path of that folder.
std::u16string RememberedPath(std::u16string_view chosen, WORD offset) {
  const bool several = offset > 0 && offset <= chosen.size() && chosen[offset - 1] == u' ';
  if (!several) return std::u16string(chosen);
  return std::u16string(chosen.substr(0, offset - 1)) + u'\\';
}

}  // namespace

BOOL DoFileDialog(UCB* ucb, const TCB* tcb, OPENFILENAMEW* ofn, LPWSTR file) {
  const FILEDIALOGINFO* row = GetFileDialogInfo(tcb);
  if (ucb == nullptr || row == nullptr || ofn == nullptr || file == nullptr) return FALSE;
  const BOOL chosen = row->call == FileDialogCall::kSave ? GetSaveFileNameW(ofn) : GetOpenFileNameW(ofn);
  // The folder dialog keeps what it chose itself (its hook).
  if (row->kind == kTabMidFileFolder || !chosen) return chosen;
  if (SFCB* sfcb = GetFileDialogPathSetting(ucb, *row)) SetDevmodeStringBySFCB(ucb, sfcb, file);
  const std::size_t length = std::min<std::size_t>(std::char_traits<WCHAR>::length(file), kFileDialogChars - 1);
  const std::u16string_view path(file, length);
  WriteFileDialogPathtoIni(ucb, tcb, RememberedPath(path, ofn->nFileOffset).c_str());
  if (LPWSTR buffer = GetPresetFileBuffer(ucb)) {
    path.copy(buffer, path.size());
    buffer[path.size()] = 0;
  }
  SetFileOffset(ucb, ofn->nFileOffset);
  return chosen;
}
