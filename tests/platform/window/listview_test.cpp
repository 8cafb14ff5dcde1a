// The list view as a program and a person use it: each action and what the
// parent hears, in order. Programmatic state changes are told like the
// user's; a parent may refuse a change; owner drawing asks the parent per
// row; bad messages answer as documented.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/base/winerror.h"
#include "tests/platform/window/commctrl_parent.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;
using Seen = std::vector<std::string>;

constexpr UINT kBoth = LVIS_FOCUSED | LVIS_SELECTED;

LRESULT AddColumn(HWND list, int index, const char16_t* text, int width) {
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH;
  c.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text));
  c.cx = width;
  return SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c));
}

LRESULT AddItem(HWND list, int index, const char16_t* text, LPARAM param) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text));
  item.lParam = param;
  return SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

BOOL SetState(HWND list, INT_PTR index, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  return static_cast<BOOL>(SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

UINT StateOf(HWND list, int index) {
  return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(index), kBoth));
}

std::u16string CellText(HWND list, int index, int subItem) {
  WCHAR buffer[64] = {};
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = buffer;
  item.cchTextMax = 64;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return reinterpret_cast<const char16_t*>(buffer);
}

class ListViewTest : public CommonControlTest {
 public:
  // Three trays in a report view of three columns: name, size, media.
  HWND MakeList(DWORD style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS) {
    HWND list = Control(WC_LISTVIEWW, style, RECT{10, 10, 310, 190});
    EXPECT_NE(list, nullptr);
    AddColumn(list, 0, u"Tray", 100);
    AddColumn(list, 1, u"Size", 100);
    AddColumn(list, 2, u"Media", 100);
    const char16_t* names[] = {u"Upper", u"Lower", u"Manual"};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(AddItem(list, i, names[i], 100 + i), i);
      LVITEMW sub{};
      sub.iSubItem = 1;
      sub.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(u"A4"));
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&sub));
    }
    Take();
    return list;
  }
};

