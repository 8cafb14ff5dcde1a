// Item dispatch on a page of our own (a check box, a combo box, a picture
// and the preset list) with a recording feature module in front: the
// modules see each routed message first and may take it; a hidden item
// gets nothing; a handled message repaints the page unless it is owner
// drawing; items are subclassed once and still work when clicked.
#include "ui/engine/item_dispatch.h"

#include <gtest/gtest.h>

#include <vector>

#include "features/module_table/custom_table.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "tests/ui/engine_machine.h"
#include "ui/engine/item_functions.h"
#include "ui/engine/item_handlers.h"

namespace ui_test {
namespace {

struct Seen {
  const ICB* icb;
  UINT message;
  UINT_PTR wParam;
};

// The recording module: every message it is offered, and its answer.
std::vector<Seen> g_seen;
INT_PTR g_answer = 0;

INT_PTR Recorder(UCB*, TCB*, ICB* icb, UINT message, UINT_PTR wParam, LPARAM, void*) {
  g_seen.push_back({icb, message, wParam});
  return g_answer;
}

constexpr WORD kCheck = 2300;
constexpr WORD kCombo = 2301;
constexpr WORD kPresetList = 2001;

class ItemDispatch : public EngineMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineMachine::SetUp());
    g_seen.clear();
    g_answer = 0;
    row_.procedure = Recorder;
    table_ = {1, &row_};
    saved_ = ucb_->pWork->pCustom;
    ucb_->pWork->pCustom = &table_;
    page_ = CreateWindowExW(0, u"STATIC", u"Page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                            nullptr, nullptr, nullptr);
    items_[0] = Item(kCheck, kCtlCheckBox, u"BUTTON", BS_AUTOCHECKBOX, 10);
    items_[1] = Item(kCombo, kCtlComboBox, u"COMBOBOX", CBS_DROPDOWNLIST, 40);
    items_[2] = Item(kPresetList, kCtlPresetListBox, u"LISTBOX", LBS_NOTIFY, 100);
    tab_.tabId = 1002;
    tab_.pICB = items_;
    tab_.itemCount = 3;
    tab_.hWnd = page_;
    DrainPaints();
  }
  void TearDown() override {
    DestroyWindow(page_);
    ucb_->pWork->pCustom = saved_;
    EngineMachine::TearDown();
  }
  ICB Item(WORD id, WORD kind, LPCWSTR cls, DWORD style, int y) {
    ICB icb{};
    icb.itemId = id;
    icb.kind = kind;
    icb.hWnd = CreateWindowExW(0, cls, u"Item", WS_CHILD | WS_VISIBLE | style, 10, y, 120, 24, page_,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    return icb;
  }
  // The number of WM_PAINT posts waiting for the page, taken off the queue
  // (the page and its items are drawn first, so that the window system
  // makes no WM_PAINT of its own).
  int DrainPaints() {
    UpdateWindow(page_);
    for (const ICB& item : items_) UpdateWindow(item.hWnd);
    int n = 0;
    MSG msg{};
    for (int guard = 0; guard < 100 && PeekMessageW(&msg, page_, WM_PAINT, WM_PAINT, PM_REMOVE); ++guard) {
      if (msg.wParam == 0 && msg.lParam == 0) ++n;
    }
    return n;
  }

  CUSTOMROW row_{};
  CUSTOMTABLE table_{};
  CUSTOMTABLE* saved_ = nullptr;
  HWND page_ = nullptr;
  ICB items_[3]{};
  TCB tab_{};
};

TEST_F(ItemDispatch, AnItemIsSubclassedOnceAndStillWorksWhenClicked) {
  ICB& check = items_[0];
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(check.hWnd, GWLP_WNDPROC));
  EXPECT_EQ(InitItem(ucb_, &tab_, &check), 0);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(check.hWnd, GWLP_WNDPROC)), &KesmItemDefWindowProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(check.pfnSavedWndProc), original);
  EXPECT_EQ(reinterpret_cast<ICB*>(GetWindowLongPtrW(check.hWnd, GWLP_USERDATA)), &check);
  InitItem(ucb_, &tab_, &check);  // a second init does not subclass again
  EXPECT_EQ(reinterpret_cast<WNDPROC>(check.pfnSavedWndProc), original);
  kesm_test::UiScript script;
  script.click(check.hWnd).check("the box took the click", [&] {
    EXPECT_EQ(SendMessageW(check.hWnd, BM_GETCHECK, 0, 0), BST_CHECKED);
  });
  EXPECT_TRUE(script.run());
}

TEST_F(ItemDispatch, AModuleThatInitialisesTheItemLeavesItUnsubclassed) {
  g_answer = 1;
  ICB& combo = items_[1];
  const auto original = GetWindowLongPtrW(combo.hWnd, GWLP_WNDPROC);
  EXPECT_EQ(InitItem(ucb_, &tab_, &combo), 0);
  EXPECT_EQ(GetWindowLongPtrW(combo.hWnd, GWLP_WNDPROC), original);
  EXPECT_EQ(combo.pfnSavedWndProc, nullptr);
  ASSERT_FALSE(g_seen.empty());
  EXPECT_EQ(g_seen.back().message, WM_INITDIALOG);
  EXPECT_EQ(g_seen.back().icb, &combo);
}

