// The trackbar as a program and a person use it: the program's settings
// are silent and keep the position in range; the user's moves change the
// position first and are then told as WM_HSCROLL (WM_VSCROLL when
// vertical) with the trackbar in lParam, each gesture ending with
// TB_ENDTRACK.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/platform/window/commctrl_parent.h"

namespace kesm_test {
namespace {

using Seen = std::vector<std::string>;

LRESULT Pos(HWND bar) { return SendMessageW(bar, TBM_GETPOS, 0, 0); }

class TrackbarTest : public CommonControlTest {
 public:
  // Range 0-200 at 50, as the driver's track bars begin.
  HWND MakeBar(DWORD style = TBS_AUTOTICKS) {
    const RECT rect = (style & TBS_VERT) != 0 ? RECT{10, 10, 50, 230} : RECT{10, 10, 230, 50};
    HWND bar = Control(TRACKBAR_CLASSW, style, rect);
    EXPECT_NE(bar, nullptr);
    SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 200));
    SendMessageW(bar, TBM_SETPOS, TRUE, 50);
    Take();
    return bar;
  }
};

TEST_F(TrackbarTest, ProgramSettingsAreSilentAndKeepThePositionInRange) {
  HWND bar = Control(TRACKBAR_CLASSW, 0, RECT{10, 10, 230, 50});
  EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 20);  // a fifth of the range
  EXPECT_EQ(SendMessageW(bar, TBM_GETLINESIZE, 0, 0), 1);
  struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT answer;
    LRESULT pos;
  };
  const Step steps[] = {
      {TBM_SETPOS, TRUE, 500, 0, 100},                    // clamped to the maximum
      {TBM_SETRANGE, TRUE, MAKELPARAM(10, 60), 0, 60},    // a smaller range takes the position along
      {TBM_SETPOS, FALSE, -3, 0, 10},
      {TBM_SETRANGEMAX, TRUE, 300, 0, 10},
      {TBM_SETRANGEMIN, TRUE, 40, 0, 40},
      {TBM_SETPAGESIZE, 0, 25, 52, 40},                   // the old page: a fifth of 40-300
      {TBM_SETLINESIZE, 0, 5, 1, 40},
      {TBM_SETTICFREQ, 20, 0, 0, 40},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(SendMessageW(bar, s.message, s.wParam, s.lParam), s.answer) << s.message;
    EXPECT_EQ(Pos(bar), s.pos) << s.message;
  }
  EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 25);
  EXPECT_EQ(SendMessageW(bar, TBM_GETNUMTICS, 0, 0), 2);  // without TBS_AUTOTICKS: the two ends
  EXPECT_EQ(Take(), Seen{});
}

TEST_F(TrackbarTest, UserActionsAndNotifications) {
  struct Case {
    const char* what;
    DWORD style;
    std::function<void(TrackbarTest&, HWND)> act;
    Seen seen;
    LRESULT pos;
  };
  auto keys = [](std::vector<UINT> list) {
    return [list](TrackbarTest& t, HWND bar) {
      SetFocus(bar);
      UiScript s;
      for (UINT k : list) s.key(k);
      t.Run(s);
    };
  };
  const Case cases[] = {
      {"a press right of the thumb pages up the range", TBS_AUTOTICKS,
       [](TrackbarTest& t, HWND bar) {
         UiScript s;
         s.pageTrack(bar, TB_PAGEDOWN);
         t.Run(s);
       },
       {"HSCROLL TB_PAGEDOWN @90", "HSCROLL TB_ENDTRACK @90"}, 90},
      {"a press left of the thumb pages down", TBS_AUTOTICKS,
       [](TrackbarTest& t, HWND bar) {
         UiScript s;
         s.pageTrack(bar, TB_PAGEUP);
         t.Run(s);
       },
       {"HSCROLL TB_PAGEUP @10", "HSCROLL TB_ENDTRACK @10"}, 10},
      {"arrows step a line, Home and End go to the ends", TBS_AUTOTICKS, keys({VK_RIGHT, VK_LEFT, VK_LEFT, VK_END, VK_HOME}),
       {"HSCROLL TB_LINEDOWN @51", "HSCROLL TB_ENDTRACK @51", "HSCROLL TB_LINEUP @50", "HSCROLL TB_ENDTRACK @50",
        "HSCROLL TB_LINEUP @49", "HSCROLL TB_ENDTRACK @49", "HSCROLL TB_BOTTOM @200", "HSCROLL TB_ENDTRACK @200",
        "HSCROLL TB_TOP @0", "HSCROLL TB_ENDTRACK @0"},
       0},
      {"a vertical bar tells WM_VSCROLL", TBS_VERT, keys({VK_NEXT}),
       {"VSCROLL TB_PAGEDOWN @90", "VSCROLL TB_ENDTRACK @90"}, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Log() = ParentLog{};
    HWND bar = MakeBar(c.style);
    c.act(*this, bar);
    EXPECT_EQ(Take(), c.seen);
    EXPECT_EQ(Pos(bar), c.pos);
    SetFocus(parent);
    DestroyWindow(bar);
  }
}

TEST_F(TrackbarTest, DraggingTheThumbTracksAndEndsAtThePosition) {
  for (const int target : {137, 0, 200, 51}) {
    SCOPED_TRACE(target);
    HWND bar = MakeBar();
    UiScript s;
    s.slide(bar, target);
    Run(s);
    EXPECT_EQ(Pos(bar), target);
    const Seen seen = Take();
    ASSERT_GE(seen.size(), 3u);
    // Each move of the thumb is told with its position; the release tells
    // the final position, then the end.
    for (std::size_t i = 0; i + 2 < seen.size(); ++i) EXPECT_EQ(seen[i].rfind("HSCROLL TB_THUMBTRACK ", 0), 0u) << seen[i];
    EXPECT_EQ(seen[seen.size() - 3], "HSCROLL TB_THUMBTRACK " + std::to_string(target) + " @" + std::to_string(target));
    EXPECT_EQ(seen[seen.size() - 2], "HSCROLL TB_THUMBPOSITION " + std::to_string(target) + " @" + std::to_string(target));
    EXPECT_EQ(seen.back(), "HSCROLL TB_ENDTRACK @" + std::to_string(target));
    DestroyWindow(bar);
  }
}

TEST_F(TrackbarTest, ScriptStepsRefuseWhatCannotBeDone) {
  HWND bar = MakeBar();
  SendMessageW(bar, TBM_SETPOS, TRUE, 0);
  {
    plat::window::Script s;  // its failures are this test's to check
    s.slide(bar, 201);
    EXPECT_FALSE(s.run());
    ASSERT_EQ(s.failures().size(), 1u);
    EXPECT_NE(s.failures()[0].find("has no position 201"), std::string::npos);
  }
  {
    plat::window::Script s;
    s.pageTrack(bar, TB_PAGEUP);  // the thumb stands at the left end
    EXPECT_FALSE(s.run());
    ASSERT_EQ(s.failures().size(), 1u);
    EXPECT_NE(s.failures()[0].find("cannot be clicked"), std::string::npos);
  }
  EXPECT_EQ(Take(), Seen{});
}

}  // namespace
}  // namespace kesm_test
