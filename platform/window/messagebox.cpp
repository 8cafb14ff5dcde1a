// MessageBoxW as a real modal window: a "#32770" window with the caption,
// a static text (id 0xFFFF) and one push button per answer, whose id is the
// answer; the owner is disabled while it shows. Enter presses the focused
// (at first the default) button; Esc answers Cancel when there is one, or
// OK on a box with only OK. Every box and beep is recorded.
#include <algorithm>
#include <iterator>
#include <mutex>

#include "platform/base/winerror.h"
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
constexpr int kCharWidth = 7;
constexpr int kLineHeight = 16;

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
  WNDPROC base = nullptr;
};

LRESULT BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<Box*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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

std::size_t Lines(const std::u16string& text) { return 1 + std::count(text.begin(), text.end(), u'\n'); }

std::size_t LongestLine(const std::u16string& text) {
  std::size_t longest = 0;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(u'\n', start)) != std::u16string::npos; start = end + 1) {
    longest = std::max(longest, end - start);
  }
  return std::max(longest, text.size() - start);
}

// Makes the box's window, its text and its buttons; null when it cannot.
HWND MakeBox(HWND owner, const std::u16string& text, const std::u16string& caption, const TypeRow& type,
             UINT defButton, Box& box) {
  const int buttonsWidth = static_cast<int>(type.count) * (kButtonWidth + kMargin) - kMargin;
  const int textWidth = static_cast<int>(std::min<std::size_t>(LongestLine(text), 80)) * kCharWidth;
  const int textHeight = static_cast<int>(Lines(text)) * kLineHeight;
  const int clientWidth = std::max(buttonsWidth, textWidth) + 2 * kMargin;
  const int clientHeight = textHeight + kButtonHeight + 3 * kMargin;
  const RECT frame{0, 0, clientWidth + 6, clientHeight + 6 + GetSystemMetrics(SM_CYCAPTION)};
  const int x = (GetSystemMetrics(SM_CXSCREEN) - frame.right) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - frame.bottom) / 2;
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, reinterpret_cast<LPCWSTR>(u"#32770"),
                                reinterpret_cast<LPCWSTR>(caption.c_str()), WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y,
                                frame.right, frame.bottom, owner, nullptr, nullptr, nullptr);
  if (window == nullptr) return nullptr;
  box.window = window;
  box.base = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc));
  CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Static"), reinterpret_cast<LPCWSTR>(text.c_str()),
                  WS_CHILD | WS_VISIBLE | SS_LEFT, kMargin, kMargin, clientWidth - 2 * kMargin, textHeight, window,
                  reinterpret_cast<HMENU>(static_cast<LONG_PTR>(kMessageBoxTextId)), nullptr, nullptr);
  const std::size_t defIndex = std::min<std::size_t>(defButton >> 8, type.count - 1);
  box.defaultId = type.buttons[defIndex].id;
  int left = (clientWidth - buttonsWidth) / 2;
  for (std::size_t i = 0; i < type.count; ++i, left += kButtonWidth + kMargin) {
    const ButtonRow& b = type.buttons[i];
    box.ids.push_back(b.id);
    CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Button"), reinterpret_cast<LPCWSTR>(b.text),
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), left,
                    textHeight + 2 * kMargin, kButtonWidth, kButtonHeight, window,
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
  HWND window = MakeBox(owner, body, title, *row, type & MB_DEFMASK, box);
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
