// The watermark and the copy guard as they would print, drawn over the page
// picture of a preview item: each on an off-screen bitmap of the preview's
// size, which then goes onto the preview DC at the page picture's centre.
// Outlined characters (frame 3 of a watermark, the copy guard's outline
// setting) are the text drawn into a path whose outline the thin pen of the
// colour strokes.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "features/stamp/preview_geometry.h"
#include "features/stamp/stamp_module.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/tables/class_data.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/bitmaps/dib_file.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/item_dispatch.h"

namespace {

constexpr WORD kFuncResolution = 38;       // kdmDstResolutionW
constexpr WORD kFuncPaperLength = 47;      // kdmDstPaperLengthDot
constexpr WORD kFuncPaperWidth = 48;       // kdmDstPaperWidthDot
constexpr WORD kFuncWatermarkOn = 60;      // kdmFuncSelectWaterMark
constexpr WORD kFuncWatermarkKind = 117;   // kdmWmKind
constexpr WORD kFuncCopyGuardOn = 79;      // kdmFuncSelectCopyProtect
constexpr WORD kFuncCopyGuardColour = 512;
constexpr WORD kFuncCopyGuardDensity = 513;
constexpr WORD kFuncCopyGuardPattern = 515;
constexpr WORD kFuncCopyGuardOutline = 517;
constexpr WORD kFuncCopyGuardRepeat = 519;
constexpr WORD kFuncCopyGuardReverse = 520;
constexpr WORD kFuncCopyGuardPosition = 523;
constexpr WORD kFuncCopyGuardText = 524;
constexpr WORD kFuncCopyGuardFont = 525;
constexpr WORD kFuncCopyGuardStyle = 526;
constexpr WORD kFuncCopyGuardPoints = 527;
constexpr WORD kFuncCopyGuardAngle = 528;
constexpr WORD kFuncCopyGuardPitch = 529;
constexpr WORD kCopyGuardPatternItem = 2931;
constexpr WORD kCopyGuardTextItem = 2943;
constexpr LONG kCopyGuardPitchUnit = 70;

// The words of a watermark descriptor, after its class type.
enum DescriptorWord : std::size_t {
  kWmText = 1,
  kWmFont,
  kWmStyle,
  kWmFrame,
  kWmColour,
  kWmDensity,
  kWmAngle,
  kWmPoints,
  kWmBitmapFile,
  kWmBitmapScale,
  kWmPosition,
  kWmRepeat,
  kWmForeground,
};

enum Frame : LONG { kFrameBox = 1, kFrameCircle = 2, kFrameOutline = 3 };

constexpr DWORD kRopPatternOrDest = 0x00FA0089;   // D | P
constexpr DWORD kRopPatternAndDest = 0x00A000C9;  // D & P
constexpr WORD kKindText = 1;
constexpr WORD kKindBitmap = 2;

LONG Value(const UCB* ucb, WORD funcId) {
  return funcId != 0 ? static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr)) : 0;
}

std::u16string Text(const UCB* ucb, WORD funcId) {
  const SFCB* record = funcId != 0 ? GetSFCBbyFuncID(ucb, funcId) : nullptr;
  if (record == nullptr || !SettingKindIsString(SettingKindOf(record->descriptor))) return {};
  std::vector<WCHAR> buffer(SettingSizeOf(record->descriptor) + 1, 0);
  if (GetDevmodeStringBySFCB(ucb, record, buffer.data()) == nullptr) return {};
  buffer.back() = 0;
  return buffer.data();
}

