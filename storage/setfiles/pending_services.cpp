#if !KESM_KERNEL_MODE
#include "storage/setfiles/pending_services.h"

namespace storage {

void ApplyLocaleAndJobCodeDefaults(UCB*) {}

BOOL RebuildQualitySetFile(UCB*, LPCWSTR) { return FALSE; }

void ShowStorageMessage(UCB*, UINT, LPCWSTR) {}

}  // namespace storage
#endif
