// The Other module's built-in functions (the device's versions and job
// codes refreshed, the copies given to the separation-sheet cycle), its
// function codes outside the pages (the device status query at the start
// of a sheet, tray details of the device answer, the resolution list, the
// quality default of a refused resolution, the colour matching given back
// when a dialog is cancelled) and its judge hook.
#include "features/other/other_module.h"

#include <array>

#include "devicecomm/bidi/bidi_events.h"
#include "devicecomm/bidi/bidi_query.h"
#include "devicecomm/jobcodes/job_codes.h"
#include "features/custom_modules.h"
#include "features/quality/quality_module.h"
#include "features/module_table/module_entries.h"
#include "jobsettings/validate/priv_validators.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#if !KESM_KERNEL_MODE
#include "storage/stores/preset_store.h"
#endif

namespace {

constexpr WORD kFuncCopies = 12;
constexpr WORD kFuncSeparationSheetCycle = 411;
constexpr WORD kJudgeFewerCopiesThanCycle = 1108;
constexpr WORD kBuiltInCopiesToCycle = 901;
constexpr WORD kBuiltInDeviceVersions = 250;
constexpr DWORD kJobCodesAll = 1;

SHORT Short(const UCB* ucb, WORD funcId) { return static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr)); }

int QualityDefault(UCB* ucb, CustomQualityPick* pick) {
  if (pick == nullptr || pick->record == nullptr) return 0;
  const LONG value = BKPDGetGroupDefaultByFuncID(pick->record->funcId, ucb);
  pick->value = pick->record->valueList != nullptr ? ConvertResIDToDevmodeValue(ucb, pick->record, value) : value;
  return 1;
}

int DialogAccepted(UCB* ucb, const CustomDialogState* state) {
  if (state == nullptr) return 0;
  if ((state->flags & kDialogCmmReturn) != 0 && ucb->pWork != nullptr) ucb->pWork->cmmReturn.flags = 0;
  return 1;
}

int DialogCancelled(UCB* ucb, CustomDialogState* state) {
  if (state == nullptr) return 0;
  if ((state->flags & kDialogCmmReturn) == 0 || ucb->pWork == nullptr) return 1;
  const CMMRETURN kept = ucb->pWork->cmmReturn;
  for (std::size_t i = 0; i < kColorMatchingSettings.size(); ++i) {
    if ((kept.flags & kColorMatchingKeptFlags[i]) == 0) continue;
    SetDevmodeValueDirectByFuncID(ucb, kColorMatchingSettings[i], kept.values[i]);
  }
  KesmCustomFunction(ucb, kCustomQualityChanged, nullptr);
#if !KESM_KERNEL_MODE
  if (const LONG quality = _IsValidatedmPrintQuality2(ucb); quality != -1) WriteQualityByID(ucb, static_cast<int>(quality));
#endif
  KesmCustomFunction(ucb, kCustomDialogAccepted, state);
  return 1;
}

#if !KESM_KERNEL_MODE
// The window of the dialog the context serves now, or null.
HWND CurrentDialogWindow(const UCB* ucb) {
  const TCB* tcb = GetTCBbyTabID(ucb, ucb->wCurrentDialog);
  return tcb != nullptr ? tcb->hWnd : nullptr;
}

int BidiStart(UCB* ucb, CustomBidiStart* start) {
  if (start == nullptr) return 0;
  start->result = GetBidiDataImmediately(ucb, start->window);
  return 1;
}
#endif

}  // namespace

void CopyCopiestoSepSheetCycleCopies(UCB* ucb) {
  const SHORT copies = Short(ucb, kFuncCopies);
  if (copies > 0) SetDevmodeValueDirectByFuncID(ucb, kFuncSeparationSheetCycle, copies);
}

int Ucf9_JudgeHook(UCB* ucb, WORD funcId) {
  if (funcId != kJudgeFewerCopiesThanCycle) return 0;
  return Short(ucb, kFuncCopies) < Short(ucb, kFuncSeparationSheetCycle) ? 1 : 0;
}

int OtherBuiltInFunc(UCB* ucb, WORD id, void*) {
  if (ucb == nullptr) return 0;
  switch (id) {
    case kBuiltInCopiesToCycle:
      CopyCopiestoSepSheetCycleCopies(ucb);
      return 1;
#if !KESM_KERNEL_MODE
    case kBuiltInDeviceVersions:
      GetBidiDataImmediately2(ucb, CurrentDialogWindow(ucb));
      JobCodeDLLDependOnMachine(ucb, kJobCodesAll);
      return 1;
#endif
    default:
      return 0;
  }
}

int OtherFunction(UCB* ucb, DWORD code, void* parameter, void*) {
  if (ucb == nullptr) return 0;
  switch (code) {
#if !KESM_KERNEL_MODE
    case kCustomBidiStart:
      return BidiStart(ucb, static_cast<CustomBidiStart*>(parameter));
    case kCustomBidiTrayDetails:
      if (parameter == nullptr) return 0;
      static_cast<CustomBidiTrayDetails*>(parameter)->wanted = 1;
      return 1;
#endif
    case kCustomResolutionList:
      if (parameter == nullptr) return 0;
      static_cast<CustomResolutionList*>(parameter)->list = nullptr;
      return 1;
    case kCustomPickQuality:
      return QualityDefault(ucb, static_cast<CustomQualityPick*>(parameter));
    case kCustomDialogCancelled:
      return DialogCancelled(ucb, static_cast<CustomDialogState*>(parameter));
    case kCustomDialogAccepted:
      return DialogAccepted(ucb, static_cast<const CustomDialogState*>(parameter));
    default:
      return 0;
  }
}
