// Opening printers and reading their printer and driver information.
#include "platform/spooler/winspool.h"

#include "platform/base/entryguard.h"
#include "platform/spooler/infopack.h"
#include "platform/spooler/spoolinfo.h"
#include "platform/system/sysfacts.h"
#include "platform/base/winerror.h"

namespace plat::spool {
namespace {

// How generic rights become an object's own, and what an open that asks
// for nothing gets.
struct AccessMapping {
  DWORD read, write, execute, all, nothingAsked;
};

constexpr AccessMapping kPrinterAccess{PRINTER_READ, PRINTER_WRITE, PRINTER_EXECUTE,
                                       PRINTER_ALL_ACCESS, PRINTER_ACCESS_USE};
constexpr AccessMapping kServerAccess{SERVER_READ, SERVER_WRITE, SERVER_EXECUTE, SERVER_ALL_ACCESS,
                                      SERVER_ACCESS_ENUMERATE};

// Generic rights become the object's own; MAXIMUM_ALLOWED asks for all the
// user holds. Nothing asked means the mapping's default (for a printer, the
// right to print).
DWORD MapAccess(DWORD desired, DWORD userRights, const AccessMapping& mapping) {
  if (desired == 0) return mapping.nothingAsked;
  DWORD access = desired & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL |
                             MAXIMUM_ALLOWED);
  if (desired & GENERIC_READ) access |= mapping.read;
  if (desired & GENERIC_WRITE) access |= mapping.write;
  if (desired & GENERIC_EXECUTE) access |= mapping.execute;
  if (desired & GENERIC_ALL) access |= mapping.all;
  if (desired & MAXIMUM_ALLOWED) access |= userRights;
  return access;
}

// A handle on an object the user holds userRights on, or
// ERROR_ACCESS_DENIED when the rights asked for go beyond them.
DWORD OpenHandle(std::shared_ptr<PrinterHandle> handle, DWORD userRights,
                 const AccessMapping& mapping, LPPRINTER_DEFAULTSW pDefault, LPHANDLE phPrinter) {
  const DWORD access = MapAccess(pDefault ? pDefault->DesiredAccess : 0, userRights, mapping);
  if (access & ~userRights) return ERROR_ACCESS_DENIED;
  handle->access = access;
  *phPrinter = NewPrinterHandle(std::move(handle));
  return ERROR_SUCCESS;
}

void EmitPrinter2(Packer& p, const PrinterRecord& rec) {
  const std::size_t at = p.Reserve(sizeof(PRINTER_INFO_2W), alignof(PRINTER_INFO_2W));
  PRINTER_INFO_2W r{};
  r.pDevMode = reinterpret_cast<LPDEVMODEW>(p.Bytes(rec.devMode, alignof(PRINTER_INFO_2W)));
  r.pServerName = p.OptionalText(rec.serverName);
  r.pPrinterName = p.Text(rec.name);
  r.pShareName = p.OptionalText(rec.shareName);
  r.pPortName = p.Text(rec.portName);
  r.pDriverName = p.Text(rec.driverName);
  r.pComment = p.OptionalText(rec.comment);
  r.pLocation = p.OptionalText(rec.location);
  r.pPrintProcessor = p.Text(u"winprint");
  r.pDatatype = p.Text(u"RAW");
  r.Attributes = rec.attributes;
  r.Priority = 1;
  p.Store(at, r);
}

void EmitDriver(Packer& p, DWORD level, const Environment& env, const DriverRecord& d) {
  const std::size_t at = p.Reserve(level == 2 ? sizeof(DRIVER_INFO_2W) : sizeof(DRIVER_INFO_3W),
                                   alignof(DRIVER_INFO_3W));
  const DRIVER_INFO_2W common{d.version,
                              p.Text(d.name),
                              p.Text(env.name),
                              p.OptionalText(DriverFilePath(env, d.driverFile)),
                              p.OptionalText(DriverFilePath(env, d.dataFile)),
                              p.OptionalText(DriverFilePath(env, d.configFile))};
  if (level == 2) {
    p.Store(at, common);
    return;
  }
  std::vector<std::u16string> dependents;
  for (const auto& file : d.dependentFiles) dependents.push_back(DriverFilePath(env, file));
  const DRIVER_INFO_3W full{common.cVersion,
                            common.pName,
                            common.pEnvironment,
                            common.pDriverPath,
                            common.pDataFile,
                            common.pConfigFile,
                            p.OptionalText(DriverFilePath(env, d.helpFile)),
                            p.MultiText(dependents),
                            p.OptionalText(d.monitorName),
                            p.OptionalText(d.defaultDataType)};
  p.Store(at, full);
}

}  // namespace

BOOL Report(DWORD rc) {
  if (rc == ERROR_SUCCESS) return TRUE;
  SetLastError(rc);
  return FALSE;
}

std::u16string DriverFilePath(const Environment& env, std::u16string_view file) {
  if (file.empty()) return {};
  return DriverDirectory(env) + u"\\3\\" + std::u16string(file);
}

