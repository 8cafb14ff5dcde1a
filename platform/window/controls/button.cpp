// The button class: push and default push buttons, check boxes (two- and
// three-state), radio buttons, group boxes and owner-drawn buttons. A press
// by the left button or the space bar takes the focus and the capture; the
// release over the button clicks it. A click of an automatic check box or
// radio button changes its state first and then tells the parent
// BN_CLICKED; an automatic radio button unchecks the other automatic radio
// buttons of its group (WS_GROUP starts a group). BM_SETCHECK changes the
// state without a word to the parent. The state word in the extra bytes
// holds the check state, BST_PUSHED and BST_FOCUS.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/window/controls/control_common.h"
#include "platform/window/controls/control_draw.h"
#include "platform/window/controls/controls.h"
#include "platform/window/message_table.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

constexpr LONG_PTR kCheckMask = 0x0003;

DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & BS_TYPEMASK; }
bool OwnerDrawn(HWND hwnd) { return TypeOf(hwnd) == BS_OWNERDRAW; }
bool IsCheckBox(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

LONG_PTR State(HWND hwnd) { return GetWindowLongPtrW(hwnd, 0); }

UINT DrawState(HWND hwnd, LONG_PTR state) {
  UINT ods = 0;
  if ((state & BST_PUSHED) != 0) ods |= ODS_SELECTED;
  if ((state & BST_FOCUS) != 0) ods |= ODS_FOCUS;
  if (!IsWindowEnabled(hwnd)) ods |= ODS_DISABLED;
  return ods;
}

// An owner-drawn button asks its parent to draw what changed at once; the
// others repaint.
void Redraw(HWND hwnd, LONG_PTR changed) {
  if (!OwnerDrawn(hwnd)) {
    InvalidateRect(hwnd, nullptr, TRUE);
    return;
  }
  RECT client{};
  GetClientRect(hwnd, &client);
  const UINT action = (changed & BST_FOCUS) != 0 ? ODA_FOCUS : ODA_SELECT;
  SendDrawItem(hwnd, nullptr, ODT_BUTTON, 0, action, DrawState(hwnd, State(hwnd)), client, 0);
}

void SetState(HWND hwnd, LONG_PTR state) {
  const LONG_PTR old = State(hwnd);
  if (old == state) return;
  SetWindowLongPtrW(hwnd, 0, state);
  Redraw(hwnd, old ^ state);
}

void Flag(HWND hwnd, LONG_PTR flag, bool on) { SetState(hwnd, on ? (State(hwnd) | flag) : (State(hwnd) & ~flag)); }

void SetCheck(HWND hwnd, LONG_PTR check) { SetState(hwnd, (State(hwnd) & ~kCheckMask) | (check & kCheckMask)); }

// The other automatic radio buttons of the button's group lose their check.
void UncheckGroup(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  std::vector<HWND> siblings;
  for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) siblings.push_back(c);
  std::size_t at = 0;
  while (at < siblings.size() && siblings[at] != hwnd) ++at;
  std::size_t begin = at;
  while (begin > 0 && (StyleOf(siblings[begin]) & WS_GROUP) == 0) --begin;
  for (std::size_t i = begin; i < siblings.size(); ++i) {
    if (i > begin && (StyleOf(siblings[i]) & WS_GROUP) != 0) break;
    if (siblings[i] != hwnd && (StyleOf(siblings[i]) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
      SendMessageW(siblings[i], BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

// A disabled button takes no click, not even one a program sends.
void Clicked(HWND hwnd) {
  if (!IsWindowEnabled(hwnd)) return;
  switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX: SetCheck(hwnd, (State(hwnd) & kCheckMask) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: SetCheck(hwnd, ((State(hwnd) & kCheckMask) + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      SetCheck(hwnd, BST_CHECKED);
      UncheckGroup(hwnd);
      break;
    default: break;
  }
  Notify(hwnd, BN_CLICKED);
}

bool Inside(HWND hwnd, LPARAM lParam) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
}

LRESULT OnButtonDown(HWND hwnd, UINT, WPARAM, LPARAM) {
  SetFocus(hwnd);
  SetCapture(hwnd);
  Flag(hwnd, BST_PUSHED, true);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  if (GetCapture() == hwnd) Flag(hwnd, BST_PUSHED, Inside(hwnd, lParam));
  return 0;
}

LRESULT OnButtonUp(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  if (GetCapture() != hwnd) return 0;
  const bool pressed = (State(hwnd) & BST_PUSHED) != 0 && Inside(hwnd, lParam);
  ReleaseCapture();  // WM_CAPTURECHANGED lifts the button
  if (pressed && IsWindow(hwnd)) Clicked(hwnd);
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, UINT, WPARAM, LPARAM) {
  Flag(hwnd, BST_PUSHED, false);
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam != VK_SPACE) return DefWindowProcW(hwnd, message, wParam, lParam);
  Flag(hwnd, BST_PUSHED, true);
  return 0;
}

LRESULT OnKeyUp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam != VK_SPACE) return DefWindowProcW(hwnd, message, wParam, lParam);
  const bool pressed = (State(hwnd) & BST_PUSHED) != 0;
  Flag(hwnd, BST_PUSHED, false);
  if (pressed) Clicked(hwnd);
  return 0;
}

LRESULT OnSetFocus(HWND hwnd, UINT, WPARAM, LPARAM) {
  Flag(hwnd, BST_FOCUS, true);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd, UINT, WPARAM, LPARAM) {
  if (GetCapture() == hwnd) ReleaseCapture();
  Flag(hwnd, BST_FOCUS | BST_PUSHED, false);
  return 0;
}

LRESULT OnDialogCode(HWND hwnd, UINT, WPARAM, LPARAM) {
  const DWORD type = TypeOf(hwnd);
  if (type == BS_GROUPBOX) return DLGC_STATIC;
  if (IsRadio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  // A check box wants the characters that set and clear it.
  if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) return DLGC_WANTCHARS | DLGC_BUTTON;
  if (IsCheckBox(type)) return DLGC_BUTTON;
  return DLGC_BUTTON | (type == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// A group box is a frame: the mouse goes through it.
LRESULT OnHitTest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (TypeOf(hwnd) == BS_GROUPBOX) return HTTRANSPARENT;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A group box lies beneath the controls it frames: it is made transparent,
// so that they show through it.
LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  if (cs != nullptr && (cs->style & BS_TYPEMASK) == BS_GROUPBOX) {
    SetWindowLongW(hwnd, GWL_EXSTYLE, static_cast<LONG>(static_cast<DWORD>(cs->dwExStyle) | WS_EX_TRANSPARENT));
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT OnGetState(HWND hwnd, UINT, WPARAM, LPARAM) { return State(hwnd); }

LRESULT OnGetCheck(HWND hwnd, UINT, WPARAM, LPARAM) {
  const DWORD type = TypeOf(hwnd);
  return IsCheckBox(type) || IsRadio(type) ? (State(hwnd) & kCheckMask) : BST_UNCHECKED;
}

LRESULT OnSetCheck(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  const DWORD type = TypeOf(hwnd);
  const bool threeState = type == BS_3STATE || type == BS_AUTO3STATE;
  if (!IsCheckBox(type) && !IsRadio(type)) return 0;
  SetCheck(hwnd, wParam == BST_INDETERMINATE && !threeState ? BST_CHECKED : static_cast<LONG_PTR>(wParam));
  return 0;
}

LRESULT OnSetState(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  Flag(hwnd, BST_PUSHED, wParam != 0);
  return 0;
}

LRESULT OnSetStyle(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  const DWORD style = (StyleOf(hwnd) & ~0xFFFFu) | (static_cast<DWORD>(wParam) & 0xFFFFu);
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(style));
  if (lParam != 0) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnClick(HWND hwnd, UINT, WPARAM, LPARAM) {
  Clicked(hwnd);
  return 0;
}

constexpr LONG kBoxSize = 13;  // a check box's box, a radio button's circle
constexpr LONG kBoxGap = 4;    // between the box and the text
constexpr LONG kGroupIndent = 8;

bool Disabled(HWND hwnd) { return IsWindowEnabled(hwnd) == FALSE; }

// The text's own rectangle when drawn from r's left, centred on r's height.
RECT TextExtent(HDC dc, const std::u16string& text, const RECT& r) {
  RECT measured = r;
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &measured,
            DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  const LONG height = measured.bottom - measured.top;
  const LONG top = r.top + (r.bottom - r.top - height) / 2;
  return RECT{r.left, top, measured.right, top + height};
}

// A push button: raised, sunken while pressed; the default button has a
// black frame around its edge. The focus frame lies inside the edge.
void PaintPush(HWND hwnd, HDC dc, const RECT& client, LONG_PTR state) {
  FillRect(dc, &client, ControlBrush(hwnd, dc, WM_CTLCOLORBTN));
  RECT r = client;
  if (TypeOf(hwnd) == BS_DEFPUSHBUTTON) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  const bool pushed = (state & BST_PUSHED) != 0;
  DrawEdge(dc, &r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  if (pushed) OffsetRect(&r, 1, 1);
  DrawControlText(dc, WindowTextOf(hwnd), r, DT_CENTER | DT_SINGLELINE | DT_VCENTER, Disabled(hwnd));
  if ((state & BST_FOCUS) != 0) {
    RECT focus = client;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

// A check box or radio button: the box or circle at the left, centred on
// the height, the text after it, the focus frame around the text.
void PaintCheck(HWND hwnd, HDC dc, const RECT& client, LONG_PTR state) {
  FillRect(dc, &client, ControlBrush(hwnd, dc, WM_CTLCOLORBTN));
  const LONG top = client.top + (client.bottom - client.top - kBoxSize) / 2;
  const RECT box{client.left, top, client.left + kBoxSize, top + kBoxSize};
  const LRESULT check = state & kCheckMask;
  if (IsRadio(TypeOf(hwnd))) {
    DrawRadioCircle(dc, RECT{box.left, box.top, box.right - 1, box.bottom - 1}, check == BST_CHECKED, Disabled(hwnd));
  } else {
    DrawCheckBox(dc, box, check, Disabled(hwnd));
  }
  const std::u16string text = WindowTextOf(hwnd);
  const RECT r{box.right + kBoxGap, client.top, client.right, client.bottom};
  DrawControlText(dc, text, r, DT_LEFT | DT_SINGLELINE | DT_VCENTER, Disabled(hwnd));
  if ((state & BST_FOCUS) != 0 && !text.empty()) {
    RECT focus = TextExtent(dc, text, r);
    InflateRect(&focus, 1, 1);
    DrawFocusRect(dc, &focus);
  }
}

// A group box: an etched frame from the middle of its text's height, the
// text over the frame's top line near its left.
void PaintGroup(HWND hwnd, HDC dc, const RECT& client) {
  HBRUSH background = ControlBrush(hwnd, dc, WM_CTLCOLORBTN);
  FillRect(dc, &client, background);
  const std::u16string text = WindowTextOf(hwnd);
  const RECT label = TextExtent(dc, text.empty() ? std::u16string(u" ") : text,
                                RECT{client.left + kGroupIndent, client.top, client.right, client.top});
  RECT frame{client.left, client.top + (label.bottom - label.top) / 2, client.right, client.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  const RECT behind{label.left - 2, client.top, std::min(client.right - 2, label.right + 2),
                    client.top + (label.bottom - label.top)};
  FillRect(dc, &behind, background);
  DrawControlText(dc, text, RECT{label.left, client.top, behind.right, behind.bottom}, DT_LEFT | DT_SINGLELINE,
                  Disabled(hwnd));
}

LRESULT OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  const DWORD type = TypeOf(hwnd);
  if (OwnerDrawn(hwnd)) {
    SendDrawItem(hwnd, dc, ODT_BUTTON, 0, ODA_DRAWENTIRE, DrawState(hwnd, State(hwnd)), client, 0);
  } else if (type == BS_GROUPBOX) {
    PaintGroup(hwnd, dc, client);
  } else if (IsCheckBox(type) || IsRadio(type)) {
    PaintCheck(hwnd, dc, client, State(hwnd));
  } else {
    PaintPush(hwnd, dc, client, State(hwnd));
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnRepaintAfter(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
  InvalidateRect(hwnd, nullptr, TRUE);
  return result;
}

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_LBUTTONDOWN, OnButtonDown},     {WM_LBUTTONDBLCLK, OnButtonDown}, {WM_MOUSEMOVE, OnMouseMove},
    {WM_LBUTTONUP, OnButtonUp},         {WM_CAPTURECHANGED, OnCaptureChanged},
    {WM_KEYDOWN, OnKeyDown},            {WM_KEYUP, OnKeyUp},              {WM_SETFOCUS, OnSetFocus},
    {WM_KILLFOCUS, OnKillFocus},        {WM_GETDLGCODE, OnDialogCode},    {WM_NCHITTEST, OnHitTest},
    {BM_GETSTATE, OnGetState},          {BM_GETCHECK, OnGetCheck},        {BM_SETCHECK, OnSetCheck},
    {BM_SETSTATE, OnSetState},          {BM_SETSTYLE, OnSetStyle},        {BM_CLICK, OnClick},
    {WM_PAINT, OnPaint},                {WM_SETTEXT, OnRepaintAfter},     {WM_ENABLE, OnRepaintAfter},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
