// Keys on the items of W2 pages, typed as a person types: the arrow keys
// step the copies (1 to 99) within the range, and at its end nothing
// changes and the page is not asked to repaint; a number edit takes only
// digits and the point; the user code takes only letters and digits; and a
// text edit keeps its text within the bytes its setting holds in the
// system's code page, a double-byte character counting two, typed or
// pasted.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/runtime/winmem.h"
#include "platform/window/winuser_clipboard.h"
#include "settings/values/setting_value.h"
#include "tests/common/ui_script.h"
#include "tests/platform/scoped_acp.h"
#include "tests/ui/engine/message_spy.h"
#include "tests/ui/page_host.h"

namespace ui_test {
namespace {

constexpr WORD kBasicPage = 1002;
constexpr WORD kCopiesEdit = 2049;
constexpr WORD kCopies = 12;
// The horizontal scale (20 to 400), whose description lets its edit take
// 20 characters (the copies' takes 1).
constexpr WORD kScaleHEdit = 3326;
constexpr WORD kScaleH = 89;
constexpr WORD kUserCodePage = 1008;
constexpr WORD kUserCodeEdit = 3497;
constexpr WORD kQualityPage = 1021;
constexpr WORD kUserSetNameEdit = 2281;  // setting 764: 33 bytes, 32 of text

std::u16string TextOf(HWND window) {
  WCHAR text[1025] = {};
  GetWindowTextW(window, text, 1025);
  return text;
}

using PaintSpy = MessageSpy<WM_PAINT>;  // the repaints asked of the page

void PutOnClipboard(const std::u16string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(block), text.c_str(), bytes);
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

class ItemKeys : public PageMachine {
 protected:
  LONG_PTR Copies() const { return GetDevmodeValueByFuncID(ucb_, kCopies, nullptr); }
};

TEST_F(ItemKeys, ArrowKeysStepTheCopiesWithinTheirRange) {
  struct Case {
    LONG_PTR start;
    UINT key;
    LONG_PTR after;
  };
  const Case cases[] = {{5, VK_UP, 6}, {5, VK_DOWN, 4}, {98, VK_UP, 99}, {99, VK_UP, 99}, {1, VK_DOWN, 1}, {2, VK_DOWN, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << (c.key == VK_UP ? " up" : " down"));
    SetDevmodeValueByFuncID(ucb_, kCopies, c.start);
    ASSERT_TRUE(host_.Open(ucb_, kBasicPage));
    HWND edit = host_.control(kCopiesEdit);
    kesm_test::UiScript script;
    script.click(edit).check("counting repaints", [&] { PaintSpy::On(host_.page()); }).key(c.key).check("stepped", [&] {
      EXPECT_EQ(Copies(), c.after);
      // A step asks the page to repaint; at the end of the range nothing is asked.
      EXPECT_EQ(PaintSpy::count > 0, c.after != c.start);
    });
    EXPECT_TRUE(script.run());
    host_.Close();
  }
}

TEST_F(ItemKeys, ANumberEditTakesDigitsAndThePointOnly) {
  ASSERT_TRUE(host_.Open(ucb_, kBasicPage));
  HWND edit = host_.control(kScaleHEdit);
  kesm_test::UiScript script;
  script.text(edit, u"2a5x0").check("the letters refused", [&] {
    EXPECT_EQ(TextOf(edit), u"250");
    EXPECT_EQ(GetDevmodeValueByFuncID(ucb_, kScaleH, nullptr), 250);
  });
  script.text(edit, u"-1,2+0").check("signs and commas too", [&] {
    EXPECT_EQ(TextOf(edit), u"120");
    EXPECT_EQ(GetDevmodeValueByFuncID(ucb_, kScaleH, nullptr), 120);
  });
  script.text(edit, u"1.5").check("the point passes", [&] { EXPECT_EQ(TextOf(edit), u"1.5"); });
  EXPECT_TRUE(script.run());
}

TEST_F(ItemKeys, TheUserCodeTakesLettersAndDigitsUpToItsEightBytes) {
  ASSERT_TRUE(host_.Open(ucb_, kUserCodePage));
  HWND edit = host_.control(kUserCodeEdit);
  kesm_test::UiScript script;
  script.text(edit, u"ab-1 C_9").check("letters and digits", [&] { EXPECT_EQ(TextOf(edit), u"ab1C9"); });
  script.text(edit, u"Abcd1234X").check("eight bytes", [&] { EXPECT_EQ(TextOf(edit), u"Abcd1234"); });
  script.key(VK_BACK).check("backspace passes", [&] { EXPECT_EQ(TextOf(edit), u"Abcd123"); });
  EXPECT_TRUE(script.run());
}

class TextBytes : public ItemKeys {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ItemKeys::SetUp());
    ASSERT_TRUE(host_.Open(ucb_, kQualityPage));
    edit_ = host_.control(kUserSetNameEdit);
    ASSERT_NE(edit_, nullptr);
  }
  ScopedAnsiCodePage acp_{932};
  HWND edit_ = nullptr;
};

TEST_F(TextBytes, ATypedCharacterPastTheSettingsBytesIsRefused) {
  const std::u16string a30(30, u'a');
  struct Case {
    std::u16string typed;
    std::u16string shown;
  };
  const Case cases[] = {
      {a30 + u"bc", a30 + u"bc"},             // 32 bytes: all of it
      {a30 + u"bcd", a30 + u"bc"},            // the 33rd byte is refused
      {a30 + u"b\u65E5", a30 + u"b"},         // a double-byte character needs two
      {a30 + u"\u65E5", a30 + u"\u65E5"},     // which fit here
      {u"\u65E5\u672C" + a30, u"\u65E5\u672C" + std::u16string(28, u'a')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.typed.size() << " characters typed");
    kesm_test::UiScript script;
    script.text(edit_, c.typed).check("kept", [&] { EXPECT_EQ(TextOf(edit_), c.shown); });
    EXPECT_TRUE(script.run());
  }
}

TEST_F(TextBytes, APastePastTheSettingsBytesIsRefusedWhole) {
  const std::u16string a28(28, u'a');
  struct Case {
    std::u16string text;  // typed first
    bool selectAll;       // the paste replaces it all
    std::u16string pasted;
    std::u16string shown;
  };
  const Case cases[] = {
      {a28, false, u"\u65E5\u672C", a28 + u"\u65E5\u672C"},  // 32 bytes
      {a28 + u"a", false, u"\u65E5\u672C", a28 + u"a"},      // 33: refused
      {a28 + u"aaaa", false, u"x", a28 + u"aaaa"},          // full already
      {a28 + u"aaaa", true, u"\u65E5\u672C", u"\u65E5\u672C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text.size() << " then " << c.pasted.size() << " pasted");
    ASSERT_NO_FATAL_FAILURE(PutOnClipboard(c.pasted));
    kesm_test::UiScript script;
    script.text(edit_, c.text);
    if (c.selectAll) script.key(VK_HOME).key(VK_END, MK_SHIFT);
    script.key('V', MK_CONTROL).check("kept", [&] { EXPECT_EQ(TextOf(edit_), c.shown); });
    EXPECT_TRUE(script.run());
  }
}

}  // namespace
}  // namespace ui_test
