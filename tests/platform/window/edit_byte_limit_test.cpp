// Byte limits in the ANSI code page are the business of a filter in front
// of the edit, as the driver's own item procedure keeps them: the edit
// counts characters for EM_LIMITTEXT (as a Unicode edit does), shows a
// subclass each typed character (WM_CHAR) and each paste (WM_PASTE, also
// from Ctrl+V) before it changes, and gives the selection (EM_GETSEL) so
// that a filter can count the bytes the text would take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/codepage.h"
#include "platform/window/winuser_clipboard.h"
#include "platform/window/winuser_controls.h"
#include "platform/runtime/winmem.h"
#include "tests/common/clipboard_text.h"
#include "tests/common/ui_script.h"
#include "tests/platform/scoped_acp.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

constexpr int kByteSize = 6;  // a setting of 6 bytes: 5 bytes of text and its end
WNDPROC g_base = nullptr;

std::u16string TextOf(HWND edit) {
  std::vector<WCHAR> buffer(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1);
  const int got = GetWindowTextW(edit, buffer.data(), static_cast<int>(buffer.size()));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), static_cast<std::size_t>(got));
}

int AnsiBytes(const std::u16string& text) {
  return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()),
                             nullptr, 0, nullptr, nullptr);
}

// The text without its selection.
std::u16string Unselected(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::u16string text = TextOf(edit);
  return text.erase(start, end - start);
}

// A filter of the driver's kind: a character that would make the text
// longer than the setting's size - 1 bytes in the system code page is
// refused; a paste is refused when nothing is selected and the text is full.
LRESULT CALLBACK ByteFilter(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && wParam >= u' ' &&
      AnsiBytes(Unselected(hwnd) + static_cast<char16_t>(wParam)) > kByteSize - 1) {
    return 0;
  }
  if (message == WM_PASTE) {
    DWORD start = 0, end = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end && AnsiBytes(TextOf(hwnd)) >= kByteSize - 1) return 0;
  }
  return CallWindowProcW(g_base, hwnd, message, wParam, lParam);
}

void PutClipboard(const std::u16string& text) { kesm_test::PutClipboardText(text); }

class EditByteLimitTest : public WindowTest {
 public:
  HWND edit = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    HWND top = Make("top", nullptr, RECT{0, 0, 300, 200});
    edit = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Edit"), nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, top,
                           reinterpret_cast<HMENU>(static_cast<LONG_PTR>(5)), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
  }
  void Type(std::u16string_view text, WPARAM modifiers = 0, UINT key = 0) {
    UiScript script;
    if (key != 0) {
      script.key(key, modifiers);
    } else {
      script.type(text);
    }
    ASSERT_TRUE(script.run());
    Drain();
  }
};

TEST_F(EditByteLimitTest, TheEditCountsCharactersForItsLimit) {
  ScopedAnsiCodePage japanese(932);
  SendMessageW(edit, EM_LIMITTEXT, 3, 0);
  Type(u"\u65E5\u672C\u8A9E\u6587");  // four characters of two bytes each
  EXPECT_EQ(TextOf(edit), u"\u65E5\u672C\u8A9E");
}

TEST_F(EditByteLimitTest, AFilterCountsBytesInTheSystemCodePage) {
  struct Case {
    UINT codePage;
    std::u16string typed;
    std::u16string kept;
  };
  const Case cases[] = {
      {932, u"ab\u65E5\u672Ccd", u"ab\u65E5c"},  // the second wide character would need 6 bytes
      {932, u"\uFF71\uFF72\uFF73\uFF74\uFF75\uFF76", u"\uFF71\uFF72\uFF73\uFF74\uFF75"},  // half-width kana: one byte
      {1252, u"ab\u00E9\u00E8cd", u"ab\u00E9\u00E8c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    ScopedAnsiCodePage page(c.codePage);
    SetWindowTextW(edit, nullptr);
    g_base = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ByteFilter)));
    Type(c.typed);
    EXPECT_EQ(TextOf(edit), c.kept);
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_base));
  }
}

TEST_F(EditByteLimitTest, AFilterSeesPastesFromTheKeyboard) {
  ScopedAnsiCodePage japanese(932);
  g_base = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ByteFilter)));
  PutClipboard(u"\u65E5\u672C");
  Type(u"", MK_CONTROL, 'V');
  EXPECT_EQ(TextOf(edit), u"\u65E5\u672C");  // 4 bytes
  Type(u"x");
  Type(u"", MK_CONTROL, 'V');  // full: refused
  EXPECT_EQ(TextOf(edit), u"\u65E5\u672Cx");
  SendMessageW(edit, EM_SETSEL, 0, -1);
  Type(u"", MK_CONTROL, 'V');  // over a selection: taken
  EXPECT_EQ(TextOf(edit), u"\u65E5\u672C");
  SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_base));
}

}  // namespace
}  // namespace kesm_test
