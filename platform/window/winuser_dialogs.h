// The dialog manager: dialog templates in memory and in a module's
// resources, modal and modeless dialogs, the dialog procedure and its
// return-value rule, keyboard navigation (IsDialogMessageW) and the helpers
// that reach a dialog's controls by id.
#pragma once

#include "platform/window/winuser.h"

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// Dialog styles.
inline constexpr DWORD DS_ABSALIGN = 0x0001u;
inline constexpr DWORD DS_SYSMODAL = 0x0002u;
inline constexpr DWORD DS_LOCALEDIT = 0x0020u;
inline constexpr DWORD DS_SETFONT = 0x0040u;
inline constexpr DWORD DS_MODALFRAME = 0x0080u;
inline constexpr DWORD DS_NOIDLEMSG = 0x0100u;
inline constexpr DWORD DS_SETFOREGROUND = 0x0200u;
inline constexpr DWORD DS_3DLOOK = 0x0004u;
inline constexpr DWORD DS_FIXEDSYS = 0x0008u;
inline constexpr DWORD DS_NOFAILCREATE = 0x0010u;
inline constexpr DWORD DS_CONTROL = 0x0400u;
inline constexpr DWORD DS_CENTER = 0x0800u;
inline constexpr DWORD DS_CENTERMOUSE = 0x1000u;
inline constexpr DWORD DS_CONTEXTHELP = 0x2000u;
inline constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// Dialog messages and answers.
inline constexpr UINT DM_GETDEFID = 0x0400;  // WM_USER
inline constexpr UINT DM_SETDEFID = 0x0401;
inline constexpr UINT DM_REPOSITION = 0x0402;
inline constexpr WORD DC_HASDEFID = 0x534B;

// The fixed part of a classic template; the menu, class and title follow
// (each 0x0000, 0xFFFF and an ordinal, or a string), then with DS_SETFONT
// the point size and the face name, then the items, each on a DWORD
// boundary.
#pragma pack(push, 2)
struct DLGTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
};
// The fixed part of a classic item; its class, title and creation data
// (a WORD count of bytes, then the bytes) follow.
struct DLGITEMTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
};
#pragma pack(pop)
static_assert(sizeof(DLGTEMPLATE) == 18 && sizeof(DLGITEMTEMPLATE) == 18);
using LPCDLGTEMPLATEW = const DLGTEMPLATE*;
// An extended template (DLGTEMPLATEEX) begins with the WORDs 1 and 0xFFFF;
// its fixed part and its items' are read field by field, as their layout
// has no C structure.
inline constexpr WORD kDialogExVersion = 1;
inline constexpr WORD kDialogExSignature = 0xFFFF;

// Dialogs. The creating calls answer null (modeless) or -1 (modal) with
// ERROR_INVALID_PARAMETER for a template that cannot be read, and
// ERROR_RESOURCE_NAME_NOT_FOUND for a resource that is not there. A modal
// dialog's loop ends after the message during which EndDialog was called;
// a loop abandoned for want of anything to answer it answers -1 with
// ERROR_CANCELLED.
INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM param);
INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param);
HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM param);
HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM param);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageW(HWND dialog, LPMSG msg);

// Navigation: the next (or previous) control with WS_TABSTOP, and the next
// (or previous) control of the control's group (WS_GROUP starts a group);
// both skip hidden and disabled controls and wrap around.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// Controls by id.
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int maxCount);
BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
// The control's text as a number: leading blanks, a minus sign when signed,
// then digits only. 0 with *translated FALSE when it is not one or does not
// fit.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);

// Dialog units to pixels with the dialog's font: x by the average character
// width / 4, y by the character height / 8.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The system font's base units: width in the low word, height in the high.
LONG GetDialogBaseUnits();
