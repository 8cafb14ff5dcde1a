// Trays that feed the folder of machine 158.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD FoldSupportTray_Mach2[] = {kTrayCode1, kTrayCode2, kTrayCode3, kTrayCode4, kTrayCodeLCT, 0};
