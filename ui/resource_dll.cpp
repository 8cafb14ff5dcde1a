#include "ui/resource_dll.h"

#if !KESM_KERNEL_MODE
#include "platform/winmodule.h"
#include "settings/context_block.h"

void FreeResDll(UCB* ucb) {
  if (ucb == nullptr) return;
  for (HMODULE* module : {&ucb->hResDll, &ucb->hBmpDll}) {
    if (*module != nullptr) FreeLibrary(*module);
    *module = nullptr;
  }
}
#endif
