// What the set-file dialogs' buttons do once the dialog has closed: save
// the settings into the chosen file (with a package of the printer's
// configuration beside it), read them from it, or delete it.
#include <array>

#include "features/chapter/chapter_store.h"
#include "platform/files/winfile.h"
#include "settings/context/context_block.h"
#include "settings/context/drv_last_error.h"
#include "storage/pack/pack_files.h"
#include "storage/setfiles/set_file.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/change_road.h"
#include "ui/engine/refresh.h"
#include "ui/subdialogs/dialog_runs.h"
#include "ui/subdialogs/file_hook_internal.h"

namespace subdialogs {
namespace {

constexpr WORD kSetFileSaveDialog = 4009;
constexpr DWORD kPlain = 0;

// The package beside a saved file; a package that could not be written
// whole is removed again.
void WritePackage(UCB* ucb, LPCWSTR path) {
  std::array<WCHAR, MAX_PATH> rsb{};
  if (!CreatePackInstallDirectory(path, rsb.data(), ucb)) return;
  if (!WriteSetFile(ucb->hPrinter, rsb.data(), kSetFileBatchSection, ucb) ||
      !WritePackInstallFiles(path, rsb.data(), ucb)) {
    DeletePackInstallFiles(rsb.data());
  }
}

int Save(UCB* ucb, const TCB* tcb, LPCWSTR path) {
  WritePackage(ucb, path);
  const BOOL written = WriteSetFile(ucb->hPrinter, path, kPlain, ucb);
  ResetEntryChanged(ucb);
  if (written) {
    WriteSetFileRSD(ucb->hPrinter, path, kPlain, ucb);
    ResetEntryChanged(ucb);
  } else if (tcb->tabId == kSetFileSaveDialog) {
    ShowAlertOSMsg(ucb, DrvGetLastError(ucb), nullptr);
  }
  return written;
}

// The settings of the file, and every list of the pages that follows them.
void Read(UCB* ucb, LPCWSTR path) {
  ReadSetFile(ucb->hPrinter, path, kPlain, ucb);
  UpdateStampList(ucb);
  UpdateListDependOnOrient(ucb);
  UpdateTrayList(ucb);
  UpdatePresetList(ucb);
  UpdateOutbinList(ucb);
  UpdatePaperSizeList(ucb);
  GetDevChapterData(ucb);
}

void Delete(UCB* ucb, LPCWSTR path) {
  if (DeleteFileW(path)) DeletePackInstall(path, ucb);
}

}  // namespace

int CarryOutFileAction(UCB* ucb, const TCB* tcb, LPCWSTR path, int result) {
  switch (ucb->pWork->dialog.wFileAction) {
    case filehook::kSaveButton:
      return Save(ucb, tcb, path);
    case filehook::kReadButton:
      Read(ucb, path);
      return result;
    case filehook::kDeleteButton:
      Delete(ucb, path);
      return result;
    default:
      return result;
  }
}

}  // namespace subdialogs
