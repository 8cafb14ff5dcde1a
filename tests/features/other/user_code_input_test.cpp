// The user-code input of the document sheet: its OK asks for a
// confirmation of the code first, and only a confirmed code closes it.
#include <gtest/gtest.h>

#include "tests/features/other/other_sheet.h"

namespace other_test {
namespace {

constexpr int kUserCodeButton = 3436;
constexpr int kUserCodeEdit = 3933;
constexpr int kConfirmedCode = 3937;
constexpr WORD kFuncUserCode = 203;

class UserCodeInput : public OtherSheet {
 protected:
  const char* Description() const override { return "kesm_w2_other2.kpd"; }
  // The window in front when it holds the control: both dialogs are
  // titled "User code".
  static WindowRef FrontWith(std::string name, int control) {
    return WindowRef::Found(std::move(name), [control] {
      HWND front = GetActiveWindow();
      return GetDlgItem(front, control) != nullptr ? front : nullptr;
    });
  }
  static WindowRef Input() { return FrontWith("the user-code input", kUserCodeEdit); }
  static WindowRef Confirmation() { return FrontWith("the user-code confirmation", kConfirmedCode); }
  static std::u16string UserCode() {
    std::array<WCHAR, 32> text{};
    UCB* ucb = ContextOfPage(WindowRef::Page(Sheet()).Resolve());
    GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncUserCode), text.data());
    return text.data();
  }
  // OK on the input, and the confirmation answered.
  static void Confirm(UiScript& script, int answer, bool inputStays) {
    script.click(WindowRef::Item(Input(), IDOK)).check("the code shown", [] {
      std::array<WCHAR, 32> shown{};
      GetDlgItemTextW(Confirmation().Resolve(), kConfirmedCode, shown.data(), 32);
      EXPECT_EQ(Narrow(shown.data()), "4711");
    });
    if (answer == IDCANCEL) {
      script.key(VK_ESCAPE);
    } else {
      script.click(WindowRef::Item(Confirmation(), answer));
    }
    script.check("after the answer " + std::to_string(answer), [inputStays] {
      EXPECT_EQ(Confirmation().Resolve(), nullptr);
      EXPECT_EQ(Input().Resolve() != nullptr, inputStays);
    });
  }
};

// No and a dismissed confirmation go back to the code; Yes takes it.
TEST_F(UserCodeInput, OnlyAConfirmedCodeClosesTheInput) {
  UiScript script;
  script.tab(Sheet(), kOthersTab).click(PageItem(kUserCodeButton)).text(WindowRef::Item(Input(), kUserCodeEdit), u"4711");
  Confirm(script, IDNO, true);
  Confirm(script, IDCANCEL, true);
  Confirm(script, IDYES, false);
  script.check("the code is the job's", [] { EXPECT_EQ(Narrow(UserCode()), "4711"); });
  script.press(Sheet(), IDCANCEL);
  RunDocumentSheet();
  EXPECT_TRUE(script.done());
}

}  // namespace
}  // namespace other_test
