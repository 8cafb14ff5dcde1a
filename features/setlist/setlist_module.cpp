// The set-list module outside its pages: it answers no function code (its
// row's function is the shared empty one) and has no built-in function.
#include "features/module_table/module_entries.h"

#if !KESM_KERNEL_MODE
// The configuration library's page procedure (pages/) takes this one's
// place when it links; a user-mode build without the pages, as the
// settings tests link, gets a module that handles no page message.
[[gnu::weak]] INT_PTR SetlistProcedure(UCB*, TCB*, ICB*, UINT, UINT_PTR, LPARAM, void*) { return 0; }
#endif
