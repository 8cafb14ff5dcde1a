// Message boxes as a user meets them: the texts of the resource library
// with their arguments, head and tail, the printer's name as the caption
// unless another is asked for, and the requests that show nothing. Every
// box is answered through the script driver, as a person presses a button.
#include "ui/alerts/alert_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window/messagebox_control.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_styles.h"
#include "tests/ui/engine_machine.h"
#include "ui/alerts/progress_window.h"

namespace ui_test {
namespace {

using plat::window::MessageBoxes;
using plat::window::WindowRef;

constexpr std::u16string_view kPrinterName = u"Kesm W2 Office";

class AlertMessage : public EngineMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineMachine::SetUp());
    plat::window::ClearMessageBoxRecords();
  }
  // Shows the request, answering its box with the button; the box's record.
  plat::window::MessageBoxRecord Show(const ALERTMSGREQUEST& request, int button, int* result) {
    kesm_test::UiScript script;
    script.answerBox(u"", button);
    *result = ShowAlertMsgEx(ucb_, &request, nullptr);
    EXPECT_TRUE(script.done());
    const auto boxes = MessageBoxes();
    return boxes.empty() ? plat::window::MessageBoxRecord{} : boxes.back();
  }
};

struct BoxCase {
  const char* what;
  ALERTMSGREQUEST request;
  std::u16string text;
  std::u16string caption;
  UINT type;
};

const WORD kTrays[] = {4, 7, 9, 11, 12, 13, 14, 15, 16};

TEST_F(AlertMessage, TheBoxShowsTheComposedTextAndCaption) {
  const std::u16string printer(kPrinterName);
  const std::vector<BoxCase> cases = {
      {"caption id 0: the printer's name",
       {9005, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgNone, 0, nullptr, nullptr},
       u"Plain message", printer, MB_OK | MB_ICONWARNING},
      {"a caption string of its own",
       {9005, 9003, MB_ICONINFORMATION, MB_OKCANCEL, nullptr, kAlertArgNone, 0, nullptr, nullptr},
       u"Plain message", u"Engine test caption", MB_OKCANCEL | MB_ICONINFORMATION},
      {"a string argument",
       {9004, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgOne, 0, u"A5", nullptr},
       u"Paper A5 is not loaded", printer, MB_OK | MB_ICONWARNING},
      {"a value as the one argument",
       {9001, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgOne, 0, reinterpret_cast<const void*>(12), nullptr},
       u"Copies: 12", printer, MB_OK | MB_ICONWARNING},
      {"a list of three values",
       {9002, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgList, 3, kTrays, nullptr},
       u"Trays 4, 7 and 9", printer, MB_OK | MB_ICONWARNING},
      {"a list of two values for three conversions",
       {9002, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgList, 2, kTrays, nullptr},
       u"Trays 4, 7 and 0", printer, MB_OK | MB_ICONWARNING},
      {"a list of more than 8 values: the first only",
       {9002, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgList, 9, kTrays, nullptr},
       u"Trays 4, 0 and 0", printer, MB_OK | MB_ICONWARNING},
      {"a string conversion given a list reads no string",
       {9004, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgList, 1, kTrays, nullptr},
       u"Paper  is not loaded", printer, MB_OK | MB_ICONWARNING},
      {"a message without an argument keeps its percent signs",
       {9006, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgNone, 0, nullptr, nullptr},
       u"Off by 100%%", printer, MB_OK | MB_ICONWARNING},
      {"a message formatted with an argument",
       {9006, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgOne, 0, u"x", nullptr},
       u"Off by 100%", printer, MB_OK | MB_ICONWARNING},
      {"head and tail",
       {9005, 0, MB_ICONWARNING, MB_OK, u"Head", kAlertArgNone, 0, nullptr, u"Tail"},
       u"Head\r\n\r\nPlain message\r\n\r\nTail\r\n\r\n", printer, MB_OK | MB_ICONWARNING},
      {"a message the library lacks: an empty text",
       {9999, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgNone, 0, nullptr, nullptr},
       u"", printer, MB_OK | MB_ICONWARNING},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.what);
    plat::window::ClearMessageBoxRecords();
    int result = -1;
    const auto box = Show(c.request, IDOK, &result);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, c.caption);
    EXPECT_EQ(box.type, c.type);
    EXPECT_EQ(MessageBoxes().size(), 1u);
  }
}

