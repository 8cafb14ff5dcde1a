// Feeds device-independent bitmaps as a module or file gives them (a
// header, its colour table, then the bits) to the GDI calls that read them:
// CreateDIBSection, SetDIBitsToDevice and StretchDIBits onto a small
// colour and a small monochrome memory DC. An input is the DIB's bytes;
// the header's sizes may lie about the bytes that follow, so the bits
// handed on are only those the header's own size says are there, and an
// input shorter than that is refused before the calls, as the loaders
// refuse it. Each call must succeed or fail cleanly. The seeds
// (fuzz/corpus/dib_blit/) are the tests' 1-, 4-, 8- and 24-bit bitmaps.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/wingdi.h"

namespace {

constexpr LONG kMaxSide = 512;  // keeps each run's bitmaps small

struct Target {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  explicit Target(UINT depth) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(16, 16, 1, depth, nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~Target() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BITMAPINFOHEADER h{};
  if (size < sizeof(h)) return 0;
  std::memcpy(&h, data, sizeof(h));
  const long long height = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
  if (h.biWidth <= 0 || h.biWidth > kMaxSide || height <= 0 || height > kMaxSide || h.biBitCount > 32 ||
      h.biSize < sizeof(h) || h.biSize > size) {
    return 0;
  }
  const LONG rows = static_cast<LONG>(height);
  const std::size_t colors = h.biBitCount <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : (std::size_t{1} << h.biBitCount)) : 0;
  const std::size_t stride = ((static_cast<std::size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  const std::size_t tableEnd = h.biSize + std::min<std::size_t>(colors, 256) * sizeof(RGBQUAD);
  if (tableEnd > size || size - tableEnd < stride * static_cast<std::size_t>(rows)) return 0;
  // An aligned copy, with room for the largest colour table the header may name.
  std::vector<std::uint8_t> info(h.biSize + 256 * sizeof(RGBQUAD), 0);
  std::memcpy(info.data(), data, tableEnd);
  const auto* bi = reinterpret_cast<const BITMAPINFO*>(info.data());
  const std::uint8_t* bits = data + tableEnd;
  for (UINT depth : {32u, 1u}) {
    Target target(depth);
    SetDIBitsToDevice(target.dc, -3, 2, static_cast<DWORD>(h.biWidth), static_cast<DWORD>(rows), 0, 0, 0,
                      static_cast<UINT>(rows), bits, bi, DIB_RGB_COLORS);
    StretchDIBits(target.dc, 15, 0, -20, 9, 0, 0, h.biWidth, rows, bits, bi, DIB_RGB_COLORS, SRCCOPY);
  }
  void* sectionBits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
  if (section != nullptr) DeleteObject(section);
  return 0;
}
