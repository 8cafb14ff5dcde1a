#include "storage/properties/printer_properties.h"

#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/tables/setting_table.h"
#include "storage/properties/printer_fonts.h"
#if !KESM_KERNEL_MODE
#include "devicecomm/bidi/bidi_ini_file.h"
#include "settings/context/drv_last_error.h"
#include "jobsettings/devmode/runtime_flags.h"
#endif

namespace {

#if !KESM_KERNEL_MODE
// Bidi data that the device status query had to leave in the fallback INI
// (printer data could not be written then) moves to printer data once it
// can. The INI keeps it until printer data has it, so a failure on the way
// loses nothing.
void MoveBidiDataToPrinterData(UCB* ucb) {
  if (GetKDMServerClientMode(ucb) == 1 || !IsBidiFlagDataRead(ucb) || !GetBidiFlagDataFromFile(ucb)) return;
  // A section of another driver version, machine or language is not read
  // (last error 1) and stays where it is.
  if (!GetBidiPrinterDataFromIni(ucb) || DrvGetLastError(ucb) == 1 || !IsBidiWritableReg(ucb)) return;
  // The section's flags move with the data: deleting the section must not
  // forget that the device was asked.
  const BOOL exFlag = GetBidiExFlagDataFromFile(ucb);
  if (SetProperties(ucb->hPrinter, ucb, kBlockPrinter, kPropertiesForce | kPropertiesBidi) &&
      SetBidiFlagDataToReg(ucb->hPrinter, 1, ucb) &&
      SetBidiFuncDataToReg(ucb->hPrinter, static_cast<BYTE>(GetKDMBidiFunc(ucb)), ucb) &&
      SetBidiExFlagDataToReg(ucb->hPrinter, exFlag ? 1 : 0, ucb)) {
    DeleteBidiPrinterDataToIni(ucb);
  }
}
#endif

}  // namespace

BOOL GetReg(UCB* ucb) {
  if (ucb == nullptr) return TRUE;
  GetAllProperties(ucb->hPrinter, kAllBlocks, ucb);
#if !KESM_KERNEL_MODE
  MoveBidiDataToPrinterData(ucb);
#endif
  return TRUE;
}

BOOL FreeReg(UCB* ucb) {
  if (ucb != nullptr) FreeDcbArrays(ucb->pDCB);
  return TRUE;
}

BOOL GetAllProperties(HANDLE printer, int kind, UCB* ucb) {
  switch (kind) {
    case kAllBlocks:
      GetProperties(printer, ucb, kAllBlocks, 0);
      GetFontProperties(printer, ucb);
      break;
    case 1:
      GetProperties(printer, ucb, kBlockWork, 0);
      GetProperties(printer, ucb, kBlockDevmode, 0);
      break;
    case 2:
      GetProperties(printer, ucb, kBlockPrinter, 0);
      GetFontProperties(printer, ucb);
      break;
    default:
      break;
  }
  return TRUE;
}

BOOL SetDocumentProperties(HANDLE printer, UCB* ucb) {
  const BOOL work = SetProperties(printer, ucb, kBlockWork, 0);
  const BOOL devmode = SetProperties(printer, ucb, kBlockDevmode, 0);
  return work && devmode;
}

BOOL SetPrinterProperties(HANDLE printer, UCB* ucb) {
  const BOOL settings = SetProperties(printer, ucb, kBlockPrinter, 0);
  const BOOL fonts = SetFontProperties(printer, ucb);
  return settings && fonts;
}

BOOL SetPrinterPropertiesx(HANDLE printer, UCB* ucb) {
  const BOOL settings = SetProperties(printer, ucb, kBlockPrinter, 0);
  const BOOL fonts = SetFontPropertiesx(printer, ucb);
  return settings && fonts;
}
