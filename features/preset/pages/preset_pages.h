// What the preset module's pages share: the items they work with, the
// selected preset in setting 37 (119 + index, 118 for none), and the
// recall of a preset as the selected one. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

namespace preset_pages {

inline constexpr WORD kFuncPresetNo = 37;
inline constexpr LONG_PTR kFirstPreset = 119;
inline constexpr LONG_PTR kNoPreset = 118;

inline constexpr WORD kPresetPage = 1001;
inline constexpr WORD kMaintenanceDialog = 1007;
inline constexpr WORD kSaveNameDialog = 1032;
inline constexpr WORD kSettingsSheetPage = 1003;

inline constexpr WORD kPresetList = 2001;       // the preset page's list
inline constexpr WORD kMaintenanceList = 2139;  // the maintenance dialog's list
inline constexpr WORD kNameEdit = 2145;         // the maintenance dialog's name
inline constexpr WORD kCommentEdit = 2146;
inline constexpr WORD kSaveNameEdit = 2452;     // the save dialog's name

inline constexpr UINT kMessageNameRefused = 10024;
inline constexpr UINT kMessageNoName = 10031;
inline constexpr UINT kMessageOverwrite = 10032;
inline constexpr UINT kMessageListFull = 10049;
inline constexpr UINT kMessageNameShared = 10052;

// Notifications the pages react to.
inline constexpr WORD kEditKillFocus = 0x0200;
inline constexpr WORD kEditChange = 0x0300;

// Setting 37 less 119: the selected preset's index, negative for none.
int SelectedIndex(const UCB* ucb);
// Setting 37 := 119 + index.
void Choose(UCB* ucb, int index);
// The preset page's list judged with its new value (its alert, or its
// actions).
void JudgePresetList(UCB* ucb, TCB* tcb);
// Loads the preset, makes it the selected one and judges the list.
void Recall(UCB* ucb, TCB* tcb, int index);
// Whether a WM_COMMAND comes from the item's own window.
bool FromItem(const ICB* icb, LPARAM lParam);
// The page or dialog window of a tab.
HWND WindowOf(const TCB* tcb);

// The device values the maintenance dialog's refresh button collected:
// set into the settings and forgotten. True when there were any.
bool ApplyDeviceValues(UCB* ucb);

// The handlers of each page; 1 when the message was consumed.
INT_PTR PresetComboProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR PresetPageProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR SaveNameProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
// The N-up button's request to run an item's transaction as the nested
// sheet opens: run, and cleared, by the sheet's page that holds the item
// once it is laid out (message kMsgLayoutPage without an item).
void RunTransactOnOpen(UCB* ucb, TCB* tcb, UINT message);

}  // namespace preset_pages

// The procedure of the maintenance dialog (1007).
int UCF_Maintenance(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
// 1, after message 10031 and with the entry selected again, when the name
// (the setting of item 2145) is empty; else 0.
int PresetNameCheck(UCB* ucb, HWND page, const ICB* list, int entry);
// Proposes a name in the save dialog: when the name of item 2389 is
// already a preset's (the selected one preferred), item 2452 gets string
// 564 followed by that name.
void AddCopy(UCB* ucb);
