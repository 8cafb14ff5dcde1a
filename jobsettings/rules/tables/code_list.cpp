#include "jobsettings/rules/tables/rule_tables.h"

bool InCodeList(const WORD* list, WORD code) {
  if (list == nullptr || code == 0) return false;
  for (; *list != 0; ++list) {
    if (*list == code) return true;
  }
  return false;
}
