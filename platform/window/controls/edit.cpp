// The edit class, single- and multi-line. Typing replaces the selection
// character by character, within the text limit (EM_LIMITTEXT; a character
// past it is refused with EN_MAXTEXT), and every change by the user or by
// EM_REPLACESEL or a paste tells the parent EN_UPDATE and then EN_CHANGE. WM_SETTEXT
// ignores the limit; it tells the parent of the change on single-line
// edits only. EM_SETSEL and EM_LIMITTEXT are silent. The text is the
// window's own text; the record in the extra bytes holds the selection and
// the limit.
#include <algorithm>
#include <string>

#include "platform/runtime/winmem.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/controls/controls.h"
#include "platform/window/message_table.h"
#include "platform/window/winuser_clipboard.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

// The limit of an edit nobody limited, and of EM_LIMITTEXT(0).
constexpr std::size_t kDefaultLimit = 32767;
constexpr std::size_t kLargestLimit = 0x7FFFFFFE;

struct EditState {
  std::size_t limit = kDefaultLimit;
  std::size_t selStart = 0;  // the anchor
  std::size_t selEnd = 0;    // the caret
  bool modified = false;
};

EditState* StateOf(HWND hwnd) { return RecordOf<EditState>(hwnd); }

bool Multiline(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }
bool ReadOnly(HWND hwnd) { return (StyleOf(hwnd) & ES_READONLY) != 0; }

void StoreText(HWND hwnd, const std::u16string& text) {
  DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Changed(HWND hwnd) {
  Notify(hwnd, EN_UPDATE);
  if (IsWindow(hwnd)) Notify(hwnd, EN_CHANGE);
}

// Replaces the selection with `insert`, cut to what the limit leaves room
// for; false (and EN_MAXTEXT) when nothing of it fits.
bool ReplaceSelection(HWND hwnd, EditState& s, std::u16string insert) {
  std::u16string text = WindowTextOf(hwnd);
  const std::size_t lo = std::min({s.selStart, s.selEnd, text.size()});
  const std::size_t hi = std::min(std::max(s.selStart, s.selEnd), text.size());
  const std::size_t room = s.limit > text.size() - (hi - lo) ? s.limit - (text.size() - (hi - lo)) : 0;
  if (insert.size() > room) {
    insert.resize(room);
    Notify(hwnd, EN_MAXTEXT);
    if (insert.empty()) return false;
  }
  text.replace(lo, hi - lo, insert);
  s.selStart = s.selEnd = lo + insert.size();
  s.modified = true;
  StoreText(hwnd, text);
  return true;
}

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new EditState));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Ctrl+C, Ctrl+V and Ctrl+X arrive as characters; they become the
// clipboard messages, sent so that a subclass sees them.
struct ClipboardKey {
  char16_t c;
  UINT message;
};
constexpr ClipboardKey kClipboardKeys[] = {{u'\x03', WM_COPY}, {u'\x16', WM_PASTE}, {u'\x18', WM_CUT}};

LRESULT OnChar(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  for (const ClipboardKey& key : kClipboardKeys) {
    if (wParam == key.c) return SendMessageW(hwnd, key.message, 0, 0);
  }
  EditState* s = StateOf(hwnd);
  if (s == nullptr || ReadOnly(hwnd)) return 0;
  const auto c = static_cast<char16_t>(wParam);
  std::u16string insert;
  if (c == u'\b') {
    if (s->selStart == s->selEnd) {
      if (s->selEnd == 0) return 0;
      s->selStart = s->selEnd - 1;
    }
  } else if (c == u'\r') {
    if (!Multiline(hwnd)) return 0;
    insert = u"\r\n";
  } else if (c < u' ') {
    return 0;
  } else if ((StyleOf(hwnd) & ES_NUMBER) != 0 && (c < u'0' || c > u'9')) {
    return 0;  // a number field takes typed digits only (a paste is not filtered)
  } else {
    insert.push_back(c);
  }
  if (ReplaceSelection(hwnd, *s, insert)) Changed(hwnd);
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  EditState* s = StateOf(hwnd);
  if (s == nullptr) return 0;
  const std::size_t length = static_cast<std::size_t>(GetWindowTextLengthW(hwnd));
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  std::size_t caret = s->selEnd;
  switch (wParam) {
    case VK_LEFT: caret = caret > 0 ? caret - 1 : 0; break;
    case VK_RIGHT: caret = std::min(caret + 1, length); break;
    case VK_HOME: caret = 0; break;
    case VK_END: caret = length; break;
    case VK_DELETE:
      if (ReadOnly(hwnd)) return 0;
      if (s->selStart == s->selEnd) {
        if (s->selEnd >= length) return 0;
        s->selEnd = s->selStart + 1;
      }
      if (ReplaceSelection(hwnd, *s, u"")) Changed(hwnd);
      return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  s->selEnd = caret;
  if (!shift) s->selStart = caret;
  return 0;
}

LRESULT OnSetText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
  if (EditState* s = StateOf(hwnd)) *s = EditState{s->limit, 0, 0, false};
  InvalidateRect(hwnd, nullptr, TRUE);
  if (result != 0 && !Multiline(hwnd)) Changed(hwnd);
  return result;
}

