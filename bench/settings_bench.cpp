// Function-id lookup sits under every value read and write; the description
// compiler runs whenever a description cache is missing or stale.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "settings/bkpd/bkpd_work.h"
#include "settings/kpd/kpd_compile.h"
#include "settings/values/setting_lookup.h"
#include "settings/tables/setting_table.h"

namespace {

void BM_LookupEveryFunctionId(benchmark::State& state) {
  for (auto _ : state) {
    for (const SFCB& record : fgSFCB) benchmark::DoNotOptimize(GetSFCBbyFuncID(nullptr, record.funcId));
  }
  state.SetItemsProcessed(state.iterations() * kSettingCount);
}
BENCHMARK(BM_LookupEveryFunctionId);

void BM_LookupGroupKeyword(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(GetGKbyKeyWord("KPD_kdmPlexor"));
}
BENCHMARK(BM_LookupGroupKeyword);

void BM_CompileRichSample(benchmark::State& state) {
  std::ifstream in(KESM_TEST_DATA "/kpd/kesm_c7_colour.kpd", std::ios::binary);
  const std::vector<BYTE> text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (auto _ : state) {
    WorkBKPD* work = WorkBKPD_CreateFromText(text.data(), static_cast<DWORD>(text.size()), nullptr);
    if (work == nullptr) {
      state.SkipWithError("the sample does not compile");
      break;
    }
    WorkBKPD_Free(work);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CompileRichSample);

}  // namespace
