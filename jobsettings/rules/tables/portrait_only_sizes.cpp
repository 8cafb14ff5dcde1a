// Print sizes that a finisher takes only fed portrait.
#include "jobsettings/rules/tables/rule_tables.h"

const WORD PrintSizePortraitOnly[] = {8, 12, 5, 3, 514, 513, 14, 517, 512, 0};
