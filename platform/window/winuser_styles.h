// Window, class and control styles, and the codes of the window calls:
// show commands, position flags, GetWindow and window-long indexes,
// message-box styles and answers, system colours, metrics and cursors.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/modules/winresource.h"

// Window styles.
inline constexpr DWORD WS_OVERLAPPED = 0x00000000u;
inline constexpr DWORD WS_POPUP = 0x80000000u;
inline constexpr DWORD WS_CHILD = 0x40000000u;
inline constexpr DWORD WS_MINIMIZE = 0x20000000u;
inline constexpr DWORD WS_VISIBLE = 0x10000000u;
inline constexpr DWORD WS_DISABLED = 0x08000000u;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000u;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000u;
inline constexpr DWORD WS_MAXIMIZE = 0x01000000u;
inline constexpr DWORD WS_CAPTION = 0x00C00000u;
inline constexpr DWORD WS_BORDER = 0x00800000u;
inline constexpr DWORD WS_DLGFRAME = 0x00400000u;
inline constexpr DWORD WS_VSCROLL = 0x00200000u;
inline constexpr DWORD WS_HSCROLL = 0x00100000u;
inline constexpr DWORD WS_SYSMENU = 0x00080000u;
inline constexpr DWORD WS_THICKFRAME = 0x00040000u;
inline constexpr DWORD WS_GROUP = 0x00020000u;
inline constexpr DWORD WS_TABSTOP = 0x00010000u;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000u;
inline constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
inline constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

// Extended window styles.
inline constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001u;
inline constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004u;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008u;
inline constexpr DWORD WS_EX_TRANSPARENT = 0x00000020u;
inline constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080u;
inline constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100u;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200u;
inline constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400u;
inline constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000u;
inline constexpr DWORD WS_EX_STATICEDGE = 0x00020000u;
inline constexpr DWORD WS_EX_NOACTIVATE = 0x08000000u;

// Class styles.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_OWNDC = 0x0020;
inline constexpr UINT CS_CLASSDC = 0x0040;
inline constexpr UINT CS_PARENTDC = 0x0080;
inline constexpr UINT CS_NOCLOSE = 0x0200;
inline constexpr UINT CS_SAVEBITS = 0x0800;
inline constexpr UINT CS_GLOBALCLASS = 0x4000;

// Control styles the window core itself reads.
inline constexpr DWORD BS_PUSHBUTTON = 0x00000000u;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x00000001u;
inline constexpr DWORD BS_TYPEMASK = 0x0000000Fu;
inline constexpr DWORD SS_LEFT = 0x00000000u;
inline constexpr DWORD SS_ICON = 0x00000003u;
inline constexpr DWORD SS_NOTIFY = 0x00000100u;
inline constexpr DWORD SS_NOPREFIX = 0x00000080u;

// Default position or size of an overlapped window.
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_NORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;

// SetWindowPos flags and insert-after places.
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline constexpr UINT SWP_NOCOPYBITS = 0x0100;
inline constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline constexpr UINT SWP_NOSENDCHANGING = 0x0400;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(static_cast<LONG_PTR>(1));
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-2));

// GetWindow and GetAncestor relations.
inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;
inline constexpr UINT GW_ENABLEDPOPUP = 6;
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;
inline constexpr UINT GA_ROOTOWNER = 3;

// Window-long indexes. Non-negative indexes address the class's extra
// window bytes; a dialog's extra bytes hold the three DWLP_ slots.
inline constexpr int GWLP_WNDPROC = -4;
inline constexpr int GWLP_HINSTANCE = -6;
inline constexpr int GWLP_HWNDPARENT = -8;
inline constexpr int GWLP_ID = -12;
inline constexpr int GWL_ID = -12;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWLP_USERDATA = -21;
inline constexpr int GWL_USERDATA = -21;
inline constexpr int DWLP_MSGRESULT = 0;
inline constexpr int DWLP_DLGPROC = DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT));
inline constexpr int DWLP_USER = DWLP_DLGPROC + static_cast<int>(sizeof(void*));
inline constexpr int DLGWINDOWEXTRA = 48;
static_assert(DWLP_USER + static_cast<int>(sizeof(LONG_PTR)) <= DLGWINDOWEXTRA);

// Message-box styles and the button answers.
inline constexpr UINT MB_OK = 0x00000000u;
inline constexpr UINT MB_OKCANCEL = 0x00000001u;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002u;
inline constexpr UINT MB_YESNOCANCEL = 0x00000003u;
inline constexpr UINT MB_YESNO = 0x00000004u;
inline constexpr UINT MB_RETRYCANCEL = 0x00000005u;
inline constexpr UINT MB_CANCELTRYCONTINUE = 0x00000006u;
inline constexpr UINT MB_ICONHAND = 0x00000010u;
inline constexpr UINT MB_ICONERROR = 0x00000010u;
inline constexpr UINT MB_ICONSTOP = 0x00000010u;
inline constexpr UINT MB_ICONQUESTION = 0x00000020u;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030u;
inline constexpr UINT MB_ICONWARNING = 0x00000030u;
inline constexpr UINT MB_ICONASTERISK = 0x00000040u;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040u;
inline constexpr UINT MB_USERICON = 0x00000080u;
inline constexpr UINT MB_DEFBUTTON1 = 0x00000000u;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100u;
inline constexpr UINT MB_DEFBUTTON3 = 0x00000200u;
inline constexpr UINT MB_DEFBUTTON4 = 0x00000300u;
inline constexpr UINT MB_APPLMODAL = 0x00000000u;
inline constexpr UINT MB_SYSTEMMODAL = 0x00001000u;
inline constexpr UINT MB_TASKMODAL = 0x00002000u;
inline constexpr UINT MB_HELP = 0x00004000u;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000u;
inline constexpr UINT MB_TOPMOST = 0x00040000u;
inline constexpr UINT MB_TYPEMASK = 0x0000000Fu;
inline constexpr UINT MB_ICONMASK = 0x000000F0u;
inline constexpr UINT MB_DEFMASK = 0x00000F00u;
inline constexpr UINT MB_MODEMASK = 0x00003000u;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDCLOSE = 8;
inline constexpr int IDHELP = 9;
inline constexpr int IDTRYAGAIN = 10;
inline constexpr int IDCONTINUE = 11;

