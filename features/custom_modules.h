// The feature modules seen from the settings model: set up and torn down
// with each printer context, and offered numbered events and built-in
// functions.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct SFCB;
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

inline constexpr WORD kUcfJudgeHookFirstId = 964;
inline constexpr WORD kUcfJudgeHookLastId = 1123;

// The value of a feature-module pseudo setting for a judge: ids 996-1011
// belong to the quality module, 1108-1123 to the Other module; every other
// id, and every id while no module answers it, gives 0.
DWORD Ucf_JudgeHook(UCB* ucb, WORD funcId);

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