// A memory DC with its own bitmap selected; everything goes with it.
class Canvas {
 public:
  Canvas(HDC like, SIZE size) : size_(size) {
    if (like == nullptr || size.cx <= 0 || size.cy <= 0) return;
    dc_ = CreateCompatibleDC(like);
    if (dc_ != nullptr) bitmap_ = CreateCompatibleBitmap(like, size.cx, size.cy);
    if (bitmap_ != nullptr) old_ = SelectObject(dc_, bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    if (dc_ != nullptr && old_ != nullptr) SelectObject(dc_, old_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  bool ok() const { return old_ != nullptr; }
  HDC dc() const { return dc_; }
  SIZE size() const { return size_; }
  void Fill(COLORREF colour) const {
    const HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) return;
    const RECT all{0, 0, size_.cx, size_.cy};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }

 private:
  SIZE size_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// An object selected into a DC for the span of a scope, and deleted after.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object) {
    if (dc_ != nullptr && object_ != nullptr) old_ = SelectObject(dc_, object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  ~Selected() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (object_ != nullptr) DeleteObject(object_);
  }

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ old_ = nullptr;
};

// Where a preview goes: the DC the page picture is on, the bitmap size and
// the whole inches of the paper's shorter side.
struct PreviewFrame {
  HDC target = nullptr;
  SIZE size{};
  LONG inches = 0;
  LONG shorterSide = 0;
  LONG resolution = 0;
};

HDC PreviewDC(const UCB* ucb) {
  const DIALOGSLOTS& slots = ucb->pWork->dialog;
  return slots.hHoldDC != nullptr ? slots.hHoldDC : slots.hPaintDC;
}

// False when there is nothing to draw on. Paper under an inch on its
// shorter side, or no resolution, leaves the font height without a scale:
// such a preview is skipped rather than drawn at a made-up size.
bool CommonFrame(const UCB* ucb, LONG width, LONG height, const RECT* page, PreviewFrame* frame) {
  if (ucb == nullptr || ucb->pWork == nullptr || page == nullptr) return false;
  frame->target = PreviewDC(ucb);
  frame->size = {width - 2, height - 2};
  frame->resolution = Value(ucb, kFuncResolution);
  frame->shorterSide = std::min(Value(ucb, kFuncPaperLength), Value(ucb, kFuncPaperWidth));
  frame->inches = ShorterSideInches(Value(ucb, kFuncPaperLength), Value(ucb, kFuncPaperWidth), frame->resolution);
  return frame->target != nullptr && frame->size.cx > 0 && frame->size.cy > 0 && frame->inches > 0;
}

// How a text is drawn: its words, its font and how it is framed.
struct TextLook {
  std::u16string text;
  std::u16string face;
  LONG style = 0;
  LONG frame = 0;
  int angle = 0;  // degrees, 0..359
  LONG points = 0;
};

HFONT MakeFont(const ICB* preview, const TextLook& look, LONG inches, int escapement) {
  LOGFONTW font{};
  const HWND parent = preview != nullptr && preview->hWnd != nullptr ? GetParent(preview->hWnd) : nullptr;
  auto dialogFont = parent != nullptr ? reinterpret_cast<HGDIOBJ>(SendMessageW(parent, WM_GETFONT, 0, 0)) : nullptr;
  if (dialogFont == nullptr) dialogFont = GetStockObject(DEFAULT_GUI_FONT);
  if (dialogFont != nullptr) GetObjectW(dialogFont, sizeof font, &font);
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfPitchAndFamily = 0;
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), u'\0');
  std::copy_n(look.face.begin(), std::min<std::size_t>(look.face.size(), LF_FACESIZE - 1), font.lfFaceName);
  font.lfEscapement = escapement;
  font.lfOrientation = escapement;
  font.lfHeight = PreviewFontHeight(look.points, inches, escapement);
  font.lfWeight = look.style == 1 || look.style == 3 ? FW_BOLD : FW_NORMAL;
  font.lfItalic = look.style == 2 || look.style == 3 ? 1 : 0;
  return CreateFontIndirectW(&font);
}

// The text's extent in the font selected into dc, widened to its ink and
// by extra; false (draw nothing) when it has no extent.
bool Measure(HDC dc, const std::u16string& text, SIZE extra, SIZE* size) {
  if (text.empty()) return false;
  SIZE extent{};
  if (!GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent)) return false;
  if (extent.cx == 0 || extent.cy == 0) return false;
  std::vector<ABC> widths(text.size());
  bool measured = true;
  for (std::size_t i = 0; i < text.size() && measured; ++i) {
    measured = GetCharABCWidthsW(dc, text[i], text[i], &widths[i]) != FALSE;
  }
  const LONG cx = measured ? InkWidth(extent.cx, widths.data(), widths.size()) : extent.cx;
  *size = {cx + extra.cx, extent.cy + extra.cy};
  return true;
}

// A font and the box of the text in it.
struct PlacedText {
  HFONT font = nullptr;
  PREVIEWBOX box{};
};

constexpr POINT kWatermarkOrigin{1, 5};
constexpr SIZE kWatermarkExtra{2, 10};

bool PrepareText(HDC dc, const ICB* preview, const TextLook& look, LONG inches, int escapement, POINT origin, SIZE extra,
                 PlacedText* placed) {
  placed->font = MakeFont(preview, look, inches, escapement);
  if (placed->font == nullptr) return false;
  const HGDIOBJ old = SelectObject(dc, placed->font);
  SIZE size{};
  const bool measured = Measure(dc, look.text, extra, &size);
  SelectObject(dc, old);
  if (!measured) return false;
  const int angle = escapement / 10;
  placed->box = look.frame == kFrameCircle ? CircledBox(size.cx, size.cy, origin, angle)
                                           : TurnedBox(size.cx, size.cy, origin, angle);
  return true;
}

