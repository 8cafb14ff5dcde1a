// The edit page of the document sheet as a person works it: pages per
// sheet and 2-sided printing ticked, a number of border lines typed, then
// OK; the DEVMODE handed out carries each choice where the printer reads
// it, and Cancel hands out nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kEditTab = 2;
constexpr int kNupBox = 3358;     // kdmFuncSelectNup: bit 1 of the word at 436
constexpr int kDuplexBox = 3357;  // kdmFuncSelectDuplex: bit 3 of the word at 436
constexpr int kNupLineEdit = 3365;  // kdmNUPLine: the byte at 450

class EditPage : public SheetMachine {
 protected:
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }
  static WindowRef Control(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static int Bit(const Bytes& dm, int bit) { return (dm[436] >> bit) & 1; }
};

TEST_F(EditPage, OkHandsOutTheLayoutAnd2SidedChoices) {
  const Bytes in = Default();
  ASSERT_EQ(Bit(in, 1), 0);
  ASSERT_EQ(Bit(in, 3), 0);
  const std::filesystem::path folder = PictureFolder();
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    Bytes given = in;
    Bytes out = Filled(kDriverDevmode);
    UiScript script;
    script.tab(Sheet(), kEditTab)
        .click(Control(kNupBox))
        .click(Control(kDuplexBox))
        .text(Control(kNupLineEdit), u"2")
        .check("the page as the person leaves it",
               [&] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / "edit.png")); })
        .press(Sheet(), button);
    EXPECT_EQ(DocumentSheet(out, &given, DM_COPY | DM_MODIFY), button);
    EXPECT_TRUE(script.done());
    if (button == IDOK) {
      EXPECT_EQ(Bit(out, 1), 1);
      EXPECT_EQ(Bit(out, 3), 1);
      EXPECT_EQ(out[450], 2);
    } else {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

}  // namespace
}  // namespace ui_test
