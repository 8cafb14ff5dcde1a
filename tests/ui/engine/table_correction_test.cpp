// The run-time correction on a context of the W2 description: settings
// that share a storage place read what the other wrote, the preset name
// shows on every page that shows it, items get their behaviour flags, and
// a control the tables bind to no setting is passed over.
#include "ui/engine/table_correction.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_dispatch.h"
#include "tests/ui/engine_machine.h"

namespace ui_test {
namespace {

class TableCorrection : public EngineMachine {
 protected:
  ICB* Control(WORD tabId, WORD itemId) {
    TCB* tab = GetTCBbyTabID(ucb_, tabId);
    return tab != nullptr ? GetICBbyItemID(ucb_, tab, itemId) : nullptr;
  }
  SFCB* SettingOf(WORD tabId, WORD itemId) {
    const ICB* icb = Control(tabId, itemId);
    return icb != nullptr && icb->pSFCB != nullptr ? GetSFCBbyFuncID(ucb_, icb->pSFCB->funcId) : nullptr;
  }
};

TEST_F(TableCorrection, SettingsThatShareAPlaceReadWhatTheOtherWrote) {
  const struct {
    WORD written;
    WORD read;
  } pairs[] = {{791, 92}, {792, 94}, {793, 120}, {794, 121}, {933, 511}, {946, 522}};
  EXPECT_EQ(CorrectKpd(ucb_), GetSFCBbyFuncID(ucb_, 946));
  for (const auto& p : pairs) {
    for (const LONG_PTR value : {3, 1}) {
      ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, p.written, value)) << p.written;
      EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb_, p.read, nullptr), value) << p.written << " -> " << p.read;
    }
  }
}

TEST_F(TableCorrection, WithoutTheCorrectionTheNupSettingsAreApart) {
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 92, 0));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 791, 3));
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb_, 92, nullptr), 0);
}

TEST_F(TableCorrection, ThePresetNameShowsOnEveryPageThatShowsItAndAControlOfNoSettingIsPassedOver) {
  const ICB* masterName = Control(4016, 2924);
  ASSERT_NE(masterName, nullptr);
  ASSERT_EQ(masterName->pSFCB, nullptr) << "the tables bind the master dialog's name to no setting";
  CorrectKpd(ucb_);
  SFCB* name = SettingOf(1007, 2145);
  ASSERT_NE(name, nullptr);
  ASSERT_NE(SetDevmodeStringBySFCB(ucb_, name, u"Office draft"), nullptr);
  for (const auto& [tab, item] : {std::pair<WORD, WORD>{1002, 2388}, {1003, 2389}, {1004, 2390}, {1005, 2391},
                                  {1042, 2733}}) {
    SFCB* shower = SettingOf(tab, item);
    if (shower == nullptr) continue;  // a page this description lacks
    WCHAR text[261] = {};
    GetDevmodeStringBySFCB(ucb_, shower, text);
    EXPECT_EQ(std::u16string(text), u"Office draft") << tab << "/" << item;
  }
  EXPECT_EQ(Control(4016, 2924)->pSFCB, nullptr);
}

TEST_F(TableCorrection, PresetCombosOfEveryPageEditThePresetNumber) {
  CorrectKpd(ucb_);
  const ICB* source = Control(1002, 2036);
  ASSERT_NE(source, nullptr);
  for (const auto& [tab, item] : {std::pair<WORD, WORD>{1003, 2078}, {1004, 2095}, {4016, 2921}, {1005, 2109},
                                  {1042, 2713}}) {
    const ICB* target = Control(tab, item);
    if (target == nullptr) continue;
    EXPECT_EQ(target->groupId, source->groupId) << tab << "/" << item;
    EXPECT_EQ(target->pSFCB, source->pSFCB) << tab << "/" << item;
  }
  const SFCB* presetNo = GetSFCBbyFuncID(ucb_, 37);
  EXPECT_EQ(presetNo->valueList, workCDT);
  // The dialogs write 119 + index, or 118 for none; the setting keeps the index.
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, 37, 121));
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb_, 37, nullptr), 2);
  ASSERT_TRUE(SetDevmodeValueByFuncID(ucb_, 37, 118));
  EXPECT_EQ(static_cast<int>(GetDevmodeValueDirectByFuncID(ucb_, 37, nullptr)), -1);
  EXPECT_EQ(GetDevmodeValueByFuncID(ucb_, 37, nullptr), 118);
}

