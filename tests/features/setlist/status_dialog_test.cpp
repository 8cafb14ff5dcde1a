// The status dialog as a person opens it from a page: the summary of the
// print-quality settings, one labelled line each, and its Close button.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/subdialogs/subdialog_machine.h"

namespace ui_test {
namespace {

constexpr WORD kStatusDialog = 1020;
constexpr int kSummary = 2248;
constexpr int kClose = 3585;

class StatusDialog : public SubDialogMachine {};

TEST_F(StatusDialog, ShowsTheSummaryAndClosesWithItsButton) {
  int result = -2;
  std::string summary;
  kesm_test::UiScript script;
  Open(script, kStatusDialog, &result);
  script.check("the summary", [&] { summary = ItemText(kSummary); }).click(Button(kClose));
  EXPECT_TRUE(script.run());
  EXPECT_EQ(result, IDOK);
  // The first lines, label then value; the headings stand alone.
  EXPECT_EQ(summary.rfind("Print quality: ", 0), 0u) << summary;
  EXPECT_NE(summary.find("\r\nHalftone: "), std::string::npos) << summary;
  EXPECT_NE(summary.find("\r\nColour settings\r\nColour adjustment\r\n"), std::string::npos) << summary;
  EXPECT_NE(summary.find("\r\nOther objects\r\n  Profile: "), std::string::npos) << summary;
}

}  // namespace
}  // namespace ui_test
