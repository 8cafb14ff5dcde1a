#include "bench/render/render_machine.h"

#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/base/winerror.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"

namespace render_bench {
namespace {

Machine* gCurrent = nullptr;

bool Install() {
  namespace fs = std::filesystem;
  const fs::path folder = plat::DriverFilesFolder();
  std::error_code error;
  fs::copy_file(KESM_SAMPLE_DESCRIPTION, folder / "KESMBNCH.KPD", fs::copy_options::overwrite_existing, error);
  if (error) return false;
  fs::copy_file(KESM_GR_LIBRARY, folder / fs::path(std::u16string(kDriverFile)),
                fs::copy_options::overwrite_existing, error);
  if (error) return false;
  plat::DriverSetup driver;
  driver.name = u"Kesm Bench Driver";
  driver.driverFile = kDriverFile;
  driver.dataFile = u"KESMBNCH.KPD";
  driver.configFile = u"kesmui.dll";
  plat::PrinterSetup printer;
  printer.name = kPrinter;
  printer.driverName = driver.name;
  return plat::AddPrinterDriver(driver) == ERROR_SUCCESS && plat::AddPrinter(printer) == ERROR_SUCCESS;
}

}  // namespace

Machine::Machine() {
  if (Install() && !OpenPrinterW(kPrinter, &printer_, nullptr)) printer_ = nullptr;
  gCurrent = this;
}

Machine::~Machine() {
  if (printer_ != nullptr) ClosePrinter(printer_);
  gCurrent = nullptr;
}

Machine* Machine::Current() { return gCurrent; }

}  // namespace render_bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  render_bench::Machine machine;
  if (!machine.ok()) {
    std::fprintf(stderr, "bench_render: the benchmark machine cannot be set up\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
