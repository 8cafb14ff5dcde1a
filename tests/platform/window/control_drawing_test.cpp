// What the standard controls and window frames look like, checked at a few
// telling pixels of their pictures: an edge's light and dark lines, a
// check mark, a radio dot, a drop arrow, the caption bar's colour, grey
// text on a disabled control.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_controls.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

struct Picture {
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
  SIZE size{};
  COLORREF At(LONG x, LONG y) const {
    const std::uint32_t v = pixels[static_cast<std::size_t>(y) * size.cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // Whether any pixel of the rectangle has the colour.
  bool Holds(RECT r, COLORREF color) const {
    for (LONG y = r.top; y < r.bottom; ++y) {
      for (LONG x = r.left; x < r.right; ++x) {
        if (At(x, y) == color) return true;
      }
    }
    return false;
  }
};

COLORREF Sys(int index) { return static_cast<COLORREF>(GetSysColor(index)); }

class ControlDrawingTest : public WindowTest {
 public:
  HWND parent = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(RegisterTestClass(u"PictureParent", DefWindowProcW, COLOR_3DFACE));
    parent = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"PictureParent"), reinterpret_cast<LPCWSTR>(u"Parent"),
                             WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
  }
  HWND Control(const char16_t* cls, DWORD style, const char16_t* text, int width = 80, int height = 24,
               DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, reinterpret_cast<LPCWSTR>(cls), reinterpret_cast<LPCWSTR>(text),
                           WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<LONG_PTR>(7)), nullptr, nullptr);
  }
  static Picture Take(HWND hwnd) {
    Picture p;
    EXPECT_TRUE(plat::window::PaintWindowImage(hwnd, &p.pixels, &p.size));
    return p;
  }
};

