// The script driver's steps and its idle hook.
#include "platform/window/script_driver.h"
#include "platform/window/menus.h"

#include <utility>

#include "platform/base/control.h"
#include "platform/modules/winresource.h"
#include "platform/text/utf.h"
#include "platform/window/messagebox_control.h"

namespace plat::window {
namespace {

std::string Narrow(std::u16string_view text) { return utf::ToUtf8(text); }

void Modifiers(WPARAM modifiers, bool down) {
  if ((modifiers & MK_SHIFT) != 0) InjectKey(VK_SHIFT, down);
  if ((modifiers & MK_CONTROL) != 0) InjectKey(VK_CONTROL, down);
  if ((modifiers & MK_ALT) != 0) InjectKey(VK_MENU, down);
}

std::string NameOf(const LoopInfo& loop) {
  return loop.what.empty() ? DescribeWindow(loop.window) : Narrow(loop.what);
}

}  // namespace

WindowRef::WindowRef(HWND hwnd)
    : find_([hwnd] { return IsWindow(hwnd) ? hwnd : nullptr; }), name_(DescribeWindow(hwnd)) {}

WindowRef WindowRef::Top(std::u16string text, std::u16string className) {
  std::string name = "window \"" + Narrow(text) + "\"";
  return WindowRef(
      [text, className] {
        return FindWindowW(className.empty() ? nullptr : reinterpret_cast<LPCWSTR>(className.c_str()),
                           reinterpret_cast<LPCWSTR>(text.c_str()));
      },
      std::move(name));
}

WindowRef WindowRef::Item(WindowRef parent, int id) {
  std::string name = "item " + std::to_string(id) + " of " + parent.name();
  return WindowRef(
      [parent, id] {
        HWND p = parent.Resolve();
        return p != nullptr ? GetDlgItem(p, id) : nullptr;
      },
      std::move(name));
}

WindowRef WindowRef::Focus() { return WindowRef([] { return GetFocus(); }, "the focus window"); }

HWND WindowRef::Resolve() const { return find_(); }

Script::Script() {
  clockWasHeld_ = ClockHeld();
  previous_ = SetIdleHook(IdleHook{OnIdle, OnMessage, this});
}

Script::~Script() {
  SetIdleHook(previous_);
  if (!clockWasHeld_) UseRealClock();
}

Script& Script::add(Step step) {
  steps_.push_back(std::move(step));
  return *this;
}

void Script::addFront(std::vector<Step> steps) {
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) steps_.push_front(std::move(*it));
}

void Script::fail(std::string text) {
  failures_.push_back(std::move(text));
  abandoned_ = true;
}

// The press and the release are two steps, so that what the press does
// (the capture, the focus) is done before the release is routed.
void Script::pressAndRelease(HWND window, POINT client, MouseButton button, WPARAM modifiers) {
  POINT screen = client;
  ClientToScreen(window, &screen);
  addFront({[=] {
              Modifiers(modifiers, true);
              InjectMouseMove(screen);
              InjectMouseButton(button, true, screen);
              return true;
            },
            [=] {
              InjectMouseButton(button, false, screen);
              Modifiers(modifiers, false);
              return true;
            }});
}

Script& Script::clickAt(WindowRef target, POINT client, MouseButton button, WPARAM modifiers) {
  return add([this, target, client, button, modifiers] {
    HWND window = target.Resolve();
    if (window == nullptr) {
      fail("click: " + target.name() + " does not exist");
      return false;
    }
    pressAndRelease(window, client, button, modifiers);
    return true;
  });
}

Script& Script::click(WindowRef target, MouseButton button, WPARAM modifiers) {
  return add([this, target, button, modifiers] {
    HWND window = target.Resolve();
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client)) {
      fail("click: " + target.name() + " does not exist");
      return false;
    }
    pressAndRelease(window, POINT{client.right / 2, client.bottom / 2}, button, modifiers);
    return true;
  });
}

Script& Script::key(UINT virtualKey, WPARAM modifiers) {
  add([virtualKey, modifiers] {
    Modifiers(modifiers, true);
    InjectKey(virtualKey, true);
    return true;
  });
  return add([virtualKey, modifiers] {
    InjectKey(virtualKey, false);
    Modifiers(modifiers, false);
    return true;
  });
}

