// A judge names a staple type by its keyword, which means that staple in
// either orientation: in landscape a slanted staple still meets the rule
// that puts it back to left-top once punching is on.
#include <gtest/gtest.h>

#include "settings/values/setting_value.h"
#include "tests/ui/sheets/sheet_machine.h"

namespace ui_test {
namespace {

constexpr int kLandscape = 2027;     // the preset page's orientation
constexpr int kFinishTab = 3;
constexpr int kStapleType = 2102;
constexpr int kPunch = 3389;
constexpr int kStapling = 3390;  // a staple type counts only while stapling is on
constexpr WORD kFuncStapleType = 121;
constexpr WORD kFuncPunch = 62;
constexpr LONG_PTR kSlantLeft = 34;
constexpr LONG_PTR kLeftTop = 1;

class LandscapeJudge : public SheetMachine {};

TEST_F(LandscapeJudge, ASlantedStapleGoesBackToLeftTopWhenPunchingStarts) {
  LONG_PTR picked = 0;
  LONG_PTR staple = 0;
  LONG_PTR punch = 0;
  const auto value = [](WORD id) {
    return GetDevmodeValueDirectByFuncID(ContextOfPage(WindowRef::Page(Sheet()).Resolve()), id, nullptr);
  };
  kesm_test::UiScript script;
  script.click(WindowRef::Item(WindowRef::Page(Sheet()), kLandscape))
      .tab(Sheet(), kFinishTab)
      .click(WindowRef::Item(WindowRef::Page(Sheet()), kStapling))
      .select(WindowRef::Item(WindowRef::Page(Sheet()), kStapleType), 2)
      .check("the slanted staple", [&] { picked = value(kFuncStapleType); })
      .click(WindowRef::Item(WindowRef::Page(Sheet()), kPunch))
      .check("punching", [&] {
        staple = value(kFuncStapleType);
        punch = value(kFuncPunch);
      })
      .press(Sheet(), IDCANCEL);
  Bytes out = Filled(kDriverDevmode);
  LONG result = -1;
  EXPECT_EQ(HookedDocumentSheet(out, DM_COPY, {}, &result), CPSUI_OK);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(picked, kSlantLeft);
  EXPECT_EQ(punch, 1);
  EXPECT_EQ(staple, kLeftTop);
}

}  // namespace
}  // namespace ui_test
