#include "jobsettings/paper/resolution.h"

#include "jobsettings/validate/model_corrections.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncPrintQuality = 14;
constexpr WORD kFuncYResolution = 17;
constexpr WORD kFuncDstResolutionW = 38;
constexpr WORD kFuncDstResolutionH = 39;

LONG Read(const UCB* ucb, WORD funcId) {
  return static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}

void Write(UCB* ucb, WORD funcId, LONG value) { SetDevmodeValueDirectByFuncID(ucb, funcId, value); }

}  // namespace

LONG GetSrcResolutionWOfDevmode(const UCB* ucb) { return Read(ucb, kFuncPrintQuality); }
LONG GetDstResolutionWOfDevmode(const UCB* ucb) { return Read(ucb, kFuncDstResolutionW); }
LONG GetDstResolutionHOfDevmode(const UCB* ucb) { return Read(ucb, kFuncDstResolutionH); }
void SetSrcResolutionWOfDevmode(LONG value, UCB* ucb) { Write(ucb, kFuncPrintQuality, value); }
void SetSrcResolutionHOfDevmode(LONG value, UCB* ucb) { Write(ucb, kFuncYResolution, value); }
void SetDstResolutionWOfDevmode(LONG value, UCB* ucb) { Write(ucb, kFuncDstResolutionW, value); }
void SetDstResolutionHOfDevmode(LONG value, UCB* ucb) { Write(ucb, kFuncDstResolutionH, value); }

void SetSrcAndDstResolutionFromDM(DEVMODEW* /*dm*/, UCB* ucb) {
  const LONG r = GetSrcResolutionWOfDevmode(ucb);
  SetSrcResolutionHOfDevmode(r, ucb);
  SetDstResolutionWOfDevmode(r, ucb);
  SetDstResolutionHOfDevmode(r, ucb);
  SetResolutionDataOfUI(r, ucb);
}

void SetSrcAndDstResolutionFromKDM(DEVMODEW* /*dm*/, UCB* ucb) {
  const LONG r = GetDstResolutionWOfDevmode(ucb);
  SetDstResolutionHOfDevmode(r, ucb);
  SetSrcResolutionWOfDevmode(r, ucb);
  SetSrcResolutionHOfDevmode(r, ucb);
}

void SetResolutionDataOfUI(LONG resolution, UCB* ucb) { SetResolutionDataOfUIDependOnMachine(resolution, ucb); }

DWORD UsableResolution(LONG resolution, const UCB* ucb) {
  if (resolution > 0) return static_cast<DWORD>(resolution);
  const DP& dp = ucb != nullptr && ucb->pDP != nullptr ? *ucb->pDP : fgDP;
  return dp.pub.defaultResolution;
}
