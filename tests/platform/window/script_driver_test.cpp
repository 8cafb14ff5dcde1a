// The script driver drives a hand-made form (a push button and a small edit
// of the test's own) as a person would, answers the message box the form
// shows, and fails at once, naming the window, when it runs out while a
// modal loop still runs.
#include <gtest/gtest.h>

#include "platform/gdi/wingdi.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/modal_loop.h"
#include "platform/window/script_driver.h"
#include "tests/common/held_clock.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

constexpr int kEditId = 10;
constexpr int kSaveId = 11;

// A minimal edit for the test: takes the focus on a click and appends typed
// characters to its text (backspace removes one).
LRESULT CALLBACK TestEdit(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) {
    SetFocus(hwnd);
    return 0;
  }
  if (message == WM_CHAR) {
    WCHAR text[256] = {};
    int length = GetWindowTextW(hwnd, text, 255);
    if (wParam == u'\b') {
      if (length > 0) text[--length] = 0;
    } else if (length < 254) {
      text[length] = static_cast<WCHAR>(wParam);
      text[length + 1] = 0;
    }
    SetWindowTextW(hwnd, text);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct FormState {
  bool done = false;
  int answer = 0;
};
FormState g_form;

// The form: Save asks whether to save (Yes/No) and ends the form.
LRESULT CALLBACK Form(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kSaveId && HIWORD(wParam) == BN_CLICKED) {
    g_form.answer = MessageBoxW(hwnd, reinterpret_cast<LPCWSTR>(u"Save the settings?"),
                                reinterpret_cast<LPCWSTR>(u"Form"), MB_YESNO | MB_ICONQUESTION);
    g_form.done = true;
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ScriptDriverTest : public WindowTest {
 public:
  HWND form = nullptr;
  HWND edit = nullptr;
  HWND save = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    g_form = FormState{};
    const std::pair<const char16_t*, WNDPROC> classes[] = {{u"TestEdit", TestEdit}, {u"TestForm", Form}};
    for (auto [name, proc] : classes) {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = proc;
      wc.lpszClassName = reinterpret_cast<LPCWSTR>(name);
      ASSERT_NE(RegisterClassExW(&wc), 0);
    }
    form = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"TestForm"), reinterpret_cast<LPCWSTR>(u"Settings"),
                           WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr, nullptr, nullptr);
    edit = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"TestEdit"), nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, 10,
                           10, 150, 24, form, reinterpret_cast<HMENU>(static_cast<LONG_PTR>(kEditId)), nullptr, nullptr);
    save = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Button"), reinterpret_cast<LPCWSTR>(u"Save"),
                           WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 50, 75, 23, form,
                           reinterpret_cast<HMENU>(static_cast<LONG_PTR>(kSaveId)), nullptr, nullptr);
    ASSERT_NE(save, nullptr);
  }
  // The form's own modal loop, until Save was answered.
  plat::window::LoopEnd RunForm() {
    plat::window::ModalLoop loop;
    loop.window = form;
    loop.finished = [](void*) { return g_form.done; };
    return plat::window::RunModalLoop(loop);
  }
  std::u16string EditText() {
    WCHAR text[256] = {};
    GetWindowTextW(edit, text, 256);
    return reinterpret_cast<const char16_t*>(text);
  }
};

TEST_F(ScriptDriverTest, ClicksTypesAndAnswersTheBox) {
  UiScript script;
  script.click(WindowRef::Item(WindowRef::Top(u"Settings"), kEditId))
      .type(u"Ab1 ?x")
      .key(VK_BACK)
      .check("the edit shows what was typed", [&] {
        EXPECT_EQ(EditText(), u"Ab1 ?");
        EXPECT_EQ(GetFocus(), edit);
      })
      .click(WindowRef::Item(WindowRef::Top(u"Settings"), kSaveId))
      .answerBox(u"Save the", IDNO);
  EXPECT_EQ(RunForm(), plat::window::LoopEnd::kFinished);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(g_form.answer, IDNO);
  const auto boxes = plat::window::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, form);
  EXPECT_EQ(boxes[0].caption, u"Form");
  EXPECT_EQ(boxes[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(boxes[0].result, IDNO);
  EXPECT_TRUE(IsWindowEnabled(form));  // the owner takes input again
}

TEST_F(ScriptDriverTest, KeysAnswerTheBoxAsWindowsDoes) {
  struct KeyCase {
    UINT type;
    UINT key;
    int answer;
  };
  const KeyCase cases[] = {
      {MB_OKCANCEL, VK_ESCAPE, IDCANCEL},
      {MB_OK, VK_ESCAPE, IDOK},
      {MB_YESNO | MB_DEFBUTTON2, VK_RETURN, IDNO},
      {MB_YESNOCANCEL, VK_RETURN, IDYES},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.type);
    UiScript script;
    script.key(c.key);
    EXPECT_EQ(MessageBoxW(form, reinterpret_cast<LPCWSTR>(u"Sure?"), nullptr, c.type), c.answer);
  }
  EXPECT_EQ(plat::window::MessageBoxes().back().caption, u"Error");  // a null caption
}