TEST_F(TableCorrection, WritesPostTheirRequestsAndOnlyThose) {
  GetSFCBbyFuncID(ucb_, 12)->uiRequest = 0x10000;  // a stale bit goes
  CorrectKpd(ucb_);
  const struct {
    WORD funcId;
    DWORD request;
  } cases[] = {{7, 0x1030000}, {12, 0}, {56, 0x1030000}, {57, 0}, {96, 0x80000000}, {99, 0x80000000},
               {10062, 0x1130000}, {10070, 0x1130000}, {10071, 0}, {10206, 0x1030000}};
  for (const auto& c : cases) EXPECT_EQ(GetSFCBbyFuncID(ucb_, c.funcId)->uiRequest, c.request) << c.funcId;
}

TEST_F(TableCorrection, ItemsGetTheirBehaviourFlags) {
  Control(1001, 2032)->flags = 0x7;  // replaced, not added to
  CorrectKpd(ucb_);
  EXPECT_EQ(Control(1001, 2032)->flags, kIcbReinitOnRequest3);
  EXPECT_EQ(Control(1004, 2100)->flags, kIcbReinitOnRequest1 | kIcbPictureList);  // an owner-drawn list
  EXPECT_NE(Control(1038, 2272)->flags & kIcbNoArrowStep, 0u);
  EXPECT_NE(Control(1002, 2036)->flags & kIcbNeverRefill, 0u);
}

TEST_F(TableCorrection, TheHiddenFunctionItemDependsOnRuntimeFlag619) {
  for (const LONG_PTR flag : {0, 1}) {
    Control(1025, 2361)->flags = 0;
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 619, flag));
    CorrectKpd(ucb_);
    EXPECT_EQ((Control(1025, 2361)->flags & kIcbHiddenFunction) != 0, flag == 0) << flag;
  }
}

TEST_F(TableCorrection, TheColourBalanceNamesTheSettingsOfItsBars) {
  const WORD data[9] = {1, 0, 0, 0, 2272, 0, 0, 0, 0};
  ICB* balance = Control(1038, 2249);
  ASSERT_NE(balance, nullptr);
  balance->pClassData = data;
  CorrectKpd(ucb_);
  ASSERT_NE(balance->pClassData, data);  // the shared corrected copy
  const auto* words = static_cast<const WORD*>(balance->pClassData);
  EXPECT_EQ(words[0], 1);
  EXPECT_EQ(words[3], 138);
  EXPECT_EQ(words[4], 141);  // the bar 2272 edits the red balance
  EXPECT_EQ(words[8], 143);
}

// The watermark record names the controls of the watermark dialogs: each
// becomes the setting that control edits, and the font word the font name.
TEST_F(TableCorrection, TheWatermarkPreviewNamesTheSettingsOfTheDialogControls) {
  CorrectKpd(ucb_);
  const auto* words = static_cast<const WORD*>(KesmGetClassData(Control(1002, 2039), 8));
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(words[1], 766);   // text: the text edit 2312
  EXPECT_EQ(words[2], 782);   // font
  EXPECT_EQ(words[3], 788);   // style: combo 3651
  EXPECT_EQ(words[5], 784);   // colour: combo 3650
  EXPECT_EQ(words[6], 774);   // density: the image dialog's bar 3632
  EXPECT_EQ(words[8], 783);   // size: edit 2322
  EXPECT_EQ(words[9], 767);   // bitmap file: edit 2341
  EXPECT_EQ(words[10], 0);    // bitmap scale: none
  EXPECT_EQ(words[13], 772);  // foreground: check box 3633
}

}  // namespace
}  // namespace ui_test