LRESULT OnLimitText(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  if (EditState* s = StateOf(hwnd)) s->limit = wParam == 0 ? kLargestLimit : static_cast<std::size_t>(wParam);
  return 0;
}

LRESULT OnGetLimitText(HWND hwnd, UINT, WPARAM, LPARAM) {
  EditState* s = StateOf(hwnd);
  return s != nullptr ? static_cast<LRESULT>(s->limit) : 0;
}

// start -1 takes the selection away; end -1 (or past the text) is the end.
LRESULT OnSetSel(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  EditState* s = StateOf(hwnd);
  if (s == nullptr) return 0;
  const std::size_t length = static_cast<std::size_t>(GetWindowTextLengthW(hwnd));
  const auto start = static_cast<INT_PTR>(wParam);
  const auto end = static_cast<INT_PTR>(lParam);
  if (start < 0) {
    s->selStart = s->selEnd;
    return 0;
  }
  s->selStart = std::min(static_cast<std::size_t>(start), length);
  s->selEnd = end < 0 ? length : std::min(static_cast<std::size_t>(end), length);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnGetSel(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  EditState* s = StateOf(hwnd);
  if (s == nullptr) return 0;
  const auto lo = static_cast<DWORD>(std::min(s->selStart, s->selEnd));
  const auto hi = static_cast<DWORD>(std::max(s->selStart, s->selEnd));
  if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = lo;
  if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = hi;
  return MAKELRESULT(static_cast<WORD>(std::min<DWORD>(lo, 0xFFFF)), static_cast<WORD>(std::min<DWORD>(hi, 0xFFFF)));
}

LRESULT OnReplaceSel(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  EditState* s = StateOf(hwnd);
  if (s == nullptr || lParam == 0) return 0;
  if (ReplaceSelection(hwnd, *s, reinterpret_cast<const char16_t*>(lParam))) Changed(hwnd);
  return 0;
}

// The clipboard's text: up to its first zero; a single-line edit takes its
// first line only.
std::u16string ClipboardText(HWND hwnd) {
  std::u16string text;
  if (!OpenClipboard(hwnd)) return text;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* chars = data != nullptr ? static_cast<const char16_t*>(GlobalLock(static_cast<HGLOBAL>(data))) : nullptr;
  if (chars != nullptr) {
    const std::size_t units = GlobalSize(static_cast<HGLOBAL>(data)) / sizeof(char16_t);
    std::size_t n = 0;
    while (n < units && chars[n] != 0) ++n;
    text.assign(chars, n);
    GlobalUnlock(static_cast<HGLOBAL>(data));
  }
  CloseClipboard();
  if (!Multiline(hwnd)) text = text.substr(0, text.find_first_of(u"\r\n"));
  return text;
}

std::u16string Selected(HWND hwnd, const EditState& s) {
  const std::u16string text = WindowTextOf(hwnd);
  const std::size_t lo = std::min({s.selStart, s.selEnd, text.size()});
  const std::size_t hi = std::min(std::max(s.selStart, s.selEnd), text.size());
  return text.substr(lo, hi - lo);
}

bool CopyToClipboard(HWND hwnd, const std::u16string& text) {
  if (text.empty() || !OpenClipboard(hwnd)) return false;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  auto* out = block != nullptr ? static_cast<char16_t*>(GlobalLock(block)) : nullptr;
  bool done = false;
  if (out != nullptr) {
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = 0;
    GlobalUnlock(block);
    done = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  }
  if (!done && block != nullptr) GlobalFree(block);
  CloseClipboard();
  return done;
}

LRESULT OnPaste(HWND hwnd, UINT, WPARAM, LPARAM) {
  EditState* s = StateOf(hwnd);
  if (s == nullptr || ReadOnly(hwnd)) return 0;
  const std::u16string text = ClipboardText(hwnd);
  if (!text.empty() && ReplaceSelection(hwnd, *s, text)) Changed(hwnd);
  return 0;
}

LRESULT OnCopy(HWND hwnd, UINT, WPARAM, LPARAM) {
  EditState* s = StateOf(hwnd);
  if (s != nullptr && (StyleOf(hwnd) & ES_PASSWORD) == 0) CopyToClipboard(hwnd, Selected(hwnd, *s));
  return 0;
}

LRESULT OnClear(HWND hwnd, UINT, WPARAM, LPARAM) {
  EditState* s = StateOf(hwnd);
  if (s == nullptr || ReadOnly(hwnd) || s->selStart == s->selEnd) return 0;
  if (ReplaceSelection(hwnd, *s, u"")) Changed(hwnd);
  return 0;
}

LRESULT OnCut(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  OnCopy(hwnd, message, wParam, lParam);
  return OnClear(hwnd, message, wParam, lParam);
}

LRESULT OnGetModify(HWND hwnd, UINT, WPARAM, LPARAM) {
  EditState* s = StateOf(hwnd);
  return s != nullptr && s->modified ? TRUE : FALSE;
}

LRESULT OnSetModify(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  if (EditState* s = StateOf(hwnd)) s->modified = wParam != 0;
  return 0;
}

LRESULT OnSetReadOnly(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  const DWORD style = wParam != 0 ? (StyleOf(hwnd) | ES_READONLY) : (StyleOf(hwnd) & ~ES_READONLY);
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(style));
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT OnButtonDown(HWND hwnd, UINT, WPARAM, LPARAM) {
  SetFocus(hwnd);
  return 0;
}

LRESULT OnSetFocus(HWND hwnd, UINT, WPARAM, LPARAM) {
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, EN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd, UINT, WPARAM, LPARAM) {
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, EN_KILLFOCUS);
  return 0;
}

