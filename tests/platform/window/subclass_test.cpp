// Window longs and subclass chains: each procedure put in front with
// SetWindowLongPtrW(GWLP_WNDPROC) sees the message first and hands it on
// with CallWindowProcW; taking one out restores the chain behind it.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/winerror.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

std::string g_trail;
WNDPROC g_behindA = nullptr;
WNDPROC g_behindB = nullptr;

LRESULT CALLBACK ProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) g_trail += "A,";
  return CallWindowProcW(g_behindA, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ProcB(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) g_trail += "B,";
  return CallWindowProcW(g_behindB, hwnd, message, wParam, lParam);
}

// Destroys its own window, then hands the message on as if nothing happened.
LRESULT CALLBACK SelfDestroying(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) DestroyWindow(hwnd);
  return CallWindowProcW(g_behindA, hwnd, message, wParam, lParam);
}

class SubclassTest : public WindowTest {};

TEST_F(SubclassTest, ChainRunsFrontToBackAndUnwinds) {
  HWND w = Make("w", nullptr, RECT{0, 0, 50, 50});
  g_trail.clear();
  g_behindA = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcA)));
  EXPECT_EQ(g_behindA, RecordingProc);
  g_behindB = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcB)));
  EXPECT_EQ(g_behindB, ProcA);
  Recorder::Get().Clear();
  SendMessageW(w, WM_USER, 0, 0);
  EXPECT_EQ(g_trail, "B,A,");
  EXPECT_EQ(Recorder::Get().Among({WM_USER}), std::vector<std::string>{"w:USER"});  // the class procedure last
  SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_behindB));
  g_trail.clear();
  SendMessageW(w, WM_USER, 0, 0);
  EXPECT_EQ(g_trail, "A,");
}

TEST_F(SubclassTest, ClassProcedureOfASystemClassRestoresAControl) {
  HWND parent = Make("p", nullptr, RECT{0, 0, 200, 200});
  HWND button = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Button"), reinterpret_cast<LPCWSTR>(u"OK"),
                                WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  const auto original = GetWindowLongPtrW(button, GWLP_WNDPROC);
  g_behindA = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcA)));
  WCHAR name[48] = {};
  ASSERT_EQ(GetClassNameW(button, name, 48), 6);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExW(nullptr, name, &wc));
  SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wc.lpfnWndProc));
  EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), original);
}

TEST_F(SubclassTest, ProcedureThatDestroysItsWindowLeavesHandlesInvalid) {
  HWND parent = Make("p", nullptr, RECT{0, 0, 200, 200});
  HWND w = Make("w", parent, RECT{0, 0, 50, 50});
  g_behindA = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SelfDestroying)));
  Recorder::Get().Clear();
  SendMessageW(w, WM_USER, 0, 0);  // the chain goes on into a window that is gone
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(Recorder::Get().Among({WM_DESTROY, WM_NCDESTROY, WM_USER}),
            (std::vector<std::string>{"w:DESTROY", "w:NCDESTROY", "w:USER"}));
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_USERDATA), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
}

struct LongCase {
  const char* name;
  int index;
  LONG_PTR value;
  DWORD error;  // 0: the value is kept and read back
};

TEST_F(SubclassTest, WindowLongsKeepTheirValuesOrRefuseTheIndex) {
  HWND parent = Make("p", nullptr, RECT{0, 0, 200, 200});
  HWND w = Make("w", parent, RECT{0, 0, 50, 50}, WS_VISIBLE, 7);
  const LongCase cases[] = {
      {"user data", GWLP_USERDATA, 0x1234567890, 0},
      {"id", GWLP_ID, 42, 0},
      {"the class has no extra bytes", 0, 1, ERROR_INVALID_INDEX},
      {"an index no window has", -100, 1, ERROR_INVALID_INDEX},
  };
  EXPECT_EQ(GetDlgCtrlID(w), 7);
  for (const LongCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(0);
    SetWindowLongPtrW(w, c.index, c.value);
    EXPECT_EQ(GetLastError(), c.error);
    if (c.error == 0) {
      EXPECT_EQ(GetWindowLongPtrW(w, c.index), c.value);
    }
  }
  EXPECT_EQ(GetDlgItem(parent, 42), w);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongW(w, GWLP_WNDPROC), 0);  // no place for a pointer in 32 bits
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
}

TEST_F(SubclassTest, StyleChangesAreAnnouncedBeforeAndAfter) {
  HWND w = Make("w", nullptr, RECT{0, 0, 50, 50});
  Recorder::Get().Clear();
  const LONG old = GetWindowLongW(w, GWL_STYLE);
  EXPECT_EQ(SetWindowLongW(w, GWL_STYLE, old | static_cast<LONG>(WS_BORDER)), old);
  EXPECT_EQ(Recorder::Get().Among({WM_STYLECHANGING, WM_STYLECHANGED}),
            (std::vector<std::string>{"w:STYLECHANGING", "w:STYLECHANGED"}));
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE), old | static_cast<LONG>(WS_BORDER));
}

TEST_F(SubclassTest, DialogClassHasRoomForTheDialogSlots) {
  HWND dlg = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"#32770"), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(dlg, nullptr);
  SetWindowLongPtrW(dlg, DWLP_USER, 77);
  SetWindowLongPtrW(dlg, DWLP_MSGRESULT, 2);
  EXPECT_EQ(GetWindowLongPtrW(dlg, DWLP_USER), 77);
  EXPECT_EQ(GetWindowLongPtrW(dlg, DWLP_MSGRESULT), 2);
  DestroyWindow(dlg);
}

}  // namespace
}  // namespace kesm_test
