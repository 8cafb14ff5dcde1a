// The stamp module: the watermark list of the edit page and its three
// editing dialogs, the font choices of the margin and copy-guard dialogs,
// the add and delete buttons' limits, and the watermark and copy-guard
// previews drawn over a page picture. Configuration library only; the
// rendering library's row answers nothing.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct TCB;
struct UCB;

#if !KESM_KERNEL_MODE
// The watermark, then the copy guard, drawn over the page picture at page
// (within the preview DC of the context's work area), on bitmaps of
// (width − 2) × (height − 2). The unused value is kept for the callers.
void MakeWaterMarkBitmap(UCB* ucb, ICB* preview, LONG width, LONG height, LONG_PTR unused, const RECT* page);
void MakeCopyProtectBitmap(UCB* ucb, ICB* preview, LONG width, LONG height, LONG_PTR unused, const RECT* page);

// Font choices (the default face is KESMGetDefaultFont's): fill the combo and select the setting's face (falling back
// to the default face, then to the first), take over its selection, and
// select the default face.
void FontCmb(UCB* ucb, TCB* tcb, ICB* combo, WORD funcId);
void FontCmb_SelChg(UCB* ucb, TCB* tcb, ICB* combo, WORD funcId);
void FontCmb_RESET(UCB* ucb, TCB* tcb, ICB* icb, WORD funcId, WORD comboId);

INT_PTR UCF_Stamp(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
INT_PTR MarginEvent(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
INT_PTR CopyProtectEvent(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
#endif
