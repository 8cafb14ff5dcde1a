// The constraint engine on a hand context with a judge stack: judges as
// token lists (operators, unsigned relations, string lengths, the
// remembered operand, the two hooks, the stack's bounds and what an
// evaluation leaves on it), then the hide, disable and alert answers and
// the transacts and alert actions of two compiled descriptions: the rich
// sample and tests/data/kpd/constraint_engine.kpd.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/base/control.h"
#include "settings/bkpd/description_queries.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/settings/constraints/engine_context.h"
#include "tests/settings/kpd/kpd_compile_sample.h"
#include "ui/constraint_services.h"

namespace {

using kpdtest::G;
using kpdtest::V;

constexpr WORD kOrientation = 7;
constexpr WORD kPaper = 8;
constexpr WORD kCopies = 12;
constexpr WORD kColour = 15;
constexpr WORD kDuplex = 58;
constexpr WORD kSortType = 119;
constexpr WORD kTray = 13;
constexpr WORD kUserId = 202;       // ANSI, 9 bytes
constexpr WORD kDeviceName = 1;     // wide, 32 characters
constexpr WORD kPrintOrient = 720;  // device-rule pseudo setting, with storage
constexpr WORD kUcfQuality = 996;   // feature-module pseudo setting, with storage
constexpr WORD kUcfListFull = 997;  // feature-module pseudo setting, with storage
constexpr WORD kBuiltInFunc = 854;
constexpr WORD kNoRecord = 9999;

JudgeToken S(WORD funcId) { return {kJudgeSetting, funcId}; }
JudgeToken C(WORD value) { return {kJudgeConstant, value}; }
JudgeToken Op(WORD op) { return {kJudgeOperator, op}; }
const JudgeToken kEnd = Op(kJudgeOpEnd);

using kesm_test::EngineContext;

// --- Judges -------------------------------------------------------------

using Judges = EngineContext;

struct OperatorCase {
  WORD op;
  WORD left;
  WORD right;
  DWORD expected;
};

TEST_F(Judges, OperatorsPopTheRightOperandFirst) {
  const OperatorCase cases[] = {
      {kJudgeOpEqual, 3, 3, 1},        {kJudgeOpEqual, 3, 4, 0},         {kJudgeOpNotEqual, 3, 4, 1},
      {kJudgeOpAnd, 2, 7, 1},          {kJudgeOpAnd, 2, 0, 0},           {kJudgeOpOr, 0, 9, 1},
      {kJudgeOpOr, 0, 0, 0},           {kJudgeOpGreater, 5, 4, 1},       {kJudgeOpGreater, 4, 5, 0},
      {kJudgeOpLess, 4, 5, 1},         {kJudgeOpGreaterEqual, 5, 5, 1},  {kJudgeOpLessEqual, 6, 5, 0},
  };
  for (const OperatorCase& k : cases) {
    SCOPED_TRACE(testing::Message() << "op " << k.op << " " << k.left << " " << k.right);
    EXPECT_EQ(Judge({C(k.left), C(k.right), Op(k.op), kEnd}), k.expected);
  }
  EXPECT_EQ(Judge({C(0), Op(kJudgeOpNot), kEnd}), 1u);
  EXPECT_EQ(Judge({C(8), Op(kJudgeOpNot), kEnd}), 0u);
  // The value itself, not a truth value, when nothing compares it.
  EXPECT_EQ(Judge({C(0xFFFF), kEnd}), 0xFFFFu);
  EXPECT_EQ(count(), 0);
}

TEST_F(Judges, UnknownKindsAndOperatorsAreSkipped) {
  EXPECT_EQ(Judge({C(1), {7, 3}, Op(11), Op(0), C(1), Op(kJudgeOpEqual), kEnd}), 1u);
}

// Judges against stored settings: copies (no value list), orientation,
// and the print-orientation flag that the device-rule hook derives from it.
struct SettingsCase {
  const char* what;
  LONG_PTR copies;
  LONG_PTR orientation;  // 1 portrait, 2 landscape
  std::vector<JudgeToken> judge;
  DWORD expected;
};

TEST_F(Judges, JudgesAgainstSettings) {
  const SettingsCase cases[] = {
      {"-1 copies is above 5: relations are unsigned", -1, 1, {S(kCopies), C(5), Op(kJudgeOpGreater), kEnd}, 1},
      {"-1 copies is not below 5", -1, 1, {S(kCopies), C(5), Op(kJudgeOpLess), kEnd}, 0},
      {"3 copies is below 5", 3, 1, {S(kCopies), C(5), Op(kJudgeOpLess), kEnd}, 1},
      {"3 copies, at least 3 and at most 3", 3, 1,
       {S(kCopies), C(3), Op(kJudgeOpGreaterEqual), S(kCopies), C(3), Op(kJudgeOpLessEqual), Op(kJudgeOpAnd), kEnd}, 1},
      {"not 2 copies, with 2", 2, 1, {S(kCopies), C(2), Op(kJudgeOpEqual), Op(kJudgeOpNot), kEnd}, 0},
      {"copies or orientation, both read", 0, 2, {S(kCopies), S(kOrientation), Op(kJudgeOpOr), kEnd}, 1},
      {"landscape prints turned", 1, 2, {S(kPrintOrient), C(1), Op(kJudgeOpEqual), kEnd}, 1},
      {"portrait prints straight", 1, 1, {S(kPrintOrient), kEnd}, 0},
      {"strictly left to right: 1 || copies == 0 is (1 || copies) == 0", 5, 1,
       {C(1), S(kCopies), Op(kJudgeOpOr), C(0), Op(kJudgeOpEqual), kEnd}, 0},
  };
  for (const SettingsCase& k : cases) {
    SCOPED_TRACE(k.what);
    Store(kCopies, k.copies);
    Store(kOrientation, k.orientation);
    EXPECT_EQ(_IsJudgement(k.judge, ucb()), k.expected);
    EXPECT_EQ(count(), 0);
  }
}

TEST_F(Judges, ASettingNamedTwiceIsReadOnce) {
  // (sort type == 0) || (sort type == 4), for each of the values.
  for (const LONG_PTR stored : {0, 4, 6}) {
    Store(kSortType, stored);
    const auto v = static_cast<WORD>(Ui(kSortType));
    EXPECT_EQ(Judge({S(kSortType), C(0), Op(kJudgeOpEqual), S(kSortType), C(v), Op(kJudgeOpEqual), Op(kJudgeOpOr), kEnd}),
              1u);
  }
  // A string operand takes one buffer to read: when the second read would
  // find none, the remembered length still answers.
  StoreText(kUserId, u"Kesm");
  plat::FailAllocationAt(2);
  EXPECT_EQ(Judge({S(kUserId), C(4), Op(kJudgeOpEqual), S(kUserId), C(4), Op(kJudgeOpEqual), Op(kJudgeOpAnd), kEnd}),
            1u);
}

TEST_F(Judges, AStringSettingCountsItsCharacters) {
  EXPECT_EQ(Judge({S(kUserId), kEnd}), 0u);  // an empty user id
  StoreText(kUserId, u"Kesm");
  EXPECT_EQ(Judge({S(kUserId), kEnd}), 4u);
  StoreText(kDeviceName, u"Office printer");
  EXPECT_EQ(Judge({S(kDeviceName), kEnd}), 14u);
  // Without a buffer to read it into, the text counts as empty.
  plat::FailAllocationAt(1);
  EXPECT_EQ(Judge({S(kUserId), kEnd}), 0u);
}

TEST_F(Judges, AStringFieldWithoutTerminatorIsReadWithinItsSetting) {
  // Fields filled to the last byte, as a DEVMODE from outside may hold them.
  // Both reads keep room for their terminator within the setting's size.
  const SFCB* user = GetSFCBbyFuncID(ucb(), kUserId);
  BYTE* field = GetDevmodeAddressBySFCB(ucb(), user);
  ASSERT_NE(field, nullptr);
  std::fill_n(field, SettingSizeOf(user->descriptor), BYTE{'K'});
  EXPECT_EQ(Judge({S(kUserId), kEnd}), 8u);
  const SFCB* device = GetSFCBbyFuncID(ucb(), kDeviceName);
  field = GetDevmodeAddressBySFCB(ucb(), device);
  std::fill_n(field, SettingSizeOf(device->descriptor), BYTE{'k'});
  EXPECT_EQ(Judge({S(kDeviceName), kEnd}), 31u);
}

TEST_F(Judges, AnOperandWithoutASettingRecordEndsTheJudgeFalse) {
  ASSERT_EQ(GetSFCBbyFuncID(ucb(), kNoRecord), nullptr);
  EXPECT_EQ(Judge({C(1), S(kNoRecord), Op(kJudgeOpOr), kEnd}), 0u);
  EXPECT_EQ(count(), 0) << "the value pushed before the end stays on the stack";
  EXPECT_EQ(Judge({C(1), C(1), Op(kJudgeOpEqual), kEnd}), 1u);
}

TEST_F(Judges, PseudoSettingsAreAnsweredByTheirHooksNotByTheirStorage) {
  // The print-orientation rule: 0 in portrait, 1 in landscape.
  Store(kPrintOrient, 1);
  Store(kOrientation, 1);
  EXPECT_EQ(Judge({S(kPrintOrient), kEnd}), 0u);
  Store(kOrientation, 2);
  EXPECT_EQ(Judge({S(kPrintOrient), kEnd}), 1u);
  // The quality module: no profile selected counts as a default profile,
  // and an empty profile list is not full, whatever the storage holds.
  Store(kUcfQuality, 0);
  EXPECT_EQ(Judge({S(kUcfQuality), kEnd}), 1u);
  Store(kUcfListFull, 1);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb(), kUcfListFull, nullptr), 1);
  EXPECT_EQ(Judge({S(kUcfListFull), kEnd}), 0u);
}

