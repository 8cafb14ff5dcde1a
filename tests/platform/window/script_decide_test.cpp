// A step that decides the next steps when it runs: they run before the
// steps queued after it, it may decide again, and a step it adds that
// fails ends the script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window/script_driver.h"

namespace kesm_test {
namespace {

using plat::window::Script;

TEST(ScriptDecide, StepsItAddsRunBeforeTheRestAndMayDecideAgain) {
  std::vector<std::string> order;
  int rounds = 0;
  std::function<void(Script&)> again = [&](Script& s) {
    order.push_back("decided " + std::to_string(++rounds));
    s.check("added", [&] { order.push_back("added " + std::to_string(rounds)); });
    if (rounds < 3) s.decide(again);
  };
  Script script;
  script.decide(again).check("queued", [&] { order.push_back("queued"); });
  EXPECT_TRUE(script.run());
  EXPECT_EQ(order, (std::vector<std::string>{"decided 1", "added 1", "decided 2", "added 2", "decided 3",
                                             "added 3", "queued"}));
}

TEST(ScriptDecide, AFailingStepItAddsEndsTheScript) {
  bool reached = false;
  Script script;
  script.decide([](Script& s) { s.answerBox(u"no such box", 1); }).check("after", [&] { reached = true; });
  EXPECT_FALSE(script.run());
  EXPECT_FALSE(reached);
  ASSERT_EQ(script.failures().size(), 1u);
  EXPECT_NE(script.failures()[0].find("no such box"), std::string::npos);
}

}  // namespace
}  // namespace kesm_test
