// Whether the print size can be folded, and its fold class. Only the
// folding models (machines 144, 169 and 158, by the machine-id setting)
// have fold tables; every fold rule answers 0 on the others.
#pragma once

#include "jobsettings/rules/tables/rule_tables.h"
#include "platform/base/wintypes.h"

struct UCB;

inline constexpr int kFoldBottom = 0;
inline constexpr int kFoldRightLeft = 1;

const FoldPaperSize* GetSupportFoldPaperSizeTable(const UCB* ucb);
const WORD* GetFoldSupportTrayTable(const UCB* ucb);
// The fold class of the size: 1 folds alone and never doubled, 2 alone or
// doubled, 3 only doubled; 0 when the size does not fold.
BYTE GetFoldPaperType(const UCB* ucb, WORD size);
// 1 when the print size's fold class is kind (compared as bytes).
BOOL IsFoldPaperType(const UCB* ucb, DWORD kind);
// 1 when a fold tray holds the size, or paper of the fold class, loaded in
// the direction. Locks do not matter: the folder feeds a locked tray.
BOOL CheckSameFoldPaperOrient(const UCB* ucb, WORD size, WORD orient);
BOOL CheckExistSelectPaperType(const UCB* ucb, BYTE foldClass, WORD orient);
// 1 when the fold (kFoldRightLeft or kFoldBottom) is possible.
BOOL IsFold(const UCB* ucb, int direction);
// 0 when any sheet of the job comes from the manual feeder.
BOOL CovMrkManualCheck(const UCB* ucb);
// 1 when a chapter takes its sheets from the manual feeder.
BOOL ChpUseTray(const UCB* ucb);
LONG_PTR GetDevmodeIDSelect(const UCB* ucb, WORD funcId);
