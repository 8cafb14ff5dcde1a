// The list box class: single or multiple selection (LBS_MULTIPLESEL),
// one or several columns (LBS_MULTICOLUMN: the keys scroll it by whole
// columns to keep the current item shown, and left and right move by a
// column), drawn by itself or by its parent (LBS_OWNERDRAWFIXED:
// WM_MEASUREITEM while it is made; LBS_OWNERDRAWVARIABLE: WM_MEASUREITEM
// for each item added; WM_DRAWITEM with ODA_DRAWENTIRE on paint, ODA_SELECT
// when an item's selection changes, ODA_FOCUS when the focus comes or goes).
// A selection the user changes is told with LBN_SELCHANGE only under
// LBS_NOTIFY; LB_SETCURSEL and LB_SETSEL are silent. LBN_SETFOCUS and
// LBN_KILLFOCUS are always told.
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/controls/controls.h"
#include "platform/window/controls/item_list.h"
#include "platform/window/message_table.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

constexpr int kItemHeight = 16;

struct ListState {
  ItemList list;
  LRESULT caret = -1;  // the current item (single selection: the selected one)
  LRESULT top = 0;
  int itemHeight = kItemHeight;
  int columnWidth = 0;
  bool scrolls = false;  // made with WS_VSCROLL: its own bar shows while items overflow
};

