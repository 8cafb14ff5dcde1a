// MessageBoxW as a real modal window: a "#32770" window with the caption,
// the icon of the MB_ICON* style at the left (a static the box draws itself:
// stop, question, warning or information), a static text (id 0xFFFF)
// broken between words to at most kMaxTextWidth pixels, and one push
// button per answer, whose id is the answer; the owner is disabled while
// it shows. Enter presses the focused
// (at first the default) button; Esc answers Cancel when there is one, or
// OK on a box with only OK. Every box and beep is recorded.
#include <algorithm>
#include <iterator>
#include <mutex>

#include "platform/base/winerror.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/messagebox_control.h"
#include "platform/window/modal_loop.h"
#include "platform/window/window_object.h"

namespace plat::window {
namespace {

struct ButtonRow {
  int id;
  const char16_t* text;
};

// The buttons of each MB_ type, left to right.
struct TypeRow {
  UINT type;
  ButtonRow buttons[3];
  std::size_t count;
};

constexpr TypeRow kTypes[] = {
    {MB_OK, {{IDOK, u"OK"}}, 1},
    {MB_OKCANCEL, {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}}, 2},
    {MB_ABORTRETRYIGNORE, {{IDABORT, u"&Abort"}, {IDRETRY, u"&Retry"}, {IDIGNORE, u"&Ignore"}}, 3},
    {MB_YESNOCANCEL, {{IDYES, u"&Yes"}, {IDNO, u"&No"}, {IDCANCEL, u"Cancel"}}, 3},
    {MB_YESNO, {{IDYES, u"&Yes"}, {IDNO, u"&No"}}, 2},
    {MB_RETRYCANCEL, {{IDRETRY, u"&Retry"}, {IDCANCEL, u"Cancel"}}, 2},
    {MB_CANCELTRYCONTINUE, {{IDCANCEL, u"Cancel"}, {IDTRYAGAIN, u"&Try Again"}, {IDCONTINUE, u"&Continue"}}, 3},
};

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMargin = 12;
constexpr int kMaxTextWidth = 420;
constexpr int kIconId = 0xFFFE;

struct Records {
  std::mutex lock;
  std::vector<MessageBoxRecord> boxes;
  std::vector<UINT> beeps;
};

Records& TheRecords() {
  static Records* records = new Records;  // lives until process exit
  return *records;
}

// What a running box knows; its window's user data points here.
struct Box {
  HWND window = nullptr;
  std::vector<int> ids;
  int defaultId = 0;
  int answer = 0;
  UINT icon = 0;  // the MB_ICON* bits
  WNDPROC base = nullptr;
};

// The icon of the box: a red disc with a white cross (stop), a blue disc with
// "?" (question) or "i" (information), a yellow triangle with "!" (warning).
void DrawBoxIcon(HDC dc, const RECT& r, UINT icon) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  const bool warning = icon == MB_ICONWARNING;
  const COLORREF fill = icon == MB_ICONSTOP ? RGB(200, 0, 0) : warning ? RGB(240, 200, 0) : RGB(0, 64, 192);
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  if (warning) {
    const POINT corners[] = {{r.left + w / 2, r.top + 1}, {r.right - 1, r.bottom - 2}, {r.left, r.bottom - 2}};
    Polygon(dc, corners, 3);
  } else {
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
  if (icon == MB_ICONSTOP) {
    HPEN cross = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
    oldPen = SelectObject(dc, cross);
    MoveToEx(dc, r.left + w / 3, r.top + h / 3, nullptr);
    LineTo(dc, r.right - w / 3, r.bottom - h / 3);
    MoveToEx(dc, r.right - w / 3, r.top + h / 3, nullptr);
    LineTo(dc, r.left + w / 3, r.bottom - h / 3);
    SelectObject(dc, oldPen);
    DeleteObject(cross);
    return;
  }
  const char16_t* mark = icon == MB_ICONQUESTION ? u"?" : warning ? u"!" : u"i";
  RECT text = r;
  if (warning) text.top += h / 4;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, warning ? RGB(0, 0, 0) : RGB(255, 255, 255));
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(mark), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<Box*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (box != nullptr && message == WM_DRAWITEM && wParam == static_cast<WPARAM>(kIconId)) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    DrawBoxIcon(item->hDC, item->rcItem, box->icon);
    return TRUE;
  }
  if (box != nullptr && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int id = LOWORD(wParam);
    if (std::find(box->ids.begin(), box->ids.end(), id) != box->ids.end()) box->answer = id;
    return 0;
  }
  if (box != nullptr && message == WM_CLOSE) {  // closing is Esc
    const bool cancel = std::find(box->ids.begin(), box->ids.end(), IDCANCEL) != box->ids.end();
    if (cancel || box->ids == std::vector<int>{IDOK}) box->answer = cancel ? IDCANCEL : IDOK;
    return 0;
  }
  return CallWindowProcW(box != nullptr ? box->base : DefWindowProcW, hwnd, message, wParam, lParam);
}