TEST_F(Judges, AJudgeThatIsNoSoundExpressionIsFalse) {
  const std::vector<std::vector<JudgeToken>> cases = {
      {Op(kJudgeOpEqual), kEnd},          // pops what nobody pushed
      {kEnd},                             // ends on an empty stack
      {Op(kJudgeOpNot), kEnd},
      {C(1), C(1), Op(kJudgeOpEqual)},    // no end token
  };
  for (const auto& judge : cases) {
    EXPECT_EQ(_IsJudgement(judge, ucb()), 0u);
    EXPECT_EQ(count(), 0);
  }
  EXPECT_EQ(_IsJudgement({}, ucb()), 0u);
}

TEST_F(Judges, AnEvaluationLeavesTheValuesItFoundOnTheStack) {
  // A judge asked while another waits (a hook that judges) uses the room
  // above the waiting values and gives it back; it never pops them.
  for (LONG v = 0; v < 250; ++v) ASSERT_TRUE(_PushData(ucb(), 1000 + v));
  EXPECT_EQ(Judge({C(2), C(3), Op(kJudgeOpLess), kEnd}), 1u);
  EXPECT_EQ(count(), 250);
  EXPECT_EQ(Judge({Op(kJudgeOpOr), kEnd}), 0u);  // would take two waiting values
  EXPECT_EQ(count(), 250);
  // Seven values do not fit in the six entries left.
  EXPECT_EQ(Judge({C(1), C(1), C(1), C(1), C(1), C(1), C(1), Op(kJudgeOpAnd), Op(kJudgeOpAnd), Op(kJudgeOpAnd),
                   Op(kJudgeOpAnd), Op(kJudgeOpAnd), Op(kJudgeOpAnd), kEnd}),
            0u);
  EXPECT_EQ(count(), 250);
  for (LONG v = 249; v >= 0; --v) {
    LONG top = 0;
    ASSERT_TRUE(_PopData(ucb(), &top));
    EXPECT_EQ(top, 1000 + v);
  }
}

