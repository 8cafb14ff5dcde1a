// The parts of what a file dialog chose, and the last folder of each file
// kind, kept in the per-user settings INI in the printer's section; the
// kinds without a key never remember one.
#include <algorithm>
#include <array>

#include "settings/context/context_names.h"
#include "storage/ini/profile.h"
#include "ui/subdialogs/file_dialogs.h"

std::u16string FolderOfPath(std::u16string_view path) {
  const std::size_t cut = path.find_last_of(u'\\');
  if (cut == std::u16string_view::npos || cut == 0) return {};
  // A drive's root keeps its backslash.
  return std::u16string(path.substr(0, cut == 2 ? 3 : cut));
}

std::vector<std::u16string> ChosenNames(std::u16string_view text) {
  std::vector<std::u16string> names;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(u' ', at), text.size());
    if (end > at) names.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  return names;
}

LPCWSTR GetFileDialogPathKeyName(const TCB* tcb) {
  const FILEDIALOGINFO* row = GetFileDialogInfo(tcb);
  return row != nullptr ? row->folderKey : nullptr;
}

BOOL GetFileDialogPathfromIni(UCB* ucb, const TCB* tcb, LPWSTR buffer) {
  if (buffer == nullptr) return FALSE;
  buffer[0] = 0;
  LPCWSTR key = GetFileDialogPathKeyName(tcb);
  if (ucb == nullptr || key == nullptr) return FALSE;
  KM_UM_GetPrivateProfileString(GetPrinterName(ucb), key, u"", buffer, MAX_PATH, GetIniFilePath(ucb));
  return buffer[0] != 0 ? TRUE : FALSE;
}

BOOL WriteFileDialogPathtoIni(UCB* ucb, const TCB* tcb, LPCWSTR path) {
  LPCWSTR key = GetFileDialogPathKeyName(tcb);
  if (ucb == nullptr || key == nullptr || path == nullptr) return FALSE;
  std::u16string folder = FolderOfPath(path);
  // A name without a folder is remembered as it is.
  if (folder.empty()) folder = path;
  return KM_UM_WritePrivateProfileString(GetPrinterName(ucb), key, folder.c_str(), GetIniFilePath(ucb));
}
