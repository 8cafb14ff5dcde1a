// Page geometry in the private DEVMODE, which the rendering library reads
// instead of computing it: for the chosen paper (source) and the output
// paper (destination) the paper size and printable size in device dots and
// the printable offsets, at the resolution they are printed at.
//
// Source (settings 40-45): length, width, printable length, printable
// width, left and top offset, at the destination resolution (setting 38)
// for a description paper and at dmPrintQuality for a free size given by
// the DEVMODE's own length and width. Destination (settings 47-52): the
// same for the output paper, and its size from the description in 596 and
// 597.
//
// Every function acts on the context's current DEVMODE, which is the one
// passed. A printable size never goes below 0 when a margin is larger than
// the paper, a resolution of 0 or below is taken as the model's default,
// and a free size given by length and width is held to the model's free
// size range.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// The source area of a paper value of setting settingId (dmPaperSize). The
// UI forms exchange a registered free size's length and width in
// landscape; the plain forms never do.
void SetSrcPaperArea(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm);
void SetSrcPaperAreaUI(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm);
// The destination area of an output paper value of setting settingId
// (kdmOutPaperSize); 1024 stands for dmPaperSize.
void SetDstPaperArea(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm);
void SetDstPaperAreaUI(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm);
// The source area of the DEVMODE's own dmPaperLength and dmPaperWidth.
void SetSrcPaperAreaOfFreeSize(DEVMODEW* dm, UCB* ucb);

#if KESM_KERNEL_MODE
// The rendering library's registered free size: its stored entry into the
// source free size (source) or the free size being edited. Under a
// terminal server the PDEV enable (validation flag 0x10000) keeps what the
// DEVMODE's validation left. Nothing for another paper.
void ReadRegisteredFreeSize(UCB* ucb, LONG paper, bool source);
#endif

// A custom length (or width) in tenths of a millimetre held to the model's
// free-size range; 0 and below become the minimum.
SHORT ClampFreeSizeTenthsMm(SHORT tenths, bool length, const UCB* ucb);
// The same length as 1200-dpi dots within the range.
DWORD FreeSizeDots(SHORT tenths, bool length, const UCB* ucb);
