// The log of GDI calls: every call made on a DC is kept, in order, under the
// window the DC belongs to (a memory DC's window is that of the DC it was
// made compatible with; a screen or free memory DC logs under no window), so
// that a test can see what a window procedure drew. BeginPaint and EndPaint
// are logged too, so that the calls of each paint stand between them. The
// drawing calls of the raster back end record themselves here as well.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"

namespace plat::gdi {

struct GdiCall {
  HDC dc = nullptr;
  std::string call;               // the function's name, "SelectObject"
  std::vector<LONG_PTR> args;     // its arguments after the DC, as numbers
};

// Most calls one window keeps; later calls are counted as dropped.
inline constexpr std::size_t kGdiLogLimit = 4096;

// Records a call on dc under the DC's window. Unknown DCs record nothing.
void RecordGdiCall(HDC dc, const char* call, std::initializer_list<LONG_PTR> args);
// The calls made on the DCs of a window so far (a null window: screen and
// free memory DCs), and how many were dropped past the limit.
std::vector<GdiCall> GdiCallLog(HWND window);
std::size_t DroppedGdiCalls(HWND window);
// Forgets the log of one window, or of every window (ClearGdiCallLogs).
void ClearGdiCallLog(HWND window);
void ClearGdiCallLogs();

}  // namespace plat::gdi
