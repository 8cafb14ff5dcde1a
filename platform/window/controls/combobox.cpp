// The combo box class: a drop-down list (CBS_DROPDOWNLIST), or an edit
// field (child id 1001) with a drop-down list (CBS_DROPDOWN) or with the
// list always shown beneath (CBS_SIMPLE). The edit's EN_UPDATE and EN_CHANGE
// reach the parent as CBN_EDITUPDATE and CBN_EDITCHANGE; a pick puts the
// item's text in the edit without them; the window's text is the edit's.
// The window is the selection field; the height it was made with is the height of the
// dropped list beneath. A click drops the list (CBN_DROPDOWN) and holds the
// capture; a click on an item of the dropped list picks it: CBN_SELCHANGE,
// CBN_SELENDOK, then CBN_CLOSEUP; a click elsewhere closes it with
// CBN_SELENDCANCEL and CBN_CLOSEUP. CB_SETCURSEL is silent; CB_SHOWDROPDOWN
// is heard as a drop or a close. Owner-drawn
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
constexpr int kFieldExtra = kComboFieldExtra;  // the field's frame around one item

constexpr int kEditId = 1001;

struct ComboState {
  ItemList list;
  HWND edit = nullptr;        // CBS_SIMPLE, CBS_DROPDOWN
  bool fillingEdit = false;   // the combo itself sets the edit's text
  LRESULT selected = -1;
  bool dropped = false;
  int fieldHeight = kItemHeight + kFieldExtra;
  int itemHeight = kItemHeight;
  int dropHeight = 0;  // the list's height below the field
};

ComboState* StateOf(HWND hwnd) { return RecordOf<ComboState>(hwnd); }
DWORD KindOf(HWND hwnd) { return StyleOf(hwnd) & CBS_DROPDOWNLIST; }
bool Simple(HWND hwnd) { return KindOf(hwnd) == CBS_SIMPLE; }
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
  if (!s.dropped || Simple(hwnd)) return;
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

// The edit shows the selected item's text; the parent hears nothing of it.
void FillEdit(ComboState& s) {
  if (s.edit == nullptr) return;
  const std::u16string text =
      s.selected >= 0 && s.list.hasStrings ? s.list.items[static_cast<std::size_t>(s.selected)].text : u"";
  s.fillingEdit = true;
  SetWindowTextW(s.edit, reinterpret_cast<LPCWSTR>(text.c_str()));
  s.fillingEdit = false;
}

