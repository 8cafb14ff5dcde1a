// The alert's message box: its text from the resource library, its caption
// the record's own title (cut to what a title holds) or the printer's name;
// a number edit's alert, judged when the person leaves the edit, is shown
// once the page has finished with the edit, with OK only, and gives the
// focus back to the edit.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/engine/alert_page.h"
#include "ui/engine/change_road.h"

namespace ui_test {
namespace {

constexpr WORD kCosmeticAlertId = 320;
constexpr DWORD kLongCaption = 9101;

class AlertBox : public AlertPageMachine {};

TEST_F(AlertBox, ARecordWithATitleShowsItCutToSixtyFourCharacters) {
  AlterAlerts([](AP& ap) {
    if (ap.alertId == kCosmeticAlertId) ap.titleId = kLongCaption;
  });
  Open(kOthersPage);
  kesm_test::UiScript script;
  script.click(Box(kCosmeticBox)).answerBox(u"Cosmetic lines", IDOK);
  EXPECT_TRUE(script.run());
  const auto boxes = plat::window::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  const std::u16string caption = boxes[0].caption;
  EXPECT_EQ(caption, u"A caption of the alert tests that is longer than any title may b");
  EXPECT_EQ(caption.size(), 64u);
}

TEST_F(AlertBox, ANumberEditsAlertComesAfterTheEditWithOKOnly) {
  constexpr WORD kPresetPage = 1001;
  constexpr WORD kCopiesEdit = 2029;
  constexpr WORD kOtherEdit = 3320;
  Open(kPresetPage);
  kesm_test::UiScript script;
  script.text(Box(kCopiesEdit), u"8")
      .click(Box(kOtherEdit))
      .check("the alert is open, the value judged already", [&] {
        EXPECT_EQ(Value(kFuncCopies), 8) << "an OK/Cancel alert counts as OK";
        const auto open = plat::window::OpenMessageBoxes();
        ASSERT_EQ(open.size(), 1u);
        EXPECT_EQ(open[0].type, MB_OK | MB_ICONWARNING) << "a Cancel would change nothing now";
      })
      .answerBox(u"More than 5 copies", IDOK)
      .check("the focus is back in the edit", [&] {
        EXPECT_EQ(GetFocus(), Box(kCopiesEdit));
        EXPECT_EQ(Value(kFuncCopies), 8);
        EXPECT_EQ(plat::window::MessageBoxes().size(), 1u) << "shown once";
      });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
