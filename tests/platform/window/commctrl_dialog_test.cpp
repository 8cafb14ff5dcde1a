// A dialog holding a list view of trays with four columns, a tree of
// settings and a trackbar, worked by a script as a person would: a click on
// a tray's cell, a setting picked in a closed page, the trackbar dragged,
// then OK. The dialog keeps what its controls told it; the test checks that
// and the picture of the dialog (written with KESM_DUMP_WINDOWS).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/window/commctrl.h"
#include "platform/window/window_image.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/dialog_builder.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

constexpr int kListId = 2166;
constexpr int kTreeId = 2167;
constexpr int kBarId = 2168;

struct Chosen {
  LPARAM tray = 0;
  LPARAM setting = 0;
  LRESULT level = 0;
};
Chosen g_chosen;

void FillList(HWND list) {
  RECT client{};
  GetClientRect(list, &client);
  const char16_t* headers[] = {u"Tray", u"Size", u"Orientation", u"Media"};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.cx = client.right / 4;
    c.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(headers[i]));
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
  }
  const char16_t* rows[][4] = {{u"Tray 1", u"A4", u"Portrait", u"Plain"},
                               {u"Tray 2", u"Letter", u"Landscape", u"Thick"},
                               {u"Manual", u"A5", u"Portrait", u"Labels"}};
  for (int r = 0; r < 3; ++r) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = r;
    item.lParam = 2 + r;  // the tray's string id
    item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(rows[r][0]));
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int c = 1; c < 4; ++c) {
      item.iSubItem = c;
      item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(rows[r][c]));
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
    }
  }
  LVITEMW first{};
  first.state = first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
}

HTREEITEM AddNode(HWND tree, HTREEITEM parent, const char16_t* text, LPARAM param) {
  TVINSERTSTRUCTW in{};
  in.hParent = parent;
  in.hInsertAfter = TVI_LAST;
  in.item.mask = TVIF_TEXT | TVIF_PARAM;
  in.item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text));
  in.item.lParam = param;
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&in)));
}

