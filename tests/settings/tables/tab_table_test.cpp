// The dialog layout tables must bind every control to the record a context
// will bind it to (through its group keyword), and keep the page shapes the
// dialog engine and the feature modules rely on.
#include <map>
#include <set>
#include <string_view>

#include <gtest/gtest.h>

#include "settings/tables/dialog_tables.h"
#include "settings/tables/keyword_tables.h"
#include "settings/tables/setting_table.h"

namespace {

const GK* FindGroup(WORD group) {
  for (const GK& g : fgGK) {
    if (g.groupId == group) return &g;
  }
  return nullptr;
}

// The record a context binds a control to: a setting that names the group
// itself, else the setting of the group keyword.
const SFCB* BindingOf(WORD group) {
  for (const SFCB& s : fgSFCB) {
    if (s.groupId == group) return &s;
  }
  const GK* gk = FindGroup(group);
  if (!gk || gk->funcId == 0) return nullptr;
  for (const SFCB& s : fgSFCB) {
    if (s.funcId == gk->funcId) return &s;
  }
  return nullptr;
}

template <class F>
void ForEachItem(F f) {
  for (const TCB& tab : fgTCB) {
    for (int i = 0; i < tab.itemCount; ++i) f(tab, tab.pICB[i]);
  }
}

TEST(TabTable, TabsInTableOrderWithTheirItemCounts) {
  struct Row {
    WORD id;
    WORD items;
  };
  const Row rows[kTabCount] = {
      {1001, 40}, {1002, 51}, {1003, 45}, {1004, 28}, {1042, 26}, {1005, 19}, {1006, 27},
      {1010, 43}, {1011, 25}, {1009, 7},  {1008, 5},  {1015, 23}, {1007, 14}, {1012, 8},
      {1013, 6},  {1014, 11}, {1016, 10}, {1017, 32}, {1018, 13}, {1019, 19}, {1020, 3},
      {1021, 33}, {1038, 25}, {4004, 13}, {1029, 15}, {1023, 20}, {1022, 33}, {1024, 50},
      {1030, 23}, {1044, 37}, {1031, 21}, {1034, 10}, {1043, 24}, {4014, 22}, {4015, 10},
      {4016, 24}, {4017, 45}, {4018, 10}, {1035, 13}, {1036, 4},  {1037, 12}, {1039, 5},
      {1040, 10}, {1041, 29}, {1065, 3},  {1032, 7},  {1033, 8},  {1025, 13}, {1026, 3},
      {1027, 6},  {1028, 5},  {4005, 5},  {4006, 1},  {4001, 12}, {4002, 15}, {4003, 12},
      {4007, 13}, {4008, 12}, {4009, 12}, {4010, 17}, {4011, 8},  {4012, 8},  {4013, 11},
  };
  ASSERT_EQ(fgTL.count, kTabCount);
  ASSERT_EQ(fgTL.pTCB, fgTCB);
  int total = 0;
  for (int i = 0; i < kTabCount; ++i) {
    const TCB& tab = fgTCB[i];
    EXPECT_EQ(tab.tabId, rows[i].id) << i;
    EXPECT_EQ(tab.groupId, kGroupTabFirst + i) << tab.tabId;
    EXPECT_EQ(tab.itemCount, rows[i].items) << tab.tabId;
    EXPECT_NE(tab.pICB, nullptr) << tab.tabId;
    EXPECT_EQ(tab.reserved, 0);
    EXPECT_EQ(tab.hWnd, nullptr);
    total += tab.itemCount;
  }
  EXPECT_EQ(total, kItemCount);
}

TEST(TabTable, EachTabIsNamedByItsGroupKeyword) {
  for (const TCB& tab : fgTCB) {
    const GK* gk = FindGroup(tab.groupId);
    ASSERT_NE(gk, nullptr) << tab.tabId;
    EXPECT_EQ(gk->funcId, 0) << tab.tabId;
    EXPECT_EQ(std::string_view(gk->keyword), tab.keyword) << tab.tabId;
    EXPECT_TRUE(std::string_view(tab.keyword).starts_with("KPD_")) << tab.tabId;
  }
}

TEST(TabTable, FileDialogsAreTheSixFileKinds) {
  std::set<DWORD> kinds;
  for (const TCB& tab : fgTCB) {
    const DWORD fileBits = tab.kind & 0xBF00;
    if (fileBits == 0) continue;
    EXPECT_EQ(tab.kind, fileBits) << tab.tabId << ": a file dialog is nothing else";
    kinds.insert(tab.kind);
  }
  EXPECT_EQ(kinds, (std::set<DWORD>{0x0100, 0x0200, 0x0400, 0x0800, 0x1000, 0x2000, 0x8000}));
}

// Binding happens through the group: a bound control must get back the
// record the table names, and a control without a setting must get none.
TEST(TabTable, EveryControlBindsThroughItsGroupToItsSetting) {
  int bound = 0;
  ForEachItem([&](const TCB& tab, const ICB& item) {
    const GK* gk = FindGroup(item.groupId);
    ASSERT_NE(gk, nullptr) << tab.tabId << "/" << item.itemId;
    EXPECT_GE(item.groupId, kGroupItemFirst) << tab.tabId << "/" << item.itemId;
    if (item.pSFCB) {
      ++bound;
      ASSERT_GE(item.pSFCB, fgSFCB);
      ASSERT_LT(item.pSFCB, fgSFCB + kSettingCount) << tab.tabId << "/" << item.itemId;
      EXPECT_EQ(BindingOf(item.groupId), item.pSFCB) << tab.tabId << "/" << item.itemId;
    } else {
      EXPECT_EQ(BindingOf(item.groupId), nullptr) << tab.tabId << "/" << item.itemId;
    }
  });
  EXPECT_EQ(bound, 315);
}

TEST(TabTable, RunTimeFieldsStartEmpty) {
  ForEachItem([](const TCB& tab, const ICB& item) {
    EXPECT_EQ(item.kindItemId, 0) << tab.tabId << "/" << item.itemId;
    EXPECT_EQ(item.pUiGroup, nullptr);
    EXPECT_EQ(item.pfnSavedWndProc, nullptr);
    EXPECT_EQ(item.status, 0);
    EXPECT_EQ(item.hWnd, nullptr);
    EXPECT_EQ(item.flags & ~kIcbSizeItem, 0u) << tab.tabId << "/" << item.itemId;
  });
}

TEST(TabTable, ControlIdsAreUniqueWithinATab) {
  for (const TCB& tab : fgTCB) {
    std::set<WORD> ids;
    for (int i = 0; i < tab.itemCount; ++i) {
      EXPECT_TRUE(ids.insert(tab.pICB[i].itemId).second) << tab.tabId << "/" << tab.pICB[i].itemId;
    }
  }
}

// The buttons of one radio list share their group and their setting; any
// other group belongs to a single control, or to a number edit with the spin
// or scroll bar that steps it.
TEST(TabTable, GroupsAreSharedOnlyByRadioListsAndSpinPairs) {
  for (const TCB& tab : fgTCB) {
    std::map<WORD, std::vector<const ICB*>> byGroup;
    for (int i = 0; i < tab.itemCount; ++i) byGroup[tab.pICB[i].groupId].push_back(&tab.pICB[i]);
    for (const auto& [group, items] : byGroup) {
      if (items.size() == 1) continue;
      std::set<WORD> kinds;
      for (const ICB* item : items) {
        kinds.insert(item->kind);
        EXPECT_EQ(item->pSFCB, items[0]->pSFCB) << tab.tabId << " group " << group;
      }
      const bool radio = kinds == std::set<WORD>{kCtlRadioList};
      bool number = kinds.count(kCtlEditNum) == 1;
      for (WORD k : kinds) {
        number = number && (k == kCtlEditNum || k == kCtlSpin || k == kCtlHScrollbar || k == kCtlHScrollbarArrows);
      }
      EXPECT_TRUE(radio || number) << tab.tabId << " group " << group;
    }
  }
}

TEST(TabTable, SpinsDriveANumberEditOfTheirTab) {
  ForEachItem([](const TCB& tab, const ICB& item) {
    if (item.kind != kCtlSpin) return;
    const ICB* buddy = nullptr;
    for (int i = 0; i < tab.itemCount; ++i) {
      if (tab.pICB[i].itemId == item.linkId) buddy = &tab.pICB[i];
    }
    ASSERT_NE(buddy, nullptr) << tab.tabId << "/" << item.itemId;
    EXPECT_EQ(buddy->kind, kCtlEditNum);
    EXPECT_EQ(buddy->pSFCB, item.pSFCB);
  });
}

// Size items show lengths in the display unit: numeric controls of a setting.
TEST(TabTable, SizeItemsAreBoundNumberControls) {
  int sizes = 0;
  ForEachItem([&](const TCB& tab, const ICB& item) {
    if (!(item.flags & kIcbSizeItem)) return;
    ++sizes;
    EXPECT_TRUE(item.kind == kCtlEditNum || item.kind == kCtlSpin) << tab.tabId << "/" << item.itemId;
    ASSERT_NE(item.pSFCB, nullptr) << tab.tabId << "/" << item.itemId;
    EXPECT_FALSE(SettingKindIsString(SettingKindOf(item.pSFCB->descriptor)));
  });
  EXPECT_EQ(sizes, 27);
}

TEST(TabTable, BuiltInIdsAreThoseTheModulesAnswer) {
  ForEachItem([](const TCB& tab, const ICB& item) {
    const WORD b = item.builtInId;
    const bool known = b == 0 || b == 1 || (b >= 100 && b <= 124) || (b >= 200 && b <= 205) || b == 250 ||
                       (b >= 300 && b <= 307);
    EXPECT_TRUE(known) << tab.tabId << "/" << item.itemId << ": " << b;
  });
}

TEST(TabTable, TellingControlsSitWhereTheModulesLookForThem) {
  auto find = [](WORD tabId, WORD itemId) -> const ICB* {
    for (const TCB& tab : fgTCB) {
      if (tab.tabId != tabId) continue;
      for (int i = 0; i < tab.itemCount; ++i) {
        if (tab.pICB[i].itemId == itemId) return &tab.pICB[i];
      }
    }
    return nullptr;
  };
  const ICB* list = find(1001, 2001);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->kind, kCtlPresetListBox);
  EXPECT_EQ(list->groupId, 418);
  EXPECT_EQ(list->linkId, 2039);
  EXPECT_EQ(list->builtInId, 1);
  ASSERT_NE(list->pSFCB, nullptr);
  EXPECT_EQ(list->pSFCB->funcId, 37);
  const ICB* portrait = find(1001, 2026);
  const ICB* landscape = find(1001, 2027);
  ASSERT_TRUE(portrait && landscape);
  EXPECT_EQ(portrait->groupId, 435);
  EXPECT_EQ(landscape->groupId, 435);
  EXPECT_EQ(portrait->pSFCB, landscape->pSFCB);
  const ICB* picture = find(1001, 2025);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, kCtlBitmap);
  EXPECT_EQ(picture->linkId, 435);
  const ICB* hidden = find(1065, 2817);
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(hidden->kind, kCtlMultiListBox);
  ASSERT_NE(hidden->pClassData, nullptr);
  const auto* ids = static_cast<const WORD*>(hidden->pClassData);
  EXPECT_EQ(ids[0], 349);
  EXPECT_EQ(ids[31], 380);
  EXPECT_EQ(ids[32], 447);
  EXPECT_EQ(ids[63], 478);
  const ICB* tree = find(1011, 2166);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->kind, kCtlTreeView);
  EXPECT_NE(tree->pSFCB, nullptr);
}

}  // namespace

// A radio button's control id is the option id (string id) of the value it
// selects, so the dialog engine can map a click to a value through the list.
TEST(TabTable, RadioButtonIdsAreTheStringIdsOfTheirValueList) {
  ForEachItem([](const TCB& tab, const ICB& item) {
    if (item.kind != kCtlRadioList || item.pSFCB == nullptr || item.pSFCB->valueList == nullptr) return;
    bool found = false;
    for (const CDT* e = item.pSFCB->valueList; e->strId != 0; ++e) found = found || e->strId == item.itemId;
    EXPECT_TRUE(found) << tab.tabId << "/" << item.itemId << " setting " << item.pSFCB->funcId;
  });
}
