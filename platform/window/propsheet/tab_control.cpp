// The tab control: its items, its one row of tabs across the top, the
// notifications a click or an arrow key sends the parent, and its drawing.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/message_table.h"
#include "platform/window/propsheet/sheet_internal.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

constexpr int kTabHeight = 20;   // one row of tabs
constexpr int kTabPadding = 12;  // beside a tab's text
constexpr int kMinTabWidth = 40;
constexpr int kBodyTop = kTabHeight + 2;  // the body's frame starts below the row
constexpr int kFrame = 4;                 // the frame around the display area

struct TabItem {
  std::u16string text;
  LPARAM param = 0;
  int width = kMinTabWidth;
};

// The control's record: its items and the chosen one (-1: none).
struct Tabs {
  std::vector<TabItem> items;
  int current = -1;
};

int TextWidth(HWND hwnd, const std::u16string& text) {
  SIZE size{};
  HDC dc = GetDC(hwnd);
  GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &size);
  ReleaseDC(hwnd, dc);
  return std::max(kMinTabWidth, static_cast<int>(size.cx) + 2 * kTabPadding);
}

// The rectangle of item `index` in client coordinates; the selected tab
// stands 2 pixels taller and wider than the others.
RECT ItemRect(const Tabs& tabs, int index) {
  int left = 2;
  for (int i = 0; i < index; ++i) left += tabs.items[static_cast<std::size_t>(i)].width;
  RECT r{left, 2, left + tabs.items[static_cast<std::size_t>(index)].width, kBodyTop};
  if (index == tabs.current) {
    InflateRect(&r, 2, 0);
    r.top -= 2;
  }
  return r;
}

int HitTest(const Tabs& tabs, POINT at) {
  for (int i = 0; i < static_cast<int>(tabs.items.size()); ++i) {
    const RECT r = ItemRect(tabs, i);
    if (PtInRect(&r, at)) return i;
  }
  return -1;
}

