// Display and memory DCs as GDI keeps them, and the calls the window
// manager makes to give windows their DCs. A DC names the window it draws
// on and where its origin lies in that window; its state (selected objects,
// colours, modes, position, origins) is saved and restored as a stack. The
// raster back end finds a DC's target here: a window's surface at `origin`,
// or the bitmap selected into a memory DC. Internal to platform/.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/wintypes.h"

namespace plat::gdi {

struct DcPath;

enum class DcKind { kClient, kWindow, kPaint, kScreen, kMemory };

struct DcState {
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ bitmap = nullptr;  // memory DCs only
  HGDIOBJ palette = nullptr;
  COLORREF textColor = 0x000000;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = 2;  // OPAQUE
  int rop2 = 13;   // R2_COPYPEN
  int mapMode = 1; // MM_TEXT
  POINT position{};
  POINT windowOrg{};
  POINT viewportOrg{};
  POINT brushOrg{};
  int polyFillMode = 1;  // ALTERNATE
  bool clipped = false;  // whether clip holds a clip region
  std::vector<RECT> clip;  // the clip region in device coordinates
};

struct DeviceContext {
  DcKind kind = DcKind::kClient;
  HWND window = nullptr;  // the window drawn on (and whose log records)
  POINT origin{};         // the DC's (0,0) in window coordinates
  SIZE size{};            // the drawable area from the origin
  DcState state;
  std::vector<DcState> saved;  // SaveDC's stack, oldest first
  std::shared_ptr<DcPath> path;  // the open bracket or closed path; null when none
};

// A DC for a window (kClient, kWindow, kPaint) or the screen (kScreen, no
// window), with the default objects selected. Never null.
HDC CreateWindowDC(DcKind kind, HWND window, POINT origin, SIZE size);
// Deletes a DC made by CreateWindowDC; false for any other handle.
bool DeleteWindowDC(HDC dc);
// Deletes every DC of a window that is going away.
void DeleteDCsOfWindow(HWND window);
// The window and kind of a DC; false when the handle is not a DC.
bool DescribeDC(HDC dc, HWND* window, DcKind* kind);
// A solid brush that belongs to the system (a system colour's brush):
// DeleteObject leaves it alone.
HBRUSH MakeStockBrush(COLORREF color);

// A copy of the DC's record, for the raster back end and tests; null when
// the handle is not a DC.
std::shared_ptr<const DeviceContext> FindDC(HDC dc);

}  // namespace plat::gdi