TEST_F(ListViewTest, ClassesComeFromInitCommonControlsEx) {
  plat::window::ResetThreadWindows();  // forgets the classes the fixture registered
  EXPECT_EQ(CreateWindowExW(0, reinterpret_cast<LPCWSTR>(WC_LISTVIEWW), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  INITCOMMONCONTROLSEX wrong{4, ICC_LISTVIEW_CLASSES};
  EXPECT_FALSE(InitCommonControlsEx(&wrong));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
  INITCOMMONCONTROLSEX lists{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
  EXPECT_TRUE(InitCommonControlsEx(&lists));
  EXPECT_TRUE(InitCommonControlsEx(&lists));  // registered before: still TRUE
  HWND list = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(WC_LISTVIEWW), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, nullptr, nullptr);
  EXPECT_NE(list, nullptr);
  // Only the groups asked for are registered.
  EXPECT_EQ(CreateWindowExW(0, reinterpret_cast<LPCWSTR>(TRACKBAR_CLASSW), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr, nullptr),
            nullptr);
  InitCommonControls();
  EXPECT_NE(CreateWindowExW(0, reinterpret_cast<LPCWSTR>(TRACKBAR_CLASSW), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr, nullptr),
            nullptr);
}

TEST_F(ListViewTest, ActionsAndNotifications) {
  struct Case {
    const char* what;
    std::function<void(ListViewTest&, HWND)> act;
    Seen seen;
    UINT states[3];
  };
  auto script = [](std::function<void(UiScript&)> steps) {
    return [steps](ListViewTest& t, HWND) {
      UiScript s;
      steps(s);
      t.Run(s);
    };
  };
  const Case cases[] = {
      {"program selects",
       [](ListViewTest&, HWND l) { SetState(l, 1, kBoth, kBoth); },
       {"LVN_ITEMCHANGING 1 0->3", "LVN_ITEMCHANGED 1 0->3"},
       {0, kBoth, 0}},
      {"program moves the selection: the old item leaves first",
       [](ListViewTest&, HWND l) {
         SetState(l, 0, kBoth, kBoth);
         Log().seen.clear();
         SetState(l, 2, LVIS_SELECTED, LVIS_SELECTED);
       },
       {"LVN_ITEMCHANGING 0 3->1", "LVN_ITEMCHANGED 0 3->1", "LVN_ITEMCHANGING 2 0->2", "LVN_ITEMCHANGED 2 0->2"},
       {LVIS_FOCUSED, 0, LVIS_SELECTED}},
      {"setting a state it has tells nothing",
       [](ListViewTest&, HWND l) {
         SetState(l, 0, kBoth, kBoth);
         Log().seen.clear();
         SetState(l, 0, LVIS_SELECTED, LVIS_SELECTED);
       },
       {},
       {kBoth, 0, 0}},
      {"every item at once",
       [](ListViewTest&, HWND l) { SetState(l, -1, LVIS_CUT, LVIS_CUT); },
       {"LVN_ITEMCHANGING 0 0->4", "LVN_ITEMCHANGED 0 0->4", "LVN_ITEMCHANGING 1 0->4", "LVN_ITEMCHANGED 1 0->4",
        "LVN_ITEMCHANGING 2 0->4", "LVN_ITEMCHANGED 2 0->4"},
       {0, 0, 0}},
      {"a new text of the item is told, of a sub-item not",
       [](ListViewTest&, HWND l) {
         LVITEMW item{};
         item.mask = LVIF_TEXT;
         item.iItem = 1;
         item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(u"Middle"));
         SendMessageW(l, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
         item.iSubItem = 2;
         SendMessageW(l, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
       },
       {"LVN_ITEMCHANGING 1 fields 1 param 101", "LVN_ITEMCHANGED 1 fields 1 param 101"},
       {0, 0, 0}},
      {"user clicks a cell",
       script([](UiScript& s) { s.listView(WindowRef::Item(WindowRef::Top(u"Parent"), 7), 1, 2); }),
       {"NM_SETFOCUS", "LVN_ITEMCHANGING 1 0->3", "LVN_ITEMCHANGED 1 0->3", "NM_CLICK 1/2"},
       {0, kBoth, 0}},
      {"user clicks one item, then another",
       script([](UiScript& s) {
         const WindowRef list = WindowRef::Item(WindowRef::Top(u"Parent"), 7);
         s.listView(list, 0).wait(1000).listView(list, 2, 1);
       }),
       {"NM_SETFOCUS", "LVN_ITEMCHANGING 0 0->3", "LVN_ITEMCHANGED 0 0->3", "NM_CLICK 0/0", "LVN_ITEMCHANGING 0 3->0",
        "LVN_ITEMCHANGED 0 3->0", "LVN_ITEMCHANGING 2 0->3", "LVN_ITEMCHANGED 2 0->3", "NM_CLICK 2/1"},
       {0, 0, kBoth}},
      {"user double-clicks",
       script([](UiScript& s) { s.listView(WindowRef::Item(WindowRef::Top(u"Parent"), 7), 2, 0, true); }),
       {"NM_SETFOCUS", "LVN_ITEMCHANGING 2 0->3", "LVN_ITEMCHANGED 2 0->3", "NM_CLICK 2/0", "NM_DBLCLK 2/0"},
       {0, 0, kBoth}},
      {"user clicks below the items: the selection goes, the focus stays",
       [](ListViewTest& t, HWND l) {
         SetState(l, 0, kBoth, kBoth);
         Log().seen.clear();
         UiScript s;
         s.clickAt(l, POINT{50, 150});
         t.Run(s);
       },
       {"NM_SETFOCUS", "LVN_ITEMCHANGING 0 3->1", "LVN_ITEMCHANGED 0 3->1", "NM_CLICK -1/-1"},
       {LVIS_FOCUSED, 0, 0}},
      {"user presses Down: told first, then the choice moves",
       [](ListViewTest& t, HWND l) {
         SetState(l, 0, kBoth, kBoth);
         SetFocus(l);
         Log().seen.clear();
         UiScript s;
         s.key(VK_DOWN);
         t.Run(s);
       },
       {"LVN_KEYDOWN 40", "LVN_ITEMCHANGING 0 3->0", "LVN_ITEMCHANGED 0 3->0", "LVN_ITEMCHANGING 1 0->3",
        "LVN_ITEMCHANGED 1 0->3"},
       {0, kBoth, 0}},
      {"the parent refuses: nothing changes",
       [](ListViewTest& t, HWND l) {
         Log().refuse = true;
         EXPECT_FALSE(SetState(l, 1, kBoth, kBoth));
         UiScript s;
         s.listView(WindowRef::Item(WindowRef::Top(u"Parent"), 7), 2);
         t.Run(s);
       },
       {"LVN_ITEMCHANGING 1 0->3", "NM_SETFOCUS", "LVN_ITEMCHANGING 2 0->3", "NM_CLICK 2/0"},
       {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Log() = ParentLog{};
    HWND list = MakeList();
    c.act(*this, list);
    EXPECT_EQ(Take(), c.seen);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(StateOf(list, i), c.states[i]) << "item " << i;
    SetFocus(parent);
    DestroyWindow(list);
  }
}

TEST_F(ListViewTest, ItemsColumnsAndSearch) {
  HWND list = MakeList(LVS_REPORT);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(CellText(list, 2, 0), u"Manual");
  EXPECT_EQ(CellText(list, 2, 1), u"A4");
  EXPECT_EQ(CellText(list, 2, 2), u"");
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = 1;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.lParam, 101);
  // Inserting before an item moves it and its state down.
  SetState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(AddItem(list, 0, u"Envelope", 99), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  EXPECT_EQ(AddItem(list, 50, u"Last", 98), 4);  // past the end: appended
  struct Find {
    UINT flags;
    const char16_t* text;
    LPARAM param;
    INT_PTR start;
    LRESULT found;
  };
  const Find finds[] = {
      {LVFI_PARAM, nullptr, 102, -1, 3},  {LVFI_STRING, u"lower", 0, -1, 2},
      {LVFI_STRING, u"Low", 0, -1, -1},   {LVFI_PARTIAL | LVFI_STRING, u"Low", 0, -1, 2},
      {LVFI_STRING, u"Upper", 0, 1, -1},  {LVFI_STRING | LVFI_WRAP, u"Upper", 0, 1, 1},
      {LVFI_PARAM, nullptr, 7, -1, -1},
  };
  for (const Find& f : finds) {
    LVFINDINFOW info{};
    info.flags = f.flags;
    info.psz = reinterpret_cast<LPCWSTR>(f.text);
    info.lParam = f.param;
    EXPECT_EQ(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(f.start), reinterpret_cast<LPARAM>(&info)), f.found)
        << f.flags;
  }
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(60, 0)));
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 60);
  EXPECT_EQ(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT), 0);
  EXPECT_EQ(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES),
            static_cast<LRESULT>(LVS_EX_FULLROWSELECT));
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), static_cast<LRESULT>(LVS_EX_GRIDLINES));
  // A sorted list places each new item by its text.
  HWND sorted = Control(WC_LISTVIEWW, LVS_REPORT | LVS_SORTASCENDING, RECT{320, 10, 500, 190}, 8);
  AddItem(sorted, 0, u"b", 0);
  AddItem(sorted, 0, u"c", 0);
  EXPECT_EQ(AddItem(sorted, 0, u"a", 0), 0);
  EXPECT_EQ(CellText(sorted, 2, 0), u"c");
}

