// The output paper size: fitting a print to the default paper (Letter or
// A4), the paper that is printed, and built-in function 1, which derives
// the paper areas again and the fitting scale with them.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Output paper codes of kdmOutPaperSize (46) with a meaning here: the paper
// of dmPaperSize, or the default paper when fitting applies; and the two
// codes that always print the default paper.
inline constexpr LONG kOutPaperAsSource = 1024;
inline constexpr LONG kOutPaperDefault = 1025;
inline constexpr LONG kOutPaperDefault2 = 1026;
inline constexpr LONG kPaperLetter = 1;
inline constexpr LONG kPaperA4 = 9;

// 1 when the default paper is Letter, 0 when it is A4: a driver type and a
// locale that ask for Letter, reversed by hidden function 16.
BOOL GetDefPaperFitting(const UCB* ucb);
// kPaperLetter or kPaperA4, as GetDefPaperFitting chooses.
LONG GetDefaultFittingPaper(const UCB* ucb);
// Whether the settings ask for fitting to the default paper: the front
// function's fitting bit, the fitting switch, an output code of 1024-1026,
// a print type that is neither merge nor overlay, no scaling or scaling by
// fitting, and a paper other than the default one.
BOOL IsPaperFittingAsked(const UCB* ucb);
// Non-zero when output code 1024 is printed on the default paper: fitting
// is asked and the paper is one that may be fitted.
BOOL GetPaperFittingWorkCondition(const UCB* ucb);
// The paper that is printed: for 1024 the paper, or the default paper when
// fitting applies; for 1025 and 1026 the default paper; else the code.
LONG GetPrintSize(const UCB* ucb);

// Built-in function 1 of the settings model (other ids do nothing):
// without N-up, and unless a duplex type other than 1-3 is on, the source
// area of the paper and the destination area of the output paper (the
// default paper for 1025 and 1026) are derived again; printing on the
// default paper, or scaling by fitting, stores the fitting percentage in
// both scales; else output code 1024 without scaling stores 100. A source
// without width or length fits nothing: the scales stay as they are.
void KesmCoreBuiltInFunc(UCB* ucb, WORD id);
