// What the Other module does on its pages and dialogs, one handler per
// dialog; the procedure picks the handler by the dialog's id.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct OTHERWORK;
struct UCB;

namespace other_pages {

// One message as the module's procedure receives it (icb null for the
// page's own messages).
struct Message {
  UCB* ucb;
  TCB* tcb;
  ICB* icb;
  UINT message;
  UINT_PTR wParam;
  LPARAM lParam;
  OTHERWORK* work;  // null when the context could not have it

  // A WM_COMMAND offered for the item it comes from.
  bool CommandOfItem() const;
  WORD notification() const { return HIWORD(wParam); }
};

inline constexpr INT_PTR kHandled = 1;
inline constexpr INT_PTR kNotHandled = 0;
inline constexpr UINT kRequestConfirmPassword = 0x08000000;

// The printer's initial settings (1010).
INT_PTR OnInitSettingsPage(const Message& m);
// The print type (1019), and the confirmation of its password (4005).
INT_PTR OnPrintTypeDialog(const Message& m);
INT_PTR OnPasswordDialog(const Message& m);
// The item of the page with that id, or null.
ICB* ItemOf(const Message& m, WORD itemId);

}  // namespace other_pages
