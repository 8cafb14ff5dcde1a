// The script driver for tests: a script whose failures (a modal loop left
// running when it ran out, a window it could not find, a budget spent)
// become failures of the test when it goes out of scope, and whose checks
// name themselves in the failures of their assertions.
#pragma once

#include <gtest/gtest.h>

#include "platform/window/script_driver.h"

namespace kesm_test {

class UiScript : public plat::window::Script {
 public:
  ~UiScript() override {
    for (const std::string& failure : failures()) ADD_FAILURE() << failure;
  }

 protected:
  void RunCheck(const std::string& what, const std::function<void()>& step) override {
    SCOPED_TRACE("check: " + what);
    step();
  }
};

}  // namespace kesm_test
