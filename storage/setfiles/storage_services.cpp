#if !KESM_KERNEL_MODE
#include "storage/setfiles/storage_services.h"

#include <array>
#include <atomic>

#include "devicecomm/jobcodes/job_codes.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/install/kesm_inst.h"
#include "storage/install/template_names.h"
#include "storage/install/template_register.h"
#include "storage/setfiles/section_swap.h"
#include "storage/setfiles/set_file.h"
#include "storage/setfiles/storage_hooks.h"
#include "storage/stores/store_ini.h"

namespace storage {
namespace {

constexpr int kAnswerOk = 1;      // IDOK
constexpr int kAnswerCancel = 2;  // IDCANCEL
constexpr WORD kOptionDialog = 1011;

std::atomic<const StorageUiHooks*> g_hooks{nullptr};

}  // namespace

void ApplyLocaleAndJobCodeDefaults(UCB* ucb) {
  SetLocalePrimaryID(ucb);
  // A read of a file's driver-name section runs with that name in the
  // printer name's place; the library knows the printer by its own name.
  std::array<WCHAR, MAX_PATH> own{};
  const PrinterNameSwap printer(ucb, GetPrinterNameWithoutUCB(ucb->hPrinter, own.data(), MAX_PATH));
  LoadJobCodeDLLDependOnMachine(ucb);
  GetJobCodeDLLExDependOnMachine(ucb, kJCMaskUserCode);
  SetJobCodeDLLExDependOnMachine(ucb, kJCMaskGivenCodes);
  UnLoadJobCodeDLLDependOnMachine(ucb);
}

BOOL RebuildQualitySetFile(UCB* ucb, LPCWSTR path) {
  // A newer driver's set is left as it is.
  if (IsFromNewerDriver(ucb, path, GetPrinterName(ucb))) return FALSE;
  std::array<WCHAR, MAX_PATH> installed{};
  return MakeInstallUseQualityFileName(installed.data(), path, ucb) &&
         ReCreateRstFile(path, installed.data(), kSetFileQuality, ucb);
}

void ShowStorageMessage(UCB* ucb, UINT messageId, LPCWSTR insert, UINT iconStyle) {
  const StorageUiHooks* hooks = g_hooks.load();
  if (hooks != nullptr && hooks->showMessage != nullptr) hooks->showMessage(ucb, messageId, iconStyle, insert);
}

int AskStorageQuestion(UCB* ucb, UINT alertId, LPCWSTR insert) {
  const StorageUiHooks* hooks = g_hooks.load();
  return hooks != nullptr && hooks->askQuestion != nullptr ? hooks->askQuestion(ucb, alertId, insert) : kAnswerOk;
}

int ShowOptionDialogForRefresh(UCB* ucb) {
  const StorageUiHooks* hooks = g_hooks.load();
  return hooks != nullptr && hooks->showDialog != nullptr ? hooks->showDialog(ucb, kOptionDialog) : kAnswerCancel;
}

}  // namespace storage

void RegisterStorageUiHooks(const StorageUiHooks* hooks) { storage::g_hooks.store(hooks); }
#endif
