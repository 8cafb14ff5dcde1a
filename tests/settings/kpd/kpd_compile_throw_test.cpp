// The compiler uses standard containers inside some handlers. Running out of
// memory there must become the compiler's no-memory fault, which fails the
// compile: an exception may not leave the compiler, and nothing may leak. This program's global
// operator new can be told to throw at its N-th call.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "tests/settings/kpd/kpd_compile_sample.h"
#include "platform/base/control.h"
#include "settings/kpd/kpd_compile.h"

namespace {
// Calls of operator new still to pass before one throws; -1: never.
std::atomic<long> g_newsUntilThrow{-1};
}  // namespace

void* operator new(std::size_t size) {
  if (g_newsUntilThrow.load() >= 0 && g_newsUntilThrow.fetch_sub(1) == 0) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(CompilerMemory, AThrowingContainerFailsTheCompileWithANoMemoryFault) {
  const std::string text = kpdtest::Fixture("kesm_c7_colour.kpd");
  const size_t before = plat::LiveBlocks();
  long thrown = 0;
  for (long n = 0; n < 100000; ++n) {
    KpdCompileReport report{};
    WorkBKPD* work = nullptr;
    g_newsUntilThrow = n;
    EXPECT_NO_THROW(work = kpdtest::CompileText(text, &report)) << n;
    const bool fired = g_newsUntilThrow.exchange(-1) < 0;
    if (!fired) {
      WorkBKPD_Free(work);  // the compile ran to its end
      break;
    }
    ++thrown;
    // The compile fails whole: no description missing a part. (Memory
    // runs out in a handler, a noted fault, or in the reader or the
    // platform's own bookkeeping, which the reader's result tells.)
    EXPECT_EQ(work, nullptr) << n;
    EXPECT_EQ(report.endResult, kKpdNoMemory) << n;
    if (report.faultCount != 0) {
      EXPECT_EQ(report.faults[std::min(report.faultCount, kKpdReportedFaults) - 1].fault, KpdFault::kNoMemory) << n;
    }
    WorkBKPD_Free(work);
    ASSERT_EQ(plat::LiveBlocks(), before) << n << " fault at " << (report.faultCount ? report.faults[0].offset : 0);
  }
  EXPECT_GT(thrown, 0);  // the sample's compile does use operator new
}
