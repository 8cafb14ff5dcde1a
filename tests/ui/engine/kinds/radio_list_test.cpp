// A person clicks the buttons of a radio list or a check box: the button
// clicked is the one checked and its option is stored (a check box: its
// check), unless the change is refused, when the check goes back to what is
// stored. The sort dialog's list of three asks before the rotated sort type
// and the basic page's scaling box before scaling is turned on (OK keeps
// it, Cancel refuses); the preset page's orientation list asks nothing.
#include <gtest/gtest.h>

#include <ostream>

#include "tests/ui/engine/kinds/button_machine.h"

namespace ui_test {
namespace {

struct RadioCase {
  const char* what;
  WORD dialog;
  WORD setting;
  WORD start;    // the option stored when the page opens
  WORD click;    // the button clicked
  int answer;    // the answer to the alert it raises, 0 for none
  const char16_t* question;       // the alert's text
  LONG_PTR stored;                // the DEVMODE's value afterwards
  std::vector<WORD> checked;      // of the list's buttons
};

constexpr WORD kBasicPage = 1002;
constexpr WORD kScaling = 55;       // kdmFuncSelectScale
constexpr WORD kScalingBox = 3329;
constexpr WORD kInitPage = 1010;
constexpr WORD kDisplayLanguage = 170;  // kdmDspLanguageID
constexpr WORD kFirstLanguage = 3020;
constexpr WORD kSecondLanguage = 3021;

void PrintTo(const RadioCase& c, std::ostream* os) { *os << c.what; }

const std::vector<WORD>& Buttons(WORD dialog) {
  static const std::vector<WORD> sort{kUnsorted, kSets, kRotated};
  static const std::vector<WORD> orientation{kPortrait, kLandscape};
  static const std::vector<WORD> scaling{kScalingBox};
  static const std::vector<WORD> language{kFirstLanguage, kSecondLanguage};
  if (dialog == kInitPage) return language;
  return dialog == kSortDialog ? sort : dialog == kPresetPage ? orientation : scaling;
}

const RadioCase kCases[] = {
    {"a click on another button takes its option", kSortDialog, kSortType, kUnsorted, kSets, 0, nullptr, 1, {kSets}},
    {"a click back takes the first option again", kSortDialog, kSortType, kSets, kUnsorted, 0, nullptr, 0, {kUnsorted}},
    {"a click on the checked button changes nothing", kSortDialog, kSortType, kSets, kSets, 0, nullptr, 1, {kSets}},
    {"an alert answered OK keeps the option", kSortDialog, kSortType, kSets, kRotated, IDOK, u"Rotated sorting", 2,
     {kRotated}},
    {"an alert answered Cancel puts the check back", kSortDialog, kSortType, kSets, kRotated, IDCANCEL,
     u"Rotated sorting", 1, {kSets}},
    {"the orientation turns to landscape", kPresetPage, kOrientation, kPortrait, kLandscape, 0, nullptr, 2, {kLandscape}},
    {"and back to portrait", kPresetPage, kOrientation, kLandscape, kPortrait, 0, nullptr, 1, {kPortrait}},
    {"the display language stores a language number", kInitPage, kDisplayLanguage, kFirstLanguage, kSecondLanguage, 0,
     nullptr, 1, {kSecondLanguage}},
    {"and the other one", kInitPage, kDisplayLanguage, kSecondLanguage, kFirstLanguage, 0, nullptr, 0,
     {kFirstLanguage}},
    {"a check box answered OK is checked", kBasicPage, kScaling, 0, kScalingBox, IDOK, u"Scaling changes", 1,
     {kScalingBox}},
    {"a check box answered Cancel is unchecked again", kBasicPage, kScaling, 0, kScalingBox, IDCANCEL,
     u"Scaling changes", 0, {}},
    {"a check box turned off asks nothing", kBasicPage, kScaling, 1, kScalingBox, 0, nullptr, 0, {}},
};

class RadioList : public ButtonMachine, public ::testing::WithParamInterface<RadioCase> {};

TEST_P(RadioList, TheClickedButtonIsCheckedUnlessTheChangeIsRefused) {
  const RadioCase& c = GetParam();
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, c.setting, c.start));
  ASSERT_TRUE(host_.Open(ucb_, c.dialog));
  kesm_test::UiScript script;
  script.click(host_.control(c.click));
  if (c.answer != 0) script.answerBox(c.question, c.answer);
  script.check(c.what, [&] {
    EXPECT_EQ(Stored(c.setting), c.stored);
    std::vector<WORD> checked;
    for (const WORD id : Buttons(c.dialog)) {
      if (Checked(id)) checked.push_back(id);
    }
    EXPECT_EQ(checked, c.checked);
  });
  EXPECT_TRUE(script.run());
}

INSTANTIATE_TEST_SUITE_P(Clicks, RadioList, ::testing::ValuesIn(kCases));

TEST_F(ButtonMachine, APageOpensWithTheStoredOptionChecked) {
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, kSortType, kRotated));
  ASSERT_TRUE(host_.Open(ucb_, kSortDialog));
  EXPECT_EQ(CheckedOf({kUnsorted, kSets, kRotated}), std::vector<WORD>{kRotated});
}

}  // namespace
}  // namespace ui_test