Script& Script::type(std::u16string_view text) {
  for (char16_t ch : text) {
    UINT vk = 0;
    bool shift = false;
    if (KeyOf(ch, &vk, &shift)) {
      key(vk, shift ? MK_SHIFT : 0);
    } else {
      add([ch] {
        InjectKey(VK_PACKET, true, ch);
        return true;
      });
      add([ch] {
        InjectKey(VK_PACKET, false, ch);
        return true;
      });
    }
  }
  return *this;
}

Script& Script::wait(DWORD milliseconds) {
  return add([milliseconds] {
    AdvanceClock(milliseconds);
    return true;
  });
}

Script& Script::answerBox(std::u16string text, int button) {
  return add([this, text, button] {
    const auto open = OpenMessageBoxes();
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
      if (it->text.find(text) == std::u16string::npos) continue;
      HWND pressed = GetDlgItem(it->window, button);
      RECT client{};
      if (pressed == nullptr || !GetClientRect(pressed, &client)) {
        fail("answerBox: message box \"" + Narrow(it->text) + "\" has no button " + std::to_string(button));
        return false;
      }
      pressAndRelease(pressed, POINT{client.right / 2, client.bottom / 2}, MouseButton::kLeft, 0);
      return true;
    }
    fail("answerBox: no message box open with text \"" + Narrow(text) + "\"");
    return false;
  });
}

Script& Script::pickMenu(UINT id) {
  return add([this, id] {
    std::string error;
    if (AnswerTrackedMenu(id, &error)) return true;
    fail("pickMenu: " + error);
    return false;
  });
}

Script& Script::answerBox(HINSTANCE module, UINT stringId, int button) {
  WCHAR text[1025] = {};
  if (LoadStringW(module, stringId, text, 1025) == 0) {
    return add([this, stringId] {
      fail("answerBox: the module has no string " + std::to_string(stringId));
      return false;
    });
  }
  return answerBox(std::u16string(reinterpret_cast<const char16_t*>(text)), button);
}

Script& Script::check(std::string what, std::function<void()> step) {
  return add([this, what = std::move(what), step = std::move(step)] {
    RunCheck(what, step);
    return true;
  });
}

void Script::RunCheck(const std::string&, const std::function<void()>& step) { step(); }

Script& Script::budget(std::size_t idleCalls, std::size_t messages) {
  idleBudget_ = idleCalls;
  messageBudget_ = messages;
  return *this;
}

bool Script::run() {
  ModalLoop loop;
  loop.what = u"the script's own loop";
  loop.finished = [](void* context) {
    auto* self = static_cast<Script*>(context);
    return self->steps_.empty() || self->abandoned_;
  };
  loop.context = this;
  ownLoop_ = true;
  RunModalLoop(loop);
  ownLoop_ = false;
  return failures_.empty();
}

LoopAnswer Script::OnIdle(void* context, const LoopInfo& loop) {
  auto* self = static_cast<Script*>(context);
  if (self->abandoned_) return LoopAnswer::kAbandon;
  if (++self->idleCalls_ > self->idleBudget_) {
    self->fail("the script's budget of " + std::to_string(self->idleBudget_) + " steps ran out while " +
               NameOf(loop) + " runs");
    return LoopAnswer::kAbandon;
  }
  if (self->steps_.empty()) {
    self->fail("the script ran out while " + NameOf(loop) + " still runs");
    return LoopAnswer::kAbandon;
  }
  Step step = std::move(self->steps_.front());
  self->steps_.pop_front();
  return step() ? LoopAnswer::kGoOn : LoopAnswer::kAbandon;
}

LoopAnswer Script::OnMessage(void* context, const LoopInfo& loop, const MSG&) {
  auto* self = static_cast<Script*>(context);
  if (self->abandoned_) return LoopAnswer::kAbandon;
  if (++self->messages_ > self->messageBudget_) {
    self->fail("the script's budget of " + std::to_string(self->messageBudget_) + " messages ran out while " +
               NameOf(loop) + " runs");
    return LoopAnswer::kAbandon;
  }
  return LoopAnswer::kGoOn;
}

}  // namespace plat::window