TEST_F(Judges, TheStackHoldsItsEntriesAndNoMore) {
  for (int i = 0; i < kJudgeStackEntries; ++i) ASSERT_TRUE(_PushData(ucb(), i));
  EXPECT_FALSE(_PushData(ucb(), -1));
  EXPECT_EQ(count(), kJudgeStackEntries);
  EXPECT_EQ(Judge({C(1), kEnd}), 0u);  // no room for one value
  LONG v = 0;
  for (int i = kJudgeStackEntries - 1; i >= 0; --i) {
    ASSERT_TRUE(_PopData(ucb(), &v));
    EXPECT_EQ(v, i);
  }
  EXPECT_FALSE(_PopData(ucb(), &v));
  EXPECT_EQ(v, 0);
  EXPECT_EQ(count(), 0);
}

TEST_F(Judges, AContextWithoutAStackJudgesNothing) {
  BKPDEnd(ucb());
  EXPECT_EQ(Judge({C(1), kEnd}), 0u);
  EXPECT_FALSE(_PushData(ucb(), 1));
  EXPECT_EQ(_IsJudgement(std::vector<JudgeToken>{C(1), kEnd}, nullptr), 0u);
}

// --- The rich sample ------------------------------------------------------

class RichEngine : public EngineContext {
 protected:
  void SetUp() override {
    EngineContext::SetUp();
    ASSERT_NO_FATAL_FAILURE(Hold("kesm_c7_colour.kpd"));
  }
};