void Select(HWND hwnd, ComboState& s, LRESULT index) {
  s.selected = index;
  FillEdit(s);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void UserPicked(HWND hwnd, ComboState& s, LRESULT index) {
  if (index != s.selected) {
    Select(hwnd, s, index);
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
  if (KindOf(hwnd) != CBS_DROPDOWNLIST) {
    const int button = Simple(hwnd) ? 0 : GetSystemMetrics(SM_CXVSCROLL);
    const int inset = kFieldExtra / 2;
    const DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_LEFT |
                            ((StyleOf(hwnd) & CBS_AUTOHSCROLL) != 0 ? ES_AUTOHSCROLL : 0);
    s->edit = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Edit"), nullptr, editStyle, inset, inset,
                              std::max(0, static_cast<int>(r.right) - 2 * inset - button), s->fieldHeight - 2 * inset,
                              hwnd, reinterpret_cast<HMENU>(static_cast<LONG_PTR>(kEditId)), nullptr, nullptr);
    if (s->edit == nullptr) return -1;
  }
  // The simple kind keeps its list beneath the field, always shown.
  if (!Simple(hwnd)) {
    SetWindowPos(hwnd, nullptr, 0, 0, r.right, s->fieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    s->dropped = true;
  }
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
  Select(hwnd, s, s.list.Valid(wParam) ? index : -1);
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
// Dropped or closed by the program: the parent hears it as it would hear a
// person's drop or close.
LRESULT ShowDropDown(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM) {
  if (Simple(hwnd)) return TRUE;
  if (wParam != 0) {
    DropDown(hwnd, s);
  } else {
    CloseUp(hwnd, s);
  }
  return TRUE;
}

LRESULT ButtonDown(HWND hwnd, ComboState& s, WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT client{};
  GetClientRect(hwnd, &client);
  if (Simple(hwnd)) {
    SetFocus(s.edit != nullptr ? s.edit : hwnd);
    const LRESULT index = ItemAt(s, p, client.right);
    if (index >= 0) UserPicked(hwnd, s, index);
    return 0;
  }
  if (!s.dropped) {
    SetFocus(s.edit != nullptr ? s.edit : hwnd);
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
  Select(hwnd, s, next);
  Notify(hwnd, CBN_SELCHANGE);
  if (!s.dropped) Notify(hwnd, CBN_SELENDOK);
  return 0;
}

LRESULT Focus(HWND hwnd, ComboState& s, WPARAM, LPARAM) {
  const bool coming = GetFocus() == hwnd;
  // With an edit, the focus lives there: the edit's own notices speak.
  if (s.edit != nullptr) {
    if (coming) SetFocus(s.edit);
    return 0;
  }
  if (!coming) CloseUp(hwnd, s);
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, coming ? CBN_SETFOCUS : CBN_KILLFOCUS);
  return 0;
}

// The simple kind's list beneath its field: sunken, the selection
// highlighted.
void PaintSimpleList(HWND hwnd, const ComboState& s, HDC dc, HBRUSH brush, bool disabled) {
  RECT client{};
  GetClientRect(hwnd, &client);
  RECT area{client.left, s.fieldHeight, client.right, client.bottom};
  DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &area, brush);
  int top = area.top;
  for (std::size_t i = 0; i < s.list.items.size() && top < area.bottom; ++i) {
    const RECT r{area.left, top, area.right, std::min(area.bottom, top + s.list.HeightOf(i, s.itemHeight))};
    top = r.bottom;
    const bool selected = static_cast<LRESULT>(i) == s.selected;
    if (OwnerDrawn(hwnd)) {
      const UINT state = (selected ? ODS_SELECTED : 0) | (disabled ? ODS_DISABLED : 0);
      SendDrawItem(hwnd, dc, ODT_COMBOBOX, static_cast<UINT>(i), ODA_DRAWENTIRE, state, r, s.list.items[i].data);
      continue;
    }
    const COLORREF old = GetTextColor(dc);
    if (selected) {
      FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    RECT text = r;
    text.left += 2;
    DrawControlText(dc, s.list.items[i].text, text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, disabled);
    SetTextColor(dc, old);
  }
}

// The field: a sunken edge around the selection (or the edit) and the
// drop button at its right; the selection shows highlighted while the
// combo has the focus.
LRESULT Paint(HWND hwnd, ComboState& s, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT field{};
  GetClientRect(hwnd, &field);
  const bool disabled = IsWindowEnabled(hwnd) == FALSE;
  HBRUSH brush = ControlBrush(hwnd, dc, WM_CTLCOLORLISTBOX);
  if (Simple(hwnd)) {
    PaintSimpleList(hwnd, s, dc, brush, disabled);
    field.bottom = s.fieldHeight;
  }
  DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &field, disabled ? GetSysColorBrush(COLOR_3DFACE) : brush);
  if (!Simple(hwnd)) {
    const RECT button{std::max(field.left, field.right - GetSystemMetrics(SM_CXVSCROLL)), field.top, field.right,
                      field.bottom};
    DrawArrowButton(dc, button, ArrowDirection::kDown, s.dropped, disabled);
    field.right = button.left;
  }
  if (s.selected >= 0 && s.edit == nullptr) {
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

// The edit's notices, told on as the combo's.
LRESULT EditCommand(HWND hwnd, ComboState& s, WPARAM wParam, LPARAM lParam) {
  if (s.edit == nullptr || reinterpret_cast<HWND>(lParam) != s.edit) return 0;
  switch (HIWORD(wParam)) {
    case EN_UPDATE:
      if (!s.fillingEdit) Notify(hwnd, CBN_EDITUPDATE);
      break;
    case EN_CHANGE:
      if (!s.fillingEdit) Notify(hwnd, CBN_EDITCHANGE);
      break;
    case EN_SETFOCUS:
      Notify(hwnd, CBN_SETFOCUS);
      break;
    case EN_KILLFOCUS:
      CloseUp(hwnd, s);
      Notify(hwnd, CBN_KILLFOCUS);
      break;
    default:
      break;
  }
  return 0;
}

// The window's text is the edit's, when there is one.
// A drop-down list's text is its selected item's text (empty without a
// selection); a combo with an edit keeps its text there.
LRESULT OnText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ComboState* s = StateOf(hwnd);
  if (s != nullptr && s->edit != nullptr) return SendMessageW(s->edit, message, wParam, lParam);
  if (s == nullptr || !s->list.hasStrings || message == WM_SETTEXT) return DefWindowProcW(hwnd, message, wParam, lParam);
  const std::u16string text =
      s->list.Valid(static_cast<WPARAM>(s->selected)) ? s->list.items[static_cast<std::size_t>(s->selected)].text : u"";
  if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
  auto* out = reinterpret_cast<char16_t*>(lParam);
  if (out == nullptr || wParam == 0) return 0;
  const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(wParam) - 1);
  std::copy_n(text.begin(), n, out);
  out[n] = u'\0';
  return static_cast<LRESULT>(n);
}

LRESULT LimitText(HWND, ComboState& s, WPARAM wParam, LPARAM) {
  if (s.edit == nullptr) return CB_ERR;
  SendMessageW(s.edit, EM_LIMITTEXT, wParam, 0);
  return TRUE;
}
LRESULT GetEditSel(HWND, ComboState& s, WPARAM wParam, LPARAM lParam) {
  return s.edit != nullptr ? SendMessageW(s.edit, EM_GETSEL, wParam, lParam) : CB_ERR;
}
LRESULT SetEditSel(HWND, ComboState& s, WPARAM, LPARAM lParam) {
  if (s.edit == nullptr) return CB_ERR;
  SendMessageW(s.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)))),
               static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam))));
  return TRUE;
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
    {WM_COMMAND, WithState<EditCommand>},
    {WM_SETTEXT, OnText},
    {WM_GETTEXT, OnText},
    {WM_GETTEXTLENGTH, OnText},
    {CB_LIMITTEXT, WithState<LimitText>},
    {CB_GETEDITSEL, WithState<GetEditSel>},
    {CB_SETEDITSEL, WithState<SetEditSel>},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
