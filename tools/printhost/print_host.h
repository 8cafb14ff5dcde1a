// The print host: plays the application, GDI and the spooler for a
// rendering library. It installs the library as a printer driver of the
// current simulated machine, loads it by its file name, enables it and
// prints documents through its entry points into the spooler's job file.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/engine/objects/ddi_types.h"
#include "platform/gdi/printer_dc.h"
#include "tools/printhost/document.h"

namespace printhost {

// The document events the printer's configuration library is given on the
// application's DC, each before GDI passes the call on to the driver.
enum class DocumentEvent { kStartDoc, kStartPage, kEndDoc };
using DocumentEventHandler = std::function<void(DocumentEvent event, HANDLE printer, HDC dc)>;

struct HostOptions {
  std::filesystem::path driverModule;             // the rendering library on the host
  std::u16string driverFileName = u"kesmgr.dll";  // its name in the driver folder
  std::u16string printerName = u"Kesm Host Printer";
  // Installs a driver of the host's own (with an empty description) and the
  // printer when they are missing. Off for a printer installed beforehand
  // whose driver file is driverFileName: only the module is copied in.
  bool installPrinter = true;
  std::vector<BYTE> devmode;  // the application's DEVMODE; empty: a default public one
  ULONG engineVersion = DDI_DRIVER_VERSION_NT5_01;
  // Called at the start of the document and of each page, and at its end
  // (also when it is aborted); none when empty.
  DocumentEventHandler documentEvents;
};

struct PrintResult {
  bool ok = false;
  std::string error;  // what failed, when not ok
  DWORD jobId = 0;
  std::filesystem::path jobFile;  // the spooled job stream (removed when aborted)
  // Keeps the job file claimed as a live job's (see RemoveEndedJobs) while
  // the result is held, so that the caller can deliver it.
  std::shared_ptr<void> jobClaim;
};

// Removes the job files of the machine's spooler that no live job claims:
// those of jobs that ended, were refused, or whose process was killed. Run
// under the spooler's lock, which a job's start takes too, so that a job
// just started is never taken for an ended one.
void RemoveEndedJobs();

struct JobOptions {
  // The job's bytes are kept in memory (OpenJob::bytes) and no job file is
  // written.
  bool inMemory = false;
  // A drawing call that fails ends the drawing of its page only, as for an
  // application that goes on after a failed GDI call: the page is still
  // sent and the document stays open; PrintPage gives false and the reason.
  // Otherwise it aborts the document.
  bool drawingFailuresEndPageOnly = false;
};

// A document kept open on one PDEV, printed a page at a time: for a host
// that prints many pages (a fuzz target feeds one input a page). Ending it
// (Finish, or destroying it) ends the document, as an abort when a page
// failed or it was never finished.
class OpenJob {
 public:
  ~OpenJob();
  OpenJob(const OpenJob&) = delete;
  OpenJob& operator=(const OpenJob&) = delete;

  // Prints the page (after its mode change, if any). False with the reason
  // when a driver call failed: the document is then aborted and takes no
  // more pages (see JobOptions for a failed drawing call).
  bool PrintPage(const Page& page, std::string& error);
  bool aborted() const;
  // Ends the document as aborted, for the reason given (a page its source
  // could not make, say).
  void Abort(const std::string& why);
  // Ends the document; ok when every page printed and the driver ended it.
  PrintResult Finish();
  // The job's bytes so far, for a job kept in memory (empty otherwise), and
  // their removal.
  const std::vector<BYTE>& bytes() const;
  void ClearBytes();

 private:
  friend class PrintHost;
  struct State;
  explicit OpenJob(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

class PrintHost {
 public:
  // Null with a message when the driver cannot be installed, loaded or
  // enabled.
  static std::unique_ptr<PrintHost> Open(const HostOptions& options, std::string& error);
  ~PrintHost();
  PrintHost(const PrintHost&) = delete;
  PrintHost& operator=(const PrintHost&) = delete;

  // Called after each page the driver took, with its number from 1.
  using PageDone = std::function<void(std::size_t page)>;
  // Prints the document as one job. A failing driver call aborts the
  // document as GDI does (DrvEndDoc with ED_ABORTDOC, the job deleted) and
  // releases the PDEV.
  PrintResult Print(const Document& document, const PageDone& pageDone = {});
  // The same for a document made page by page: each page is asked for when
  // the one before it was printed, and a page the source cannot make aborts
  // the job with the source's message.
  PrintResult Print(PageSource& pages, const PageDone& pageDone = {});
  // Starts a document named name for pages to follow one at a time. Null
  // with the reason in error when the PDEV or the document cannot be
  // started. The host must outlive the job.
  std::unique_ptr<OpenJob> Start(const std::u16string& name, const JobOptions& options, std::string& error);
  HMODULE module() const;
  // Sets up a page as a document's first would be, on the DEVMODE given
  // (the host's own when empty): the PDEV and its surface are enabled and
  // disabled again. False with what failed.
  bool SetUpPage(std::vector<BYTE> devmode, std::string& error);

 private:
  friend class OpenJob;
  struct State;
  explicit PrintHost(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

inline constexpr FLONG ED_ABORTDOC = 1;

// A DEVMODE of the public part only: letter, portrait, 300 dpi, colour.
std::vector<BYTE> DefaultDevmode(const std::u16string& deviceName);

}  // namespace printhost
