// The sample printer kesmprint installs, on one machine for the whole run,
// its driver the built rendering library, and a print host over it: for
// the fuzz targets that print. One document stays open, its job kept in
// memory, and each input prints as one page of it. The printer's
// description, once loaded, stays for the process, and some of the
// stand-in's caches are first filled by two whole documents and two pages
// of the open one before any input is counted. Aborts, saying why, when
// the printer or the host cannot be set up or the first documents do not
// print.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "tools/kesmprint/printer_setup.h"
#include "tools/printhost/print_host.h"

namespace fuzz {

struct SampleHost {
  plat::ScopedMachine machine;
  std::unique_ptr<printhost::PrintHost> host;
  std::unique_ptr<printhost::OpenJob> job;
  std::size_t liveWithoutJob = 0;  // the platform's blocks while no document is open

  SampleHost() {
    constexpr const char16_t* kPrinterName = u"Kesm Sample";
    std::string note, error;
    std::filesystem::path dataFile;
    if (!kesmprint::EnsurePrinter(kPrinterName, KESM_SAMPLE_DESCRIPTION, false, note, dataFile, error)) {
      Fail("the printer was not installed", error);
    }
    printhost::HostOptions options;
    options.driverModule = KESM_GR_LIBRARY;
    options.driverFileName = kesmprint::kDriverFileName;
    options.printerName = kPrinterName;
    options.installPrinter = false;
    host = printhost::PrintHost::Open(options, error);
    if (host == nullptr) Fail("the print host did not open", error);
    for (int i = 0; i < 2; ++i) {
      printhost::PrintResult result = host->Print(printhost::Document{u"Warm up", {printhost::Page{}}});
      std::error_code ignored;
      if (!result.jobFile.empty()) std::filesystem::remove(result.jobFile, ignored);
      if (!result.ok) Fail("the first documents did not print", result.error);
    }
    liveWithoutJob = plat::LiveBlocks();
    Reopen();
  }

  ~SampleHost() { job.reset(); }

  // Prints the page as the next of the open document, and aborts when the
  // input left the platform's blocks changed: a page that was sent (even
  // after a drawing call failed, which ends only its drawing) leaves them as
  // they were; a page the driver could not start or send ends the
  // document, which must leave them as they are with no document open. The
  // next document is opened outside the count.
  void PrintPage(const printhost::Page& page) {
    if (job == nullptr) Reopen();
    {
      PlatformBalance balance;
      std::string error;
      if (job->PrintPage(page, error) || !job->aborted()) {
        job->ClearBytes();
        return;
      }
      job.reset();
      balance.Expect(liveWithoutJob);
    }
    Reopen();
  }

 private:
  [[noreturn]] static void Fail(const char* what, const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", what, why.c_str());
    std::abort();
  }

  void Reopen() {
    std::string error;
    job = host->Start(u"Fuzz", printhost::JobOptions{true, true}, error);
    if (job == nullptr || job->aborted()) Fail("the document did not start", error);
    for (int i = 0; i < 2; ++i) {
      if (!job->PrintPage(printhost::Page{}, error)) Fail("the first pages did not print", error);
    }
    job->ClearBytes();
  }
};

// The one host of the run, set up on first use.
inline SampleHost& TheSampleHost() {
  static SampleHost host;
  return host;
}

}  // namespace fuzz
