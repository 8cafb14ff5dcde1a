// Picture items: the pictures of their group's options painted into the
// item's window or into a caller's DC, and the preview hook that lets a
// feature module draw over a page picture. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"
#include "settings/tables/dialog_tables.h"
#include "ui/bitmaps/bitmap_info.h"

// The page pictures of portrait and landscape pages, each list ended by 0.
inline constexpr int kPortraitPictures = 22;
inline constexpr int kLandscapePictures = 26;
extern const WORD port[kPortraitPictures + 1];
extern const WORD land[kLandscapePictures + 1];

// The preview box a feature module draws into over a portrait or a
// landscape page picture.
inline constexpr SIZE kPortraitPreview = {50, 69};
inline constexpr SIZE kLandscapePreview = {68, 50};

// The feature modules' event sent after a picture item painted a page
// picture, with the record below: the stamp module draws its watermark
// and copy-guard previews there.
inline constexpr DWORD kCustomPreviewPaint = 7;
struct CustomPreviewPaint {
  ICB* icb;
  LONG width;                 // the preview box
  LONG height;
  HDC dc;                     // the caller's DC, null for the item's own window
  const RECT* rect;           // the caller's rectangle, or the item's client rectangle
  const BITMAPINFOROW* row;   // the page picture's row of the bitmap info list, null when none
};
