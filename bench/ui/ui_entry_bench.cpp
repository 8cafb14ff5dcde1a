// The calls an application's print dialog makes, and the spooler's check of
// each job, on a warm process: the printer's description is compiled and
// listed, its resource DLL is in place, and the context each call opens is
// the one the call before it parked. Targets: each capability under 50 µs,
// the merge under 100 µs, the job check under 50 µs.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/bench_machine.h"
#include "platform/spooler/printer_interface.h"
#include "ui/entry/dll_entry.h"

namespace {

constexpr std::size_t kDriverDevmode = 1236;

// The rich sample's printer with the resource DLL where its description
// names it.
class DialogPrinter {
 public:
  DialogPrinter() : machine_(kesm_bench::RichSample()) { ok_ = machine_.PlaceResourceDll(KESM_UI_STRINGS); }
  bool ok() const { return ok_; }
  HANDLE printer() const { return machine_.printer(); }
  // The printer's DEVMODE as an application holds it.
  std::vector<BYTE> Devmode() const {
    std::vector<BYTE> dm(kDriverDevmode);
    DrvDocumentProperties(nullptr, printer(), nullptr, reinterpret_cast<DEVMODEW*>(dm.data()), nullptr, DM_COPY);
    return dm;
  }

 private:
  kesm_bench::BenchMachine machine_;
  bool ok_ = false;
};

void Capability(benchmark::State& state, WORD capability, std::size_t entryBytes) {
  DialogPrinter p;
  if (!p.ok()) {
    state.SkipWithError("the printer could not be set up");
    return;
  }
  std::vector<BYTE> dm = p.Devmode();
  auto* devmode = reinterpret_cast<DEVMODEW*>(dm.data());
  const DWORD count = DrvDeviceCapabilities(p.printer(), nullptr, capability, nullptr, devmode);
  if (count == 0xFFFFFFFF || count == 0) {
    state.SkipWithError("the capability has no answer");
    return;
  }
  std::vector<BYTE> output(count * entryBytes);
  for (auto _ : state) {
    benchmark::DoNotOptimize(DrvDeviceCapabilities(p.printer(), nullptr, capability, output.data(), devmode));
  }
  state.counters["entries"] = count;
}

void BM_Papers(benchmark::State& state) { Capability(state, DC_PAPERS, sizeof(WORD)); }
BENCHMARK(BM_Papers)->Unit(benchmark::kMicrosecond);
void BM_PaperNames(benchmark::State& state) { Capability(state, DC_PAPERNAMES, CCHPAPERNAME * sizeof(WCHAR)); }
BENCHMARK(BM_PaperNames)->Unit(benchmark::kMicrosecond);
void BM_BinNames(benchmark::State& state) { Capability(state, DC_BINNAMES, CCHBINNAME * sizeof(WCHAR)); }
BENCHMARK(BM_BinNames)->Unit(benchmark::kMicrosecond);
void BM_EnumResolutions(benchmark::State& state) { Capability(state, DC_ENUMRESOLUTIONS, 2 * sizeof(LONG)); }
BENCHMARK(BM_EnumResolutions)->Unit(benchmark::kMicrosecond);

// The DEVMODE merge without sheets: the application's DEVMODE merged and
// copied out, as DocumentProperties(DM_IN_BUFFER | DM_OUT_BUFFER) asks.
void Merge(benchmark::State& state, DWORD fMode) {
  DialogPrinter p;
  if (!p.ok()) {
    state.SkipWithError("the printer could not be set up");
    return;
  }
  std::vector<BYTE> in = p.Devmode();
  std::vector<BYTE> out(kDriverDevmode);
  DOCUMENTPROPERTYHEADER header{sizeof header,
                                0,
                                p.printer(),
                                nullptr,
                                reinterpret_cast<DEVMODEW*>(in.data()),
                                reinterpret_cast<DEVMODEW*>(out.data()),
                                0,
                                fMode};
  for (auto _ : state) {
    if (DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)) != 1) {
      state.SkipWithError("the merge failed");
      break;
    }
  }
}

void BM_MergeCopy(benchmark::State& state) { Merge(state, DM_COPY | DM_MODIFY); }
BENCHMARK(BM_MergeCopy)->Unit(benchmark::kMicrosecond);
void BM_MergeUpdate(benchmark::State& state) { Merge(state, DM_UPDATE | DM_MODIFY); }
BENCHMARK(BM_MergeUpdate)->Unit(benchmark::kMicrosecond);

void BM_DevQueryPrintEx(benchmark::State& state) {
  DialogPrinter p;
  if (!p.ok()) {
    state.SkipWithError("the printer could not be set up");
    return;
  }
  std::vector<BYTE> dm = p.Devmode();
  for (auto _ : state) {
    DEVQUERYPRINT_INFO info{sizeof info, 1, p.printer(), reinterpret_cast<DEVMODEW*>(dm.data()), nullptr, 0, 0};
    if (!DevQueryPrintEx(&info)) {
      state.SkipWithError("the job was refused");
      break;
    }
  }
}
BENCHMARK(BM_DevQueryPrintEx)->Unit(benchmark::kMicrosecond);

}  // namespace
