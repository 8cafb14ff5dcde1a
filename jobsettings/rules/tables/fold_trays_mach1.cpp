// Trays that feed the folder of machines 144 and 169.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD FoldSupportTray_Mach1[] = {kTrayCode1, kTrayCode2, kTrayCode3, kTrayCode4, kTrayCode5, kTrayCode6, kTrayCode7, 0};
