#if !KESM_KERNEL_MODE
#include "storage/stores/save_failure.h"

#include "storage/setfiles/storage_services.h"
#include "storage/stores/store_ini.h"

void ReportFailedSave(UCB* ucb, LPCWSTR file) {
  if (ucb == nullptr) return;
  LPCWSTR named = file != nullptr && file[0] != 0 ? file : storage::SettingsIniOf(ucb);
  storage::ShowStorageMessage(ucb, kMessageSaveFailed, named != nullptr ? named : u"");
}
#endif