// A multi-line edit keeps every key but Tab and Esc, which move on in a
// dialog.
LRESULT OnDialogCode(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (Multiline(hwnd) && wParam != VK_TAB && wParam != VK_ESCAPE) code |= DLGC_WANTALLKEYS;
  return code;
}

LRESULT OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  const bool grey = ReadOnly(hwnd) || !IsWindowEnabled(hwnd);
  PaintFlat(hwnd, dc, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, Multiline(hwnd) ? DT_LEFT : DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  EndPaint(hwnd, &ps);
  return 0;
}

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnNcCreate},      {WM_NCDESTROY, FreeRecord<EditState>},       {WM_CHAR, OnChar},
    {WM_KEYDOWN, OnKeyDown},        {WM_SETTEXT, OnSetText},           {EM_LIMITTEXT, OnLimitText},
    {EM_GETLIMITTEXT, OnGetLimitText}, {EM_SETSEL, OnSetSel},          {EM_GETSEL, OnGetSel},
    {EM_REPLACESEL, OnReplaceSel},  {EM_GETMODIFY, OnGetModify},       {EM_SETMODIFY, OnSetModify},
    {EM_SETREADONLY, OnSetReadOnly}, {WM_LBUTTONDOWN, OnButtonDown},   {WM_SETFOCUS, OnSetFocus},
    {WM_KILLFOCUS, OnKillFocus},    {WM_GETDLGCODE, OnDialogCode},     {WM_PAINT, OnPaint},
    {WM_PASTE, OnPaste},            {WM_COPY, OnCopy},                 {WM_CUT, OnCut},
    {WM_CLEAR, OnClear},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
