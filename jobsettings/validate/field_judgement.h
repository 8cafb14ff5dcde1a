// The description's verdict on one value of a setting, as the field
// validators and the private walk ask it. Results: 2 when the setting has
// no record or no label (the driver's own tables judge it), 3 when the
// description has no UI group for it (the value stays as it is), else 1
// for an accepted value and 0 for a refused one.
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
// The form of the private walk: a value the description refuses is
// corrected on the spot (to the group default, a preset number as below,
// and after an application request a scale to the nearest end of its
// range) and the answer is 1. 2 and 3 as above.
int IsValidateEachDMWEXA(WORD funcId, LONG_PTR value, UCB* ucb);

// Whether the group's options and constraints accept the value
// (BKPDIsValidateDevmode): 1 or 0.
int DescriptionAcceptsValue(const SFCB* sfcb, WORD funcId, LONG_PTR value, const UiGroup* group,
                            UCB* ucb);

// Stores the description's group default of the record's setting.
void DevCBSetDefault(UCB* ucb, SFCB* record);
// The same, except that kdmScaleH and kdmScaleV under a numeric group take
// the nearer end of the group's range when the value lies outside it.
void DevCBSetDefaultWEXA(UCB* ucb, SFCB* record, WORD funcId, LONG_PTR value);
