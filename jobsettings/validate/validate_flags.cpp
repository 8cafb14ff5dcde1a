#include "jobsettings/validate/validate_flags.h"

#include "settings/context/context_block.h"

DWORD GetValidateFlags(const UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->dwValidateFlags : 0;
}

void SetValidateFlags(UCB* ucb, DWORD flags) {
  if (ucb != nullptr && ucb->pWork != nullptr) ucb->pWork->dwValidateFlags = flags;
}

ValidationSteps StepsOf(DWORD flags) {
  const bool setFile = (flags & kValidateSetFile) != 0;
  return {
      (flags & kValidateGate) != 0,
      !setFile && (flags & kValidateReadsProperties) != 0,
      (flags & kValidateConstraintPass) != 0,
      (flags & kValidatePrompt) != 0,
      (flags & (kValidateRequestApplied | kValidatePrompt)) != 0,
      !setFile,
      !setFile,
      (flags & kValidateDocumentSheet) != 0 && (flags & kValidatePrompt) != 0,
  };
}
