// What the dialog engine keeps in a printer context's work area, all zero
// when the context is built. Three of its slots are fields the work area
// already has for other callers: the changed-page flag is WORKAREA::fChanged,
// the 1025-character text buffer (the progress window's message too) is
// WORKAREA::szScratch and the chapter buffer is WORKAREA::pChapterBlocks.
#pragma once

#include "platform/base/wintypes.h"

struct DIALOGSLOTS {
  INT fOk;                  // 1 when the last dialog or sheet ended with acceptance
  HWND hBalloon;            // the hover pop-up window
  INT idHoverTimer;         // the running hover timer, 0 when none
  HWND hHovered;            // the control under the mouse when the timer started
  WORD wPopupOwnerId;       // control id of the item whose pop-up shows
  WORD wStartPageId;        // dialog id of the first page initialised, 0 until set
  HCURSOR hArrowCursor;     // resource-DLL cursor 8000
  HCURSOR hHandCursor;      // resource-DLL cursor 8001
  COLORREF crButtonFace;    // made once per context, with its brush
  HBRUSH hButtonFaceBrush;
  HBRUSH hWhiteBrush;
  INT fLayoutPending;       // 1 from a page's WM_INITDIALOG until it is laid out
  INT fApplying;            // 1 while the sheet's apply step runs
  INT fHoldPaint;           // 1 from HoldPaintBitmap until ReleasePaintBitmap
  HDC hHoldDC;              // the held copy of the target, made by the first paint
  HBITMAP hHoldBitmap;
  HGDIOBJ hHoldOld;
  SIZE holdStored;          // the size a stretched picture left in the copy, 0 x 0 when none
  HBITMAP hParkedBitmap;    // a picture left to be painted by the next sourceless paint
  LONG lPopupKey;           // the list entry or hit position the pop-up explains
  HCURSOR hSavedCursor;     // the cursor to restore after a picture hover, 0 when none
  HDC hPaintDC;             // the DC item painting draws into while an item paints itself, else 0
  WORD wOwnerCaptionId;     // caption string id of the owner-drawn button being drawn, 0 none
  WORD wReserved;
  INT fRefreshing;          // 1 while a page refresh runs (re-entry is dropped)
  HWND hTypedEdit;          // the size edit that has the focus, 0 when none
  LONG lTypedDots;          // the dots it showed when it took the focus
  LONG lTypedSize;          // and the display value it showed them as
  HWND hJudgedEdit;         // the number edit that has the focus, 0 when none
  LONG lJudgedValue;        // its value when it took the focus or was last judged
  WORD wFileAction;         // the set-file button a file dialog's hook chose (5001-5003), 0 none
  WORD wFileOffset;         // where the first chosen name starts in szChosenFile
  WCHAR szChosenFile[1025]; // what the last file dialog chose: a path, or a folder and names
};

// The cursors the page initialisation loads from the resource DLL.
inline constexpr WORD kArrowCursorId = 8000;
inline constexpr WORD kHandCursorId = 8001;