TEST_F(RichEngine, HideAndDisableFollowTheirJudges) {
  const UiGroup* colour = Group("KPD_IDC_PRESET_CHOICE_COLOR");
  const UiGroup* paper = Group("KPD_IDC_PRESET_CHOICE_PAPERSIZE");
  const UiGroup* duplex = Group("KPD_IDC_PRESET_FUNCSELECTDUPLEX");
  const UiGroup* copies = Group("KPD_IDC_PRESET_COPIES");
  StoreUi(kColour, V("DMCOLOR_COLOR"));
  EXPECT_TRUE(BKPDIsHideModeUI(colour, 0, ucb()));
  EXPECT_FALSE(BKPDIsDisableModeUI(colour, 0, ucb()));  // the record has no disable judge
  StoreUi(kColour, V("DMCOLOR_MONOCHROME"));
  EXPECT_FALSE(BKPDIsHideModeUI(colour, 0, ucb()));

  // A3 is hidden unless it comes from tray 2; Letter is disabled in duplex.
  StoreUi(kPaper, V("PAPER_A3"));
  StoreUi(kTray, V("TRAY_TRAY1"));
  EXPECT_TRUE(BKPDIsHideModeUI(paper, V("PAPER_A3"), ucb()));
  EXPECT_TRUE(BKPDIsDisableModeUI(duplex, 0, ucb()));
  StoreUi(kTray, V("TRAY_TRAY2"));
  EXPECT_FALSE(BKPDIsHideModeUI(paper, V("PAPER_A3"), ucb()));
  StoreUi(kDuplex, 1);
  EXPECT_TRUE(BKPDIsDisableModeUI(paper, V("PAPER_LETTER"), ucb()));
  EXPECT_FALSE(BKPDIsHideModeUI(paper, V("PAPER_LETTER"), ucb()));
  // No item for A4, no record for copies, no group at all.
  EXPECT_FALSE(BKPDIsHideModeUI(paper, V("PAPER_A4"), ucb()));
  EXPECT_FALSE(BKPDIsHideModeUI(copies, 0, ucb()));
  EXPECT_FALSE(BKPDIsDisableModeUI(nullptr, 0, ucb()));
  EXPECT_FALSE(_IsHideMode(nullptr, 0, ucb()));
  EXPECT_EQ(count(), 0);
}