// System colours.
inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_DESKTOP = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_3DFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_3DSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;

// System metrics.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXDLGFRAME = 7;
inline constexpr int SM_CXFIXEDFRAME = 7;
inline constexpr int SM_CYDLGFRAME = 8;
inline constexpr int SM_CYFIXEDFRAME = 8;
inline constexpr int SM_CYVTHUMB = 9;
inline constexpr int SM_CXHTHUMB = 10;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CXCURSOR = 13;
inline constexpr int SM_CYCURSOR = 14;
inline constexpr int SM_CYMENU = 15;
inline constexpr int SM_CXFULLSCREEN = 16;
inline constexpr int SM_CYFULLSCREEN = 17;
inline constexpr int SM_MOUSEPRESENT = 19;
inline constexpr int SM_CYVSCROLL = 20;
inline constexpr int SM_CXHSCROLL = 21;
inline constexpr int SM_SWAPBUTTON = 23;
inline constexpr int SM_CXMIN = 28;
inline constexpr int SM_CYMIN = 29;
inline constexpr int SM_CXSIZE = 30;
inline constexpr int SM_CYSIZE = 31;
inline constexpr int SM_CXFRAME = 32;
inline constexpr int SM_CYFRAME = 33;
inline constexpr int SM_CXMINTRACK = 34;
inline constexpr int SM_CYMINTRACK = 35;
inline constexpr int SM_CXDOUBLECLK = 36;
inline constexpr int SM_CYDOUBLECLK = 37;
inline constexpr int SM_DBCSENABLED = 42;
inline constexpr int SM_CMOUSEBUTTONS = 43;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXSMICON = 49;
inline constexpr int SM_CYSMICON = 50;
inline constexpr int SM_CYSMCAPTION = 51;
inline constexpr int SM_CXMENUCHECK = 71;
inline constexpr int SM_CYMENUCHECK = 72;
inline constexpr int SM_CXVIRTUALSCREEN = 78;
inline constexpr int SM_CYVIRTUALSCREEN = 79;
inline constexpr int SM_CMONITORS = 80;

// System icons, for LoadIconW with a null instance.
inline const LPCWSTR IDI_APPLICATION = MAKEINTRESOURCEW(32512);
inline const LPCWSTR IDI_HAND = MAKEINTRESOURCEW(32513);
inline const LPCWSTR IDI_ERROR = MAKEINTRESOURCEW(32513);
inline const LPCWSTR IDI_QUESTION = MAKEINTRESOURCEW(32514);
inline const LPCWSTR IDI_EXCLAMATION = MAKEINTRESOURCEW(32515);
inline const LPCWSTR IDI_WARNING = MAKEINTRESOURCEW(32515);
inline const LPCWSTR IDI_ASTERISK = MAKEINTRESOURCEW(32516);
inline const LPCWSTR IDI_INFORMATION = MAKEINTRESOURCEW(32516);
inline const LPCWSTR IDI_WINLOGO = MAKEINTRESOURCEW(32517);
inline const LPCWSTR IDI_SHIELD = MAKEINTRESOURCEW(32518);

// System cursors, for LoadCursorW with a null instance.
inline const LPCWSTR IDC_ARROW = MAKEINTRESOURCEW(32512);
inline const LPCWSTR IDC_IBEAM = MAKEINTRESOURCEW(32513);
inline const LPCWSTR IDC_WAIT = MAKEINTRESOURCEW(32514);
inline const LPCWSTR IDC_CROSS = MAKEINTRESOURCEW(32515);
inline const LPCWSTR IDC_UPARROW = MAKEINTRESOURCEW(32516);
inline const LPCWSTR IDC_SIZENWSE = MAKEINTRESOURCEW(32642);
inline const LPCWSTR IDC_SIZENESW = MAKEINTRESOURCEW(32643);
inline const LPCWSTR IDC_SIZEWE = MAKEINTRESOURCEW(32644);
inline const LPCWSTR IDC_SIZENS = MAKEINTRESOURCEW(32645);
inline const LPCWSTR IDC_SIZEALL = MAKEINTRESOURCEW(32646);
inline const LPCWSTR IDC_NO = MAKEINTRESOURCEW(32648);
inline const LPCWSTR IDC_HAND = MAKEINTRESOURCEW(32649);
inline const LPCWSTR IDC_APPSTARTING = MAKEINTRESOURCEW(32650);
inline const LPCWSTR IDC_HELP = MAKEINTRESOURCEW(32651);
