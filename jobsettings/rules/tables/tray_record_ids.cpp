// Where each tray keeps its paper, direction and lock. Tray 5 has two
// rows: its own settings serve machines 140, 144, 150 and 169, the other
// models report the large-capacity tray there (the rules choose). The
// inserter cannot be locked.
#include "jobsettings/rules/tables/rule_tables.h"

const TrayRecordIds kTrayRecordIds[] = {
    {kTrayCode1, 10175, 10143, 10239},
    {kTrayCode2, 10176, 10144, 10240},
    {kTrayCode3, 10177, 10145, 10241},
    {kTrayCode4, 10178, 10146, 10242},
    {kTrayCode5, 10179, 10147, 10243},
    {kTrayCode6, 10180, 10148, 10244},
    {kTrayCode7, 10181, 10149, 10245},
    {kTrayCodeLCT, 10200, 10168, 10264},
    {kTrayManualFeeder, 10202, 10170, 10266},
    {kTrayMultiPurpose, 10203, 10171, 10267},
    {kTrayCodeInserter, 10204, 10172, 0},
    {0, 0, 0, 0},
};
