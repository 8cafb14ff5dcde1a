// The faces of owner-drawn buttons as they come out on a memory DC: the
// bevel raised and pressed, the corners of the picture frame, the caption
// the owner caption table gives a button of a real page ("..." without a
// row, nothing for a button without caption, embossed while disabled), the
// arrow captions drawn as triangles, the focus frame; and colour samples.
#include "ui/engine/painting_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/window/winuser_styles.h"
#include "settings/values/setting_value.h"
#include "tests/ui/engine/painted_pixels.h"
#include "tests/ui/page_host.h"
#include "ui/bitmaps/bitmap_library.h"

namespace ui_test {
namespace {

constexpr COLORREF kOutside = RGB(0, 160, 0);
constexpr int kW = 40;
constexpr int kH = 20;

COLORREF Sys(int index) { return GetSysColor(index); }

class ButtonFace : public PageMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageMachine::SetUp());
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 234, 1));  // a colour machine: pictures as drawn
  }
  // A page button with its owner caption chosen as the button painter does.
  HWND Button(WORD dialog, WORD controlId) {
    if (host_.tcb() == nullptr || host_.tcb()->tabId != dialog) {
      EXPECT_TRUE(host_.Open(ucb_, dialog));
    }
    ICB* icb = host_.item(controlId);
    EXPECT_NE(icb, nullptr) << controlId;
    SetOwnerCtrlStringResourceID(ucb_, icb);
    return icb != nullptr ? icb->hWnd : nullptr;
  }
  HFONT PageFont() const { return reinterpret_cast<HFONT>(SendMessageW(host_.page(), WM_GETFONT, 0, 0)); }
};

TEST_F(ButtonFace, TheBevelIsRaisedOrPressed) {
  struct Case {
    BOOL pressed;
    COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  };
  const Case cases[] = {
      {FALSE, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW)},
      {TRUE, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNFACE), Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNHIGHLIGHT)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pressed ? "pressed" : "raised");
    MemoryCanvas canvas(kW + 10, kH + 10, kOutside);
    const RECT face{5, 5, 5 + kW, 5 + kH};
    EXPECT_EQ(Draw3DButton(ucb_, nullptr, canvas.dc(), &face, 2, c.pressed, FALSE), 0);
    const int midX = 5 + kW / 2, midY = 5 + kH / 2;
    EXPECT_EQ(canvas.At(5, midY), c.outerTopLeft);
    EXPECT_EQ(canvas.At(midX, 5), c.outerTopLeft);
    EXPECT_EQ(canvas.At(5 + kW - 1, midY), c.outerBottomRight);
    EXPECT_EQ(canvas.At(midX, 5 + kH - 1), c.outerBottomRight);
    EXPECT_EQ(canvas.At(5 + kW - 1, 5), c.outerBottomRight) << "the shadow takes the top-right corner";
    EXPECT_EQ(canvas.At(6, midY), c.innerTopLeft);
    EXPECT_EQ(canvas.At(5 + kW - 2, midY), c.innerBottomRight);
    EXPECT_EQ(canvas.At(midX, 5 + kH - 2), c.innerBottomRight);
    EXPECT_EQ(canvas.At(midX, midY), Sys(COLOR_BTNFACE));
    EXPECT_EQ(canvas.At(4, midY), kOutside);
    EXPECT_EQ(canvas.At(5 + kW, midY), kOutside);
    DumpCanvas(canvas, std::string("button-bevel-") + (c.pressed ? "pressed" : "raised"));
  }
}

TEST_F(ButtonFace, TheFocusFrameLiesInsideTheBevel) {
  for (const BOOL focus : {FALSE, TRUE}) {
    SCOPED_TRACE(focus ? "focus" : "no focus");
    MemoryCanvas canvas(kW, kH, kOutside);
    const RECT face{0, 0, kW, kH};
    Draw3DButton(ucb_, nullptr, canvas.dc(), &face, 2, FALSE, focus);
    // With the focus the bevel moves one pixel in, inside the DC's pen.
    EXPECT_EQ(canvas.At(0, kH / 2), focus ? RGB(0, 0, 0) : Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(1, kH / 2), focus ? Sys(COLOR_BTNHIGHLIGHT) : Sys(COLOR_BTNFACE));
    int dotted = 0;
    for (int x = 4; x < kW - 4; ++x) dotted += canvas.At(x, 4) != Sys(COLOR_BTNFACE) ? 1 : 0;
    if (focus) {
      EXPECT_GT(dotted, (kW - 8) / 3) << "the focus frame's top line";
      EXPECT_LT(dotted, kW - 8) << "a dotted line";
      EXPECT_EQ(canvas.At(kW / 2, kH / 2), Sys(COLOR_BTNFACE));
    } else {
      EXPECT_EQ(dotted, 0);
    }
  }
}

