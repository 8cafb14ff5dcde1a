// DIB headers and colour tables.
#include "platform/gdi/dib.h"

#include <cstdlib>
#include <cstring>

#include "platform/base/winerror.h"

namespace plat::gdi {

std::shared_ptr<Bitmap> BitmapFromDib(const BITMAPINFO* info, const void* bits, UINT usage) {
  if (info == nullptr || usage != DIB_RGB_COLORS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // Headers read from files need not be aligned: read them byte by byte.
  BITMAPINFOHEADER h{};
  std::memcpy(&h, info, sizeof(h));
  const WORD depth = h.biBitCount;
  const DWORD maxColors = depth <= 8 ? 1u << depth : 0;
  const DWORD colorCount = depth <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : maxColors) : 0;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB ||
      h.biHeight == 0 || h.biHeight == LONG{-0x7FFFFFFF - 1} || colorCount > maxColors) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = MakeBitmap(h.biWidth, std::labs(h.biHeight), depth, h.biHeight < 0);
  if (bitmap == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BYTE* table = reinterpret_cast<const BYTE*>(info) + h.biSize;
  for (DWORD i = 0; i < colorCount; ++i) {
    RGBQUAD q{};
    std::memcpy(&q, table + i * sizeof(RGBQUAD), sizeof(q));
    bitmap->colors[i] = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  // Entries past a short table stay black, as a table of that length gives.
  for (DWORD i = colorCount; i < maxColors; ++i) bitmap->colors[i] = 0;
  if (bits != nullptr) std::memcpy(bitmap->bits.data(), bits, bitmap->bits.size());
  return bitmap;
}

}  // namespace plat::gdi
