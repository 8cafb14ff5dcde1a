// Help of one item as a person asks for it with the right mouse button:
// the item's topic from the driver's help file, shown at the item, or at
// the dialog for a sunken text; nothing where no item is.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/help_control.h"
#include "tests/ui/subdialogs/subdialog_machine.h"

namespace ui_test {
namespace {

using kesm_test::UiScript;
using plat::window::MouseButton;
using plat::window::WindowRef;

constexpr WORD kUnitDialog = 1013;
constexpr int kInches = 3061;   // a radio button, topic 20503
constexpr int kExample = 3524;  // the sunken example text, topic 20504

class ItemHelp : public SubDialogMachine {};

TEST_F(ItemHelp, ARightClickShowsTheItemsTopic) {
  const WindowRef dialog =
      WindowRef::Found("the unit dialog", [this] { return GetTCBbyTabID(ucb_, kUnitDialog)->hWnd; });
  HWND dialogWindow = nullptr;
  HWND inches = nullptr;
  plat::window::ClearHelpRequests();
  int result = -2;
  UiScript script;
  Open(script, kUnitDialog, &result);
  script
      .check("the dialog",
             [&] {
               dialogWindow = dialog.Resolve();
               inches = GetDlgItem(dialogWindow, kInches);
             })
      .click(WindowRef::Item(dialog, kInches), MouseButton::kRight)
      .click(WindowRef::Item(dialog, kExample), MouseButton::kRight)
      .clickAt(dialog, POINT{2, 2}, MouseButton::kRight)  // no item there
      .key(VK_ESCAPE);
  ASSERT_TRUE(script.run());
  EXPECT_EQ(result, IDCANCEL);
  const auto requests = plat::window::HelpRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].window, inches);
  EXPECT_EQ(requests[0].command, HELP_CONTEXTMENU);
  EXPECT_EQ(requests[0].file, std::u16string(GetHelpFileName(ucb_)));
  EXPECT_EQ(requests[0].pairs, (std::vector<DWORD>{kInches, 20503}));
  EXPECT_EQ(requests[1].window, dialogWindow) << "a sunken text's help stands at its dialog";
  EXPECT_EQ(requests[1].pairs, (std::vector<DWORD>{kExample, 20504}));
}

}  // namespace
}  // namespace ui_test
