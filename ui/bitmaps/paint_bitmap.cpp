#include "ui/bitmaps/paint_bitmap.h"

#include <cstring>
#include <utility>
#include <vector>

#include "platform/window/winuser.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "ui/bitmaps/adjust_color.h"
#include "ui/bitmaps/bitmap_info.h"
#include "ui/bitmaps/bitmap_library.h"
#include "ui/bitmaps/dib_file.h"
#include "ui/bitmaps/palette256.h"
#include "ui/engine/item_dc.h"

namespace {

constexpr WORD kColourMachine = 234;  // 0 on a monochrome machine
constexpr ULONG_PTR kIdLimit = 0x10000;

// A picture ready to be put on a DC: a bitmap of the display, and the mask
// of its transparent colour when it has one.
struct Picture {
  HBITMAP image = nullptr;
  HBITMAP mask = nullptr;  // white where the background shows
  LONG width = 0;
  LONG height = 0;
  bool file = false;
  ~Picture() {
    if (image != nullptr) DeleteObject(image);
    if (mask != nullptr) DeleteObject(mask);
  }
};

bool Grey(UCB* ucb) {
  SFCB* sfcb = nullptr;
  const LONG_PTR colour = GetDevmodeValueDirectByFuncID(ucb, kColourMachine, &sfcb);
  return sfcb != nullptr && colour == 0;
}

DWORD RasterOf(DWORD flags) {
  if (flags & kPaintCopy) return SRCCOPY;
  if (flags & kPaintAnd) return SRCAND;
  if (flags & kPaintMerge) return MERGEPAINT;
  return SRCPAINT;
}

// A bitmap of the display drawn from the DIB with the given colour table.
HBITMAP Render(const std::vector<BYTE>& info, const BYTE* pixels, LONG width, LONG height) {
  const HDC screen = GetDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  if (bitmap == nullptr) return nullptr;
  const HDC memory = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  const auto* header = reinterpret_cast<const BITMAPINFO*>(info.data());
  const LONG_PTR palette = MakePalette256(memory, -1, 0);
  SetDIBitsToDevice(memory, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                    static_cast<UINT>(height), pixels, header, DIB_RGB_COLORS);
  if (palette != 0) SelectPalette(memory, reinterpret_cast<HPALETTE>(palette), FALSE);
  SelectObject(memory, old);
  DeleteDC(memory);
  return bitmap;
}

// The colour index of the bottom-left pixel of a 4-bit picture.
int BottomLeftIndex(const BITMAPINFOHEADER& h, const BYTE* pixels) {
  const LONG stride = ((h.biWidth * 4 + 31) / 32) * 4;
  const BYTE* line = h.biHeight > 0 ? pixels : pixels + static_cast<std::size_t>(stride) * (-h.biHeight - 1);
  return line[0] >> 4;
}

// A resource picture of up to 8 bits a pixel, every colour adjusted (and
// greyed) and passed to the palette; 4-bit pictures get the mask of their
// bottom-left colour when masked.
bool FromDib(UCB* ucb, HDC dc, const BYTE* dib, DWORD bytes, bool masked, Picture* picture) {
  if (dib == nullptr || bytes < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER h;
  std::memcpy(&h, dib, sizeof h);
  if (h.biSize < sizeof h || h.biBitCount > 8 || h.biBitCount == 0 || h.biWidth <= 0 || h.biHeight == 0) return false;
  const DWORD colours = h.biClrUsed != 0 ? h.biClrUsed : (1u << h.biBitCount);
  const LONG lines = h.biHeight > 0 ? h.biHeight : -h.biHeight;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  const std::uint64_t tableEnd = h.biSize + 4ull * colours;
  if (colours > (1u << h.biBitCount) || tableEnd + stride * lines > bytes) return false;
  std::vector<BYTE> info(dib, dib + tableEnd);
  auto* table = reinterpret_cast<RGBQUAD*>(info.data() + h.biSize);
  const bool grey = Grey(ucb);
  for (DWORD i = 0; i < colours; ++i) {
    const COLORREF c = AdjustColor(ucb, RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue), grey);
    table[i] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
    MakePalette256(dc, static_cast<int>(i), c);
  }
  const BYTE* pixels = dib + tableEnd;
  if (masked && h.biBitCount == 4) {
    const auto clear = static_cast<DWORD>(BottomLeftIndex(h, pixels));
    std::vector<BYTE> maskInfo = info;
    auto* maskTable = reinterpret_cast<RGBQUAD*>(maskInfo.data() + h.biSize);
    for (DWORD i = 0; i < colours; ++i) {
      const BYTE v = i == clear ? 0xFF : 0;
      maskTable[i] = RGBQUAD{v, v, v, 0};
    }
    if (clear < colours) table[clear] = RGBQUAD{0, 0, 0, 0};
    picture->mask = Render(maskInfo, pixels, h.biWidth, lines);
  }
  picture->image = Render(info, pixels, h.biWidth, lines);
  picture->width = h.biWidth;
  picture->height = lines;
  return picture->image != nullptr;
}

bool SizeOf(HBITMAP bitmap, Picture* picture) {
  BITMAP b{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof b, &b) == 0) return false;
  picture->image = bitmap;
  picture->width = b.bmWidth;
  picture->height = b.bmHeight;
  return true;
}

