// Fails a test during which a modal loop (a message box, a dialog) went
// idle with nothing to answer it: a box nobody answers is a fault of the
// test, named by its text.
#include <gtest/gtest.h>

#include "platform/window/modal_loop.h"

namespace {

class AbandonedLoopListener : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override { plat::window::TakeAbandonedLoops(); }
  void OnTestEnd(const testing::TestInfo&) override {
    for (const std::string& text : plat::window::TakeAbandonedLoops()) ADD_FAILURE() << text;
  }
};

[[maybe_unused]] const bool kRegistered = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new AbandonedLoopListener);  // the list owns it
  return true;
}();

}  // namespace
