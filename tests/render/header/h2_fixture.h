// What the header tests share: the H2 description (every node kind,
// conditional form and reachable callback), the clock held at 2004-03-07
// 09:05:01, and one pass of a header emitter run twice (size, then fill)
// to get its text.
#pragma once

#include <string>

#include "render/header/kpjl_emit.h"
#include "tests/common/held_clock.h"
#include "tests/render/render_fixture.h"

namespace render_test {

inline constexpr const char* kH2Description = KESM_TEST_DATA "/kpd/kesm_h2_header.kpd";

// The clock at the header tests' moment, 2004-03-07 09:05:01.
class FixedClock : public kesm_test::HeldClock {
 public:
  FixedClock() : HeldClock(2004, 3, 7, 9, 5, 1) {}
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
