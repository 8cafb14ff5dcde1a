// DrawIconEx and DrawIcon: a module icon's pixels combined with what lies
// beneath, pixel by pixel, as the mask and image raster operations would.
#include <algorithm>

#include "platform/base/winerror.h"
#include "platform/window/icon_image.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

COLORREF AsColorRef(std::uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

// The colour over the background with the image's opacity.
COLORREF Blend(std::uint32_t argb, COLORREF under) {
  const unsigned a = argb >> 24;
  auto mix = [a](unsigned over, unsigned back) { return static_cast<BYTE>((over * a + back * (255 - a) + 127) / 255); };
  return RGB(mix((argb >> 16) & 0xFF, GetRValue(under)), mix((argb >> 8) & 0xFF, GetGValue(under)),
             mix(argb & 0xFF, GetBValue(under)));
}

// One pixel: the mask ANDed in, then the image XORed (or copied alone).
COLORREF Combine(const IconPixels& icon, std::size_t at, COLORREF under, UINT flags) {
  const bool mask = (flags & DI_MASK) != 0, image = (flags & DI_IMAGE) != 0;
  if (icon.alpha && mask && image) return Blend(icon.color[at], under);
  COLORREF out = under;
  if (mask) out = icon.masked[at] != 0 ? out : RGB(0, 0, 0);
  if (image) out = mask ? (out ^ AsColorRef(icon.color[at])) : AsColorRef(icon.color[at]);
  return out;
}

}  // namespace
}  // namespace plat::window

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH background, UINT flags) {
  using namespace plat::window;
  if ((flags & DI_NORMAL) == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int wanted = cx > 0 ? cx : GetSystemMetrics(SM_CXICON);
  IconPixels pixels;
  if (!ReadIconPixels(icon, wanted, &pixels)) return FALSE;
  const bool systemSize = (flags & DI_DEFAULTSIZE) != 0;
  const int width = cx > 0 ? cx : (systemSize ? GetSystemMetrics(SM_CXICON) : pixels.width);
  const int height = cy > 0 ? cy : (systemSize ? GetSystemMetrics(SM_CYICON) : pixels.height);
  if (background != nullptr) {
    const RECT whole{x, y, x + width, y + height};
    if (FillRect(dc, &whole, background) == 0) return FALSE;
  }
  for (int row = 0; row < height; ++row) {
    const int sy = row * pixels.height / height;
    for (int col = 0; col < width; ++col) {
      const int sx = col * pixels.width / width;
      const std::size_t at = static_cast<std::size_t>(sy) * pixels.width + sx;
      // A pixel the mask keeps and the image leaves black stays as it was.
      if ((flags & DI_NORMAL) == DI_NORMAL && !pixels.alpha && pixels.masked[at] != 0 &&
          (pixels.color[at] & 0xFFFFFF) == 0) {
        continue;
      }
      const COLORREF under = GetPixel(dc, x + col, y + row);
      SetPixel(dc, x + col, y + row, Combine(pixels, at, under == CLR_INVALID ? RGB(0, 0, 0) : under, flags));
    }
  }
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
