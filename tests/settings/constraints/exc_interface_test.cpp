// The constraint interface without a dialog: the variable list's data,
// condition lists as a table of cases, the support conditions' id
// translation, the count protocol of the listing, values judged by trial
// on tests/data/kpd/exc_interface.kpd with everything a trial changed put
// back, and the request block's setter and actions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/constraints/exc_interface.h"
#include "settings/constraints/ui_status.h"
#include "tests/settings/constraints/engine_context.h"

namespace {

using kesm_test::EngineContext;
using kpdtest::G;

constexpr WORD kOrientation = 7;
constexpr WORD kCopies = 12;
constexpr WORD kTray = 13;
constexpr WORD kColour = 15;
constexpr WORD kPunchOn = 62;
constexpr WORD kStapleOn = 63;
constexpr WORD kPrintArea = 173;
constexpr WORD kSortType = 119;
constexpr WORD kStapleType = 121;
constexpr WORD kMarginEven = 99;
constexpr WORD kBrightness = 807;       // a work setting
constexpr WORD kMemory = 10012;         // printer-wide
constexpr WORD kSecondTrayUnit = 10016;
constexpr WORD kShiftTray = 10065;
constexpr WORD kTray1Media = 10207;     // printer-wide
// Finisher options, printer-wide, and their DEVMODE copies.
constexpr WORD kFinisherQD = 10059;
constexpr WORD kFinisherQDCopy = 289;
constexpr WORD kFinisher2NA = 10090;
constexpr WORD kFinisher2NACopy = 320;
constexpr WORD kFinisher2EUCopy = 321;
constexpr WORD kFinisher2NoPunchCopy = 323;

const ExcVariable* Variable(WORD funcId) {
  const ExcVariableList* list = GetExcVariableListData();
  for (DWORD i = 0; i < list->count; ++i) {
    if (list->records[i].funcId == funcId) return &list->records[i];
  }
  return nullptr;
}

std::vector<DWORD> ValuesOf(const ExcVariable& v) {
  std::vector<DWORD> out;
  for (DWORD i = 0; v.values != nullptr && i < v.values->count; ++i) out.push_back(v.values->values[i].value);
  return out;
}

std::vector<ExcTerm> TermsOf(const ExcEntry* e) {
  std::vector<ExcTerm> out;
  for (; e != nullptr; e = e->next) out.push_back({e->link, e->funcId, e->value});
  return out;
}

std::size_t Length(const ExcEntry* e) {
  std::size_t n = 0;
  for (; e != nullptr; e = e->next) ++n;
  return n;
}

// --- The data ---------------------------------------------------------------

TEST(ExcData, FiftyOneVariablesOfDistinctSettings) {
  const ExcVariableList* list = GetExcVariableListData();
  ASSERT_EQ(list, &ExcVariableListData);
  ASSERT_EQ(list->count, 51u);
  std::set<DWORD> ids;
  std::set<std::string> names;
  for (DWORD i = 0; i < list->count; ++i) {
    const ExcVariable& v = list->records[i];
    SCOPED_TRACE(v.name);
    EXPECT_NE(v.funcId, 0u);
    EXPECT_TRUE(ids.insert(v.funcId).second);
    EXPECT_TRUE(names.insert(v.name).second);
    EXPECT_NE(v.mode & kExcModeListed, 0u);
    EXPECT_EQ((v.mode & kExcModeSupport) != 0, v.support != nullptr);
    const std::vector<DWORD> values = ValuesOf(v);
    EXPECT_EQ(std::set<DWORD>(values.begin(), values.end()).size(), values.size()) << "a value listed twice";
  }
}

TEST(ExcData, TrialsStoreDevmodeSettingsAndFewEnoughOfThem) {
  const ExcVariableList* list = GetExcVariableListData();
  for (DWORD i = 0; i < list->count; ++i) {
    const ExcVariable& v = list->records[i];
    if ((v.kind & kExcKindTrial) == 0) continue;
    SCOPED_TRACE(v.name);
    EXPECT_LE(v.funcId, 623u) << "a trial stores only DEVMODE values";
    for (DWORD k = 0; k < v.values->count; ++k) {
      const ExcValue& value = v.values->values[k];
      EXPECT_LE(1 + Length(v.sideEffects) + Length(value.sideEffects), 20u);
    }
  }
}

TEST(ExcData, SupportConditionsNameOptionsTheTranslationCovers) {
  const ExcVariableList* list = GetExcVariableListData();
  for (DWORD i = 0; i < list->count; ++i) {
    for (const ExcTerm& t : TermsOf(list->records[i].support)) {
      SCOPED_TRACE(testing::Message() << list->records[i].name << " " << t.funcId);
      bool covered = false;
      for (const OptFidRow* row = gOptFidTbl; row->storedId != 0; ++row) {
        covered = covered || (t.funcId >= row->storedId && t.funcId < static_cast<DWORD>(row->storedId + kOptFidRowSpan));
      }
      EXPECT_TRUE(covered);
    }
  }
}

TEST(ExcData, TheSettingsTheRequestBlockUsesHaveTheirVariables) {
  for (const WORD* id = FuncE; *id != kFuncEEnd; ++id) EXPECT_NE(Variable(*id), nullptr) << *id;
  // The values the capability block reports.
  const std::vector<std::pair<WORD, std::vector<DWORD>>> reported = {
      {kSortType, {1, 4, 6}},
      {120, {1, 2, 3}},
      {kStapleType, {1, 2, 17, 18, 33, 34, 65, 67, 49, 50, 66}},
      {46, {1, 8, 9, 11, 70, 12, 13, 88, 3, 5, 6, 43, 66, 267, 268, 269}},
  };
  for (const auto& [id, needed] : reported) {
    const std::vector<DWORD> values = ValuesOf(*Variable(id));
    for (DWORD n : needed) EXPECT_NE(std::find(values.begin(), values.end(), n), values.end()) << id << " " << n;
  }
}

TEST(ExcData, CollationAndStapleReadAsTheModelGivesThem) {
  const ExcVariable* collate = Variable(kSortType);
  ASSERT_NE(collate, nullptr);
  EXPECT_EQ(ValuesOf(*collate), (std::vector<DWORD>{0, 1, 6, 4}));
  EXPECT_EQ(collate->values->values[0].flags & kExcValueNotListed, kExcValueNotListed);
  EXPECT_EQ(collate->kind & kExcKindTrial, 0u);

  const std::vector<ExcTerm> staple = TermsOf(Variable(kStapleType)->support);
  ASSERT_GE(staple.size(), 3u);
  EXPECT_EQ(staple[0].funcId, kFinisherQD);
  EXPECT_EQ(staple[0].value, 0u);
  EXPECT_EQ(staple[0].link, kExcLinkGroupEnd);
  EXPECT_EQ(staple[1].funcId, kFinisher2NA);
  EXPECT_EQ(staple[1].link, kExcLinkOr);
  EXPECT_EQ(staple[2].funcId, 10091u);
}

TEST(ExcData, IdTablesAsGiven) {
  const std::vector<std::pair<WORD, WORD>> rows = {
      {10014, 244}, {10046, 276}, {10078, 308}, {10290, 412}, {10322, 479}, {0, 0}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(gOptFidTbl[i].storedId, rows[i].first);
    EXPECT_EQ(gOptFidTbl[i].funcId, rows[i].second);
  }
  const std::vector<WORD> funcE(FuncE, FuncE + kFuncECount + 1);
  EXPECT_EQ(funcE, (std::vector<WORD>{606, 38, 46, 53, 55, 56, 58, 61, 62, 63, 87, 89, 91, 92, 94, 119, 120, 121,
                                      173, 0xFFFF}));
}

// --- Condition lists ---------------------------------------------------------

// Entries linked in the order given.
std::vector<ExcEntry> Chain(const std::vector<ExcTerm>& terms) {
  std::vector<ExcEntry> entries(terms.size());
  for (std::size_t i = 0; i < terms.size(); ++i) {
    entries[i] = {i + 1 < terms.size() ? &entries[i + 1] : nullptr, terms[i].link, terms[i].funcId, terms[i].value};
  }
  return entries;
}

class ExcConditions : public ::testing::Test {
 protected:
  UCB* ucb() { return c_.ucb(); }
  void Store(WORD funcId, LONG_PTR value) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb(), funcId, value)); }
  kesm_test::HandContext c_;
};

