// The alert's message box: its text from the resource library, its caption
// the record's own title (cut to what a title holds) or the printer's name.
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

}  // namespace
}  // namespace ui_test
