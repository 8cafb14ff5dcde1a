// A press of the sort dialog's push button 3532 asks first and, answered
// OK, runs its group's actions (the sort type becomes sets); Cancel leaves
// everything. A button without a group (3533) does nothing. The buttons'
// own captions come from the owner-control table: none for 2037 and 2038
// of the basic page, a string of its own for 2002 of the preset page.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "tests/ui/engine/kinds/button_machine.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

constexpr WORD kAsksThenSorts = 3532;
constexpr WORD kWithoutGroup = 3533;

struct PressCase {
  const char* what;
  WORD button;
  int answer;  // 0: no question
  LONG_PTR stored;
};
void PrintTo(const PressCase& c, std::ostream* os) { *os << c.what; }

const PressCase kCases[] = {
    {"OK runs the actions", kAsksThenSorts, IDOK, 1},
    {"Cancel runs nothing", kAsksThenSorts, IDCANCEL, 0},
    {"a button without a group does nothing", kWithoutGroup, 0, 0},
};

class PushButton : public ButtonMachine, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PushButton, APressAsksAndRunsTheActions) {
  const PressCase& c = GetParam();
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, kSortType, kUnsorted));
  ASSERT_TRUE(host_.Open(ucb_, kSortDialog));
  kesm_test::UiScript script;
  script.click(host_.control(c.button));
  if (c.answer != 0) script.answerBox(u"Pressing sets", c.answer);
  script.check(c.what, [&] { EXPECT_EQ(Stored(kSortType), c.stored); });
  EXPECT_TRUE(script.run());
}

INSTANTIATE_TEST_SUITE_P(Presses, PushButton, ::testing::ValuesIn(kCases));

std::u16string Caption(HWND button) {
  std::array<WCHAR, 128> text{};
  GetWindowTextW(button, text.data(), 128);
  return text.data();
}

TEST_F(ButtonMachine, ButtonsTakeTheCaptionsTheOwnerControlTableGivesThem) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  EXPECT_EQ(Caption(host_.control(2037)), u"");
  EXPECT_EQ(Caption(host_.control(2038)), u"");
  EXPECT_EQ(Caption(host_.control(3352)), u"Custom size...");  // no row: the template's
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  std::array<WCHAR, 128> own{};
  ASSERT_GT(LoadStringFromResDll(ucb_, 13188, own.data(), 128, FALSE), 0);
  EXPECT_EQ(Caption(host_.control(2002)), own.data());
}

}  // namespace
}  // namespace ui_test
