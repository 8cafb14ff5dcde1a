// Painting a window tree and composing its surfaces into one picture.
#include "platform/window/window_image.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gdi/canvas.h"
#include "platform/gdi/png_file.h"
#include "platform/window/window_internal.h"

namespace plat::window {
namespace {

struct Placed {
  HWND hwnd;
  RECT rect;  // screen coordinates
};

// The visible windows of the tree in drawing order: each window before its
// children, the bottom sibling first; transparent siblings (WS_EX_TRANSPARENT,
// such as group boxes) before all the others, so that what lies beneath
// them shows through.
void DrawingOrder(HWND hwnd, std::vector<Placed>& out) {
  std::vector<HWND> children;
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr || (w->style & WS_VISIBLE) == 0) return;
    out.push_back(Placed{hwnd, RECT{}});
    children.assign(w->children.rbegin(), w->children.rend());
    std::stable_partition(children.begin(), children.end(), [](HWND child) {
      const Window* c = LockedWindow(child);
      return c != nullptr && (c->exStyle & WS_EX_TRANSPARENT) != 0;
    });
  }
  for (HWND child : children) DrawingOrder(child, out);
}

}  // namespace

namespace {

bool ComposeWindowImage(HWND hwnd, bool repaint, std::vector<std::uint32_t>* pixels, SIZE* size) {
  RECT whole{};
  if (pixels == nullptr || size == nullptr || !GetWindowRect(hwnd, &whole)) return false;
  if (repaint) InvalidateTree(hwnd);
  std::vector<Placed> order;
  DrawingOrder(hwnd, order);
  for (Placed& p : order) {
    if (repaint) UpdateWindow(p.hwnd);
    GetWindowRect(p.hwnd, &p.rect);
  }
  *size = SIZE{whole.right - whole.left, whole.bottom - whole.top};
  pixels->assign(static_cast<std::size_t>(std::max<LONG>(size->cx, 0)) * std::max<LONG>(size->cy, 0), 0);
  std::lock_guard raster(plat::gdi::RasterLock());
  for (const Placed& p : order) {
    const auto surface = plat::gdi::ExistingWindowSurface(p.hwnd);
    if (surface == nullptr || surface->bitsPerPixel != 32) continue;
    const LONG dx = p.rect.left - whole.left, dy = p.rect.top - whole.top;
    const LONG w = std::min(surface->width, p.rect.right - p.rect.left);
    const LONG h = std::min(surface->height, p.rect.bottom - p.rect.top);
    for (LONG y = std::max<LONG>(0, -dy); y < h && y + dy < size->cy; ++y) {
      for (LONG x = std::max<LONG>(0, -dx); x < w && x + dx < size->cx; ++x) {
        std::uint32_t value = 0;
        std::memcpy(&value, surface->bits.data() + static_cast<std::size_t>(y) * surface->Stride() + 4 * x,
                    sizeof(value));
        (*pixels)[static_cast<std::size_t>(y + dy) * size->cx + (x + dx)] = value & 0xFFFFFF;
      }
    }
  }
  return true;
}

}  // namespace

bool PaintWindowImage(HWND hwnd, std::vector<std::uint32_t>* pixels, SIZE* size) {
  return ComposeWindowImage(hwnd, true, pixels, size);
}

bool WriteWindowPng(HWND hwnd, const std::filesystem::path& file) {
  std::vector<std::uint32_t> pixels;
  SIZE size{};
  return PaintWindowImage(hwnd, &pixels, &size) && plat::gdi::WritePng(file, pixels, size);
}

bool WriteShownWindowPng(HWND hwnd, const std::filesystem::path& file) {
  std::vector<std::uint32_t> pixels;
  SIZE size{};
  return ComposeWindowImage(hwnd, false, &pixels, &size) && plat::gdi::WritePng(file, pixels, size);
}

void DumpShownWindow(HWND hwnd) {
  const char* folder = std::getenv("KESM_DUMP_WINDOWS");
  if (folder == nullptr || *folder == 0 || hwnd == nullptr) return;
  static std::atomic<unsigned> count{0};
  const std::string name =
      "window-" + std::to_string(static_cast<long>(getpid())) + "-" + std::to_string(++count) + ".png";
  WriteWindowPng(hwnd, std::filesystem::path(folder) / name);
}

}  // namespace plat::window
