// Where paper of a size is loaded and in which direction: the source tray,
// a named tray, or for Auto any tray that may be chosen (present and not
// locked; the large-capacity and multi-purpose trays and the manual feeder
// only when installed). Paper codes compare as 16-bit values. Rules only
// read settings.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Same-size orientation bits: paper of the size loaded portrait (bit 0)
// or landscape (bit 1) in the source tray; for Auto in any usable tray.
inline constexpr DWORD kSameSizePortrait = 1;
inline constexpr DWORD kSameSizeLandscape = 2;
DWORD GetSameSizeOrient(const UCB* ucb, WORD size);

// 1 when the tray (for Auto some usable tray) holds the size loaded in the
// direction (0 portrait, 1 landscape).
BOOL CheckTraySameSizeOrientExist(const UCB* ucb, WORD tray, WORD size, WORD orient);
BOOL CheckSameSizeOrient(const UCB* ucb, WORD size, WORD orient);
// The same for the source tray, where Auto stands for tray 1 unless the
// model checks insert sheets against every tray.
BOOL CheckSameSizeOrientCoverMark(const UCB* ucb, WORD size, WORD orient);
// 1 when the tray (for Auto some usable tray) holds the size.
BOOL CheckTraySameSizeExist(const UCB* ucb, WORD tray, WORD size);
// The paper and direction of one tray; FALSE, with nothing written, for
// Auto and for codes that name no tray.
BOOL GetTraySizeOrient(const UCB* ucb, WORD tray, WORD* size, WORD* orient);
// 1 on the models that check insert sheets against any tray.
BOOL CvrMrkChkONNotTray1(const UCB* ucb);

// Whether paper of the print size is in the tray.
BOOL IsSameSizeAuto(const UCB* ucb);
BOOL IsSameSizeTray1(const UCB* ucb);
BOOL IsSameSizeTray2(const UCB* ucb);
BOOL IsSameSizeTray3(const UCB* ucb);
BOOL IsSameSizeMassTray4(const UCB* ucb);
BOOL IsSameSizeMassTray5(const UCB* ucb);
BOOL IsSameSizeMassTray6(const UCB* ucb);
BOOL IsSameSizeTray7(const UCB* ucb);
BOOL IsSameSizeLCT(const UCB* ucb);
BOOL IsSameSizeManual(const UCB* ucb);

// Whether the tray of the insert sheet holds the main source tray's paper
// in the same direction; 0 for an insert tray that names no tray.
BOOL IsSameCoverSourceTraySize(const UCB* ucb);
BOOL IsSameMarkSourceTraySize(const UCB* ucb);
BOOL IsSameBackCoverSourceTraySize(const UCB* ucb);
BOOL IsSameChapterSourceTraySize(const UCB* ucb);
BOOL IsSameReverseCoverSourceTraySize(const UCB* ucb);

BOOL IsPaperFittingWorkCondition(const UCB* ucb);
