// The index beside a work description's lists answers as a walk of the
// list in order would: the first group of an id, or of an id and sub-group
// number, the first option of a value, also after the list was changed
// behind the index's back; and freeing a work description releases every
// block once, however many groups borrow it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/base/control.h"
#include "settings/bkpd/bkpd_work_index.h"
#include "settings/system/memptr.h"

namespace {

template <class T>
T* New() {
  return static_cast<T*>(GetMemPtr(sizeof(T)));
}

WorkUiGroup* Group(WORD groupId, WORD subGroupId) {
  auto* g = New<WorkUiGroup>();
  g->groupId = groupId;
  g->subGroupId = subGroupId;
  return g;
}

WorkOption* Option(WORD value) {
  auto* o = New<WorkOption>();
  o->value = value;
  return o;
}

class WorkIndex : public testing::Test {
 protected:
  void SetUp() override { work_ = WorkBKPD_Entry(); }
  void TearDown() override { WorkBKPD_Free(work_); }

  // Appends groups of {group id, sub-group number} through the index.
  std::vector<WorkUiGroup*> Append(std::initializer_list<std::pair<WORD, WORD>> groups) {
    std::vector<WorkUiGroup*> made;
    for (const auto& [id, sub] : groups) {
      made.push_back(Group(id, sub));
      EXPECT_TRUE(WorkBKPD_AppendGroup(work_, made.back()));
    }
    return made;
  }

  std::vector<WORD> ListIds() const {
    std::vector<WORD> ids;
    for (const WorkUiGroup* g = work_->header->groups; g != nullptr; g = g->next) ids.push_back(g->groupId);
    return ids;
  }

  WorkBKPD* work_ = nullptr;
};

TEST_F(WorkIndex, GroupsKeepListOrderAndTheFirstOfAKeyIsFound) {
  const auto g = Append({{7, 2}, {7, 0}, {9, 0}, {7, 0}, {7, 1}, {7, 2}});
  EXPECT_EQ(ListIds(), (std::vector<WORD>{7, 7, 9, 7, 7, 7}));
  EXPECT_EQ(WorkBKPD_FirstGroup(work_, 7), g[0]);
  EXPECT_EQ(WorkBKPD_FirstGroup(work_, 9), g[2]);
  EXPECT_EQ(WorkBKPD_FirstGroup(work_, 8), nullptr);
  EXPECT_EQ(WorkBKPD_FirstGroup(work_, 60000), nullptr);
  EXPECT_EQ(WorkBKPD_FirstGroupOf(work_, 7, 0), g[1]);
  EXPECT_EQ(WorkBKPD_FirstGroupOf(work_, 7, 2), g[0]);
  EXPECT_EQ(WorkBKPD_FirstGroupOf(work_, 7, 1), g[4]);
  EXPECT_EQ(WorkBKPD_FirstGroupOf(work_, 9, 1), nullptr);

  std::vector<const WorkUiGroup*> visited;
  const bool stopped = WorkBKPD_AnyGroupOf(
      work_, 7,
      [](const WorkUiGroup* group, const void* out) {
        static_cast<std::vector<const WorkUiGroup*>*>(const_cast<void*>(out))->push_back(group);
        return group->subGroupId == 1;
      },
      &visited);
  EXPECT_TRUE(stopped);
  EXPECT_EQ(visited, (std::vector<const WorkUiGroup*>{g[0], g[1], g[3], g[4]}));
}

TEST_F(WorkIndex, AListChangedByHandIsReadAgain) {
  const auto g = Append({{5, 0}, {6, 0}});
  ASSERT_EQ(WorkBKPD_FirstGroup(work_, 5), g[0]);
  // A group put in front, then one linked after the last.
  WorkUiGroup* front = Group(5, 0);
  front->next = work_->header->groups;
  work_->header->groups = front;
  EXPECT_EQ(WorkBKPD_FirstGroup(work_, 5), front);
  WorkUiGroup* tail = Group(8, 3);
  g[1]->next = tail;
  EXPECT_EQ(WorkBKPD_FirstGroupOf(work_, 8, 3), tail);
  // Appending after that still goes to the end.
  const auto more = Append({{5, 4}});
  EXPECT_EQ(ListIds(), (std::vector<WORD>{5, 5, 6, 8, 5}));
  EXPECT_EQ(WorkBKPD_FirstGroupOf(work_, 5, 4), more[0]);
}

TEST_F(WorkIndex, OptionsAreFoundByValueAndAppendedAtTheEnd) {
  WorkUiGroup* g = Append({{4, 0}})[0];
  // A list made by hand, with a value twice: the first one counts.
  WorkOption* a = Option(30);
  WorkOption* b = Option(31);
  WorkOption* c = Option(30);
  g->options = a;
  a->next = b;
  b->next = c;
  EXPECT_EQ(WorkBKPD_FindOption(work_, g, 30), a);
  EXPECT_EQ(WorkBKPD_FindOption(work_, g, 31), b);
  EXPECT_EQ(WorkBKPD_FindOption(work_, g, 32), nullptr);
  // Many more through the index, then one linked by hand after the last.
  std::vector<WorkOption*> made;
  for (WORD v = 100; v < 400; ++v) {
    made.push_back(Option(v));
    ASSERT_TRUE(WorkBKPD_AppendOption(work_, g, made.back()));
  }
  WorkOption* last = Option(7);
  made.back()->next = last;
  EXPECT_EQ(WorkBKPD_FindOption(work_, g, 7), last);
  EXPECT_EQ(WorkBKPD_FindOption(work_, g, 250), made[150]);
  std::vector<WORD> values;
  for (const WorkOption* o = g->options; o != nullptr; o = o->next) values.push_back(o->value);
  std::vector<WORD> expected{30, 31, 30};
  for (WORD v = 100; v < 400; ++v) expected.push_back(v);
  expected.push_back(7);
  EXPECT_EQ(values, expected);
}

TEST(WorkFree, BlocksThatGroupsShareAreFreedOnce) {
  const std::size_t live = plat::LiveBlocks();
  const std::size_t invalid = plat::InvalidFrees();
  WorkBKPD* work = WorkBKPD_Entry();
  ASSERT_NE(work, nullptr);
  // A main group, two sub-groups that copy it whole, and a group of another
  // id that borrows its value records; the last sub-group has its own pair.
  WorkUiGroup* main = Group(3, 0);
  main->commands = New<WorkCommandPair>();
  main->options = Option(1);
  main->boolean = New<WorkBoolean>();
  main->numeric = New<WorkNumeric>();
  main->string = New<WorkString>();
  WorkUiGroup* copies[] = {Group(3, 1), Group(3, 2), Group(12, 3)};
  for (WorkUiGroup* copy : copies) {
    const WORD id = copy->groupId;
    const WORD sub = copy->subGroupId;
    *copy = *main;
    copy->groupId = id;
    copy->subGroupId = sub;
  }
  copies[2]->commands = nullptr;
  copies[1]->commands = New<WorkCommandPair>();
  for (WorkUiGroup* g : {main, copies[0], copies[1], copies[2]}) {
    g->next = nullptr;
    ASSERT_TRUE(WorkBKPD_AppendGroup(work, g));
  }
  WorkBKPD_Free(work);
  EXPECT_EQ(plat::LiveBlocks(), live);
  EXPECT_EQ(plat::InvalidFrees(), invalid);
}

}  // namespace
