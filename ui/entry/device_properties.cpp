// The printer's own settings asked for by the spooler: the printer sheet
// callback, and the old printer-properties call that opens that sheet.
#include "platform/base/winerror.h"
#include "platform/compstui/compstui.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/system/driver_reg_values.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/document_properties.h"
#include "ui/entry/entry_scope.h"
#include "ui/sheets/sheet_protocol.h"

LONG _DrvDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  auto* header = info != nullptr ? reinterpret_cast<DEVICEPROPERTYHEADER*>(info->lParamInit) : nullptr;
  if (header == nullptr || header->cbSize < sizeof(DEVICEPROPERTYHEADER)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (info->Reason != PROPSHEETUI_REASON_DESTROY && InstallPerUser(header->hPrinter) != 1) return -1;
  return DeviceSheetReason(info, lParam, header);
}

BOOL _PrinterProperties(HWND window, HANDLE printer) {
  DEVICEPROPERTYHEADER header{sizeof(DEVICEPROPERTYHEADER), 0, printer, nullptr};
  // Whoever may not write printer data may look but not change.
  const DWORD mayWrite = 1;
  if (!SetPrinterPermissionToReg(printer, &mayWrite, sizeof mayWrite)) header.Flags |= DPS_NOPERMISSION;
  LONG result = 1;
  // Only a sheet that ran has a result: a host that cannot be loaded, or a
  // sheet that could not start, is a failure, never the user's OK.
  if (CallCompstui(window, DrvDevicePropertySheets, reinterpret_cast<LPARAM>(&header), &result) != CPSUI_OK) {
    return FALSE;
  }
  return result != 0 ? TRUE : FALSE;
}

KESM_EXPORT LONG DrvDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  return kesm_entry::Guarded(-1L, [&] { return _DrvDevicePropertySheets(info, lParam); });
}

KESM_EXPORT BOOL PrinterProperties(HWND window, HANDLE printer) {
  return kesm_entry::Guarded(FALSE, [&] { return _PrinterProperties(window, printer); });
}
