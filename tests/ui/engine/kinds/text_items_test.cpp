// The sort dialog's text 3531 names the sort type chosen with the radio
// list above it: the description hides every other name. A name that is a
// format gets the item's value (it edits no setting: 0); a name whose per
// cent sign is no conversion is shown as it stands.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "tests/ui/engine/kinds/button_machine.h"

namespace ui_test {
namespace {

constexpr WORD kSortName = 3531;

struct TextCase {
  const char* what;
  WORD start;
  WORD click;   // 0: none
  int answer;   // to the rotated sort type's question, 0 for none
  const char16_t* shown;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.what; }

const TextCase kCases[] = {
    {"the stored type's name", kUnsorted, 0, 0, u"Unsorted"},
    {"a format gets the value", kUnsorted, kSets, 0, u"Sets: 0"},
    {"a per cent sign that is no conversion stays as it is", kRotated, 0, 0, u"Rotated 100%"},
    {"an answered question names the new type", kSets, kRotated, IDOK, u"Rotated 100%"},
    {"a refused type leaves the name", kSets, kRotated, IDCANCEL, u"Sets: 0"},
};

class TextItem : public ButtonMachine, public ::testing::WithParamInterface<TextCase> {
 protected:
  std::u16string Shown() const {
    std::array<WCHAR, 128> text{};
    GetWindowTextW(host_.control(kSortName), text.data(), 128);
    return text.data();
  }
};

TEST_P(TextItem, NamesTheSortTypeChosen) {
  const TextCase& c = GetParam();
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, kSortType, c.start));
  ASSERT_TRUE(host_.Open(ucb_, kSortDialog));
  kesm_test::UiScript script;
  if (c.click != 0) script.click(host_.control(c.click));
  if (c.answer != 0) script.answerBox(u"Rotated sorting", c.answer);
  script.check(c.what, [&] { EXPECT_EQ(Shown(), c.shown); });
  EXPECT_TRUE(script.run());
}

INSTANTIATE_TEST_SUITE_P(SortTypes, TextItem, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace ui_test