TEST_F(RichEngine, TheFirstAlertWhoseJudgeHoldsAnswers) {
  const UiGroup* duplex = Group("KPD_IDC_PRESET_FUNCSELECTDUPLEX");
  StoreUi(kColour, V("DMCOLOR_MONOCHROME"));
  StoreUi(kCopies, 1);
  EXPECT_EQ(BKPDIsAlertModeUI(duplex, ucb()), 0);
  StoreUi(kCopies, 100);
  EXPECT_EQ(BKPDIsAlertModeUI(duplex, ucb()), 317);
  StoreUi(kColour, V("DMCOLOR_COLOR"));
  StoreUi(kDuplex, 1);
  EXPECT_EQ(BKPDIsAlertModeUI(duplex, ucb()), 320);  // first in list order
  EXPECT_EQ(BKPDIsAlertModeUI(Group("KPD_IDC_PRESET_CHOICE_COLOR"), ucb()), 0);  // a record without alerts
  EXPECT_EQ(BKPDIsAlertModeUI(Group("KPD_IDC_PRESET_COPIES"), ucb()), 0);  // no record
  const ExclusiveRecord* record = BkpdGroupExclusive(b_, duplex);
  ASSERT_NE(_GetAlertAddr(record, 317, ucb()), nullptr);
  EXPECT_EQ(_GetAlertAddr(record, 317, ucb())->button, 0);
  EXPECT_EQ(_GetAlertAddr(record, 318, ucb()), nullptr);
}

TEST_F(RichEngine, AStopActionStopsTheTransactAfterTheValuesBeforeIt) {
  // Colour: monochrome and one copy, then the paper group's default, then
  // the stop that asks for the options dialog.
  StoreUi(kColour, V("DMCOLOR_COLOR"));
  StoreUi(kCopies, 40);
  StoreUi(kPaper, V("PAPER_A3"));
  EXPECT_EQ(BKPDSetActionUI(Group("KPD_IDC_PRESET_CHOICE_COLOR"), ucb()), 1011);
  EXPECT_EQ(Ui(kColour), V("DMCOLOR_MONOCHROME"));
  EXPECT_EQ(Ui(kCopies), 1);
  EXPECT_EQ(Ui(kPaper), V("PAPER_A4"));
  // Monochrome: the first entry does not hold, the second always does.
  StoreUi(kCopies, 40);
  StoreUi(kPaper, V("PAPER_A3"));
  EXPECT_EQ(BKPDSetAction(G("KPD_IDC_PRESET_CHOICE_COLOR"), 0, ucb()), 1011);
  EXPECT_EQ(Ui(kCopies), 40);
  EXPECT_EQ(Ui(kPaper), V("PAPER_A4"));
  // No record, no transact.
  EXPECT_EQ(BKPDSetAction(G("KPD_IDC_PRESET_COPIES"), 0, ucb()), 0);
  EXPECT_EQ(BKPDSetActionUI(Group("KPD_IDC_PRESET_CHOICE_PAPERSIZE"), ucb()), 0);
  EXPECT_EQ(BKPDSetActionUI(nullptr, ucb()), 0);
}

TEST_F(RichEngine, AnAlertAnswerRunsItsTransact) {
  const UiGroup* duplex = Group("KPD_IDC_PRESET_FUNCSELECTDUPLEX");
  StoreUi(kColour, V("DMCOLOR_COLOR"));
  StoreUi(kCopies, 40);
  BKPDSetAlertActionUI(duplex, 317, 1, ucb());  // an alert without answers
  BKPDSetAlertActionUI(duplex, 320, 3, ucb());  // an answer it does not have
  BKPDSetAlertActionUI(duplex, 320, 2, ucb());  // an answer without a transact
  EXPECT_EQ(Ui(kColour), V("DMCOLOR_COLOR"));
  EXPECT_EQ(Ui(kCopies), 40);
  BKPDSetAlertActionUI(duplex, 320, 1, ucb());
  EXPECT_EQ(Ui(kColour), V("DMCOLOR_MONOCHROME"));
  EXPECT_EQ(Ui(kCopies), 1);
}

