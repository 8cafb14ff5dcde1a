// The print-quality page of the document sheet as a person works it: manual
// colour adjustment for photos and toner saving picked, then OK; the
// DEVMODE handed out carries each choice where the printer reads it, and
// Cancel hands out nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kQualityTab = 6;
constexpr int kManualRadio = 3131;   // kdmAdjustMode 1: the byte at 556
constexpr int kPhotosRadio = 3142;   // kdmAdjustObject 2: the byte at 557
constexpr int kSaveTonerBox = 3438;  // kdmFuncSelectTonerSave: bit 13 of the word at 436

class PrintQualityPage : public SheetMachine {
 protected:
  Bytes Default() {
    Bytes out(kDriverDevmode);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer_, const_cast<LPWSTR>(kPrinter), Dm(out), nullptr, DM_COPY), 1);
    return out;
  }
  static WindowRef Control(int id) { return WindowRef::Item(WindowRef::Page(Sheet()), id); }
  static int SaveToner(const Bytes& dm) { return (dm[437] >> 5) & 1; }
};

TEST_F(PrintQualityPage, OkHandsOutColourAdjustmentAndTonerSaving) {
  const Bytes in = Default();
  ASSERT_EQ(in[556], 0);
  ASSERT_EQ(in[557], 0);
  ASSERT_EQ(SaveToner(in), 0);
  const std::filesystem::path folder = PictureFolder();
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    Bytes given = in;
    Bytes out = Filled(kDriverDevmode);
    UiScript script;
    script.tab(Sheet(), kQualityTab)
        .click(Control(kManualRadio))
        .click(Control(kPhotosRadio))
        .click(Control(kSaveTonerBox))
        .check("the page as the person leaves it",
               [&] { EXPECT_TRUE(plat::window::WriteWindowPng(Sheet().Resolve(), folder / "print_quality.png")); })
        .press(Sheet(), button);
    EXPECT_EQ(DocumentSheet(out, &given, DM_COPY | DM_MODIFY), button);
    EXPECT_TRUE(script.done());
    if (button == IDOK) {
      EXPECT_EQ(out[556], 1);
      EXPECT_EQ(out[557], 2);
      EXPECT_EQ(SaveToner(out), 1);
    } else {
      EXPECT_EQ(out, Filled(kDriverDevmode));
    }
  }
}

}  // namespace
}  // namespace ui_test
