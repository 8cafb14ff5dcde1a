// The tree view as a program and a person use it: nodes under the root,
// the selection moved by the program (told as TVC_UNKNOWN), by the mouse
// (NM_CLICK first, then TVC_BYMOUSE) and by keys (TVC_BYKEYBOARD), nodes
// opened by their boxes (told) or by TVM_EXPAND (not told), deletion told
// per node, and stale handles refused.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/platform/window/commctrl_parent.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;
using Seen = std::vector<std::string>;

HTREEITEM Insert(HWND tree, HTREEITEM parent, const char16_t* text, LPARAM param, HTREEITEM after = TVI_LAST) {
  TVINSERTSTRUCTW in{};
  in.hParent = parent;
  in.hInsertAfter = after;
  in.item.mask = TVIF_TEXT | TVIF_PARAM;
  in.item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text));
  in.item.lParam = param;
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&in)));
}

HTREEITEM Next(HWND tree, UINT code, HTREEITEM from) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(from)));
}

LPARAM ParamOf(HWND tree, HTREEITEM node) {
  TVITEMW item{};
  item.mask = TVIF_PARAM;
  item.hItem = node;
  if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.lParam;
}

LPARAM Selected(HWND tree) {
  HTREEITEM node = Next(tree, TVGN_CARET, nullptr);
  return node != nullptr ? ParamOf(tree, node) : 0;
}

bool IsOpen(HWND tree, HTREEITEM node) {
  TVITEMW item{};
  item.mask = TVIF_STATE;
  item.hItem = node;
  item.stateMask = TVIS_EXPANDED;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.state != 0;
}

class TreeViewTest : public CommonControlTest {
 public:
  // Two pages (params 1, 2) with two settings each (11, 12; 21, 22).
  HWND tree = nullptr;
  HTREEITEM page1 = nullptr, page2 = nullptr, s11 = nullptr, s12 = nullptr, s21 = nullptr, s22 = nullptr;
  void MakeTree(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS) {
    tree = Control(WC_TREEVIEWW, style, RECT{10, 10, 260, 210});
    ASSERT_NE(tree, nullptr);
    page1 = Insert(tree, TVI_ROOT, u"Page one", 1);
    page2 = Insert(tree, TVI_ROOT, u"Page two", 2);
    s11 = Insert(tree, page1, u"Copies：1", 11);
    s12 = Insert(tree, page1, u"Duplex：0", 12);
    s21 = Insert(tree, page2, u"Tray：2", 21);
    s22 = Insert(tree, page2, u"Media：5", 22);
    Take();
  }
};

TEST_F(TreeViewTest, NodesAreFoundByTheirRelations) {
  MakeTree();
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 6);
  struct Step {
    UINT code;
    HTREEITEM from;
    HTREEITEM to;
  };
  const Step steps[] = {
      {TVGN_ROOT, nullptr, page1}, {TVGN_NEXT, page1, page2},     {TVGN_NEXT, page2, nullptr},
      {TVGN_PREVIOUS, page2, page1}, {TVGN_CHILD, page1, s11},    {TVGN_NEXT, s11, s12},
      {TVGN_PARENT, s12, page1},   {TVGN_PARENT, page1, nullptr}, {TVGN_CHILD, s11, nullptr},
      {TVGN_CARET, nullptr, nullptr}, {TVGN_NEXTVISIBLE, page1, page2},  // page one is closed
      {TVGN_FIRSTVISIBLE, nullptr, page1},
  };
  for (const Step& s : steps) EXPECT_EQ(Next(tree, s.code, s.from), s.to) << s.code;
  // Inserting first, and after a sibling.
  HTREEITEM first = Insert(tree, page1, u"First", 10, TVI_FIRST);
  HTREEITEM middle = Insert(tree, page1, u"Middle", 15, s11);
  EXPECT_EQ(Next(tree, TVGN_CHILD, page1), first);
  EXPECT_EQ(Next(tree, TVGN_NEXT, s11), middle);
  EXPECT_EQ(Next(tree, TVGN_NEXT, middle), s12);
  // Setting a node's text and reading it back.
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = middle;
  item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(u"Centre"));
  EXPECT_TRUE(SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  WCHAR text[16] = {};
  item.pszText = text;
  item.cchTextMax = 16;
  EXPECT_TRUE(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"Centre");
  EXPECT_EQ(Take(), Seen{});
}

