// What a file dialog starts with: its flags, title, filter, the file name
// in its name edit and the folder it shows first, by the TCB's file kind.
#include <array>
#include <string>

#include "platform/files/winfile.h"
#include "platform/registry/winreg.h"
#include "platform/system/winsys.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/files/kesm_dir_reg.h"
#include "storage/system/printer_data.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/resource_dll.h"
#include "ui/subdialogs/file_dialogs.h"

namespace {

constexpr WORD kMultiOpenDialog = 4001;
constexpr DWORD kMultiOpenFlags =
    OFN_ALLOWMULTISELECT | OFN_NOLONGNAMES | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
constexpr DWORD kOneFileFlags = OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY;

constexpr WORD kSpoolDirectoryAll = 942;  // 1: the spool folder is the machine's, not the printer's
constexpr const WCHAR* kSpoolDirectoryValue = u"SpoolDirectory";

// Copies text into a buffer of the block, cut to fit.
void Put(LPWSTR buffer, std::u16string_view text) {
  const std::size_t n = std::min<std::size_t>(text.size(), kFileDialogChars - 1);
  text.copy(buffer, n);
  buffer[n] = 0;
}

std::u16string SystemDirectory() {
  std::array<WCHAR, MAX_PATH> buffer{};
  const UINT n = GetSystemDirectoryW(buffer.data(), MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::u16string(buffer.data(), n) : std::u16string();
}

std::u16string WindowsDirectory() {
  std::array<WCHAR, MAX_PATH> buffer{};
  const UINT n = GetWindowsDirectoryW(buffer.data(), MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::u16string(buffer.data(), n) : std::u16string();
}

// The kind's last folder, or the system directory when it has none.
std::u16string LastFolder(UCB* ucb, const TCB* tcb) {
  std::array<WCHAR, MAX_PATH> folder{};
  return GetFileDialogPathfromIni(ucb, tcb, folder.data()) ? std::u16string(folder.data()) : SystemDirectory();
}

// The filter's one pair: the name, a zero, the pattern and a zero; the
// zeroed buffer ends the list.
void PutFilter(UCB* ucb, const FILEDIALOGINFO& row, LPWSTR filter) {
  if (row.filterNameId == 0 || row.pattern == nullptr) return;
  const std::u16string_view pattern = row.pattern;
  const int room = static_cast<int>(kFileDialogChars - pattern.size() - 2);
  const auto name = static_cast<std::size_t>(LoadStringFromResDll(ucb, row.filterNameId, filter, room, FALSE));
  pattern.copy(filter + name + 1, pattern.size());
}

std::u16string StoredPath(UCB* ucb, const FILEDIALOGINFO& row) {
  SFCB* sfcb = GetFileDialogPathSetting(ucb, row);
  std::array<WCHAR, kFileDialogChars> text{};
  if (sfcb == nullptr || GetDevmodeStringBySFCB(ucb, sfcb, text.data()) == nullptr) return {};
  return std::u16string(text.data());
}

// A kind that starts from a stored path: that path in the name edit, the
// dialog in its folder, or, for a path whose file is gone, where the kind
// says; without a stored path, the pattern and the last folder.
void StartFromStoredPath(UCB* ucb, const TCB* tcb, const FILEDIALOGINFO& row, FileDialogBlock& block) {
  const std::u16string stored = StoredPath(ucb, row);
  if (stored.empty()) {
    Put(block.file, row.pattern);
    Put(block.folder, LastFolder(ucb, tcb));
    return;
  }
  Put(block.file, stored);
  std::u16string folder;
  if (row.goneFile == GoneFileStart::kFileFolder || IsFile(stored.c_str())) {
    folder = FolderOfPath(stored);
  } else {
    folder = row.goneFile == GoneFileStart::kLastFolder ? LastFolder(ucb, tcb) : SystemDirectory();
  }
  Put(block.folder, folder);
}

// The folder for intermediate files: the machine's spool folder when one
// is set, else the printer's, else the Windows temp folder (the Windows
// directory when that is missing). Missing values are created empty.
std::u16string SpoolFolder(UCB* ucb) {
  SetDevmodeValueDirectByFuncID(ucb, kSpoolDirectoryAll, 0);
  std::array<WCHAR, MAX_PATH> value{};
  if (!GetKESMDirFromReg(kSpoolDirectoryValue, value.data(), sizeof value)) {
    SetKESMDirToReg(kSpoolDirectoryValue, u"", sizeof(WCHAR));
  }
  if (value[0] != 0) {
    SetDevmodeValueDirectByFuncID(ucb, kSpoolDirectoryAll, 1);
    return value.data();
  }
  if (!GetStrDataFromReg(ucb->hPrinter, value.data(), MAX_PATH, kSpoolDirectoryValue, ucb)) {
    SetDataToRegEx(ucb->hPrinter, u"", sizeof(WCHAR), REG_SZ, kSpoolDirectoryValue, ucb);
  }
  if (value[0] != 0) return value.data();
  const std::u16string windows = WindowsDirectory();
  const std::u16string temp = windows + u"\\temp";
  return GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES ? temp : windows;
}

}  // namespace

SFCB* GetFileDialogPathSetting(UCB* ucb, const FILEDIALOGINFO& row) {
  switch (row.pathSetting) {
    case PathSetting::kOfItem: {
      const ICB* icb = GetICBbyItemID(ucb, nullptr, row.pathId);
      return icb != nullptr ? GetSFCBbyGroupID(ucb, icb->groupId) : nullptr;
    }
    case PathSetting::kOfFunction:
      return GetSFCBbyFuncID(ucb, row.pathId);
    case PathSetting::kNone:
      break;
  }
  return nullptr;
}

void SetFileDialogInfo(UCB* ucb, const TCB* tcb, FileDialogBlock* block) {
  const FILEDIALOGINFO* row = GetFileDialogInfo(tcb);
  if (ucb == nullptr || row == nullptr || block == nullptr) return;
  OPENFILENAMEW& ofn = block->ofn;
  ofn.Flags = tcb->tabId == kMultiOpenDialog ? kMultiOpenFlags : kOneFileFlags;
  if (row->kind == kTabMidFileFolder) {
    Put(block->folder, SpoolFolder(ucb));
    ofn.lpstrFilter = nullptr;
    ofn.lpstrDefExt = nullptr;
  } else {
    PutFilter(ucb, *row, block->filter);
    LoadStringFromResDll(ucb, row->titleId, block->title, kFileDialogChars, FALSE);
    if (row->pathSetting == PathSetting::kNone) {
      Put(block->file, row->pattern);
      Put(block->folder, LastFolder(ucb, tcb));
    } else {
      StartFromStoredPath(ucb, tcb, *row, *block);
    }
  }
  // Without a title of its own the dialog keeps the system's.
  if (block->title[0] == 0) ofn.lpstrTitle = nullptr;
}
