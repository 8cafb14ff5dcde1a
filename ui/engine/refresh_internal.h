// What the page refresh shares between its files: the ids it reads, one
// refresh's view of the page, the per-item step, the hint icons and the
// focus move, and the fixed lists of controls. Internal to ui/engine/.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/base/wintypes.h"
#include "settings/tables/class_data.h"
#include "settings/tables/dialog_tables.h"
#include "ui/engine/refresh.h"

struct UCB;

namespace refresh {

// Settings the refresh reads.
inline constexpr WORD kFuncCopies = 12;
inline constexpr WORD kFuncOrientation = 7;
inline constexpr WORD kFuncUiModeChange = 36;
inline constexpr WORD kFuncPresetNo = 37;
inline constexpr WORD kFuncWatermarkOn = 60;
inline constexpr WORD kFuncCopyGuardOn = 79;
inline constexpr WORD kFuncCallSource = 607;
inline constexpr WORD kFuncOsKind = 608;
inline constexpr WORD kFuncNoPermission = 612;
inline constexpr WORD kFuncPresentUiMode = 613;
inline constexpr WORD kFuncPresetName = 762;
inline constexpr WORD kFuncChapterNum = 833;
inline constexpr WORD kFuncLogCode = 10003;

// The preset number as the dialogs show it: 118 none, 119 + index.
inline constexpr LONG_PTR kPresetNone = 118;
inline constexpr LONG_PTR kPresetFirst = 119;
inline constexpr LONG_PTR kPresetLastIndex = 15;

// Dialogs and controls with a rule of their own.
inline constexpr WORD kDialogPreset = 1001;
inline constexpr WORD kDialogMaintenance = 1007;
inline constexpr WORD kDialogOption = 1011;
inline constexpr WORD kDialogFreeSizeList = 1017;
inline constexpr WORD kDialogSavePreset = 1032;
inline constexpr WORD kDialogFreeSizeInput = 1041;
inline constexpr WORD kControlPresetComment = 2146;
inline constexpr WORD kControlNeverDisabled = 2164;
inline constexpr WORD kControlAlwaysUpdated = 2406;

// The page's children that carry an item in their user data (the item's
// own window, its hint icon), by item, in z-order: gathered once a refresh
// instead of searching the page's children for every item.
struct HintIndex {
  bool gathered = false;
  std::unordered_map<const ICB*, std::vector<HWND>> windows;
};

// One refresh of one page.
struct Pass {
  UCB* ucb;
  TCB* tcb;
  bool full;       // every setting counts as changed
  bool redrawAll;  // a setting other than the copies was written since the last refresh
  const CDTAB* tabPages;  // the pages of the page's tab control, null without one
  int selectedTab;        // the tab control's selection, -1 for none
  HintIndex hints{};
};

// Step 7 of the refresh for one item of the page.
void RefreshItem(Pass& pass, ICB& icb);

// The hint icon beside a disabled item: made when wanted and missing,
// destroyed when present and not wanted. At most one per item.
void SyncHintWindow(Pass& pass, ICB& icb, bool wanted);
// Every hint icon of the page is drawn again.
void InvalidateHintWindows(const TCB& tcb);
// When the window that had the focus is disabled now, the focus goes to the
// next sibling that takes it, wrapping once to the first.
void MoveFocusOffDisabled(HWND remembered);

// The fixed lists of controls, each ended by dialog id 0.
extern const DialogControlPair kTrayList[];
extern const DialogControlPair kPaperSizeList[];
extern const DialogControlPair kOutbinList[];
extern const DialogControlPair kOrientList[];
extern const DialogControlPair kPresetList[];
extern const DialogControlPair kStampList[];
// The preset lists whose selection falls back to the first preset when it
// lies past the stored presets: the first entries of kPresetList.
inline constexpr int kPresetListsWithFallback = 2;

}  // namespace refresh
