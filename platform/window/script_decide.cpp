// The script driver's step that looks before it acts: the steps it adds go
// ahead of the rest of the script.
#include "platform/window/script_driver.h"

namespace plat::window {

Script& Script::decide(std::function<void(Script&)> next) {
  return add([this, next = std::move(next)] {
    std::deque<Step> later;
    later.swap(steps_);
    next(*this);
    for (Step& step : later) steps_.push_back(std::move(step));
    return !abandoned_;
  });
}

}  // namespace plat::window
