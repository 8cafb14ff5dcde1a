// The boxes the layers below the configuration library show once it has
// registered its hooks: the storage code's messages and questions and the
// device status query's progress window and failure alert, answered
// through the script driver as a person would.
#include "ui/alerts/engine_hooks.h"

#include <gtest/gtest.h>

#include "devicecomm/bidi/bidi_ui.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_styles.h"
#include "storage/install/preset_refresh.h"
#include "storage/setfiles/storage_services.h"
#include "tests/ui/engine_machine.h"
#include "ui/alerts/progress_window.h"

namespace ui_test {
namespace {

using plat::window::MessageBoxes;

class EngineHooks : public EngineMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineMachine::SetUp());
    plat::window::ClearMessageBoxRecords();
    RegisterEngineHooks();
  }
  void TearDown() override {
    UnregisterEngineHooks();
    EngineMachine::TearDown();
  }
};

TEST_F(EngineHooks, AStorageMessageShowsItsTextWithTheInsert) {
  kesm_test::UiScript script;
  script.answerBox(u"was written by another driver version", IDOK);
  storage::ShowStorageMessage(ucb_, 10023, u"C:\\_kesm\\office.rsr");
  EXPECT_TRUE(script.done());
  const auto boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"The settings file C:\\_kesm\\office.rsr was written by another driver version.");
  EXPECT_EQ(boxes[0].caption, u"Kesm W2 Office");
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONWARNING);
}

TEST_F(EngineHooks, AStorageQuestionGivesThePressedButton) {
  kesm_test::UiScript script;
  script.answerBox(u"will be removed", IDCANCEL).answerBox(u"will be removed", IDOK);
  EXPECT_EQ(storage::AskStorageQuestion(ucb_, 10017, u"  Draft\n  Proof"), IDCANCEL);
  EXPECT_EQ(storage::AskStorageQuestion(ucb_, 10017, u"  Draft"), IDOK);
  const auto boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"These presets will be removed:\n  Draft\n  Proof");
  EXPECT_EQ(boxes[0].type, MB_OKCANCEL | MB_ICONWARNING);
}

TEST_F(EngineHooks, WithoutTheHooksNothingIsShownAndTheQuestionGoesOn) {
  UnregisterEngineHooks();
  storage::ShowStorageMessage(ucb_, 10023, u"x");
  EXPECT_EQ(storage::AskStorageQuestion(ucb_, 10017, u"x"), IDOK);
  EXPECT_EQ(BidiStartWindow(ucb_, nullptr), nullptr);
  EXPECT_EQ(AlertBidiFail(ucb_, nullptr), 0);
  EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(EngineHooks, TheStatusQueryShowsItsProgressWindowAndItsFailure) {
  const HWND window = BidiStartWindow(ucb_, nullptr);
  ASSERT_NE(window, nullptr);
  WCHAR text[256] = {};
  GetDlgItemTextW(window, kProgressTextItem, text, 256);
  EXPECT_EQ(std::u16string(text), u"Reading the status of the printer.");
  BidiEndWindow(ucb_, window);
  EXPECT_FALSE(IsWindow(window));
  kesm_test::UiScript script;
  script.answerBox(u"did not answer", IDOK);
  EXPECT_EQ(AlertBidiFail(ucb_, nullptr), IDOK);
  const auto boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONWARNING);
}

}  // namespace
}  // namespace ui_test