TEST_F(TreeViewTest, ActionsAndNotifications) {
  struct Case {
    const char* what;
    std::function<void(TreeViewTest&)> act;
    Seen seen;
    LPARAM selected;
  };
  auto select = [](HTREEITEM TreeViewTest::*node) {
    return [node](TreeViewTest& t) { SendMessageW(t.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.*node)); };
  };
  const Case cases[] = {
      {"program selects a hidden node: told, and its page opens",
       select(&TreeViewTest::s12),
       {"TVN_SELCHANGING unknown 0->12", "TVN_SELCHANGED unknown 0->12"},
       12},
      {"program opens and closes: not told; closing over the selection moves it up",
       [](TreeViewTest& t) {
         EXPECT_TRUE(SendMessageW(t.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(t.page2)));
         SendMessageW(t.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.s21));
         EXPECT_TRUE(SendMessageW(t.tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(t.page2)));
         EXPECT_FALSE(IsOpen(t.tree, t.page2));
       },
       {"TVN_SELCHANGING unknown 0->21", "TVN_SELCHANGED unknown 0->21", "TVN_SELCHANGING unknown 21->2",
        "TVN_SELCHANGED unknown 21->2"},
       2},
      {"user picks a node inside a closed page: its box (opened at the press), then its label",
       [](TreeViewTest& t) {
         UiScript s;
         s.pickNode(t.tree, {u"Page two", u"Media：5"});
         t.Run(s);
         EXPECT_TRUE(IsOpen(t.tree, t.page2));
       },
       {"NM_SETFOCUS", "TVN_ITEMEXPANDING open 2", "TVN_ITEMEXPANDED open 2", "NM_CLICK", "NM_CLICK",
        "TVN_SELCHANGING mouse 0->22", "TVN_SELCHANGED mouse 0->22"},
       22},
      {"user double-clicks a label: it is chosen, then opened",
       [](TreeViewTest& t) {
         RECT label{};
         std::memcpy(&label, &t.page1, sizeof(t.page1));
         ASSERT_TRUE(SendMessageW(t.tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
         const POINT at{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
         UiScript s;
         s.clickAt(t.tree, at).clickAt(t.tree, at);
         t.Run(s);
       },
       {"NM_SETFOCUS", "NM_CLICK", "TVN_SELCHANGING mouse 0->1", "TVN_SELCHANGED mouse 0->1", "NM_DBLCLK",
        "TVN_ITEMEXPANDING open 1", "TVN_ITEMEXPANDED open 1"},
       1},
      {"keys: told first, then Down, Right opens, Right goes in, Left goes out",
       [](TreeViewTest& t) {
         SendMessageW(t.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.page1));
         SetFocus(t.tree);
         Log().seen.clear();
         UiScript s;
         s.key(VK_DOWN).key(VK_RIGHT).key(VK_RIGHT).key(VK_LEFT);
         t.Run(s);
       },
       {"TVN_KEYDOWN 40", "TVN_SELCHANGING keyboard 1->2", "TVN_SELCHANGED keyboard 1->2", "TVN_KEYDOWN 39",
        "TVN_ITEMEXPANDING open 2", "TVN_ITEMEXPANDED open 2", "TVN_KEYDOWN 39", "TVN_SELCHANGING keyboard 2->21",
        "TVN_SELCHANGED keyboard 2->21", "TVN_KEYDOWN 37", "TVN_SELCHANGING keyboard 21->2",
        "TVN_SELCHANGED keyboard 21->2"},
       2},
      {"the parent refuses: the selection and the page stay",
       [](TreeViewTest& t) {
         Log().refuse = true;
         EXPECT_FALSE(SendMessageW(t.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.page2)));
         UiScript s;
         s.pickNode(t.tree, {u"Page one"});
         t.Run(s);
       },
       {"TVN_SELCHANGING unknown 0->2", "NM_SETFOCUS", "NM_CLICK", "TVN_SELCHANGING mouse 0->1"},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Log() = ParentLog{};
    MakeTree();
    c.act(*this);
    EXPECT_EQ(Take(), c.seen);
    EXPECT_EQ(Selected(tree), c.selected);
    SetFocus(parent);
    DestroyWindow(tree);
  }
}

TEST_F(TreeViewTest, DeletingTellsEachNodeAndLeavesStaleHandles) {
  MakeTree();
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(s11));
  Take();
  EXPECT_TRUE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(page1)));
  EXPECT_EQ(Take(), (Seen{"TVN_DELETEITEM 1", "TVN_DELETEITEM 11", "TVN_DELETEITEM 12"}));
  EXPECT_EQ(Selected(tree), 0);  // the selection went with its node
  EXPECT_EQ(Next(tree, TVGN_ROOT, nullptr), page2);
  // The deleted handles name nothing now.
  EXPECT_EQ(ParamOf(tree, s11), -1);
  EXPECT_FALSE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(page1)));
  EXPECT_FALSE(SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(s12)));
  EXPECT_FALSE(SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(page1)));
  EXPECT_EQ(Insert(tree, s11, u"Orphan", 99), nullptr);
  EXPECT_EQ(Insert(tree, page2, u"After a stranger", 99, s11), nullptr);
  EXPECT_EQ(Next(tree, TVGN_NEXT, page1), nullptr);
  EXPECT_EQ(Take(), Seen{});
  // TVI_ROOT deletes everything; new handles are new.
  EXPECT_TRUE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
  EXPECT_EQ(Take(), (Seen{"TVN_DELETEITEM 2", "TVN_DELETEITEM 21", "TVN_DELETEITEM 22"}));
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 0);
  HTREEITEM again = Insert(tree, TVI_ROOT, u"Again", 3);
  EXPECT_NE(again, page1);
  EXPECT_EQ(ParamOf(tree, page2), -1);
}

TEST_F(TreeViewTest, BadMessagesAnswerAsDocumented) {
  MakeTree();
  TVITEMW stranger{};
  stranger.mask = TVIF_TEXT;
  stranger.hItem = reinterpret_cast<HTREEITEM>(0x7777);
  RECT rect{};
  const HTREEITEM missing = reinterpret_cast<HTREEITEM>(0x7777);
  std::memcpy(&rect, &missing, sizeof(missing));
  EXPECT_EQ(SendMessageW(tree, TVM_INSERTITEMW, 0, 0), 0);
  EXPECT_FALSE(SendMessageW(tree, TVM_GETITEMW, 0, 0));
  EXPECT_FALSE(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&stranger)));
  EXPECT_FALSE(SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&stranger)));
  EXPECT_FALSE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
  EXPECT_FALSE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, 0));
  EXPECT_FALSE(SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(s11)));  // no children
  EXPECT_EQ(Next(tree, TVGN_NEXT, missing), nullptr);
  EXPECT_EQ(Next(tree, TVGN_PARENT, missing), nullptr);
  // A node inside a closed page has no rectangle.
  std::memcpy(&rect, &s11, sizeof(s11));
  EXPECT_FALSE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
  EXPECT_EQ(Take(), Seen{});
}

}  // namespace
}  // namespace kesm_test
