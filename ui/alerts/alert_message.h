// Every message box the configuration library shows: texts from the
// resource DLL with their live values, arguments formatted into them, and
// the printer's name as the caption unless another is asked for.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Argument kinds of a request.
inline constexpr WORD kAlertArgNone = 0;
inline constexpr WORD kAlertArgOne = 1;   // one wide string, or one value, for the format
inline constexpr WORD kAlertArgList = 2;  // a list of 16-bit values
inline constexpr WORD kAlertArgListMax = 8;

// A request, fields in the order the callers fill them.
struct ALERTMSGREQUEST {
  WORD wMessageId;     // string of the resource DLL
  WORD wCaptionId;     // string of the resource DLL; 0: the printer name
  WORD wIconStyle;     // MB_ICON* bits
  WORD wButtonStyle;   // MB_OK, MB_OKCANCEL, ...
  LPCWSTR pszHead;     // text put before the message, or null
  WORD wArgKind;       // kAlertArg*
  WORD wArgCount;      // values of a list (1 to 8)
  const void* pArg;    // the string (or value) of kind 1, the WORD list of kind 2; null for none
  LPCWSTR pszTail;     // text put after the message, or null
};

// Builds and shows the box; the pressed button, or 0 (nothing shown) for a
// null request, an argument with kind 0, a list of count 0, or short
// memory. A list of more than 8 values formats with its first value only.
int ShowAlertMsgEx(UCB* ucb, const ALERTMSGREQUEST* request, HWND owner);

// The wrappers; a null owner means the active window.
// A warning with the given buttons and no argument.
int _ShowAlertMsgEx10(UCB* ucb, HWND owner, UINT messageId, UINT buttonStyle);
// The same with OK only.
int _ShowAlertMsgEx11(UCB* ucb, HWND owner, UINT messageId);
// The same with OK and Cancel; the pressed button.
int _ShowAlertMsgEx12(UCB* ucb, HWND owner, UINT messageId);
// A warning with OK, the string formatted into the message.
int _ShowAlertMsgEx21(UCB* ucb, HWND owner, UINT messageId, LPCWSTR text);
// The caller's icon and buttons, no argument.
int ShowAlertMessage(UCB* ucb, HWND owner, UINT messageId, UINT iconStyle, UINT buttonStyle);
// The system's text of an error code as a warning with the printer's name
// as caption; nothing for a code without a text. Always 1.
int ShowAlertOSMsg(UCB* ucb, DWORD errorCode, HWND owner);
