// What the set-file code, the stores and the install code ask of other
// parts of the driver that this build does not have yet: the job-code
// library's extension data, message boxes and dialogs. Each is reached
// through one function here, which answers as a service that finds nothing
// to do would, so that a read or write goes on as it will once the service
// is there. The rebuild of a quality set and the locale defaults are the
// install code's. Internal to storage/.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// Applies the locale's defaults and the job-code library's extension data
// after a plain read. Only the locale's for now.
void ApplyLocaleAndJobCodeDefaults(UCB* ucb);
// Rebuilds a quality set file from the installed quality set of its name
// in the driver directory; TRUE when it was rebuilt. A set that a newer
// driver wrote is left as it is (FALSE).
BOOL RebuildQualitySetFile(UCB* ucb, LPCWSTR path);
// Shows a message of the resource library (text inserted, caption the
// printer name, a warning). Nothing is shown yet.
void ShowStorageMessage(UCB* ucb, UINT messageId, LPCWSTR insert);
// Asks a question of the resource library's alert table (text inserted)
// and returns the message-box answer. Nothing is shown yet: the answer is
// IDOK, as from a user who goes on.
int AskStorageQuestion(UCB* ucb, UINT alertId, LPCWSTR insert);
// Shows the installable-options dialog of the printer and returns how it
// ended. There is no dialog yet: it ends as if cancelled (IDCANCEL).
int ShowOptionDialogForRefresh(UCB* ucb);

}  // namespace storage
#endif
