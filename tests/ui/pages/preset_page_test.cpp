// The preset page of the document sheet as a person works it: another
// paper size picked, landscape chosen and the copies typed, then OK; the
// DEVMODE handed out carries each choice, and Cancel hands out nothing.
#include "platform/window/winuser_controls.h"
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kPresetTab = 0;
constexpr int kPaperSizeCombo = 2017;
constexpr int kLandscapeRadio = 2027;
constexpr int kCopiesEdit = 2029;
constexpr short kPortrait = 1;  // dmOrientation
constexpr short kLandscape = 2;

class PresetPage : public PageSheetMachine {};

TEST_F(PresetPage, OkHandsOutThePaperOrientationAndCopiesChosen) {
  Bytes in = Default();
  ASSERT_EQ(Dm(in)->dmOrientation, kPortrait);
  const short paperBefore = Dm(in)->dmPaperSize;
  CancelThenOk(
      kPresetTab, in,
      [](kesm_test::UiScript& script) {
        script
            .check("the paper sizes offered",
                   [] {
                     HWND combo = Control(kPaperSizeCombo).Resolve();
                     EXPECT_GE(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
                     EXPECT_NE(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
                   })
            .pick(Control(kPaperSizeCombo), 1)
            .click(Control(kLandscapeRadio))
            .text(Control(kCopiesEdit), u"4");
      },
      "preset.png",
      [&](const Bytes& out) {
        Bytes copy = out;
        EXPECT_NE(Dm(copy)->dmPaperSize, paperBefore);
        EXPECT_EQ(Dm(copy)->dmOrientation, kLandscape);
        EXPECT_EQ(Dm(copy)->dmCopies, 4);
      });
}

}  // namespace
}  // namespace ui_test
