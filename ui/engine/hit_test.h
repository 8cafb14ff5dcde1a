// The areas of the printer picture a person can point at: its input trays
// and its output trays, each standing for an option of the model. The
// tables are the device rules' (jobsettings/options/option_tables.h).
// Configuration library only.
#pragma once

#include "jobsettings/options/option_tables.h"
#include "platform/base/wintypes.h"

struct UCB;

// The first area of the records (ended by a name id of 0) that applies and
// holds the point: an area applies when its option setting, if it names
// one, is 1 and its second setting, if it names one, holds the record's
// value. Each related option whose setting is 1 moves the area by its
// shift. The area, moved, goes to *area; left and top count as inside,
// right and bottom do not. Null when none holds the point.
const HitTestRegion* CheckHitTestData(UCB* ucb, RECT* area, POINT point, const HitTestRegion* records);
