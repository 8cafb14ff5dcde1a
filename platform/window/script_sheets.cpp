// The script driver's steps on property sheets and tab controls: a click on
// a tab, and a click on one of a sheet's buttons, each through the real
// routing. A sheet's tabs are its tab control's.
#include "platform/window/propsheet/prsht.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/script_driver.h"
#include "platform/window/winuser_styles.h"

namespace plat::window {
namespace {

HWND TabsOf(HWND window) {
  WCHAR name[32] = {};
  GetClassNameW(window, name, 32);
  if (std::u16string_view(reinterpret_cast<const char16_t*>(name)) == WC_TABCONTROLW) return window;
  return GetDlgItem(window, IDC_SHEETTABS);
}

}  // namespace

WindowRef WindowRef::Page(WindowRef sheet) {
  return WindowRef(
      [sheet] {
        HWND window = sheet.Resolve();
        return window != nullptr ? reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0))
                                 : nullptr;
      },
      "the page of " + sheet.name());
}

Script& Script::tab(WindowRef sheet, int index) {
  return add([this, sheet, index] {
    HWND window = sheet.Resolve();
    HWND tabs = window != nullptr ? TabsOf(window) : nullptr;
    RECT item{};
    if (tabs == nullptr || !SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(&item))) {
      fail("tab: " + sheet.name() + " has no tab " + std::to_string(index));
      return false;
    }
    pressAndRelease(tabs, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}, MouseButton::kLeft,
                    0);
    return true;
  });
}

Script& Script::press(WindowRef sheet, int button) {
  return add([this, sheet, button] {
    HWND window = sheet.Resolve();
    HWND control = window != nullptr ? GetDlgItem(window, button) : nullptr;
    RECT client{};
    if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control) ||
        !GetClientRect(control, &client)) {
      fail("press: " + sheet.name() + " has no enabled button " + std::to_string(button));
      return false;
    }
    pressAndRelease(control, POINT{client.right / 2, client.bottom / 2}, MouseButton::kLeft, 0);
    return true;
  });
}

}  // namespace plat::window
