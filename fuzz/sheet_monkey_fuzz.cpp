// The sheet monkey driven by the fuzzer's bytes: each input is one walk of
// a test printer's document or printer sheet (tests/common/sheet_walk.h
// says how the bytes choose the printer, the sheet and the steps), and
// fails when the walk breaks any of the rules a sheet keeps: OK hands out
// what validation keeps, Cancel writes nothing, every box has a text and a
// caption, nothing is left open, the walk ends. The machine, its printers,
// their compiled descriptions and the loaded modules stay across inputs;
// only the sheet opens again. Seeds: fuzz/corpus/sheet_monkey, among them
// every walk that once broke a rule.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/common/sheet_walk.h"

namespace {

// Faults a walk has found whose mends are still open. A walk that breaks
// the OK rule only through these settings is reported and not failed, so
// that a campaign goes on to find other faults; each has its kept walk in
// fuzz/corpus/sheet_monkey_pending with a disabled test that names it.
constexpr int kOpenOkFaults[] = {
    9, 10,  // paper length and width: on the alerts printer OK hands them out unturned
    98,     // the Edit page's margin shift: OK hands out a value validation sets to 0
};

// Whether every byte the finding names belongs to a setting of an open fault.
bool IsOpenFault(const kesm_test::WalkFinding& finding) {
  if (finding.rule != "ok-hands-out-what-validation-keeps") return false;
  const std::string mark = "(setting ";
  bool any = false;
  for (std::size_t at = finding.detail.find(mark); at != std::string::npos; at = finding.detail.find(mark, at + 1)) {
    const int setting = std::atoi(finding.detail.c_str() + at + mark.size());
    if (std::find(std::begin(kOpenOkFaults), std::end(kOpenOkFaults), setting) == std::end(kOpenOkFaults)) return false;
    any = true;
  }
  return any;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kesm_test::SheetWalks* const walks = [] {
    auto* made = new kesm_test::SheetWalks;  // lives as long as the fuzzer
    if (!made->setupError().empty()) {
      std::fprintf(stderr, "sheet monkey: %s\n", made->setupError().c_str());
      std::abort();
    }
    return made;
  }();
  bool failed = false;
  for (const kesm_test::WalkFinding& finding : walks->Walk({data, size})) {
    const bool open = IsOpenFault(finding);
    std::fprintf(stderr, "sheet monkey: %s%s: %s\n", open ? "open fault, " : "", finding.rule.c_str(),
                 finding.detail.c_str());
    failed = failed || !open;
  }
  if (failed) std::abort();
  return 0;
}
