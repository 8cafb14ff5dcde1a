// A hand change on a page drops the selected user preset to "none" and
// empties its name and comment; naming the preset, its comment, choosing
// another preset and a few view settings keep it, and so do the dialogs
// that edit presets and the option page opened on its own.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/ui/engine/refresh_machine.h"

namespace ui_test {
namespace {

constexpr WORD kFuncPresetNo = 37;
constexpr WORD kFuncPresetName = 762;
constexpr WORD kFuncPresetComment = 763;
constexpr WORD kFuncPresentUiMode = 613;
constexpr WORD kPresetCombo = 2036;     // the basic page's preset choice
constexpr WORD kCopiesEdit = 2049;
constexpr WORD kPresetNameEdit = 2388;

LONG_PTR Ansi(const char* text) { return reinterpret_cast<LONG_PTR>(text); }

class RefreshPreset : public RefreshMachine {
 protected:
  // The user's first preset, "Office", is chosen when the page opens.
  void ChooseOffice() {
    SetDevmodeValueDirectByFuncID(ucb_, kFuncPresetNo, 0);
    SetDevmodeValueDirectByFuncID(ucb_, kFuncPresentUiMode, 0);
    SetDevmodeValueDirectByFuncID(ucb_, kFuncPresetName, Ansi("Office"));
    SetDevmodeValueDirectByFuncID(ucb_, kFuncPresetComment, Ansi("Weekly"));
  }
};

struct Change {
  WORD funcId;
  LONG_PTR value;
};

struct PresetCase {
  const char* what;
  WORD page;
  WORD button;  // clicked after the change: the refresh follows
  std::vector<Change> changes;
  bool drops;
};

TEST_F(RefreshPreset, OnlyAHandChangeDropsTheChosenPreset) {
  const PresetCase cases[] = {
      {"a watermark", kBasicPage, kButtonItem1, {{kFuncWatermarkOn, 1}}, true},
      {"the copies", kBasicPage, kButtonItem1, {{kFuncCopies, 3}}, true},
      {"the preset's name", kBasicPage, kButtonItem1, {{kFuncPresetName, Ansi("Office 2")}}, false},
      {"the preset's comment", kBasicPage, kButtonItem1, {{kFuncPresetComment, Ansi("Daily")}}, false},
      {"the view mode", kBasicPage, kButtonItem1, {{36, 1}}, false},
      {"the log code", kBasicPage, kButtonItem1, {{10003, Ansi("1234")}}, false},
      {"the chapter", kBasicPage, kButtonItem1, {{833, 2}}, false},
      {"another preset and a watermark", kBasicPage, kButtonItem1, {{kFuncPresetNo, 1}, {kFuncWatermarkOn, 1}},
       false},
      {"nested settings", kBasicPage, kButtonItem1, {{kFuncPresentUiMode, 1}, {kFuncWatermarkOn, 1}}, false},
      {"on the maintenance dialog", 1007, 2140, {{kFuncWatermarkOn, 1}}, false},
      {"on the save-preset dialog", 1032, 3916, {{kFuncWatermarkOn, 1}}, false},
      {"on the option page on its own", kOptionPage, kOptionItem2, {{kFuncWatermarkOn, 1}}, false},
  };
  for (const PresetCase& c : cases) {
    SCOPED_TRACE(c.what);
    ChooseOffice();
    const LONG_PTR chosen = [&] {
      for (const Change& change : c.changes) {
        if (change.funcId == kFuncPresetNo) return change.value;
      }
      return LONG_PTR{0};
    }();
    ASSERT_TRUE(Open(c.page));
    Forget();
    kesm_test::UiScript script;
    script
        .check("the change",
               [&] {
                 for (const Change& change : c.changes) SetDevmodeValueDirectByFuncID(ucb_, change.funcId, change.value);
               })
        .click(control(c.button))
        .check("after the refresh", [&] {
          EXPECT_EQ(Value(kFuncPresetNo), c.drops ? -1 : chosen);
          if (c.drops) {
            EXPECT_EQ(Text(kFuncPresetName), "");
            EXPECT_EQ(Text(kFuncPresetComment), "");
          } else {
            EXPECT_NE(Text(kFuncPresetName), "");
            EXPECT_NE(Text(kFuncPresetComment), "");
          }
          if (c.page == kBasicPage) {
            EXPECT_EQ(Seen(kPresetCombo, WM_INITDIALOG), c.drops ? 1 : 0);
          }
        });
    EXPECT_TRUE(script.run());
    SetDevmodeValueDirectByFuncID(ucb_, kFuncWatermarkOn, 0);
  }
}

TEST_F(RefreshPreset, APersonsClickOnTheWatermarkDropsIt) {
  ChooseOffice();
  ASSERT_TRUE(Open(kBasicPage));
  kesm_test::UiScript script;
  script.click(control(kWatermarkOn)).check("no preset now", [&] {
    EXPECT_EQ(Value(kFuncWatermarkOn), 1);
    EXPECT_EQ(Value(kFuncPresetNo), -1);
    EXPECT_EQ(Text(kFuncPresetName), "");
  });
  EXPECT_TRUE(script.run());
}

// Typed by a person on the basic page.
struct TypedCase {
  const char* what;
  WORD edit;
  const char16_t* text;
  bool drops;
};

TEST_F(RefreshPreset, TypingCopiesDropsThePresetTypingItsNameKeepsIt) {
  const TypedCase cases[] = {
      {"the copies", kCopiesEdit, u"3", true},
      {"the preset's name", kPresetNameEdit, u"Office 2", false},
  };
  for (const TypedCase& c : cases) {
    SCOPED_TRACE(c.what);
    ChooseOffice();
    ASSERT_TRUE(Open(kBasicPage));
    kesm_test::UiScript script;
    script.text(control(c.edit), c.text).check("typed", [&] {
      EXPECT_EQ(Value(kFuncPresetNo), c.drops ? -1 : 0);
      EXPECT_EQ(Text(kFuncPresetComment), c.drops ? "" : "Weekly");
    });
    EXPECT_TRUE(script.run());
  }
  EXPECT_EQ(Text(kFuncPresetName), "Office 2");
}

}  // namespace
}  // namespace ui_test