TEST_F(RichEngine, EveryJudgeOfTheDescriptionLeavesTheStackEmpty) {
  for (const ExclusiveRecord* r = BkpdFirstExclusive(b_); r != nullptr; r = BkpdNext(b_, r)) {
    for (DWORD judge : {r->hideJudge, r->disableJudge}) {
      _IsJudgement(BkpdJudge(b_, judge), ucb());
      EXPECT_EQ(count(), 0);
    }
    for (const ExclusiveAlert* a = BkpdAlertList(b_, r->alertList); a != nullptr; a = BkpdNext(b_, a)) {
      _IsJudgement(BkpdJudge(b_, a->judge), ucb());
      EXPECT_EQ(count(), 0);
    }
  }
}

// An action on the built-in-function setting runs the built-in function of
// its value instead of storing it. A description cannot name that setting
// (no keyword does), so the test retargets the copies action of the sample's
// duplex transact in the block it holds.
TEST_F(RichEngine, AnActionOnTheBuiltInSettingRunsTheBuiltInFunction) {
  const ExclusiveRecord* record = BkpdGroupExclusive(b_, Group("KPD_IDC_PRESET_FUNCSELECTDUPLEX"));
  ASSERT_NE(record, nullptr);
  const ExclusiveTransact* transact = BkpdTransactList(b_, record->transact);
  ASSERT_NE(transact, nullptr);
  const ExclusiveAction* copies = BkpdNext(b_, BkpdActionList(b_, transact->actionList));
  ASSERT_NE(copies, nullptr);
  ASSERT_EQ(copies->funcId, kCopies);
  auto* retarget = const_cast<ExclusiveAction*>(copies);
  retarget->funcId = kBuiltInFunc;
  retarget->value = 0x30000 | kBuiltInSavePreset;  // only the low 16 bits count

  StoreUi(kCopies, 100);  // the transact's judge: more than 99 copies
  KesmRequestForUiCore(ucb(), 0);
  EXPECT_EQ(_SetAction(transact, ucb()), 0);
  EXPECT_EQ(GetRequestCode(ucb()) & kRequestSavePreset, kRequestSavePreset);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb(), kBuiltInFunc, nullptr), 0);
  EXPECT_EQ(Ui(kCopies), 100);
}

// --- Transacts of the engine fixture ----------------------------------------

class TransactEngine : public EngineContext {
 protected:
  void SetUp() override {
    EngineContext::SetUp();
    ASSERT_NO_FATAL_FAILURE(Hold("constraint_engine.kpd"));
  }
};

TEST_F(TransactEngine, AnEntryIsJudgedAgainAfterTheEntryBeforeItRan) {
  // The first entry makes the colour mode monochrome: the second, under
  // the same judge, no longer holds.
  StoreUi(kColour, V("DMCOLOR_COLOR"));
  StoreUi(kCopies, 1);
  EXPECT_EQ(BKPDSetActionUI(Group("KPD_IDC_PRESET_CHOICE_COLOR"), ucb()), 0);
  EXPECT_EQ(Ui(kColour), V("DMCOLOR_MONOCHROME"));
  EXPECT_EQ(Ui(kCopies), 1);
  EXPECT_EQ(count(), 0);
}

TEST_F(TransactEngine, AFalseJudgeIsNotAskedAgainForTheNextEntry) {
  // With a user id both entries would hold; the first finds no buffer to
  // read the id into, so its judge is false, and the second entry, under
  // the same judge, is passed over rather than judged again.
  StoreText(kUserId, u"Kesm");
  StoreUi(kCopies, 1);
  plat::FailAllocationAt(1);
  EXPECT_EQ(BKPDSetAction(G("KPD_IDC_PRINTTYPE_USERID"), 0, ucb()), 0);
  EXPECT_EQ(Ui(kCopies), 1);
}

TEST_F(TransactEngine, AStopActionEndsTheWholeList) {
  StoreText(kUserId, u"Kesm");
  StoreUi(kCopies, 1);
  // Two copies, then the stop: neither the seven copies after it in the
  // list nor the five copies of the next entry are stored.
  EXPECT_EQ(BKPDSetAction(G("KPD_IDC_PRINTTYPE_USERID"), 0, ucb()), 1011);
  EXPECT_EQ(Ui(kCopies), 2);
}

}  // namespace