TEST_F(ListViewTest, DeletingTellsEachItemUnlessTheParentDeclines) {
  HWND list = MakeList();
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
  EXPECT_EQ(Take(), (Seen{"LVN_DELETEITEM 1 param 101"}));
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(Take(), (Seen{"LVN_DELETEALLITEMS", "LVN_DELETEITEM 0 param 100", "LVN_DELETEITEM 1 param 102"}));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  AddItem(list, 0, u"One", 1);
  AddItem(list, 1, u"Two", 2);
  EXPECT_EQ(Take(), (Seen{"LVN_INSERTITEM 0 param 1", "LVN_INSERTITEM 1 param 2"}));
  Log().keepItems = true;  // "no more LVN_DELETEITEM, please"
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(Take(), (Seen{"LVN_DELETEALLITEMS"}));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, OwnerDrawnRowsAskTheParent) {
  Log().rowHeight = 22;
  HWND list = Control(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED, RECT{10, 10, 310, 190});
  EXPECT_EQ(Take(), (Seen{"MEASUREITEM type 102 id 7"}));
  AddColumn(list, 0, u"Tray", 80);
  AddColumn(list, 1, u"Size", 120);
  AddItem(list, 0, u"Upper", 2);
  AddItem(list, 1, u"Lower", 3);
  SetFocus(list);
  SetState(list, 1, kBoth, kBoth);
  Take();
  UpdateWindow(parent);
  UpdateWindow(list);
  // Rows below the 20-pixel header, as wide as the columns; the selected,
  // focused row says so while the list has the focus.
  EXPECT_EQ(Take(), (Seen{"DRAWITEM type 102 item 0 action 1 state 0 data 2 rect 0,20,200,42",
                          "DRAWITEM type 102 item 1 action 1 state 17 data 3 rect 0,42,200,64"}));
  RECT row{LVIR_BOUNDS, 0, 0, 0};
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
  EXPECT_EQ(row.top, 42);
  EXPECT_EQ(row.bottom, 64);
  // Without the focus (and without LVS_SHOWSELALWAYS) the selection is not shown.
  SetFocus(parent);
  Take();
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  EXPECT_EQ(Take(), (Seen{"DRAWITEM type 102 item 0 action 1 state 0 data 2 rect 0,20,200,42",
                          "DRAWITEM type 102 item 1 action 1 state 0 data 3 rect 0,42,200,64"}));
}

