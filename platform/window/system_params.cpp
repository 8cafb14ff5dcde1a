// The machine's fixed screen (1280 x 1024, a 30-pixel taskbar at the bottom)
// and the classic colour scheme: one table for the metrics, one for the
// colours.
#include <iterator>
#include <mutex>

#include "platform/gdi/display_dc.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"

namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr int kTaskbarHeight = 30;
constexpr int kCaption = 19;

struct MetricRow {
  int index;
  int value;
};

constexpr MetricRow kMetrics[] = {
    {SM_CXSCREEN, kScreenWidth},
    {SM_CYSCREEN, kScreenHeight},
    {SM_CXVSCROLL, 16},
    {SM_CYHSCROLL, 16},
    {SM_CYCAPTION, kCaption},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CYVTHUMB, 16},
    {SM_CXHTHUMB, 16},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 19},
    {SM_CXFULLSCREEN, kScreenWidth},
    {SM_CYFULLSCREEN, kScreenHeight - kTaskbarHeight - kCaption},
    {SM_MOUSEPRESENT, 1},
    {SM_CYVSCROLL, 16},
    {SM_CXHSCROLL, 16},
    {SM_SWAPBUTTON, 0},
    {SM_CXMIN, 112},
    {SM_CYMIN, 27},
    {SM_CXSIZE, 18},
    {SM_CYSIZE, 18},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXMINTRACK, 112},
    {SM_CYMINTRACK, 27},
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_DBCSENABLED, 0},
    {SM_CMOUSEBUTTONS, 3},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 16},
    {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
    {SM_CXVIRTUALSCREEN, kScreenWidth},
    {SM_CYVIRTUALSCREEN, kScreenHeight},
    {SM_CMONITORS, 1},
};

// The classic scheme, by colour index; -1 where Windows has no colour.
constexpr LONG kColors[] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    -1,                  // (none)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};
constexpr int kColorCount = static_cast<int>(std::size(kColors));
static_assert(kColorCount == COLOR_MENUBAR + 1);

bool HasColor(int index) { return index >= 0 && index < kColorCount && kColors[index] >= 0; }

}  // namespace

int GetSystemMetrics(int index) {
  for (const MetricRow& row : kMetrics) {
    if (row.index == index) return row.value;
  }
  return 0;
}

DWORD GetSysColor(int index) { return HasColor(index) ? static_cast<DWORD>(kColors[index]) : 0; }

HBRUSH GetSysColorBrush(int index) {
  if (!HasColor(index)) return nullptr;
  // One brush per colour for the life of the process; DeleteObject leaves
  // them alone.
  static std::once_flag made;
  static HBRUSH brushes[kColorCount] = {};
  std::call_once(made, [] {
    for (int i = 0; i < kColorCount; ++i) {
      if (HasColor(i)) brushes[i] = plat::gdi::MakeStockBrush(static_cast<COLORREF>(kColors[i]));
    }
  });
  return brushes[index];
}

namespace plat::window {

// Where the taskbar lies on the screen.
RECT TaskbarRect() { return RECT{0, kScreenHeight - kTaskbarHeight, kScreenWidth, kScreenHeight}; }

}  // namespace plat::window
