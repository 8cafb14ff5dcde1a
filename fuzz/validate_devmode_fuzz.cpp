// Feeds arbitrary caller DEVMODEs to ValidateDevmode on a context of the
// validation sample description (a DEVMODE can be this model's, so private
// parts are merged too). The input is {flag word choice (1 byte), DEVMODE
// bytes}; the DEVMODE buffer is exactly as long as the rest of the input,
// whatever its dmSize and dmDriverExtra claim. The context's DCB is put
// back after every input, so every input starts from the same defaults,
// and no block of the platform may outlive the input or be freed twice.
// Seeds: fuzz/corpus/validate_devmode (the hostile corpus of the tests with
// a flag byte in front). Its kernel-mode twin, fuzz_validate_devmode_km,
// validates on a context the rendering library opens, with the free-size
// and quality-set reads of that build.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/bench_machine.h"
#include "fuzz/fuzz_support.h"
#include "jobsettings/validate/validate_devmode.h"
#include "settings/context/context_block.h"

namespace {

// The callers' flag words.
constexpr DWORD kFlagWords[] = {0x10000008, 0x400000A, 0x2000004, 0x22000008, 0x4000008,
                                0x8000008,  0x1000008, 0x10008,   0x20008,    0x2};

std::string ValidationSample() {
  std::ifstream in(KESM_TEST_DATA "/kpd/kesm_v5_validation.kpd", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The benchmarks' machine, its driver's data file holding the sample.
struct Context {
  kesm_bench::BenchMachine machine{ValidationSample()};
  UCB* ucb = nullptr;
  DCB defaults{};
};

#if KESM_KERNEL_MODE
constexpr DWORD kContextMode = kModeRendering;
#else
constexpr DWORD kContextMode = kesm_bench::kSheetMode;
#endif

Context* Open() {
  auto* c = new Context;
  c->ucb = c->machine.ok() ? GetUcb(c->machine.printer(), c->machine.printer(), 0, kContextMode) : nullptr;
  if (c->ucb == nullptr || c->ucb->pDCB == nullptr) __builtin_trap();
  std::memcpy(&c->defaults, c->ucb->pDCB, sizeof(DCB));
  return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Context* const context = Open();
  if (size < 1) return 0;
  const DWORD flags = kFlagWords[data[0] % std::size(kFlagWords)];
  std::vector<BYTE> dm(data + 1, data + size);
  std::memcpy(context->ucb->pDCB, &context->defaults, sizeof(DCB));
  fuzz::PlatformBalance balance;
  ValidateDevmode(context->ucb, dm.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(dm.data()), dm.size(),
                  flags);
  return 0;
}
