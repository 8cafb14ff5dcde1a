// The list view class in report view: columns, items with a parameter and
// sub-item texts, single or multiple selection, owner drawing
// (LVS_OWNERDRAWFIXED: WM_MEASUREITEM while it is made, WM_DRAWITEM with
// ODT_LISTVIEW per row). Every state change, whether the program or the
// user makes it, is told as LVN_ITEMCHANGING (a non-zero answer refuses it)
// and then LVN_ITEMCHANGED.
#include <algorithm>
#include <cstring>

#include "platform/gdi/wingdi.h"
#include "platform/text/wintext.h"
#include "platform/window/commctrl/listview_internal.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/message_table.h"

namespace plat::window::listview {

ListView* StateOf(HWND hwnd) { return RecordOf<ListView>(hwnd); }
bool Valid(const ListView& s, WPARAM index) { return index < s.items.size(); }
bool SingleSelection(HWND hwnd) { return (StyleOf(hwnd) & LVS_SINGLESEL) != 0; }
bool OwnerDrawn(HWND hwnd) { return (StyleOf(hwnd) & LVS_OWNERDRAWFIXED) != 0; }

namespace {

constexpr int kTextHeight = 16;

const std::u16string& CellText(const Item& item, int subItem) {
  static const std::u16string kEmpty;
  return subItem >= 0 && static_cast<std::size_t>(subItem) < item.texts.size()
             ? item.texts[static_cast<std::size_t>(subItem)]
             : kEmpty;
}

void SetCellText(Item& item, int subItem, std::u16string text) {
  if (item.texts.size() <= static_cast<std::size_t>(subItem)) item.texts.resize(static_cast<std::size_t>(subItem) + 1);
  item.texts[static_cast<std::size_t>(subItem)] = std::move(text);
}

// Tells the parent about item `index`; the parent's answer.
LRESULT TellItem(HWND hwnd, UINT code, int index, UINT newState, UINT oldState, UINT changed, LPARAM param) {
  NMLISTVIEW nm{};
  nm.iItem = index;
  nm.uNewState = newState;
  nm.uOldState = oldState;
  nm.uChanged = changed;
  nm.ptAction = POINT{-1, -1};
  nm.lParam = param;
  return SendNotify(hwnd, code, &nm);
}

void RedrawItem(HWND hwnd, int index) {
  ListView* s = StateOf(hwnd);
  if (s == nullptr || !Valid(*s, static_cast<WPARAM>(index))) return;
  const RECT r = RowRect(hwnd, *s, index);
  InvalidateRect(hwnd, &r, TRUE);
}

// The one step every state change takes, on this item alone.
bool ChangeOne(HWND hwnd, int index, UINT state, UINT mask) {
  ListView* s = StateOf(hwnd);
  if (s == nullptr || !Valid(*s, static_cast<WPARAM>(index))) return false;
  const Item& item = s->items[static_cast<std::size_t>(index)];
  const UINT old = item.state;
  const UINT next = (old & ~mask) | (state & mask);
  if (next == old) return true;
  if (TellItem(hwnd, LVN_ITEMCHANGING, index, next, old, LVIF_STATE, item.param) != 0) return false;
  s = StateOf(hwnd);
  if (s == nullptr || !Valid(*s, static_cast<WPARAM>(index))) return false;
  s->items[static_cast<std::size_t>(index)].state = next;
  RedrawItem(hwnd, index);
  TellItem(hwnd, LVN_ITEMCHANGED, index, next, old, LVIF_STATE, s->items[static_cast<std::size_t>(index)].param);
  return true;
}

// The bits of `exclusive` that item `keep` takes leave every other item.
void ClearOthers(HWND hwnd, int keep, UINT exclusive) {
  for (std::size_t i = 0;; ++i) {
    ListView* s = StateOf(hwnd);
    if (s == nullptr || i >= s->items.size()) return;
    if (static_cast<int>(i) != keep && (s->items[i].state & exclusive) != 0) {
      ChangeOne(hwnd, static_cast<int>(i), 0, exclusive);
    }
  }
}

}  // namespace

bool ChangeState(HWND hwnd, int index, UINT state, UINT mask) {
  UINT exclusive = state & mask & LVIS_FOCUSED;
  if (SingleSelection(hwnd)) exclusive |= state & mask & LVIS_SELECTED;
  if (exclusive != 0) ClearOthers(hwnd, index, exclusive);
  return ChangeOne(hwnd, index, state, mask);
}

void UserSelect(HWND hwnd, int index) {
  const UINT both = LVIS_FOCUSED | LVIS_SELECTED;
  if (index < 0) {
    ClearOthers(hwnd, -1, LVIS_SELECTED);
    return;
  }
  // A click chooses one item in either mode: the others lose their marks.
  ClearOthers(hwnd, index, both);
  ChangeOne(hwnd, index, both, both);
  if (ListView* s = StateOf(hwnd)) EnsureVisible(hwnd, *s, index);
}

namespace {

using Handler = LRESULT (*)(HWND, ListView&, WPARAM, LPARAM);
template <Handler H, LRESULT none = 0>
constexpr WNDPROC With = WithRecord<ListView, H, none>;

LRESULT Repainted(HWND hwnd, LRESULT answer) {
  InvalidateRect(hwnd, nullptr, TRUE);
  return answer;
}

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = new ListView;
  s->rowHeight = kTextHeight + 1;
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// An owner-drawn list view asks its parent for the height of its rows.
LRESULT OnCreate(HWND hwnd, UINT, WPARAM, LPARAM) {
  ListView* s = StateOf(hwnd);
  if (s == nullptr || !OwnerDrawn(hwnd)) return 0;
  MEASUREITEMSTRUCT mi{ODT_LISTVIEW, static_cast<UINT>(GetDlgCtrlID(hwnd)), 0, 0, static_cast<UINT>(s->rowHeight), 0};
  SendMessageW(GetParent(hwnd), WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
  s = StateOf(hwnd);
  if (s != nullptr && mi.itemHeight > 0) s->rowHeight = static_cast<int>(mi.itemHeight);
  return 0;
}

// Columns.
void ApplyColumn(Column& c, const LVCOLUMNW& in, int index) {
  if ((in.mask & LVCF_FMT) != 0) c.fmt = in.fmt;
  if ((in.mask & LVCF_WIDTH) != 0) c.cx = std::max(0, in.cx);
  if ((in.mask & LVCF_TEXT) != 0) c.text = TextFrom(in.pszText);
  c.subItem = (in.mask & LVCF_SUBITEM) != 0 ? std::max(0, in.iSubItem) : index;
}
LRESULT InsertColumn(HWND hwnd, ListView& s, WPARAM wParam, LPARAM lParam) {
  const auto* in = reinterpret_cast<const LVCOLUMNW*>(lParam);
  if (in == nullptr) return -1;
  const auto index = static_cast<int>(std::min<WPARAM>(wParam, s.columns.size()));
  Column c;
  ApplyColumn(c, *in, index);
  s.columns.insert(s.columns.begin() + index, std::move(c));
  return Repainted(hwnd, index);
}
LRESULT SetColumn(HWND hwnd, ListView& s, WPARAM wParam, LPARAM lParam) {
  const auto* in = reinterpret_cast<const LVCOLUMNW*>(lParam);
  if (in == nullptr || wParam >= s.columns.size()) return FALSE;
  Column& c = s.columns[wParam];
  const int subItem = c.subItem;
  ApplyColumn(c, *in, subItem);
  return Repainted(hwnd, TRUE);
}
LRESULT GetColumn(HWND, ListView& s, WPARAM wParam, LPARAM lParam) {
  auto* out = reinterpret_cast<LVCOLUMNW*>(lParam);
  if (out == nullptr || wParam >= s.columns.size()) return FALSE;
  const Column& c = s.columns[wParam];
  if ((out->mask & LVCF_FMT) != 0) out->fmt = c.fmt;
  if ((out->mask & LVCF_WIDTH) != 0) out->cx = c.cx;
  if ((out->mask & LVCF_TEXT) != 0) CopyText(c.text, out->pszText, out->cchTextMax);
  if ((out->mask & LVCF_SUBITEM) != 0) out->iSubItem = c.subItem;
  return TRUE;
}
LRESULT DeleteColumn(HWND hwnd, ListView& s, WPARAM wParam, LPARAM) {
  if (wParam >= s.columns.size()) return FALSE;
  s.columns.erase(s.columns.begin() + static_cast<std::ptrdiff_t>(wParam));
  return Repainted(hwnd, TRUE);
}
int TextWidth(HWND hwnd, const std::u16string& text) {
  return TextWidthIn(hwnd, text) + 12;  // the cell's margins
}
// lParam: the width, or LVSCW_AUTOSIZE (the widest text) or
// LVSCW_AUTOSIZE_USEHEADER (the widest text or the header; the last column
// fills the rest of the client area).
LRESULT SetColumnWidth(HWND hwnd, ListView& s, WPARAM wParam, LPARAM lParam) {
  if (wParam >= s.columns.size()) return FALSE;
  const auto asked = static_cast<int>(static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam))));
  Column& c = s.columns[wParam];
  if (asked >= 0) {
    c.cx = asked;
    return Repainted(hwnd, TRUE);
  }
  if (asked != LVSCW_AUTOSIZE && asked != LVSCW_AUTOSIZE_USEHEADER) return FALSE;
  int width = asked == LVSCW_AUTOSIZE_USEHEADER ? TextWidth(hwnd, c.text) : 0;
  for (const Item& item : s.items) width = std::max(width, TextWidth(hwnd, CellText(item, c.subItem)));
  if (asked == LVSCW_AUTOSIZE_USEHEADER && wParam + 1 == s.columns.size()) {
    RECT client{};
    GetClientRect(hwnd, &client);
    int before = 0;
    for (std::size_t i = 0; i + 1 < s.columns.size(); ++i) before += s.columns[i].cx;
    width = std::max(width, static_cast<int>(client.right) - before);
  }
  c.cx = width;
  return Repainted(hwnd, TRUE);
}
LRESULT GetColumnWidth(HWND, ListView& s, WPARAM wParam, LPARAM) {
  return wParam < s.columns.size() ? s.columns[wParam].cx : 0;
}

