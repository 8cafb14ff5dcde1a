// The trackbar ("msctls_trackbar32"): styles, messages and the codes of the
// WM_HSCROLL or WM_VSCROLL it sends its parent (lParam: the trackbar).
#pragma once

#include "platform/window/winuser.h"

inline constexpr const char16_t* TRACKBAR_CLASSW = u"msctls_trackbar32";

// Styles.
inline constexpr DWORD TBS_AUTOTICKS = 0x0001;
inline constexpr DWORD TBS_VERT = 0x0002;
inline constexpr DWORD TBS_HORZ = 0x0000;
inline constexpr DWORD TBS_TOP = 0x0004;
inline constexpr DWORD TBS_BOTTOM = 0x0000;
inline constexpr DWORD TBS_LEFT = 0x0004;
inline constexpr DWORD TBS_RIGHT = 0x0000;
inline constexpr DWORD TBS_BOTH = 0x0008;
inline constexpr DWORD TBS_NOTICKS = 0x0010;

// Messages (wParam of the setters: redraw now).
inline constexpr UINT TBM_GETPOS = WM_USER;
inline constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
inline constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
inline constexpr UINT TBM_SETPOS = WM_USER + 5;
inline constexpr UINT TBM_SETRANGE = WM_USER + 6;  // lParam: MAKELONG(minimum, maximum)
inline constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;
inline constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;
inline constexpr UINT TBM_GETNUMTICS = WM_USER + 16;
inline constexpr UINT TBM_SETTICFREQ = WM_USER + 20;
inline constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;
inline constexpr UINT TBM_GETPAGESIZE = WM_USER + 22;
inline constexpr UINT TBM_SETLINESIZE = WM_USER + 23;
inline constexpr UINT TBM_GETLINESIZE = WM_USER + 24;
inline constexpr UINT TBM_GETTHUMBRECT = WM_USER + 25;
inline constexpr UINT TBM_GETCHANNELRECT = WM_USER + 26;

// The codes in the low word of WM_HSCROLL/WM_VSCROLL's wParam; the high
// word holds the position for TB_THUMBPOSITION and TB_THUMBTRACK.
inline constexpr WORD TB_LINEUP = 0;
inline constexpr WORD TB_LINEDOWN = 1;
inline constexpr WORD TB_PAGEUP = 2;
inline constexpr WORD TB_PAGEDOWN = 3;
inline constexpr WORD TB_THUMBPOSITION = 4;
inline constexpr WORD TB_THUMBTRACK = 5;
inline constexpr WORD TB_TOP = 6;
inline constexpr WORD TB_BOTTOM = 7;
inline constexpr WORD TB_ENDTRACK = 8;
