// Property sheets: pages made from dialog templates (CreatePropertySheetPageW,
// DestroyPropertySheetPage) and the modal sheet that shows them under a tab
// control with OK, Cancel, Apply and Help (PropertySheetW), the
// notifications a page gets (WM_NOTIFY with a PSHNOTIFY) and the messages a
// page sends its sheet (PSM_*).
#pragma once

#include "platform/window/winuser_dialogs.h"

struct PropSheetPage;  // the sheet's own record of a page
using HPROPSHEETPAGE = PropSheetPage*;

struct PROPSHEETPAGEW;
using LPFNPSPCALLBACKW = UINT(CALLBACK*)(HWND hwnd, UINT message, PROPSHEETPAGEW* page);


// A page as its maker describes it. The sheet keeps a copy of dwSize bytes
// (a maker may append data of its own); WM_INITDIALOG of the page gets the
// copy's address.
struct PROPSHEETPAGEW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    LPCWSTR pszTemplate;  // a resource of hInstance (name or MAKEINTRESOURCEW id)
    const void* pResource;  // with PSP_DLGINDIRECT: a template in memory
  };
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszTitle;  // with PSP_USETITLE: the tab's text (a string or a resource id)
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKW pfnCallback;  // with PSP_USECALLBACK
  UINT* pcRefParent;             // with PSP_USEREFPARENT
};
inline constexpr DWORD PROPSHEETPAGEW_V1_SIZE = 72;
static_assert(sizeof(PROPSHEETPAGEW) == PROPSHEETPAGEW_V1_SIZE);

inline constexpr DWORD PSP_DEFAULT = 0x0000;
inline constexpr DWORD PSP_DLGINDIRECT = 0x0001;
inline constexpr DWORD PSP_USEHICON = 0x0002;
inline constexpr DWORD PSP_USEICONID = 0x0004;
inline constexpr DWORD PSP_USETITLE = 0x0008;
inline constexpr DWORD PSP_RTLREADING = 0x0010;
inline constexpr DWORD PSP_HASHELP = 0x0020;
inline constexpr DWORD PSP_USEREFPARENT = 0x0040;
inline constexpr DWORD PSP_USECALLBACK = 0x0080;

// Page callback messages: a page record is made (ADDREF), its dialog is
// about to be made (CREATE; zero refuses), the record goes (RELEASE).
inline constexpr UINT PSPCB_ADDREF = 0;
inline constexpr UINT PSPCB_RELEASE = 1;
inline constexpr UINT PSPCB_CREATE = 2;

using PFNPROPSHEETCALLBACK = int(CALLBACK*)(HWND sheet, UINT message, LPARAM lParam);

struct PROPSHEETHEADERW {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszCaption;  // a string or a resource id of hInstance
  UINT nPages;
  union {
    UINT nStartPage;
    LPCWSTR pStartPage;  // with PSH_USEPSTARTPAGE: the title of the start page
  };
  union {
    const PROPSHEETPAGEW* ppsp;  // with PSH_PROPSHEETPAGE, stepped by each page's dwSize
    HPROPSHEETPAGE* phpage;
  };
  PFNPROPSHEETCALLBACK pfnCallback;  // with PSH_USECALLBACK
};
inline constexpr DWORD PROPSHEETHEADERW_V1_SIZE = 72;
static_assert(sizeof(PROPSHEETHEADERW) == PROPSHEETHEADERW_V1_SIZE);

inline constexpr DWORD PSH_DEFAULT = 0x0000;
inline constexpr DWORD PSH_PROPTITLE = 0x0001;
inline constexpr DWORD PSH_USEHICON = 0x0002;
inline constexpr DWORD PSH_USEICONID = 0x0004;
inline constexpr DWORD PSH_PROPSHEETPAGE = 0x0008;
inline constexpr DWORD PSH_WIZARD = 0x0020;
inline constexpr DWORD PSH_USEPSTARTPAGE = 0x0040;
inline constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
inline constexpr DWORD PSH_USECALLBACK = 0x0100;
inline constexpr DWORD PSH_HASHELP = 0x0200;
inline constexpr DWORD PSH_MODELESS = 0x0400;

// Sheet callback messages.
inline constexpr UINT PSCB_INITIALIZED = 1;
inline constexpr UINT PSCB_PRECREATE = 2;

// Notifications to a page (WM_NOTIFY, lParam a PSHNOTIFY whose hwndFrom is
// the sheet). A page answers through DWLP_MSGRESULT.
inline constexpr UINT PSN_FIRST = 0u - 200u;
inline constexpr UINT PSN_SETACTIVE = PSN_FIRST - 0;
inline constexpr UINT PSN_KILLACTIVE = PSN_FIRST - 1;
inline constexpr UINT PSN_APPLY = PSN_FIRST - 2;
inline constexpr UINT PSN_RESET = PSN_FIRST - 3;
inline constexpr UINT PSN_HELP = PSN_FIRST - 5;
inline constexpr UINT PSN_QUERYCANCEL = PSN_FIRST - 9;

inline constexpr LONG_PTR PSNRET_NOERROR = 0;
inline constexpr LONG_PTR PSNRET_INVALID = 1;
inline constexpr LONG_PTR PSNRET_INVALID_NOCHANGEPAGE = 2;

struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;  // PSN_APPLY: TRUE for OK, FALSE for Apply; PSN_RESET: TRUE for the close box
};

// Messages to the sheet.
inline constexpr UINT PSM_SETCURSEL = WM_USER + 101;  // wParam index, lParam page (wins when set)
inline constexpr UINT PSM_CHANGED = WM_USER + 104;    // wParam the page window
inline constexpr UINT PSM_UNCHANGED = WM_USER + 109;  // wParam the page window
inline constexpr UINT PSM_PRESSBUTTON = WM_USER + 113;  // wParam a PSBTN_ code
inline constexpr UINT PSM_GETTABCONTROL = WM_USER + 116;
inline constexpr UINT PSM_GETCURRENTPAGEHWND = WM_USER + 118;

inline constexpr WPARAM PSBTN_OK = 3;
inline constexpr WPARAM PSBTN_APPLYNOW = 4;
inline constexpr WPARAM PSBTN_CANCEL = 5;
inline constexpr WPARAM PSBTN_HELP = 6;

// The sheet's own controls: OK (IDOK), Cancel (IDCANCEL), Help (IDHELP),
// Apply and the tab control.
inline constexpr int IDC_APPLYNOW = 0x3021;
inline constexpr int IDC_SHEETTABS = 0x3020;

// A page record from its description; null with ERROR_INVALID_PARAMETER
// (no description, a size below PROPSHEETPAGEW_V1_SIZE or over 64 KiB, a
// template that cannot be read) or ERROR_RESOURCE_NAME_NOT_FOUND (no such
// template in hInstance).
HPROPSHEETPAGE CreatePropertySheetPageW(const PROPSHEETPAGEW* page);
// Destroys a page that was not handed to PropertySheetW.
BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page);
// Runs a modal sheet. Answers 1 when any page accepted PSN_APPLY while the
// sheet ran, 0 when none did, -1 on failure (ERROR_INVALID_PARAMETER for a
// bad header or no pages, ERROR_NOT_SUPPORTED for wizards and modeless
// sheets, the page's error for a page that cannot be made). The pages
// handed in are destroyed when it returns.
INT_PTR PropertySheetW(const PROPSHEETHEADERW* header);
