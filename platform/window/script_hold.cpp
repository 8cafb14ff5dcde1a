// The script driver's steps for input a person keeps held: the cursor
// resting over a window, a mouse button pressed and let go later, a key
// held down. Each is one step, so whatever the window does meanwhile (a
// loop of its own that waits for the release, a timer) runs between them.
#include "platform/window/script_driver.h"

namespace plat::window {

Script& Script::atPoint(const char* step, WindowRef target, std::optional<POINT> client,
                        std::function<void(POINT)> act) {
  return add([this, step, target, client, act = std::move(act)] {
    HWND window = target.Resolve();
    RECT area{};
    if (window == nullptr || !GetClientRect(window, &area)) {
      fail(std::string(step) + ": " + target.name() + " does not exist");
      return false;
    }
    POINT at = client.value_or(POINT{area.right / 2, area.bottom / 2});
    ClientToScreen(window, &at);
    act(at);
    return true;
  });
}

Script& Script::hover(WindowRef target) { return atPoint("hover", target, std::nullopt, InjectMouseMove); }

Script& Script::hoverAt(WindowRef target, POINT client) { return atPoint("hover", target, client, InjectMouseMove); }

Script& Script::hold(WindowRef target, MouseButton button) {
  return atPoint("hold", target, std::nullopt, [button](POINT at) {
    InjectMouseMove(at);
    InjectMouseButton(button, true, at);
  });
}

Script& Script::holdAt(WindowRef target, POINT client, MouseButton button) {
  return atPoint("hold", target, client, [button](POINT at) {
    InjectMouseMove(at);
    InjectMouseButton(button, true, at);
  });
}

Script& Script::release(MouseButton button) {
  return add([button] {
    POINT at{};
    GetCursorPos(&at);
    InjectMouseButton(button, false, at);
    return true;
  });
}

Script& Script::holdKey(UINT virtualKey) {
  return add([virtualKey] {
    InjectKey(virtualKey, true);
    return true;
  });
}

Script& Script::releaseKey(UINT virtualKey) {
  return add([virtualKey] {
    InjectKey(virtualKey, false);
    return true;
  });
}

}  // namespace plat::window
