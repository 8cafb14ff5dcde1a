// Print sizes the QL finisher cannot punch with three or four holes.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD NotSupportPrintSizePunchFinQLNAEU[] = {9, 12, 13, 1, 5, 514, 513, 14, 7, 517, 93, 0};
