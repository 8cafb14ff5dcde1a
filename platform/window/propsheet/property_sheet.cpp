// The modal property sheet: a dialog holding a tab control, the pages (each
// a child dialog made when it is first shown) and the buttons OK, Cancel,
// Apply and Help, and the protocol between the sheet and its pages.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/modules/winresource.h"
#include "platform/window/dialog/dialog_internal.h"
#include "platform/window/modal_loop.h"
#include "platform/window/propsheet/sheet_internal.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/winuser_controls.h"

namespace plat::window {
namespace {

constexpr int kMargin = 7;         // around the tab control and the buttons
constexpr int kButtonWidth = 75;   // the sheet's buttons, in pixels
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr DWORD kPageRemoved = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED |
                               DS_MODALFRAME | DS_CENTER | DS_SYSMODAL | DS_ABSALIGN;

struct Sheet {
  DWORD flags = 0;
  std::u16string caption;
  std::vector<HPROPSHEETPAGE> pages;
  int start = 0;
  HWND window = nullptr;
  HWND tabs = nullptr;
  int current = -1;
  bool applied = false;  // some page accepted PSN_APPLY
  bool ended = false;
  bool failed = false;   // the start page could not be made
};

// The sheet's buttons, right to left in this order when shown.
struct ButtonRow {
  int id;
  const char16_t* text;
  WPARAM press;  // its PSBTN_ code
};
constexpr ButtonRow kButtons[] = {
    {IDHELP, u"Help", PSBTN_HELP},
    {IDC_APPLYNOW, u"&Apply", PSBTN_APPLYNOW},
    {IDCANCEL, u"Cancel", PSBTN_CANCEL},
    {IDOK, u"OK", PSBTN_OK},
};

bool Shows(const Sheet& sheet, int id) {
  if (id == IDHELP) return (sheet.flags & PSH_HASHELP) != 0;
  if (id == IDC_APPLYNOW) return (sheet.flags & PSH_NOAPPLYNOW) == 0;
  return true;
}

Sheet* SheetOf(HWND window) { return reinterpret_cast<Sheet*>(GetWindowLongPtrW(window, DWLP_USER)); }

INT_PTR Answer(HWND window, LRESULT value) {
  SetWindowLongPtrW(window, DWLP_MSGRESULT, value);
  return TRUE;
}

// A notification to a page; its answer is what the page left in
// DWLP_MSGRESULT.
LRESULT Tell(const Sheet& sheet, HPROPSHEETPAGE page, UINT code, LPARAM lParam = 0) {
  if (page->window == nullptr) return 0;
  PSHNOTIFY notify{{sheet.window, 0, code}, lParam};
  return SendMessageW(page->window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

// The pixel size of a page's template in its own font.
SIZE PageSize(const DialogTemplate& t) {
  int x = 8;
  int y = 16;
  BaseUnitsForFont(t.pointSize, (t.style & DS_SETFONT) != 0, &x, &y);
  return SIZE{DialogUnitsToPixels(t.cx, x, 4), DialogUnitsToPixels(t.cy, y, 8)};
}

// The area every page takes: the largest page.
RECT PageArea(const Sheet& sheet) {
  SIZE largest{0, 0};
  for (HPROPSHEETPAGE page : sheet.pages) {
    const SIZE size = PageSize(page->dialog);
    largest.cx = std::max(largest.cx, size.cx);
    largest.cy = std::max(largest.cy, size.cy);
  }
  return RECT{0, 0, largest.cx, largest.cy};
}

HWND MakeChild(HWND parent, const char16_t* cls, const char16_t* text, DWORD style, RECT r, int id) {
  return CreateWindowExW(0, reinterpret_cast<LPCWSTR>(cls), reinterpret_cast<LPCWSTR>(text),
                         WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                         reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(id)), nullptr, nullptr);
}

// Lays the sheet out: the tab control around the largest page, the buttons
// below it at the right, the frame around both, centred on the owner.
void Build(Sheet& sheet) {
  RECT tab = PageArea(sheet);
  TabDisplayArea(nullptr, true, &tab);
  OffsetRect(&tab, kMargin - tab.left, kMargin - tab.top);
  const auto shown = static_cast<int>(
      std::count_if(std::begin(kButtons), std::end(kButtons), [&](const ButtonRow& r) { return Shows(sheet, r.id); }));
  tab.right = std::max(tab.right, tab.left + shown * kButtonWidth + (shown - 1) * kButtonGap);
  sheet.tabs = MakeChild(sheet.window, WC_TABCONTROLW, u"", WS_TABSTOP | WS_GROUP, tab, IDC_SHEETTABS);
  for (HPROPSHEETPAGE page : sheet.pages) {
    TCITEMW item{TCIF_TEXT, 0, 0, reinterpret_cast<LPWSTR>(page->title.data()), 0, 0, 0};
    SendMessageW(sheet.tabs, TCM_INSERTITEMW, sheet.pages.size(), reinterpret_cast<LPARAM>(&item));
  }
  int right = tab.right;
  const int top = tab.bottom + kMargin;
  for (const ButtonRow& row : kButtons) {
    if (!Shows(sheet, row.id)) continue;
    const RECT r{right - kButtonWidth, top, right, top + kButtonHeight};
    const DWORD style = WS_TABSTOP | (row.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND button = MakeChild(sheet.window, u"Button", row.text, style, r, row.id);
    if (row.id == IDC_APPLYNOW || row.id == IDHELP) EnableWindow(button, FALSE);
    right -= kButtonWidth + kButtonGap;
  }
  RECT window{};
  RECT client{};
  GetWindowRect(sheet.window, &window);
  GetClientRect(sheet.window, &client);
  const int width = tab.right + kMargin + (window.right - window.left) - client.right;
  const int height = top + kButtonHeight + kMargin + (window.bottom - window.top) - client.bottom;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND owner = GetWindow(sheet.window, GW_OWNER)) GetWindowRect(owner, &area);
  SetWindowPos(sheet.window, nullptr, std::max(LONG{0}, area.left + (area.right - area.left - width) / 2),
               std::max(LONG{0}, area.top + (area.bottom - area.top - height) / 2), width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The page's dialog, made the first time the page is shown: a hidden child
// of the sheet whose WM_INITDIALOG gets the sheet's copy of the page's
// description. False when its maker refuses (PSPCB_CREATE) or it cannot
// be made.
bool MakePage(Sheet& sheet, HPROPSHEETPAGE page) {
  if (page->window != nullptr) return true;
  PROPSHEETPAGEW& description = page->page();
  if ((description.dwFlags & PSP_USECALLBACK) != 0 && description.pfnCallback != nullptr &&
      description.pfnCallback(nullptr, PSPCB_CREATE, &description) == 0) {
    SetLastError(ERROR_CANCELLED);
    return false;
  }
  DialogTemplate t = page->dialog;
  t.style = (t.style & ~kPageRemoved) | WS_CHILD | DS_CONTROL;
  t.exStyle |= WS_EX_CONTROLPARENT;
  page->window = CreateDialogFrom(description.hInstance, t, sheet.window, description.pfnDlgProc,
                                  reinterpret_cast<LPARAM>(&description));
  if (page->window == nullptr) return false;
  RECT area{};
  GetWindowRect(sheet.tabs, &area);
  MapWindowPoints(nullptr, sheet.window, reinterpret_cast<POINT*>(&area), 2);
  TabDisplayArea(sheet.tabs, false, &area);
  SetWindowPos(page->window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE);
  return true;
}

// Shows page `index`: made when first shown, told PSN_SETACTIVE, then
// shown in place of the page before it.
bool ShowPage(Sheet& sheet, int index) {
  if (index < 0 || index >= static_cast<int>(sheet.pages.size())) return false;
  if (index == sheet.current) return true;
  HPROPSHEETPAGE page = sheet.pages[static_cast<std::size_t>(index)];
  if (!MakePage(sheet, page)) return false;
  Tell(sheet, page, PSN_SETACTIVE);
  if (sheet.current >= 0) {
    HWND old = sheet.pages[static_cast<std::size_t>(sheet.current)]->window;
    if (old != nullptr) ShowWindow(old, SW_HIDE);
  }
  sheet.current = index;
  SendMessageW(sheet.tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowWindow(page->window, SW_SHOW);
  EnableWindow(GetDlgItem(sheet.window, IDHELP), (page->page().dwFlags & PSP_HASHELP) != 0);
  return true;
}

HPROPSHEETPAGE Current(const Sheet& sheet) {
  return sheet.current >= 0 ? sheet.pages[static_cast<std::size_t>(sheet.current)] : nullptr;
}

// The current page may refuse to be left (PSN_KILLACTIVE answered TRUE).
bool CurrentLets(const Sheet& sheet) {
  HPROPSHEETPAGE page = Current(sheet);
  return page == nullptr || Tell(sheet, page, PSN_KILLACTIVE) == 0;
}

void SetApplyEnabled(Sheet& sheet) {
  const bool any = std::any_of(sheet.pages.begin(), sheet.pages.end(), [](HPROPSHEETPAGE p) { return p->changed; });
  EnableWindow(GetDlgItem(sheet.window, IDC_APPLYNOW), any);
}

// OK and Apply: the current page may refuse to be left, then every page made
// so far is asked to apply, in order, until one refuses. PSNRET_INVALID
// shows the refusing page; PSNRET_INVALID_NOCHANGEPAGE keeps the current one.
bool ApplyAll(Sheet& sheet, bool ok) {
  if (!CurrentLets(sheet)) return false;
  for (std::size_t i = 0; i < sheet.pages.size(); ++i) {
    const LRESULT answer = Tell(sheet, sheet.pages[i], PSN_APPLY, ok ? TRUE : FALSE);
    if (answer == PSNRET_INVALID) ShowPage(sheet, static_cast<int>(i));
    if (answer == PSNRET_INVALID || answer == PSNRET_INVALID_NOCHANGEPAGE) return false;
  }
  sheet.applied = true;
  for (HPROPSHEETPAGE page : sheet.pages) page->changed = false;
  SetApplyEnabled(sheet);
  return true;
}

// Cancel: the current page may refuse (PSN_QUERYCANCEL answered TRUE); else
// every page made so far is told PSN_RESET and the sheet ends.
void CancelAll(Sheet& sheet, bool closeBox) {
  HPROPSHEETPAGE page = Current(sheet);
  if (page != nullptr && Tell(sheet, page, PSN_QUERYCANCEL) != 0) return;
  for (HPROPSHEETPAGE each : sheet.pages) Tell(sheet, each, PSN_RESET, closeBox ? TRUE : FALSE);
  sheet.ended = true;
}

// A button's action. OK and Cancel act even when a page has given their
// buttons other ids (PSM_PRESSBUTTON); Apply and Help only while shown and
// enabled.
void OnButton(Sheet& sheet, int id) {
  HWND button = GetDlgItem(sheet.window, id);
  const bool required = id == IDC_APPLYNOW || id == IDHELP;
  if ((button == nullptr && required) || (button != nullptr && !IsWindowEnabled(button))) return;
  switch (id) {
    case IDOK:
      if (ApplyAll(sheet, true)) sheet.ended = true;
      break;
    case IDCANCEL:
      CancelAll(sheet, false);
      break;
    case IDC_APPLYNOW:
      ApplyAll(sheet, false);
      break;
    case IDHELP:
      if (HPROPSHEETPAGE page = Current(sheet)) Tell(sheet, page, PSN_HELP);
      break;
    default:
      break;
  }
}

int IndexOfWindow(const Sheet& sheet, HWND window) {
  for (std::size_t i = 0; i < sheet.pages.size(); ++i) {
    if (sheet.pages[i]->window == window && window != nullptr) return static_cast<int>(i);
  }
  return -1;
}

void MarkChanged(Sheet& sheet, HWND pageWindow, bool changed) {
  const int index = IndexOfWindow(sheet, pageWindow);
  if (index < 0) return;
  sheet.pages[static_cast<std::size_t>(index)]->changed = changed;
  SetApplyEnabled(sheet);
}

INT_PTR SetCurSel(Sheet& sheet, WPARAM wParam, LPARAM lParam) {
  int index = static_cast<int>(wParam);
  if (lParam != 0) {
    const auto wanted = reinterpret_cast<HPROPSHEETPAGE>(lParam);
    const auto found = std::find(sheet.pages.begin(), sheet.pages.end(), wanted);
    index = found == sheet.pages.end() ? -1 : static_cast<int>(found - sheet.pages.begin());
  }
  if (index < 0 || index >= static_cast<int>(sheet.pages.size())) return Answer(sheet.window, FALSE);
  if (index != sheet.current && !CurrentLets(sheet)) return Answer(sheet.window, FALSE);
  return Answer(sheet.window, ShowPage(sheet, index) ? TRUE : FALSE);
}

INT_PTR OnTabNotify(Sheet& sheet, const NMHDR& header) {
  if (header.code == TCN_SELCHANGING) return Answer(sheet.window, CurrentLets(sheet) ? FALSE : TRUE);
  if (header.code == TCN_SELCHANGE) {
    const auto chosen = static_cast<int>(SendMessageW(sheet.tabs, TCM_GETCURSEL, 0, 0));
    // A page that cannot be made leaves the tab on the page still shown.
    if (!ShowPage(sheet, chosen)) SendMessageW(sheet.tabs, TCM_SETCURSEL, static_cast<WPARAM>(sheet.current), 0);
  }
  return Answer(sheet.window, 0);
}

bool IsSheetButton(int id) {
  return std::any_of(std::begin(kButtons), std::end(kButtons), [&](const ButtonRow& r) { return r.id == id; });
}

// The sheet's own buttons act (a click, or Enter and Esc as IDOK and
// IDCANCEL); a command from any other control of the sheet (a button a page
// put beside OK) goes to the current page.
void OnCommand(Sheet& sheet, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if (IsSheetButton(id) && (HIWORD(wParam) == BN_CLICKED || lParam == 0)) {
    OnButton(sheet, id);
    return;
  }
  HPROPSHEETPAGE page = Current(sheet);
  if (page != nullptr && page->window != nullptr && reinterpret_cast<HWND>(lParam) != sheet.tabs) {
    SendMessageW(page->window, WM_COMMAND, wParam, lParam);
  }
}

INT_PTR OnInitDialog(HWND window, LPARAM lParam) {
  auto* sheet = reinterpret_cast<Sheet*>(lParam);
  SetWindowLongPtrW(window, DWLP_USER, lParam);
  sheet->window = window;
  Build(*sheet);
  if (!ShowPage(*sheet, sheet->start) && !ShowPage(*sheet, 0)) {
    sheet->failed = true;
    sheet->ended = true;
    return FALSE;
  }
  SetFocus(sheet->tabs);
  return FALSE;
}

INT_PTR CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog(window, lParam);
  Sheet* sheet = SheetOf(window);
  if (sheet == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      OnCommand(*sheet, wParam, lParam);
      return TRUE;
    case WM_CLOSE:
      CancelAll(*sheet, true);
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header != nullptr && header->hwndFrom == sheet->tabs) return OnTabNotify(*sheet, *header);
      return FALSE;
    }
    case PSM_CHANGED:
    case PSM_UNCHANGED:
      MarkChanged(*sheet, reinterpret_cast<HWND>(wParam), message == PSM_CHANGED);
      return Answer(window, 0);
    case PSM_PRESSBUTTON: {
      const auto row = std::find_if(std::begin(kButtons), std::end(kButtons),
                                    [&](const ButtonRow& r) { return r.press == wParam; });
      if (row != std::end(kButtons)) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(row->id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, row->id)));
      }
      return Answer(window, 0);
    }
    case PSM_GETCURRENTPAGEHWND: {
      HPROPSHEETPAGE page = Current(*sheet);
      return Answer(window, reinterpret_cast<LRESULT>(page != nullptr ? page->window : nullptr));
    }
    case PSM_GETTABCONTROL:
      return Answer(window, reinterpret_cast<LRESULT>(sheet->tabs));
    case PSM_SETCURSEL:
      return SetCurSel(*sheet, wParam, lParam);
    default:
      return FALSE;
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab choose the next and the previous tab as a
// click on it would; everything else is the dialog's own keyboard.
bool SheetKeys(void* context, MSG* msg) {
  auto* sheet = static_cast<Sheet*>(context);
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    const auto count = static_cast<int>(sheet->pages.size());
    const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
    ChooseTabByUser(sheet->tabs, (sheet->current + step) % count);
    return true;
  }
  return IsDialogMessageW(sheet->window, msg) != FALSE;
}

bool Ended(void* context) { return static_cast<Sheet*>(context)->ended; }

// The sheet's own template: a captioned pop-up in the 8-point dialog font,
// its controls made when it starts.
DialogTemplate SheetTemplate(const std::u16string& caption) {
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;
  t.title = caption;
  t.pointSize = 8;
  t.face = u"MS Shell Dlg";
  return t;
}

// The pages of the header: made from their descriptions, or taken from the
// handles given. False (ERROR_INVALID_PARAMETER) when one cannot be; the
// pages already taken stay in `sheet` to be freed.
bool CollectPages(const PROPSHEETHEADERW& header, Sheet& sheet) {
  if ((header.dwFlags & PSH_PROPSHEETPAGE) != 0) {
    const auto* at = reinterpret_cast<const BYTE*>(header.ppsp);
    for (UINT i = 0; i < header.nPages; ++i) {
      const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(at);
      HPROPSHEETPAGE page = CreatePropertySheetPageW(description);
      if (page == nullptr || !TakePage(page)) return false;
      sheet.pages.push_back(page);
      at += description->dwSize;
    }
    return true;
  }
  bool all = true;
  for (UINT i = 0; i < header.nPages; ++i) {
    HPROPSHEETPAGE page = header.phpage[i];
    if (TakePage(page)) {
      sheet.pages.push_back(page);
    } else {
      all = false;
    }
  }
  if (!all) SetLastError(ERROR_INVALID_PARAMETER);
  return all;
}

void FreePages(Sheet& sheet) {
  for (HPROPSHEETPAGE page : sheet.pages) FreePage(page);
  sheet.pages.clear();
}

INT_PTR RunSheet(Sheet& sheet, HWND parent, HINSTANCE instance) {
  HWND top = parent != nullptr ? GetAncestor(parent, GA_ROOT) : nullptr;
  const bool disabled = top != nullptr && IsWindowEnabled(top) && !EnableWindow(top, FALSE);
  HWND window = CreateDialogFrom(instance, SheetTemplate(sheet.caption), top, SheetProc,
                                 reinterpret_cast<LPARAM>(&sheet));
  INT_PTR result = -1;
  if (window != nullptr && !sheet.failed) {
    ShowWindow(window, SW_SHOWNORMAL);
    ModalLoop loop{window, u"", Ended, SheetKeys, &sheet};
    if (RunModalLoop(loop) == LoopEnd::kAbandoned) {
      SetLastError(ERROR_CANCELLED);
    } else {
      result = sheet.applied ? 1 : 0;
    }
  }
  if (disabled && IsWindow(top)) EnableWindow(top, TRUE);
  if (window != nullptr && IsWindow(window)) DestroyWindow(window);
  if (top != nullptr && IsWindow(top)) SetActiveWindow(top);
  return result;
}

bool HeaderIsValid(const PROPSHEETHEADERW* header) {
  const bool byDescription = header != nullptr && (header->dwFlags & PSH_PROPSHEETPAGE) != 0;
  const bool hasPages = header != nullptr && (byDescription ? header->ppsp != nullptr : header->phpage != nullptr);
  if (header == nullptr || header->dwSize < PROPSHEETHEADERW_V1_SIZE || header->nPages == 0 || !hasPages) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if ((header->dwFlags & (PSH_WIZARD | PSH_MODELESS | PSH_USECALLBACK | PSH_USEPSTARTPAGE)) != 0) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return false;
  }
  if (header->hwndParent != nullptr && !IsWindow(header->hwndParent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  return true;
}

}  // namespace
}  // namespace plat::window

INT_PTR PropertySheetW(const PROPSHEETHEADERW* header) {
  using namespace plat::window;
  if (!HeaderIsValid(header)) return -1;
  Sheet sheet;
  sheet.flags = header->dwFlags;
  sheet.start = header->nStartPage < header->nPages ? static_cast<int>(header->nStartPage) : 0;
  sheet.caption = SheetText(header->hInstance, header->pszCaption);
  if ((header->dwFlags & PSH_PROPTITLE) != 0) sheet.caption = u"Properties for " + sheet.caption;
  INT_PTR result = -1;
  if (CollectPages(*header, sheet)) result = RunSheet(sheet, header->hwndParent, header->hInstance);
  FreePages(sheet);
  return result;
}
