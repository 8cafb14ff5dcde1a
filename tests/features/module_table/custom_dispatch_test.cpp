// The module table of a context and its three dispatchers: rows in table
// order, null slots skipped, the first non-zero answer ends the walk, codes
// 1 and 2 reach nobody, and a context without a table calls nothing.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "features/chapter_blocks.h"
#include "features/custom_modules.h"
#include "features/module_table/custom_pages.h"
#include "features/module_table/custom_table.h"
#include "features/module_table/module_entries.h"
#include "platform/window/winuser_messages.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

// Which row was called, by which dispatcher; the rows that answer.
struct Calls {
  std::vector<int> rows;
  std::vector<int> answering;
  int Answer(int row) {
    rows.push_back(row);
    for (int a : answering) {
      if (a == row) return row + 100;
    }
    return 0;
  }
};
Calls* calls = nullptr;

template <int Row>
int BuiltIn(UCB*, WORD, void*) { return calls->Answer(Row); }
template <int Row>
INT_PTR Procedure(UCB*, TCB*, ICB*, UINT, UINT_PTR, LPARAM, void*) { return calls->Answer(Row); }
template <int Row>
int Function(UCB*, DWORD, void*, void*) { return calls->Answer(Row); }

template <int... Rows>
std::vector<CUSTOMROW> Recorders(std::integer_sequence<int, Rows...>) {
  return {CUSTOMROW{0, nullptr, BuiltIn<Rows>, Procedure<Rows>, Function<Rows>, nullptr}...};
}

class Dispatch : public FeatureTest {
 protected:
  void SetUp() override {
    FeatureTest::SetUp();
    calls = &calls_;
    // The context's own rows are replaced for the test and put back after.
    saved_.assign(Table()->rows, Table()->rows + Table()->count);
    recorders_ = Recorders(std::make_integer_sequence<int, kCustomRows>());
    recorders_[8] = {};  // the empty row
    std::copy(recorders_.begin(), recorders_.end(), Table()->rows);
  }
  void TearDown() override {
    std::copy(saved_.begin(), saved_.end(), Table()->rows);
    calls = nullptr;
    FeatureTest::TearDown();
  }
  Calls calls_;
  std::vector<CUSTOMROW> saved_;
  std::vector<CUSTOMROW> recorders_;
};