ListState* StateOf(HWND hwnd) { return RecordOf<ListState>(hwnd); }
bool Multiple(HWND hwnd) { return (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool OwnerDrawn(HWND hwnd) { return (StyleOf(hwnd) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
// Variable-height items lie in one column.
bool VariableHeight(HWND hwnd) {
  return (StyleOf(hwnd) & (LBS_OWNERDRAWVARIABLE | LBS_MULTICOLUMN)) == LBS_OWNERDRAWVARIABLE;
}
bool Notifies(HWND hwnd) { return (StyleOf(hwnd) & LBS_NOTIFY) != 0; }

int RowsPerColumn(HWND hwnd, const ListState& s) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return std::max(1, static_cast<int>(client.bottom / s.itemHeight));
}

void SyncBar(HWND hwnd, const ListState& s);

int ColumnWidth(HWND hwnd, const ListState& s) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return s.columnWidth > 0 ? s.columnWidth : std::max(1, static_cast<int>(client.right));
}

RECT ItemRect(HWND hwnd, const ListState& s, LRESULT index) {
  RECT client{};
  GetClientRect(hwnd, &client);
  const LRESULT shown = index - s.top;
  if (VariableHeight(hwnd) && index >= s.top) {
    const auto i = static_cast<std::size_t>(index);
    const int y = s.list.OffsetOf(static_cast<std::size_t>(s.top), i, s.itemHeight);
    return RECT{0, y, client.right, y + s.list.HeightOf(i, s.itemHeight)};
  }
  if ((StyleOf(hwnd) & LBS_MULTICOLUMN) == 0) {
    const int y = static_cast<int>(shown) * s.itemHeight;
    return RECT{0, y, client.right, y + s.itemHeight};
  }
  const int rows = RowsPerColumn(hwnd, s);
  const int width = ColumnWidth(hwnd, s);
  const int x = static_cast<int>(shown / rows) * width;
  const int y = static_cast<int>(shown % rows) * s.itemHeight;
  return RECT{x, y, x + width, y + s.itemHeight};
}

LRESULT ItemAt(HWND hwnd, const ListState& s, POINT p) {
  for (LRESULT i = s.top; i < static_cast<LRESULT>(s.list.items.size()); ++i) {
    const RECT r = ItemRect(hwnd, s, i);
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

UINT ItemState(HWND hwnd, const ListState& s, LRESULT i) {
  UINT state = s.list.items[static_cast<std::size_t>(i)].selected ? ODS_SELECTED : 0;
  if (i == s.caret && GetFocus() == hwnd) state |= ODS_FOCUS;
  if (!IsWindowEnabled(hwnd)) state |= ODS_DISABLED;
  return state;
}

void DrawItem(HWND hwnd, const ListState& s, HDC dc, LRESULT i, UINT action) {
  if (i < 0 || i >= static_cast<LRESULT>(s.list.items.size())) return;
  SendDrawItem(hwnd, dc, ODT_LISTBOX, static_cast<UINT>(i), action, ItemState(hwnd, s, i), ItemRect(hwnd, s, i),
               s.list.items[static_cast<std::size_t>(i)].data);
}

void Changed(HWND hwnd, const ListState& s, LRESULT i) {
  if (OwnerDrawn(hwnd)) {
    DrawItem(hwnd, s, nullptr, i, ODA_SELECT);
  } else {
    InvalidateRect(hwnd, nullptr, TRUE);
  }
}

// Makes `index` the single selection (or none for -1); true when it changed.
bool SelectOnly(HWND hwnd, ListState& s, LRESULT index) {
  bool changed = false;
  s.caret = index;
  for (std::size_t i = 0; i < s.list.items.size(); ++i) {
    const bool want = static_cast<LRESULT>(i) == index;
    if (s.list.items[i].selected == want) continue;
    s.list.items[i].selected = want;
    changed = true;
    Changed(hwnd, s, static_cast<LRESULT>(i));
  }
  return changed;
}

void UserSelected(HWND hwnd, ListState& s, LRESULT index) {
  bool changed = false;
  if (Multiple(hwnd)) {
    ListItem& item = s.list.items[static_cast<std::size_t>(index)];
    item.selected = !item.selected;
    s.caret = index;
    Changed(hwnd, s, index);
    changed = true;
  } else {
    changed = SelectOnly(hwnd, s, index);
  }
  if (changed && Notifies(hwnd)) Notify(hwnd, LBN_SELCHANGE);
}

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = new ListState;
  const DWORD style = reinterpret_cast<const CREATESTRUCTW*>(lParam)->style;
  s->list.hasStrings = (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0 || (style & LBS_HASSTRINGS) != 0;
  s->list.sorted = (style & LBS_SORT) != 0;
  s->scrolls = (style & WS_VSCROLL) != 0 && (style & LBS_MULTICOLUMN) == 0;
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// An owner-drawn list of fixed height asks its parent for the height of
// its items; a variable one asks for each item as it is added.
LRESULT OnCreate(HWND hwnd, UINT, WPARAM, LPARAM) {
  ListState* s = StateOf(hwnd);
  if (s != nullptr) SyncBar(hwnd, *s);
  if (s == nullptr || !OwnerDrawn(hwnd) || (StyleOf(hwnd) & LBS_OWNERDRAWVARIABLE) != 0) return 0;
  MEASUREITEMSTRUCT mi{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(hwnd)), 0, 0, kItemHeight, 0};
  SendMessageW(GetParent(hwnd), WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
  if (mi.itemHeight > 0) s->itemHeight = static_cast<int>(mi.itemHeight);
  return 0;
}

using ListHandler = LRESULT (*)(HWND, ListState&, WPARAM, LPARAM);

// Rows whose handler works on the list's record.
template <ListHandler H>
constexpr WNDPROC WithState = WithRecord<ListState, H, LB_ERR>;

// The list's own bar: the items as the range, the rows shown as the page,
// the top item as the position; hidden while everything fits (disabled
// with LBS_DISABLENOSCROLL).
void SyncBar(HWND hwnd, const ListState& s) {
  if (!s.scrolls) return;
  const UINT keep = (StyleOf(hwnd) & LBS_DISABLENOSCROLL) != 0 ? SIF_DISABLENOSCROLL : 0;
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS | keep, 0,
                std::max(0, static_cast<int>(s.list.items.size()) - 1),
                static_cast<UINT>(RowsPerColumn(hwnd, s)), static_cast<int>(s.top), 0};
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

LRESULT Repainted(HWND hwnd, LRESULT answer) {
  if (const ListState* s = StateOf(hwnd)) SyncBar(hwnd, *s);
  InvalidateRect(hwnd, nullptr, TRUE);
  return answer;
}

// A multi-column list scrolls by whole columns: its top item heads the
// first column shown, and the columns shown are those that fit whole.
void ShowColumnOf(HWND hwnd, ListState& s, LRESULT index, LRESULT rows) {
  RECT client{};
  GetClientRect(hwnd, &client);
  const LRESULT columns = std::max<LRESULT>(1, client.right / ColumnWidth(hwnd, s));
  const LRESULT column = index / rows;
  const LRESULT first = s.top / rows;
  if (column < first) s.top = column * rows;
  if (column >= first + columns) s.top = (column - columns + 1) * rows;
}

// The top item that keeps `index` in view.
void ShowItem(HWND hwnd, ListState& s, LRESULT index) {
  if (VariableHeight(hwnd) || index < 0) return;
  const LRESULT rows = RowsPerColumn(hwnd, s);
  if ((StyleOf(hwnd) & LBS_MULTICOLUMN) != 0) {
    ShowColumnOf(hwnd, s, index, rows);
    return;
  }
  if (index < s.top) s.top = index;
  if (index >= s.top + rows) s.top = index - rows + 1;
}

// The list's own bar (lParam 0) moves the top item.
LRESULT Scrolled(HWND hwnd, ListState& s, WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 || VariableHeight(hwnd)) return 0;
  const LRESULT rows = RowsPerColumn(hwnd, s);
  const LRESULT last = std::max<LRESULT>(0, static_cast<LRESULT>(s.list.items.size()) - rows);
  LRESULT top = s.top;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: top -= 1; break;
    case SB_LINEDOWN: top += 1; break;
    case SB_PAGEUP: top -= rows; break;
    case SB_PAGEDOWN: top += rows; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = last; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: top = HIWORD(wParam); break;
    default: return 0;
  }
  top = std::clamp<LRESULT>(top, 0, last);
  if (top == s.top) return 0;
  s.top = top;
  return Repainted(hwnd, 0);
}

LRESULT Added(HWND hwnd, ListState& s, LRESULT index) {
  if ((StyleOf(hwnd) & LBS_OWNERDRAWVARIABLE) != 0) MeasureAddedItem(hwnd, ODT_LISTBOX, s.list, index, s.itemHeight);
  return Repainted(hwnd, index);
}
LRESULT AddString(HWND hwnd, ListState& s, WPARAM, LPARAM lParam) { return Added(hwnd, s, s.list.Add(lParam)); }
LRESULT InsertString(HWND hwnd, ListState& s, WPARAM wParam, LPARAM lParam) {
  return Added(hwnd, s, s.list.Insert(static_cast<LRESULT>(static_cast<INT_PTR>(wParam)), lParam));
}
LRESULT DeleteString(HWND hwnd, ListState& s, WPARAM wParam, LPARAM) {
  const LRESULT left = s.list.Delete(wParam);
  if (left >= 0 && s.caret >= left) s.caret = -1;
  return Repainted(hwnd, left);
}
LRESULT ResetContent(HWND hwnd, ListState& s, WPARAM, LPARAM) {
  s.list.items.clear();
  s.caret = -1;
  s.top = 0;
  return Repainted(hwnd, 0);
}
LRESULT SetCurSel(HWND hwnd, ListState& s, WPARAM wParam, LPARAM) {
  const auto index = static_cast<LRESULT>(static_cast<INT_PTR>(wParam));
  if (Multiple(hwnd) || (index != -1 && !s.list.Valid(wParam))) {
    if (!Multiple(hwnd)) SelectOnly(hwnd, s, -1);
    return LB_ERR;
  }
  SelectOnly(hwnd, s, index);
  return index;
}
LRESULT GetCurSel(HWND hwnd, ListState& s, WPARAM, LPARAM) {
  if (!Multiple(hwnd)) return s.caret;
  return s.caret >= 0 && s.list.items[static_cast<std::size_t>(s.caret)].selected ? s.caret : LB_ERR;
}
// wParam: select or not; lParam: the item, or -1 for every item.
LRESULT SetSel(HWND hwnd, ListState& s, WPARAM wParam, LPARAM lParam) {
  if (!Multiple(hwnd) || (lParam != -1 && !s.list.Valid(static_cast<WPARAM>(lParam)))) return LB_ERR;
  for (std::size_t i = 0; i < s.list.items.size(); ++i) {
    if (lParam != -1 && static_cast<LPARAM>(i) != lParam) continue;
    if (s.list.items[i].selected == (wParam != 0)) continue;
    s.list.items[i].selected = wParam != 0;
    Changed(hwnd, s, static_cast<LRESULT>(i));
  }
  return 0;
}
LRESULT GetSel(HWND, ListState& s, WPARAM wParam, LPARAM) {
  return s.list.Valid(wParam) ? (s.list.items[wParam].selected ? 1 : 0) : LB_ERR;
}
LRESULT GetSelCount(HWND hwnd, ListState& s, WPARAM, LPARAM) {
  if (!Multiple(hwnd)) return LB_ERR;
  return std::count_if(s.list.items.begin(), s.list.items.end(), [](const ListItem& i) { return i.selected; });
}
LRESULT GetSelItems(HWND hwnd, ListState& s, WPARAM wParam, LPARAM lParam) {
  if (!Multiple(hwnd) || lParam == 0) return LB_ERR;
  auto* out = reinterpret_cast<int*>(lParam);
  LRESULT n = 0;
  for (std::size_t i = 0; i < s.list.items.size() && static_cast<WPARAM>(n) < wParam; ++i) {
    if (s.list.items[i].selected) out[n++] = static_cast<int>(i);
  }
  return n;
}
LRESULT GetItemRect(HWND hwnd, ListState& s, WPARAM wParam, LPARAM lParam) {
  if (!s.list.Valid(wParam) || lParam == 0) return LB_ERR;
  *reinterpret_cast<RECT*>(lParam) = ItemRect(hwnd, s, static_cast<LRESULT>(wParam));
  return 1;
}
// A variable-height list answers for the item wParam names.
LRESULT GetItemHeight(HWND hwnd, ListState& s, WPARAM wParam, LPARAM) {
  if (!VariableHeight(hwnd)) return s.itemHeight;
  return s.list.Valid(wParam) ? s.list.HeightOf(wParam, s.itemHeight) : LB_ERR;
}
LRESULT SetItemHeight(HWND hwnd, ListState& s, WPARAM wParam, LPARAM lParam) {
  const WORD height = LOWORD(static_cast<DWORD>(lParam));
  if (height == 0 || height > 255) return LB_ERR;
  if (!VariableHeight(hwnd)) {
    s.itemHeight = height;
  } else if (s.list.Valid(wParam)) {
    s.list.items[wParam].height = height;
  } else {
    return LB_ERR;
  }
  return Repainted(hwnd, 0);
}
LRESULT GetTopIndex(HWND, ListState& s, WPARAM, LPARAM) { return s.top; }
LRESULT SetTopIndex(HWND hwnd, ListState& s, WPARAM wParam, LPARAM) {
  if (!s.list.Valid(wParam)) return LB_ERR;
  s.top = static_cast<LRESULT>(wParam);
  return Repainted(hwnd, 0);
}
LRESULT SetColumnWidth(HWND hwnd, ListState& s, WPARAM wParam, LPARAM) {
  s.columnWidth = static_cast<int>(wParam);
  return Repainted(hwnd, 0);
}
LRESULT GetCaretIndex(HWND, ListState& s, WPARAM, LPARAM) { return s.caret < 0 ? 0 : s.caret; }

LRESULT ButtonDown(HWND hwnd, ListState& s, WPARAM, LPARAM lParam) {
  SetFocus(hwnd);
  const LRESULT index = ItemAt(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (index >= 0) UserSelected(hwnd, s, index);
  return 0;
}

LRESULT DoubleClick(HWND hwnd, ListState& s, WPARAM wParam, LPARAM lParam) {
  ButtonDown(hwnd, s, wParam, lParam);
  if (Notifies(hwnd)) Notify(hwnd, LBN_DBLCLK);
  return 0;
}

LRESULT KeyDown(HWND hwnd, ListState& s, WPARAM wParam, LPARAM) {
  const auto count = static_cast<LRESULT>(s.list.items.size());
  if (count == 0) return 0;
  LRESULT next = s.caret;
  // Left and right move by a column in a multi-column list.
  const bool columns = (StyleOf(hwnd) & LBS_MULTICOLUMN) != 0;
  const LRESULT column = columns ? RowsPerColumn(hwnd, s) : 0;
  switch (wParam) {
    case VK_UP: next = std::max<LRESULT>(0, s.caret - 1); break;
    case VK_DOWN: next = std::min(count - 1, s.caret + 1); break;
    case VK_LEFT:
      if (!columns) return 0;
      next = std::max<LRESULT>(0, s.caret - column);
      break;
    case VK_RIGHT:
      if (!columns) return 0;
      next = std::min(count - 1, s.caret + column);
      break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    case VK_SPACE:
      if (Multiple(hwnd) && s.caret >= 0) UserSelected(hwnd, s, s.caret);
      return 0;
    default: return 0;
  }
  const LRESULT top = s.top;
  ShowItem(hwnd, s, next);
  if (Multiple(hwnd)) {
    s.caret = next;
    return Repainted(hwnd, 0);
  }
  if (next != s.caret || !s.list.items[static_cast<std::size_t>(next)].selected) UserSelected(hwnd, s, next);
  if (top != s.top) Repainted(hwnd, 0);
  return 0;
}

LRESULT Focus(HWND hwnd, ListState& s, WPARAM, LPARAM) {
  const bool coming = GetFocus() == hwnd;
  if (OwnerDrawn(hwnd)) {
    DrawItem(hwnd, s, nullptr, s.caret, ODA_FOCUS);
  } else {
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  Notify(hwnd, coming ? LBN_SETFOCUS : LBN_KILLFOCUS);
  return 0;
}

LRESULT Paint(HWND hwnd, ListState& s, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, ControlBrush(hwnd, dc, WM_CTLCOLORLISTBOX));
  for (LRESULT i = s.top; i < static_cast<LRESULT>(s.list.items.size()); ++i) {
    RECT r = ItemRect(hwnd, s, i);
    if (r.top >= client.bottom || r.left >= client.right) break;
    if (OwnerDrawn(hwnd)) {
      DrawItem(hwnd, s, dc, i, ODA_DRAWENTIRE);
      continue;
    }
    const ListItem& item = s.list.items[static_cast<std::size_t>(i)];
    if (item.selected) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(item.text.c_str()), static_cast<int>(item.text.size()), &r,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnDialogCode(HWND, UINT, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_CREATE, OnCreate},
    {WM_NCDESTROY, FreeRecord<ListState>},
    {LB_ADDSTRING, WithState<AddString>},
    {LB_INSERTSTRING, WithState<InsertString>},
    {LB_DELETESTRING, WithState<DeleteString>},
    {LB_RESETCONTENT, WithState<ResetContent>},
    {LB_GETCOUNT, WithState<ItemCount<ListState>>},
    {LB_GETTEXT, WithState<ItemText<ListState>>},
    {LB_GETTEXTLEN, WithState<ItemTextLength<ListState>>},
    {LB_FINDSTRING, WithState<ItemFind<ListState>>},
    {LB_FINDSTRINGEXACT, WithState<ItemFindExact<ListState>>},
    {LB_GETITEMDATA, WithState<ItemData<ListState>>},
    {LB_SETITEMDATA, WithState<SetItemData<ListState>>},
    {LB_SETCURSEL, WithState<SetCurSel>},
    {LB_GETCURSEL, WithState<GetCurSel>},
    {LB_SETSEL, WithState<SetSel>},
    {LB_GETSEL, WithState<GetSel>},
    {LB_GETSELCOUNT, WithState<GetSelCount>},
    {LB_GETSELITEMS, WithState<GetSelItems>},
    {LB_GETITEMRECT, WithState<GetItemRect>},
    {LB_GETITEMHEIGHT, WithState<GetItemHeight>},
    {LB_SETITEMHEIGHT, WithState<SetItemHeight>},
    {LB_GETTOPINDEX, WithState<GetTopIndex>},
    {LB_SETTOPINDEX, WithState<SetTopIndex>},
    {LB_SETCOLUMNWIDTH, WithState<SetColumnWidth>},
    {LB_GETCARETINDEX, WithState<GetCaretIndex>},
    {WM_LBUTTONDOWN, WithState<ButtonDown>},
    {WM_LBUTTONDBLCLK, WithState<DoubleClick>},
    {WM_KEYDOWN, WithState<KeyDown>},
    {WM_SETFOCUS, WithState<Focus>},
    {WM_KILLFOCUS, WithState<Focus>},
    {WM_PAINT, WithState<Paint>},
    {WM_GETDLGCODE, OnDialogCode},
    {WM_VSCROLL, WithState<Scrolled>},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
