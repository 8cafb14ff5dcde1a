// Print sizes the QA finisher takes; QC, QG, QH, QJ and QK take the same.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD SupportPrintSizeFinQA[] = {8, 9, 12, 13, 1, 5, 3, 514, 513, 14, 7, 517, 93, 0};