constexpr DWORD kAnd = kExcLinkAnd;
constexpr DWORD kOr = kExcLinkOr;
constexpr DWORD kEnd = kExcLinkGroupEnd;

struct ConditionCase {
  const char* what;
  std::vector<ExcTerm> terms;
  LONG_PTR copies;  // A: copies == 1
  LONG_PTR tray;    // B: tray == 2
  LONG_PTR colour;  // C: colour == 3
  BOOL holds;
};

TEST_F(ExcConditions, ChainsGroupsAndAlternatives) {
  const std::vector<ExcTerm> aAndB = {{kAnd, kCopies, 1}, {kEnd, kTray, 2}};
  const std::vector<ExcTerm> aOrB = {{kOr, kCopies, 1}, {kEnd, kTray, 2}};
  const std::vector<ExcTerm> aAndBOrC = {{kAnd, kCopies, 1}, {kOr, kTray, 2}, {kEnd, kColour, 3}};
  const std::vector<ExcTerm> aThenBOrC = {{kEnd, kCopies, 1}, {kOr, kTray, 2}, {kEnd, kColour, 3}};
  const std::vector<ExcTerm> aOrBThenC = {{kOr, kCopies, 1}, {kEnd, kTray, 2}, {kEnd, kColour, 3}};
  const ConditionCase cases[] = {
      {"an empty list holds", {}, 0, 0, 0, TRUE},
      {"one condition that holds", {{kEnd, kCopies, 1}}, 1, 0, 0, TRUE},
      {"one condition that fails", {{kEnd, kCopies, 1}}, 0, 0, 0, FALSE},
      {"a chain whose conditions all hold", aAndB, 1, 2, 0, TRUE},
      {"a chain whose second condition fails", aAndB, 1, 0, 0, FALSE},
      {"a chain whose first condition fails", aAndB, 0, 2, 0, FALSE},
      {"the first alternative", aOrB, 1, 0, 0, TRUE},
      {"the second alternative", aOrB, 0, 2, 0, TRUE},
      {"no alternative", aOrB, 0, 0, 0, FALSE},
      {"a chain that breaks off, then the alternative", aAndBOrC, 1, 0, 3, TRUE},
      {"a chain that fails at once, then the alternative", aAndBOrC, 0, 2, 3, TRUE},
      {"the rest of a failed chain does not count", aAndBOrC, 0, 2, 0, FALSE},
      {"two groups that hold", aThenBOrC, 1, 0, 3, TRUE},
      {"the first group fails", aThenBOrC, 0, 2, 3, FALSE},
      {"the second group fails", aThenBOrC, 1, 0, 0, FALSE},
      {"a group held by its second alternative, then the next group", aOrBThenC, 0, 2, 3, TRUE},
      {"a group held by an alternative does not carry the next", aOrBThenC, 0, 2, 0, FALSE},
      {"an and-link at the end of the list", {{kAnd, kCopies, 1}}, 1, 0, 0, TRUE},
      {"values compare as 32 bits", {{kEnd, kCopies, 0xFFFFFFFF}}, -1, 0, 0, TRUE},
      {"only the low 16 bits of the id count", {{kEnd, 0x10000u | kCopies, 1}}, 1, 0, 0, TRUE},
  };
  for (const ConditionCase& k : cases) {
    SCOPED_TRACE(k.what);
    Store(kCopies, k.copies);
    Store(kTray, k.tray);
    Store(kColour, k.colour);
    const std::vector<ExcEntry> list = Chain(k.terms);
    EXPECT_EQ(OptCtrlSelectChkForAPI(ucb(), list.empty() ? nullptr : list.data()), k.holds);
  }
}

