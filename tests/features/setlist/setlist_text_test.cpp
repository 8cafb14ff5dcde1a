// The settings summary's text: line breaks, the truncation mark, the room
// left for every label and value, and the window's text set only when it
// changes.
// The feature tests' context has no resource DLL: labels add nothing and
// values read as their numbers (group 424 reads "17600").
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/module_table/module_entries.h"
#include "features/setlist/pages/setlist_page.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_styles.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

constexpr WORD kValueGroup = 424;
constexpr WORD kPlainLabel = 1001;   // no table names it
constexpr WORD kNupLabel = 1020;     // shown only with N-up on (56 = 1)
const std::u16string kValue = u"17600";

class SetListText : public FeatureTest {
 protected:
  std::u16string Build(const std::vector<SUMMARYLINE>& lines, int capacity = kSetListChars) {
    const CDSPL list = {kClassList, 0, 0, static_cast<WORD>(lines.size()), lines.data()};
    std::vector<WCHAR> buffer(static_cast<std::size_t>(capacity), u'#');
    const int length = BuildSetListText(ucb_, list, kSetListConditions, buffer.data(), capacity);
    return std::u16string(buffer.data(), static_cast<std::size_t>(length));
  }
};

TEST_F(SetListText, LinesAreJoinedByBreaksAndHiddenLastLinesLeaveOne) {
  S(56, 0);
  const SUMMARYLINE value = {kPlainLabel, 0, kValueGroup};
  const SUMMARYLINE hidden = {kNupLabel, 0, kValueGroup};
  EXPECT_EQ(Build({value, value}), kValue + u"\r\n" + kValue);
  EXPECT_EQ(Build({value, hidden, hidden}), kValue + u"\r\n");
  S(56, 1);
  EXPECT_EQ(Build({value, hidden}), kValue + u"\r\n" + kValue);
}

TEST_F(SetListText, TheGateChoosesTheShownValueOrItsOwn) {
  // Gate group 426 reads 1: the shown group's text; gate 441 reads 0: the
  // gate's own text.
  EXPECT_EQ(Build({{kPlainLabel, 426, kValueGroup}}), kValue);
  EXPECT_EQ(Build({{kPlainLabel, 441, kValueGroup}}), u"0");
  EXPECT_EQ(Build({{kPlainLabel, 441, 0}}), u"0");
  EXPECT_EQ(Build({{kPlainLabel, 0, 0}}), u"");
}

// After a line that leaves fewer than 256 characters the summary ends with
// the mark; the line before it was the last that left at least 256.
TEST_F(SetListText, AListLongerThanTheBufferEndsWithTheTruncationMark) {
  const SUMMARYLINE value = {kPlainLabel, 0, kValueGroup};
  const std::u16string line = kValue + u"\r\n";  // 7 characters
  const int capacity = kSetListReserve + 3 * 7 + 3;
  // Three lines leave 259 characters, the fourth 252: the mark follows it.
  const std::u16string text = Build(std::vector<SUMMARYLINE>(10, value), capacity);
  EXPECT_EQ(text, line + line + line + line + kSetListMore);
}

// A value longer than the room left is cut to it: nothing is written past
// the buffer (whose last character is the terminator's).
TEST_F(SetListText, AValueNearTheBufferEndIsCutToTheRoomLeft) {
  const std::vector<SUMMARYLINE> lines = {{kPlainLabel, 0, kValueGroup}};
  const CDSPL list = {kClassList, 0, 0, 1, lines.data()};
  for (int capacity : {1, 2, 4, 6}) {
    std::vector<WCHAR> buffer(16, u'#');
    const int length = BuildSetListText(ucb_, list, kSetListConditions, buffer.data(), capacity);
    ASSERT_EQ(length, std::min<int>(capacity - 1, static_cast<int>(kValue.size()))) << capacity;
    EXPECT_EQ(std::u16string(buffer.data()), kValue.substr(0, static_cast<std::size_t>(length)));
    EXPECT_EQ(std::u16string(buffer.begin() + capacity, buffer.end()), std::u16string(16 - capacity, u'#'))
        << "written past a buffer of " << capacity;
  }
}

// Counts the texts set into a window.
int g_setTexts = 0;
WNDPROC g_editProc = nullptr;
LRESULT CALLBACK CountSetText(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT) ++g_setTexts;
  return CallWindowProcW(g_editProc, window, message, wParam, lParam);
}

class SetListWindow : public FeatureTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(FeatureTest::SetUp());
    parent_ = CreateWindowExW(0, u"STATIC", u"Status", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    FeatureTest::TearDown();
  }
  ICB Edit(DWORD style, const CDSPL* list, LPCWSTR text) {
    ICB icb{};
    icb.itemId = 2248;
    icb.pClassData = list;
    icb.hWnd = CreateWindowExW(0, u"EDIT", text, WS_CHILD | style, 0, 0, 300, 200, parent_, nullptr, nullptr, nullptr);
    g_setTexts = 0;
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(icb.hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountSetText)));
    return icb;
  }
  static std::u16string Text(HWND window) {
    WCHAR text[400] = {};
    GetWindowTextW(window, text, 400);
    return text;
  }
  HWND parent_ = nullptr;
};

TEST_F(SetListWindow, TheTextIsSetOnlyWhenItDiffers) {
  const SUMMARYLINE lines[] = {{kPlainLabel, 0, kValueGroup}, {kPlainLabel, 0, kValueGroup}};
  const CDSPL list = {kClassList, 0, 0, 2, lines};
  ICB icb = Edit(ES_MULTILINE | ES_READONLY, &list, u"");
  TCB status{};
  status.tabId = 1020;
  SetlistProcedure(ucb_, &status, &icb, WM_PAINT, 0, 0, nullptr);
  EXPECT_EQ(Text(icb.hWnd), kValue + u"\r\n" + kValue);
  EXPECT_EQ(g_setTexts, 1);
  SetlistProcedure(ucb_, &status, &icb, WM_PAINT, 0, 0, nullptr);
  EXPECT_EQ(g_setTexts, 1);
  // Another dialog's paint, and another message, leave the text alone.
  S(56, 1);
  SetWindowTextW(icb.hWnd, u"");
  g_setTexts = 0;
  TCB other{};
  other.tabId = 1001;
  EXPECT_EQ(SetlistProcedure(ucb_, &other, &icb, WM_PAINT, 0, 0, nullptr), 0);
  EXPECT_EQ(SetlistProcedure(ucb_, &status, &icb, WM_COMMAND, 0, 0, nullptr), 0);
  EXPECT_EQ(g_setTexts, 0);
}

// An item without lines and without a stored setting keeps its own text,
// its backslash-n pairs made line breaks when it is multi-line.
TEST_F(SetListWindow, AnItemWithoutLinesBreaksItsOwnText) {
  ICB multi = Edit(ES_MULTILINE, nullptr, u"one\\ntwo");
  PaintSetList(ucb_, nullptr, &multi);
  EXPECT_EQ(Text(multi.hWnd), u"one\r\ntwo");
  ICB single = Edit(0, nullptr, u"one\\ntwo");
  PaintSetList(ucb_, nullptr, &single);
  EXPECT_EQ(Text(single.hWnd), u"one\\ntwo");
  EXPECT_EQ(g_setTexts, 0);
}

}  // namespace
}  // namespace features_test