// Items.
int CompareNoCase(const std::u16string& a, const std::u16string& b) {
  return lstrcmpiW(reinterpret_cast<LPCWSTR>(a.c_str()), reinterpret_cast<LPCWSTR>(b.c_str()));
}
bool Before(HWND hwnd, const std::u16string& a, const std::u16string& b) {
  const int order = CompareNoCase(a, b);
  return (StyleOf(hwnd) & LVS_SORTDESCENDING) != 0 ? order > 0 : order < 0;
}
LRESULT InsertItem(HWND hwnd, ListView& s, WPARAM, LPARAM lParam) {
  const auto* in = reinterpret_cast<const LVITEMW*>(lParam);
  if (in == nullptr || in->iSubItem != 0 || in->iItem < 0) return -1;
  Item item;
  if ((in->mask & LVIF_TEXT) != 0) SetCellText(item, 0, TextFrom(in->pszText));
  if ((in->mask & LVIF_PARAM) != 0) item.param = in->lParam;
  if ((in->mask & LVIF_STATE) != 0) item.state = in->state & in->stateMask;
  auto index = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(in->iItem), s.items.size()));
  if ((StyleOf(hwnd) & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) != 0) {
    index = 0;
    while (static_cast<std::size_t>(index) < s.items.size() &&
           !Before(hwnd, CellText(item, 0), CellText(s.items[static_cast<std::size_t>(index)], 0))) {
      ++index;
    }
  }
  const LPARAM param = item.param;
  s.items.insert(s.items.begin() + index, std::move(item));
  InvalidateRect(hwnd, nullptr, TRUE);
  TellItem(hwnd, LVN_INSERTITEM, index, 0, 0, 0, param);
  return index;
}
LRESULT DeleteItem(HWND hwnd, ListView& s, WPARAM wParam, LPARAM) {
  if (!Valid(s, wParam)) return FALSE;
  TellItem(hwnd, LVN_DELETEITEM, static_cast<int>(wParam), 0, 0, 0, s.items[wParam].param);
  ListView* now = StateOf(hwnd);
  if (now == nullptr || !Valid(*now, wParam)) return FALSE;
  now->items.erase(now->items.begin() + static_cast<std::ptrdiff_t>(wParam));
  now->top = std::max(0, std::min(now->top, static_cast<int>(now->items.size()) - 1));
  return Repainted(hwnd, TRUE);
}
// LVN_DELETEALLITEMS first; unless the parent answers TRUE, each item's
// LVN_DELETEITEM follows.
LRESULT DeleteAllItems(HWND hwnd, ListView& s, WPARAM, LPARAM) {
  if (s.items.empty()) return TRUE;
  if (TellItem(hwnd, LVN_DELETEALLITEMS, -1, 0, 0, 0, 0) == 0) {
    for (std::size_t i = 0;; ++i) {
      ListView* now = StateOf(hwnd);
      if (now == nullptr || i >= now->items.size()) break;
      TellItem(hwnd, LVN_DELETEITEM, static_cast<int>(i), 0, 0, 0, now->items[i].param);
    }
  }
  if (ListView* now = StateOf(hwnd)) {
    now->items.clear();
    now->top = 0;
  }
  return Repainted(hwnd, TRUE);
}
LRESULT GetItemCount(HWND, ListView& s, WPARAM, LPARAM) { return static_cast<LRESULT>(s.items.size()); }

