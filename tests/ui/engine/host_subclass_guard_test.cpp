// A drawing application that subclasses the controls of our pages: while
// its main window exists, the page's controls get their class's own
// procedure back, and the application's procedure no longer sees a
// person's clicks; without it nothing changes.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/common/ui_script.h"
#include "tests/ui/page_host.h"
#include "ui/engine/painting_helpers.h"

namespace ui_test {
namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
LRESULT CALLBACK OtherProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The application's subclassing: it sees every message, then passes it on.
std::map<HWND, WNDPROC> hostSaved;
int hostClicks = 0;
LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) ++hostClicks;
  return CallWindowProcW(hostSaved[hwnd], hwnd, message, wParam, lParam);
}

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

WNDPROC ClassProc(LPCWSTR className) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  return GetClassInfoExW(nullptr, className, &info) ? info.lpfnWndProc : nullptr;
}

class HostSubclassGuard : public PageMachine {
 protected:
  void TearDown() override {
    for (HWND w : windows_) DestroyWindow(w);
    for (const std::u16string& name : classes_) UnregisterClassW(name.c_str(), nullptr);
    hostSaved.clear();
    hostClicks = 0;
    PageMachine::TearDown();
  }
  void Register(const std::u16string& name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name.c_str();
    ASSERT_NE(RegisterClassExW(&wc), 0) << std::string(name.begin(), name.end());
    classes_.push_back(name);
  }
  // The application's main window, of its class.
  void StartHost(const std::u16string& className) {
    Register(className, PlainProc);
    const HWND main = CreateWindowExW(0, className.c_str(), u"Drawing", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                      nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(main, nullptr);
    windows_.push_back(main);
  }
  static void Subclass(HWND control) {
    hostSaved[control] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProc)));
  }

  std::vector<std::u16string> classes_;
  std::vector<HWND> windows_;
};

TEST_F(HostSubclassGuard, WithoutTheApplicationTheControlsKeepTheirProcedures) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  const HWND button = host_.control(2037);
  Subclass(button);
  CheckCurrentWindowProc(ucb_, host_.page());
  EXPECT_EQ(ProcOf(button), &HostProc);
  kesm_test::UiScript script;
  script.click(button);
  EXPECT_TRUE(script.run());
  EXPECT_EQ(hostClicks, 1);
}

TEST_F(HostSubclassGuard, WhileTheApplicationRunsTheControlsGetTheirClassProcedureBack) {
  for (const std::u16string host : {u"CorelDRAW 8.0", u"CorelDRAW 9.0"}) {
    SCOPED_TRACE(std::string(host.begin(), host.end()));
    ASSERT_TRUE(host_.Open(ucb_, 1002));
    ASSERT_NO_FATAL_FAILURE(StartHost(host));
    const HWND button = host_.control(2037);
    int children = 0;
    for (HWND c = GetWindow(host_.page(), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT), ++children) {
      Subclass(c);
    }
    ASSERT_GT(children, 1);
    CheckCurrentWindowProc(ucb_, host_.page());
    for (HWND c = GetWindow(host_.page(), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      WCHAR className[64];
      GetClassNameW(c, className, 64);
      EXPECT_EQ(ProcOf(c), ClassProc(className)) << GetDlgCtrlID(c);
    }
    kesm_test::UiScript script;
    script.click(button);
    EXPECT_TRUE(script.run());
    EXPECT_EQ(hostClicks, 0) << "the application's procedure saw the click";
    DestroyWindow(windows_.back());
    windows_.pop_back();
    hostSaved.clear();
  }
}

TEST_F(HostSubclassGuard, AClassWithALongNameIsNotTakenForAnother) {
  // Two classes whose names agree in their first 47 characters.
  const std::u16string shorter(47, u'K');
  const std::u16string longer = shorter + u"-with-more-after";
  ASSERT_NO_FATAL_FAILURE(Register(shorter, OtherProc));
  ASSERT_NO_FATAL_FAILURE(Register(longer, PlainProc));
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  ASSERT_NO_FATAL_FAILURE(StartHost(u"CorelDRAW 8.0"));
  const HWND child = CreateWindowExW(0, longer.c_str(), u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host_.page(),
                                     nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  Subclass(child);
  CheckCurrentWindowProc(ucb_, host_.page());
  EXPECT_EQ(ProcOf(child), &PlainProc);
}

}  // namespace
}  // namespace ui_test