bool Load(UCB* ucb, HDC dc, LPCWSTR source, DWORD flags, Picture* picture) {
  const auto value = reinterpret_cast<ULONG_PTR>(source);
  if (value == 0) {
    return SizeOf(std::exchange(ucb->pWork->dialog.hParkedBitmap, nullptr), picture);
  }
  if (value < kIdLimit) {
    DWORD bytes = 0;
    const BYTE* dib = LoadBitmapResource(ucb, static_cast<UINT>(value), &bytes);
    if (FromDib(ucb, dc, dib, bytes, (flags & kPaintOwnSize) != 0, picture)) return true;
    return SizeOf(LoadBitmapFromResDll(ucb, static_cast<UINT>(value)), picture);
  }
  if (source[0] != 0 && source[1] == u':') {
    LONG width = 0, height = 0;
    picture->file = true;
    picture->image = LoadBitmapFile(source, &width, &height);
    picture->width = width;
    picture->height = height;
    return picture->image != nullptr;
  }
  return SizeOf(LoadBitmapFromResDllByName(ucb, source), picture);
}

// Puts the picture on the DC at (x, y) by the raster operation (or through
// its mask), composed in a memory copy of the rectangle.
void Compose(HDC dc, const RECT& r, int x, int y, const Picture& picture, DWORD rop) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  const HBITMAP copy = CreateCompatibleBitmap(dc, w, h);
  const HDC memory = CreateCompatibleDC(dc);
  const HGDIOBJ oldCopy = SelectObject(memory, copy);
  BitBlt(memory, 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ oldSource = SelectObject(source, picture.mask != nullptr ? picture.mask : picture.image);
  if (picture.mask != nullptr) {
    BitBlt(memory, x - r.left, y - r.top, picture.width, picture.height, source, 0, 0, SRCAND);
    SelectObject(source, picture.image);
    rop = SRCPAINT;
  }
  BitBlt(memory, x - r.left, y - r.top, picture.width, picture.height, source, 0, 0, rop);
  SelectObject(source, oldSource);
  DeleteDC(source);
  BitBlt(dc, r.left, r.top, w, h, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldCopy);
  DeleteDC(memory);
  DeleteObject(copy);
}

void Stretch(HDC dc, const RECT& r, const Picture& picture) {
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, picture.image);
  StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, picture.width, picture.height,
             SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

// The held copy of the target, made from the screen by the first paint.
HDC HeldCopy(DIALOGSLOTS& slots, HDC dc, const RECT& r) {
  if (slots.hHoldDC != nullptr) return slots.hHoldDC;
  const int w = r.right - r.left, h = r.bottom - r.top;
  const HBITMAP copy = CreateCompatibleBitmap(dc, w > 0 ? w : 1, h > 0 ? h : 1);
  if (copy == nullptr) return nullptr;
  slots.hHoldDC = CreateCompatibleDC(dc);
  slots.hHoldBitmap = copy;
  slots.hHoldOld = SelectObject(slots.hHoldDC, copy);
  BitBlt(slots.hHoldDC, 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
  return slots.hHoldDC;
}

}  // namespace

