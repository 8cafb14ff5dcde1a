// Print sizes the QD finisher takes.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD SupportPrintSizeFinQD[] = {8, 9, 12, 1, 5, 3, 14, 0};
