// The boxes the storage code shows, reached through a hook table that the
// configuration library registers when it loads (storage sits below the
// dialog engine and never calls it directly). Without a table nothing is
// shown, a question is answered as by a user who goes on (IDOK) and a
// dialog as by one who cancels (IDCANCEL).
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
struct StorageUiHooks {
  // A message of the resource library with the icon, the insert (or null)
  // formatted into it, the printer's name as caption, owned by the active
  // window; the pressed button.
  int (*showMessage)(UCB* ucb, UINT messageId, UINT iconStyle, LPCWSTR insert);
  // A warning with OK and Cancel, the insert formatted into it; the pressed
  // button.
  int (*askQuestion)(UCB* ucb, UINT messageId, LPCWSTR insert);
  // A dialog of the resource library, modal to the active window; how it
  // ended (IDOK when accepted).
  int (*showDialog)(UCB* ucb, WORD dialogId);
};

// Registers the table (null unregisters); the table must outlive its use.
void RegisterStorageUiHooks(const StorageUiHooks* hooks);
#endif
