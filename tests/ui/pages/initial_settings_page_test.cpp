// The initial-settings page of the document sheet as a person works it:
// the wide print area picked (its warning answered) and Japanese chosen
// for the display, then OK; the DEVMODE handed out carries both where the
// printer reads them, and Cancel hands out nothing.
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kInitialSettingsTab = 7;
constexpr int kPrintAreaChoice = 2152;  // kdmExtPrintArea: the byte at 582
constexpr int kJapaneseButton = 3020;   // kdmDspLanguageID: the byte at 579, 0 for Japanese, 1 for English
constexpr const char16_t* kPrintAreaWarning = u"A new print area changes where the pages are printed.";

class InitialSettingsPage : public PageSheetMachine {
 protected:
  const char* Description() const override { return "kesm_w2_other2.kpd"; }
};

TEST_F(InitialSettingsPage, OkHandsOutThePrintAreaAndTheDisplayLanguage) {
  const Bytes in = Default();
  ASSERT_EQ(in[582], 0);
  ASSERT_EQ(in[579], 1);
  CancelThenOk(
      kInitialSettingsTab, in,
      [](kesm_test::UiScript& script) {
        script.pick(Control(kPrintAreaChoice), 1)
            .answerBox(kPrintAreaWarning, IDOK)
            .click(Control(kJapaneseButton));
      },
      "initial_settings.png",
      [](const Bytes& out) {
        EXPECT_EQ(out[582], 1);
        EXPECT_EQ(out[579], 0);
      });
}

}  // namespace
}  // namespace ui_test
