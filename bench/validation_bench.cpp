// DEVMODE validation runs on every spooler entry point and once per
// capability query: one call on an open context of the rich sample, with
// the context's own DEVMODE handed back as the caller's, for the device
// capabilities' flag word and for the job check, which also reads the
// printer properties again.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/bench_machine.h"
#include "jobsettings/validate/validate_devmode.h"
#include "settings/context/context_block.h"

namespace {

void ValidateOnce(benchmark::State& state, DWORD flags) {
  kesm_bench::BenchMachine m(kesm_bench::RichSample());
  UCB* ucb = m.ok() ? m.Open() : nullptr;
  if (ucb == nullptr || ucb->pDCB == nullptr) {
    state.SkipWithError("the context did not open");
    return;
  }
  const std::vector<BYTE> caller(ucb->pDCB->devmode, ucb->pDCB->devmode + kSizeofKesmDM);
  const auto* dm = reinterpret_cast<const DEVMODEW*>(caller.data());
  for (auto _ : state) {
    if (ValidateDevmode(ucb, dm, caller.size(), flags) != 1) {
      state.SkipWithError("validation failed");
      break;
    }
  }
  FreeUcb2(ucb, 1);
}

void BM_ValidateDevmodeForCapabilities(benchmark::State& state) { ValidateOnce(state, 0x1000008); }
BENCHMARK(BM_ValidateDevmodeForCapabilities)->Unit(benchmark::kMicrosecond);

void BM_ValidateDevmodeForJobCheck(benchmark::State& state) { ValidateOnce(state, 0x8000008); }
BENCHMARK(BM_ValidateDevmodeForJobCheck)->Unit(benchmark::kMicrosecond);

}  // namespace
