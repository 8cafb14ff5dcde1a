// What the dialog engine asks before it repaints, over the rich sample
// description (tests/data/kpd/kesm_c7_colour.kpd): the hide and disable
// states of tabs and controls, whether their judges read a setting written
// since the last refresh, the options of a group; then the custom order
// functions and the fixed switches.
#include <gtest/gtest.h>

#include <vector>

#include "settings/constraints/fixed_switches.h"
#include "settings/constraints/ui_status.h"
#include "tests/settings/constraints/engine_context.h"

namespace {

using kesm_test::EngineContext;
using kpdtest::G;
using kpdtest::V;

constexpr WORD kPaper = 8;
constexpr WORD kCopies = 12;
constexpr WORD kTray = 13;
constexpr WORD kColour = 15;
constexpr WORD kDuplex = 58;

constexpr WORD kHidden = 0x1;
constexpr WORD kDisabled = 0x4;      // disable state 1
constexpr WORD kModuleDisabled = 0x8;  // disable state 2

class UiStatus : public EngineContext {
 protected:
  void SetUp() override {
    EngineContext::SetUp();
    ASSERT_NO_FATAL_FAILURE(Hold("kesm_c7_colour.kpd"));
    paper_ = Group("KPD_IDC_PRESET_CHOICE_PAPERSIZE");
    duplex_ = Group("KPD_IDC_PRESET_FUNCSELECTDUPLEX");
    colour_ = Group("KPD_IDC_PRESET_CHOICE_COLOR");
    copies_ = Group("KPD_IDC_PRESET_COPIES");
    // Settings under which nothing is hidden or disabled.
    StoreUi(kColour, V("DMCOLOR_MONOCHROME"));
    StoreUi(kPaper, V("PAPER_A4"));
    StoreUi(kTray, V("TRAY_TRAY1"));
    StoreUi(kDuplex, 0);
    ClearMarks();
  }
  // A control bound to a group; for a choice, its item id is the option
  // it stands for (a radio button).
  static ICB Control(const UiGroup* group, WORD itemId, WORD status = 0) {
    ICB icb{};
    icb.itemId = itemId;
    icb.pUiGroup = group;
    icb.status = status;
    return icb;
  }
  void ClearMarks() {
    for (int i = 1; i <= kSettingCount; ++i) c_.record(i).flags &= static_cast<WORD>(~kSfcbChangedMask);
  }
  std::span<const JudgeToken> HideJudgeOf(const UiGroup* group) {
    return BkpdJudge(b_, BkpdGroupExclusive(b_, group)->hideJudge);
  }

