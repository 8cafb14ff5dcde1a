#include "settings/memptr.h"

#include "platform/winmem.h"

LPVOID GetMemPtr(DWORD bytes) {
#if KESM_KERNEL_MODE
  return EngAllocMem(FL_ZERO_MEMORY, bytes, plat::PoolTag("Dpsm"));
#else
  return GlobalAlloc(GPTR, bytes);
#endif
}

void FreeMemPtr(LPVOID block) {
  if (block == nullptr) return;
#if KESM_KERNEL_MODE
  EngFreeMem(block);
#else
  GlobalFree(block);
#endif
}
