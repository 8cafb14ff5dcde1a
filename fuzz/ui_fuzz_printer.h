// The printer the configuration library's fuzz targets call: the
// benchmarks' machine with the W2 request sample (papers, trays, output
// trays, resolutions) as its description and the library's resource DLL
// where the description names it, and the check every input must pass:
// when it is done no printer context is open and no platform block is
// left over. The machine's clock stands still, so that the contexts the
// entry points park stay parked between inputs and serve the next one, as
// they serve an application's next call.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/bench_machine.h"
#include "fuzz/fuzz_support.h"
#include "platform/base/control.h"
#include "platform/files/winpath.h"
#include "settings/context/context_names.h"
#include "settings/context/context_open.h"

namespace fuzz {

inline std::string W2Sample() {
  std::ifstream in(KESM_TEST_DATA "/kpd/kesm_w2_request.kpd", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct UiPrinter {
  kesm_bench::BenchMachine machine{W2Sample()};
  UiPrinter() {
    UCB* ucb = machine.ok() ? machine.Open() : nullptr;
    if (ucb == nullptr) std::abort();
    const auto dll = plat::HostPathOf(GetResDllName(ucb));
    FreeUcb2(ucb, 1);
    if (!dll) std::abort();
    std::error_code error;
    std::filesystem::create_directories(dll->parent_path(), error);
    std::filesystem::copy_file(KESM_UI_STRINGS, *dll, std::filesystem::copy_options::overwrite_existing, error);
    if (error) std::abort();
    SYSTEMTIME now{};
    now.wYear = 2026;
    now.wMonth = 12;
    now.wDay = 10;
    plat::SetClock(now, 1000);
  }
};

inline UiPrinter& TheUiPrinter() {
  static UiPrinter* const printer = new UiPrinter;  // lives as long as the fuzzer
  return *printer;
}

// A caller's DEVMODE as the entry points receive one: they take no buffer
// size, so the buffer is exactly the size the DEVMODE states (dmSize plus
// dmDriverExtra; at least the bytes up to those size fields), holding the
// input's bytes and zeros after them. Empty input: no DEVMODE.
inline std::vector<BYTE> CallerDevmode(const uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  constexpr std::size_t kSizeFields = 72;
  std::vector<BYTE> dm(data, data + size);
  dm.resize(std::max(dm.size(), kSizeFields), 0);
  const std::size_t stated = static_cast<std::size_t>(dm[68] | dm[69] << 8) + (dm[70] | dm[71] << 8);
  dm.resize(std::max(stated, kSizeFields), 0);
  return dm;
}

// Counts the platform's blocks and the open contexts; when the input is
// done, aborts if a context is still open (parked ones are not) or a block
// was left.
class NoContextLeft {
 public:
  NoContextLeft() : open_(OpenContexts()) {}
  ~NoContextLeft() {
    if (OpenContexts() != open_) {
      std::fprintf(stderr, "%u printer contexts left open\n", static_cast<unsigned>(OpenContexts() - open_));
      std::abort();
    }
  }
  static DWORD OpenContexts() { return CountLiveUcb() - CountParkedUcb(); }

 private:
  DWORD open_;
  PlatformBalance balance_;
};

}  // namespace fuzz