// Text and parameter of an item or sub-item; a change of the item's own
// text or parameter is told like a change of state (uChanged names it).
bool SetFields(HWND hwnd, ListView& s, const LVITEMW& in) {
  if (!Valid(s, static_cast<WPARAM>(in.iItem)) || in.iSubItem < 0) return false;
  Item& item = s.items[static_cast<std::size_t>(in.iItem)];
  if (in.iSubItem != 0) {
    if ((in.mask & LVIF_TEXT) != 0) SetCellText(item, in.iSubItem, TextFrom(in.pszText));
    RedrawItem(hwnd, in.iItem);
    return true;
  }
  const UINT changed = in.mask & (LVIF_TEXT | LVIF_PARAM);
  if (changed == 0) return true;
  if (TellItem(hwnd, LVN_ITEMCHANGING, in.iItem, item.state, item.state, changed, item.param) != 0) return false;
  ListView* now = StateOf(hwnd);
  if (now == nullptr || !Valid(*now, static_cast<WPARAM>(in.iItem))) return false;
  Item& still = now->items[static_cast<std::size_t>(in.iItem)];
  if ((in.mask & LVIF_TEXT) != 0) SetCellText(still, 0, TextFrom(in.pszText));
  if ((in.mask & LVIF_PARAM) != 0) still.param = in.lParam;
  RedrawItem(hwnd, in.iItem);
  TellItem(hwnd, LVN_ITEMCHANGED, in.iItem, still.state, still.state, changed, still.param);
  return true;
}
LRESULT SetItem(HWND hwnd, ListView& s, WPARAM, LPARAM lParam) {
  const auto* in = reinterpret_cast<const LVITEMW*>(lParam);
  if (in == nullptr || !Valid(s, static_cast<WPARAM>(in->iItem))) return FALSE;
  if ((in->mask & LVIF_STATE) != 0 && in->iSubItem != 0) return FALSE;
  const LVITEMW copy = *in;  // the caller's record may change while the parent is told
  if (!SetFields(hwnd, s, copy)) return FALSE;
  if ((copy.mask & LVIF_STATE) != 0 && !ChangeState(hwnd, copy.iItem, copy.state, copy.stateMask)) return FALSE;
  return TRUE;
}
LRESULT SetItemText(HWND hwnd, ListView& s, WPARAM wParam, LPARAM lParam) {
  const auto* in = reinterpret_cast<const LVITEMW*>(lParam);
  if (in == nullptr || !Valid(s, wParam)) return FALSE;
  LVITEMW copy{};
  copy.mask = LVIF_TEXT;
  copy.iItem = static_cast<int>(wParam);
  copy.iSubItem = in->iSubItem;
  copy.pszText = in->pszText;
  return SetFields(hwnd, s, copy) ? TRUE : FALSE;
}
LRESULT GetItem(HWND, ListView& s, WPARAM, LPARAM lParam) {
  auto* out = reinterpret_cast<LVITEMW*>(lParam);
  if (out == nullptr || !Valid(s, static_cast<WPARAM>(out->iItem)) || out->iSubItem < 0) return FALSE;
  const Item& item = s.items[static_cast<std::size_t>(out->iItem)];
  if ((out->mask & LVIF_TEXT) != 0) CopyText(CellText(item, out->iSubItem), out->pszText, out->cchTextMax);
  if ((out->mask & LVIF_PARAM) != 0) out->lParam = item.param;
  if ((out->mask & LVIF_STATE) != 0) out->state = item.state & out->stateMask;
  return TRUE;
}
LRESULT GetItemText(HWND, ListView& s, WPARAM wParam, LPARAM lParam) {
  auto* out = reinterpret_cast<LVITEMW*>(lParam);
  if (out == nullptr || !Valid(s, wParam) || out->iSubItem < 0) return 0;
  return CopyText(CellText(s.items[wParam], out->iSubItem), out->pszText, out->cchTextMax);
}