  const UiGroup* paper_ = nullptr;
  const UiGroup* duplex_ = nullptr;
  const UiGroup* colour_ = nullptr;
  const UiGroup* copies_ = nullptr;
};

TEST_F(UiStatus, TabsAndControlsAreHiddenByTheirJudges) {
  EXPECT_FALSE(GetTcbStatusIsHide(ucb(), 0));
  EXPECT_FALSE(GetTcbStatusIsHide(ucb(), G("KPD_IDD_PRESET"))) << "no UI group of that id";
  EXPECT_FALSE(GetTcbStatusIsHide(ucb(), G("KPD_IDC_PRESET_COPIES"))) << "a group without judges";
  EXPECT_FALSE(GetTcbStatusIsHide(ucb(), G("KPD_IDC_PRESET_CHOICE_COLOR")));
  StoreUi(kColour, V("DMCOLOR_COLOR"));
  EXPECT_TRUE(GetTcbStatusIsHide(ucb(), G("KPD_IDC_PRESET_CHOICE_COLOR")));
  // A hidden group hides every option; a group without option judges
  // answers for its own judge only.
  EXPECT_TRUE(GetIcbStatusIsHide(ucb(), colour_, V("DMCOLOR_MONOCHROME")));
  EXPECT_FALSE(GetIcbStatusIsHide(ucb(), copies_, 5));
  EXPECT_FALSE(GetIcbStatusIsHide(ucb(), nullptr, V("PAPER_A3")));

  // A3 is hidden unless it comes from tray 2.
  StoreUi(kPaper, V("PAPER_A3"));
  EXPECT_TRUE(GetIcbStatusIsHide(ucb(), paper_, V("PAPER_A3")));
  EXPECT_FALSE(GetIcbStatusIsHide(ucb(), paper_, V("PAPER_A4")));
  StoreUi(kTray, V("TRAY_TRAY2"));
  EXPECT_FALSE(GetIcbStatusIsHide(ucb(), paper_, V("PAPER_A3")));
}

TEST_F(UiStatus, DisableStatesLeaveTheControlsBitsAsTheyWere) {
  // Letter is disabled in duplex; the control stands for the Letter option.
  ICB letter = Control(paper_, V("PAPER_LETTER"), kHidden | kModuleDisabled);
  EXPECT_EQ(GetIcbStatusIsDisable(ucb(), nullptr, &letter), 0u);
  StoreUi(kDuplex, 1);
  EXPECT_EQ(GetIcbStatusIsDisable(ucb(), nullptr, &letter), 1u);
  EXPECT_EQ(letter.status, kHidden | kModuleDisabled);
  // The duplex group's own judge: A3 not from tray 2.
  ICB duplex = Control(duplex_, 1);
  EXPECT_EQ(GetIcbStatusIsDisable(ucb(), nullptr, &duplex), 0u);
  StoreUi(kPaper, V("PAPER_A3"));
  EXPECT_EQ(GetIcbStatusIsDisable(ucb(), nullptr, &duplex), 1u);
  // Without a UI group the control's own bits answer.
  ICB plain = Control(nullptr, 2001, kModuleDisabled);
  EXPECT_EQ(GetIcbStatusIsDisable(ucb(), nullptr, &plain), 2u);
  EXPECT_EQ(GetIcbStatusIsDisable(ucb(), nullptr, nullptr), 0u);
}

TEST_F(UiStatus, AJudgeDecidesWhenItReadsAChangedSetting) {
  const std::span<const JudgeToken> isColour = HideJudgeOf(colour_);
  EXPECT_FALSE(IsJudgeDecision(ucb(), isColour));
  StoreUi(kCopies, 4);
  EXPECT_FALSE(IsJudgeDecision(ucb(), isColour)) << "a setting the judge does not read";
  StoreUi(kColour, V("DMCOLOR_MONOCHROME"));
  EXPECT_TRUE(IsJudgeDecision(ucb(), isColour)) << "written, even with the value it had";
  // Tokens after the end token are not part of the judge.
  const std::vector<JudgeToken> ended = {{kJudgeConstant, 1}, {kJudgeOperator, kJudgeOpEnd}, {kJudgeSetting, kColour}};
  EXPECT_FALSE(IsJudgeDecision(ucb(), ended));
  EXPECT_FALSE(IsJudgeDecision(ucb(), {}));
}

struct ChangedCase {
  const char* what;
  WORD write;        // setting written after the refresh, 0 none
  bool paintedAsNow;  // the control shows the current state
  BOOL changed;
};

TEST_F(UiStatus, AControlIsRepaintedWhenItsStateOrItsJudgesInputsChanged) {
  // Hide: the Letter control, whose group's item list holds A3's hide
  // judge (tray and paper). Disable: the same control, whose item has the
  // duplex judge, and the group record's judge.
  const ChangedCase cases[] = {
      {"nothing written, painted as now", 0, true, FALSE},
      {"an unrelated setting written", kCopies, true, FALSE},
      {"painted otherwise", 0, false, TRUE},
  };
  for (const ChangedCase& k : cases) {
    SCOPED_TRACE(k.what);
    ClearMarks();
    if (k.write != 0) StoreUi(k.write, 2);
    ICB letter = Control(paper_, V("PAPER_LETTER"), k.paintedAsNow ? 0 : kHidden | kDisabled);
    EXPECT_EQ(IsHideDevmodeChanged(ucb(), &letter), k.changed);
    EXPECT_EQ(IsDisableDevmodeChanged(ucb(), nullptr, &letter), k.changed);
  }
  // A judge's input written, the states unchanged.
  ICB letter = Control(paper_, V("PAPER_LETTER"));
  ClearMarks();
  StoreUi(kTray, V("TRAY_TRAY1"));
  EXPECT_TRUE(IsHideDevmodeChanged(ucb(), &letter)) << "A3's judge reads the tray";
  EXPECT_FALSE(IsDisableDevmodeChanged(ucb(), nullptr, &letter));
  ClearMarks();
  StoreUi(kDuplex, 0);
  EXPECT_FALSE(IsHideDevmodeChanged(ucb(), &letter));
  EXPECT_TRUE(IsDisableDevmodeChanged(ucb(), nullptr, &letter)) << "Letter's judge reads duplex";

  // No UI group, or a group without an exclusive record.
  ICB plain = Control(nullptr, 2001, kHidden);
  EXPECT_FALSE(IsHideDevmodeChanged(ucb(), &plain));
  EXPECT_FALSE(IsDisableDevmodeChanged(ucb(), nullptr, &plain));
  StoreUi(kCopies, 7);
  ICB copies = Control(copies_, 0);
  EXPECT_FALSE(IsHideDevmodeChanged(ucb(), &copies));
  EXPECT_FALSE(IsDisableDevmodeChanged(ucb(), nullptr, &copies));
}

TEST_F(UiStatus, OptionsOfAGroup) {
  std::vector<WORD> keys;
  const ExclusiveItem* items = nullptr;
  for (const UiOption* o = BkpdFirstOption(b_, paper_); o != nullptr; o = GetNextUiOption(ucb(), paper_, o)) {
    keys.push_back(GetOptionIdFromUiGroup(ucb(), paper_, o, &items));
    EXPECT_EQ(items, BkpdItemList(b_, BkpdGroupExclusive(b_, paper_)->itemList));
  }
  EXPECT_EQ(keys, (std::vector<WORD>{V("PAPER_A4"), V("PAPER_A3"), V("PAPER_LETTER")}));

  // A choice whose record has no item list, a Numeric group, a String
  // group (the first word of its value record).
  const UiOption* colour = BkpdFirstOption(b_, colour_);
  EXPECT_EQ(GetOptionIdFromUiGroup(ucb(), colour_, colour, &items), V("DMCOLOR_COLOR"));
  EXPECT_EQ(items, nullptr);
  EXPECT_EQ(GetOptionIdFromUiGroup(ucb(), copies_, BkpdNumericValue(b_, copies_), &items), 0);
  EXPECT_EQ(items, nullptr);
  const UiGroup* password = Group("KPD_IDC_PRINTTYPE_JOBPASSWORD");
  const UiStringValue* text = BkpdStringValue(b_, password);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(GetOptionIdFromUiGroup(ucb(), password, text, nullptr), text->defaultValue);
  EXPECT_EQ(GetNextUiOption(ucb(), duplex_, colour), nullptr) << "a Boolean group has no option list";
  EXPECT_EQ(GetOptionIdFromUiGroup(ucb(), nullptr, colour, &items), 0);
}

// --- Custom order functions and fixed switches ------------------------------

TEST_F(UiStatus, CustomOrderFunctionsAreTheModuleWords) {
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb(), 1133, 1));
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb(), 1164, 1));
  EXPECT_EQ(IsKesmCustomOrderFunc(ucb(), 1133), 1);
  EXPECT_EQ(IsKesmCustomOrderFunc(ucb(), 1164), 1);
  EXPECT_EQ(IsKesmCustomOrderFunc(ucb(), 1134), 0);
  EXPECT_EQ(IsKesmCustomOrderFunc(ucb(), 1132), 0);
  EXPECT_EQ(IsKesmCustomOrderFunc(ucb(), 1165), 0);
}

TEST_F(UiStatus, FixedSwitches) {
  for (int index = -1; index <= 9; ++index) EXPECT_EQ(IsGroupCtlFlags(index), index == 1 ? TRUE : FALSE) << index;
  EXPECT_TRUE(IsNotViewChapterAttributeTrayNum());
  // Manual-tray papers are kept as chosen.
  EXPECT_TRUE(CorrectManualTrayPaperEx(1, kPaper, 9, ucb()));
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb(), kPaper, nullptr), 9);
  EXPECT_FALSE(CorrectManualTrayPaperEx(1, 9999, 9, ucb()));
}

}  // namespace