TEST_F(ExcConditions, SupportConditionsReadTheDevmodeCopiesOfTheOptions) {
  // No finisher of kind QD, then one of the stapling finishers.
  const std::vector<ExcEntry> staple =
      Chain({{kEnd, kFinisherQD, 0}, {kOr, kFinisher2NA, 1}, {kOr, 10091, 1}, {kEnd, 10093, 1}});
  Store(kFinisher2EUCopy, 1);
  EXPECT_TRUE(OptCtrlSupportChk(ucb(), staple.data()));
  // The printer-wide settings themselves are not what the support reads...
  Store(kFinisherQD, 1);
  EXPECT_TRUE(OptCtrlSupportChk(ucb(), staple.data()));
  // ...but what the plain form reads.
  EXPECT_FALSE(OptCtrlSelectChkForAPI(ucb(), staple.data()));
  Store(kFinisherQDCopy, 1);
  EXPECT_FALSE(OptCtrlSupportChk(ucb(), staple.data())) << "the first group fails";
  Store(kFinisherQDCopy, 0);
  Store(kFinisher2EUCopy, 0);
  EXPECT_FALSE(OptCtrlSupportChk(ucb(), staple.data())) << "no alternative of the second group";
  Store(kFinisher2NoPunchCopy, 1);
  EXPECT_TRUE(OptCtrlSupportChk(ucb(), staple.data()));

  // A condition outside every row is passed over: copies == 5 is not asked.
  const std::vector<ExcEntry> mixed = Chain({{kAnd, kCopies, 5}, {kEnd, kFinisher2NA, 1}});
  EXPECT_FALSE(OptCtrlSupportChk(ucb(), mixed.data()));
  Store(kFinisher2NACopy, 1);
  EXPECT_TRUE(OptCtrlSupportChk(ucb(), mixed.data()));
  EXPECT_FALSE(OptCtrlSelectChkForAPI(ucb(), mixed.data()));
}