TEST_F(ListViewTest, BadMessagesAnswerAsDocumented) {
  HWND list = MakeList();
  LVITEMW far{};
  far.iItem = 9;
  far.mask = LVIF_TEXT;
  LVITEMW sub{};
  sub.iSubItem = 1;
  sub.mask = LVIF_TEXT;
  RECT rect{LVIR_BOUNDS, 5, 0, 0};
  struct Bad {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT answer;
  };
  const Bad bad[] = {
      {"insert without a record", LVM_INSERTITEMW, 0, 0, -1},
      {"insert a sub-item", LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&sub), -1},
      {"get without a record", LVM_GETITEMW, 0, 0, FALSE},
      {"get an item past the end", LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&far), FALSE},
      {"set an item past the end", LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&far), FALSE},
      {"text of an item past the end", LVM_GETITEMTEXTW, 9, reinterpret_cast<LPARAM>(&sub), 0},
      {"text without a record", LVM_GETITEMTEXTW, 0, 0, 0},
      {"delete past the end", LVM_DELETEITEM, 3, 0, FALSE},
      {"state past the end", LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&sub), FALSE},
      {"state without a record", LVM_SETITEMSTATE, 0, 0, FALSE},
      {"read state past the end", LVM_GETITEMSTATE, 3, kBoth, 0},
      {"next from before the start", LVM_GETNEXTITEM, static_cast<WPARAM>(-2), LVNI_ALL, -1},
      {"next from past the end", LVM_GETNEXTITEM, 3, LVNI_ALL, -1},
      {"find without a record", LVM_FINDITEMW, static_cast<WPARAM>(-1), 0, -1},
      {"column without a record", LVM_INSERTCOLUMNW, 0, 0, -1},
      {"width of a missing column", LVM_SETCOLUMNWIDTH, 3, 50, FALSE},
      {"read a missing column's width", LVM_GETCOLUMNWIDTH, 3, 0, 0},
      {"delete a missing column", LVM_DELETECOLUMN, 3, 0, FALSE},
      {"show an item past the end", LVM_ENSUREVISIBLE, 3, 0, FALSE},
      {"rectangle past the end", LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect), FALSE},
      {"rectangle of a missing column", LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&rect), FALSE},
      {"rectangle without a record", LVM_GETITEMRECT, 0, 0, FALSE},
  };
  for (const Bad& b : bad) {
    EXPECT_EQ(SendMessageW(list, b.message, b.wParam, b.lParam), b.answer) << b.what;
  }
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(Take(), Seen{});
  // A text the parent would give later is kept as no text.
  LVITEMW callback{};
  callback.mask = LVIF_TEXT;
  callback.iItem = 3;
  callback.pszText = LPSTR_TEXTCALLBACKW;
  EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&callback)), 3);
  EXPECT_EQ(CellText(list, 3, 0), u"");
  Take();
  // A text longer than the caller's buffer is cut and terminated.
  WCHAR small[4] = {1, 1, 1, 1};
  LVITEMW item{};
  item.pszText = small;
  item.cchTextMax = 4;
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 2, reinterpret_cast<LPARAM>(&item)), 3);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(small)), u"Man");
}

}  // namespace
}  // namespace kesm_test
