// The ranges of custom paper sizes by tray and orientation, in 1200-dpi
// dots: {3, tray, orientation, 0, length max/min and width max/min for
// millimetre display, the same for inch display}. A row with tray 0 ends
// the table.
#include "jobsettings/validate/dm_value_tables.h"

const FreeSizeRange FreeSizeRangeTable[] = {
    {3, 3, 2, 0, 14408, 6600, 14408, 6600, 14412, 6600, 14412, 6600},
    {3, 3, 1, 0, 21636, 6600, 14408, 6600, 21636, 6600, 14412, 6600},
    {3, 2, 2, 0, 14408, 6600, 14408, 6600, 14412, 6600, 14412, 6600},
    {3, 2, 1, 0, 21636, 6600, 14408, 6600, 21636, 6600, 14412, 6600},
    {3, 263, 2, 0, 14408, 6600, 14408, 6600, 14412, 6600, 14412, 6600},
    {3, 263, 1, 0, 21636, 6600, 14408, 6600, 21636, 6600, 14412, 6600},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};
