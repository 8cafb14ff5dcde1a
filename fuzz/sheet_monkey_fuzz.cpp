// The sheet monkey driven by the fuzzer's bytes: each input is one walk of
// a test printer's document or printer sheet (tests/common/sheet_walk.h
// says how the bytes choose the printer, the sheet and the steps), and
// fails when the walk breaks any of the rules a sheet keeps: OK hands out
// what validation keeps, Cancel writes nothing, every box has a text and a
// caption, nothing is left open, the walk ends. The machine, its printers,
// their compiled descriptions and the loaded modules stay across inputs;
// only the sheet opens again. Seeds: fuzz/corpus/sheet_monkey, among them
// every walk that once broke a rule.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/common/sheet_walk.h"

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
    std::fprintf(stderr, "sheet monkey: %s: %s\n", finding.rule.c_str(), finding.detail.c_str());
    failed = true;
  }
  if (failed) std::abort();
  return 0;
}
