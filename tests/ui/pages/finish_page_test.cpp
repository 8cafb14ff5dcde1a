// The finishing page of the document sheet as a person works it: copies
// collated, holes punched, a punch position picked, then OK; the DEVMODE
// handed out carries each choice where the printer reads it, and Cancel
// hands out nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kFinishTab = 3;
constexpr int kCollateBox = 3388;  // kdmFuncSelectSort: bit 6 of the word at 436
constexpr int kPunchBox = 3389;    // kdmFuncSelectPunch: bit 7 of the word at 436
constexpr int kPunchList = 2100;   // kdmPunchType

class FinishPage : public SheetMachine {
 protected:
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }
  static WindowRef Control(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static int Bit(const Bytes& dm, int bit) { return (dm[436] >> bit) & 1; }
};

TEST_F(FinishPage, OkHandsOutCollatingAndPunching) {
  const Bytes in = Default();
  ASSERT_EQ(Bit(in, 6), 0);
  ASSERT_EQ(Bit(in, 7), 0);
  const std::filesystem::path folder = PictureFolder();
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    Bytes given = in;
    Bytes out = Filled(kDriverDevmode);
    UiScript script;
    script.tab(Sheet(), kFinishTab)
        .click(Control(kCollateBox))
        .click(Control(kPunchBox))
        .select(Control(kPunchList), 0)
        .check("the page as the person leaves it",
               [&] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / "finish.png")); })
        .press(Sheet(), button);
    EXPECT_EQ(DocumentSheet(out, &given, DM_COPY | DM_MODIFY), button);
    EXPECT_TRUE(script.done());
    if (button == IDOK) {
      EXPECT_EQ(Bit(out, 6), 1);
      EXPECT_EQ(Bit(out, 7), 1);
    } else {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

}  // namespace
}  // namespace ui_test
