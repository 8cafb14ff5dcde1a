// What the property sheet, its pages and the tab control share. Internal to
// platform/window/.
#pragma once

#include <string>
#include <vector>

#include "platform/window/dialog/dialog_template.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/window_class.h"

// A page: the copy of its maker's description (dwSize bytes, as the maker
// wrote them), its template read once, its tab's text, and its dialog once
// shown.
struct PropSheetPage {
  std::vector<BYTE> description;
  plat::window::DialogTemplate dialog;
  std::u16string title;
  HWND window = nullptr;
  bool changed = false;  // PSM_CHANGED without PSM_UNCHANGED since the last apply
  PROPSHEETPAGEW& page() { return *reinterpret_cast<PROPSHEETPAGEW*>(description.data()); }
};

namespace plat::window {

// The pages' registry: a page handed to a sheet is taken out of it (false
// when the handle is not a live page), so that nobody else frees it; the
// sheet frees it when it ends, telling its maker (PSPCB_RELEASE).
bool TakePage(HPROPSHEETPAGE page);
// Whether a handle is a page nobody has taken yet (the property-sheet host
// checks the pages a driver hands it).
bool IsLivePage(HPROPSHEETPAGE page);
void FreePage(HPROPSHEETPAGE page);

// A title or caption given as a string or as a string resource's id of
// `instance`.
std::u16string SheetText(HINSTANCE instance, LPCWSTR text);

// The tab control's procedure and the sheet's one class row for it.
LRESULT TabControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
SystemClassTable TabControlClasses();
// TCM_ADJUSTRECT: the display area of a window rectangle, or (larger) the
// window rectangle around a display area.
void TabDisplayArea(HWND tab, bool larger, RECT* rect);
// A person's choice of tab `index`: TCN_SELCHANGING (the parent may
// refuse), the change, TCN_SELCHANGE.
void ChooseTabByUser(HWND tab, int index);

}  // namespace plat::window