// Enter and Esc on the box, before the focused button sees them.
bool BoxKeys(void* context, MSG* msg) {
  auto* box = static_cast<Box*>(context);
  if (msg->message != WM_KEYDOWN || (msg->hwnd != box->window && !IsChild(box->window, msg->hwnd))) return false;
  if (msg->wParam == VK_ESCAPE) {
    SendMessageW(box->window, WM_CLOSE, 0, 0);
    return true;
  }
  if (msg->wParam == VK_RETURN) {
    // The focused button, or the default one when no button has the focus.
    HWND focus = GetFocus();
    const int id = focus != nullptr && IsChild(box->window, focus) ? GetDlgCtrlID(focus) : 0;
    const bool button = std::find(box->ids.begin(), box->ids.end(), id) != box->ids.end();
    box->answer = button ? id : box->defaultId;
    return true;
  }
  return false;
}

bool Answered(void* context) { return static_cast<Box*>(context)->answer != 0; }

// The size the text takes in the box's text control: broken between words
// at kMaxTextWidth, measured with the control's font.
SIZE TextSize(HWND control, const std::u16string& text) {
  HDC dc = GetDC(control);
  if (dc == nullptr) return SIZE{kMaxTextWidth, 16};
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  RECT r{0, 0, kMaxTextWidth, 0};
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_NOPREFIX);
  if (old != nullptr) SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 16)};
}

// Makes the box's window, its icon, its text and its buttons; null when it
// cannot.
HWND MakeBox(HWND owner, const std::u16string& text, const std::u16string& caption, const TypeRow& type,
             UINT defButton, UINT icon, Box& box) {
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, reinterpret_cast<LPCWSTR>(u"#32770"),
                                reinterpret_cast<LPCWSTR>(caption.c_str()), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0,
                                100, 100, owner, nullptr, nullptr, nullptr);
  if (window == nullptr) return nullptr;
  box.window = window;
  box.icon = icon;
  box.base = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc));
  HWND label = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Static"), reinterpret_cast<LPCWSTR>(text.c_str()),
                               WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, kMaxTextWidth, 16, window,
                               reinterpret_cast<HMENU>(static_cast<LONG_PTR>(kMessageBoxTextId)), nullptr, nullptr);
  const SIZE textSize = label != nullptr ? TextSize(label, text) : SIZE{kMaxTextWidth, 16};
  const int iconSize = icon != 0 ? GetSystemMetrics(SM_CXICON) : 0;
  const int textLeft = kMargin + (icon != 0 ? iconSize + kMargin : 0);
  const int bodyHeight = std::max<int>(textSize.cy, iconSize);
  const int buttonsWidth = static_cast<int>(type.count) * (kButtonWidth + kMargin) - kMargin;
  const int clientWidth = std::max<int>(buttonsWidth + 2 * kMargin, textLeft + textSize.cx + kMargin);
  const int clientHeight = bodyHeight + kButtonHeight + 3 * kMargin;
  const RECT frame{0, 0, clientWidth + 6, clientHeight + 6 + GetSystemMetrics(SM_CYCAPTION)};
  MoveWindow(window, (GetSystemMetrics(SM_CXSCREEN) - frame.right) / 2, (GetSystemMetrics(SM_CYSCREEN) - frame.bottom) / 2,
             frame.right, frame.bottom, FALSE);
  if (label != nullptr) {
    MoveWindow(label, textLeft, kMargin + (bodyHeight - textSize.cy) / 2, textSize.cx, textSize.cy, FALSE);
  }
  if (icon != 0) {
    CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Static"), nullptr, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, kMargin,
                    kMargin + (bodyHeight - iconSize) / 2, iconSize, iconSize, window,
                    reinterpret_cast<HMENU>(static_cast<LONG_PTR>(kIconId)), nullptr, nullptr);
  }
  const std::size_t defIndex = std::min<std::size_t>(defButton >> 8, type.count - 1);
  box.defaultId = type.buttons[defIndex].id;
  int left = (clientWidth - buttonsWidth) / 2;
  for (std::size_t i = 0; i < type.count; ++i, left += kButtonWidth + kMargin) {
    const ButtonRow& b = type.buttons[i];
    box.ids.push_back(b.id);
    CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Button"), reinterpret_cast<LPCWSTR>(b.text),
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), left,
                    bodyHeight + 2 * kMargin, kButtonWidth, kButtonHeight, window,
                    reinterpret_cast<HMENU>(static_cast<LONG_PTR>(b.id)), nullptr, nullptr);
  }
  ShowWindow(window, SW_SHOW);
  SetFocus(GetDlgItem(window, type.buttons[defIndex].id));
  return window;
}

