// The bidi flags in printer data.
#include "devicecomm/bidi/bidi_ini_file.h"
#include "settings/context/context_block.h"
#include "storage/system/printer_data.h"

namespace {

constexpr const WCHAR* kBidiFlag = u"BidiFlag";
#if !KESM_KERNEL_MODE
constexpr const WCHAR* kBidiFunc = u"BidiFunc";
constexpr const WCHAR* kBidiExFlag = u"BidiExFlag";
#endif

}  // namespace

BOOL GetBidiFlagDataFromReg(HANDLE printer, LPDWORD flag, UCB* ucb) {
  return GetDataFromReg(printer, flag, sizeof(DWORD), kBidiFlag, ucb);
}

BOOL IsBidiDoneOperationBefore(HANDLE printer, UCB* ucb) {
  DWORD flag = 0;
  return GetBidiFlagDataFromReg(printer, &flag, ucb) && (flag & 0x1) != 0;
}

#if !KESM_KERNEL_MODE
BOOL SetBidiFlagDataToReg(HANDLE printer, DWORD flag, UCB* ucb) {
  return SetDataToReg(printer, &flag, sizeof flag, kBidiFlag, ucb);
}
BOOL GetBidiFuncDataFromReg(HANDLE printer, LPBYTE func, UCB* ucb) {
  return GetDataFromReg(printer, func, sizeof(BYTE), kBidiFunc, ucb);
}
BOOL SetBidiFuncDataToReg(HANDLE printer, BYTE func, UCB* ucb) {
  return SetDataToReg(printer, &func, sizeof func, kBidiFunc, ucb);
}
BOOL GetBidiExFlagDataFromReg(HANDLE printer, LPDWORD flag, UCB* ucb) {
  return GetDataFromReg(printer, flag, sizeof(DWORD), kBidiExFlag, ucb);
}
BOOL SetBidiExFlagDataToReg(HANDLE printer, DWORD flag, UCB* ucb) {
  return SetDataToReg(printer, &flag, sizeof flag, kBidiExFlag, ucb);
}

BOOL IsBidiExDoneOperationBefore(HANDLE printer, UCB* ucb) {
  DWORD flag = 0;
  return GetBidiExFlagDataFromReg(printer, &flag, ucb) && (flag & 0x1) != 0;
}

BOOL IsBidiWritableReg(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  DWORD flag = 0;
  switch (storage::ReadPrinterValue(ucb->hPrinter, kBidiFlag, storage::kAnyValueType, &flag, sizeof flag)) {
    case storage::ValueRead::kRead:
      return SetBidiFlagDataToReg(ucb->hPrinter, flag, ucb);
    case storage::ValueRead::kMissing:
      // Not yet written: try, and leave it missing as it was.
      if (!SetBidiFlagDataToReg(ucb->hPrinter, 0, ucb)) return FALSE;
      storage::DeletePrinterValue(ucb->hPrinter, kBidiFlag);
      return TRUE;
    case storage::ValueRead::kRefused:
      break;
  }
  return FALSE;
}
#endif
