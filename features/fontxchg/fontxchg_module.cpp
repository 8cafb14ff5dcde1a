// The font exchange module outside its pages: its printer font list is
// disabled for an application's document settings and on the document's
// own font dialog.
#include "features/module_table/module_entries.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "settings/constraints/ui_status.h"
#include "settings/tables/dialog_tables.h"

namespace {

constexpr WORD kItemPrinterFonts = 2384;
constexpr WORD kDialogUserFonts = 4004;
constexpr WORD kStatusDisabledMask = 0x000C;
constexpr WORD kStatusDisabled = 0x0004;

}  // namespace

int FontxchgFunction(UCB* ucb, DWORD code, void* parameter, void*) {
  if (code != kCustomDisableState || parameter == nullptr) return 0;
  auto* query = static_cast<ICBDISABLEQUERY*>(parameter);
  if (query->icb == nullptr || query->icb->itemId != kItemPrinterFonts) return 0;
  const bool forDocument = query->tcb != nullptr && query->tcb->tabId == kDialogUserFonts;
  if (GetKDMCallSrc(ucb) == 0 || forDocument) {
    query->icb->status = static_cast<WORD>((query->icb->status & ~kStatusDisabledMask) | kStatusDisabled);
    query->handled = 1;
  }
  return 1;
}

#if !KESM_KERNEL_MODE
// The configuration library's page procedure (pages/) takes this one's
// place when it links; a user-mode build without the pages, as the
// settings tests link, gets a module that handles no page message.
[[gnu::weak]] INT_PTR FontxchgProcedure(UCB*, TCB*, ICB*, UINT, UINT_PTR, LPARAM, void*) { return 0; }
#endif
