// A parent that destroys a common control while the control tells it
// something: the control's message ends quietly and nothing touches the
// control's freed record (AddressSanitizer watches).
#include <gtest/gtest.h>

#include <functional>

#include "tests/platform/window/commctrl_parent.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

class CommonControlHostileTest : public CommonControlTest {};

HWND ListOfThree(CommonControlTest& t) {
  HWND list = t.Control(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL, RECT{10, 10, 310, 190});
  LVCOLUMNW c{};
  c.mask = LVCF_WIDTH;
  c.cx = 120;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&c));
  for (int i = 0; i < 3; ++i) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    item.lParam = i;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  LVITEMW first{};
  first.state = first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
  return list;
}

HWND TreeOfTwo(CommonControlTest& t) {
  HWND tree = t.Control(WC_TREEVIEWW, TVS_HASBUTTONS | TVS_LINESATROOT, RECT{10, 10, 260, 210});
  TVINSERTSTRUCTW in{};
  in.hParent = TVI_ROOT;
  in.hInsertAfter = TVI_LAST;
  in.item.mask = TVIF_TEXT;
  in.item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(u"Top"));
  in.hParent = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&in)));
  in.item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(u"Inner"));
  SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&in));
  return tree;
}

TEST_F(CommonControlHostileTest, DestroyedWhileTellingItsParent) {
  struct Case {
    const char* what;
    UINT destroyOn;
    int destroyOnScroll;
    std::function<HWND(CommonControlTest&)> make;
    std::function<void(CommonControlTest&, HWND)> act;
  };
  auto run = [](std::function<void(UiScript&, HWND)> steps) {
    return [steps](CommonControlTest& t, HWND control) {
      UiScript s;
      steps(s, control);
      t.Run(s);
    };
  };
  auto setState = [](CommonControlTest&, HWND list) {
    LVITEMW item{};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item));
  };
  auto selectInner = [](CommonControlTest&, HWND tree) {
    HTREEITEM top = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    HTREEITEM inner = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(top)));
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(inner));
  };
  const Case cases[] = {
      {"list: asking leave to change", LVN_ITEMCHANGING, -1, ListOfThree, setState},
      {"list: the other item leaving", LVN_ITEMCHANGED, -1, ListOfThree, setState},
      {"list: the focus coming", NM_SETFOCUS, -1, ListOfThree, run([](UiScript& s, HWND l) { s.listView(l, 1); })},
      {"list: a click", LVN_ITEMCHANGED, -1, ListOfThree, run([](UiScript& s, HWND l) { s.listView(l, 2); })},
      {"list: a key", LVN_KEYDOWN, -1, ListOfThree,
       [](CommonControlTest& t, HWND l) {
         SetFocus(l);
         UiScript s;
         s.key(VK_DOWN);
         t.Run(s);
       }},
      {"list: deleting every item", LVN_DELETEALLITEMS, -1, ListOfThree,
       [](CommonControlTest&, HWND l) { SendMessageW(l, LVM_DELETEALLITEMS, 0, 0); }},
      {"list: deleting an item", LVN_DELETEITEM, -1, ListOfThree,
       [](CommonControlTest&, HWND l) { SendMessageW(l, LVM_DELETEITEM, 0, 0); }},
      {"tree: asking leave to select", TVN_SELCHANGINGW, -1, TreeOfTwo, selectInner},
      {"tree: a node deleted", TVN_DELETEITEMW, -1, TreeOfTwo,
       [](CommonControlTest&, HWND tree) { SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }},
      {"tree: a click", NM_CLICK, -1, TreeOfTwo, run([](UiScript& s, HWND tree) { s.pickNode(tree, {u"Top"}); })},
      {"tree: opening by its box", TVN_ITEMEXPANDINGW, -1, TreeOfTwo,
       [](CommonControlTest& t, HWND tree) {
         // The script fails when its node goes with the tree: its failure is expected.
         plat::window::Script s;
         s.pickNode(tree, {u"Top", u"Inner"});
         EXPECT_FALSE(s.run());
         t.Drain();
       }},
      {"trackbar: paging", 0, TB_PAGEDOWN, [](CommonControlTest& t) {
         return t.Control(TRACKBAR_CLASSW, 0, RECT{10, 10, 230, 50});
       },
       run([](UiScript& s, HWND bar) { s.pageTrack(bar, TB_PAGEDOWN); })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Log() = ParentLog{};
    HWND control = c.make(*this);
    ASSERT_NE(control, nullptr);
    Log().destroyOn = c.destroyOn;
    Log().destroyOnScroll = c.destroyOnScroll;
    c.act(*this, control);
    EXPECT_FALSE(IsWindow(control));
    SetFocus(parent);
  }
}

}  // namespace
}  // namespace kesm_test
