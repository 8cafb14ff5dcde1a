// Lengths of the settings model are dots at 1200 dpi; the dialogs show them
// in tenths of a millimetre or hundredths of an inch, as setting 171
// selects. Conversions between dots at any resolution and those units, with
// the rounding that lets a displayed value survive the way back. All
// arithmetic uses 64-bit intermediates; a result that does not fit is
// clamped, and a resolution of 0 gives 0.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/context/context_block.h"
#include "settings/tables/dialog_tables.h"

inline constexpr DWORD kInternalDpi = 1200;

// Unit selector of CmnToDot and CmnFromDot.
inline constexpr DWORD kUnitMmOf01 = 0x1;
inline constexpr DWORD kUnitInchOf001 = 0x2;

// 1 when the context shows lengths in tenths of a millimetre.
BOOL IsDispUnitMM(const UCB* ucb);

DWORD CmnDot2MmOf01(DWORD dots, DWORD dpi);
DWORD CmnDot2InchOf001(DWORD dots, DWORD dpi);
DWORD CmnMmOf012Dot(DWORD tenthsMm, DWORD dpi);
DWORD CmnInchOf0012Dot(DWORD hundredthsInch, DWORD dpi);
// a * c / b; 0 when b or c is 0.
DWORD CmnDot2Dot(DWORD a, DWORD b, DWORD c);
// The largest even 1200-dpi dot count whose display value does not exceed
// the size, scaled to dpi; 0 when no unit bit is set.
DWORD CmnToDot(DWORD flags, DWORD size, DWORD dpi);
// The smallest display value whose 1200-dpi dots reach the length; 0 when
// no unit bit is set.
DWORD CmnFromDot(DWORD flags, DWORD dots, DWORD dpi);

// A 1200-dpi length in the context's display unit; with a function id the
// length is that setting's UI value. 0 for a negative length.
LONG ConvertDevmodeValueToSize(const UCB* ucb, WORD funcId, LONG dots);
// A display size as 1200-dpi dots; with a function id the dots are also
// stored as that setting's UI value. 0 for a negative size.
LONG ConvertSizeToDevmodeValue(UCB* ucb, WORD funcId, LONG size);

// The displayed range of a length range in dots: the maximum rounded down
// and the minimum rounded up, so that both convert back inside the range.
// Either out pointer may be null.
void DisplayRangeOfDots(UCB* ucb, LONG minDots, LONG maxDots, LONG* min, LONG* max);

// The displayed range of the free-size width (753) or length (754); either
// out pointer may be null. FALSE for any other id, which writes nothing.
BOOL GetDispMinMaxByFuncID(UCB* ucb, WORD funcId, LONG* min, LONG* max);
// The displayed range of a numeric control from its UI group, narrowed by
// the tray's free-size range. FALSE when the control has no numeric group.
BOOL GetDispMinMax(UCB* ucb, const ICB* icb, LONG* min, LONG* max);

// a * b / c, rounded toward zero; -1 when c is 0, clamped to the 32-bit
// range when the quotient does not fit.
LONG longMulDiv(LONG a, LONG b, LONG c);
