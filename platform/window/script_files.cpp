// The script driver's steps on the file dialogs: the name typed into the
// dialog's name edit, or names clicked in its file list, then OK clicked,
// all through the real routing.
#include "platform/text/utf.h"
#include "platform/window/commdlg/commdlg.h"
#include "platform/window/script_driver.h"
#include "platform/window/winuser_controls.h"

namespace plat::window {
namespace {

HWND OpenFileDialog() {
  HWND active = GetActiveWindow();
  return active != nullptr && GetDlgItem(active, kFileNameEditId) != nullptr &&
                 GetDlgItem(active, kFileListId) != nullptr
             ? active
             : nullptr;
}

}  // namespace

WindowRef WindowRef::Found(std::string name, std::function<HWND()> find) {
  return WindowRef(std::move(find), std::move(name));
}

Script& Script::chooseFile(std::u16string pathOrName) {
  const WindowRef dialog = WindowRef::Found("the open file dialog", OpenFileDialog);
  text(WindowRef::Item(dialog, kFileNameEditId), std::move(pathOrName));
  return click(WindowRef::Item(dialog, IDOK));
}

Script& Script::chooseFile(std::vector<std::u16string> names) {
  const WindowRef dialog = WindowRef::Found("the open file dialog", OpenFileDialog);
  const WindowRef list = WindowRef::Item(dialog, kFileListId);
  for (std::u16string& name : names) {
    add([this, list, name = std::move(name)] {
      HWND window = list.Resolve();
      const LRESULT index = window != nullptr ? SendMessageW(window, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                             reinterpret_cast<LPARAM>(name.c_str()))
                                              : LB_ERR;
      RECT item{};
      RECT client{};
      if (index == LB_ERR || SendMessageW(window, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        fail("chooseFile: " + list.name() + " does not list \"" + utf::ToUtf8(name) + "\"");
        return false;
      }
      GetClientRect(window, &client);
      if (item.top < 0 || item.bottom > client.bottom) {
        fail("chooseFile: \"" + utf::ToUtf8(name) + "\" is not shown in " + list.name());
        return false;
      }
      pressAndRelease(window, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}, MouseButton::kLeft,
                      0);
      return true;
    });
  }
  return click(WindowRef::Item(dialog, IDOK));
}

}  // namespace plat::window