TEST_F(ScriptDriverTest, RunningOutInsideABoxFailsNamingItsText) {
  plat::window::Script script;
  script.click(save);
  RunForm();  // the box returns 0 at once and the form ends
  ASSERT_EQ(script.failures().size(), 1u);
  EXPECT_EQ(script.failures()[0], "the script ran out while message box \"Save the settings?\" still runs");
  EXPECT_EQ(g_form.answer, 0);
  EXPECT_FALSE(IsWindow(plat::window::MessageBoxes()[0].window));
}

TEST_F(ScriptDriverTest, RunningOutInsideAModalLoopFailsNamingItsWindow) {
  plat::window::Script script;
  script.type(u"x");
  EXPECT_EQ(RunForm(), plat::window::LoopEnd::kAbandoned);
  ASSERT_EQ(script.failures().size(), 1u);
  EXPECT_EQ(script.failures()[0], "the script ran out while window \"Settings\" (class TestForm) still runs");
}

TEST_F(ScriptDriverTest, BudgetStopsALoopThatNeverGoesIdle) {
  // A window that keeps posting to itself never lets the loop go idle.
  SetWindowLongPtrW(edit, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
                      if (message == WM_USER) PostMessageW(hwnd, WM_USER, 0, 0);
                      return DefWindowProcW(hwnd, message, wParam, lParam);
                    }));
  PostMessageW(edit, WM_USER, 0, 0);
  plat::window::Script script;
  script.budget(100, 500).wait(10);
  EXPECT_EQ(RunForm(), plat::window::LoopEnd::kAbandoned);
  ASSERT_EQ(script.failures().size(), 1u);
  EXPECT_EQ(script.failures()[0], "the script's budget of 500 messages ran out while window \"Settings\" (class TestForm) runs");
}

TEST_F(ScriptDriverTest, WaitMovesTheClockSoTimersFire) {
  HeldClock clock(2026, 3, 1, 8, 0, 0);
  SetTimer(edit, 2, 100, nullptr);
  Recorder::Get().Clear();
  int fired = 0;
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&fired));
  SetWindowLongPtrW(edit, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
                      if (message == WM_TIMER) ++*reinterpret_cast<int*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
                      return DefWindowProcW(hwnd, message, wParam, lParam);
                    }));
  UiScript script;
  script.wait(99).check("not yet due", [&] { EXPECT_EQ(fired, 0); }).wait(1).check("due once", [&] {
    EXPECT_EQ(fired, 1);
  });
  EXPECT_TRUE(script.run());
}

// A box shows the icon of its style beside its text, and a text longer than
// one line is broken between words inside the box instead of running past
// its edge.
TEST_F(ScriptDriverTest, ABoxShowsItsIconAndBreaksALongText) {
  const std::u16string text =
      u"This setting needs 2-sided printing, which will be switched on. Check the 2-sided setting before you print.";
  struct IconCase {
    UINT style;
    COLORREF middle;  // the colour at the middle of the icon, beside its mark
  };
  const IconCase cases[] = {{MB_ICONWARNING, RGB(240, 200, 0)}, {MB_ICONSTOP, RGB(200, 0, 0)},
                            {MB_ICONINFORMATION, RGB(0, 64, 192)}};
  for (const IconCase& c : cases) {
    SCOPED_TRACE(c.style);
    UiScript script;
    script.check("the box's icon and text", [&] {
      const auto open = plat::window::OpenMessageBoxes();
      ASSERT_EQ(open.size(), 1u);
      HWND box = open[0].window;
      RECT client{};
      GetClientRect(box, &client);
      HWND label = GetDlgItem(box, plat::window::kMessageBoxTextId);
      ASSERT_NE(label, nullptr);
      RECT words{};
      GetWindowRect(label, &words);
      MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&words), 2);
      EXPECT_GE(words.bottom - words.top, 2 * 13) << "two lines at least";
      EXPECT_LE(words.right, client.right);
      // The icon lies left of the text and shows the style's colour.
      HWND icon = nullptr;
      for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
        if (child != label && r.right <= words.left && r.bottom > r.top) icon = child;
      }
      ASSERT_NE(icon, nullptr);
      UpdateWindow(box);
      RECT square{};
      GetClientRect(icon, &square);
      HDC dc = GetDC(icon);
      EXPECT_EQ(GetPixel(dc, square.right / 4 + 2, square.bottom * 3 / 4 - 2), c.middle);
      ReleaseDC(icon, dc);
    });
    script.answerBox(text, IDOK);
    EXPECT_EQ(MessageBoxW(form, reinterpret_cast<LPCWSTR>(text.c_str()), nullptr, MB_OK | c.style), IDOK);
  }
}

TEST_F(ScriptDriverTest, ABoxNobodyAnswersIsRecordedAgainstTheTest) {
  EXPECT_EQ(MessageBoxW(form, reinterpret_cast<LPCWSTR>(u"Nobody reads this"), nullptr, MB_OK), 0);
  const auto abandoned = plat::window::TakeAbandonedLoops();
  ASSERT_EQ(abandoned.size(), 1u);
  EXPECT_NE(abandoned[0].find("message box \"Nobody reads this\""), std::string::npos);
}

}  // namespace
}  // namespace kesm_test
