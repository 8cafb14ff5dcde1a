// The common-control tests' parent window.
#include "tests/platform/window/commctrl_parent.h"

#include <gtest/gtest.h>

namespace kesm_test {
namespace {

std::string ListCode(UINT code) {
  struct Name {
    UINT code;
    const char* name;
  };
  static const Name names[] = {
      {LVN_ITEMCHANGING, "LVN_ITEMCHANGING"}, {LVN_ITEMCHANGED, "LVN_ITEMCHANGED"},
      {LVN_INSERTITEM, "LVN_INSERTITEM"},     {LVN_DELETEITEM, "LVN_DELETEITEM"},
      {LVN_DELETEALLITEMS, "LVN_DELETEALLITEMS"}, {LVN_KEYDOWN, "LVN_KEYDOWN"},
      {NM_CLICK, "NM_CLICK"},                 {NM_DBLCLK, "NM_DBLCLK"},
      {NM_SETFOCUS, "NM_SETFOCUS"},           {NM_KILLFOCUS, "NM_KILLFOCUS"},
      {TVN_SELCHANGINGW, "TVN_SELCHANGING"},  {TVN_SELCHANGEDW, "TVN_SELCHANGED"},
      {TVN_ITEMEXPANDINGW, "TVN_ITEMEXPANDING"}, {TVN_ITEMEXPANDEDW, "TVN_ITEMEXPANDED"},
      {TVN_DELETEITEMW, "TVN_DELETEITEM"},    {TVN_KEYDOWN, "TVN_KEYDOWN"},
  };
  for (const Name& n : names) {
    if (n.code == code) return n.name;
  }
  return "code " + std::to_string(static_cast<int>(code));
}

bool IsClass(HWND hwnd, const char16_t* cls) {
  WCHAR name[32] = {};
  GetClassNameW(hwnd, name, 32);
  return std::u16string(reinterpret_cast<const char16_t*>(name)) == cls;
}

std::string States(UINT before, UINT after) { return std::to_string(before) + "->" + std::to_string(after); }

// What a list view's record says, after its code.
std::string ListDetail(const NMHDR& hdr) {
  const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
  switch (hdr.code) {
    case LVN_ITEMCHANGING:
    case LVN_ITEMCHANGED:
      if (nm.uChanged == LVIF_STATE) return " " + std::to_string(nm.iItem) + " " + States(nm.uOldState, nm.uNewState);
      return " " + std::to_string(nm.iItem) + " fields " + std::to_string(nm.uChanged) + " param " +
             std::to_string(nm.lParam);
    case LVN_INSERTITEM:
    case LVN_DELETEITEM: return " " + std::to_string(nm.iItem) + " param " + std::to_string(nm.lParam);
    case NM_CLICK:
    case NM_DBLCLK: {
      const auto& act = reinterpret_cast<const NMITEMACTIVATE&>(hdr);
      return " " + std::to_string(act.iItem) + "/" + std::to_string(act.iSubItem);
    }
    case LVN_KEYDOWN: return " " + std::to_string(reinterpret_cast<const NMLVKEYDOWN&>(hdr).wVKey);
    default: return "";
  }
}

std::string TreeDetail(const NMHDR& hdr) {
  const auto& nm = reinterpret_cast<const NMTREEVIEWW&>(hdr);
  static const char* const kActions[] = {"unknown", "mouse", "keyboard"};
  switch (hdr.code) {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGEDW:
      return std::string(" ") + kActions[nm.action % 3] + " " + std::to_string(nm.itemOld.lParam) + "->" +
             std::to_string(nm.itemNew.lParam);
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDEDW:
      return std::string(nm.action == TVE_EXPAND ? " open " : " close ") + std::to_string(nm.itemNew.lParam);
    case TVN_DELETEITEMW: return " " + std::to_string(nm.itemOld.lParam);
    case TVN_KEYDOWN: return " " + std::to_string(reinterpret_cast<const NMTVKEYDOWN&>(hdr).wVKey);
    default: return "";
  }
}

LRESULT Notified(const NMHDR& hdr) {
  ParentLog& log = Log();
  const bool list = IsClass(hdr.hwndFrom, WC_LISTVIEWW);
  log.seen.push_back(ListCode(hdr.code) + (list ? ListDetail(hdr) : TreeDetail(hdr)));
  if (log.destroyOn != 0 && hdr.code == log.destroyOn) {
    DestroyWindow(hdr.hwndFrom);
    return 0;
  }
  const bool asks = hdr.code == LVN_ITEMCHANGING || hdr.code == TVN_SELCHANGINGW || hdr.code == TVN_ITEMEXPANDINGW;
  if (asks && log.refuse) return TRUE;
  if (hdr.code == LVN_DELETEALLITEMS && log.keepItems) return TRUE;
  return 0;
}

std::string ScrollCode(WORD code) {
  static const char* const kCodes[] = {"TB_LINEUP",        "TB_LINEDOWN",   "TB_PAGEUP", "TB_PAGEDOWN", "TB_THUMBPOSITION",
                                       "TB_THUMBTRACK",    "TB_TOP",        "TB_BOTTOM", "TB_ENDTRACK"};
  return code < 9 ? kCodes[code] : std::to_string(code);
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ParentLog& log = Log();
  switch (message) {
    case WM_NOTIFY: return Notified(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL: {
      auto bar = reinterpret_cast<HWND>(lParam);
      std::string entry = std::string(message == WM_HSCROLL ? "HSCROLL " : "VSCROLL ") + ScrollCode(LOWORD(wParam));
      if (LOWORD(wParam) == TB_THUMBTRACK || LOWORD(wParam) == TB_THUMBPOSITION) entry += " " + std::to_string(HIWORD(wParam));
      entry += " @" + std::to_string(SendMessageW(bar, TBM_GETPOS, 0, 0));
      log.seen.push_back(entry);
      if (log.destroyOnScroll == LOWORD(wParam)) DestroyWindow(bar);
      return 0;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      log.seen.push_back("MEASUREITEM type " + std::to_string(mi->CtlType) + " id " + std::to_string(mi->CtlID));
      if (log.rowHeight != 0) mi->itemHeight = log.rowHeight;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (log.logDrawing) {
        log.seen.push_back("DRAWITEM type " + std::to_string(dis->CtlType) + " item " + std::to_string(dis->itemID) +
                           " action " + std::to_string(dis->itemAction) + " state " +
                           std::to_string(dis->itemState) + " data " + std::to_string(dis->itemData) + " rect " +
                           std::to_string(dis->rcItem.left) + "," + std::to_string(dis->rcItem.top) + "," +
                           std::to_string(dis->rcItem.right) + "," + std::to_string(dis->rcItem.bottom));
      }
      return TRUE;
    }
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

ParentLog& Log() {
  static ParentLog log;
  return log;
}

void CommonControlTest::SetUp() {
  WindowTest::SetUp();
  Log() = ParentLog{};
  const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&init));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ParentProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_3DFACE + 1));
  wc.lpszClassName = reinterpret_cast<LPCWSTR>(u"CommonParent");
  ASSERT_NE(RegisterClassExW(&wc), 0);
  parent = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"CommonParent"), reinterpret_cast<LPCWSTR>(u"Parent"),
                           WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
}

HWND CommonControlTest::Control(const char16_t* cls, DWORD style, RECT rect, int id) {
  return CreateWindowExW(0, reinterpret_cast<LPCWSTR>(cls), nullptr, WS_CHILD | WS_VISIBLE | style, rect.left,
                         rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                         reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
}

void CommonControlTest::Run(UiScript& script) {
  ASSERT_TRUE(script.run());
  Drain();
}

std::vector<std::string> CommonControlTest::Take() {
  std::vector<std::string> seen = std::move(Log().seen);
  Log().seen.clear();
  return seen;
}

}  // namespace kesm_test