TEST_F(ItemDispatch, TheModulesSeeEveryRoutedMessageFirst) {
  ICB& check = items_[0];
  ProcessItemCommand(ucb_, &tab_, &check, MAKEWPARAM(kCheck, BN_CLICKED), 0);
  ProcessItemCommand(ucb_, &tab_, &check, MAKEWPARAM(kCombo, CBN_SELCHANGE), 0);  // another control's command
  ProcessItemMessage(ucb_, &tab_, &check, WM_HSCROLL, 0, 0);
  PaintItem(ucb_, &tab_, &check);
  ASSERT_EQ(g_seen.size(), 4u);
  EXPECT_EQ(g_seen[0].message, WM_COMMAND);
  EXPECT_EQ(g_seen[1].message, WM_COMMAND);
  EXPECT_EQ(g_seen[1].wParam, MAKEWPARAM(kCombo, CBN_SELCHANGE));
  EXPECT_EQ(g_seen[2].message, WM_HSCROLL);
  EXPECT_EQ(g_seen[3].message, WM_PAINT);
  for (const Seen& s : g_seen) EXPECT_EQ(s.icb, &check);
}

TEST_F(ItemDispatch, AHiddenItemReceivesNothingNotEvenFromTheModules) {
  ICB& combo = items_[1];
  for (const WORD status : {WORD{0x0001}, WORD{0x0005}}) {  // hidden, also hidden while disabled
    combo.status = status;
    g_answer = 1;
    EXPECT_EQ(ProcessItemMessage(ucb_, &tab_, &combo, WM_HSCROLL, 0, 0), 0);
  }
  EXPECT_TRUE(g_seen.empty());
  EXPECT_EQ(DrainPaints(), 0);
  combo.status = 0x0002;  // another hidden state: routed
  EXPECT_EQ(ProcessItemMessage(ucb_, &tab_, &combo, WM_HSCROLL, 0, 0), 1);
  EXPECT_EQ(g_seen.size(), 1u);
}

TEST_F(ItemDispatch, RightPressesOnThePresetListAreSwallowed) {
  g_answer = 1;
  EXPECT_EQ(ProcessItemMessage(ucb_, &tab_, &items_[2], WM_RBUTTONDOWN, 0, 0), 0);
  EXPECT_TRUE(g_seen.empty());
  EXPECT_EQ(ProcessItemMessage(ucb_, &tab_, &items_[1], WM_RBUTTONDOWN, 0, 0), 1);
  EXPECT_EQ(g_seen.size(), 1u);
}

TEST_F(ItemDispatch, AHandledMessageRepaintsThePageExceptOwnerDrawingAndColours) {
  g_answer = 1;
  const struct {
    UINT message;
    int paints;
  } cases[] = {{WM_HSCROLL, 1}, {WM_VSCROLL, 1}, {WM_DRAWITEM, 0}, {WM_CTLCOLORLISTBOX, 0}, {WM_CTLCOLORSCROLLBAR, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(ProcessItemMessage(ucb_, &tab_, &items_[1], c.message, 0, 0), 1) << c.message;
    EXPECT_EQ(DrainPaints(), c.paints) << c.message;
  }
  EXPECT_EQ(ProcessItemCommand(ucb_, &tab_, &items_[1], MAKEWPARAM(kCombo, CBN_SELCHANGE), 0), 1);
  EXPECT_EQ(DrainPaints(), 1);
  g_answer = 0;  // nobody handles it: no repaint
  EXPECT_EQ(ProcessItemCommand(ucb_, &tab_, &items_[1], MAKEWPARAM(kCombo, CBN_SELCHANGE), 0), 0);
  EXPECT_EQ(ProcessItemMessage(ucb_, &tab_, &items_[1], WM_HSCROLL, 0, 0), 0);
  EXPECT_EQ(DrainPaints(), 0);
}

TEST(ItemFunctionTable, EveryKindOfTheTablesHasOneRowAndTheFirstWins) {
  std::vector<WORD> kinds;
  for (const IFT& row : fgIFT) {
    EXPECT_EQ(row.reserved, 0) << row.kind;
    EXPECT_NE(row.WindowProc, nullptr) << row.kind;
    EXPECT_EQ(FindIFT(row.kind), &row) << "kind " << row.kind << " appears twice";
  }
  for (const TCB& tab : fgTCB) {
    for (int i = 0; i < tab.itemCount; ++i) {
      const WORD kind = tab.pICB[i].kind;
      if (kind != 0) {
        EXPECT_NE(FindIFT(kind), nullptr) << "tab " << tab.tabId << " item " << tab.pICB[i].itemId;
      }
    }
  }
  EXPECT_EQ(FindIFT(7), nullptr);
  EXPECT_EQ(FindIFT(0), nullptr);
}

TEST(ItemClassData, OnlyTheRequestedTypeIsGiven) {
  const WORD colourBalance[9] = {1, 0, 0, 0, 0, 0, 0, 0, 0};
  ICB icb{};
  EXPECT_EQ(KesmGetClassData(&icb, 1), nullptr);
  icb.pClassData = colourBalance;
  EXPECT_EQ(KesmGetClassData(&icb, 1), colourBalance);
  EXPECT_EQ(KesmGetClassData(&icb, 8), nullptr);
}

}  // namespace
}  // namespace ui_test
