// The cover-and-mark page of the document sheet as a person works it: a
// front cover and a back cover switched on, then OK; the DEVMODE handed out
// carries both where the printer reads them, and Cancel hands out nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kCoverMarkTab = 4;
constexpr int kFrontCoverBox = 3408;  // kdmFuncSelectCover: bit 10 of the word at 436
constexpr int kBackCoverBox = 3409;   // kdmFuncSelectBack: bit 11 of the word at 436

class CoverMarkPage : public SheetMachine {
 protected:
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }
  static WindowRef Control(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static int Bit(const Bytes& dm, int bit) {
    const unsigned word = dm[436] | dm[437] << 8;
    return static_cast<int>((word >> bit) & 1);
  }
};

TEST_F(CoverMarkPage, OkHandsOutFrontAndBackCovers) {
  const Bytes in = Default();
  ASSERT_EQ(Bit(in, 10), 0);
  ASSERT_EQ(Bit(in, 11), 0);
  const std::filesystem::path folder = PictureFolder();
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    Bytes given = in;
    Bytes out = Filled(kDriverDevmode);
    UiScript script;
    script.tab(Sheet(), kCoverMarkTab)
        .click(Control(kFrontCoverBox))
        .click(Control(kBackCoverBox))
        .check("the page as the person leaves it",
               [&] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / "cover_mark.png")); })
        .press(Sheet(), button);
    EXPECT_EQ(DocumentSheet(out, &given, DM_COPY | DM_MODIFY), button);
    EXPECT_TRUE(script.done());
    if (button == IDOK) {
      EXPECT_EQ(Bit(out, 10), 1);
      EXPECT_EQ(Bit(out, 11), 1);
    } else {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

}  // namespace
}  // namespace ui_test
