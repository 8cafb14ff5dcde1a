// Minimal form: reads and writes the work-area slot only.
#include "settings/context/drv_last_error.h"

#include "settings/context/context_block.h"

DWORD DrvSetLastError(UCB* ucb, DWORD code) {
  if (ucb != nullptr && ucb->pWork != nullptr) ucb->pWork->dwLastError = static_cast<INT>(code);
  return code;
}

DWORD DrvGetLastError(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return 0;
  return static_cast<DWORD>(ucb->pWork->dwLastError);
}
