// The constraint interface without a dialog: which values of a setting the
// description's constraints leave selectable, and a group of settings set
// at once with the description's actions applied afterwards (the request
// block an application leaves in its DEVMODE).
//
// Listing never changes the context: a value judged by trial is tried on
// the context's settings, and everything the trial changed (DEVMODE,
// printer-wide and work settings, the settings' changed marks, the
// changed-page flag and the request word) is put back before the next
// value is tried.
//
// Count protocol of the listings: ask with no buffer (or capacity 0) for
// the count, which comes with result 1 when values exist; then list into
// a buffer of that many 32-bit entries, result 0.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/constraints/exc_variables.h"

struct UCB;

// Results of the listings.
inline constexpr LONG kExcListed = 0;     // values copied, or none selectable, or not controllable
inline constexpr LONG kExcCountOnly = 1;  // values exist; no buffer or too small a one: only the count
inline constexpr LONG kExcNoMemory = -1;

// Listing modes.
inline constexpr DWORD kExcListAll = 0;
inline constexpr DWORD kExcListChosen = 1;  // leaves out the values that switch a function off

// The selectable values of the setting, in value-list order. *count (when
// given) is set to 0 first, then to the number of selectable values; they
// are copied when values holds at least that many.
LONG ExcGetActiveValuePlus(UCB* ucb, WORD funcId, DWORD capacity, DWORD* values, LONG* count, DWORD mode);
LONG ExcGetActiveValue(UCB* ucb, WORD funcId, DWORD capacity, DWORD* values, LONG* count);

// The variable of the setting when its mode word shares a bit with the
// mask and, for a variable with support conditions that it must pass,
// when they hold; else null.
const ExcVariable* ExcGetVariableControlbyFuncID(UCB* ucb, WORD funcId, DWORD mask);
// TRUE when the value of the variable is selectable now: its condition
// list holds, or, for a variable judged by trial, everything the trial
// stored survives the description's actions. FALSE for null arguments and
// when the settings cannot be set aside for a trial.
BOOL ExcValueSelectPrintForAPI(UCB* ucb, const ExcVariable* variable, const ExcValue* value);

// A condition list against the current stored settings; an empty list
// holds. The support form reads each printer-wide option id's DEVMODE copy
// (gOptFidTbl) and passes over a condition whose id no row covers.
BOOL OptCtrlSelectChkForAPI(const UCB* ucb, const ExcEntry* conditions);
BOOL OptCtrlSupportChk(const UCB* ucb, const ExcEntry* conditions);

// The consistency pass after settings were changed without a dialog: the
// print quality falls back to 600 dpi when the resolution rules refuse the
// current one, the resolutions and paper areas are derived again, and the
// description's actions of every setting run again. Returns 0.
LONG ExcAllValidate(UCB* ucb);

// Stores the value into the setting when the request block may set it and
// returns the setting's FuncE mask bit; 0, nothing stored, otherwise.
DWORD SetFuncE(UCB* ucb, WORD funcId, LONG_PTR value);
// Runs, for each FuncE setting of the mask in FuncE order, the transact of
// its UI group; settings without a group are passed over.
void ExcActionUI(UCB* ucb, DWORD mask);
