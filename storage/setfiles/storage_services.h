// What the set-file code, the stores and the install code ask of the other
// parts of the driver through one place each: the locale's defaults and the
// job-code library after a read, the rebuild of a quality set, and the
// messages, questions and dialogs that the property sheets show. Messages
// and questions go to the configuration library's boxes, and dialogs to
// its dialog engine, through the hook table of storage_hooks.h. Internal
// to storage/.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser_styles.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// Applies the locale's defaults after a plain read, then brings the
// job-code library and the settings in step: the user code the library
// keeps comes into the settings, and the codes the read brought go to the
// library. On a machine without the library only the locale's.
void ApplyLocaleAndJobCodeDefaults(UCB* ucb);
// Rebuilds a quality set file from the installed quality set of its name
// in the driver directory; TRUE when it was rebuilt. A set that a newer
// driver wrote is left as it is (FALSE).
BOOL RebuildQualitySetFile(UCB* ucb, LPCWSTR path);
// Shows a message of the resource library (text inserted, caption the
// printer name, a warning unless another icon is asked for). Nothing
// without the configuration library's boxes.
void ShowStorageMessage(UCB* ucb, UINT messageId, LPCWSTR insert, UINT iconStyle = MB_ICONWARNING);
// Asks a question of the resource library (text inserted; OK and Cancel)
// and returns the message-box answer; IDOK, as from a user who goes on,
// without the configuration library's boxes.
int AskStorageQuestion(UCB* ucb, UINT alertId, LPCWSTR insert);
// Shows the installable-options dialog of the printer and returns how it
// ended (IDCANCEL without the configuration library's dialogs).
int ShowOptionDialogForRefresh(UCB* ucb);

}  // namespace storage
#endif