// States. wParam -1 sets the state of every item.
LRESULT SetItemState(HWND hwnd, ListView& s, WPARAM wParam, LPARAM lParam) {
  const auto* in = reinterpret_cast<const LVITEMW*>(lParam);
  const auto index = static_cast<INT_PTR>(wParam);
  if (in == nullptr || (index != -1 && !Valid(s, wParam))) return FALSE;
  const UINT state = in->state;
  const UINT mask = in->stateMask;
  if (index != -1) return ChangeState(hwnd, static_cast<int>(index), state, mask) ? TRUE : FALSE;
  BOOL all = TRUE;
  for (std::size_t i = 0;; ++i) {
    ListView* now = StateOf(hwnd);
    if (now == nullptr || i >= now->items.size()) break;
    if (!ChangeOne(hwnd, static_cast<int>(i), state, mask)) all = FALSE;
  }
  return all;
}
LRESULT GetItemState(HWND, ListView& s, WPARAM wParam, LPARAM lParam) {
  return Valid(s, wParam) ? static_cast<LRESULT>(s.items[wParam].state & static_cast<UINT>(lParam)) : 0;
}
LRESULT GetSelectedCount(HWND, ListView& s, WPARAM, LPARAM) {
  return std::count_if(s.items.begin(), s.items.end(), [](const Item& i) { return (i.state & LVIS_SELECTED) != 0; });
}
// From the item after `start` (-1: the first), the next one with every
// state bit of the flags; LVNI_ABOVE and LVNI_BELOW step one row.
LRESULT GetNextItem(HWND, ListView& s, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<INT_PTR>(wParam);
  const auto flags = static_cast<UINT>(lParam);
  const auto count = static_cast<INT_PTR>(s.items.size());
  if (start < -1 || start >= count) return -1;
  const UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED);
  const INT_PTR step = (flags & LVNI_ABOVE) != 0 ? -1 : 1;
  if ((flags & (LVNI_ABOVE | LVNI_BELOW)) != 0 && start == -1) return -1;
  for (INT_PTR i = start + step; i >= 0 && i < count; i += step) {
    if ((s.items[static_cast<std::size_t>(i)].state & want) == want) return i;
  }
  return -1;
}
// LVFI_PARAM: the parameter; LVFI_STRING: the item's text, ignoring case;
// with LVFI_PARTIAL, a text that begins with the string.
bool Matches(const Item& item, const LVFINDINFOW& find) {
  if ((find.flags & LVFI_PARAM) != 0) return item.param == find.lParam;
  if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.psz == nullptr) return false;
  const std::u16string wanted = TextFrom(find.psz);
  const std::u16string& text = CellText(item, 0);
  if ((find.flags & LVFI_PARTIAL) != 0) return CompareNoCase(text.substr(0, wanted.size()), wanted) == 0;
  return CompareNoCase(text, wanted) == 0;
}
LRESULT FindItem(HWND, ListView& s, WPARAM wParam, LPARAM lParam) {
  const auto* find = reinterpret_cast<const LVFINDINFOW*>(lParam);
  const auto start = static_cast<INT_PTR>(wParam);
  const auto count = static_cast<INT_PTR>(s.items.size());
  if (find == nullptr || start < -1 || start >= count) return -1;
  for (INT_PTR i = start + 1; i < count; ++i) {
    if (Matches(s.items[static_cast<std::size_t>(i)], *find)) return i;
  }
  if ((find->flags & LVFI_WRAP) == 0) return -1;
  for (INT_PTR i = 0; i <= start; ++i) {
    if (Matches(s.items[static_cast<std::size_t>(i)], *find)) return i;
  }
  return -1;
}
LRESULT SetExtendedStyle(HWND hwnd, ListView& s, WPARAM wParam, LPARAM lParam) {
  const DWORD old = s.exStyle;
  const DWORD mask = wParam != 0 ? static_cast<DWORD>(wParam) : ~DWORD{0};
  s.exStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
  return Repainted(hwnd, old);
}
LRESULT GetExtendedStyle(HWND, ListView& s, WPARAM, LPARAM) { return s.exStyle; }

