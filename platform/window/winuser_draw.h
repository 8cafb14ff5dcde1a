// Drawing calls of the window manager that the controls use: text in a
// rectangle (DrawTextW) and the focus frame (DrawFocusRect). They draw
// through GDI's DC and the engine's raster core, recording themselves in
// the window's GDI log; their declarations and DT_ flags are GDI's.
#pragma once

#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"

// Icons drawn through their AND mask and colour image (DI_MASK, DI_IMAGE;
// DI_NORMAL both), at their own size or stretched to cx x cy (0: their own,
// or the system's icon size with DI_DEFAULTSIZE); a brush, when given,
// fills the rectangle first. Images with their own opacity are laid over
// what lies beneath.
inline constexpr UINT DI_MASK = 0x0001;
inline constexpr UINT DI_IMAGE = 0x0002;
inline constexpr UINT DI_NORMAL = 0x0003;
inline constexpr UINT DI_COMPAT = 0x0004;
inline constexpr UINT DI_DEFAULTSIZE = 0x0008;
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH background, UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
