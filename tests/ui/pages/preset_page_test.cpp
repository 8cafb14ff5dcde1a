// The preset page of the document sheet as a person works it: another
// paper size picked, landscape chosen and the copies typed, then OK; the
// DEVMODE handed out carries each choice, and Cancel hands out nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/window/winuser_controls.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kPresetTab = 0;
constexpr int kPaperSizeCombo = 2017;
constexpr int kLandscapeRadio = 2027;
constexpr int kCopiesEdit = 2029;
constexpr short kPortrait = 1;  // dmOrientation
constexpr short kLandscape = 2;

class PresetPage : public SheetMachine {
 protected:
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }
  static WindowRef Control(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
};

TEST_F(PresetPage, OkHandsOutThePaperOrientationAndCopiesChosen) {
  Bytes in = Default();
  ASSERT_EQ(Dm(in)->dmOrientation, kPortrait);
  const short paperBefore = Dm(in)->dmPaperSize;
  const std::filesystem::path folder = PictureFolder();
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    Bytes given = in;
    Bytes out = Filled(kDriverDevmode);
    UiScript script;
    script.tab(Sheet(), kPresetTab)
        .check("the paper sizes offered",
               [&] {
                 HWND combo = Control(kPaperSizeCombo).Resolve();
                 EXPECT_GE(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
                 EXPECT_NE(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
               })
        .pick(Control(kPaperSizeCombo), 1)
        .click(Control(kLandscapeRadio))
        .text(Control(kCopiesEdit), u"4")
        .check("the page as the person leaves it",
               [&] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / "preset.png")); })
        .press(Sheet(), button);
    EXPECT_EQ(DocumentSheet(out, &given, DM_COPY | DM_MODIFY), button);
    EXPECT_TRUE(script.done());
    if (button == IDOK) {
      EXPECT_NE(Dm(out)->dmPaperSize, paperBefore);
      EXPECT_EQ(Dm(out)->dmOrientation, kLandscape);
      EXPECT_EQ(Dm(out)->dmCopies, 4);
    } else {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

}  // namespace
}  // namespace ui_test
