// The consistency pass after settings were changed without a dialog, and
// the settings an application's request block sets.
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/paper/paper_area.h"
#include "jobsettings/paper/resolution.h"
#include "jobsettings/rules/resolution_rules.h"
#include "jobsettings/validate/private_validation.h"
#include "platform/spooler/devmode.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/exc_interface.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncFields = 6;         // dmFields
constexpr WORD kFuncPaperSize = 8;      // dmPaperSize
constexpr WORD kFuncPrintQuality = 14;  // dmPrintQuality
constexpr WORD kFuncOutPaperSize = 46;  // kdmOutPaperSize
constexpr LONG kFallbackResolution = 600;

LONG Stored(const UCB* ucb, WORD funcId) {
  return static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}

}  // namespace

LONG ExcAllValidate(UCB* ucb) {
  if (ucb == nullptr) return 0;
  if (!IsNotDownResolution(ucb, 0)) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncPrintQuality, kFallbackResolution);
    const auto fields = static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncFields, nullptr));
    SetDevmodeValueDirectByFuncID(ucb, kFuncFields, static_cast<LONG_PTR>(fields | DM_PRINTQUALITY));
  }
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  SetSrcAndDstResolutionFromDM(dm, ucb);
  SetSrcPaperArea(Stored(ucb, kFuncPaperSize), kFuncPaperSize, ucb, dm);
  SetDstPaperArea(Stored(ucb, kFuncOutPaperSize), kFuncOutPaperSize, ucb, dm);
  SetValidateExclusive(ucb);
  return 0;
}

DWORD SetFuncE(UCB* ucb, WORD funcId, LONG_PTR value) {
  if (ucb == nullptr) return 0;
  for (std::size_t n = 0; FuncE[n] != kFuncEEnd; ++n) {
    if (FuncE[n] == funcId) {
      SetDevmodeValueDirectByFuncID(ucb, funcId, value);
      return DWORD{1} << n;
    }
  }
  return 0;
}

void ExcActionUI(UCB* ucb, DWORD mask) {
  for (std::size_t n = 0; FuncE[n] != kFuncEEnd; ++n) {
    if ((mask & (DWORD{1} << n)) == 0) continue;
    if (const UiGroup* group = BKPDGetUiGroupAddrByFuncID(FuncE[n], ucb); group != nullptr) {
      BKPDSetActionUI(group, ucb);
    }
  }
}
