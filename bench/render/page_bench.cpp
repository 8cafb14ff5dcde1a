// Whole text pages through the print host: for each page the host starts
// it, draws its 60 lines of 80 characters through the driver's entry points
// and sends it; the rendering library frames it in the job stream. A
// document of one page and one of 16 tell the cost of a page from the cost
// of the document around it (enabling the PDEV, the job).
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "bench/render/render_machine.h"
#include "tools/printhost/print_host.h"

namespace {

// A text document of the given number of full pages.
bool TextPages(int pages, printhost::Document& document) {
  const auto path = render_bench::Machine::Current()->folder() / ("pages" + std::to_string(pages) + ".txt");
  {
    std::ofstream out(path);
    const std::string line = "The quick brown fox jumps over the lazy dog; pack my box with five dozen jugs.";
    for (int page = 0; page < pages; ++page) {
      if (page > 0) out << '\f';
      for (int i = 0; i < 60; ++i) out << (i > 0 ? "\n" : "") << line.substr(0, 78) << (i % 10);
    }
  }
  std::string error;
  return printhost::TextDocument(path.string(), document, error) &&
         document.pages.size() == static_cast<std::size_t>(pages);
}

void BM_TextPagesThroughTheHost(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  printhost::Document document;
  if (!TextPages(pages, document)) {
    state.SkipWithError("the text document cannot be made");
    return;
  }
  printhost::HostOptions options;
  options.driverModule = KESM_GR_LIBRARY;
  options.driverFileName = render_bench::kDriverFile;
  options.printerName = render_bench::kPrinter;
  options.installPrinter = false;
  std::string error;
  auto host = printhost::PrintHost::Open(options, error);
  if (!host) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    const printhost::PrintResult result = host->Print(document);
    if (!result.ok) {
      state.SkipWithError(result.error.c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * pages);
  state.SetLabel("items are pages");
}
BENCHMARK(BM_TextPagesThroughTheHost)->Arg(1)->Arg(16)->Unit(benchmark::kMicrosecond);

}  // namespace
