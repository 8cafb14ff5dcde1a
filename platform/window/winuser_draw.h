// Drawing calls of the window manager that the controls use: text in a
// rectangle (DrawTextW) and the focus frame (DrawFocusRect). They draw
// through GDI's DC and the engine's raster core, recording themselves in
// the window's GDI log; their declarations and DT_ flags are GDI's.
#pragma once

#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