DWORD PrinterDriver(const PrinterHandle& printer, const Environment& env, DriverRecord& driver) {
  std::shared_ptr<const PrinterTable> table;
  if (DWORD rc = ReadPrinters(false, table); rc != ERROR_SUCCESS) return rc;
  const PrinterRecord* rec = table->Find(printer.printerName);
  if (!rec) return ERROR_INVALID_PRINTER_NAME;
  return ReadDriver(env, rec->driverName, driver);
}

DWORD GetPrinterInfo(HANDLE hPrinter, DWORD level, LPBYTE buffer, DWORD cbBuf, LPDWORD cbNeeded) {
  auto printer = FindPrinterHandle(hPrinter);
  if (!printer) return ERROR_INVALID_HANDLE;
  if (!cbNeeded) return ERROR_INVALID_PARAMETER;
  if (level != 2) return ERROR_INVALID_LEVEL;
  std::shared_ptr<const PrinterTable> table;
  if (DWORD rc = ReadPrinters(false, table); rc != ERROR_SUCCESS) return rc;
  const PrinterRecord* rec = table->Find(printer->printerName);
  if (!rec) return ERROR_INVALID_PRINTER_NAME;
  return Pack(buffer, cbBuf, cbNeeded, [&](Packer& p) { EmitPrinter2(p, *rec); });
}

DWORD GetDriverInfo(HANDLE hPrinter, const char16_t* environment, DWORD level, LPBYTE buffer,
                    DWORD cbBuf, LPDWORD cbNeeded) {
  auto printer = FindPrinterHandle(hPrinter);
  if (!printer) return ERROR_INVALID_HANDLE;
  if (!cbNeeded) return ERROR_INVALID_PARAMETER;
  const Environment* env = FindEnvironment(environment);
  if (!env) return ERROR_INVALID_ENVIRONMENT;
  if (level != 2 && level != 3) return ERROR_INVALID_LEVEL;
  DriverRecord driver;
  if (DWORD rc = PrinterDriver(*printer, *env, driver); rc != ERROR_SUCCESS) return rc;
  return Pack(buffer, cbBuf, cbNeeded, [&](Packer& p) { EmitDriver(p, level, *env, driver); });
}

}  // namespace plat::spool

using namespace plat::spool;

BOOL OpenPrinterW(LPCWSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSW pDefault) {
  return Report(plat::Guard([&]() -> DWORD {
    if (!phPrinter) return ERROR_INVALID_PARAMETER;
    *phPrinter = nullptr;
    auto handle = std::make_shared<PrinterHandle>();
    if (!pPrinterName) {
      // The local print server: an administrator administers it, anyone
      // else may only enumerate.
      handle->server = true;
      const DWORD serverRights = plat::IsAdministrator() ? SERVER_ALL_ACCESS : SERVER_READ;
      return OpenHandle(std::move(handle), serverRights, kServerAccess, pDefault, phPrinter);
    }
    if (!*pPrinterName) return ERROR_INVALID_PRINTER_NAME;
    // An open looks at the store file itself too, so a printer table
    // damaged on disk is refused here.
    std::shared_ptr<const PrinterTable> table;
    if (DWORD rc = ReadPrinters(true, table); rc != ERROR_SUCCESS) return rc;
    const PrinterRecord* rec = table->Find(pPrinterName);
    if (!rec) return ERROR_INVALID_PRINTER_NAME;
    handle->printerName = rec->name;
    return OpenHandle(std::move(handle), rec->userRights, kPrinterAccess, pDefault, phPrinter);
  }));
}

BOOL ClosePrinter(HANDLE hPrinter) {
  return Report(ClosePrinterHandle(hPrinter) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE);
}

BOOL GetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded) {
  return Report(
      plat::Guard([&] { return GetPrinterInfo(hPrinter, Level, pPrinter, cbBuf, pcbNeeded); }));
}

BOOL GetPrinterDriverW(HANDLE hPrinter, LPCWSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo,
                       DWORD cbBuf, LPDWORD pcbNeeded) {
  return Report(plat::Guard(
      [&] { return GetDriverInfo(hPrinter, pEnvironment, Level, pDriverInfo, cbBuf, pcbNeeded); }));
}

BOOL GetPrinterDriverDirectoryW(LPCWSTR pName, LPCWSTR pEnvironment, DWORD Level,
                                LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded) {
  if (!pcbNeeded) return Report(ERROR_INVALID_PARAMETER);
  if (pName && *pName) return Report(ERROR_INVALID_NAME);  // only this machine is served
  if (Level != 1) return Report(ERROR_INVALID_LEVEL);
  const Environment* env = FindEnvironment(pEnvironment);
  if (!env) return Report(ERROR_INVALID_ENVIRONMENT);
  return Report(plat::Guard([&] {
    const std::u16string directory = DriverDirectory(*env);
    return Pack(pDriverDirectory, cbBuf, pcbNeeded, [&](Packer& p) { p.Text(directory); });
  }));
}
