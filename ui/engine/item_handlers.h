// The handlers the item function table names, per control kind, and the
// services of the kinds that other parts of the engine call. Internal to
// ui/engine/.
#pragma once

#include "ui/engine/item_functions.h"

// Picture items step their choice on a click: item_dispatch.h.
int ChangeDataNext(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);

int ChangeDataCheckBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int ChangeDataRadioList(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);

int InitPushButton(UCB* ucb, TCB* tcb, ICB* icb);
int InitCustomButton(UCB* ucb, TCB* tcb, ICB* icb);
int InitListBox(UCB* ucb, TCB* tcb, ICB* icb);
int InitComboBox(UCB* ucb, TCB* tcb, ICB* icb);
int InitOwnerListBox(UCB* ucb, TCB* tcb, ICB* icb);
int InitPresetListBox(UCB* ucb, TCB* tcb, ICB* icb);
int InitEditText(UCB* ucb, TCB* tcb, ICB* icb);
int InitEditNum(UCB* ucb, TCB* tcb, ICB* icb);
int InitVScrollbar(UCB* ucb, TCB* tcb, ICB* icb);
int InitHScrollbar(UCB* ucb, TCB* tcb, ICB* icb);
int InitTrackbar(UCB* ucb, TCB* tcb, ICB* icb);
int InitTabControl(UCB* ucb, TCB* tcb, ICB* icb);
int InitTreeView(UCB* ucb, TCB* tcb, ICB* icb);

void PaintText(UCB* ucb, TCB* tcb, ICB* icb);
void PaintBitmap(UCB* ucb, TCB* tcb, ICB* icb);
void PaintIcon(UCB* ucb, TCB* tcb, ICB* icb);
void PaintCheckBox(UCB* ucb, TCB* tcb, ICB* icb);
void PaintRadioList(UCB* ucb, TCB* tcb, ICB* icb);
void PaintListBox(UCB* ucb, TCB* tcb, ICB* icb);
void PaintComboBox(UCB* ucb, TCB* tcb, ICB* icb);
void PaintOwnerComboBox(UCB* ucb, TCB* tcb, ICB* icb);
void PaintEditText(UCB* ucb, TCB* tcb, ICB* icb);
void PaintEditNum(UCB* ucb, TCB* tcb, ICB* icb);
void PaintVScrollbar(UCB* ucb, TCB* tcb, ICB* icb);
void PaintHScrollbar(UCB* ucb, TCB* tcb, ICB* icb);
void PaintHScrollbarInvalidate(UCB* ucb, TCB* tcb, ICB* icb);
void PaintTrackbar(UCB* ucb, TCB* tcb, ICB* icb);

int PCmdPushButton(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
int PCmdCheckBox(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
int PCmdRadioList(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
int PCmdListBox(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
int PCmdComboBox(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
int PCmdPresetListBox(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
int PCmdEditText(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
int PCmdEditNum(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);

int PMsgPushButton(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgOwnerListBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgOwnerComboBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgMultiListBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgPresetListBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgEditNum(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgVScrollbar(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgHScrollbar(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgTrackbar(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgTabControl(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
int PMsgTreeView(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT KesmItemDefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT KesmPushButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Services of the kinds that other parts of the engine call.
// A picture item painted into its own window, or into the caller's DC and
// rectangle.
void PaintBitmap2(UCB* ucb, TCB* tcb, ICB* icb, HDC dc, const RECT* rect);
// The drawn decoration of a kind-84 scroll bar.
void PaintDecoratedHScrollbar(UCB* ucb, TCB* tcb, ICB* icb);
// The width of a horizontal scroll bar's arrow button.
int CalcScrollButtonWidth();
// A repeat button's steps applied once.
void RelatedPushButton(UCB* ucb, TCB* tcb, ICB* icb);
// Shows the controls of one page of a tab control and hides the others'.
void ShowTabPage(TCB* tcb, ICB* icb, int pageIndex);
// A typed number in fixed point with the scale's decimals.
LONG KesmStr2Int(LPCWSTR text, LONG scale);
