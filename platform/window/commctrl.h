// The common controls: registering their classes (InitCommonControlsEx),
// the codes every common control tells its parent through WM_NOTIFY, and,
// in the headers included at the end, each control's styles, messages,
// notifications and records.
#pragma once

#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;
static_assert(sizeof(INITCOMMONCONTROLSEX) == 8);

// Which classes InitCommonControlsEx registers.
inline constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
inline constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
inline constexpr DWORD ICC_BAR_CLASSES = 0x00000004;  // the trackbar among them
inline constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
inline constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
inline constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
inline constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
inline constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;

// Registers the common control classes of every ICC_ bit set (as global
// classes of the machine's window system). TRUE when each asked class is
// registered, now or before; FALSE with ERROR_INVALID_PARAMETER for a null
// record or one whose dwSize is not the record's size.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
// Registers every common control class this system has.
void InitCommonControls();

// Codes every common control sends (NMHDR.code).
inline constexpr UINT NM_FIRST = 0u;
inline constexpr UINT NM_OUTOFMEMORY = NM_FIRST - 1;
inline constexpr UINT NM_CLICK = NM_FIRST - 2;
inline constexpr UINT NM_DBLCLK = NM_FIRST - 3;
inline constexpr UINT NM_RETURN = NM_FIRST - 4;
inline constexpr UINT NM_RCLICK = NM_FIRST - 5;
inline constexpr UINT NM_RDBLCLK = NM_FIRST - 6;
inline constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
inline constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;
inline constexpr UINT NM_RELEASEDCAPTURE = NM_FIRST - 16;

// A text pointer that asks the parent for the text when it is shown.
inline const LPWSTR LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(static_cast<INT_PTR>(-1));

// The owner-draw type of a list view (DRAWITEMSTRUCT.CtlType).
inline constexpr UINT ODT_LISTVIEW = 102;

#include "platform/window/commctrl_listview.h"
#include "platform/window/commctrl_trackbar.h"
#include "platform/window/commctrl_treeview.h"
