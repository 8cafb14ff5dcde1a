// Reading and writing settings of a printer context. A setting lives in one
// block of the context's devmode control block (DCB) or of its saved copy
// (DCB2), at the place its record names. Two views exist: the stored value
// (the number or text as kept) and the UI value, which for a setting with a
// value list is the string id the dialogs show.
//
// Values are pointer-width: an integer setting reads sign- or zero-extended,
// a bit setting as 0 or 1, and a string (or any other kind) as the address
// of its storage. The font-table settings whose slot is pointer-sized keep
// the whole pointer.
//
// No operation reports an error: a missing record or a setting without
// storage reads as 0 and is never written.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/context/context_block.h"
#include "settings/tables/dialog_tables.h"
#include "settings/context/drv_last_error.h"
#include "settings/tables/setting_table.h"

// --- Addresses ------------------------------------------------------------

// The setting's bytes in the current DCB (or DCB2): the block offset that
// the DEVMODE header stores for the record's block, plus the record's
// offset. Null for a null record, block 0, a context without that DCB, or
// a stored block offset that would put the setting outside the DCB.
LPBYTE GetDevmodeAddressBySFCB(const UCB* ucb, const SFCB* sfcb);
LPBYTE GetDevmodeAddressBySFCBSaveDCB2(const UCB* ucb, const SFCB* sfcb);

// --- Stored values --------------------------------------------------------

LONG_PTR GetDevmodeValueDirect(const UCB* ucb, const SFCB* sfcb);
LONG_PTR GetDevmodeValueDirectSaveDCB2(const UCB* ucb, const SFCB* sfcb);
// The record of the id goes to *out when out is given (null when none).
LONG_PTR GetDevmodeValueDirectByFuncID(const UCB* ucb, WORD funcId, SFCB** out);
LONG_PTR GetDevmodeValueDirectByFuncIDSaveDCB2(const UCB* ucb, WORD funcId, SFCB** out);

// Stores by value kind into the current DCB, then marks the record and the
// context changed, mirrors the horizontal scale into the vertical one when
// the scale type is 1, and posts the record's UI request bits. For string
// kinds the value is the address of terminated text (null clears the field);
// the copy stops at the terminator and the field always ends terminated.
// FALSE when the setting has no storage.
BOOL SetDevmodeValueDirect(UCB* ucb, SFCB* sfcb, LONG_PTR value);
// The same store into DCB2, without marks, follow-on writes or requests.
BOOL SetDevmodeValueDirectSaveDCB2(UCB* ucb, const SFCB* sfcb, LONG_PTR value);
BOOL SetDevmodeValueDirectByFuncID(UCB* ucb, WORD funcId, LONG_PTR value);
BOOL SetDevmodeValueDirectByFuncIDSaveDCB2(UCB* ucb, WORD funcId, LONG_PTR value);

// --- UI values ------------------------------------------------------------

LONG_PTR GetDevmodeValueBySFCB(const UCB* ucb, const SFCB* sfcb);
LONG_PTR GetDevmodeValueByFuncID(const UCB* ucb, WORD funcId, SFCB** out);
LONG_PTR GetDevmodeValueByGroupID(const UCB* ucb, WORD groupId, SFCB** out);
LONG_PTR GetDevmodeValueByICB(const UCB* ucb, const ICB* icb);
BOOL SetDevmodeValueBySFCB(UCB* ucb, SFCB* sfcb, LONG_PTR uiValue);
BOOL SetDevmodeValueByFuncID(UCB* ucb, WORD funcId, LONG_PTR uiValue);
BOOL SetDevmodeValueByICB(UCB* ucb, const ICB* icb, LONG_PTR uiValue);

// Value list conversions over the section that applies (the lists of N-up,
// duplex, punch and staple type have a second section for the other
// orientation). Value to id: the first entry with that value and a text;
// else the value. Id to value: the first entry with that string id (ids
// compare as unsigned 16-bit numbers); else the id.
LONG_PTR ConvertDevmodeValueToResID(const UCB* ucb, const SFCB* sfcb, LONG_PTR value);
// Value to id as a description's keywords name it: for the sectioned lists
// the label of the first section, whatever the orientation (a keyword
// stands for its value in either); else as above.
LONG_PTR ConvertDevmodeValueToKeywordID(const UCB* ucb, const SFCB* sfcb, LONG_PTR value);
LONG_PTR ConvertResIDToDevmodeValue(const UCB* ucb, const SFCB* sfcb, LONG_PTR resId);
// Id to value for a value the compiled description names (an action's
// value, a group's default): as above, but an id found only in the other
// orientation's section still gives its value, never the id itself.
LONG_PTR ConvertKeywordValueToDevmodeValue(const UCB* ucb, const SFCB* sfcb, LONG_PTR resId);
// TRUE when the applicable section has the value with a text.
BOOL CheckDevmodeValueByCDT(const UCB* ucb, const SFCB* sfcb, LONG_PTR value);
// TRUE when the applicable section lists the value, with or without a text.
BOOL IsDevmodeValueInCDT(const UCB* ucb, const SFCB* sfcb, LONG_PTR value);
// Stores a value named by the compiled description: a UI value for the
// number and bit kinds (its value taken from either orientation's section,
// ConvertKeywordValueToDevmodeValue), a string id whose resource text is
// stored for the string kinds. FALSE when nothing was stored.
BOOL SetDevmodeValueByFuncIDFromBKPD(UCB* ucb, WORD funcId, LONG_PTR value);
// The same for a record already at hand (null stores nothing).
BOOL SetDevmodeValueBySFCBFromBKPD(UCB* ucb, SFCB* sfcb, LONG_PTR value);

// --- Strings --------------------------------------------------------------

// Copies a string setting as wide text into dst, which holds at least the
// setting's size in characters; a setting of another kind gives "wrong".
// The setting's address, or null when an argument is null or there is no
// storage.
LPVOID GetDevmodeStringBySFCB(const UCB* ucb, const SFCB* sfcb, LPWSTR dst);
// Clears the field, then stores the text (converted to ANSI for the ANSI
// kinds), cut to the setting's size and terminated. The address, or null.
LPVOID SetDevmodeStringBySFCB(UCB* ucb, SFCB* sfcb, LPCWSTR src);
// The same for the setting of the first item with that id in any tab.
LPVOID GetDevmodeStringByItemID(const UCB* ucb, WORD itemId, LPWSTR dst);
LPVOID SetDevmodeStringByItemID(UCB* ucb, WORD itemId, LPCWSTR src);

// --- Display text ---------------------------------------------------------

// The text the dialogs show for the current value of a group's setting,
// written into buffer (cch characters, always terminated when cch > 0).
// Returns the length written, 0 when nothing could be written.
int GetDevmodeTextByGroupID(UCB* ucb, WORD groupId, LPWSTR buffer, int cch);

// --- Context bookkeeping --------------------------------------------------

// The last-error slot (DrvSetLastError, DrvGetLastError) is declared in
// settings/context/drv_last_error.h, included here.

// 0 clears the request word. Otherwise, bits with any of the low 16 set
// first clear the word's low 16 bits; then the bits are added.
void KesmRequestForUiCore(UCB* ucb, DWORD bits);
DWORD GetRequestCode(const UCB* ucb);
// Clears bits in the request word; bits of the top four are also cleared in
// the request words saved with the undo ring.
void ResetRequestCode(UCB* ucb, DWORD bits);
