// The life of every page and driver dialog: one dialog procedure for the
// pages of the property sheets and for the modal dialogs, the page
// procedure that prepares a sheet's buttons before a page starts, the
// binding of a context's items to their settings and UI groups, and the
// layout that fits a page into its place. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// Private messages of the page life. kMsgLayoutPage is posted by a page's
// WM_INITDIALOG; kCmdPressOk is a WM_COMMAND id that presses the sheet's OK.
inline constexpr UINT kMsgLayoutPage = 0x8006;
inline constexpr WORD kCmdPressOk = 0x8003;

// The buttons a request puts beside (or in place of) the sheet's OK: save
// the settings as a new preset, or over the selected one, then accept.
inline constexpr WORD kCmdSaveNewPreset = 11111;
inline constexpr WORD kCmdOverwritePreset = 22222;

// Request word bits of the page life.
inline constexpr DWORD kRequestNewPresetButton = 0x80000000;
inline constexpr DWORD kRequestOverwriteButton = 0x40000000;
inline constexpr DWORD kRequestFreshStart = 0x10000000;
inline constexpr DWORD kRequestSaveBeforeOk = 0x00800000;

// Events the dialog procedure sends the feature modules.
// A right double-click with Ctrl and Shift over an item of the hidden
// functions.
inline constexpr DWORD kCustomHiddenFunction = 14;
struct CustomItemEvent {
  TCB* tcb;
  ICB* icb;
};
// A modal dialog other than the stamp image and overlay dialogs closed
// with one of its closing buttons.
inline constexpr DWORD kCustomDialogClosed = 25;
struct CustomDialogClosed {
  TCB* tcb;
  ICB* icb;
  DWORD id;  // the button: IDOK, IDCANCEL, IDYES, IDNO or 8
};
// A document page was accepted and refreshed (no record).
inline constexpr DWORD kCustomDocumentPageAccepted = 28;

// The page procedure of every property-sheet page (the PROPSHEETPAGE's
// lParam holds the context): on WM_INITDIALOG it makes the page current,
// prepares the extra OK buttons a request asks for, hides the page's
// children and hands the context (not the page record) to DialogProc.
INT_PTR CALLBACK PropertySheetProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// The one dialog procedure; modal dialogs get the context as their
// creation parameter.
INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Binds every item of the context once: its setting, its UI group, the
// shared cursors and brushes, the chapter blocks, the selected preset's
// name, watermark and quality set, and the undo point for Cancel. A tab
// names the first tab to test for binding; null means the first tab.
void CheckICB(UCB* ucb, TCB* tcb);
// Fits the page's children into its client area, shows those that are no
// item's, enables the page and refreshes it.
void CheckLayout(UCB* ucb, HWND page);
