// Some drawing applications subclass every window created in their process,
// our dialogs' controls among them, and their procedures do not behave as
// the controls' own. While such an application's main window exists, the
// children of our windows get their class's own procedure back before the
// dialog engine subclasses them itself.
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "ui/engine/painting_helpers.h"

namespace {

constexpr LPCWSTR kSubclassingHosts[] = {u"CorelDRAW 8.0", u"CorelDRAW 9.0"};

// The longest class name there can be, so that a name is never cut and
// taken for another class's.
constexpr int kClassNameChars = 256;

bool SubclassingHostRuns() {
  for (LPCWSTR host : kSubclassingHosts) {
    if (FindWindowW(host, nullptr) != nullptr) return true;
  }
  return false;
}

void RestoreClassProcedure(HWND child) {
  WCHAR name[kClassNameChars + 1];
  if (GetClassNameW(child, name, kClassNameChars + 1) == 0) return;
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  if (!GetClassInfoExW(nullptr, name, &info) || info.lpfnWndProc == nullptr) return;
  SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(info.lpfnWndProc));
}

}  // namespace

void CheckCurrentWindowProc(UCB*, HWND window) {
  if (window == nullptr || !SubclassingHostRuns()) return;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RestoreClassProcedure(child);
  }
}
