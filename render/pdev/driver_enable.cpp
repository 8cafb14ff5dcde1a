// The rendering library's one exported entry point.
#include "platform/base/dllexport.h"
#include "platform/base/winerror.h"
#include "render/pdev/function_table.h"
#include "render/platform/engine_version.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_open.h"
#include "storage/system/section_lock.h"

namespace {

// What the image keeps for all its PDEVs lives as long as the image: there
// is no driver disable, so the parked contexts, the loaded descriptions and
// the engine semaphore made at enable go when the image is unloaded.
struct ImageState {
  ~ImageState() {
    FreeStoredUcb(TRUE);
    BKPDAddrFree();
    DeleteSection();
  }
} gImageState;

}  // namespace

BOOL kesmDrvEnableDriver(ULONG engineVersion, ULONG size, DRVENABLEDATA* data) {
  if (engineVersion < kLowestEngineVersion) {
    EngSetLastError(ERROR_BAD_DRIVER_LEVEL);
    return FALSE;
  }
  // The whole record is written: version, count and a pointer-wide table
  // address (16 bytes on this host, 12 where pointers are 32 bits).
  if (size < sizeof(DRVENABLEDATA) || data == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  data->iDriverVersion = kDriverDdiVersion;
  data->c = kDriverFunctionCount;
  data->pdrvfn = const_cast<DRVFN*>(gadrvfn);
  // Where the configuration library keeps its shared files depends on the
  // Windows version, which the engine's version tells.
  KMSetEngineVersion(engineVersion);
  InitSection();
  return TRUE;
}

KESM_EXPORT BOOL DrvEnableDriver(ULONG engineVersion, ULONG size, DRVENABLEDATA* data) {
  return kesmDrvEnableDriver(engineVersion, size, data);
}
