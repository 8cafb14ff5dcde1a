#include "devicecomm/jobcodes/jc_stored_codes.h"

#if !KESM_KERNEL_MODE
#include "devicecomm/jobcodes/jc_code_table.h"
#include "platform/base/winerror.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_properties.h"

namespace {

// The setting of a DEVMODE kind, null for any other kind.
SFCB* DevmodeSetting(UCB* ucb, DWORD kind) {
  const JCCODE* code = ucb != nullptr && IsDevmodeJobCodeKind(kind) ? DrvJCFindCode(kind) : nullptr;
  return code != nullptr ? GetSFCBbyFuncID(ucb, code->wFuncId) : nullptr;
}

// Applies the operation to each DEVMODE kind of the mask.
template <class Operation>
DWORD ForEachKind(UCB* ucb, DWORD mask, Operation operation) {
  return DrvJCForEachKind(mask & kJCMaskAllDevmodeKinds, [&](DWORD kind) { return operation(ucb, kind); });
}

}  // namespace

DWORD DrvJCGetCodeFromReg(UCB* ucb, DWORD kind) {
  SFCB* record = DevmodeSetting(ucb, kind);
  if (record == nullptr) return kJCUnknownKind;
  GetDevmodeValueFromRegUseSetKey(ucb->hPrinter, ucb, record);
  return ERROR_SUCCESS;
}

DWORD DrvJCSetCodeToReg(UCB* ucb, DWORD kind) {
  SFCB* record = DevmodeSetting(ucb, kind);
  if (record == nullptr) return kJCUnknownKind;
  return SetDevmodeValueToRegUseSetKey(ucb->hPrinter, ucb, record) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

DWORD DrvJCClearDevmode(UCB* ucb, DWORD kind) {
  SFCB* record = DevmodeSetting(ucb, kind);
  if (record == nullptr) return kJCUnknownKind;
  if (kind == kJCKindTelLine) {
    SetDevmodeValueDirect(ucb, record, 0);
  } else {
    SetDevmodeStringBySFCB(ucb, record, u"");
  }
  return ERROR_SUCCESS;
}

DWORD GetJobCodeFromReg(UCB* ucb, DWORD mask) {
  ForEachKind(ucb, mask, DrvJCGetCodeFromReg);
  return ERROR_SUCCESS;
}

DWORD SetJobCodeToReg(UCB* ucb, DWORD mask) { return ForEachKind(ucb, mask, DrvJCSetCodeToReg); }

DWORD ClearDevmodeJobCode(UCB* ucb, DWORD mask) {
  ForEachKind(ucb, mask, DrvJCClearDevmode);
  return ERROR_SUCCESS;
}
#endif
