// The output-tray names of the printer sheet: the number of the name edit
// that has the focus is kept for the pictures that show the trays, and a
// name changed is offered in the output-tray lists.
#include <gtest/gtest.h>

#include "tests/features/other/other_sheet.h"

namespace other_test {
namespace {

constexpr int kOutputTraysTab = 3;
constexpr WORD kFuncPrintPostTrayNo = 857;
constexpr int kFirstNameEdit = 2193;

class OutputTrayNames : public OtherSheet {
 protected:
  static LONG_PTR FocusedTray() {
    UCB* ucb = ContextOfPage(WindowRef::Page(Sheet()).Resolve());
    return GetDevmodeValueDirectByFuncID(ucb, kFuncPrintPostTrayNo, nullptr);
  }
};

TEST_F(OutputTrayNames, TheFocusedNameEditIsKnownByItsNumber) {
  UiScript script;
  script.tab(Sheet(), kOutputTraysTab).check("no name edit yet", [] { EXPECT_EQ(FocusedTray(), 0); });
  for (int k : {3, 1, 9}) {
    script.click(PageItem(kFirstNameEdit + 2 * (k - 1))).check("edit " + std::to_string(k), [k] {
      EXPECT_EQ(FocusedTray(), k);
    });
  }
  script.text(PageItem(kFirstNameEdit), u"Mailbox").check("named", [] {
    EXPECT_EQ(FocusedTray(), 1);
    EXPECT_EQ(FocusText(), u"Mailbox");
  });
  script.click(WindowRef::Item(Sheet(), IDCANCEL));
  LONG result = -1;
  EXPECT_EQ(HookedDeviceSheet({}, &result), CPSUI_OK);
  EXPECT_TRUE(script.done());
}

}  // namespace
}  // namespace other_test