TEST_F(Dispatch, EveryDispatcherWalksTheRowsInOrderAndStopsAtTheFirstAnswer) {
  struct Case {
    const char* what;
    std::vector<int> answering;
    std::vector<int> called;
    int result;
  };
  const Case cases[] = {
      {"nobody answers; the empty row is skipped", {}, {0, 1, 2, 3, 4, 5, 6, 7, 9}, 0},
      {"an earlier row wins over a later one", {3, 5}, {0, 1, 2, 3}, 103},
      {"the last row", {9}, {0, 1, 2, 3, 4, 5, 6, 7, 9}, 109},
      {"the first row", {0, 9}, {0}, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    calls_ = {{}, c.answering};
    KesmCustomFunction(ucb_, 3, nullptr);
    EXPECT_EQ(calls_.rows, c.called);
    calls_ = {{}, c.answering};
    KesmCustomBuiltInFunc(ucb_, 300);
    EXPECT_EQ(calls_.rows, c.called);
    calls_ = {{}, c.answering};
    EXPECT_EQ(KesmCustomProcedure(ucb_, nullptr, nullptr, 0x0111, 0, 0), c.result);
    EXPECT_EQ(calls_.rows, c.called);
  }
}

TEST_F(Dispatch, TheContextsStartAndEndReachNoModuleButEveryOtherCodeDoes) {
  for (DWORD code : {1u, 2u}) {
    calls_ = {};
    KesmCustomFunction(ucb_, code, nullptr);
    EXPECT_TRUE(calls_.rows.empty()) << code;
  }
  for (DWORD code : {0u, 3u, 46u, 0xFFFFFFFFu}) {
    calls_ = {};
    KesmCustomFunction(ucb_, code, nullptr);
    EXPECT_EQ(calls_.rows.size(), 9u) << code;
  }
}

TEST_F(Dispatch, WithoutATableNothingIsCalled) {
  CUSTOMTABLE* table = Table();
  ucb_->pWork->pCustom = nullptr;
  KesmCustomFunction(ucb_, 3, nullptr);
  KesmCustomBuiltInFunc(ucb_, 300);
  EXPECT_EQ(KesmCustomProcedure(ucb_, nullptr, nullptr, 0x0110, 0, 0), 0);
  KesmCustomFunction(nullptr, 3, nullptr);
  EXPECT_EQ(KesmCustomProcedure(nullptr, nullptr, nullptr, 0x0110, 0, 0), 0);
  ucb_->pWork->pCustom = table;
  EXPECT_TRUE(calls_.rows.empty());
}

TEST_F(Dispatch, BuiltInIdsAreOfferedAsSixteenBitNumbers) {
  WORD seen = 0;
  static WORD* seenBy = nullptr;
  seenBy = &seen;
  Table()->rows[0].builtInFunc = [](UCB*, WORD id, void*) {
    *seenBy = id;
    return 1;
  };
  KesmCustomBuiltInFunc(ucb_, 0x10000 + 901);
  EXPECT_EQ(seen, 901);
}

// The table each context gets: the static rows in their order, work areas
// only for the modules that keep something per context: the preset
// module, the quality module (the profile name being edited), the chapter
// module (its undo copy) and the Other module (a password being confirmed).
bool HasWork(LONG row) { return row == 0 || row == 2 || row == 4 || row == 9; }

TEST(ModuleTable, TheStaticTableHasTenRowsAndOnlyTheModulesThatKeepSomethingHaveWork) {
  LONG count = 0;
  const CUSTOMROW* rows = RegisterCustomFuncs(&count);
  ASSERT_EQ(count, 10);
  for (LONG i = 0; i < count; ++i) {
    EXPECT_EQ(rows[i].work, nullptr) << i;
    EXPECT_EQ(rows[i].workSize > 0, HasWork(i)) << i;
  }
  EXPECT_EQ(rows[8].builtInFunc, nullptr);
  EXPECT_EQ(rows[8].procedure, nullptr);
  EXPECT_EQ(rows[8].function, nullptr);
  EXPECT_EQ(rows[2].builtInFunc, QualityBuiltInFunc);
  EXPECT_EQ(rows[3].function, FreesizeFunction);
  EXPECT_EQ(rows[4].function, ChapterFunction);
  EXPECT_EQ(rows[6].function, FontxchgFunction);
  EXPECT_EQ(rows[9].function, OtherFunction);
}

class ContextTable : public FeatureTest {};

TEST_F(ContextTable, EachContextHasItsOwnRowsAndWorkAreas) {
  UCB* other = OpenOn(lobby_);
  ASSERT_NE(other, nullptr);
  ASSERT_NE(other->pWork->pCustom, nullptr);
  EXPECT_NE(other->pWork->pCustom->rows, Table()->rows);
  for (int i = 0; i < kCustomRows; ++i) {
    if (!HasWork(i)) continue;
    EXPECT_NE(Row(i).work, nullptr) << i;
    EXPECT_NE(other->pWork->pCustom->rows[i].work, Row(i).work) << i;
  }
  for (int i = 0; i < kCustomRows; ++i) {
    EXPECT_EQ(Row(i).work != nullptr, HasWork(i)) << i;
  }
  Release(other);
}

// The pages' entries reach the contexts built after they are registered,
// in place of the row's own where they have one; a context built before
// keeps its rows, and once dropped new contexts get the static rows again.
INT_PTR PageProcedure(UCB*, TCB*, ICB*, UINT, UINT_PTR, LPARAM, void*) { return 0; }
int PageFunction(UCB*, DWORD, void*, void*) { return 0; }

TEST_F(ContextTable, RegisteredPagesTakeTheirRowsSlotsInContextsBuiltAfter) {
  CUSTOMPAGEROW pages[kCustomRows] = {};
  pages[3].procedure = PageProcedure;
  pages[9].function = PageFunction;
  LONG count = 0;
  const CUSTOMROW* fixed = RegisterCustomFuncs(&count);
  RegisterCustomPages(pages);
  UCB* after = OpenOn(lobby_);
  RegisterCustomPages(nullptr);
  UCB* dropped = OpenOn(lobby_);
  ASSERT_NE(after, nullptr);
  ASSERT_NE(dropped, nullptr);
  const CUSTOMROW* rows = after->pWork->pCustom->rows;
  EXPECT_EQ(rows[3].procedure, PageProcedure);
  EXPECT_EQ(rows[3].builtInFunc, fixed[3].builtInFunc);
  EXPECT_EQ(rows[3].function, fixed[3].function);
  EXPECT_EQ(rows[9].function, PageFunction);
  EXPECT_EQ(rows[9].procedure, fixed[9].procedure);
  EXPECT_NE(rows[4].work, nullptr);
  EXPECT_EQ(Row(3).procedure, fixed[3].procedure);
  EXPECT_EQ(dropped->pWork->pCustom->rows[3].procedure, fixed[3].procedure);
  Release(after);
  Release(dropped);
}

// Without a context only the measuring of an owner-drawn control, which
// comes while the control is made, reaches the modules' page procedures;
// they get no work area.
int measuredCalls = 0;
void* measuredWork = reinterpret_cast<void*>(1);
INT_PTR MeasuringProcedure(UCB*, TCB*, ICB*, UINT, UINT_PTR, LPARAM, void* work) {
  ++measuredCalls;
  measuredWork = work;
  return 0;
}

TEST(ModuleTable, WithoutAContextOnlyMeasuringReachesThePages) {
  CUSTOMPAGEROW pages[kCustomRows] = {};
  pages[2].procedure = MeasuringProcedure;
  RegisterCustomPages(pages);
  measuredCalls = 0;
  for (const UINT message : {WM_COMMAND, WM_INITDIALOG, WM_DRAWITEM}) {
    EXPECT_EQ(KesmCustomProcedure(nullptr, nullptr, nullptr, message, 0, 0), 0);
  }
  EXPECT_EQ(measuredCalls, 0);
  KesmCustomProcedure(nullptr, nullptr, nullptr, WM_MEASUREITEM, 0, 0);
  RegisterCustomPages(nullptr);
  EXPECT_EQ(measuredCalls, 1);
  EXPECT_EQ(measuredWork, nullptr);
}

// A module whose work area could not be had is called with null; the
// chapter module then keeps no undo copy of its blocks and must not touch
// the missing area.
TEST_F(ContextTable, TheChapterModuleWithoutItsWorkAreaKeepsNoUndoCopy) {
  S(831, 4);
  S(833, 1);
  CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb_, 0);
  ASSERT_NE(block, nullptr);
  *block = {5, 1, 0, 0};
  void* work = Row(4).work;
  Row(4).work = nullptr;
  KesmCustomFunction(ucb_, 26, nullptr);
  block->page = 9;
  KesmCustomFunction(ucb_, 27, nullptr);
  EXPECT_EQ(block->page, 9) << "nothing was kept to restore";
  Row(4).work = work;
  KesmCustomFunction(ucb_, 26, nullptr);
  block->page = 12;
  KesmCustomFunction(ucb_, 27, nullptr);
  EXPECT_EQ(block->page, 9);
}

TEST_F(ContextTable, PseudoSettingsOutsideTheModulesRangesAreZero) {
  S(12, 3);    // copies
  S(411, 5);   // separation-sheet cycle
  for (WORD id : {964, 995, 999, 1005, 1011, 1012, 1107, 1109, 1123}) EXPECT_EQ(Ucf_JudgeHook(ucb_, id), 0u) << id;
  EXPECT_EQ(Ucf_JudgeHook(ucb_, 1108), 1u);
  EXPECT_EQ(Ucf_JudgeHook(ucb_, 996), 1u) << "no profile selected counts as a default one";
}

}  // namespace
}  // namespace features_test
