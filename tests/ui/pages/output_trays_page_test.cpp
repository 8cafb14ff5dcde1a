// The output-trays page of the printer sheet as a person works it: two
// trays named, then OK; the printer keeps the names, and Cancel keeps
// neither.
#include "tests/ui/pages/page_sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kOutputTraysTab = 3;
constexpr int kFirstNameEdit = 2193;  // tray k's edit is 2193 + 2 (k - 1)
constexpr int kThirdNameEdit = 2197;
constexpr WORD kFuncFirstName = 1124;  // wdmPrintPostTray1Name; tray k's is 1123 + k
constexpr WORD kFuncThirdName = 1126;

using Names = std::vector<std::u16string>;

class OutputTraysPage : public PageSheetMachine {};

TEST_F(OutputTraysPage, OkKeepsTheNamesTyped) {
  const std::function<Names()> stored = [this] {
    return Names{StoredText(kFuncFirstName), StoredText(kFuncThirdName)};
  };
  PrinterSheetCancelThenOk<Names>(
      kOutputTraysTab, stored,
      [](kesm_test::UiScript& script) {
        script.text(Control(kFirstNameEdit), u"Mailbox").text(Control(kThirdNameEdit), u"Finisher");
      },
      "output_trays.png", [](const Names& after) { EXPECT_EQ(after, (Names{u"Mailbox", u"Finisher"})); });
}

}  // namespace
}  // namespace ui_test