// Rectangles and hit tests. The rectangle's left names the part
// (LVIR_BOUNDS ...), its top the sub-item for LVM_GETSUBITEMRECT.
LRESULT GetItemRect(HWND hwnd, ListView& s, WPARAM wParam, LPARAM lParam) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (rect == nullptr || !Valid(s, wParam)) return FALSE;
  const LONG part = rect->left;
  RECT r = RowRect(hwnd, s, static_cast<int>(wParam));
  if ((part == LVIR_LABEL || part == LVIR_ICON) && !s.columns.empty()) r = CellRect(hwnd, s, static_cast<int>(wParam), 0);
  *rect = r;
  return TRUE;
}
LRESULT GetSubItemRect(HWND hwnd, ListView& s, WPARAM wParam, LPARAM lParam) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (rect == nullptr || !Valid(s, wParam) || rect->top < 0) return FALSE;
  const LONG subItem = rect->top;
  if (subItem == 0) return GetItemRect(hwnd, s, wParam, lParam);
  if (static_cast<std::size_t>(subItem) >= s.columns.size()) return FALSE;
  *rect = CellRect(hwnd, s, static_cast<int>(wParam), static_cast<int>(subItem));
  return TRUE;
}
LRESULT HitTest(HWND hwnd, ListView& s, WPARAM, LPARAM lParam) {
  auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
  if (info == nullptr) return -1;
  info->iItem = ItemAt(hwnd, s, info->pt);
  info->iSubItem = info->iItem >= 0 ? std::max(0, ColumnAt(s, info->pt)) : 0;
  info->flags = info->iItem >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
  return info->iItem;
}
LRESULT EnsureVisibleMessage(HWND hwnd, ListView& s, WPARAM wParam, LPARAM) {
  if (!Valid(s, wParam)) return FALSE;
  return EnsureVisible(hwnd, s, static_cast<int>(wParam)) ? TRUE : FALSE;
}
LRESULT GetTopIndex(HWND, ListView& s, WPARAM, LPARAM) { return s.top; }
LRESULT GetCountPerPage(HWND hwnd, ListView& s, WPARAM, LPARAM) { return RowsPerPage(hwnd, s); }
LRESULT RedrawItems(HWND hwnd, ListView&, WPARAM, LPARAM) { return Repainted(hwnd, TRUE); }

