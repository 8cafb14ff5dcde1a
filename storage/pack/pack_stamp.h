// The time stamp of a pack's file names: the export's local time counted in
// seconds in a calendar of twelve months of 31 days from 1970-01-01 00:00,
// written as six base-36 digits ("0"-"9", then "A"-"Z"), most significant
// first. The stamp only has to tell the files of one package apart (the
// package folder carries the full date), so a time past the six digits
// keeps its low six digits: the names stay six characters long and
// distinct within the package. Six digits hold 36^6 = 2,176,782,336
// seconds, 67 years of 372 days, 8 months, 22 days, 5:45:36: the last
// stamp "ZZZZZZ" is 2037-09-23 05:45:35, and the stamps start again at
// "000000" one second later.
#pragma once

#include "platform/base/wintypes.h"

// The six digits and the terminator.
inline constexpr int kStampChars = 7;

// The time value in unsigned 32-bit arithmetic (it wraps past 2106).
DWORD CnvTimeToDWORD(const SYSTEMTIME& localTime);
// The value's low six base-36 digits into out (kStampChars characters).
void CnvTimeToSTR36(DWORD value, LPWSTR out);
// Add or subtract one in place, with carry or borrow over the six digits
// ("Z" + 1 is "0" with a carry, "9" + 1 is "A"; "0" - 1 is "Z" with a
// borrow, "A" - 1 is "9"); a carry or borrow out of the first digit is
// dropped. FALSE, the stamp left as it was, when it is not six base-36
// digits.
BOOL NextCnvTimeToSTR36(LPWSTR stamp);
BOOL BeforeCnvTimeToSTR36(LPWSTR stamp);
// The index character of the i-th file of a kind: "0"-"9", then "A"-"Z";
// 0 past 35.
WCHAR PackIndexChar(int index);