TEST_F(AlertMessage, TheAnswerIsThePressedButton) {
  const ALERTMSGREQUEST request{9005, 0, MB_ICONWARNING, MB_OKCANCEL, nullptr, kAlertArgNone, 0, nullptr, nullptr};
  int result = 0;
  Show(request, IDCANCEL, &result);
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(AlertMessage, RequestsThatShowNothingReturn0) {
  const ALERTMSGREQUEST listOfNone{9002, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgList, 0, kTrays, nullptr};
  const ALERTMSGREQUEST argumentOfKind0{9004, 0, MB_ICONWARNING, MB_OK, nullptr, kAlertArgNone, 0, u"A4", nullptr};
  for (const ALERTMSGREQUEST* request : {&listOfNone, &argumentOfKind0, static_cast<const ALERTMSGREQUEST*>(nullptr)}) {
    EXPECT_EQ(ShowAlertMsgEx(ucb_, request, nullptr), 0);
  }
  EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(AlertMessage, TheWrappersShowWarningsWithTheirButtons) {
  kesm_test::UiScript script;
  script.answerBox(u"Plain", IDOK).answerBox(u"Plain", IDCANCEL).answerBox(u"A3", IDOK).answerBox(u"Plain", IDOK);
  EXPECT_EQ(_ShowAlertMsgEx11(ucb_, nullptr, 9005), IDOK);
  EXPECT_EQ(_ShowAlertMsgEx12(ucb_, nullptr, 9005), IDCANCEL);
  EXPECT_EQ(_ShowAlertMsgEx21(ucb_, nullptr, 9004, u"A3"), IDOK);
  EXPECT_EQ(ShowAlertMessage(ucb_, nullptr, 9005, MB_ICONINFORMATION, MB_OK), IDOK);
  const auto boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONWARNING);
  EXPECT_EQ(boxes[1].type, MB_OKCANCEL | MB_ICONWARNING);
  EXPECT_EQ(boxes[2].text, u"Paper A3 is not loaded");
  EXPECT_EQ(boxes[3].type, MB_OK | MB_ICONINFORMATION);
}

TEST_F(AlertMessage, AnOperatingSystemErrorShowsItsTextUnderThePrinterName) {
  kesm_test::UiScript script;
  script.answerBox(u"Access is denied.", IDOK);
  EXPECT_EQ(ShowAlertOSMsg(ucb_, 5, nullptr), 1);
  const auto boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, kPrinterName);
  EXPECT_EQ(boxes[0].type, MB_ICONWARNING);
}

TEST_F(AlertMessage, AnUnknownOperatingSystemErrorShowsNothingAndReturns1) {
  EXPECT_EQ(ShowAlertOSMsg(ucb_, 0x2000ABCD, nullptr), 1);
  EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(AlertMessage, TheProgressWindowShowsTheMessageUnderThePrinterName) {
  const HWND window = StartWindow(ucb_, nullptr, 7001);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  plat::window::DumpShownWindow(window);  // for a person to look at, with KESM_DUMP_WINDOWS
  WCHAR text[256] = {};
  GetWindowTextW(window, text, 256);
  EXPECT_EQ(std::u16string(text), kPrinterName);
  GetDlgItemTextW(window, kProgressTextItem, text, 256);
  EXPECT_EQ(std::u16string(text), u"Reading the status of the printer.");
  EndWindow(ucb_, window);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace ui_test
