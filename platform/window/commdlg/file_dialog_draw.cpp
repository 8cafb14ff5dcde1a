// The old-style dialog draws its folder list and its drive list itself
// when a template makes them owner-drawn, as the system's own templates
// do: each entry's text, the folders of the current path indented by
// their depth and the subfolders one step below the last, the selected
// entry highlighted.
#include <array>

#include "platform/gdi/wingdi.h"
#include "platform/window/commdlg/file_dialog.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"

namespace plat::commdlg {
namespace {

constexpr int kIndentPixels = 8;

bool IsOwnList(UINT id) { return id == kFolderListId || id == kDriveComboId; }

std::u16string EntryText(const DRAWITEMSTRUCT& item) {
  const bool combo = item.CtlType == ODT_COMBOBOX;
  const UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const LRESULT length = SendMessageW(item.hwndItem, lengthMessage, item.itemID, 0);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(item.hwndItem, combo ? CB_GETLBTEXT : LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// How deep a folder-list entry stands: the path's folders by their place,
// its subfolders below the last.
int Depth(const FileDialog& state, UINT index) {
  if (state.chain.empty()) return 0;
  const auto levels = static_cast<UINT>(state.chain.size());
  return static_cast<int>(index < levels ? index : levels);
}

}  // namespace

bool MeasureOwnItem(HWND dialog, MEASUREITEMSTRUCT* item) {
  if (item == nullptr || !IsOwnList(item->CtlID)) return false;
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  item->itemHeight = static_cast<UINT>(metrics.tmHeight + 2);
  return true;
}

bool DrawOwnItem(const FileDialog& state, const DRAWITEMSTRUCT* item) {
  if (item == nullptr || !IsOwnList(item->CtlID)) return false;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  RECT area = item->rcItem;
  FillRect(item->hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item->itemID != static_cast<UINT>(-1)) {
    const std::u16string text = EntryText(*item);
    RECT textArea = area;
    textArea.left += 2;
    if (item->CtlID == kFolderListId) textArea.left += kIndentPixels * Depth(state, item->itemID);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item->hDC, text.c_str(), static_cast<int>(text.size()), &textArea,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if ((item->itemState & ODS_FOCUS) != 0) DrawFocusRect(item->hDC, &area);
  return true;
}

}  // namespace plat::commdlg
