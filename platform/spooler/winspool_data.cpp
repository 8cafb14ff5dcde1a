// Printer data: named, typed values of a printer, kept byte for byte in the
// printer table so that every process of the machine reads what another
// wrote. Reads use the table kept in memory while nothing changes it.
#include <algorithm>
#include <cstring>

#include "platform/base/entryguard.h"
#include "platform/spooler/spoolinfo.h"
#include "platform/host/storefile.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"

namespace {

using plat::spool::DataValue;
using plat::spool::PrinterRecord;

DataValue* FindValue(PrinterRecord& printer, std::u16string_view name) {
  auto it = std::find_if(printer.data.begin(), printer.data.end(), [&](const DataValue& v) {
    return plat::store::SameName(v.name, name);
  });
  return it == printer.data.end() ? nullptr : &*it;
}

// The printer behind a handle that may change its data, or an error. The
// print server keeps none of the values a client may name.
DWORD WritableName(HANDLE hPrinter, std::u16string& name) {
  auto printer = plat::spool::FindSpoolHandle(hPrinter);
  if (!printer) return ERROR_INVALID_HANDLE;
  const DWORD administer = printer->server ? SERVER_ACCESS_ADMINISTER : PRINTER_ACCESS_ADMINISTER;
  if (!(printer->access & administer)) return ERROR_ACCESS_DENIED;
  if (printer->server) return ERROR_INVALID_PARAMETER;
  name = printer->printerName;
  return ERROR_SUCCESS;
}

// Whether the printer already holds the value with that type and those
// bytes, as the table kept in memory says; setting it again would leave
// the store as it is.
bool HoldsAlready(std::u16string_view printerName, std::u16string_view name, DWORD type, const BYTE* data,
                  DWORD size) {
  std::shared_ptr<const plat::spool::PrinterTable> table;
  if (plat::spool::ReadPrinters(false, table) != ERROR_SUCCESS) return false;
  const PrinterRecord* rec = table->Find(printerName);
  const DataValue* v = rec != nullptr ? table->FindData(*rec, name) : nullptr;
  return v != nullptr && v->type == type && v->bytes.size() == size &&
         (size == 0 || std::memcmp(v->bytes.data(), data, size) == 0);
}

}  // namespace

DWORD GetPrinterDataW(HANDLE hPrinter, LPCWSTR pValueName, LPDWORD pType, LPBYTE pData,
                      DWORD nSize, LPDWORD pcbNeeded) {
  return plat::Guard([&]() -> DWORD {
    auto printer = plat::spool::FindSpoolHandle(hPrinter);
    if (!printer) return ERROR_INVALID_HANDLE;
    if (!pValueName || !pcbNeeded || (!pData && nSize)) return ERROR_INVALID_PARAMETER;
    // The print server keeps none of its predefined values on this machine.
    if (printer->server) return ERROR_INVALID_PARAMETER;
    std::shared_ptr<const plat::spool::PrinterTable> table;
    if (DWORD rc = plat::spool::ReadPrinters(false, table); rc != ERROR_SUCCESS) return rc;
    const PrinterRecord* rec = table->Find(printer->printerName);
    if (!rec) return ERROR_INVALID_PRINTER_NAME;
    const DataValue* v = table->FindData(*rec, pValueName);
    if (!v) return ERROR_FILE_NOT_FOUND;
    const DWORD size = static_cast<DWORD>(v->bytes.size());
    if (pType) *pType = v->type;
    *pcbNeeded = size;
    if (nSize < size) return ERROR_MORE_DATA;
    if (size) std::memcpy(pData, v->bytes.data(), size);
    return ERROR_SUCCESS;
  });
}

DWORD SetPrinterDataW(HANDLE hPrinter, LPCWSTR pValueName, DWORD Type, const BYTE* pData,
                      DWORD cbData) {
  return plat::Guard([&]() -> DWORD {
    std::u16string printerName;
    if (DWORD rc = WritableName(hPrinter, printerName); rc != ERROR_SUCCESS) return rc;
    if (!pValueName || (!pData && cbData)) return ERROR_INVALID_PARAMETER;
    const std::u16string_view name(pValueName);
    if (HoldsAlready(printerName, name, Type, pData, cbData)) return ERROR_SUCCESS;
    return plat::spool::ChangePrinter(printerName, [&](PrinterRecord& rec) {
      DataValue* v = FindValue(rec, name);
      if (!v) v = &rec.data.emplace_back(DataValue{std::u16string(name), Type, {}});
      v->type = Type;
      v->bytes.assign(pData, pData + cbData);
      return ERROR_SUCCESS;
    });
  });
}

DWORD DeletePrinterDataW(HANDLE hPrinter, LPCWSTR pValueName) {
  return plat::Guard([&]() -> DWORD {
    std::u16string printerName;
    if (DWORD rc = WritableName(hPrinter, printerName); rc != ERROR_SUCCESS) return rc;
    if (!pValueName) return ERROR_INVALID_PARAMETER;
    return plat::spool::ChangePrinter(printerName, [&](PrinterRecord& rec) {
      const DataValue* v = FindValue(rec, pValueName);
      if (!v) return ERROR_FILE_NOT_FOUND;
      rec.data.erase(rec.data.begin() + (v - rec.data.data()));
      return ERROR_SUCCESS;
    });
  });
}