void Record(std::size_t index, HWND window, int result) {
  std::lock_guard guard(TheRecords().lock);
  MessageBoxRecord& r = TheRecords().boxes[index];
  r.window = window;
  r.result = result;
}

}  // namespace

std::vector<MessageBoxRecord> MessageBoxes() {
  std::lock_guard guard(TheRecords().lock);
  return TheRecords().boxes;
}

std::vector<UINT> MessageBeeps() {
  std::lock_guard guard(TheRecords().lock);
  return TheRecords().beeps;
}

std::vector<MessageBoxRecord> OpenMessageBoxes() {
  std::vector<MessageBoxRecord> open;
  for (const auto& r : MessageBoxes()) {
    if (r.window != nullptr && IsWindow(r.window)) open.push_back(r);
  }
  return open;
}

void ClearMessageBoxRecords() {
  std::lock_guard guard(TheRecords().lock);
  TheRecords().boxes.clear();
  TheRecords().beeps.clear();
}

}  // namespace plat::window

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  using namespace plat::window;
  if (owner != nullptr && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const TypeRow* row = std::find_if(std::begin(kTypes), std::end(kTypes),
                                    [&](const TypeRow& t) { return t.type == (type & MB_TYPEMASK); });
  if (row == std::end(kTypes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::u16string body = text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text)) : u"";
  const std::u16string title = caption != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(caption)) : u"Error";
  std::size_t index = 0;
  {
    std::lock_guard guard(TheRecords().lock);
    TheRecords().boxes.push_back(MessageBoxRecord{owner, body, title, type, nullptr, 0});
    index = TheRecords().boxes.size() - 1;
  }
  // The owner (or, for a task-modal box without one, every top-level window
  // of the thread) takes no input while the box shows.
  HWND focus = GetFocus();
  std::vector<HWND> disabled;
  std::vector<HWND> modal;
  if (owner != nullptr) {
    modal.push_back(GetAncestor(owner, GA_ROOT));
  } else if ((type & MB_TASKMODAL) != 0) {
    for (HWND top = GetTopWindow(nullptr); top != nullptr; top = GetWindow(top, GW_HWNDNEXT)) {
      if (GetWindowThreadProcessId(top, nullptr) == CurrentThread()) modal.push_back(top);
    }
  }
  for (HWND top : modal) {
    if (IsWindowEnabled(top) && !EnableWindow(top, FALSE)) disabled.push_back(top);
  }
  Box box;
  const UINT icon = type & MB_ICONMASK;
  const bool known = icon == MB_ICONSTOP || icon == MB_ICONQUESTION || icon == MB_ICONWARNING || icon == MB_ICONINFORMATION;
  HWND window = MakeBox(owner, body, title, *row, type & MB_DEFMASK, known ? icon : 0, box);
  if (window == nullptr) {
    for (HWND w : disabled) EnableWindow(w, TRUE);
    return 0;
  }
  Record(index, window, 0);
  ModalLoop loop;
  loop.window = window;
  loop.what = u"message box \"" + body + u"\"";
  loop.finished = Answered;
  loop.preTranslate = BoxKeys;
  loop.context = &box;
  const LoopEnd end = RunModalLoop(loop);
  const int result = end == LoopEnd::kFinished ? box.answer : 0;
  for (HWND w : disabled) EnableWindow(w, TRUE);
  if (IsWindow(window)) DestroyWindow(window);
  if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
  Record(index, nullptr, result);
  if (result == 0) SetLastError(ERROR_CANCELLED);
  return result;
}

BOOL MessageBeep(UINT type) {
  std::lock_guard guard(plat::window::TheRecords().lock);
  plat::window::TheRecords().beeps.push_back(type);
  return TRUE;
}
