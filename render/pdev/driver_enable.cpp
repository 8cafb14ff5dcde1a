// The rendering library's one exported entry point.
#include "platform/base/dllexport.h"
#include "platform/base/winerror.h"
#include "render/pdev/function_table.h"
#include "storage/system/section_lock.h"

namespace {

// The engine semaphore made at enable lives as long as the image: there is
// no driver disable, so it goes when the image is unloaded.
struct SectionOfTheImage {
  ~SectionOfTheImage() { DeleteSection(); }
} gSectionOfTheImage;

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
  InitSection();
  return TRUE;
}

KESM_EXPORT BOOL DrvEnableDriver(ULONG engineVersion, ULONG size, DRVENABLEDATA* data) {
  return kesmDrvEnableDriver(engineVersion, size, data);
}