LRESULT OnDialogCode(HWND, UINT, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_CREATE, OnCreate},
    {WM_NCDESTROY, FreeRecord<ListView>},
    {LVM_INSERTCOLUMNW, With<InsertColumn, -1>},
    {LVM_SETCOLUMNW, With<SetColumn>},
    {LVM_GETCOLUMNW, With<GetColumn>},
    {LVM_DELETECOLUMN, With<DeleteColumn>},
    {LVM_SETCOLUMNWIDTH, With<SetColumnWidth>},
    {LVM_GETCOLUMNWIDTH, With<GetColumnWidth>},
    {LVM_INSERTITEMW, With<InsertItem, -1>},
    {LVM_DELETEITEM, With<DeleteItem>},
    {LVM_DELETEALLITEMS, With<DeleteAllItems>},
    {LVM_GETITEMCOUNT, With<GetItemCount>},
    {LVM_SETITEMW, With<SetItem>},
    {LVM_SETITEMTEXTW, With<SetItemText>},
    {LVM_GETITEMW, With<GetItem>},
    {LVM_GETITEMTEXTW, With<GetItemText>},
    {LVM_SETITEMSTATE, With<SetItemState>},
    {LVM_GETITEMSTATE, With<GetItemState>},
    {LVM_GETSELECTEDCOUNT, With<GetSelectedCount>},
    {LVM_GETNEXTITEM, With<GetNextItem, -1>},
    {LVM_FINDITEMW, With<FindItem, -1>},
    {LVM_SETEXTENDEDLISTVIEWSTYLE, With<SetExtendedStyle>},
    {LVM_GETEXTENDEDLISTVIEWSTYLE, With<GetExtendedStyle>},
    {LVM_GETITEMRECT, With<GetItemRect>},
    {LVM_GETSUBITEMRECT, With<GetSubItemRect>},
    {LVM_HITTEST, With<HitTest, -1>},
    {LVM_SUBITEMHITTEST, With<HitTest, -1>},
    {LVM_ENSUREVISIBLE, With<EnsureVisibleMessage>},
    {LVM_GETTOPINDEX, With<GetTopIndex>},
    {LVM_GETCOUNTPERPAGE, With<GetCountPerPage>},
    {LVM_REDRAWITEMS, With<RedrawItems>},
    {WM_PAINT, Paint},
    {WM_LBUTTONDOWN, ButtonDown},
    {WM_LBUTTONUP, ButtonUp},
    {WM_LBUTTONDBLCLK, DoubleClick},
    {WM_KEYDOWN, KeyDown},
    {WM_SETFOCUS, FocusChange},
    {WM_KILLFOCUS, FocusChange},
    {WM_GETDLGCODE, OnDialogCode},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace
}  // namespace plat::window::listview

namespace plat::window {

LRESULT ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(listview::kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
