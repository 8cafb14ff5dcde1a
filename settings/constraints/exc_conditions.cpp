// Condition lists of the option-control variables, and which variables a
// caller may control.
#include "settings/constraints/exc_interface.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"

namespace {

// The function id a condition reads: its own, or for a support condition
// the DEVMODE copy of the option it names; false when no row covers it.
using Translate = bool (*)(DWORD id, WORD* funcId);

bool AsStored(DWORD id, WORD* funcId) {
  *funcId = static_cast<WORD>(id);
  return true;
}

bool AsOptionCopy(DWORD id, WORD* funcId) {
  const auto stored = static_cast<WORD>(id);
  for (const OptFidRow* row = gOptFidTbl; row->storedId != 0; ++row) {
    if (stored >= row->storedId && stored - row->storedId < kOptFidRowSpan) {
      *funcId = static_cast<WORD>(row->funcId + (stored - row->storedId));
      return true;
    }
  }
  return false;
}

bool Holds(const UCB* ucb, WORD funcId, DWORD value) {
  return static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr)) == value;
}

// Groups joined by "and", each a set of alternative chains joined by "or",
// each chain of conditions joined by "and".
bool Walk(const UCB* ucb, const ExcEntry* c, Translate translate) {
  bool held = true;
  while (c != nullptr) {
    WORD funcId = 0;
    if (!translate(c->funcId, &funcId)) {
      c = c->next;
      continue;
    }
    held = Holds(ucb, funcId, c->value);
    if (held) {
      if (c->link == kExcLinkAnd) {
        c = c->next;
        continue;
      }
      // The group holds: go past its last condition to the next group.
      while (c->link != kExcLinkGroupEnd && c->next != nullptr) c = c->next;
      c = c->next;
      if (c == nullptr) return true;
      continue;
    }
    // The chain fails: go to its last condition; another chain of the
    // group may still hold.
    while (c->link == kExcLinkAnd && c->next != nullptr) c = c->next;
    if (c->next == nullptr || c->link == kExcLinkGroupEnd) return false;
    c = c->next;
  }
  return held;
}

}  // namespace

BOOL OptCtrlSelectChkForAPI(const UCB* ucb, const ExcEntry* conditions) {
  return Walk(ucb, conditions, AsStored) ? TRUE : FALSE;
}

BOOL OptCtrlSupportChk(const UCB* ucb, const ExcEntry* conditions) {
  return Walk(ucb, conditions, AsOptionCopy) ? TRUE : FALSE;
}

const ExcVariable* ExcGetVariableControlbyFuncID(UCB* ucb, WORD funcId, DWORD mask) {
  if (ucb == nullptr || funcId == 0) return nullptr;
  const ExcVariableList* list = GetExcVariableListData();
  for (DWORD i = 0; i < list->count; ++i) {
    const ExcVariable& v = list->records[i];
    if (v.funcId == 0 || v.funcId != funcId) continue;
    if ((v.mode & mask) == 0) return nullptr;
    if ((v.mode & kExcModeSupport) != 0 && v.support != nullptr && !OptCtrlSupportChk(ucb, v.support)) {
      return nullptr;
    }
    return &v;
  }
  return nullptr;
}
