// Whether the compiled description accepts a value of a setting: the
// option list of the setting's UI group, the range of a numeric group, the
// two values of a Boolean group, and the constraints that hide or disable
// an option.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

struct SFCB;
struct UCB;

// Answers of BKPDIsValidateDevmodeKESM.
inline constexpr int kVerdictRefused = 0;
inline constexpr int kVerdictAccepted = 1;
inline constexpr int kVerdictHidden = 4;
inline constexpr int kVerdictDisabled = 5;  // acceptable: the value stays

// The verdict on a value of the record's setting under its UI group, with
// the rules of single settings: the N-up type reconciles the N-up kind,
// the duplex, punch, staple, fold and tile-mask types follow their
// switching function, and colour-profile entries 200-215 of the colour
// matching modes are always acceptable. 1 or 5 mean acceptable.
int BKPDIsValidateDevmodeKESM(const SFCB* record, WORD funcId, LONG_PTR value, UCB* ucb, const UiGroup* group);
// The switching function of a setting whose value counts only while that
// function is on (the duplex, punch, staple, fold and tile-mask types), or
// 0 for any other setting.
WORD SwitchOfSetting(WORD funcId);
// Whether the setting's value is one validation cannot keep now: its
// switching function stands in the description and is off, so validation
// puts the setting back to its default.
BOOL IsSwitchedOff(UCB* ucb, WORD funcId);
// The plain verdict, for the group of the function id: 1 acceptable, 0
// not (a hidden option is not acceptable).
int BKPDIsValidateDevmode(const SFCB* record, WORD funcId, LONG_PTR value, UCB* ucb);

// Whether the option list holds the key (its 16-bit option value).
BOOL IsAvailableValuePickOne(const UCB* ucb, const UiOption* options, LONG_PTR key);
BOOL IsAvailableValueBoolean(LONG_PTR value);
BOOL IsAvailableValueNumeric(const UCB* ucb, const UiGroup* group, LONG_PTR value);

// The range of a numeric group: its first and third numbers, as the
// description gives minimum, default and maximum. FALSE without numeric
// data.
BOOL GetNumericRange(const UCB* ucb, const UiGroup* group, LONG* min, LONG* max);