LRESULT NotifyParent(HWND hwnd, UINT code) {
  NMHDR header{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), code};
  return SendMessageW(GetParent(hwnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

}  // namespace

// A person's choice of a tab: the parent may refuse it before it happens
// and is told after.
void ChooseTabByUser(HWND hwnd, int index) {
  Tabs* tabs = RecordOf<Tabs>(hwnd);
  if (tabs == nullptr || index < 0 || index >= static_cast<int>(tabs->items.size()) || index == tabs->current) {
    return;
  }
  if (NotifyParent(hwnd, TCN_SELCHANGING) != 0) return;
  tabs = RecordOf<Tabs>(hwnd);  // the parent may have changed the items
  if (tabs == nullptr || index >= static_cast<int>(tabs->items.size())) return;
  tabs->current = index;
  InvalidateRect(hwnd, nullptr, TRUE);
  NotifyParent(hwnd, TCN_SELCHANGE);
}

namespace {

LRESULT OnCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new Tabs));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT OnInsertItem(HWND hwnd, Tabs& tabs, WPARAM wParam, LPARAM lParam) {
  const auto* item = reinterpret_cast<const TCITEMW*>(lParam);
  if (item == nullptr) return -1;
  TabItem made;
  if ((item->mask & TCIF_TEXT) != 0 && item->pszText != nullptr) {
    made.text = reinterpret_cast<const char16_t*>(item->pszText);
  }
  if ((item->mask & TCIF_PARAM) != 0) made.param = item->lParam;
  made.width = TextWidth(hwnd, made.text);
  const int at = std::min(static_cast<int>(wParam), static_cast<int>(tabs.items.size()));
  tabs.items.insert(tabs.items.begin() + at, std::move(made));
  if (tabs.current < 0) {
    tabs.current = 0;
  } else if (at <= tabs.current) {
    ++tabs.current;
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  return at;
}

LRESULT OnGetItem(HWND, Tabs& tabs, WPARAM wParam, LPARAM lParam) {
  auto* item = reinterpret_cast<TCITEMW*>(lParam);
  if (item == nullptr || wParam >= tabs.items.size()) return FALSE;
  const TabItem& found = tabs.items[wParam];
  if ((item->mask & TCIF_PARAM) != 0) item->lParam = found.param;
  if ((item->mask & TCIF_TEXT) != 0 && item->pszText != nullptr && item->cchTextMax > 0) {
    const std::size_t n = std::min(found.text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
    std::copy_n(found.text.begin(), n, reinterpret_cast<char16_t*>(item->pszText));
    item->pszText[n] = 0;
  }
  return TRUE;
}

LRESULT OnSetItem(HWND hwnd, Tabs& tabs, WPARAM wParam, LPARAM lParam) {
  const auto* item = reinterpret_cast<const TCITEMW*>(lParam);
  if (item == nullptr || wParam >= tabs.items.size()) return FALSE;
  TabItem& found = tabs.items[wParam];
  if ((item->mask & TCIF_PARAM) != 0) found.param = item->lParam;
  if ((item->mask & TCIF_TEXT) != 0) {
    found.text = item->pszText != nullptr ? reinterpret_cast<const char16_t*>(item->pszText) : u"";
    found.width = TextWidth(hwnd, found.text);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT OnDeleteItem(HWND hwnd, Tabs& tabs, WPARAM wParam, LPARAM) {
  if (wParam >= tabs.items.size()) return FALSE;
  const int index = static_cast<int>(wParam);
  tabs.items.erase(tabs.items.begin() + index);
  if (index < tabs.current || tabs.current >= static_cast<int>(tabs.items.size())) --tabs.current;
  if (tabs.items.empty()) tabs.current = -1;
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT OnDeleteAll(HWND hwnd, Tabs& tabs, WPARAM, LPARAM) {
  tabs.items.clear();
  tabs.current = -1;
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT OnGetCount(HWND, Tabs& tabs, WPARAM, LPARAM) { return static_cast<LRESULT>(tabs.items.size()); }
LRESULT OnGetCurSel(HWND, Tabs& tabs, WPARAM, LPARAM) { return tabs.current; }

// Without notifications: the program's own choice.
LRESULT OnSetCurSel(HWND hwnd, Tabs& tabs, WPARAM wParam, LPARAM) {
  if (wParam >= tabs.items.size()) return -1;
  const int previous = tabs.current;
  tabs.current = static_cast<int>(wParam);
  InvalidateRect(hwnd, nullptr, TRUE);
  return previous;
}

LRESULT OnGetItemRect(HWND, Tabs& tabs, WPARAM wParam, LPARAM lParam) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (rect == nullptr || wParam >= tabs.items.size()) return FALSE;
  *rect = ItemRect(tabs, static_cast<int>(wParam));
  return TRUE;
}

LRESULT OnAdjustRect(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (rect != nullptr) TabDisplayArea(hwnd, wParam != FALSE, rect);
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  const Tabs* tabs = RecordOf<Tabs>(hwnd);
  if (tabs == nullptr) return 0;
  const int index = HitTest(*tabs, POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))});
  if (index < 0) return 0;
  if (GetFocus() != hwnd) SetFocus(hwnd);
  ChooseTabByUser(hwnd, index);
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Tabs* tabs = RecordOf<Tabs>(hwnd);
  if (tabs == nullptr || (wParam != VK_LEFT && wParam != VK_RIGHT)) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  ChooseTabByUser(hwnd, tabs->current + (wParam == VK_RIGHT ? 1 : -1));
  return 0;
}

LRESULT OnGetDlgCode(HWND, UINT, WPARAM, LPARAM) { return DLGC_WANTARROWS; }

void PaintTab(HDC dc, const TabItem& item, RECT r, bool selected) {
  FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
  DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
  if (selected) r.top -= 1;
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(item.text.c_str()), static_cast<int>(item.text.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  if (const Tabs* tabs = RecordOf<Tabs>(hwnd)) {
    RECT body{client.left, client.top + kBodyTop, client.right, client.bottom};
    DrawEdge(dc, &body, EDGE_RAISED, BF_RECT);
    for (int i = 0; i < static_cast<int>(tabs->items.size()); ++i) {
      if (i != tabs->current) PaintTab(dc, tabs->items[static_cast<std::size_t>(i)], ItemRect(*tabs, i), false);
    }
    if (tabs->current >= 0) {
      RECT r = ItemRect(*tabs, tabs->current);
      r.bottom += 2;  // over the body's top edge: the chosen tab opens into the body
      PaintTab(dc, tabs->items[static_cast<std::size_t>(tabs->current)], r, true);
      if (GetFocus() == hwnd) {
        RECT focus = ItemRect(*tabs, tabs->current);
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
      }
    }
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnFocusChange(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  InvalidateRect(hwnd, nullptr, FALSE);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnCreate},
    {WM_NCDESTROY, FreeRecord<Tabs>},
    {TCM_INSERTITEMW, WithRecord<Tabs, OnInsertItem, -1>},
    {TCM_GETITEMW, WithRecord<Tabs, OnGetItem, FALSE>},
    {TCM_SETITEMW, WithRecord<Tabs, OnSetItem, FALSE>},
    {TCM_DELETEITEM, WithRecord<Tabs, OnDeleteItem, FALSE>},
    {TCM_DELETEALLITEMS, WithRecord<Tabs, OnDeleteAll, FALSE>},
    {TCM_GETITEMCOUNT, WithRecord<Tabs, OnGetCount, 0>},
    {TCM_GETCURSEL, WithRecord<Tabs, OnGetCurSel, -1>},
    {TCM_SETCURSEL, WithRecord<Tabs, OnSetCurSel, -1>},
    {TCM_GETITEMRECT, WithRecord<Tabs, OnGetItemRect, FALSE>},
    {TCM_ADJUSTRECT, OnAdjustRect},
    {WM_LBUTTONDOWN, OnLButtonDown},
    {WM_KEYDOWN, OnKeyDown},
    {WM_GETDLGCODE, OnGetDlgCode},
    {WM_PAINT, OnPaint},
    {WM_SETFOCUS, OnFocusChange},
    {WM_KILLFOCUS, OnFocusChange},
};
constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

void TabDisplayArea(HWND, bool larger, RECT* rect) {
  if (larger) {
    rect->left -= kFrame;
    rect->right += kFrame;
    rect->top -= kBodyTop + kFrame;
    rect->bottom += kFrame;
  } else {
    rect->left += kFrame;
    rect->right -= kFrame;
    rect->top += kBodyTop + kFrame;
    rect->bottom -= kFrame;
  }
}

LRESULT TabControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

namespace {
constexpr WORD kArrow = 32512;
constexpr SystemClassRow kTabClasses[] = {
    {WC_TABCONTROLW, 0, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, TabControlWindowProc,
     static_cast<int>(sizeof(LONG_PTR)), kArrow, 0},
};
}  // namespace

SystemClassTable TabControlClasses() { return SystemClassTable{std::size(kTabClasses), kTabClasses}; }

}  // namespace plat::window
