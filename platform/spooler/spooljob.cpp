// Print jobs and their job files.
#include "platform/spooler/spooljob.h"

#include <fstream>
#include <map>
#include <mutex>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/spooler/spoolhandle.h"

namespace plat {
namespace {

struct JobTable {
  std::mutex lock;
  std::map<DWORD, PrintJobRecord> jobs;
  DWORD nextId = 1;
  std::size_t failAt = 0;
  std::size_t shortAt = 0;
};

JobTable& Jobs() {
  static JobTable* table = new JobTable;  // lives until process exit
  return *table;
}

// Counts a write down to the armed fault; true when this write is it.
bool Arrived(std::size_t& countdown) {
  if (countdown == 0) return false;
  return --countdown == 0;
}

}  // namespace

std::optional<PrintJobRecord> FindPrintJob(DWORD jobId) {
  std::lock_guard guard(Jobs().lock);
  auto it = Jobs().jobs.find(jobId);
  if (it == Jobs().jobs.end()) return std::nullopt;
  return it->second;
}

void FailPrinterWriteAt(std::size_t n) {
  std::lock_guard guard(Jobs().lock);
  Jobs().failAt = n;
}

void ShortPrinterWriteAt(std::size_t n) {
  std::lock_guard guard(Jobs().lock);
  Jobs().shortAt = n;
}

}  // namespace plat

using plat::Jobs;
using plat::PrintJobRecord;

DWORD StartDocPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo) {
  auto printer = plat::spool::FindPrinterHandle(hPrinter);
  if (!printer) return 0;
  if (Level != 1) {
    SetLastError(ERROR_INVALID_LEVEL);
    return 0;
  }
  if (pDocInfo == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto* info = reinterpret_cast<const DOC_INFO_1W*>(pDocInfo);
  std::lock_guard guard(Jobs().lock);
  if (printer->jobId != 0) {
    SetLastError(ERROR_INVALID_PRINTER_STATE);
    return 0;
  }
  PrintJobRecord job;
  job.id = Jobs().nextId;
  job.printerName = printer->printerName;
  if (info->pDocName != nullptr) job.documentName = info->pDocName;
  std::error_code ec;
  const auto folder = plat::SpoolerStore() / "jobs";
  std::filesystem::create_directories(folder, ec);
  job.file = folder / ("job" + std::to_string(job.id) + ".spl");
  std::ofstream create(job.file, std::ios::binary | std::ios::trunc);
  if (!create) {
    SetLastError(ERROR_WRITE_FAULT);
    return 0;
  }
  ++Jobs().nextId;
  printer->jobId = job.id;
  Jobs().jobs.emplace(job.id, std::move(job));
  return printer->jobId;
}

BOOL WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten) {
  if (pcWritten != nullptr) *pcWritten = 0;
  auto printer = plat::spool::FindPrinterHandle(hPrinter);
  if (!printer) return FALSE;
  std::lock_guard guard(Jobs().lock);
  auto it = Jobs().jobs.find(printer->jobId);
  if (it == Jobs().jobs.end() || it->second.state != PrintJobRecord::State::kOpen) {
    SetLastError(ERROR_SPL_NO_STARTDOC);
    return FALSE;
  }
  PrintJobRecord& job = it->second;
  job.writeSizes.push_back(cbBuf);
  if (plat::Arrived(Jobs().failAt)) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  DWORD count = cbBuf;
  if (plat::Arrived(Jobs().shortAt)) count = cbBuf / 2;
  if (count > 0) {
    if (pBuf == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    std::ofstream out(job.file, std::ios::binary | std::ios::app);
    out.write(static_cast<const char*>(pBuf), count);
    if (!out) {
      SetLastError(ERROR_WRITE_FAULT);
      return FALSE;
    }
  }
  if (pcWritten != nullptr) *pcWritten = count;
  return TRUE;
}

namespace {

// Closes the handle's open job in the new state.
BOOL FinishJob(HANDLE hPrinter, PrintJobRecord::State state) {
  auto printer = plat::spool::FindPrinterHandle(hPrinter);
  if (!printer) return FALSE;
  std::lock_guard guard(Jobs().lock);
  auto it = Jobs().jobs.find(printer->jobId);
  if (it == Jobs().jobs.end()) {
    SetLastError(ERROR_SPL_NO_STARTDOC);
    return FALSE;
  }
  if (state == PrintJobRecord::State::kAborted) {
    std::error_code ec;
    std::filesystem::remove(it->second.file, ec);
  }
  it->second.state = state;
  printer->jobId = 0;
  return TRUE;
}

}  // namespace

BOOL EndDocPrinter(HANDLE hPrinter) { return FinishJob(hPrinter, PrintJobRecord::State::kDone); }

BOOL AbortPrinter(HANDLE hPrinter) { return FinishJob(hPrinter, PrintJobRecord::State::kAborted); }
