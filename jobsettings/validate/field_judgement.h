// The description's verdict on one value of a setting, as the field
// validators ask it. Results: 2 when the setting has no record or no label
// (the driver's own tables judge it), 3 when the description has no UI
// group for it (the value stays as it is), else 1 for an accepted value and
// 0 for a refused one.
//
// Whether a value of a covered setting is accepted depends on the group's
// option lists and on the constraints that may hide an option. That part
// is answered by DescriptionAcceptsValue, which accepts every value until
// DEVMODE validation judges the group's options and constraints.
#pragma once

#include "platform/base/wintypes.h"

struct SFCB;
struct UCB;
struct UiGroup;

// Judges only.
int IsValidateEachDMEx(WORD funcId, LONG_PTR value, UCB* ucb);
// The correcting form. It answers as IsValidateEachDMEx, except that for a
// setting with a value list under a pick-one or pick-many group the answer
// is whether the value list holds the value (with a text).
int IsValidateEachDM(WORD funcId, LONG_PTR value, UCB* ucb);

// Hook: whether the group's options and the constraints accept the value.
// Answers 1 (accepted) for now.
int DescriptionAcceptsValue(const SFCB* sfcb, WORD funcId, LONG_PTR value, const UiGroup* group,
                            UCB* ucb);
