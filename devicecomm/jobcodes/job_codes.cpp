#include "devicecomm/jobcodes/job_codes.h"

#if !KESM_KERNEL_MODE
#include "devicecomm/jobcodes/jc_binding.h"
#include "devicecomm/jobcodes/jc_codes.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/dm_value_tables.h"

namespace {

constexpr DWORD kLaunchShow = 1;

DWORD GetKinds(UCB* ucb, DWORD mask) {
  return DrvJCForEachKind(mask, [ucb](DWORD kind) { return DrvJCGetCode(ucb, kind); });
}

DWORD SetKinds(UCB* ucb, DWORD mask, DWORD operation) {
  return DrvJCForEachKind(mask, [ucb, operation](DWORD kind) { return DrvJCSetCode(ucb, kind, operation); });
}

void UserCodeFlagsOff(UCB* ucb) {
  SetKDMUserCodeGetOff(ucb);
  SetKDMUserCodeDLLOff(ucb);
}

DWORD LoadAndOpen(UCB* ucb) {
  const DWORD status = DrvJCLoadDll(ucb);
  return status != kJCSuccess ? status : DrvJCOpenJobCode(ucb);
}

DWORD LoadAndGetAll(UCB* ucb) {
  const DWORD status = LoadAndOpen(ucb);
  if (status != kJCSuccess) return status;
  const DWORD got = GetKinds(ucb, ~DWORD{0});
  UserCodeFlagsOff(ucb);
  return got;
}

DWORD Unload(UCB* ucb) {
  DrvJCCloseJobCode(ucb);
  DrvJCTerminate(ucb);
  return kJCSuccess;
}

DWORD Register(UCB* ucb) {
  JCBindingScope binding(ucb);
  const DWORD status = binding.Load();
  if (status != kJCSuccess) return status;
  const DWORD registered = DrvJCRegisterPrinter(ucb);
  binding.Release();
  UserCodeFlagsOff(ucb);
  return registered;
}

DWORD Unregister(UCB* ucb) {
  JCBindingScope binding(ucb);
  const DWORD status = binding.Load();
  return status != kJCSuccess ? status : DrvJCUnregisterPrinter(ucb);
}

DWORD GetFree(UCB* ucb, DWORD mask) {
  JCBindingScope binding(ucb);
  DWORD status = binding.Load();
  if (status != kJCSuccess) return status;
  status = binding.Open();
  if (status == kJCSuccess) status = GetKinds(ucb, mask);
  binding.Release();
  UserCodeFlagsOff(ucb);
  return status;
}

DWORD SetFree(UCB* ucb, DWORD mask) {
  JCBindingScope binding(ucb);
  DWORD status = binding.Load();
  if (status != kJCSuccess) return status;
  status = binding.Open();
  return status == kJCSuccess ? SetKinds(ucb, mask, kJCOpSetFree) : status;
}

}  // namespace

DWORD GetJobCodeFromDLL(UCB* ucb, DWORD operation, DWORD mask) {
  switch (operation) {
    case kJCOpGetCodes:
      return GetKinds(ucb, mask);
    case kJCOpSetCodes:
    case kJCOpClearCodes:
      return SetKinds(ucb, mask, operation);
    case kJCOpLoad:
      return LoadAndOpen(ucb);
    case kJCOpLoadAndGetAll:
      return LoadAndGetAll(ucb);
    case kJCOpUnload:
    case kJCOpUnloadToo:
      return Unload(ucb);
    case kJCOpInit:
      return Register(ucb);
    case kJCOpUnregister:
      return Unregister(ucb);
    case kJCOpGetFree:
      return GetFree(ucb, mask);
    case kJCOpSetFree:
      return SetFree(ucb, mask);
    default:
      return kJCSuccess;
  }
}

DWORD GetJobCodeEx(UCB* ucb, DWORD mask) { return GetJobCodeFromDLL(ucb, kJCOpGetCodes, mask); }
DWORD SetJobCodeEx(UCB* ucb, DWORD mask) { return GetJobCodeFromDLL(ucb, kJCOpSetCodes, mask); }
DWORD ClearJobCode(UCB* ucb, DWORD mask) { return GetJobCodeFromDLL(ucb, kJCOpClearCodes, mask); }
DWORD LoadJobCode(UCB* ucb) { return GetJobCodeFromDLL(ucb, kJCOpLoad, 0); }
DWORD UnLoadJobCode(UCB* ucb) { return GetJobCodeFromDLL(ucb, kJCOpUnload, 0); }
DWORD InitJobCode(UCB* ucb) { return GetJobCodeFromDLL(ucb, kJCOpInit, 0); }
DWORD GetFreeJobCode(UCB* ucb, DWORD mask) { return GetJobCodeFromDLL(ucb, kJCOpGetFree, mask); }
DWORD SetFreeJobCode(UCB* ucb, DWORD mask) { return GetJobCodeFromDLL(ucb, kJCOpSetFree, mask); }

void InitJobCodeDLLDependOnMachine(UCB* ucb) {
  if (IsSupportJobCodeDLL()) InitJobCode(ucb);
}
void LoadJobCodeDLLDependOnMachine(UCB* ucb) {
  if (IsSupportJobCodeDLL()) LoadJobCode(ucb);
}
void UnLoadJobCodeDLLDependOnMachine(UCB* ucb) {
  if (IsSupportJobCodeDLL()) UnLoadJobCode(ucb);
}
void GetJobCodeDLLExDependOnMachine(UCB* ucb, DWORD mask) {
  if (IsSupportJobCodeDLL()) GetJobCodeEx(ucb, mask);
}
void SetJobCodeDLLExDependOnMachine(UCB* ucb, DWORD mask) {
  if (IsSupportJobCodeDLL()) SetJobCodeEx(ucb, mask);
}
void ClearJobCodeDLLDependOnMachine(UCB* ucb, DWORD mask) {
  if (IsSupportJobCodeDLL()) ClearJobCode(ucb, mask);
}
void JobCodeDLLDependOnMachine(UCB* ucb, DWORD mask) {
  if (IsSupportJobCodeDLL()) GetFreeJobCode(ucb, mask);
}
void SetJobCodeDLLDependOnMachine(UCB* ucb, DWORD mask) {
  if (IsSupportJobCodeDLL()) SetFreeJobCode(ucb, mask);
}
void DispJobCodeDLLDependOnMachine(UCB* ucb) {
  if (IsSupportJobCodeDLL()) DrvJCLaunchUtility(ucb, kLaunchShow);
}
void ClearDevmodeJobCodeDependOnMachine(UCB* ucb, DWORD mask) {
  if (IsSupportJobCodeDLL()) ClearDevmodeJobCode(ucb, mask);
}
#endif