TEST_F(ControlDrawingTest, PushButtonsHaveRaisedEdgesSunkenWhenPressedAndTheDefaultAFrame) {
  HWND button = Control(u"Button", BS_PUSHBUTTON, u"Go");
  Picture up = Take(button);
  EXPECT_EQ(up.At(1, 1), Sys(COLOR_3DHIGHLIGHT));   // the inner light line
  EXPECT_EQ(up.At(79, 23), Sys(COLOR_3DDKSHADOW));  // the outer dark line
  EXPECT_EQ(up.At(78, 22), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(up.At(40, 3), Sys(COLOR_3DFACE));
  EXPECT_TRUE(up.Holds(RECT{20, 4, 60, 20}, Sys(COLOR_BTNTEXT)));  // the caption

  SendMessageW(button, BM_SETSTATE, TRUE, 0);
  Picture pressed = Take(button);
  EXPECT_EQ(pressed.At(0, 0), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(pressed.At(1, 1), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(pressed.At(79, 23), Sys(COLOR_3DHIGHLIGHT));

  HWND byDefault = Control(u"Button", BS_DEFPUSHBUTTON, u"OK");
  Picture framed = Take(byDefault);
  EXPECT_EQ(framed.At(0, 0), Sys(COLOR_WINDOWFRAME));
  EXPECT_EQ(framed.At(79, 12), Sys(COLOR_WINDOWFRAME));
  EXPECT_EQ(framed.At(2, 2), Sys(COLOR_3DHIGHLIGHT));  // the raised edge within
}

TEST_F(ControlDrawingTest, CheckBoxesShowTheirMarkAndRadioButtonsTheirDot) {
  // The 13-pixel box is centred on the 24-pixel height: its inside starts
  // at (2, 7); the mark's middle column is the fourth of seven.
  const POINT mark{2 + 1 + 3, 7 + 1 + 2};
  const POINT inside{2 + 1, 7 + 7};  // below the mark's first column
  HWND box = Control(u"Button", BS_AUTOCHECKBOX, u"Duplex");
  Picture clear = Take(box);
  EXPECT_EQ(clear.At(0, 5), Sys(COLOR_3DSHADOW));  // the sunken box
  EXPECT_EQ(clear.At(mark.x, mark.y + 2), Sys(COLOR_WINDOW));
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  Picture checked = Take(box);
  EXPECT_EQ(checked.At(mark.x, mark.y + 2), Sys(COLOR_WINDOWTEXT));
  EXPECT_EQ(checked.At(inside.x, inside.y), Sys(COLOR_WINDOW));
  SendMessageW(box, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Take(box).At(mark.x, mark.y + 2), Sys(COLOR_WINDOWTEXT));  // a two-state box shows it checked

  HWND radio = Control(u"Button", BS_AUTORADIOBUTTON, u"Booklet");
  const POINT centre{6, 12};
  EXPECT_EQ(Take(radio).At(centre.x, centre.y), Sys(COLOR_WINDOW));
  SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
  Picture dotted = Take(radio);
  EXPECT_EQ(dotted.At(centre.x, centre.y), Sys(COLOR_WINDOWTEXT));
  EXPECT_TRUE(dotted.Holds(RECT{4, 5, 8, 6}, Sys(COLOR_3DSHADOW)));  // the circle's top
}

TEST_F(ControlDrawingTest, GroupBoxesAreEtchedFrames) {
  HWND group = Control(u"Button", BS_GROUPBOX, u"Paper", 120, 80);
  Picture p = Take(group);
  EXPECT_EQ(p.At(0, 40), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(p.At(1, 40), Sys(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(p.At(60, 79), Sys(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(p.At(60, 78), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(p.At(40, 40), Sys(COLOR_3DFACE));
}

TEST_F(ControlDrawingTest, DisabledControlsDrawGreyText) {
  HWND label = Control(u"Static", SS_LEFT, u"Copies");
  const RECT text{0, 0, 60, 20};
  EXPECT_TRUE(Take(label).Holds(text, Sys(COLOR_WINDOWTEXT)));
  EnableWindow(label, FALSE);
  Picture grey = Take(label);
  EXPECT_TRUE(grey.Holds(text, Sys(COLOR_GRAYTEXT)));
  EXPECT_FALSE(grey.Holds(text, Sys(COLOR_WINDOWTEXT)));

  HWND button = Control(u"Button", BS_PUSHBUTTON | WS_DISABLED, u"Apply");
  const RECT caption{10, 4, 70, 20};
  EXPECT_TRUE(Take(button).Holds(caption, Sys(COLOR_GRAYTEXT)));
  EXPECT_FALSE(Take(button).Holds(caption, Sys(COLOR_BTNTEXT)));
}

TEST_F(ControlDrawingTest, MnemonicsAreUnderlined) {
  Picture plain = Take(Control(u"Static", SS_LEFT, u"Copies"));
  Picture marked = Take(Control(u"Static", SS_LEFT, u"&Copies"));
  Picture literal = Take(Control(u"Static", SS_LEFT | SS_NOPREFIX, u"Copies"));
  // One row differs: the underline beneath the C, in the text's colour.
  std::vector<LONG> rows;
  for (LONG y = 0; y < plain.size.cy; ++y) {
    for (LONG x = 0; x < plain.size.cx; ++x) {
      if (plain.At(x, y) != marked.At(x, y)) {
        rows.push_back(y);
        break;
      }
    }
  }
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(marked.At(1, rows[0]), Sys(COLOR_WINDOWTEXT));
  EXPECT_NE(marked.At(30, rows[0]), Sys(COLOR_WINDOWTEXT));  // not under the rest
  EXPECT_EQ(literal.At(1, rows[0]), plain.At(1, rows[0]));
}

TEST_F(ControlDrawingTest, CombosHaveADropButtonAndEditsASunkenClientEdge) {
  HWND combo = Control(u"ComboBox", CBS_DROPDOWNLIST, nullptr, 120, 100);
  RECT r{};
  GetWindowRect(combo, &r);
  Picture p = Take(combo);
  const LONG height = r.bottom - r.top;
  EXPECT_EQ(p.At(0, 0), Sys(COLOR_3DSHADOW));  // the field's sunken edge
  EXPECT_EQ(p.At(1, 1), Sys(COLOR_3DDKSHADOW));
  const LONG button = 120 - 2 - GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(p.At(button + 1, 3), Sys(COLOR_3DHIGHLIGHT));  // the button's raised edge
  EXPECT_EQ(p.At(button + GetSystemMetrics(SM_CXVSCROLL) / 2, height / 2), Sys(COLOR_BTNTEXT));  // the arrow

  HWND edit = Control(u"Edit", 0, u"12", 80, 24, WS_EX_CLIENTEDGE);
  Picture e = Take(edit);
  EXPECT_EQ(e.At(0, 0), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(e.At(1, 1), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(e.At(79, 23), Sys(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(e.At(40, 4), Sys(COLOR_WINDOW));
  HWND bordered = Control(u"Edit", WS_BORDER, u"12");
  EXPECT_EQ(Take(bordered).At(0, 12), Sys(COLOR_WINDOWFRAME));
}

TEST_F(ControlDrawingTest, ScrollBarsHaveArrowsAndARaisedThumb) {
  HWND bar = Control(u"ScrollBar", SBS_VERT, nullptr, 16, 160);
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
  SetScrollInfo(bar, SB_CTL, &si, TRUE);
  Picture p = Take(bar);
  EXPECT_EQ(p.At(1, 1), Sys(COLOR_3DHIGHLIGHT));  // the up arrow's button
  EXPECT_TRUE(p.Holds(RECT{4, 4, 12, 12}, Sys(COLOR_BTNTEXT)));
  EXPECT_TRUE(p.Holds(RECT{4, 148, 12, 156}, Sys(COLOR_BTNTEXT)));
  EXPECT_EQ(p.At(1, 17), Sys(COLOR_3DHIGHLIGHT));  // the thumb at the top
  // The shaft: a checker of the face and the highlight.
  EXPECT_NE(p.At(8, 130), p.At(9, 130));
  for (LONG x : {8, 9}) {
    EXPECT_TRUE(p.At(x, 130) == Sys(COLOR_3DFACE) || p.At(x, 130) == Sys(COLOR_3DHIGHLIGHT));
  }
  EnableScrollBar(bar, SB_CTL, ESB_DISABLE_BOTH);
  Picture off = Take(bar);
  EXPECT_FALSE(off.Holds(RECT{4, 4, 12, 12}, Sys(COLOR_BTNTEXT)));
  EXPECT_TRUE(off.Holds(RECT{4, 4, 12, 12}, Sys(COLOR_GRAYTEXT)));
}

TEST_F(ControlDrawingTest, CaptionedWindowsPaintTheirFrameAndCaptionBar) {
  HWND framed = CreateWindowExW(WS_EX_DLGMODALFRAME, reinterpret_cast<LPCWSTR>(u"PictureParent"),
                                reinterpret_cast<LPCWSTR>(u"Print"), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                50, 50, 200, 120, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(framed, nullptr);
  SetActiveWindow(framed);
  Picture p = Take(framed);
  EXPECT_EQ(p.At(1, 1), Sys(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(p.At(199, 119), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(p.At(100, 5), Sys(COLOR_ACTIVECAPTION));
  EXPECT_TRUE(p.Holds(RECT{5, 3, 60, 20}, Sys(COLOR_CAPTIONTEXT)));  // the window's text
  EXPECT_TRUE(p.Holds(RECT{170, 3, 196, 20}, Sys(COLOR_BTNTEXT)));    // the close box's cross
  EXPECT_EQ(p.At(100, 60), Sys(COLOR_3DFACE));

  SetActiveWindow(parent);
  EXPECT_EQ(Take(framed).At(100, 5), Sys(COLOR_INACTIVECAPTION));
}

}  // namespace
}  // namespace kesm_test
