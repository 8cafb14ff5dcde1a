// What the header tests share: the H2 description (every node kind,
// conditional form and reachable callback), the clock held at 2004-03-07
// 09:05:01, and one pass of a header emitter run twice (size, then fill)
// to get its text.
#pragma once

#include <string>

#include "platform/base/control.h"
#include "render/header/kpjl_emit.h"
#include "tests/render/render_fixture.h"

namespace render_test {

inline constexpr const char* kH2Description = KESM_TEST_DATA "/kpd/kesm_h2_header.kpd";

// Holds the clock at the header tests' moment while it lives.
class FixedClock {
 public:
  FixedClock() {
    SYSTEMTIME at{};
    at.wYear = 2004;
    at.wMonth = 3;
    at.wDay = 7;
    at.wHour = 9;
    at.wMinute = 5;
    at.wSecond = 1;
    plat::SetClock(at, 1000);
  }
  ~FixedClock() { plat::UseRealClock(); }
  FixedClock(const FixedClock&) = delete;
  FixedClock& operator=(const FixedClock&) = delete;
};

// Runs the emitter in a size pass and a fill pass over one snapshot; the
// filled text, with a failure recorded when the passes disagree.
template <class Emitter>
std::string TwoPasses(Emitter&& emit) {
  HeaderSnapshot snapshot{};
  TakeHeaderSnapshot(&snapshot);
  HeaderSink size;
  size.snapshot = &snapshot;
  emit(&size);
  std::string text(static_cast<std::size_t>(size.count) + 1, '\x7F');
  HeaderSink fill;
  fill.snapshot = &snapshot;
  fill.buffer = text.data();
  fill.capacity = size.count + 1;
  emit(&fill);
  EXPECT_FALSE(fill.overflow);
  EXPECT_EQ(fill.count, size.count) << "the fill pass wrote another length than the size pass counted";
  text.resize(static_cast<std::size_t>(fill.count));
  return text;
}

}  // namespace render_test
