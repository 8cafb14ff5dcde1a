// The common property-sheet host as a printer driver meets it: the callback
// through which the host serves the driver's property sheets, the codes the
// driver passes to it, the reasons it calls the driver for and the records
// of those calls.
#pragma once

#include "platform/base/wintypes.h"

// The host's callback: (sheet handle, function code, two arguments of the
// function) -> the function's result.
using PFNCOMPROPSHEET = LONG_PTR(CALLBACK*)(HANDLE hComPropSheet, UINT Function, LPARAM lParam1,
                                            LPARAM lParam2);

// Function codes.
// CPSFUNC_ADD_HPROPSHEETPAGE: lParam1 a page made by CreatePropertySheetPageW
// (the sheet takes it); answers a handle of the page in the sheet, 0 when
// refused.
inline constexpr UINT CPSFUNC_ADD_HPROPSHEETPAGE = 0;
// CPSFUNC_ADD_PROPSHEETPAGEW: lParam1 a PROPSHEETPAGEW; as above.
inline constexpr UINT CPSFUNC_ADD_PROPSHEETPAGEW = 1;
// CPSFUNC_GET_PAGECOUNT: the number of pages added so far.
inline constexpr UINT CPSFUNC_GET_PAGECOUNT = 8;
// CPSFUNC_SET_RESULT: lParam1 the page (0: the sheet of the handle),
// lParam2 the result, handed to the sheet's callback (reason SET_RESULT);
// answers the number of callbacks called, -1 for a handle it does not know.
inline constexpr UINT CPSFUNC_SET_RESULT = 9;

// Why the host calls the driver's sheet callback.
inline constexpr WORD PROPSHEETUI_REASON_INIT = 0;             // lParam: the caller's lParam
inline constexpr WORD PROPSHEETUI_REASON_GET_INFO_HEADER = 1;  // lParam: a PROPSHEETUI_INFO_HEADER
inline constexpr WORD PROPSHEETUI_REASON_DESTROY = 2;          // lParam: non-zero when the sheet ran
inline constexpr WORD PROPSHEETUI_REASON_SET_RESULT = 3;       // lParam: a SETRESULT_INFO
inline constexpr WORD PROPSHEETUI_INFO_VERSION = 0x0100;
inline constexpr WORD PSUIINFO_UNICODE = 0x0001;

// What the driver tells the host about its sheet.
struct PROPSHEETUI_INFO_HEADER {
  WORD cbSize;
  WORD Flags;  // PSUIHDRF_*
  LPWSTR pTitle;
  HWND hWndParent;
  HINSTANCE hInst;
  ULONG_PTR IconID;  // or an icon handle with PSUIHDRF_USEHICON
};
static_assert(sizeof(PROPSHEETUI_INFO_HEADER) == 40);
inline constexpr WORD PSUIHDRF_NOAPPLYNOW = 0x0002;
inline constexpr WORD PSUIHDRF_PROPTITLE = 0x0004;
inline constexpr WORD PSUIHDRF_USEHICON = 0x0008;

// A result handed on by CPSFUNC_SET_RESULT.
struct SETRESULT_INFO {
  WORD cbSize;
  WORD wReserved;
  HANDLE hSetResult;
  LRESULT Result;
};
static_assert(sizeof(SETRESULT_INFO) == 24);

// Results a sheet reports, and what CommonPropertySheetUIW answers.
inline constexpr LONG CPSUI_CANCEL = 0;
inline constexpr LONG CPSUI_OK = 1;
inline constexpr LONG ERR_CPSUI_GETLASTERROR = -1;
