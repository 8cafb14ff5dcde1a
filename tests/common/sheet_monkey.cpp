#include "tests/common/sheet_monkey.h"

#include <array>
#include <string>
#include <vector>

#include "platform/window/messagebox_control.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"

namespace kesm_test {
namespace {

using plat::window::Script;

constexpr std::array<int, 7> kBoxButtons{IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
constexpr std::array<const char16_t*, 6> kTexts{u"1", u"0", u"999999", u"-5", u"Abc", u""};

std::u16string ClassOf(HWND window) {
  WCHAR name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The visible enabled controls a person could click in the window.
std::vector<HWND> Targets(HWND window) {
  std::vector<HWND> all, targets;
  EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND control : all) {
    const std::u16string name = ClassOf(control);
    RECT client{};
    GetClientRect(control, &client);
    if (name == u"Static" || client.right <= 0 || client.bottom <= 0) continue;
    if (name == u"#32770") continue;  // a page: its controls are taken
    targets.push_back(control);
  }
  return targets;
}

void AnswerBox(Script& script, Choices& choices, const plat::window::MessageBoxRecord& box, MonkeyCount& count,
               bool windDown) {
  std::vector<int> buttons;
  for (int id : kBoxButtons) {
    if (GetDlgItem(box.window, id) != nullptr) buttons.push_back(id);
  }
  if (buttons.empty()) buttons.push_back(IDOK);
  // Winding down, the box is left by its first button (OK, Cancel or Yes).
  script.answerBox(box.text, windDown ? buttons.front() : buttons[choices.Below(buttons.size())]);
  ++count.answers;
}

// One action on a control of the active window.
void WorkControl(Script& script, Choices& choices, HWND control) {
  const std::u16string name = ClassOf(control);
  if (name == u"ComboBox") {
    const auto items = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
    if (items > 0) {
      script.pick(control, static_cast<int>(choices.Below(static_cast<std::uint32_t>(items))));
      return;
    }
  } else if (name == u"Edit") {
    script.text(control, kTexts[choices.Below(kTexts.size())]);
    return;
  }
  script.click(control);
}

void Act(Script& script, Choices& choices, HWND active, MonkeyCount& count) {
  HWND tabs = GetDlgItem(active, IDC_SHEETTABS);
  const std::uint32_t what = choices.Below(100);
  if (tabs != nullptr && what < 15) {
    const auto pages = static_cast<std::uint32_t>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (pages > 0) {
      script.tab(active, static_cast<int>(choices.Below(pages)));
      return;
    }
  }
  if (what >= 98) {
    const int button = what == 98 ? IDOK : IDCANCEL;
    HWND control = GetDlgItem(active, button);
    if (control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control)) {
      script.click(control);
      ++count.ends;
      return;
    }
  }
  HWND area = active;
  if (tabs != nullptr) {
    auto page = reinterpret_cast<HWND>(SendMessageW(active, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (page != nullptr) area = page;
  }
  const std::vector<HWND> targets = Targets(area);
  if (targets.empty()) {
    script.wait(10);
    return;
  }
  WorkControl(script, choices, targets[choices.Below(static_cast<std::uint32_t>(targets.size()))]);
}

// Leaves whatever is open: the innermost box answered, any other window
// cancelled (by its Cancel button, else Escape).
void WindDown(Script& script, Choices& choices, MonkeyCount& count) {
  const auto boxes = plat::window::OpenMessageBoxes();
  if (!boxes.empty()) {
    AnswerBox(script, choices, boxes.back(), count, true);
    return;
  }
  HWND active = GetActiveWindow();
  HWND cancel = active != nullptr ? GetDlgItem(active, IDCANCEL) : nullptr;
  if (cancel != nullptr && IsWindowVisible(cancel) && IsWindowEnabled(cancel)) {
    script.click(cancel);
  } else {
    script.key(VK_ESCAPE);
  }
}

void Step(Script& script, Choices& choices, std::size_t left, MonkeyCount& count) {
  if (left == 0) {
    WindDown(script, choices, count);
  } else {
    ++count.steps;
    const auto boxes = plat::window::OpenMessageBoxes();
    HWND active = GetActiveWindow();
    if (!boxes.empty()) {
      AnswerBox(script, choices, boxes.back(), count, false);
    } else if (active != nullptr) {
      Act(script, choices, active, count);
    } else {
      script.wait(10);
    }
  }
  const std::size_t next = left == 0 ? 0 : left - 1;
  script.decide([&choices, next, &count](Script& s) { Step(s, choices, next, count); });
}

}  // namespace

std::uint32_t SeededChoices::Below(std::uint32_t n) {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<std::uint32_t>((z ^ (z >> 31)) % n);
}

std::uint32_t ByteChoices::Below(std::uint32_t n) {
  std::uint32_t value = 0;
  for (int i = 0; i < 2; ++i, ++at_) value = value << 8 | (at_ < bytes_.size() ? bytes_[at_] : 0);
  return value % n;
}

void AddMonkey(Script& script, Choices& choices, std::size_t steps, MonkeyCount& count) {
  script.decide([&choices, steps, &count](Script& s) { Step(s, choices, steps, count); });
}

}  // namespace kesm_test
