#include "settings/system/memptr.h"

#include "platform/runtime/winmem.h"

namespace {
#if KESM_KERNEL_MODE
// Pool tags read as text in a memory dump: the bytes 'D' 'p' 's' 'm'.
constexpr ULONG kTagSettings = 'D' | ('p' << 8) | ('s' << 16) | (static_cast<ULONG>('m') << 24);
#endif
}  // namespace

PVOID GetMemPtr(SIZE_T bytes) {
#if KESM_KERNEL_MODE
  if (bytes > 0xFFFFFFFFu) {
    return nullptr;  // the pool takes 32-bit sizes
  }
  return EngAllocMem(FL_ZERO_MEMORY, static_cast<ULONG>(bytes), kTagSettings);
#else
  return GlobalAlloc(GPTR, bytes);
#endif
}

void FreeMemPtr(PVOID block) {
  if (block == nullptr) {
    return;
  }
#if KESM_KERNEL_MODE
  EngFreeMem(block);
#else
  GlobalFree(block);
#endif
}
