// What the settings model asks of the job settings after it changed
// settings without a dialog (a trial, the request block, built-in function
// 1): the paper areas and resolutions derived from the chosen settings,
// the resolution rule, and the description's actions of every setting.
//
// The paper-area and resolution derivations and the resolution rule are
// not part of the driver so far; until they are, these answer neutrally:
// the areas and resolutions stay as stored and every resolution counts as
// allowed.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The source area (settings 40-45) of a paper value of settingId, and the
// destination area (47-52) of an output paper value of settingId; the UI
// forms exchange a free size's length and width in landscape.
void DeriveSrcPaperArea(UCB* ucb, LONG paper, WORD settingId, BOOL ui);
void DeriveDstPaperArea(UCB* ucb, LONG paper, WORD settingId, BOOL ui);
// The vertical source and both destination resolutions from dmPrintQuality.
void DeriveResolutionsFromDevmode(UCB* ucb);
// FALSE when the resolution rules refuse the current resolution.
BOOL IsResolutionAllowed(UCB* ucb);
// For every setting record of the context, in table order, the transact
// of its UI group runs again.
void ReapplyConstraintActions(UCB* ucb);
