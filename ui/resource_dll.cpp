#include "ui/resource_dll.h"

#if !KESM_KERNEL_MODE
#include "platform/modules/winmodule.h"
#include "platform/modules/winresource.h"
#include "settings/context/context_block.h"

void FreeResDll(UCB* ucb) {
  if (ucb == nullptr) return;
  for (HMODULE* module : {&ucb->hResDll, &ucb->hBmpDll}) {
    if (*module != nullptr) FreeLibrary(*module);
    *module = nullptr;
  }
}
#endif

int LoadStringFromResDll(const UCB* ucb, UINT id, LPWSTR buffer, int cch, BOOL /*replace*/) {
  if (buffer == nullptr || cch <= 0) {
    return 0;
  }
  buffer[0] = 0;
#if KESM_KERNEL_MODE
  (void)ucb;
  (void)id;
  return 0;
#else
  // Neutral answer: the user's replacement strings are not applied yet.
  if (ucb == nullptr || ucb->hResDll == nullptr) {
    return 0;
  }
  return LoadStringW(ucb->hResDll, id, buffer, cch);
#endif
}
