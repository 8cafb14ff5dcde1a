#include "devicecomm/jobcodes/jc_upkeep.h"

#if !KESM_KERNEL_MODE
#include <array>

#include "devicecomm/jobcodes/jc_binding.h"
#include "devicecomm/jobcodes/job_codes.h"
#include "devicecomm/usercodes/user_codes.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncUserCode = 203;      // kdmUserCode
constexpr WORD kFuncLogCodeUse = 10002;  // kdmLogCodeUse
constexpr WORD kFuncLogCode = 10003;     // kdmLogCode
constexpr int kLogCodeChars = 9;

}  // namespace

BOOL IsJobCodeRegisterPrinter(UCB* ucb) {
  if (!IsSupportJobCodeDLL()) return TRUE;
  JCBindingScope binding(ucb);
  if (binding.Load() != kJCSuccess) return FALSE;
  if (DrvJCHandle(ucb) != 0) return TRUE;
  return binding.Open() == kJCSuccess;
}

BOOL SetUserCodeForJobCodeDLL(UCB* ucb) {
  if (!GetUserCodeFromDriverDependOnMachine(ucb)) return TRUE;
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncLogCodeUse, nullptr) == 0) return TRUE;
  std::array<WCHAR, kLogCodeChars> code{};
  GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncLogCode), code.data());
  if (code[0] == 0) return TRUE;
  SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncUserCode), code.data());
  SetJobCodeDLLDependOnMachine(ucb, kJCMaskUserCode);
  return TRUE;
}

void UpgradeJobCodeDLL(UCB* ucb) {
  if (!IsJobCodeRegisterPrinter(ucb)) {
    InitJobCodeDLLDependOnMachine(ucb);
    SetUserCodeForJobCodeDLL(ucb);
  }
  SetJobCodeDLLDependOnMachine(ucb, kJCMaskDriverWords);
}
#endif
