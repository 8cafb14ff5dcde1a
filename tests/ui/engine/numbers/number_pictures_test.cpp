// What the number controls look like: the balance dialog's decorated bars
// (a minus and a plus button, the raised thumb at the value's place, the
// filled shaft) and the margin dialog's size edits with their spins. The
// pictures are checked where the drawing must show, and written to the
// folder KESM_DUMP_WINDOWS names, for a person to look at.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/window/window_image.h"
#include "tests/ui/engine/numbers/number_page.h"
#include "ui/engine/item_handlers.h"

namespace numbers_test {
namespace {

constexpr WORD kBalanceDialog = 1038;
constexpr WORD kRedBar = 2273;
constexpr WORD kRed = 141;

class NumberPictures : public NumberPage {
 protected:
  void Dump(const std::string& name) {
    const char* folder = std::getenv("KESM_DUMP_WINDOWS");
    if (folder == nullptr || *folder == '\0') return;
    EXPECT_TRUE(plat::window::WriteWindowPng(host_.page(), std::filesystem::path(folder) / (name + ".png")));
  }
  // The picture of the page and where a control lies in it.
  struct Picture {
    std::vector<std::uint32_t> pixels;
    SIZE size{};
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * size.cx + x)] & 0xFFFFFF; }
  };
  Picture Take() {
    Picture p;
    EXPECT_TRUE(plat::window::PaintWindowImage(host_.page(), &p.pixels, &p.size));
    return p;
  }
  // Where a control lies in the picture of the page (its frame included).
  RECT PlaceOf(WORD id) {
    RECT page{};
    RECT r{};
    GetWindowRect(host_.page(), &page);
    GetWindowRect(Control(id), &r);
    OffsetRect(&r, -page.left, -page.top);
    return r;
  }
};

// The red balance at 5 of -10..10: the thumb starts three quarters along
// the travel between the arrows, on a light track.
TEST_F(NumberPictures, ADecoratedBarShowsItsButtonsAndThumb) {
  Given(kRed, 5);
  Open(kBalanceDialog);
  const Picture p = Take();
  Dump("numbers-balance");
  const RECT bar = PlaceOf(kRedBar);
  const int w = CalcScrollButtonWidth();
  const int midY = (bar.top + bar.bottom) / 2;
  // The minus bar of the left button and the plus's upright of the right
  // one, in the menu text colour.
  const std::uint32_t mark = GetSysColor(COLOR_MENUTEXT);
  const auto rgb = [](COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
  EXPECT_EQ(p.At(bar.left + w / 2, midY), rgb(mark));
  EXPECT_EQ(p.At(bar.right - w / 2 - 1, bar.top + 5), rgb(mark));
  EXPECT_NE(p.At(bar.left + w / 2, bar.top + 5), rgb(mark));
  // The thumb, a button face, stands where the value puts it; the track on
  // either side is light.
  const int travel = bar.right - bar.left - 3 * w;
  const int thumb = bar.left + w + travel * 15 / 20;
  EXPECT_EQ(p.At(thumb + w / 2, midY), rgb(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(p.At(thumb - 2, midY), rgb(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(p.At(bar.left + w + 2, midY), rgb(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(p.At(thumb + w + 2, midY), rgb(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

TEST_F(NumberPictures, TheMarginDialogShowsItsSizes) {
  GivenMillimetres();
  Given(kShiftX, 2000);
  Given(kMarginOdd, 4800);
  Open(kMarginDialog);
  Dump("numbers-margin");
  EXPECT_EQ(Text(kShiftXEdit), u"42.4mm");
  EXPECT_EQ(Text(kOddEdit), u"101.6");
}

}  // namespace
}  // namespace numbers_test
