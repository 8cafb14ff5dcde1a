#include "ui/entry/dll_entry.h"

#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_open.h"
#include "storage/system/section_lock.h"
#include "features/module_table/pages/page_rows.h"
#include "ui/alerts/engine_hooks.h"

HINSTANCE ghInstance = nullptr;

BOOL _DllInitialize(HANDLE module, ULONG reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      ghInstance = module;
      InitSection();
      RegisterEngineHooks();
      RegisterFeaturePages();
      break;
    case DLL_PROCESS_DETACH:
      UnregisterEngineHooks();
      UnregisterFeaturePages();
      // Parked contexts borrow their descriptions: they go first.
      FreeStoredUcb(TRUE);
      BKPDAddrFree();
      DeleteSection();
      break;
    default:
      break;
  }
  return TRUE;
}

KESM_EXPORT BOOL DllInitialize(HANDLE module, ULONG reason, LPVOID reserved) {
  return _DllInitialize(module, reason, reserved);
}
