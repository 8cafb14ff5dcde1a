// The window manager of the stand-in: classes, windows, messages, the
// thread's message queue, painting, timers, input, focus and capture,
// system metrics and colours, cursors and message boxes, with Windows'
// names, results and last errors. Window procedures run on the thread that
// created their window; every thread has its own queue, focus and capture.
// A failing call on a window that does not exist (never made, or already
// destroyed: handles are never reused) sets ERROR_INVALID_WINDOW_HANDLE.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

struct WNDCLASSEXW {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;  // a brush, or a system colour index + 1
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;  // a name, or an atom in the low word
  HICON hIconSm;
};
using PWNDCLASSEXW = WNDCLASSEXW*;
using LPWNDCLASSEXW = WNDCLASSEXW*;

struct CREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
};
using LPCREATESTRUCTW = CREATESTRUCTW*;

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
  DWORD lPrivate;
};
using PMSG = MSG*;
using LPMSG = MSG*;

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
};
using LPWINDOWPOS = WINDOWPOS*;

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

struct STYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
};

struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
using LPNMHDR = NMHDR*;

static_assert(sizeof(WNDCLASSEXW) == 80 && sizeof(CREATESTRUCTW) == 80);
static_assert(sizeof(MSG) == 48 && sizeof(PAINTSTRUCT) == 72 && sizeof(WINDOWPOS) == 40);

// Classes. An application class is found by its name and the instance it
// was registered with, a CS_GLOBALCLASS class by its name alone, and the
// system classes ("Button", "Edit", "Static", "ListBox", "ComboBox",
// "ScrollBar", "#32770", ...) by name with any instance. Names compare
// without regard to case.
ATOM RegisterClassExW(const WNDCLASSEXW* wc);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR className, LPWNDCLASSEXW wc);
int GetClassNameW(HWND hwnd, LPWSTR className, int maxCount);

// Windows. CreateWindowExW answers null with ERROR_CANCELLED when the window
// refused WM_NCCREATE or WM_CREATE (or destroyed itself while being made),
// ERROR_CANNOT_FIND_WND_CLASS, ERROR_TLW_WITH_WSCHILD for a child without a
// parent, ERROR_INVALID_WINDOW_HANDLE for a parent that is gone or going.
// DestroyWindow refuses another thread's window and the machine's own
// windows (ERROR_ACCESS_DENIED) and answers TRUE, doing nothing more, for a
// window already being destroyed.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetParent(HWND hwnd);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT command);
HWND GetTopWindow(HWND hwnd);
HWND GetDesktopWindow();
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
HWND FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName);
DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId);

// Position, size, z-order and visibility. Rectangles of GetWindowRect are
// screen coordinates; a child's position in SetWindowPos and MoveWindow is
// in its parent's client coordinates.
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND hwnd, int command);
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);

// Rectangle helpers. The right and bottom edges lie outside a rectangle; a
// rectangle with no area is empty. Each answers FALSE for a null pointer.
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT dst, const RECT* src);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL InflateRect(LPRECT rect, int dx, int dy);
// FALSE, with an empty result, when the rectangles do not meet.
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
// The smallest rectangle holding both (an empty one adds nothing); FALSE
// when the result is empty.
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);

// Window longs, subclassing and text.
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
LONG GetWindowLongW(HWND hwnd, int index);
LONG SetWindowLongW(HWND hwnd, int index, LONG value);
LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
int GetWindowTextW(HWND hwnd, LPWSTR text, int maxCount);
int GetWindowTextLengthW(HWND hwnd);
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Messages and the thread's queue.
LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMessage);
BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
// Returns when the queue holds a message (wait_message.cpp); FALSE
// (ERROR_CANCELLED) when nothing could ever come.
BOOL WaitMessage();
LRESULT DispatchMessageW(const MSG* msg);
BOOL TranslateMessage(const MSG* msg);
DWORD GetMessagePos();
LONG GetMessageTime();
BOOL InSendMessage();

// Painting.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

// Timers: WM_TIMER comes only when nothing else waits in the queue and the
// timer is due on the stand-in's clock (GetTickCount).
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Input, focus, activation and capture (each per thread).
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// A system cursor (null instance, IDC_*) or a module's cursor resource; one
// handle per cursor for the life of the process.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
// A system icon (null instance, IDI_*) or a module's icon resource, shared
// as cursors are.
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
// A module's bitmap resource as a bitmap in the display's format
// (monochrome for a monochrome one); null for system bitmaps.
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
// Menus: made, loaded from a module's menu template, and tracked as popup
// menus in a modal loop that the script answers (a pick or a dismissal).
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_END = 0x0080;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;
HMENU CreatePopupMenu();
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR text);
BOOL DestroyMenu(HMENU menu);
HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
UINT GetMenuState(HMENU menu, UINT item, UINT how);
// Sends WM_INITMENUPOPUP, then waits for the script's pick. With
// TPM_RETURNCMD the picked id (0 when dismissed); otherwise WM_COMMAND with
// the id is posted to the owner and the result is whether an item was picked.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);

inline constexpr UINT IMAGE_CURSOR = 2;
inline constexpr UINT LR_DEFAULTCOLOR = 0x0000;
inline constexpr UINT LR_LOADFROMFILE = 0x0010;
inline constexpr UINT LR_DEFAULTSIZE = 0x0040;
inline constexpr UINT LR_CREATEDIBSECTION = 0x2000;
inline constexpr UINT LR_SHARED = 0x8000;
// IMAGE_BITMAP and IMAGE_ICON are the standard controls' (winuser_controls.h).
// A bitmap (a DIB section with LR_CREATEDIBSECTION, from a BMP file with
// LR_LOADFROMFILE), icon or cursor; the size asked for is not used.
HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags);
UINT GetDoubleClickTime();

// The machine's fixed screen and classic colours.
int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

// Message boxes: a real modal window (class "#32770") with a static text
// and one push button per answer; the result is the id of the pressed
// button, 0 when the box could not be shown or its loop was abandoned.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
BOOL MessageBeep(UINT type);
