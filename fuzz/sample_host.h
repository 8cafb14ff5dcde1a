// The sample printer kesmprint installs, on one machine for the whole run,
// its driver the built rendering library, and a print host over it: for
// the fuzz targets that print whole documents. The printer's description,
// once loaded, stays for the process, and some of the stand-in's caches are
// first filled by a second document: two documents print before any input
// is counted. Aborts, saying why, when the printer or the host cannot be
// set up or the first documents do not print.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/base/machine.h"
#include "tools/kesmprint/printer_setup.h"
#include "tools/printhost/print_host.h"

namespace fuzz {

struct SampleHost {
  plat::ScopedMachine machine;
  std::unique_ptr<printhost::PrintHost> host;

  SampleHost() {
    constexpr const char16_t* kPrinterName = u"Kesm Sample";
    std::string note, error;
    if (!kesmprint::EnsurePrinter(kPrinterName, KESM_SAMPLE_DESCRIPTION, false, note, error)) {
      std::fprintf(stderr, "the printer was not installed: %s\n", error.c_str());
      std::abort();
    }
    printhost::HostOptions options;
    options.driverModule = KESM_GR_LIBRARY;
    options.driverFileName = kesmprint::kDriverFileName;
    options.printerName = kPrinterName;
    options.installPrinter = false;
    host = printhost::PrintHost::Open(options, error);
    if (host == nullptr) {
      std::fprintf(stderr, "the print host did not open: %s\n", error.c_str());
      std::abort();
    }
    for (int i = 0; i < 2; ++i) {
      const printhost::PrintResult result = Print(printhost::Document{u"Warm up", {printhost::Page{}}});
      if (!result.ok) {
        std::fprintf(stderr, "the first documents did not print: %s\n", result.error.c_str());
        std::abort();
      }
    }
  }

  // Prints one document and removes the job file it made.
  printhost::PrintResult Print(const printhost::Document& document) {
    printhost::PrintResult result = host->Print(document);
    std::error_code ignored;
    if (!result.jobFile.empty()) std::filesystem::remove(result.jobFile, ignored);
    return result;
  }
};

// The one host of the run, set up on first use.
inline SampleHost& TheSampleHost() {
  static SampleHost host;
  return host;
}

}  // namespace fuzz