// --- Listing and trials -------------------------------------------------------

class ExcListing : public EngineContext {
 protected:
  void SetUp() override {
    EngineContext::SetUp();
    ASSERT_NO_FATAL_FAILURE(Hold("exc_interface.kpd"));
    // Portrait: the staple types' texts are those of the first section.
    Store(kOrientation, 1);
  }
  LONG_PTR Stored(WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb(), funcId, nullptr); }
  // The selectable values, asked for the count first.
  std::vector<DWORD> Active(WORD funcId, DWORD mode = kExcListAll) {
    LONG count = -5;
    const LONG first = ExcGetActiveValuePlus(ucb(), funcId, 0, nullptr, &count, mode);
    if (first != kExcCountOnly) {
      EXPECT_EQ(first, kExcListed);
      EXPECT_EQ(count, 0);
      return {};
    }
    std::vector<DWORD> values(static_cast<std::size_t>(count));
    EXPECT_EQ(ExcGetActiveValuePlus(ucb(), funcId, static_cast<DWORD>(count), values.data(), &count, mode), kExcListed);
    EXPECT_EQ(static_cast<std::size_t>(count), values.size());
    return values;
  }
  void ClearMarks() {
    for (int i = 1; i <= kSettingCount; ++i) c_.record(i).flags &= static_cast<WORD>(~kSfcbChangedMask);
    c_.work().fChanged = 0;
    KesmRequestForUiCore(ucb(), 0);
  }
  // The staple unit of the model: a finisher of kind FIN2 NA.
  void InstallStapler() { Store(kFinisher2NACopy, 1); }
};

// Everything of the context that a trial may change.
struct ContextState {
  std::vector<BYTE> dcb;
  std::vector<WORD> flags;
  INT changed;
  INT request;

  explicit ContextState(kesm_test::HandContext& c)
      : dcb(reinterpret_cast<const BYTE*>(&c.dcb()), reinterpret_cast<const BYTE*>(&c.dcb()) + sizeof(DCB)),
        changed(c.work().fChanged),
        request(c.work().dwRequest) {
    for (int i = 1; i <= kSettingCount; ++i) flags.push_back(c.record(i).flags);
  }
  bool operator==(const ContextState&) const = default;
};

TEST_F(ExcListing, TheCountComesFirstThenTheValues) {
  Store(kMemory, 131072);
  Store(kSecondTrayUnit, 1);
  Store(kShiftTray, 1);
  EXPECT_EQ(Active(kSortType), (std::vector<DWORD>{0, 1, 6, 4}));
  EXPECT_EQ(Active(kSortType, kExcListChosen), (std::vector<DWORD>{1, 6, 4}));

  // Too small a buffer: the count only, the buffer untouched.
  DWORD values[3] = {77, 77, 77};
  LONG count = 0;
  EXPECT_EQ(ExcGetActiveValuePlus(ucb(), kSortType, 2, values, &count, kExcListChosen), kExcCountOnly);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(values[0], 77u);
  EXPECT_EQ(ExcGetActiveValue(ucb(), kSortType, 3, values, &count), kExcCountOnly);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(ExcGetActiveValuePlus(ucb(), kSortType, 3, values, nullptr, kExcListChosen), kExcListed);
  EXPECT_EQ(std::vector<DWORD>(values, values + 3), (std::vector<DWORD>{1, 6, 4}));
}

