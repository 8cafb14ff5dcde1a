// Engine printer services over the spooler of the stand-in.
#include "platform/engine/eng_printer.h"

#include <mutex>
#include <unordered_map>

#include "platform/base/entryguard.h"
#include "platform/spooler/spoolinfo.h"
#include "platform/spooler/spooljob.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"

namespace {

using plat::spool::PrinterHandle;

// The path of one of the driver's files, computed once per handle so that
// the pointer handed out stays put.
LPWSTR EnginePath(HDEV hdev, std::u16string PrinterHandle::*slot,
                  std::u16string plat::spool::DriverRecord::*file) {
  LPWSTR result = nullptr;
  const DWORD error = plat::Guard([&]() -> DWORD {
    auto printer = plat::spool::FindPrinterHandle(reinterpret_cast<HANDLE>(hdev));
    if (!printer) return ERROR_INVALID_HANDLE;
    std::lock_guard guard(printer->engineLock);
    std::u16string& path = (*printer).*slot;
    if (path.empty()) {
      const auto& env = *plat::spool::FindEnvironment(nullptr);
      plat::spool::DriverRecord driver;
      if (DWORD rc = plat::spool::PrinterDriver(*printer, env, driver); rc != ERROR_SUCCESS) {
        return rc;
      }
      path = plat::spool::DriverFilePath(env, driver.*file);
      if (path.empty()) return ERROR_FILE_NOT_FOUND;
    }
    result = path.data();
    return ERROR_SUCCESS;
  });
  if (error != ERROR_SUCCESS) SetLastError(error);
  return result;
}

}  // namespace

BOOL EngGetPrinter(HANDLE hPrinter, DWORD dwLevel, LPBYTE pPrinter, DWORD cbBuf,
                   LPDWORD pcbNeeded) {
  return plat::spool::Report(plat::Guard(
      [&] { return plat::spool::GetPrinterInfo(hPrinter, dwLevel, pPrinter, cbBuf, pcbNeeded); }));
}

DWORD EngGetPrinterData(HANDLE hPrinter, LPCWSTR pValueName, LPDWORD pType, LPBYTE pData,
                        DWORD nSize, LPDWORD pcbNeeded) {
  return GetPrinterDataW(hPrinter, pValueName, pType, pData, nSize, pcbNeeded);
}

LPWSTR EngGetPrinterDataFileName(HDEV hdev) {
  return EnginePath(hdev, &PrinterHandle::engineDataFile, &plat::spool::DriverRecord::dataFile);
}

LPWSTR EngGetDriverName(HDEV hdev) {
  return EnginePath(hdev, &PrinterHandle::engineDriverPath, &plat::spool::DriverRecord::driverFile);
}

namespace {

struct KeptWrites {
  std::mutex lock;
  std::unordered_map<HANDLE, std::vector<BYTE>*> jobs;
};

KeptWrites& Kept() {
  static KeptWrites* kept = new KeptWrites;  // lives until process exit
  return *kept;
}

}  // namespace

void plat::eng::KeepPrinterWritesIn(HANDLE printer, std::vector<BYTE>* job) {
  std::lock_guard guard(Kept().lock);
  if (job == nullptr) {
    Kept().jobs.erase(printer);
  } else {
    Kept().jobs[printer] = job;
  }
}

BOOL EngWritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten) {
  {
    std::lock_guard guard(Kept().lock);
    auto it = Kept().jobs.find(hPrinter);
    if (it != Kept().jobs.end()) {
      if (pcWritten != nullptr) *pcWritten = 0;
      if (cbBuf > 0 && pBuf == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
      }
      const auto* bytes = static_cast<const BYTE*>(pBuf);
      if (cbBuf > 0) it->second->insert(it->second->end(), bytes, bytes + cbBuf);
      if (pcWritten != nullptr) *pcWritten = cbBuf;
      return TRUE;
    }
  }
  return WritePrinter(hPrinter, pBuf, cbBuf, pcWritten);
}
