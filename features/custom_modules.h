// The feature modules seen from the rest of the system: set up and torn
// down with each printer context, and offered window messages, numbered
// events and built-in functions. Every call goes to the modules in one
// fixed order; the first that answers ends it.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct ICB;
struct SFCB;
struct TCB;
struct UCB;

// Called once when a context is built, after its work area exists.
void KesmInitCustom(UCB* ucb);
// Called once when a context is freed, before its work area goes.
void KesmTermCustom(UCB* ucb);
// Offers the event to the modules in table order until one handles it; the
// answer comes back in the parameter record, whose out fields the caller
// presets. Codes 1 and 2 are never offered.
void KesmCustomFunction(UCB* ucb, DWORD code, void* parameter);
// Offers a built-in function id to the modules in table order until one
// runs it; ids no module knows do nothing.
void KesmCustomBuiltInFunc(UCB* ucb, DWORD id);
// A message of a property page or dialog (icb null for the page's own):
// first the dialog engine's own callback, then the modules. The first
// non-zero answer, or 0 when nobody consumed the message.
INT_PTR KesmCustomProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);

inline constexpr WORD kUcfJudgeHookFirstId = 964;
inline constexpr WORD kUcfJudgeHookLastId = 1123;

// The value of a feature-module pseudo setting for a judge: ids 996-1011
// belong to the quality module, 1108-1123 to the Other module; every other
// id, and every id while no module answers it, gives 0.
DWORD Ucf_JudgeHook(UCB* ucb, WORD funcId);

// Events whose records the feature modules define. Events of the settings,
// storage and device code are declared beside their senders.

// The name of a user colour profile for a replace-string entry: option ids
// 565-580 stand for profiles 0-15. The text stays as the caller preset it
// for any other id, and for a profile that is not registered.
inline constexpr DWORD kCustomReplaceString = 16;
struct CustomReplaceString {
  WORD optionId;
  LPWSTR text;  // cch characters, written terminated
  int cch;
};

// The free paper size's number edits and spins: the value a control shows
// (38 paint, 40 message), a value typed (39), a new value in dots (41), a
// spin's value (43), and the spin range (46: max and min in dots, found 1).
inline constexpr DWORD kCustomEditNumPaint = 38;
inline constexpr DWORD kCustomEditNumTyped = 39;
inline constexpr DWORD kCustomEditNumShow = 40;
inline constexpr DWORD kCustomEditNumDots = 41;
inline constexpr DWORD kCustomAlertAccepted = 42;     // no record
inline constexpr DWORD kCustomSpinValue = 43;
inline constexpr DWORD kCustomSpinRange = 46;
struct CustomEditNum {
  ICB* icb;
  LONG value;  // in display units, or dots for 41
};
struct CustomSpinRange {
  ICB* icb;
  LONG max;  // dots, out
  LONG min;  // dots, out
  DWORD found;
};

// The resolutions a capability query lists: a module may give its own list
// (null: none of its own).
inline constexpr DWORD kCustomResolutionList = 30;
struct CustomResolutionList {
  const void* list;
};

// A dialog closed: cancelled (34) or confirmed (35). With kDialogCmmReturn
// in flags, the colour-matching values kept while it was open are given
// back on cancel, and forgotten either way.
inline constexpr DWORD kCustomDialogCancelled = 34;
inline constexpr DWORD kCustomDialogAccepted = 35;
inline constexpr DWORD kDialogCmmReturn = 0x20;
struct CustomDialogState {
  DWORD flags;
};

// Events DEVMODE validation sends, and their records.
inline constexpr DWORD kCustomValidateChapter = 11;   // no record
inline constexpr DWORD kCustomChapterWorkData = 13;   // no record
inline constexpr DWORD kCustomPickQuality = 32;       // CustomQualityPick
inline constexpr DWORD kCustomQualityChanged = 36;    // no record
inline constexpr DWORD kCustomFreeSizeGiven = 44;     // CustomDevmodeRecord
inline constexpr DWORD kCustomFreeSizeArea = 45;      // CustomPaperAreaRecord
inline constexpr DWORD kBuiltInValidatePrivate = 124;

// A resolution to choose for a value the settings refuse: value is the
// refused value on the way in and the module's choice on the way out.
struct CustomQualityPick {
  DEVMODEW* devmode;
  SFCB* record;  // the resolution setting
  LONG_PTR value;
};
// A free size given by length and width in the DEVMODE.
struct CustomDevmodeRecord {
  DEVMODEW* devmode;
};
// The source area of a free size: a module that fills the DEVMODE's paper
// length and width itself sets handled to 1.
struct CustomPaperAreaRecord {
  DEVMODEW* devmode;
  DWORD handled;
};
