// Which values of a variable are selectable now, by condition list or by
// trial, and their listing.
#include <array>
#include <cstring>
#include <utility>

#include "settings/constraints/active_value_memo.h"
#include "settings/constraints/exc_interface.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"

namespace {

// Everything a trial may change in a context: the whole DCB (DEVMODE,
// printer-wide and work settings, the block offsets with them), the
// settings' changed marks, the changed-page flag and the request word.
class SettingsSnapshot {
 public:
  // False when the context has no DCB or no memory is left for the copy.
  bool Take(const UCB* ucb) {
    if (ucb == nullptr || ucb->pDCB == nullptr || ucb->pWork == nullptr) return false;
    marks_ = ucb->pSFL != nullptr && ucb->pSFL->count > 0 ? static_cast<std::size_t>(ucb->pSFL->count) : 0;
    block_ = NewMemBlock<BYTE>(sizeof(DCB) + marks_ * sizeof(WORD));
    if (!block_) return false;
    std::memcpy(block_.get(), ucb->pDCB, sizeof(DCB));
    WORD* flags = Flags();
    for (std::size_t i = 0; i < marks_; ++i) flags[i] = ucb->pSFL->pSFCB[i].flags;
    changed_ = ucb->pWork->fChanged;
    request_ = ucb->pWork->dwRequest;
    return true;
  }

  void Restore(UCB* ucb) const {
    std::memcpy(ucb->pDCB, block_.get(), sizeof(DCB));
    const WORD* flags = Flags();
    for (std::size_t i = 0; i < marks_; ++i) ucb->pSFL->pSFCB[i].flags = flags[i];
    ucb->pWork->fChanged = changed_;
    ucb->pWork->dwRequest = request_;
  }

 private:
  WORD* Flags() const { return reinterpret_cast<WORD*>(block_.get() + sizeof(DCB)); }

  MemBlock<BYTE> block_;
  std::size_t marks_ = 0;
  INT changed_ = 0;
  INT request_ = 0;
};

// The settings a trial stored, to be found unchanged after the actions.
// No variable of the table stores more; a trial that would is not judged.
constexpr std::size_t kTrialPairs = 20;

class TrialRecord {
 public:
  // Stores the value and records it; false when the record is full.
  bool Store(UCB* ucb, DWORD funcId, DWORD value) {
    if (count_ == kTrialPairs) return false;
    const auto id = static_cast<WORD>(funcId);
    SetDevmodeValueDirectByFuncID(ucb, id, static_cast<LONG_PTR>(value));
    pairs_[count_++] = {id, value};
    return true;
  }
  bool StoreAll(UCB* ucb, const ExcEntry* e) {
    for (; e != nullptr; e = e->next) {
      if (!Store(ucb, e->funcId, e->value)) return false;
    }
    return true;
  }
  // Whether every recorded setting still holds its value, last first.
  bool Survived(const UCB* ucb) const {
    for (std::size_t i = count_; i-- > 0;) {
      if (static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, pairs_[i].first, nullptr)) != pairs_[i].second) {
        return false;
      }
    }
    return true;
  }

 private:
  std::array<std::pair<WORD, DWORD>, kTrialPairs> pairs_{};
  std::size_t count_ = 0;
};

// Ids up to this one lie in the DEVMODE; a trial stores only those values.
constexpr DWORD kLastDevmodeId = 623;

// Tries the value on the context: stores it (unless it switches the
// function off) with the variable's and the value's side effects, runs
// the consistency pass, and sees whether all of it survived. The context
// is put back as saved.
bool Try(UCB* ucb, const ExcVariable& variable, const ExcValue& value, const SettingsSnapshot& saved) {
  TrialRecord trial;
  bool fits = true;
  if ((value.flags & kExcValueNotListed) == 0 && variable.funcId <= kLastDevmodeId) {
    fits = trial.Store(ucb, variable.funcId, value.value);
  }
  fits = fits && trial.StoreAll(ucb, variable.sideEffects) && trial.StoreAll(ucb, value.sideEffects);
  bool survived = false;
  if (fits) {
    ExcAllValidate(ucb);
    survived = trial.Survived(ucb);
  }
  saved.Restore(ucb);
  return survived;
}

bool Selectable(UCB* ucb, const ExcVariable& variable, const ExcValue& value, const SettingsSnapshot& saved) {
  if ((variable.kind & kExcKindTrial) != 0) return Try(ucb, variable, value, saved);
  return OptCtrlSelectChkForAPI(ucb, value.conditions) != FALSE;
}

// The listing's answer for n selectable values.
LONG Answer(const DWORD* chosen, DWORD n, DWORD capacity, DWORD* values, LONG* count) {
  if (count != nullptr) *count = static_cast<LONG>(n);
  if (n == 0) return kExcListed;
  if (values == nullptr || capacity < n) return kExcCountOnly;
  std::memcpy(values, chosen, n * sizeof(DWORD));
  return kExcListed;
}

}  // namespace

BOOL ExcValueSelectPrintForAPI(UCB* ucb, const ExcVariable* variable, const ExcValue* value) {
  if (ucb == nullptr || variable == nullptr || value == nullptr) return FALSE;
  SettingsSnapshot saved;
  if ((variable->kind & kExcKindTrial) != 0 && !saved.Take(ucb)) return FALSE;
  return Selectable(ucb, *variable, *value, saved) ? TRUE : FALSE;
}

LONG ExcGetActiveValuePlus(UCB* ucb, WORD funcId, DWORD capacity, DWORD* values, LONG* count, DWORD mode) {
  if (count != nullptr) *count = 0;
  // A context without settings (open kinds 4 and above) controls nothing.
  if (ucb == nullptr || ucb->pDCB == nullptr) return kExcListed;
  const ExcVariable* variable = ExcGetVariableControlbyFuncID(ucb, funcId, kExcModeListed);
  if (variable == nullptr || variable->values == nullptr || variable->values->count == 0) return kExcListed;
  // A listing by trial runs the consistency pass once per value: its answer
  // is kept for the state it was judged on. Condition lists cost less to
  // judge than to look up.
  const bool trial = (variable->kind & kExcKindTrial) != 0;
  const DWORD* kept = nullptr;
  DWORD n = 0;
  if (trial && FindActiveValues(ucb, funcId, mode, kept, n)) return Answer(kept, n, capacity, values, count);
  const ExcValueList& list = *variable->values;
  auto chosen = NewMemBlock<DWORD>(list.count);
  if (!chosen) return kExcNoMemory;
  // One copy of the settings serves every trial of the listing.
  SettingsSnapshot saved;
  if (trial && !saved.Take(ucb)) return kExcNoMemory;

  for (DWORD i = 0; i < list.count; ++i) {
    const ExcValue& v = list.values[i];
    if (mode == kExcListChosen && (v.flags & kExcValueNotListed) != 0) continue;
    if (Selectable(ucb, *variable, v, saved)) chosen.get()[n++] = v.value;
  }
  // Every trial put the context back: the list belongs to the state the
  // memo was asked about.
  if (trial) KeepActiveValues(ucb, funcId, mode, chosen.get(), n);
  return Answer(chosen.get(), n, capacity, values, count);
}

LONG ExcGetActiveValue(UCB* ucb, WORD funcId, DWORD capacity, DWORD* values, LONG* count) {
  return ExcGetActiveValuePlus(ucb, funcId, capacity, values, count, kExcListAll);
}
