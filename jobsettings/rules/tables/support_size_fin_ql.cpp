// Print sizes the QL finisher takes.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD SupportPrintSizeFinQL[] = {8, 9, 12, 13, 1, 5, 3, 0};
