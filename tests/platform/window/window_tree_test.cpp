// The window tree and geometry: z-order and SetWindowPos's insert-after,
// rectangles and client coordinates, showing without activation, enabling
// and disabling, and finding windows.
#include <gtest/gtest.h>

#include "platform/base/winerror.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

class WindowTreeTest : public WindowTest {};

TEST_F(WindowTreeTest, ChildrenStackInCreationOrderAndMoveByInsertAfter) {
  HWND top = Make("top", nullptr, RECT{0, 0, 300, 300});
  HWND a = Make("a", top, RECT{0, 0, 10, 10}, WS_VISIBLE, 1);
  HWND b = Make("b", top, RECT{0, 0, 10, 10}, WS_VISIBLE, 2);
  HWND c = Make("c", top, RECT{0, 0, 10, 10}, WS_VISIBLE, 3);
  // A new child goes to the bottom: a is on top.
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDLAST), c);
  struct Move {
    HWND window;
    HWND after;
    std::vector<HWND> order;
  };
  const Move moves[] = {
      {c, HWND_TOP, {c, a, b}},
      {c, HWND_BOTTOM, {a, b, c}},
      {a, b, {b, a, c}},
  };
  for (const Move& m : moves) {
    ASSERT_TRUE(SetWindowPos(m.window, m.after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    std::vector<HWND> order;
    for (HWND h = GetWindow(top, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) order.push_back(h);
    EXPECT_EQ(order, m.order);
  }
  EXPECT_EQ(GetParent(a), top);
  EXPECT_TRUE(IsChild(top, a));
  EXPECT_EQ(GetAncestor(a, GA_ROOT), top);
  EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
}

TEST_F(WindowTreeTest, RectanglesAndClientCoordinates) {
  HWND top = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(kRecordingClass), nullptr,
                             WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 50, 200, 150, nullptr, nullptr, nullptr, nullptr);
  HWND child = Make("child", top, RECT{10, 20, 60, 40});
  RECT r{};
  ASSERT_TRUE(GetClientRect(top, &r));
  // A caption (19) and a fixed frame (3) around the client area.
  EXPECT_EQ(r.right, 200 - 2 * 3);
  EXPECT_EQ(r.bottom, 150 - 2 * 3 - 19);
  ASSERT_TRUE(GetWindowRect(child, &r));
  EXPECT_EQ(r.left, 100 + 3 + 10);
  EXPECT_EQ(r.top, 50 + 3 + 19 + 20);
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, r.left);
  ScreenToClient(top, &p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(WindowFromPoint(POINT{r.left + 1, r.top + 1}), child);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{11, 21}), child);
  Recorder::Get().Clear();
  ASSERT_TRUE(MoveWindow(child, 5, 5, 30, 30, TRUE));
  EXPECT_EQ(Recorder::Get().Among({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
            (std::vector<std::string>{"child:POSCHANGING", "child:POSCHANGED", "child:MOVE", "child:SIZE"}));
}

TEST_F(WindowTreeTest, ShowWithoutActivationLeavesTheActiveWindow) {
  HWND main = Make("main", nullptr, RECT{0, 0, 100, 100}, 0);
  ShowWindow(main, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), main);
  HWND popup = Make("popup", nullptr, RECT{0, 0, 10, 10}, 0);
  Recorder::Get().Clear();
  EXPECT_FALSE(ShowWindow(popup, SW_SHOWNOACTIVATE));  // was hidden
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(Recorder::Get().Among({WM_ACTIVATE, WM_SHOWWINDOW}), std::vector<std::string>{"popup:SHOWWINDOW"});
  EXPECT_TRUE(ShowWindow(popup, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(popup));
}

TEST_F(WindowTreeTest, DisablingCancelsModesAndTakesTheFocus) {
  HWND top = Make("top", nullptr, RECT{0, 0, 100, 100});
  HWND a = Make("a", top, RECT{0, 0, 10, 10}, WS_VISIBLE, 1);
  SetFocus(a);
  Recorder::Get().Clear();
  EXPECT_FALSE(EnableWindow(a, FALSE));  // it was enabled
  EXPECT_EQ(Recorder::Get().Among({WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}),
            (std::vector<std::string>{"a:CANCELMODE", "a:KILLFOCUS", "a:ENABLE"}));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(a));
  Recorder::Get().Clear();
  EXPECT_TRUE(EnableWindow(a, FALSE));  // no change, no messages
  EXPECT_TRUE(Recorder::Get().Among({WM_CANCELMODE, WM_ENABLE}).empty());
  EXPECT_TRUE(EnableWindow(a, TRUE));
  EXPECT_TRUE(IsWindowEnabled(a));
}

TEST_F(WindowTreeTest, FindsTopLevelWindowsByClassAndText) {
  HWND top = Make("top", nullptr, RECT{0, 0, 10, 10});
  SetWindowTextW(top, reinterpret_cast<LPCWSTR>(u"Printing Preferences"));
  EXPECT_EQ(FindWindowW(reinterpret_cast<LPCWSTR>(kRecordingClass), reinterpret_cast<LPCWSTR>(u"printing preferences")),
            top);
  EXPECT_EQ(FindWindowW(nullptr, reinterpret_cast<LPCWSTR>(u"Printing Preferences")), top);
  EXPECT_EQ(FindWindowW(reinterpret_cast<LPCWSTR>(u"Button"), nullptr), nullptr);
  WCHAR text[8] = {};
  EXPECT_EQ(GetWindowTextW(top, text, 8), 7);  // cut to the buffer
  EXPECT_EQ(GetWindowTextLengthW(top), 20);
}

TEST_F(WindowTreeTest, ClassesAreRegisteredOncePerInstance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = reinterpret_cast<LPCWSTR>(kRecordingClass);
  SetLastError(0);
  EXPECT_EQ(RegisterClassExW(&wc), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  wc.cbSize = 0;
  EXPECT_EQ(RegisterClassExW(&wc), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  HWND w = Make("w", nullptr, RECT{0, 0, 10, 10});
  EXPECT_FALSE(UnregisterClassW(reinterpret_cast<LPCWSTR>(kRecordingClass), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClassW(reinterpret_cast<LPCWSTR>(kRecordingClass), nullptr));
  EXPECT_EQ(CreateWindowExW(0, reinterpret_cast<LPCWSTR>(kRecordingClass), nullptr, WS_POPUP, 0, 0, 1, 1, nullptr,
                            nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
  EXPECT_EQ(CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Static"), nullptr, WS_CHILD, 0, 0, 1, 1, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);
}

}  // namespace
}  // namespace kesm_test
