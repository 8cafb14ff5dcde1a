// What runs when a person's change raises no alert: the description's
// actions (which may choose a preset, whose settings then come in, or no
// preset) and the item's built-in function, on the A6 printer's pages.
#include <gtest/gtest.h>

#include <string>

#include "platform/files/winfile.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "storage/stores/preset_store.h"
#include "tests/ui/engine/alert_page.h"
#include "ui/constraint_services.h"
#include "ui/engine/change_road.h"

namespace ui_test {
namespace {

constexpr WORD kFuncSortType = 119;  // a preset setting
constexpr WORD kFuncPresetName = 762;
constexpr WORD kFuncPresetComment = 763;
constexpr LONG_PTR kPresetOne = 120;
constexpr LONG_PTR kNoPreset = 118;

class Transact : public AlertPageMachine {
 protected:
  // Adds a preset to the list and writes the current settings into it.
  void SavePreset(int index, const char16_t* name, LONG_PTR sortType) {
    const std::u16string ini = GetIniFilePath(ucb_);
    CreateDirectoryW(ini.substr(0, ini.rfind(u'\\')).c_str(), nullptr);
    CreateDirectoryW(u"C:\\Sets", nullptr);
    const std::u16string path = u"C:\\Sets\\preset" + std::u16string(1, static_cast<char16_t>(u'0' + index)) + u".rst";
    ASSERT_TRUE(AddPresetData(ucb_, path.c_str(), name, u"a comment"));
    SetDevmodeValueDirectByFuncID(ucb_, kFuncSortType, sortType);
    SetText(kFuncPresetName, name);
    ASSERT_TRUE(WritePresetByID(ucb_, index));
  }
};

TEST_F(Transact, AnActionThatChoosesAPresetLoadsIt) {
  ASSERT_NO_FATAL_FAILURE(SavePreset(0, u"Standard", 1));
  ASSERT_NO_FATAL_FAILURE(SavePreset(1, u"Draft", 4));
  SetDevmodeValueDirectByFuncID(ucb_, kFuncSortType, 1);
  SetText(kFuncPresetName, u"");
  SetDevmodeValueByFuncID(ucb_, kFuncPresetNo, 119);
  Open(kOthersPage);
  kesm_test::UiScript script;
  script.click(Box(kJamRecoveryBox)).check("preset 1 came in", [&] {
    EXPECT_EQ(Value(kFuncPresetNo), kPresetOne);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb_, kFuncSortType, nullptr), 4);
    EXPECT_EQ(Text(kFuncPresetName), u"Draft");
  });
  EXPECT_TRUE(script.run());
}

TEST_F(Transact, AnActionThatChoosesNoPresetClearsItsNameAndComment) {
  SetDevmodeValueByFuncID(ucb_, kFuncPresetNo, kPresetOne);
  SetText(kFuncPresetName, u"Draft");
  SetText(kFuncPresetComment, u"two-sided");
  Open(kOthersPage);
  kesm_test::UiScript script;
  script.click(Box(kAplSortBox)).check("no preset is chosen", [&] {
    EXPECT_EQ(Value(kFuncPresetNo), kNoPreset);
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb_, kFuncPresetNo, nullptr), -1);
    EXPECT_EQ(Text(kFuncPresetName), u"");
    EXPECT_EQ(Text(kFuncPresetComment), u"");
  });
  EXPECT_TRUE(script.run());
}

// On the preset page the chosen preset is selected in its list too.
TEST_F(Transact, APresetChosenOnThePresetPageIsSelectedInItsList) {
  constexpr WORD kPresetPage = 1001;
  constexpr WORD kPresetList = 2001;
  constexpr WORD kLandscape = 2027;
  ASSERT_NO_FATAL_FAILURE(SavePreset(0, u"Standard", 1));
  ASSERT_NO_FATAL_FAILURE(SavePreset(1, u"Draft", 4));
  SetDevmodeValueByFuncID(ucb_, kFuncPresetNo, 119);
  Open(kPresetPage);
  ASSERT_EQ(SendMessageW(Box(kPresetList), LB_GETCURSEL, 0, 0), 0);
  kesm_test::UiScript script;
  script.click(Box(kLandscape)).check("preset 1 came in and is selected", [&] {
    EXPECT_EQ(Value(kFuncPresetNo), kPresetOne);
    EXPECT_EQ(Text(kFuncPresetName), u"Draft");
    EXPECT_EQ(SendMessageW(Box(kPresetList), LB_GETCURSEL, 0, 0), 1);
  });
  EXPECT_TRUE(script.run());
}

// A check box of the Finish page whose item names a built-in function.
struct BuiltInCase {
  WORD id;
  bool toModules;  // the modules are offered the id
  DWORD request;   // the request word afterwards
};

TEST_F(Transact, TheItemsBuiltInFunctionRunsAfterTheActions) {
  const BuiltInCase cases[] = {
      {0, true, 0}, {kBuiltInPaperAreas, false, 0}, {kBuiltInSavePreset, false, kRequestSavePreset}, {250, true, 0}};
  for (const BuiltInCase& c : cases) {
    SCOPED_TRACE(c.id);
    heard_ = {};
    KesmRequestForUiCore(ucb_, 0);
    SetDevmodeValueByFuncID(ucb_, kFuncCopies, 1);
    GetICBbyItemID(ucb_, GetTCBbyTabID(ucb_, kFinishPage), kSortBox)->builtInId = c.id;
    Open(kFinishPage);
    kesm_test::UiScript script;
    script.click(Box(kSortBox)).check("the transact and the built-in function ran", [&] {
      EXPECT_EQ(Value(61), 1);
      EXPECT_EQ(Value(kFuncCopies), 5);
      EXPECT_EQ(heard_.builtIns, c.toModules ? std::vector<WORD>{c.id} : std::vector<WORD>{});
      EXPECT_EQ(GetRequestCode(ucb_) & kRequestSavePreset, c.request);
    });
    EXPECT_TRUE(script.run());
    host_.Close();
    SetDevmodeValueByFuncID(ucb_, 61, 0);
  }
}

}  // namespace
}  // namespace ui_test
