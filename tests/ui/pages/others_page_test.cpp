// The others page of the document sheet as a person works it: mirrored
// printing and hairlines switched on, then OK; the DEVMODE handed out
// carries both where the printer reads them, and Cancel hands out nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kOthersTab = 5;
constexpr int kHairlineBox = 3424;  // kdmCosmeticLine: the byte at 594
constexpr int kMirrorBox = 3428;    // kdmExtOutputMirror: bit 6 of the word at 592

class OthersPage : public SheetMachine {
 protected:
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }
  static WindowRef Control(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static int Mirror(const Bytes& dm) { return (dm[592] >> 6) & 1; }
};

TEST_F(OthersPage, OkHandsOutMirroringAndHairlines) {
  const Bytes in = Default();
  ASSERT_EQ(Mirror(in), 0);
  ASSERT_EQ(in[594], 0);
  const std::filesystem::path folder = PictureFolder();
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    Bytes given = in;
    Bytes out = Filled(kDriverDevmode);
    UiScript script;
    script.tab(Sheet(), kOthersTab)
        .click(Control(kHairlineBox))
        .click(Control(kMirrorBox))
        .check("the page as the person leaves it",
               [&] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / "others.png")); })
        .press(Sheet(), button);
    EXPECT_EQ(DocumentSheet(out, &given, DM_COPY | DM_MODIFY), button);
    EXPECT_TRUE(script.done());
    if (button == IDOK) {
      EXPECT_EQ(Mirror(out), 1);
      EXPECT_EQ(out[594], 1);
    } else {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

}  // namespace
}  // namespace ui_test
