// Counts how often a window receives one message, from the moment the spy
// is put on its window procedure; what the window does with the message
// stays as it was.
#pragma once

#include "platform/window/winuser.h"

namespace ui_test {

template <UINT kMessage>
struct MessageSpy {
  static inline WNDPROC previous = nullptr;
  static inline int count = 0;
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMessage) ++count;
    return CallWindowProcW(previous, hwnd, message, wParam, lParam);
  }
  static void On(HWND window) {
    count = 0;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
  }
};

}  // namespace ui_test
