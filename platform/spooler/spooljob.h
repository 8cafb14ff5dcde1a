// Print jobs of the stand-in's spooler: a document started on a printer
// handle collects what is written to it in a job file of the spooler store.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"

struct DOC_INFO_1W {
  LPWSTR pDocName;
  LPWSTR pOutputFile;
  LPWSTR pDatatype;
};

// Starts a job on the handle (level 1 only) and returns its id, or 0:
// ERROR_INVALID_HANDLE, ERROR_INVALID_LEVEL, ERROR_INVALID_PARAMETER (no
// document information), ERROR_INVALID_PRINTER_STATE (a job is already open
// on the handle), ERROR_INVALID_DATA (the machine's job counter is damaged)
// or ERROR_WRITE_FAULT (no job file can be made). Ids count from 1 on per
// machine: no two jobs of the processes of one machine share an id or a
// job file.
DWORD StartDocPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo);
// Appends the bytes to the handle's job. FALSE with ERROR_INVALID_HANDLE, or
// ERROR_SPL_NO_STARTDOC without an open job; a failed file write gives
// ERROR_WRITE_FAULT.
BOOL WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten);
// Ends the job: its file is complete.
BOOL EndDocPrinter(HANDLE hPrinter);
// Deletes the open job and its file.
BOOL AbortPrinter(HANDLE hPrinter);

inline constexpr DWORD ERROR_INVALID_PRINTER_STATE = 1906;
inline constexpr DWORD ERROR_SPL_NO_STARTDOC = 3003;

namespace plat {

// What the spooler knows of a job, for tests and the print host.
struct PrintJobRecord {
  DWORD id = 0;
  std::u16string printerName;
  std::u16string documentName;
  std::filesystem::path file;           // the job file in the spooler store
  std::vector<DWORD> writeSizes;        // bytes asked of each WritePrinter call
  enum class State { kOpen, kDone, kAborted } state = State::kOpen;
};
std::optional<PrintJobRecord> FindPrintJob(DWORD jobId);

// What keeps the machine's job counter from giving ids, naming its file or
// lock file; empty when nothing does.
std::string DiagnoseJobCounter();

// Fault injection on WritePrinter: the N-th call from now (1 = the next)
// fails with ERROR_WRITE_FAULT, writing nothing; or it writes only the first
// half of its bytes and reports that count. 0 switches it off. Both are
// one-shot.
void FailPrinterWriteAt(std::size_t n);
void ShortPrinterWriteAt(std::size_t n);

}  // namespace plat
