// The compiled description: compiling generated texts of several sizes and
// freeing what the compile built, loading the cache file (against only
// reading it), opening a printer context four ways (compiling its
// description, from the cache file, from the process list, reusing a parked
// context), and a new context and its destruction timed apart.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/bench_machine.h"
#include "bench/kpd_generator.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_open.h"
#include "settings/kpd/kpd_compile.h"
#include "settings/system/mapfile.h"
#include "settings/system/memptr.h"

namespace {

using kesm_bench::BenchMachine;
using kesm_bench::RichSample;

// The rich sample with its version replaced: another version than the
// driver's is never cached, so every first use compiles it.
std::string Uncacheable(std::string text) {
  const std::string from = "*FileVersion: 4.88";
  text.replace(text.find(from), from.size(), "*FileVersion: 4.90");
  return text;
}

// The CPU time this thread has used, in seconds: a loaded machine does not
// stretch it as it stretches the wall clock.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Compiles a generated text of the argument's size and frees the work
// description, timing one of the two by the thread's CPU time. The time per
// byte should not grow with the size.
void CompileOrFree(benchmark::State& state, bool timeTheCompile) {
  const std::string text = kesm_bench::GenerateLargeDescription(static_cast<std::size_t>(state.range(0)));
  const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
  KpdCompileReport report{};
  for (auto _ : state) {
    const double start = ThreadSeconds();
    WorkBKPD* work = WorkBKPD_CreateFromText(bytes, static_cast<DWORD>(text.size()), &report);
    const double compiled = ThreadSeconds();
    if (work == nullptr || report.faultCount != 0) {
      state.SkipWithError("the generated description does not compile cleanly");
      WorkBKPD_Free(work);
      break;
    }
    WorkBKPD_Free(work);
    const double freed = ThreadSeconds();
    state.SetIterationTime(timeTheCompile ? compiled - start : freed - compiled);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  state.counters["text_bytes"] = static_cast<double>(text.size());
}

// Size 0 is the generated text's header alone: what every compile costs
// whatever its size.
void BM_CompileLargeDescription(benchmark::State& state) { CompileOrFree(state, true); }
// 4, 22 and 75 KB are the sizes of real descriptions, small to large.
BENCHMARK(BM_CompileLargeDescription)
    ->Arg(0)->Arg(4000)->Arg(22000)->Arg(40000)->Arg(75000)->Arg(300000)->Arg(1000000)
    ->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_FreeLargeDescription(benchmark::State& state) { CompileOrFree(state, false); }
BENCHMARK(BM_FreeLargeDescription)
    ->Arg(4000)->Arg(22000)->Arg(40000)->Arg(75000)->Arg(300000)->Arg(1000000)
    ->UseManualTime()->Unit(benchmark::kMicrosecond);

// Packs a compiled work description of the argument's size into its block:
// the size pass, the allocation and the packer, by the thread's CPU time.
// Like the compile and the free, its time per byte should not grow with
// the size.
void BM_PackLargeDescription(benchmark::State& state) {
  const std::string text = kesm_bench::GenerateLargeDescription(static_cast<std::size_t>(state.range(0)));
  KpdCompileReport report{};
  WorkBKPD* work =
      WorkBKPD_CreateFromText(reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()), &report);
  if (work == nullptr || report.faultCount != 0) {
    state.SkipWithError("the generated description does not compile cleanly");
    WorkBKPD_Free(work);
    return;
  }
  DWORD blockBytes = 0;
  for (auto _ : state) {
    const double start = ThreadSeconds();
    DWORD size = 0;
    void* block = BKPDGetWriteSize(work, &size) ? GetMemPtr(size) : nullptr;
    const BOOL packed = block != nullptr && PackPpdData(block, size, work);
    const double done = ThreadSeconds();
    FreeMemPtr(block);
    if (!packed) {
      state.SkipWithError("the work description did not pack");
      break;
    }
    blockBytes = size;
    state.SetIterationTime(done - start);
  }
  WorkBKPD_Free(work);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  state.counters["text_bytes"] = static_cast<double>(text.size());
  state.counters["block_bytes"] = static_cast<double>(blockBytes);
}
BENCHMARK(BM_PackLargeDescription)
    ->Arg(4000)->Arg(22000)->Arg(40000)->Arg(75000)->Arg(300000)->Arg(1000000)
    ->UseManualTime()->Unit(benchmark::kMicrosecond);

// The cost the cache file cannot go below: mapping it and copying it out.
void BM_ReadCacheFileOnly(benchmark::State& state) {
  BenchMachine m(RichSample());
  UCB* ucb = m.ok() ? m.Open() : nullptr;
  FreeUcb2(ucb, 1);
  const std::u16string cache = m.cacheFile();
  for (auto _ : state) {
    PVOID mapping = nullptr;
    const BYTE* view = nullptr;
    DWORD size = 0;
    if (!MAPFILE(cache.c_str(), &mapping, &view, &size)) {
      state.SkipWithError("no cache file");
      break;
    }
    auto* copy = static_cast<BYTE*>(GetMemPtr(size));
    std::memcpy(copy, view, size);
    benchmark::DoNotOptimize(copy);
    FreeMemPtr(copy);
    UNMAPFILE(mapping);
  }
}
BENCHMARK(BM_ReadCacheFileOnly)->Unit(benchmark::kMicrosecond);

// Reading the cache file with its time and size tests, and the loader's
// check of every link.
void BM_LoadCacheFile(benchmark::State& state) {
  BenchMachine m(RichSample());
  UCB* ucb = m.ok() ? m.Open() : nullptr;
  FreeUcb2(ucb, 1);
  for (auto _ : state) {
    DWORD size = 0;
    LPBYTE block = GetBinaryPpdData(m.dataFile(), &size);
    PCBKPD loaded = block != nullptr ? UnpackPpdData(block, size) : nullptr;
    if (loaded == nullptr) {
      state.SkipWithError("the cache file was not taken");
      FreeMemPtr(block);
      break;
    }
    FreeBkpdBlock(loaded);
  }
}
BENCHMARK(BM_LoadCacheFile)->Unit(benchmark::kMicrosecond);

// Opens and releases a context; `forget` empties the process list first.
// The printer's resource module is in place, as on any installed machine:
// without it every string default would look for it again.
void OpenContexts(benchmark::State& state, const std::string& text, bool forget, DWORD releaseWord) {
  BenchMachine m(text);
  if (!m.ok() || !m.PlaceResourceDll(KESM_UI_STRINGS)) {
    state.SkipWithError("no test machine");
    return;
  }
  FreeUcb2(m.Open(), releaseWord);  // the first open writes the cache file when it may
  for (auto _ : state) {
    if (forget) BKPDAddrFree();
    UCB* ucb = m.Open();
    if (ucb == nullptr || ucb->pBKPD == nullptr) {
      state.SkipWithError("the context did not open");
      break;
    }
    FreeUcb2(ucb, releaseWord);
  }
}

void BM_OpenContextCompiling(benchmark::State& state) { OpenContexts(state, Uncacheable(RichSample()), true, 1); }
BENCHMARK(BM_OpenContextCompiling)->Unit(benchmark::kMicrosecond);

void BM_OpenContextFromCacheFile(benchmark::State& state) { OpenContexts(state, RichSample(), true, 1); }
BENCHMARK(BM_OpenContextFromCacheFile)->Unit(benchmark::kMicrosecond);

void BM_OpenContextFromProcessList(benchmark::State& state) { OpenContexts(state, RichSample(), false, 1); }
BENCHMARK(BM_OpenContextFromProcessList)->Unit(benchmark::kMicrosecond);

// The description's part of an open from the process list: the data file's
// name from the spooler, the cross-process lock and the list lookup.
void BM_DescriptionFromProcessList(benchmark::State& state) {
  BenchMachine m(RichSample());
  UCB ucb = fgUCB;
  ucb.hPrinter = m.printer();
  if (!m.ok() || BKPDCreate(&ucb) == nullptr) {
    state.SkipWithError("no description");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(BKPDCreate(&ucb));
}
BENCHMARK(BM_DescriptionFromProcessList)->Unit(benchmark::kMicrosecond);

// A release with word 0 parks the context; the next open takes it back.
void BM_OpenParkedContext(benchmark::State& state) { OpenContexts(state, RichSample(), false, 0); }
BENCHMARK(BM_OpenParkedContext)->Unit(benchmark::kMicrosecond);

// A new context whose description is in the process list, and its
// destruction, each timed alone by the thread's CPU time.
void NewOrDestroy(benchmark::State& state, bool timeTheOpen) {
  BenchMachine m(RichSample());
  if (!m.ok() || !m.PlaceResourceDll(KESM_UI_STRINGS)) {
    state.SkipWithError("no test machine");
    return;
  }
  FreeUcb2(m.Open(), 1);
  for (auto _ : state) {
    const double start = ThreadSeconds();
    UCB* ucb = m.Open();
    const double opened = ThreadSeconds();
    if (ucb == nullptr || ucb->pBKPD == nullptr) {
      state.SkipWithError("the context did not open");
      break;
    }
    FreeUcb2(ucb, 1);
    const double destroyed = ThreadSeconds();
    state.SetIterationTime(timeTheOpen ? opened - start : destroyed - opened);
  }
}

void BM_NewContextFromProcessList(benchmark::State& state) { NewOrDestroy(state, true); }
BENCHMARK(BM_NewContextFromProcessList)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_DestroyContext(benchmark::State& state) { NewOrDestroy(state, false); }
BENCHMARK(BM_DestroyContext)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
