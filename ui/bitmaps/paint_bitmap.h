// Painting the pictures of the pages: from the libraries by id, from a
// picture file a user picked, by name from the bitmap library, or the
// picture parked in the context; placed by alignment flags, combined with
// what is there by a raster operation, colour-adjusted and greyed on a
// monochrome machine. A context can hold its paints in a memory copy of the
// target and put them on the window at once.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"

struct UCB;

// The flags of a paint.
inline constexpr DWORD kPaintOwnSize = 0x2;      // the picture's own size (stretched from a file)
inline constexpr DWORD kPaintCopy = 0x4;         // SRCCOPY
inline constexpr DWORD kPaintCentreX = 0x10;
inline constexpr DWORD kPaintRight = 0x20;
inline constexpr DWORD kPaintCentreY = 0x40;
inline constexpr DWORD kPaintBottom = 0x80;
inline constexpr DWORD kPaintAnd = 0x2000;       // SRCAND
inline constexpr DWORD kPaintMerge = 0x4000;     // MERGEPAINT; none of the three: SRCPAINT

// Paints the picture id in the window's client rectangle, or in rectangle
// (then centred both ways), placed by its row of the bitmap info list, on
// the item painting DC of the window (item_dc.h): a paint DC an item or a
// caller set, else the window's own.
BOOL PaintBitmapFromResDll(UCB* ucb, HWND window, const RECT* rectangle, UINT id, DWORD flags);
// Paints source at (x, y) within rectangle on the DC. source: an id below
// 0x10000 (MAKEINTRESOURCEW), a picture file path ("X:..."), a name in the
// bitmap library, or null for the context's parked picture (centred on the
// rectangle). FALSE, painting nothing, when the source gives no picture.
BOOL PaintBitmapFromResDll2(UCB* ucb, HDC dc, const RECT* rectangle, int x, int y, LPCWSTR source, DWORD flags);
// From now on paints go into a memory copy of their target.
void HoldPaintBitmap(UCB* ucb);
// Puts the held copy on the window's rectangle (on the same DC as the
// paints) and frees it; nothing without window, rectangle or a held copy.
// A hold that holds no copy (nothing was painted) ends.
void ReleasePaintBitmap(UCB* ucb, HWND window, const RECT* rectangle);
