// Print sizes the QE finisher takes.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD SupportPrintSizeFinQE[] = {8, 9, 12, 13, 1, 5, 3, 14, 517, 93, 7, 0};
