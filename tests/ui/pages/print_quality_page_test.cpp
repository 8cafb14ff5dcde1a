// The print-quality page of the document sheet as a person works it: manual
// colour adjustment for photos and toner saving picked, then OK; the
// DEVMODE handed out carries each choice where the printer reads it, and
// Cancel hands out nothing.
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kQualityTab = 6;
constexpr int kManualRadio = 3131;   // kdmAdjustMode 1: the byte at 556
constexpr int kPhotosRadio = 3142;   // kdmAdjustObject 2: the byte at 557
constexpr int kSaveTonerBox = 3438;  // kdmFuncSelectTonerSave: switch 13

class PrintQualityPage : public PageSheetMachine {};

TEST_F(PrintQualityPage, OkHandsOutColourAdjustmentAndTonerSaving) {
  const Bytes in = Default();
  ASSERT_EQ(in[556], 0);
  ASSERT_EQ(in[557], 0);
  ASSERT_EQ(Switch(in, 13), 0);
  CancelThenOk(
      kQualityTab, in,
      [](kesm_test::UiScript& script) {
        script.click(Control(kManualRadio)).click(Control(kPhotosRadio)).click(Control(kSaveTonerBox));
      },
      "print_quality.png",
      [](const Bytes& out) {
        EXPECT_EQ(out[556], 1);
        EXPECT_EQ(out[557], 2);
        EXPECT_EQ(Switch(out, 13), 1);
      });
}

}  // namespace
}  // namespace ui_test
