// The basic page of the document sheet as a person works it: a paper
// size picked, copies and a horizontal scale typed, scaling ticked, then
// OK; the DEVMODE handed out carries each choice where the printer reads
// it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/window/winuser_controls.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kBasicTab = 1;
constexpr int kPaperSizeCombo = 2017;
constexpr int kCopiesEdit = 2049;
constexpr int kScaleBox = 3329;     // kdmFuncSelectScale: bit 0 of the word at 436
constexpr int kScaleWidthEdit = 3326;  // kdmScaleH: the word at 442

class BasicPage : public SheetMachine {
 protected:
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }
  static WindowRef Control(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static int ScaleBit(const Bytes& dm) { return dm[436] & 1; }
  static WORD ScaleWidth(const Bytes& dm) {
    WORD value = 0;
    std::memcpy(&value, &dm[442], sizeof value);
    return value;
  }
};

TEST_F(BasicPage, OkHandsOutThePaperCopiesAndScalingChosen) {
  Bytes in = Default();
  ASSERT_EQ(ScaleBit(in), 0);
  const short paperBefore = Dm(in)->dmPaperSize;
  Bytes out = Filled(kDriverDevmode);
  const std::filesystem::path folder = PictureFolder();
  UiScript script;
  script.tab(Sheet(), kBasicTab)
      .check("the paper sizes offered",
             [&] {
               HWND combo = Control(kPaperSizeCombo).Resolve();
               EXPECT_GE(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
               EXPECT_NE(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
             })
      .pick(Control(kPaperSizeCombo), 1)
      .click(Control(kScaleBox))
      .text(Control(kCopiesEdit), u"3")
      .text(Control(kScaleWidthEdit), u"150")
      .check("the page as the person leaves it",
             [&] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / "basic.png")); })
      .press(Sheet(), IDOK);
  EXPECT_EQ(DocumentSheet(out, &in, DM_COPY | DM_MODIFY), IDOK);
  EXPECT_TRUE(script.done());
  EXPECT_NE(Dm(out)->dmPaperSize, paperBefore);
  EXPECT_EQ(Dm(out)->dmCopies, 3);
  EXPECT_EQ(ScaleBit(out), 1);
  EXPECT_EQ(ScaleWidth(out), 150);
}

}  // namespace
}  // namespace ui_test