void DrawOne(HDC dc, const PlacedText& placed, const TextLook& look, POINT at) {
  const PREVIEWBOX& b = placed.box;
  TextOutW(dc, at.x + b.pt[4].x, at.y + b.pt[4].y, look.text.c_str(), static_cast<int>(look.text.size()));
  if (look.frame == kFrameBox) {
    MoveToEx(dc, at.x + b.pt[0].x, at.y + b.pt[0].y, nullptr);
    for (const int i : {1, 2, 3, 0}) LineTo(dc, at.x + b.pt[i].x, at.y + b.pt[i].y);
  } else if (look.frame == kFrameCircle) {
    const int right = at.x + b.width;
    const int middle = at.y + b.height / 2;
    Arc(dc, at.x, at.y, at.x + b.width, at.y + b.height, right, middle, right, middle);
  }
}

// Draws on the first canvas in the colour, or, when its DC cannot show the
// colour itself, in black on a white second canvas that is combined with
// the first afterwards.
class ColourDrawing {
 public:
  ColourDrawing(const Canvas& first, COLORREF colour, bool over)
      : first_(first), colour_(colour), over_(over),
        second_(first.dc(), GetNearestColor(first.dc(), colour) != colour ? first.size() : SIZE{}) {
    if (second_.ok()) second_.Fill(RGB(255, 255, 255));
  }
  HDC dc() const { return second_.ok() ? second_.dc() : first_.dc(); }
  COLORREF ink() const { return second_.ok() ? RGB(0, 0, 0) : colour_; }
  // Puts a drawing made on the second canvas onto the first: over the page
  // picture (opaque), or under it.
  void Combine() const {
    if (!second_.ok()) return;
    const SIZE s = first_.size();
    const HDC d = second_.dc();
    Selected brush(d, CreateSolidBrush(colour_));
    if (over_) {
      BitBlt(first_.dc(), 0, 0, s.cx, s.cy, d, 0, 0, SRCAND);
      PatBlt(d, 0, 0, s.cx, s.cy, DSTINVERT);
      PatBlt(d, 0, 0, s.cx, s.cy, kRopPatternAndDest);
      BitBlt(first_.dc(), 0, 0, s.cx, s.cy, d, 0, 0, SRCPAINT);
    } else {
      PatBlt(d, 0, 0, s.cx, s.cy, kRopPatternOrDest);
      BitBlt(first_.dc(), 0, 0, s.cx, s.cy, d, 0, 0, SRCAND);
    }
  }

 private:
  const Canvas& first_;
  COLORREF colour_;
  bool over_;
  Canvas second_;
};

// Text drawn as outlined characters: the drawing between the start and
// Stroke goes into a path, whose outline the DC's pen then strokes.
class Outlines {
 public:
  Outlines(HDC dc, bool on) : dc_(dc), on_(on && BeginPath(dc) != FALSE) {}
  Outlines(const Outlines&) = delete;
  Outlines& operator=(const Outlines&) = delete;
  ~Outlines() {
    if (on_) AbortPath(dc_);
  }
  void Stroke() {
    if (on_ && EndPath(dc_)) StrokePath(dc_);
    on_ = false;
  }

 private:
  HDC dc_;
  bool on_;
};

// The text's colour, a transparent background and a thin pen of the
// colour on the drawing DC for a scope.
class Ink {
 public:
  Ink(HDC dc, COLORREF colour) : dc_(dc), pen_(dc, CreatePen(PS_SOLID, 1, colour)) {
    oldText_ = SetTextColor(dc, colour);
    oldMode_ = SetBkMode(dc, TRANSPARENT);
  }
  Ink(const Ink&) = delete;
  Ink& operator=(const Ink&) = delete;
  ~Ink() {
    SetTextColor(dc_, oldText_);
    SetBkMode(dc_, oldMode_);
  }

 private:
  HDC dc_;
  Selected pen_;
  COLORREF oldText_;
  int oldMode_;
};

