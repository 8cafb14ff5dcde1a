// Single values of a printer's printer data. Printer data is input: a value
// is taken only when it has the type and the exact size its reader expects,
// and a refused or missing value leaves the caller's buffer as it was. The
// rendering library reads printer data through the graphics engine and
// writes none: there every write answers FALSE without writing.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Reads the value into buffer; it must hold exactly `bytes` bytes (of any
// type). FALSE for a null buffer, a zero size or a null name, a missing
// value, one of another size, or a failed call.
BOOL GetDataFromReg(HANDLE printer, LPVOID buffer, DWORD bytes, LPCWSTR value, UCB* ucb);
// Reads a REG_SZ value of at most chars - 1 characters (its terminator
// may be missing) into buffer, terminated. FALSE, with the buffer as it
// was, for a missing value, one of another type, one that does not fit, or
// a failed call; always FALSE in the rendering library.
BOOL GetStrDataFromReg(HANDLE printer, LPWSTR buffer, DWORD chars, LPCWSTR value, UCB* ucb);
// Writes bytes bytes as REG_BINARY, or as the given type. FALSE for null
// data, a zero size or a null name, and when the spooler refuses.
BOOL SetDataToReg(HANDLE printer, LPCVOID data, DWORD bytes, LPCWSTR value, UCB* ucb);
BOOL SetDataToRegEx(HANDLE printer, LPCVOID data, DWORD bytes, DWORD type, LPCWSTR value, UCB* ucb);
// Writes text as REG_SZ with its terminator: the text ends at its first
// zero within `bytes` bytes, and text without one there is refused.
BOOL SetStrDataToReg(HANDLE printer, LPCWSTR data, DWORD bytes, LPCWSTR value, UCB* ucb);

namespace storage {

// What a checked read found.
enum class ValueRead { kRead, kMissing, kRefused };
// Any registry type.
inline constexpr DWORD kAnyValueType = 0xFFFFFFFF;

// Reads a value that must be of the given type (or any) and exactly bytes
// long. kMissing when there is no such value; kRefused when it has another
// type or size, memory is short or the call fails. The buffer changes only
// on kRead.
ValueRead ReadPrinterValue(HANDLE printer, LPCWSTR name, DWORD type, LPVOID buffer, DWORD bytes);
// Deletes a value; TRUE when it is gone (also when it was not there).
// FALSE in the rendering library.
BOOL DeletePrinterValue(HANDLE printer, LPCWSTR name);

}  // namespace storage
