// Help: the record WM_HELP carries and the call that asks the help viewer
// for a topic. The machine has no viewer; it keeps every request instead
// (help_control.h).
#pragma once

#include "platform/window/winuser.h"

// WM_HELP's lParam.
struct HELPINFO {
  UINT cbSize;
  int iContextType;  // HELPINFO_WINDOW or HELPINFO_MENUITEM
  int iCtrlId;
  HANDLE hItemHandle;
  DWORD_PTR dwContextId;
  POINT MousePos;
};
inline constexpr int HELPINFO_WINDOW = 0x0001;
inline constexpr int HELPINFO_MENUITEM = 0x0002;

// WinHelpW commands.
inline constexpr UINT HELP_CONTEXT = 0x0001;      // data: a topic's context id
inline constexpr UINT HELP_QUIT = 0x0002;         // the viewer closes; no file needed
inline constexpr UINT HELP_INDEX = 0x0003;
inline constexpr UINT HELP_CONTENTS = 0x0003;
inline constexpr UINT HELP_FINDER = 0x000B;
inline constexpr UINT HELP_CONTEXTMENU = 0x000A;  // data: {control id, context id} pairs ended by 0
inline constexpr UINT HELP_WM_HELP = 0x000C;      // as HELP_CONTEXTMENU, for WM_HELP

// TRUE when the request was taken; FALSE with ERROR_INVALID_PARAMETER for
// a command that needs a help file and has none, and with
// ERROR_INVALID_WINDOW_HANDLE for a window that is not null and not a
// window.
BOOL WinHelpW(HWND window, LPCWSTR helpFile, UINT command, ULONG_PTR data);