TEST_F(ButtonFace, APictureFrameShowsTheCornersOfItsPictures) {
  struct Case {
    DWORD style;
    WORD left, right;  // 0: that half keeps the plain face
  };
  const Case cases[] = {
      {0x04 | 0x10 | 0xC0, 6220, 6220}, {0x04 | 0x20 | 0x80, 6221, 6221}, {0x04 | 0x30 | 0x40, 6222, 6222},
      {0x04 | 0x10 | 0x40, 6220, 6222}, {0x04 | 0x80, 0, 6221},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    MemoryCanvas canvas(kW, kH, kOutside);
    const RECT face{0, 0, kW, kH};
    Draw3DButton(ucb_, nullptr, canvas.dc(), &face, c.style, FALSE, FALSE);
    DumpCanvas(canvas, "button-corners-" + std::to_string(c.style));
    for (const bool rightHalf : {false, true}) {
      const WORD id = rightHalf ? c.right : c.left;
      const int x0 = rightHalf ? kW / 2 : 0;
      if (id == 0) {
        EXPECT_EQ(canvas.At(x0 + kW / 4, 3), Sys(COLOR_BTNFACE));
        continue;
      }
      const HBITMAP picture = LoadBitmapFromResDll(ucb_, id);
      ASSERT_NE(picture, nullptr) << id;
      BITMAP size{};
      GetObjectW(picture, sizeof size, &size);
      MemoryCanvas expected(size.bmWidth, size.bmHeight, kOutside);
      const HDC source = CreateCompatibleDC(expected.dc());
      const HGDIOBJ old = SelectObject(source, picture);
      BitBlt(expected.dc(), 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
      DeleteObject(picture);
      // Each quarter shows its own corner of the picture.
      int differing = 0;
      for (int y = 0; y < kH; ++y) {
        for (int x = x0; x < x0 + kW / 2; ++x) {
          const int px = rightHalf ? size.bmWidth - (kW - x) : x;
          const int py = y < kH / 2 ? y : size.bmHeight - (kH - y);
          differing += canvas.At(x, y) != expected.At(px, py) ? 1 : 0;
        }
      }
      EXPECT_EQ(differing, 0) << (rightHalf ? "right half" : "left half") << " of picture " << id;
    }
  }
}

TEST_F(ButtonFace, ACaptionComesFromTheOwnerCaptionTable) {
  struct Case {
    WORD dialog, control;
    std::u16string shown;  // "" for no caption
  };
  const Case cases[] = {
      {1002, 3352, u"..."},  // a button without a row
      {1002, 2037, u""},     // a picture button: no caption
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    const HWND button = Button(c.dialog, c.control);
    ASSERT_NE(button, nullptr);
    MemoryCanvas canvas(72, 24, kOutside);
    const RECT face{0, 0, 72, 24};
    const int width = Draw3DButton(ucb_, button, canvas.dc(), &face, 2, FALSE, FALSE);
    const InkMask ink = InkIn([&](int x, int y) { return canvas.At(x, y); }, RECT{3, 3, 69, 21}, IsBlack);
    if (c.shown.empty()) {
      EXPECT_EQ(width, 0);
      EXPECT_TRUE(ink.empty());
      continue;
    }
    SelectObject(canvas.dc(), PageFont());
    SIZE extent{};
    GetTextExtentPoint32W(canvas.dc(), c.shown.c_str(), static_cast<int>(c.shown.size()), &extent);
    EXPECT_EQ(width, extent.cx);
    EXPECT_TRUE(ink == TextInk(PageFont(), c.shown));
    EXPECT_NEAR((ink.bounds.left + ink.bounds.right) / 2, 36, 2) << "centred";
    DumpCanvas(canvas, "button-caption-" + std::to_string(c.control));
  }
  ClearOwnerCtrlStringResourceID(ucb_);
  EXPECT_EQ(ucb_->pWork->dialog.wOwnerCaptionId, 0);
}

TEST_F(ButtonFace, ADisabledButtonsCaptionIsEmbossed) {
  const HWND button = Button(1002, 3352);
  ASSERT_NE(button, nullptr);
  EnableWindow(button, FALSE);
  MemoryCanvas canvas(72, 24, kOutside);
  const RECT face{0, 0, 72, 24};
  Draw3DButton(ucb_, button, canvas.dc(), &face, 2, FALSE, FALSE);
  const PixelAt pixels = [&](int x, int y) { return canvas.At(x, y); };
  const RECT inside{3, 3, 69, 21};
  const InkMask grey = InkIn(pixels, inside, [](COLORREF c) { return c == GetSysColor(COLOR_GRAYTEXT); });
  const InkMask white = InkIn(pixels, inside, [](COLORREF c) { return c == RGB(255, 255, 255); });
  EXPECT_TRUE(grey == TextInk(PageFont(), u"..."));
  ASSERT_FALSE(white.empty());
  EXPECT_EQ(white.bounds.left, grey.bounds.left + 1);
  EXPECT_EQ(white.bounds.top, grey.bounds.top + 1);
  EXPECT_EQ(white.bounds.right, grey.bounds.right + 1);
  EXPECT_EQ(white.bounds.bottom, grey.bounds.bottom + 1);
  EXPECT_TRUE(InkIn(pixels, inside, IsBlack).empty());
  DumpCanvas(canvas, "button-disabled");
}

TEST_F(ButtonFace, ArrowCaptionsAreTriangles) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  // The arrow buttons stand on none of our pages: one of the page's
  // buttons, made narrow, lends its window.
  const HWND button = host_.item(3352)->hWnd;
  constexpr int kSide = 16, kTall = 24;
  for (const WORD arrow : {WORD{2502}, WORD{2503}}) {
    SCOPED_TRACE(arrow);
    ICB record{};
    record.itemId = arrow;
    SetOwnerCtrlStringResourceID(ucb_, &record);
    MemoryCanvas canvas(kSide, kTall, kOutside);
    SetTextColor(canvas.dc(), RGB(255, 0, 0));
    const RECT face{0, 0, kSide, kTall};
    Draw3DButton(ucb_, button, canvas.dc(), &face, 1, FALSE, FALSE);
    DumpCanvas(canvas, "button-arrow-" + std::to_string(arrow));
    const PixelAt pixels = [&](int x, int y) { return canvas.At(x, y); };
    const InkMask fill = InkIn(pixels, RECT{1, 1, kSide - 1, kTall - 1}, IsBlack);
    const InkMask outline = InkIn(pixels, face, [](COLORREF c) { return c == RGB(255, 0, 0); });
    ASSERT_FALSE(fill.empty());
    ASSERT_FALSE(outline.empty()) << "outlined in the text colour the DC had";
    // A solid triangle, not a character: its middle is filled and it is
    // about half of its square.
    const int filled = static_cast<int>(std::count(fill.bits.begin(), fill.bits.end(), true));
    EXPECT_GT(filled, (kSide - 3) * (kSide - 3) / 3);
    const int mid = (outline.bounds.top + outline.bounds.bottom - 1) / 2;
    const bool left = arrow == 2502;
    const int apexX = left ? outline.bounds.left : outline.bounds.right - 1;
    const int baseX = left ? outline.bounds.right - 1 : outline.bounds.left;
    EXPECT_EQ(canvas.At(apexX, mid), RGB(255, 0, 0)) << "the apex at the middle of its side";
    EXPECT_EQ(canvas.At(left ? apexX + 1 : apexX - 1, outline.bounds.top + 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(canvas.At(baseX, outline.bounds.top + 1), RGB(255, 0, 0)) << "the base on the other side";
    EXPECT_EQ(canvas.At((apexX + 2 * baseX) / 3, mid), Sys(COLOR_MENUTEXT));
    EXPECT_EQ(outline.bounds.right - outline.bounds.left, outline.bounds.bottom - outline.bounds.top)
        << "a square as wide as the face";
  }
}

TEST_F(ButtonFace, AColourSampleIsFilledAndFramedInItsColour) {
  MemoryCanvas canvas(20, 20, kOutside);
  const RECT r{4, 4, 16, 12};
  DrawColorRect(canvas.dc(), &r, RGB(10, 20, 200));
  const InkMask sample =
      InkIn([&](int x, int y) { return canvas.At(x, y); }, RECT{0, 0, 20, 20}, [](COLORREF c) { return c != kOutside; });
  EXPECT_EQ(sample.bounds.left, 4);
  EXPECT_EQ(sample.bounds.top, 4);
  EXPECT_EQ(sample.bounds.right, 16);
  EXPECT_EQ(sample.bounds.bottom, 12);
  EXPECT_EQ(std::count(sample.bits.begin(), sample.bits.end(), true), 12 * 8);
  EXPECT_EQ(canvas.At(4, 4), RGB(10, 20, 200));
  EXPECT_EQ(canvas.At(10, 8), RGB(10, 20, 200));
}

}  // namespace
}  // namespace ui_test