void DrawWatermarkText(const UCB* ucb, const ICB* preview, const WORD* d, const PreviewFrame& frame, const Canvas& first) {
  const bool over = Value(ucb, d[kWmForeground]) != 0;
  const COLORREF colour = PreviewColour(Value(ucb, d[kWmColour]), WatermarkGrey(Value(ucb, d[kWmDensity])));
  const ColourDrawing drawing(first, colour, over);
  const HDC dc = drawing.dc();
  TextLook look{Text(ucb, d[kWmText]),
                Text(ucb, d[kWmFont]),
                Value(ucb, d[kWmStyle]),
                Value(ucb, d[kWmFrame]),
                PreviewAngle(Value(ucb, d[kWmAngle])),
                Value(ucb, d[kWmPoints])};
  PlacedText placed;
  if (!PrepareText(dc, preview, look, frame.inches, look.angle * 10, kWatermarkOrigin, kWatermarkExtra, &placed)) {
    if (placed.font != nullptr) DeleteObject(placed.font);
    return;
  }
  {
    const Ink ink(dc, drawing.ink());
    Selected font(dc, placed.font);
    Outlines outlines(dc, look.frame == kFrameOutline);
    const SIZE box{placed.box.width, placed.box.height};
    if (Value(ucb, d[kWmRepeat]) == 1) {
      for (std::int64_t y = 0; y < frame.size.cy; y += std::int64_t{box.cy} + 1) {
        for (std::int64_t x = 0; x < frame.size.cx; x += std::int64_t{box.cx} + 1) {
          DrawOne(dc, placed, look, {static_cast<LONG>(x), static_cast<LONG>(y)});
        }
      }
    } else {
      DrawOne(dc, placed, look, PlaceBox(Value(ucb, d[kWmPosition]), frame.size, box));
    }
    outlines.Stroke();
  }
  drawing.Combine();
}

void DrawWatermarkImage(const UCB* ucb, const WORD* d, const PreviewFrame& frame, const Canvas& first) {
  if (d[kWmBitmapFile] == 0) return;
  const std::u16string path = Text(ucb, d[kWmBitmapFile]);
  LONG iw = 0, ih = 0;
  const HBITMAP image = path.empty() ? nullptr : LoadBitmapFile(path.c_str(), &iw, &ih);
  if (image == nullptr) return;
  const LONG scale = Value(ucb, d[kWmBitmapScale]);
  const SIZE tile{ScaledImageSide(iw, scale, frame.resolution, frame.shorterSide),
                  ScaledImageSide(ih, scale, frame.resolution, frame.shorterSide)};
  const HDC imageDC = CreateCompatibleDC(first.dc());
  if (imageDC != nullptr && tile.cx > 0 && tile.cy > 0) {
    const HGDIOBJ old = SelectObject(imageDC, image);
    if (Value(ucb, d[kWmRepeat]) == 1) {
      const Canvas stretched(first.dc(), {std::min(tile.cx, frame.size.cx), std::min(tile.cy, frame.size.cy)});
      if (stretched.ok()) {
        StretchBlt(stretched.dc(), 0, 0, tile.cx, tile.cy, imageDC, 0, 0, iw, ih, SRCCOPY);
        for (LONG y = 0; y < frame.size.cy; y += tile.cy) {
          for (LONG x = 0; x < frame.size.cx; x += tile.cx) {
            BitBlt(first.dc(), x, y, tile.cx, tile.cy, stretched.dc(), 0, 0, SRCCOPY);
          }
        }
      }
    } else {
      const POINT at = PlaceBox(Value(ucb, d[kWmPosition]), frame.size, tile);
      StretchBlt(first.dc(), at.x, at.y, tile.cx, tile.cy, imageDC, 0, 0, iw, ih, SRCCOPY);
    }
    SelectObject(imageDC, old);
  }
  if (imageDC != nullptr) DeleteDC(imageDC);
  DeleteObject(image);
}

