// The preset page's N-up button opens the settings sheet on its Edit page
// and asks it to run the N-up kind list's transaction as it opens (here:
// N-up turned on). The sheet's page that holds the list runs it, and no
// request outlives the settings sheet: after its Cancel N-up is off and
// nothing runs later on the preset page.
#include "platform/window/window_control.h"
#include "settings/values/setting_lookup.h"
#include "tests/features/preset/preset_sheet.h"

namespace preset_test {
namespace {

constexpr int kNupButton = 2004;
constexpr WORD kFuncSelectNup = 56;
constexpr DWORD kRequestTransactOnOpen = 0x20000000;
constexpr int kPresetList = 2001;

using NupButton = PresetSheet;

// Without painting (as the sheet monkey walks), no message reaches the
// preset page while the settings sheet is open.
TEST_F(NupButton, TheSettingsSheetRunsTheRequestAndCancelLeavesNothingBehind) {
  plat::window::SuspendPainting(true);
  UiScript script;
  script.click(PageItem(kNupButton))
      .check("the settings sheet ran the N-up kind's transaction as it opened",
             [] {
               UCB* ucb = ContextOfPage(WindowRef::Page(SettingsSheet()).Resolve());
               ASSERT_NE(ucb, nullptr);
               EXPECT_EQ(GetDevmodeValueByFuncID(ucb, kFuncSelectNup, nullptr), 1);
               EXPECT_EQ(GetRequestCode(ucb) & kRequestTransactOnOpen, 0u);
             })
      .press(SettingsSheet(), IDCANCEL)
      // Back on the preset page, which would run a request left standing.
      .click(PageItem(kPresetList))
      .check("nothing ran on the preset page", [] {
        UCB* ucb = Context();
        ASSERT_NE(ucb, nullptr);
        EXPECT_EQ(GetRequestCode(ucb) & kRequestTransactOnOpen, 0u);
        EXPECT_EQ(GetDevmodeValueByFuncID(ucb, kFuncSelectNup, nullptr), 0);
      })
      .press(Sheet(), IDOK);
  Bytes out = Filled(kDriverDevmode);
  EXPECT_EQ(RunSheet(script, 0, &out), CPSUI_OK);
  plat::window::SuspendPainting(false);
}

}  // namespace
}  // namespace preset_test
