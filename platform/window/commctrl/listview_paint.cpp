// The list view's report view on screen: the header row (unless
// LVS_NOCOLUMNHEADER), then one row per item from the top item down, each
// drawn by the control or, under LVS_OWNERDRAWFIXED, by the parent
// (WM_DRAWITEM, ODT_LISTVIEW, ODA_DRAWENTIRE, the row's rectangle). A
// selection shows while the control has the focus, or always with
// LVS_SHOWSELALWAYS.
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/window/commctrl/listview_internal.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/winuser_draw.h"

namespace plat::window::listview {
namespace {

constexpr int kHeaderHeight = 20;
constexpr int kCellMargin = 6;

int TotalWidth(HWND hwnd, const ListView& s) {
  int width = 0;
  for (const Column& c : s.columns) width += c.cx;
  if (!s.columns.empty()) return width;
  RECT client{};
  GetClientRect(hwnd, &client);
  return static_cast<int>(client.right);
}

int ColumnLeft(const ListView& s, int column) {
  int x = 0;
  for (int i = 0; i < column; ++i) x += s.columns[static_cast<std::size_t>(i)].cx;
  return x;
}

UINT AlignOf(int fmt) {
  if ((fmt & 3) == LVCFMT_RIGHT) return DT_RIGHT;
  if ((fmt & 3) == LVCFMT_CENTER) return DT_CENTER;
  return DT_LEFT;
}

void DrawCellText(HDC dc, const std::u16string& text, RECT cell, int fmt) {
  if (text.empty()) return;
  cell.left += kCellMargin;
  cell.right -= kCellMargin;
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &cell,
            AlignOf(fmt) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintHeader(HWND hwnd, const ListView& s, HDC dc) {
  const int height = HeaderHeight(hwnd);
  if (height == 0) return;
  int x = 0;
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (const Column& c : s.columns) {
    RECT r{x, 0, x + c.cx, height};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    DrawCellText(dc, c.text, r, c.fmt);
    x += c.cx;
  }
}

bool SelectionShown(HWND hwnd) { return GetFocus() == hwnd || (StyleOf(hwnd) & LVS_SHOWSELALWAYS) != 0; }

UINT OwnerDrawState(HWND hwnd, const Item& item) {
  UINT state = 0;
  if ((item.state & LVIS_SELECTED) != 0 && SelectionShown(hwnd)) state |= ODS_SELECTED;
  if ((item.state & LVIS_FOCUSED) != 0 && GetFocus() == hwnd) state |= ODS_FOCUS;
  return state;
}

void PaintRow(HWND hwnd, const ListView& s, HDC dc, int index) {
  const Item& item = s.items[static_cast<std::size_t>(index)];
  const bool selected = (item.state & LVIS_SELECTED) != 0 && SelectionShown(hwnd);
  RECT mark = (s.exStyle & LVS_EX_FULLROWSELECT) != 0 || s.columns.empty() ? RowRect(hwnd, s, index)
                                                                            : CellRect(hwnd, s, index, 0);
  if (selected) FillRect(dc, &mark, GetSysColorBrush(GetFocus() == hwnd ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  for (std::size_t c = 0; c < std::max<std::size_t>(1, s.columns.size()); ++c) {
    const RECT cell = s.columns.empty() ? RowRect(hwnd, s, index) : CellRect(hwnd, s, index, static_cast<int>(c));
    const bool marked = selected && (c == 0 || (s.exStyle & LVS_EX_FULLROWSELECT) != 0);
    SetTextColor(dc, GetSysColor(marked && GetFocus() == hwnd ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int subItem = s.columns.empty() ? 0 : s.columns[c].subItem;
    const int fmt = s.columns.empty() ? LVCFMT_LEFT : s.columns[c].fmt;
    const std::u16string text = static_cast<std::size_t>(subItem) < item.texts.size()
                                    ? item.texts[static_cast<std::size_t>(subItem)]
                                    : std::u16string();
    DrawCellText(dc, text, cell, fmt);
  }
  if ((item.state & LVIS_FOCUSED) != 0 && GetFocus() == hwnd) DrawFocusRect(dc, &mark);
}

void PaintGrid(HWND hwnd, const ListView& s, HDC dc, const RECT& client) {
  HGDIOBJ old = SelectObject(dc, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
  const int top = HeaderHeight(hwnd);
  const int width = TotalWidth(hwnd, s);
  for (int y = top + s.rowHeight - 1; y < client.bottom; y += s.rowHeight) {
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, width, y);
  }
  for (std::size_t c = 1; c <= s.columns.size(); ++c) {
    const int x = ColumnLeft(s, static_cast<int>(c)) - 1;
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, client.bottom);
  }
  DeleteObject(SelectObject(dc, old));
}

}  // namespace

int HeaderHeight(HWND hwnd) { return (StyleOf(hwnd) & LVS_NOCOLUMNHEADER) != 0 ? 0 : kHeaderHeight; }

int RowsPerPage(HWND hwnd, const ListView& s) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return std::max(1, (static_cast<int>(client.bottom) - HeaderHeight(hwnd)) / std::max(1, s.rowHeight));
}

RECT RowRect(HWND hwnd, const ListView& s, int index) {
  const int y = HeaderHeight(hwnd) + (index - s.top) * s.rowHeight;
  return RECT{0, y, TotalWidth(hwnd, s), y + s.rowHeight};
}

RECT CellRect(HWND hwnd, const ListView& s, int index, int column) {
  RECT r = RowRect(hwnd, s, index);
  r.left = ColumnLeft(s, column);
  r.right = r.left + s.columns[static_cast<std::size_t>(column)].cx;
  return r;
}

int ItemAt(HWND hwnd, const ListView& s, POINT p) {
  const int header = HeaderHeight(hwnd);
  if (p.y < header || p.x < 0 || p.x >= TotalWidth(hwnd, s)) return -1;
  const int index = s.top + (static_cast<int>(p.y) - header) / std::max(1, s.rowHeight);
  return Valid(s, static_cast<WPARAM>(index)) ? index : -1;
}

int ColumnAt(const ListView& s, POINT p) {
  int x = 0;
  for (std::size_t c = 0; c < s.columns.size(); ++c) {
    if (p.x >= x && p.x < x + s.columns[c].cx) return static_cast<int>(c);
    x += s.columns[c].cx;
  }
  return -1;
}

bool EnsureVisible(HWND hwnd, ListView& s, int index) {
  const int page = RowsPerPage(hwnd, s);
  int top = s.top;
  if (index < top) top = index;
  if (index >= top + page) top = index - page + 1;
  top = std::max(0, top);
  if (top != s.top) {
    s.top = top;
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  return true;
}

LRESULT Paint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  if (const ListView* s = StateOf(hwnd)) {
    PaintHeader(hwnd, *s, dc);
    for (int i = s->top; Valid(*s, static_cast<WPARAM>(i)); ++i) {
      const RECT row = RowRect(hwnd, *s, i);
      if (row.top >= client.bottom) break;
      if (!OwnerDrawn(hwnd)) {
        PaintRow(hwnd, *s, dc, i);
        continue;
      }
      const Item& item = s->items[static_cast<std::size_t>(i)];
      SendDrawItem(hwnd, dc, ODT_LISTVIEW, static_cast<UINT>(i), ODA_DRAWENTIRE, OwnerDrawState(hwnd, item), row,
                   static_cast<ULONG_PTR>(item.param));
      s = StateOf(hwnd);  // the parent may have changed the list while drawing
      if (s == nullptr) break;
    }
    if (s != nullptr && (s->exStyle & LVS_EX_GRIDLINES) != 0) PaintGrid(hwnd, *s, dc, client);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

}  // namespace plat::window::listview