BOOL PaintBitmapFromResDll2(UCB* ucb, HDC dc, const RECT* rectangle, int x, int y, LPCWSTR source, DWORD flags) {
  if (ucb == nullptr || ucb->pWork == nullptr || dc == nullptr || rectangle == nullptr) return FALSE;
  DIALOGSLOTS& slots = ucb->pWork->dialog;
  RECT r = *rectangle;
  HDC target = dc;
  if (slots.fHoldPaint) {
    target = HeldCopy(slots, dc, r);
    if (target == nullptr) return FALSE;
    x -= r.left;
    y -= r.top;
    r = RECT{0, 0, r.right - r.left, r.bottom - r.top};
  }
  Picture picture;
  if (!Load(ucb, target, source, flags, &picture)) return FALSE;
  if (source == nullptr) {  // the parked picture is centred on the rectangle
    x = (r.left + r.right) / 2;
    y = (r.top + r.bottom) / 2;
    flags |= kPaintCentreX | kPaintCentreY;
  }
  if ((flags & kPaintOwnSize) && picture.file) {
    Stretch(target, r, picture);
    return TRUE;
  }
  if (flags & kPaintOwnSize) {
    if (slots.fHoldPaint) slots.holdStored = SIZE{picture.width, picture.height};
    Compose(target, RECT{r.left, r.top, r.left + picture.width, r.top + picture.height}, r.left, r.top, picture,
            SRCCOPY);
    return TRUE;
  }
  if (flags & kPaintRight) x -= picture.width;
  if (flags & kPaintCentreX) x -= picture.width / 2;
  if (flags & kPaintBottom) y -= picture.height;
  if (flags & kPaintCentreY) y -= picture.height / 2;
  Compose(target, r, x, y, picture, RasterOf(flags));
  return TRUE;
}

BOOL PaintBitmapFromResDll(UCB* ucb, HWND window, const RECT* rectangle, UINT id, DWORD flags) {
  if (ucb == nullptr || window == nullptr) return FALSE;
  RECT r{};
  if (rectangle != nullptr) {
    r = *rectangle;
    flags |= kPaintCentreX | kPaintCentreY;
  } else if (!GetClientRect(window, &r)) {
    return FALSE;
  }
  int x = r.left, y = r.top;
  if (const BITMAPINFOROW* row = FindBitmapInfo(id)) {
    x += row->sOffsetX;
    y += row->sOffsetY;
    flags |= row->dwFlags;
  }
  if (flags & kPaintOwnSize) {
    BITMAP b{};
    const HBITMAP own = LoadBitmapFromResDll(ucb, id);
    if (own == nullptr) return FALSE;
    GetObjectW(own, sizeof b, &b);
    DeleteObject(own);
    r = RECT{x, y, x + b.bmWidth, y + b.bmHeight};
  }
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (flags & kPaintRight) x += w;
  if (flags & kPaintCentreX) x += w / 2;
  if (flags & kPaintCentreY) y += h / 2;
  if (flags & kPaintBottom) y += h;
  const HDC dc = GetKesmDC(ucb, window);
  if (dc == nullptr) return FALSE;
  const BOOL painted = PaintBitmapFromResDll2(ucb, dc, &r, x, y, MAKEINTRESOURCEW(static_cast<WORD>(id)), flags);
  ReleaseKesmDC(ucb, window, dc);
  return painted;
}

void HoldPaintBitmap(UCB* ucb) {
  if (ucb != nullptr && ucb->pWork != nullptr) ucb->pWork->dialog.fHoldPaint = 1;
}

void ReleasePaintBitmap(UCB* ucb, HWND window, const RECT* rectangle) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  DIALOGSLOTS& slots = ucb->pWork->dialog;
  // A hold in which nothing was painted ends here too: else every later
  // paint of the context would go into a copy nobody puts on the screen.
  if (slots.hHoldDC == nullptr) slots.fHoldPaint = 0;
  if (window == nullptr || rectangle == nullptr || slots.hHoldDC == nullptr) return;
  const HDC dc = GetKesmDC(ucb, window);
  const RECT& r = *rectangle;
  if (dc != nullptr) {
    const SIZE s = slots.holdStored;
    if (s.cx > 0 && s.cy > 0) {
      StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, slots.hHoldDC, 0, 0, s.cx, s.cy, SRCCOPY);
    } else {
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, slots.hHoldDC, 0, 0, SRCCOPY);
    }
    ReleaseKesmDC(ucb, window, dc);
  }
  SelectObject(slots.hHoldDC, slots.hHoldOld);
  DeleteDC(slots.hHoldDC);
  DeleteObject(slots.hHoldBitmap);
  slots.hHoldDC = nullptr;
  slots.hHoldBitmap = nullptr;
  slots.hHoldOld = nullptr;
  slots.holdStored = SIZE{};
  slots.fHoldPaint = 0;
}
