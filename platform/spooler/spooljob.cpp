// Print jobs and their job files.
#include "platform/spooler/spooljob.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <map>
#include <mutex>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/host/storefile.h"
#include "platform/spooler/spoolhandle.h"

namespace plat {
namespace {

// The jobs this process started. Their ids come from the machine's job
// counter, so they are unique across the processes of one machine.
struct JobTable {
  std::mutex lock;
  std::map<DWORD, PrintJobRecord> jobs;
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

std::filesystem::path JobFolder() { return SpoolerStore() / "jobs"; }
std::filesystem::path JobCounter() { return SpoolerStore() / "jobid"; }

// The last id the counter gave (0 for a new machine).
DWORD DecodeCounter(std::span<const BYTE> bytes, DWORD& last) {
  last = 0;
  store::Reader r(bytes);
  return bytes.empty() || (r.U32(last) && r.AtEnd()) ? DWORD{ERROR_SUCCESS} : DWORD{ERROR_INVALID_DATA};
}

// Takes the machine's next job id (from 1 on, never 0) from its counter in
// the spooler store. A damaged counter is refused, not reset, so that no id
// is given twice.
DWORD TakeJobId(DWORD& id) {
  return store::Update(JobCounter(), [&](std::vector<BYTE>& bytes) {
    DWORD last = 0;
    if (DWORD rc = DecodeCounter(bytes, last); rc != ERROR_SUCCESS) return rc;
    id = last == 0xFFFFFFFFu ? 1 : last + 1;
    store::Writer w;
    w.U32(id);
    bytes = std::move(w.bytes());
    return DWORD{ERROR_SUCCESS};
  });
}

// Makes the job file of a new job: a file no other job has, created here
// and nowhere else (a file left by a machine whose counter was lost is
// passed over, taking the next id). ERROR_SUCCESS, the counter's error, or
// ERROR_WRITE_FAULT.
DWORD CreateJobFile(PrintJobRecord& job) {
  std::error_code ec;
  std::filesystem::create_directories(JobFolder(), ec);
  for (int attempt = 0; attempt < 1024; ++attempt) {
    if (DWORD rc = TakeJobId(job.id); rc != ERROR_SUCCESS) return rc;
    job.file = JobFolder() / ("job" + std::to_string(job.id) + ".spl");
    const int fd = ::open(job.file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return ERROR_SUCCESS;
    }
    if (errno != EEXIST) break;
  }
  return ERROR_WRITE_FAULT;
}

}  // namespace

std::string DiagnoseJobCounter() {
  if (MachineRoot().empty()) return {};
  return store::Diagnose(JobCounter(), "the job counter", [](std::span<const BYTE> bytes) {
    DWORD last = 0;
    return DecodeCounter(bytes, last);
  });
}

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
  job.printerName = printer->printerName;
  if (info->pDocName != nullptr) job.documentName = info->pDocName;
  if (DWORD rc = plat::CreateJobFile(job); rc != ERROR_SUCCESS) {
    SetLastError(rc);
    return 0;
  }
  printer->jobId = job.id;
  // Ids are unique per machine; a job of an earlier machine may share one.
  Jobs().jobs.insert_or_assign(job.id, std::move(job));
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