TEST_F(ExcListing, ConditionsDecideTheCollationTypes) {
  EXPECT_EQ(Active(kSortType), (std::vector<DWORD>{0, 1})) << "a memory size not reported counts as enough";
  EXPECT_TRUE(IsValidateCollateEx(ucb()));
  Store(kMemory, 65536);
  EXPECT_EQ(Active(kSortType), (std::vector<DWORD>{0})) << "too little memory to collate in";
  EXPECT_EQ(Active(kSortType, kExcListChosen), std::vector<DWORD>{});
  EXPECT_FALSE(IsValidateCollateEx(ucb()));
  Store(kMemory, 1048576);
  EXPECT_EQ(Active(kSortType), (std::vector<DWORD>{0, 1}));
  EXPECT_TRUE(IsValidateCollateEx(ucb()));
  Store(kShiftTray, 1);
  EXPECT_EQ(Active(kSortType), (std::vector<DWORD>{0, 1, 4}));
  // Without memory for the list, collation is not offered.
  plat::FailAllocationAt(1);
  EXPECT_FALSE(IsValidateCollateEx(ucb()));
}

TEST_F(ExcListing, WhatIsNotControllableListsNothing) {
  InstallStapler();
  const std::pair<const char*, WORD> cases[] = {
      {"a setting without a variable", kCopies},
      {"a variable without values", kMarginEven},
      {"no setting", 0},
  };
  for (const auto& [what, id] : cases) {
    SCOPED_TRACE(what);
    LONG count = 9;
    DWORD value = 0;
    EXPECT_EQ(ExcGetActiveValue(ucb(), id, 1, &value, &count), kExcListed);
    EXPECT_EQ(count, 0);
  }
  // Staple without its unit.
  Store(kFinisher2NACopy, 0);
  EXPECT_EQ(ExcGetVariableControlbyFuncID(ucb(), kStapleType, kExcModeListed), nullptr);
  EXPECT_EQ(Active(kStapleType), std::vector<DWORD>{});
  InstallStapler();
  EXPECT_EQ(ExcGetVariableControlbyFuncID(ucb(), kStapleType, kExcModeListed), Variable(kStapleType));
  EXPECT_EQ(ExcGetVariableControlbyFuncID(ucb(), kStapleType, 0x4), nullptr) << "a mask the mode does not share";
  EXPECT_EQ(ExcGetVariableControlbyFuncID(ucb(), 0, kExcModeListed), nullptr);
  // A context without settings.
  UCB bare = *ucb();
  bare.pDCB = nullptr;
  LONG count = 9;
  EXPECT_EQ(ExcGetActiveValue(&bare, kSortType, 0, nullptr, &count), kExcListed);
  EXPECT_EQ(count, 0);
}

TEST_F(ExcListing, OutOfMemoryListsNothing) {
  InstallStapler();
  Store(kMemory, 1048576);
  for (const auto& [id, failing] : {std::pair<WORD, int>{kSortType, 1}, {kStapleType, 1}, {kStapleType, 2}}) {
    SCOPED_TRACE(testing::Message() << id << " allocation " << failing);
    const ContextState before(c_);
    LONG count = 9;
    plat::FailAllocationAt(static_cast<std::size_t>(failing));
    EXPECT_EQ(ExcGetActiveValue(ucb(), id, 0, nullptr, &count), kExcNoMemory);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(ContextState(c_) == before);
  }
}

TEST_F(ExcListing, TrialsFollowTheDescriptionsActions) {
  InstallStapler();
  const std::vector<DWORD> all = {0, 1, 2, 17, 18, 33, 34, 49, 50, 65, 66, 67, 68};
  EXPECT_EQ(Active(kStapleType), all);
  // Punching withdraws the slanted staples.
  Store(kPunchOn, 1);
  EXPECT_EQ(Active(kStapleType, kExcListChosen), (std::vector<DWORD>{1, 2, 33, 34, 49, 50, 65, 66, 67, 68}));
  const ExcVariable* staple = Variable(kStapleType);
  const ExcValue* slanted = &staple->values->values[3];
  ASSERT_EQ(slanted->value, 17u);
  EXPECT_FALSE(ExcValueSelectPrintForAPI(ucb(), staple, slanted));
  EXPECT_TRUE(ExcValueSelectPrintForAPI(ucb(), staple, &staple->values->values[1]));
  EXPECT_FALSE(ExcValueSelectPrintForAPI(ucb(), staple, nullptr));
  EXPECT_FALSE(ExcValueSelectPrintForAPI(nullptr, staple, slanted));
  // A trial that cannot set the settings aside judges nothing.
  plat::FailAllocationAt(1);
  EXPECT_FALSE(ExcValueSelectPrintForAPI(ucb(), staple, &staple->values->values[1]));
}

