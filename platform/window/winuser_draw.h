// Drawing calls of the window manager: text in a rectangle and the focus
// frame, drawn through a DC and recorded in its window's GDI log.
#pragma once

#include "platform/window/winuser.h"

inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_CALCRECT = 0x0400;
inline constexpr UINT DT_NOPREFIX = 0x0800;

// The height of the text drawn (or, with DT_CALCRECT, measured into rect);
// 0 for a null DC, text or rectangle.
int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);
BOOL DrawFocusRect(HDC dc, const RECT* rect);
