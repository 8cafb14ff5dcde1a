// What the device rules read: job settings, the printer-wide tray data and
// option bits, and the model's machine id. Every read looks its setting up
// by id in the context it is given: no rule keeps a setting record between
// calls, so an answer never comes from another context's records or from a
// description that has since been freed.
#pragma once

#include <initializer_list>

#include "jobsettings/rules/tables/rule_tables.h"
#include "platform/base/wintypes.h"

struct UCB;

// Whether the code is one of the codes.
inline bool OneOf(WORD code, std::initializer_list<WORD> codes) {
  for (WORD c : codes) {
    if (c == code) return true;
  }
  return false;
}

// The current value of a setting, 0 when the context has no such record.
LONG_PTR RuleSetting(const UCB* ucb, WORD funcId);
// The model's machine id in the driver parameters, and the model byte that
// follows it.
BYTE RuleMachineId(const UCB* ucb);
BYTE RuleModelByte(const UCB* ucb);
bool IsFoldingMachine(const UCB* ucb);  // machines 144 and 169

WORD GetSourceTray(const UCB* ucb);
WORD GetCoverTray(const UCB* ucb);
WORD GetMarkTray(const UCB* ucb);
WORD GetBackCoverTray(const UCB* ucb);
WORD GetChapterTray(const UCB* ucb);
WORD GetReverseCoverTray(const UCB* ucb);
WORD GetStapleSelect(const UCB* ucb);
WORD GetStapleType(const UCB* ucb);
WORD GetPunchSelect(const UCB* ucb);
WORD GetPunchType(const UCB* ucb);

bool IsManualTrayExist(const UCB* ucb);  // machines 143, 147, 149 and 157 always
bool IsMultiTrayExist(const UCB* ucb);
bool IsLCTExist(const UCB* ucb);

// One tray's loaded paper: whether the tray is there, its paper code, its
// direction (0 portrait, 1 landscape) and its lock.
struct TrayState {
  bool present;
  WORD paper;
  WORD orient;
  bool locked;
};
// The tray of a code (tray 1-7, the large-capacity tray, the inserter, the
// manual feeder or multi-purpose tray by kTrayManualFeeder and
// kTrayMultiPurpose, and code 4 as whichever of the two serves it). False
// for Auto and for codes that name no tray.
bool ReadTray(const UCB* ucb, WORD code, TrayState* state);

// Finisher option bits.
bool IsFinOptionSet(const UCB* ucb, WORD bit);
// Whether any bit of the family is set; with firstModelOnly the bits of
// the family's second model (QB beside QA) do not count.
bool IsFinExist(const UCB* ucb, Fin fin, bool firstModelOnly = false);
bool IsFinNoPunchExist(const UCB* ucb, Fin fin);
// Whether a region variant of the family that makes the hole group is
// installed (by its own groups, not those of the folding machines).
bool IsFinRegionExist(const UCB* ucb, Fin fin, BYTE holes);
// The hole groups the first installed region variant allows, or all
// groups when none is installed.
BYTE FinAllowedHoles(const UCB* ucb, Fin fin);
