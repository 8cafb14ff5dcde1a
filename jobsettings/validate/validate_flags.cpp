#include "jobsettings/validate/validate_flags.h"

#include "settings/context/context_block.h"

DWORD GetValidateFlags(const UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->dwValidateFlags : 0;
}

void SetValidateFlags(UCB* ucb, DWORD flags) {
  if (ucb != nullptr && ucb->pWork != nullptr) ucb->pWork->dwValidateFlags = flags;
}
