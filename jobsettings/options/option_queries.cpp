#include "jobsettings/options/option_tables.h"

const OptionInfo* GetOptionInfoByStringID(DWORD nameId, DWORD machine) {
  if (nameId == 0) return nullptr;
  for (const OptionInfo* o = GetOptionInfo(machine); o != nullptr && o->nameId != 0; ++o) {
    if (o->nameId == nameId) return o;
  }
  return nullptr;
}

BOOL IsFinDEST(LONG dest, DWORD kind) {
  for (const FinDest* row = GetFinInfo(); row->funcId != -1; ++row) {
    const SHORT carried = kind == kFinKindBlank ? row->blankDest : row->dest;
    if (carried != -1 && carried == dest) return TRUE;
  }
  return FALSE;
}
