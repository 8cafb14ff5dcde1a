// What the set-file code and the stores ask of other parts of the driver
// that this build does not have yet: the installed quality sets, the locale
// defaults, the job-code library's extension data and message boxes. Each is reached through one function here, which
// answers as a service that finds nothing to do would, so that a read or
// write goes on as it will once the service is there. Internal to storage/.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// Applies the locale's defaults and the job-code library's extension data
// after a plain read. Nothing yet.
void ApplyLocaleAndJobCodeDefaults(UCB* ucb);
// Rebuilds a quality set file from the installed quality set it was made
// from; FALSE while there is none to rebuild from.
BOOL RebuildQualitySetFile(UCB* ucb, LPCWSTR path);
// Shows a message of the resource library (text inserted, caption the
// printer name, a warning). Nothing is shown yet.
void ShowStorageMessage(UCB* ucb, UINT messageId, LPCWSTR insert);

}  // namespace storage
#endif