void FillTree(HWND tree) {
  HTREEITEM basic = AddNode(tree, TVI_ROOT, u"Basic", 1);
  AddNode(tree, basic, u"Copies：1", 11);
  AddNode(tree, basic, u"Duplex：0", 12);
  HTREEITEM paper = AddNode(tree, TVI_ROOT, u"Paper", 2);
  AddNode(tree, paper, u"Tray：2", 21);
  AddNode(tree, paper, u"Media：5", 22);
  AddNode(tree, TVI_ROOT, u"Other", 3);
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(basic));
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FillList(GetDlgItem(dialog, kListId));
      FillTree(GetDlgItem(dialog, kTreeId));
      SendDlgItemMessageW(dialog, kBarId, TBM_SETRANGE, TRUE, MAKELPARAM(0, 200));
      SendDlgItemMessageW(dialog, kBarId, TBM_SETTICFREQ, 20, 0);
      SendDlgItemMessageW(dialog, kBarId, TBM_SETPOS, TRUE, 100);
      return TRUE;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->idFrom == kListId && hdr->code == LVN_ITEMCHANGED) {
        const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((nm->uNewState & ~nm->uOldState & LVIS_SELECTED) != 0) g_chosen.tray = nm->lParam;
      }
      if (hdr->idFrom == kTreeId && hdr->code == TVN_SELCHANGEDW) {
        g_chosen.setting = reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew.lParam;
      }
      return FALSE;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kBarId)) {
        g_chosen.level = SendMessageW(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

DialogBuilder OptionsDialog() {
  DialogBuilder b(u"Options", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 300, 200);
  b.Item(0, kListId, u"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 7, 7, 286, 70,
         u"SysListView32");
  b.Item(0, kTreeId, u"", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
         7, 84, 140, 90, u"SysTreeView32");
  b.Item(0, kBarId, u"", TBS_AUTOTICKS | WS_TABSTOP, 155, 84, 138, 24, u"msctls_trackbar32");
  b.Item(0x80, IDOK, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 243, 180, 50, 14);
  return b;
}

// The colour at a client point of a control, in the dialog's picture.
COLORREF PixelOf(HWND dialog, HWND control, POINT client, const std::vector<std::uint32_t>& pixels, SIZE size) {
  RECT frame{};
  GetWindowRect(dialog, &frame);
  ClientToScreen(control, &client);
  const auto x = client.x - frame.left;
  const auto y = client.y - frame.top;
  const std::uint32_t rgb = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.cx) + static_cast<std::size_t>(x)];
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// An owner-drawn tray list: the dialog draws each row's four cells at the
// columns' current widths, in the colours of the row's state.
INT_PTR CALLBACK OwnerDrawnProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 24;
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
  }
  if (message != WM_DRAWITEM) return OptionsProc(dialog, message, wParam, lParam);
  const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (dis->CtlType != ODT_LISTVIEW) return FALSE;
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  SetTextColor(dis->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  SetBkMode(dis->hDC, TRANSPARENT);
  RECT cell = dis->rcItem;
  for (int column = 0; column < 4; ++column) {
    cell.right = cell.left + static_cast<LONG>(SendMessageW(dis->hwndItem, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    FillRect(dis->hDC, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    WCHAR text[32] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 32;
    const auto length = static_cast<int>(
        SendMessageW(dis->hwndItem, LVM_GETITEMTEXTW, dis->itemID, reinterpret_cast<LPARAM>(&item)));
    RECT inner{cell.left + 4, cell.top, cell.right, cell.bottom};
    DrawTextW(dis->hDC, text, length, &inner, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    cell.left = cell.right;
  }
  if ((dis->itemState & ODS_FOCUS) != 0) DrawFocusRect(dis->hDC, &dis->rcItem);
  return TRUE;
}

class CommonControlDialogTest : public WindowTest {};

TEST_F(CommonControlDialogTest, AnOwnerDrawnListIsDrawnByTheDialog) {
  InitCommonControls();
  g_chosen = Chosen{};
  DialogBuilder b(u"Trays", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 300, 120);
  b.Item(0, kListId, u"", LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | WS_BORDER | WS_TABSTOP, 7, 7, 286, 80,
         u"SysListView32");
  b.Item(0x80, IDOK, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 243, 100, 50, 14);
  const WindowRef dialog = WindowRef::Top(u"Trays");
  const WindowRef list = WindowRef::Item(dialog, kListId);
  UiScript script;
  script.listView(list, 2, 3)
      .check("the dialog drew the chosen row in the selection's colour", [dialog, list] {
        HWND window = dialog.Resolve();
        plat::window::DumpShownWindow(window);
        std::vector<std::uint32_t> pixels;
        SIZE size{};
        ASSERT_TRUE(plat::window::PaintWindowImage(window, &pixels, &size));
        // 24-pixel rows below the 20-pixel header: row 2 starts at 68.
        EXPECT_EQ(PixelOf(window, list.Resolve(), POINT{300, 68 + 2}, pixels, size), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(PixelOf(window, list.Resolve(), POINT{300, 44 + 2}, pixels, size), GetSysColor(COLOR_WINDOW));
      })
      .click(WindowRef::Item(dialog, IDOK));
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, b.get(), nullptr, OwnerDrawnProc, 0), IDOK);
  EXPECT_EQ(g_chosen.tray, 4);
}

TEST_F(CommonControlDialogTest, APersonWorksTheListTheTreeAndTheTrackbar) {
  InitCommonControls();
  g_chosen = Chosen{};
  const DialogBuilder b = OptionsDialog();
  const WindowRef dialog = WindowRef::Top(u"Options");
  const WindowRef list = WindowRef::Item(dialog, kListId);
  UiScript script;
  script.check("the first tray is chosen from the start", [] { EXPECT_EQ(g_chosen.tray, 2); })
      .listView(list, 1, 2)
      .pickNode(WindowRef::Item(dialog, kTreeId), {u"Paper", u"Media：5"})
      .slide(WindowRef::Item(dialog, kBarId), 160)
      .check("the picture shows the choices", [dialog, list] {
        HWND window = dialog.Resolve();
        HWND listView = list.Resolve();
        plat::window::DumpShownWindow(window);
        std::vector<std::uint32_t> pixels;
        SIZE size{};
        ASSERT_TRUE(plat::window::PaintWindowImage(window, &pixels, &size));
        // Row 1 (below the 20-pixel header and a 17-pixel row) is marked
        // without the focus; row 0 is not.
        EXPECT_EQ(PixelOf(window, listView, POINT{2, 20 + 17 + 3}, pixels, size), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(PixelOf(window, listView, POINT{2, 20 + 3}, pixels, size), GetSysColor(COLOR_WINDOW));
      })
      .click(WindowRef::Item(dialog, IDOK));
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, b.get(), nullptr, OptionsProc, 0), IDOK);
  EXPECT_EQ(g_chosen.tray, 3);
  EXPECT_EQ(g_chosen.setting, 22);
  EXPECT_EQ(g_chosen.level, 160);
}

}  // namespace
}  // namespace kesm_test
