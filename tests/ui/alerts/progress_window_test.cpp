// The progress window as the shipped resource library builds it: its own
// dialog template, the status query's message in the text line, the
// printer's name as the title, and the message kept in the context's text
// buffer while the window shows.
#include "ui/alerts/progress_window.h"

#include <gtest/gtest.h>

#include <string>

#include "devicecomm/bidi/bidi_ui.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_dialogs.h"
#include "settings/context/context_block.h"
#include "tests/ui/ui_machine.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

constexpr std::u16string_view kMessage = u"Reading the status of the printer.";

class ProgressWindow : public UiMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(UiMachine::SetUp());
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
  }
  void TearDown() override {
    if (ucb_ != nullptr) FreeUcb2(ucb_, 1);
    ucb_ = nullptr;
    UiMachine::TearDown();
  }
  UCB* ucb_ = nullptr;
};

TEST_F(ProgressWindow, TheShippedLibraryShowsTheStatusMessageUnderThePrinterName) {
  const HWND window = StartWindow(ucb_, nullptr, kBidiProgressMessage);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  plat::window::DumpShownWindow(window);  // for a person to look at, with KESM_DUMP_WINDOWS
  WCHAR text[256] = {};
  GetWindowTextW(window, text, 256);
  EXPECT_EQ(std::u16string(text), std::u16string(kPrinter));
  GetDlgItemTextW(window, kProgressTextItem, text, 256);
  EXPECT_EQ(std::u16string(text), kMessage);
  EXPECT_EQ(std::u16string(ucb_->pWork->szScratch), kMessage);
  EndWindow(ucb_, window);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(ProgressWindow, TheShippedLibraryHoldsTheFailureAlertText) {
  WCHAR text[256] = {};
  LoadStringFromResDll(ucb_, kBidiFailMessage, text, 256, FALSE);
  EXPECT_EQ(std::u16string(text), u"The printer did not answer.");
}

}  // namespace
}  // namespace ui_test
