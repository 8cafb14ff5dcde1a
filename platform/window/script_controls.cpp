// The script driver's steps on the standard controls. Each finds its
// control when it runs and works it with the mouse and keyboard through the
// real routing, as a person would; nothing is set behind the controls'
// backs.
#include "platform/window/controls/controls.h"
#include "platform/window/input_control.h"
#include "platform/window/script_driver.h"
#include "platform/window/winuser_controls.h"

namespace plat::window {
namespace {

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

Script& Script::pick(WindowRef combo, int index) {
  return add([this, combo, index] {
    HWND window = combo.Resolve();
    const LRESULT count = window != nullptr ? SendMessageW(window, CB_GETCOUNT, 0, 0) : CB_ERR;
    if (count == CB_ERR || index < 0 || index >= count) {
      fail("pick: " + combo.name() + " has no item " + std::to_string(index));
      return false;
    }
    RECT client{};
    GetClientRect(window, &client);
    // The simple kind shows its list beneath its field; the others drop it
    // from the button at the field's right.
    const bool simple = (GetWindowLongW(window, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_SIMPLE;
    const int fieldHeight =
        static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) + kComboFieldExtra;
    // Items may each have their own height.
    int top = simple ? fieldHeight : client.bottom;
    for (int i = 0; i < index; ++i) top += static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, i, 0));
    const auto height = static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, index, 0));
    const POINT item{client.right / 2, top + height / 2};
    // Pushed to the front in reverse: the drop first, then the item.
    pressAndRelease(window, item, MouseButton::kLeft, 0);
    if (!simple) pressAndRelease(window, POINT{client.right - 4, client.bottom / 2}, MouseButton::kLeft, 0);
    return true;
  });
}

Script& Script::select(WindowRef list, int index) {
  return add([this, list, index] {
    HWND window = list.Resolve();
    RECT item{};
    RECT client{};
    if (window == nullptr || SendMessageW(window, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
      fail("select: " + list.name() + " has no item " + std::to_string(index));
      return false;
    }
    GetClientRect(window, &client);
    if (item.top < 0 || item.bottom > client.bottom || item.left < 0 || item.right > client.right) {
      fail("select: item " + std::to_string(index) + " of " + list.name() + " is not shown");
      return false;
    }
    pressAndRelease(window, Centre(item), MouseButton::kLeft, 0);
    return true;
  });
}

Script& Script::scroll(WindowRef bar, WORD code) {
  return add([this, bar, code] {
    HWND window = bar.Resolve();
    POINT at{};
    if (window == nullptr || !ScrollBarPointFor(window, code, &at)) {
      fail("scroll: " + bar.name() + " cannot be clicked for code " + std::to_string(code));
      return false;
    }
    pressAndRelease(window, at, MouseButton::kLeft, 0);
    return true;
  });
}

Script& Script::dragThumb(WindowRef bar, int position) {
  return add([this, bar, position] {
    HWND window = bar.Resolve();
    POINT grab{}, drop{};
    if (window == nullptr || !ScrollBarThumbPoints(window, position, &grab, &drop)) {
      fail("dragThumb: the thumb of " + bar.name() + " cannot be dragged to " + std::to_string(position));
      return false;
    }
    ClientToScreen(window, &grab);
    ClientToScreen(window, &drop);
    addFront({[=] {
                InjectMouseMove(grab);
                InjectMouseButton(MouseButton::kLeft, true, grab);
                return true;
              },
              [=] {
                InjectMouseMove(drop);
                return true;
              },
              [=] {
                InjectMouseButton(MouseButton::kLeft, false, drop);
                return true;
              }});
    return true;
  });
}

Script& Script::check(WindowRef control) {
  return add([this, control] {
    HWND window = control.Resolve();
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client)) {
      fail("check: " + control.name() + " does not exist");
      return false;
    }
    if (SendMessageW(window, BM_GETCHECK, 0, 0) != BST_CHECKED) {
      pressAndRelease(window, Centre(client), MouseButton::kLeft, 0);
    }
    return true;
  });
}

Script& Script::text(WindowRef edit, std::u16string value) {
  click(edit);
  key(VK_HOME);
  key(VK_END, MK_SHIFT);
  if (value.empty()) return key(VK_DELETE);
  return type(value);
}

}  // namespace plat::window
