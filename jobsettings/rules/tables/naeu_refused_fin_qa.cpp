// Print sizes the QA finisher cannot punch with three or four holes; the
// same for QG, QH, QJ and QK.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD NotSupportPrintSizePunchFinQANAEU[] = {9, 11, 13, 5, 1, 6, 514, 513, 14, 7, 93, 0};
