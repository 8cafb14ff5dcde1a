// Print sizes the QF finisher takes.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD SupportPrintSizeFinQF[] = {8, 9, 12, 13, 1, 5, 3, 514, 513, 14, 517, 93, 7, 512, 0};
