// The test-event listener behind tests/common/invalid_frees.h, appended to
// the listeners of the program when it starts.
#include <gtest/gtest.h>

#include "platform/base/control.h"
#include "tests/common/invalid_frees.h"

namespace {

class InvalidFreeListener : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override {
    expected_ = 0;
    before_ = plat::InvalidFrees();
  }
  // Runs before the result is printed: a failure added here is the test's.
  void OnTestEnd(const testing::TestInfo&) override {
    const std::size_t made = plat::InvalidFrees() - before_;
    if (made != expected_) {
      ADD_FAILURE() << "the test made " << made << " free(s) of something that was not a live block"
                    << (expected_ != 0 ? ", not the " + std::to_string(expected_) + " it declared" : "");
    }
  }
  void Expect(std::size_t count) { expected_ = count; }

 private:
  std::size_t before_ = 0;
  std::size_t expected_ = 0;
};

InvalidFreeListener* Listener() {
  // The listener list owns it once appended.
  static InvalidFreeListener* listener = [] {
    auto* l = new InvalidFreeListener;
    testing::UnitTest::GetInstance()->listeners().Append(l);
    return l;
  }();
  return listener;
}

[[maybe_unused]] const bool kRegistered = Listener() != nullptr;

}  // namespace

namespace kesm_test {

void ExpectInvalidFrees(std::size_t count) { Listener()->Expect(count); }

}  // namespace kesm_test
