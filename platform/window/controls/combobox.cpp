// The combo box class as a drop-down list (CBS_DROPDOWNLIST; the other
// kinds behave the same here, without an edit field). The window is the
// selection field; the height it was made with is the height of the
// dropped list beneath. A click drops the list (CBN_DROPDOWN) and holds the
// capture; a click on an item of the dropped list picks it: CBN_SELCHANGE,
// CBN_SELENDOK, then CBN_CLOSEUP; a click elsewhere closes it with
// CBN_SELENDCANCEL and CBN_CLOSEUP. CB_SETCURSEL is silent. Owner-drawn
// combos measure the selection field (itemID -1) and then the items
// (itemID 0) while they are made; variable-height ones measure the field
// then, and each item as it is added.
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/controls/control_draw.h"
#include "platform/window/controls/controls.h"
#include "platform/window/controls/item_list.h"
#include "platform/window/message_table.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

constexpr int kItemHeight = 16;
constexpr int kFieldExtra = 6;  // the field's frame around one item

struct ComboState {
  ItemList list;
  LRESULT selected = -1;
  bool dropped = false;
  int fieldHeight = kItemHeight + kFieldExtra;
  int itemHeight = kItemHeight;
  int dropHeight = 0;  // the list's height below the field
};

ComboState* StateOf(HWND hwnd) { return RecordOf<ComboState>(hwnd); }
bool OwnerDrawn(HWND hwnd) { return (StyleOf(hwnd) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }

UINT Measure(HWND hwnd, UINT itemId) {
  MEASUREITEMSTRUCT mi{ODT_COMBOBOX, static_cast<UINT>(GetDlgCtrlID(hwnd)), itemId, 0, kItemHeight, 0};
  SendMessageW(GetParent(hwnd), WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
  return mi.itemHeight;
}

// The dropped list's item under a point of the client area, or -1.
LRESULT ItemAt(const ComboState& s, POINT p, int width) {
  if (p.x < 0 || p.x >= width || p.y < s.fieldHeight || p.y >= s.fieldHeight + s.dropHeight) return -1;
  int top = s.fieldHeight;
  for (std::size_t i = 0; i < s.list.items.size(); ++i) {
    const int bottom = top + s.list.HeightOf(i, s.itemHeight);
    if (p.y < bottom) return static_cast<LRESULT>(i);
    top = bottom;
  }
  return -1;
}

void CloseUp(HWND hwnd, ComboState& s) {
  if (!s.dropped) return;
  s.dropped = false;
  if (GetCapture() == hwnd) ReleaseCapture();
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, CBN_CLOSEUP);
}

void DropDown(HWND hwnd, ComboState& s) {
  if (s.dropped) return;
  Notify(hwnd, CBN_DROPDOWN);
  s.dropped = true;
  SetCapture(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void UserPicked(HWND hwnd, ComboState& s, LRESULT index) {
  if (index != s.selected) {
    s.selected = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    Notify(hwnd, CBN_SELCHANGE);
  }
  Notify(hwnd, CBN_SELENDOK);
  CloseUp(hwnd, s);
}

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = new ComboState;
  const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  s->list.hasStrings = (cs->style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0 || (cs->style & CBS_HASSTRINGS) != 0;
  s->list.sorted = (cs->style & CBS_SORT) != 0;
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
  // Scroll bar styles are for the dropped list: the field has no bars.
  const DWORD style = StyleOf(hwnd);
  if ((style & (WS_VSCROLL | WS_HSCROLL)) != 0) {
    SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(style & ~(WS_VSCROLL | WS_HSCROLL)));
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT OnCreate(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  ComboState* s = StateOf(hwnd);
  if (s == nullptr) return -1;
  // A variable-height combo measures each item as it is added.
  if (OwnerDrawn(hwnd)) {
    const UINT field = Measure(hwnd, static_cast<UINT>(-1));
    if (field > 0) s->fieldHeight = static_cast<int>(field) + kFieldExtra;
  }
  if (OwnerDrawn(hwnd) && (StyleOf(hwnd) & CBS_OWNERDRAWVARIABLE) == 0) {
    const UINT item = Measure(hwnd, 0);
    if (item > 0) s->itemHeight = static_cast<int>(item);
  }
  const int made = reinterpret_cast<const CREATESTRUCTW*>(lParam)->cy;
  s->dropHeight = std::max(s->itemHeight, made - s->fieldHeight);
  RECT r{};
  GetClientRect(hwnd, &r);
  SetWindowPos(hwnd, nullptr, 0, 0, r.right, s->fieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

using ComboHandler = LRESULT (*)(HWND, ComboState&, WPARAM, LPARAM);

template <ComboHandler H>
constexpr WNDPROC WithState = WithRecord<ComboState, H, CB_ERR>;

LRESULT Added(HWND hwnd, ComboState& s, LRESULT index) {
  if ((StyleOf(hwnd) & CBS_OWNERDRAWVARIABLE) != 0) MeasureAddedItem(hwnd, ODT_COMBOBOX, s.list, index, s.itemHeight);
  return index;
}
LRESULT AddString(HWND hwnd, ComboState& s, WPARAM, LPARAM lParam) { return Added(hwnd, s, s.list.Add(lParam)); }
LRESULT InsertString(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM lParam) {
  return Added(hwnd, s, s.list.Insert(static_cast<LRESULT>(static_cast<INT_PTR>(wParam)), lParam));
}
LRESULT DeleteString(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM) {
  const LRESULT left = s.list.Delete(wParam);
  if (left >= 0 && s.selected >= left) s.selected = -1;
  InvalidateRect(hwnd, nullptr, TRUE);
  return left;
}
LRESULT ResetContent(HWND hwnd, ComboState& s, WPARAM, LPARAM) {
  s.list.items.clear();
  s.selected = -1;
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;  // CB_OKAY
}
LRESULT SetCurSel(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM) {
  const auto index = static_cast<LRESULT>(static_cast<INT_PTR>(wParam));
  s.selected = s.list.Valid(wParam) ? index : -1;
  InvalidateRect(hwnd, nullptr, TRUE);
  return s.selected == index ? index : CB_ERR;
}
LRESULT GetCurSel(HWND, ComboState& s, WPARAM, LPARAM) { return s.selected; }
LRESULT SelectString(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM lParam) {
  const LRESULT found = s.list.Find(wParam, lParam, false);
  if (found >= 0) SetCurSel(hwnd, s, static_cast<WPARAM>(found), 0);
  return found;
}
LRESULT GetItemHeight(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM) {
  if (static_cast<INT_PTR>(wParam) == -1) return s.fieldHeight - kFieldExtra;
  if ((StyleOf(hwnd) & CBS_OWNERDRAWVARIABLE) == 0) return s.itemHeight;
  return s.list.Valid(wParam) ? s.list.HeightOf(wParam, s.itemHeight) : CB_ERR;
}
LRESULT GetDroppedState(HWND, ComboState& s, WPARAM, LPARAM) { return s.dropped ? TRUE : FALSE; }
// The dropped combo box on the screen: the field and the list beneath.
LRESULT GetDroppedRect(HWND hwnd, ComboState& s, WPARAM, LPARAM lParam) {
  if (lParam == 0) return CB_ERR;
  RECT r{};
  GetWindowRect(hwnd, &r);
  r.bottom = r.top + s.fieldHeight + s.dropHeight;
  *reinterpret_cast<RECT*>(lParam) = r;
  return TRUE;
}
LRESULT ShowDropDown(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM) {
  // Shown or hidden by the program: only the close is told.
  if (wParam != 0 && !s.dropped) {
    s.dropped = true;
    SetCapture(hwnd);
  } else if (wParam == 0) {
    CloseUp(hwnd, s);
  }
  return TRUE;
}

LRESULT ButtonDown(HWND hwnd, ComboState& s, WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT client{};
  GetClientRect(hwnd, &client);
  if (!s.dropped) {
    SetFocus(hwnd);
    DropDown(hwnd, s);
    return 0;
  }
  const LRESULT index = ItemAt(s, p, client.right);
  if (index >= 0) {
    UserPicked(hwnd, s, index);
  } else if (p.y >= s.fieldHeight || p.y < 0 || p.x < 0 || p.x >= client.right) {
    Notify(hwnd, CBN_SELENDCANCEL);
    CloseUp(hwnd, s);
  } else {
    CloseUp(hwnd, s);  // a click on the field folds the list
  }
  return 0;
}

LRESULT CaptureChanged(HWND hwnd, ComboState& s, WPARAM, LPARAM lParam) {
  if (s.dropped && reinterpret_cast<HWND>(lParam) != hwnd) {
    s.dropped = false;
    Notify(hwnd, CBN_CLOSEUP);
  }
  return 0;
}

// Up and Down pick the neighbouring item; F4 and Alt+Down drop the list,
// Enter takes the pick, Esc leaves.
LRESULT KeyDown(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM) {
  const auto count = static_cast<LRESULT>(s.list.items.size());
  if (wParam == VK_F4) {
    if (s.dropped) {
      CloseUp(hwnd, s);
    } else {
      DropDown(hwnd, s);
    }
    return 0;
  }
  if (s.dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    Notify(hwnd, wParam == VK_RETURN ? CBN_SELENDOK : CBN_SELENDCANCEL);
    CloseUp(hwnd, s);
    return 0;
  }
  if (count == 0 || (wParam != VK_UP && wParam != VK_DOWN)) return 0;
  const LRESULT next = wParam == VK_UP ? std::max<LRESULT>(0, s.selected - 1) : std::min(count - 1, s.selected + 1);
  if (next == s.selected) return 0;
  s.selected = next;
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, CBN_SELCHANGE);
  if (!s.dropped) Notify(hwnd, CBN_SELENDOK);
  return 0;
}

LRESULT Focus(HWND hwnd, ComboState& s, WPARAM, LPARAM) {
  const bool coming = GetFocus() == hwnd;
  if (!coming) CloseUp(hwnd, s);
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, coming ? CBN_SETFOCUS : CBN_KILLFOCUS);
  return 0;
}

// The field: a sunken edge around the selection and the drop button at
// its right; the selection shows highlighted while the combo has the focus.
LRESULT Paint(HWND hwnd, ComboState& s, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT field{};
  GetClientRect(hwnd, &field);
  const bool disabled = IsWindowEnabled(hwnd) == FALSE;
  HBRUSH brush = ControlBrush(hwnd, dc, WM_CTLCOLORLISTBOX);
  DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &field, disabled ? GetSysColorBrush(COLOR_3DFACE) : brush);
  const RECT button{std::max(field.left, field.right - GetSystemMetrics(SM_CXVSCROLL)), field.top, field.right,
                    field.bottom};
  DrawArrowButton(dc, button, ArrowDirection::kDown, s.dropped, disabled);
  field.right = button.left;
  if (s.selected >= 0) {
    const ListItem& item = s.list.items[static_cast<std::size_t>(s.selected)];
    RECT inner = field;
    InflateRect(&inner, -(kFieldExtra / 2 - 2), -(kFieldExtra / 2 - 2));
    const bool focused = GetFocus() == hwnd;
    if (OwnerDrawn(hwnd)) {
      UINT state = ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0) | (disabled ? ODS_DISABLED : 0);
      SendDrawItem(hwnd, dc, ODT_COMBOBOX, static_cast<UINT>(s.selected), ODA_DRAWENTIRE, state, inner, item.data);
    } else {
      if (focused) {
        FillRect(dc, &inner, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      }
      RECT text = inner;
      text.left += 1;
      DrawControlText(dc, item.text, text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, disabled);
      if (focused) DrawFocusRect(dc, &inner);
    }
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnDialogCode(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  ComboState* s = StateOf(hwnd);
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  // While dropped, Enter and Esc belong to the combo.
  if (s != nullptr && s->dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE)) code |= DLGC_WANTALLKEYS;
  return code;
}

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_CREATE, OnCreate},
    {WM_NCDESTROY, FreeRecord<ComboState>},
    {CB_ADDSTRING, WithState<AddString>},
    {CB_INSERTSTRING, WithState<InsertString>},
    {CB_DELETESTRING, WithState<DeleteString>},
    {CB_RESETCONTENT, WithState<ResetContent>},
    {CB_GETCOUNT, WithState<ItemCount<ComboState>>},
    {CB_GETLBTEXT, WithState<ItemText<ComboState>>},
    {CB_GETLBTEXTLEN, WithState<ItemTextLength<ComboState>>},
    {CB_FINDSTRING, WithState<ItemFind<ComboState>>},
    {CB_FINDSTRINGEXACT, WithState<ItemFindExact<ComboState>>},
    {CB_SELECTSTRING, WithState<SelectString>},
    {CB_GETITEMDATA, WithState<ItemData<ComboState>>},
    {CB_SETITEMDATA, WithState<SetItemData<ComboState>>},
    {CB_SETCURSEL, WithState<SetCurSel>},
    {CB_GETCURSEL, WithState<GetCurSel>},
    {CB_GETITEMHEIGHT, WithState<GetItemHeight>},
    {CB_GETDROPPEDSTATE, WithState<GetDroppedState>},
    {CB_GETDROPPEDCONTROLRECT, WithState<GetDroppedRect>},
    {CB_SHOWDROPDOWN, WithState<ShowDropDown>},
    {WM_LBUTTONDOWN, WithState<ButtonDown>},
    {WM_CAPTURECHANGED, WithState<CaptureChanged>},
    {WM_KEYDOWN, WithState<KeyDown>},
    {WM_SETFOCUS, WithState<Focus>},
    {WM_KILLFOCUS, WithState<Focus>},
    {WM_PAINT, WithState<Paint>},
    {WM_GETDLGCODE, OnDialogCode},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
