// What the installable-options page's files share: its items, the per-tray
// printer settings, and the handlers of its two halves (the option list in
// option_list.cpp, the tray list and its choices in tray_list.cpp).
// Internal to features/option/pages/.
#pragma once

#include <string>

#include "platform/base/wintypes.h"
#include "platform/window/commctrl_listview.h"
#include "platform/window/winuser_controls.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

namespace option_page {

inline constexpr WORD kPage = 1011;
inline constexpr WORD kOptionList = 2164;
inline constexpr WORD kTrayList = 2166;
inline constexpr WORD kPaperChoice = 2168;
inline constexpr WORD kMediaChoice = 2170;
inline constexpr WORD kLockChoice = 2551;
inline constexpr WORD kOrientationUpright = 2173;  // orientation 0
inline constexpr WORD kOrientationTurned = 2175;   // orientation 1
inline constexpr WORD kRebuildButton = 2176;

// The per-tray printer settings: the first tray's id plus the tray index.
inline constexpr WORD kTrayOffered = 10111;
inline constexpr WORD kTrayOrientation = 10143;
inline constexpr WORD kTrayPaper = 10175;
inline constexpr WORD kTrayMedia = 10207;
inline constexpr WORD kTrayLock = 10239;
inline constexpr DWORD kTrayCount = 32;

// An item's disabled state (status bits 2-3).
inline bool Disabled(const ICB* icb) { return icb != nullptr && (icb->status & 0x000C) != 0; }

// The option list: filled with the model's options once the page is laid
// out; a click or a space switches the selected option; its lines draw
// themselves. Each answers 1 when it consumed the message.
void FillOptionList(UCB* ucb, TCB* tcb);
int SwitchSelectedOption(UCB* ucb, TCB* tcb, ICB* icb);
int DrawOptionLine(UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT& item);
void RepaintOptionList(const UCB* ucb, const TCB* tcb);

// The tray list and the choices of its selected tray.
int InitTrayList(UCB* ucb, TCB* tcb, ICB* icb);
void RebuildTrayList(UCB* ucb, TCB* tcb);
// The choices and the orientation pair show the selected tray's settings.
void LoadChoices(UCB* ucb, const TCB* tcb);
int OnTraySelected(UCB* ucb, TCB* tcb, const NMLISTVIEW& change);
int DrawTrayLine(UCB* ucb, const TCB* tcb, const ICB* icb, const DRAWITEMSTRUCT& item);
int OnTrayChoice(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
int OnOrientationClick(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
void OnOrientationPaint(UCB* ucb, TCB* tcb);

// A string of the context's resource DLL ("" without one).
std::u16string ResourceString(const UCB* ucb, UINT id);

// Tells the sheet that the page changed.
void MarkChanged(const TCB* tcb);

}  // namespace option_page
