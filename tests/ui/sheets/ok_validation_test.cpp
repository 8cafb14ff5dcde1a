// A table over the test printers: after each step a person may take before
// OK, what the sheet hands out is what the printer's validation keeps, byte
// for byte. A control whose value validation would change is disabled, or
// holds the value inside the range validation keeps.
#include <gtest/gtest.h>

#include <string>

#include "platform/window/messagebox_control.h"
#include "platform/window/winuser_controls.h"
#include "tests/common/sample_descriptions.h"
#include "tests/ui/sheets/sheet_machine.h"
#include "tests/ui/sheets/validation_keeps.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;

constexpr int kCopiesEdit = 2049;
constexpr int kScaleEdit = 2059;
constexpr int kScaleHEdit = 3326;
constexpr int kStapleTypeList = 2102;
constexpr int kMarginShiftEdit = 3364;
constexpr int kLandscapeButton = 2027;
constexpr int kSeparationCycleSpin = 3394;

// One step a person takes on a test printer before pressing OK; a control
// the printer hides or disables is passed over, as a person cannot use it.
struct OkStep {
  const char* what;
  std::u16string tab;
  int control;
  enum { kType, kSelect, kClick, kSpinDown, kNothing } how;
  std::u16string text;
  int index;
};

const OkStep kOkSteps[] = {
    {"plain OK", u"Basic", 0, OkStep::kNothing, u"", 0},
    {"copies 0", u"Basic", kCopiesEdit, OkStep::kType, u"0", 0},
    {"copies empty", u"Basic", kCopiesEdit, OkStep::kType, u"", 0},
    {"scale 50", u"Basic", kScaleEdit, OkStep::kType, u"50", 0},
    {"scale 400", u"Basic", kScaleEdit, OkStep::kType, u"400", 0},
    {"scale h 5000", u"Basic", kScaleHEdit, OkStep::kType, u"5000", 0},
    {"staple type", u"Finish", kStapleTypeList, OkStep::kSelect, u"", 1},
    // A length beyond the widest margin validation keeps (50 mm).
    {"margin shift 200", u"Edit", kMarginShiftEdit, OkStep::kType, u"200", 0},
    // The paper turned, also where the description gives no printable area.
    {"landscape", u"Preset", kLandscapeButton, OkStep::kClick, u"", 0},
    // Below the one sheet validation keeps as the least separation cycle.
    {"separation cycle spun down", u"Finish", kSeparationCycleSpin, OkStep::kSpinDown, u"", 3},
};

class OkHandsOutWhatValidationKeeps : public SheetMachine, public ::testing::WithParamInterface<const char*> {
 protected:
  const char* Description() const override { return GetParam(); }

  // OK, and whatever the sheet asks then answered with OK, until it ends.
  static void PressOkUntilClosed(plat::window::Script& script, int rounds) {
    script.decide([rounds](plat::window::Script& s) {
      if (!plat::window::OpenMessageBoxes().empty()) {
        s.answerBox(u"", IDOK);
      } else if (Sheet().Resolve() != nullptr) {
        s.press(Sheet(), IDOK);
      } else {
        return;
      }
      if (rounds > 0) PressOkUntilClosed(s, rounds - 1);
    });
  }
};

TEST_P(OkHandsOutWhatValidationKeeps, AfterEachStep) {
  for (const OkStep& step : kOkSteps) {
    SCOPED_TRACE(step.what);
    UiScript script;
    ShowTab(script, step.tab);
    script.decide([&step](plat::window::Script& s) {
      HWND control = step.control != 0 ? OnPage(step.control).Resolve() : nullptr;
      if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control)) return;
      if (step.how == OkStep::kType) s.text(control, step.text);
      if (step.how == OkStep::kClick) s.click(control);
      for (int i = 0; step.how == OkStep::kSpinDown && i < step.index; ++i) s.scroll(control, SB_LINEDOWN);
      const auto entries = SendMessageW(control, LB_GETCOUNT, 0, 0);
      if (step.how == OkStep::kSelect && entries > step.index) s.select(control, step.index);
    });
    PressOkUntilClosed(script, 4);
    Bytes out = Filled(kDriverDevmode);
    ASSERT_EQ(DocumentSheet(out, nullptr, DM_COPY), IDOK);
    EXPECT_EQ(ValidationChanges(printer_, out), "") << "validation changes (offset:given->kept)";
  }
}

INSTANTIATE_TEST_SUITE_P(TestPrinters, OkHandsOutWhatValidationKeeps,
                         ::testing::Values("kesm_a6_alerts.kpd", "kesm_w2_stamp.kpd", "kesm_f4_finisher.kpd",
                                           "kesm_w2_request.kpd"),
                         [](const auto& info) { return kesm_test::SampleTestName(info.param); });

}  // namespace
}  // namespace ui_test