void DrawCopyGuardText(const UCB* ucb, const ICB* preview, const PreviewFrame& frame, const Canvas& first, COLORREF colour) {
  const ColourDrawing drawing(first, colour, true);
  const HDC dc = drawing.dc();
  TextLook look{Text(ucb, kFuncCopyGuardText), Text(ucb, kFuncCopyGuardFont), Value(ucb, kFuncCopyGuardStyle), 0,
                PreviewAngle(Value(ucb, kFuncCopyGuardAngle)), Value(ucb, kFuncCopyGuardPoints)};
  const int escapement = look.angle * 10;
  const bool reverse = Value(ucb, kFuncCopyGuardReverse) == 1;
  PlacedText normal, reversed;
  const bool ready = PrepareText(dc, preview, look, frame.inches, escapement, {0, 0}, {0, 0}, &normal) &&
                     (!reverse || PrepareText(dc, preview, look, frame.inches,
                                              escapement <= 1799 ? escapement + 1800 : escapement - 1800, {0, 0},
                                              {0, 0}, &reversed));
  if (ready) {
    const Ink ink(dc, drawing.ink());
    const HGDIOBJ old = SelectObject(dc, normal.font);
    Outlines outlines(dc, Value(ucb, kFuncCopyGuardOutline) != 0);
    if (Value(ucb, kFuncCopyGuardRepeat) == 1) {
      const std::int64_t pitch = static_cast<DWORD>(Value(ucb, kFuncCopyGuardPitch)) / kCopyGuardPitchUnit;
      int row = 1;
      for (std::int64_t y = 0; y < frame.size.cy; y += normal.box.height + pitch, ++row) {
        const auto top = static_cast<LONG>(y);
        if (reverse && row % 2 == 0) {
          SelectObject(dc, reversed.font);
          for (std::int64_t x = frame.size.cx - reversed.box.width; x > 0; x -= std::int64_t{reversed.box.width} + 1) {
            DrawOne(dc, reversed, look, {static_cast<LONG>(x), top});
          }
          SelectObject(dc, normal.font);
        } else {
          for (std::int64_t x = 0; x < frame.size.cx; x += std::int64_t{normal.box.width} + 1) {
            DrawOne(dc, normal, look, {static_cast<LONG>(x), top});
          }
        }
      }
    } else {
      const SIZE box{normal.box.width, normal.box.height};
      DrawOne(dc, normal, look, PlaceBox(Value(ucb, kFuncCopyGuardPosition), frame.size, box));
    }
    outlines.Stroke();
    SelectObject(dc, old);
  }
  for (const HFONT f : {normal.font, reversed.font}) {
    if (f != nullptr) DeleteObject(f);
  }
  drawing.Combine();
}

}  // namespace

void MakeWaterMarkBitmap(UCB* ucb, ICB* preview, LONG width, LONG height, LONG_PTR, const RECT* page) {
  const auto* d = preview != nullptr ? static_cast<const WORD*>(KesmGetClassData(preview, kClassWatermark)) : nullptr;
  if (d == nullptr || ucb == nullptr || Value(ucb, kFuncWatermarkOn) == 0) return;
  PreviewFrame frame;
  if (!CommonFrame(ucb, width, height, page, &frame)) return;
  const Canvas first(frame.target, frame.size);
  if (!first.ok()) return;
  const POINT anchor = WatermarkAnchor(*page, frame.size);
  const bool over = Value(ucb, d[kWmForeground]) != 0;
  if (over) {
    BitBlt(first.dc(), 0, 0, frame.size.cx, frame.size.cy, frame.target, anchor.x, anchor.y, SRCCOPY);
  } else {
    PatBlt(first.dc(), 0, 0, frame.size.cx, frame.size.cy, WHITENESS);
  }
  const LONG kind = Value(ucb, kFuncWatermarkKind);
  if (kind == kKindText) {
    DrawWatermarkText(ucb, preview, d, frame, first);
  } else if (kind == kKindBitmap) {
    DrawWatermarkImage(ucb, d, frame, first);
  }
  BitBlt(frame.target, anchor.x, anchor.y, frame.size.cx, frame.size.cy, first.dc(), 0, 0, over ? SRCCOPY : SRCAND);
}

void MakeCopyProtectBitmap(UCB* ucb, ICB* preview, LONG width, LONG height, LONG_PTR, const RECT* page) {
  if (ucb == nullptr || preview == nullptr) return;
  if (preview->itemId != kCopyGuardPatternItem && preview->itemId != kCopyGuardTextItem) return;
  if (Value(ucb, kFuncCopyGuardOn) == 0) return;
  PreviewFrame frame;
  if (!CommonFrame(ucb, width, height, page, &frame)) return;
  const Canvas first(frame.target, frame.size);
  if (!first.ok()) return;
  const POINT anchor = CopyGuardAnchor(*page, frame.size);
  BitBlt(first.dc(), 0, 0, frame.size.cx, frame.size.cy, frame.target, anchor.x, anchor.y, SRCCOPY);
  const bool pattern = Value(ucb, kFuncCopyGuardPattern) != 0;
  const LONG density = preview->itemId == kCopyGuardTextItem && pattern
                           ? BKPDGetGroupDefaultByFuncID(kFuncCopyGuardDensity, ucb)
                           : Value(ucb, kFuncCopyGuardDensity);
  const COLORREF colour = PreviewColour(Value(ucb, kFuncCopyGuardColour), CopyGuardGrey(density));
  if (preview->itemId == kCopyGuardPatternItem || pattern) first.Fill(colour);
  if (preview->itemId == kCopyGuardTextItem) DrawCopyGuardText(ucb, preview, frame, first, colour);
  BitBlt(frame.target, anchor.x, anchor.y, frame.size.cx, frame.size.cy, first.dc(), 0, 0, SRCCOPY);
}