// A listing by trial is kept for the state it was judged on: asked again
// after any change (a DEVMODE, printer-wide or work setting, a changed
// mark) it is judged on the new state, and a state met again gives its own
// answer again.
TEST_F(ExcListing, ListingsFollowEveryChangeOfTheSettings) {
  InstallStapler();
  const std::vector<DWORD> all = {0, 1, 2, 17, 18, 33, 34, 49, 50, 65, 66, 67, 68};
  const std::vector<DWORD> punched = {1, 2, 33, 34, 49, 50, 65, 66, 67, 68};
  EXPECT_EQ(Active(kStapleType, kExcListChosen), (std::vector<DWORD>{1, 2, 17, 18, 33, 34, 49, 50, 65, 66, 67, 68}));
  Store(kPunchOn, 1);
  EXPECT_EQ(Active(kStapleType, kExcListChosen), punched);
  Store(kPunchOn, 0);
  EXPECT_EQ(Active(kStapleType), all);
  Store(kPunchOn, 1);
  EXPECT_EQ(Active(kStapleType, kExcListChosen), punched);
  // Without the staple unit (a printer-wide option's DEVMODE copy) nothing
  // is listed; with it again, the punched list is back.
  Store(kFinisher2NACopy, 0);
  EXPECT_EQ(Active(kStapleType), std::vector<DWORD>{});
  InstallStapler();
  EXPECT_EQ(Active(kStapleType, kExcListChosen), punched);
  // The kept lists go with the context.
  EXPECT_NE(c_.work().pActiveValueMemo, nullptr);
}

TEST_F(ExcListing, ATrialPutsBackEverythingItChanged) {
  InstallStapler();
  Store(kPunchOn, 1);
  Store(kStapleType, 2);
  Store(kBrightness, 3);
  Store(kTray1Media, 1);
  ClearMarks();
  const ContextState before(c_);
  // Every trial runs the description's actions, which also write a work and
  // a printer-wide setting; none of it stays.
  EXPECT_EQ(Active(kStapleType).size(), 11u);
  EXPECT_TRUE(ContextState(c_) == before);
  EXPECT_EQ(Stored(kBrightness), 3);
  EXPECT_EQ(Stored(kTray1Media), 1);
  EXPECT_EQ(Stored(kStapleOn), 0);
  const ExcVariable* staple = Variable(kStapleType);
  EXPECT_FALSE(ExcValueSelectPrintForAPI(ucb(), staple, &staple->values->values[4]));
  EXPECT_TRUE(ContextState(c_) == before);

  // What the actions change when they run for good.
  EXPECT_EQ(ExcAllValidate(ucb()), 0);
  EXPECT_EQ(Stored(kBrightness), 7);
  EXPECT_EQ(Stored(kTray1Media), 258);
  EXPECT_EQ(Stored(kStapleType), 2);
}

// --- The request block's settings ---------------------------------------------

TEST_F(ExcListing, OnlyTheRequestBlocksSettingsAreSet) {
  Store(kOrientation, 1);
  EXPECT_EQ(SetFuncE(ucb(), kOrientation, 2), 0u);
  EXPECT_EQ(Stored(kOrientation), 1);
  EXPECT_EQ(SetFuncE(ucb(), kPrintArea, 1), DWORD{1} << 18);
  EXPECT_EQ(Stored(kPrintArea), 1);
  EXPECT_EQ(SetFuncE(ucb(), 606, 0), 1u);
  EXPECT_EQ(SetFuncE(nullptr, kPrintArea, 1), 0u);
}

TEST_F(ExcListing, ActionsRunForTheSettingsOfTheMask) {
  const DWORD mask = SetFuncE(ucb(), kStapleType, 17) | SetFuncE(ucb(), kPunchOn, 1);
  EXPECT_EQ(mask, (DWORD{1} << 17) | (DWORD{1} << 8));
  // The punch switch's group has no transact, the resolution no group.
  const ContextState set(c_);
  ExcActionUI(ucb(), (DWORD{1} << 8) | (DWORD{1} << 1));
  EXPECT_TRUE(ContextState(c_) == set);
  ExcActionUI(ucb(), mask);
  EXPECT_EQ(Stored(kStapleType), 0);
  EXPECT_EQ(Stored(kBrightness), 7);
}

}  // namespace
