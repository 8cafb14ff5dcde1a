#include "settings/constraints/active_value_memo.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"

struct ACTIVEVALUEMEMO {
  struct List {
    WORD funcId;
    DWORD mode;
    std::vector<DWORD> values;
  };
  // The lists judged on one state of the context.
  struct State {
    std::vector<BYTE> key;
    std::vector<List> lists;
  };
  std::vector<State> states;  // most recently asked first
  std::vector<BYTE> scratch;  // the current state, built for the comparison
};

namespace {

// A merge passes through a few states (the defaults, the caller's DEVMODE
// merged, the hand-out); each keeps its lists.
constexpr std::size_t kKeptStates = 6;

class StateWriter {
 public:
  explicit StateWriter(std::vector<BYTE>& out, std::size_t size) : out_(out) { out_.resize(size); }
  BYTE* Take(std::size_t bytes) {
    BYTE* at = out_.data() + used_;
    used_ += bytes;
    return at;
  }
  template <class T>
  void Put(const T& value) {
    std::memcpy(Take(sizeof(T)), &value, sizeof(T));
  }
  void Put(const BYTE* bytes, std::size_t size) {
    if (size != 0) std::memcpy(Take(size), bytes, size);
  }

 private:
  std::vector<BYTE>& out_;
  std::size_t used_ = 0;
};

// Everything a judgement reads of the context, as bytes. The DCB's array
// pointers are replaced by the arrays' contents: a context that read its
// properties again holds equal arrays at new addresses.
void StateOf(const UCB* ucb, std::vector<BYTE>& out) {
  const WORKAREA& work = *ucb->pWork;
  const std::size_t marks = ucb->pSFL != nullptr && ucb->pSFL->count > 0 ? static_cast<std::size_t>(ucb->pSFL->count) : 0;
  std::size_t arrays = 0;
  for (const DcbOwnedArray& array : kDcbOwnedArrays) {
    const DcbArray owned = GetDcbArray(ucb->pDCB, array);
    if (owned.entries != nullptr) arrays += std::size_t{owned.count} * array.entrySize;
  }
  StateWriter writer(out, sizeof(ucb->pBKPD) + sizeof(DCB) + arrays + marks * sizeof(WORD) + sizeof(work.fChanged) +
                              sizeof(work.dwRequest) + sizeof(work.dwMode) + sizeof(work.dwValidateFlags) +
                              sizeof(ucb->wCurrentDialog));
  writer.Put(ucb->pBKPD);
  auto* image = reinterpret_cast<DCB*>(writer.Take(sizeof(DCB)));
  std::memcpy(image, ucb->pDCB, sizeof(DCB));
  for (const DcbOwnedArray& array : kDcbOwnedArrays) {
    const DcbArray owned = GetDcbArray(ucb->pDCB, array);
    SetDcbArray(image, array, DcbArray{owned.count, nullptr});
    if (owned.entries != nullptr) writer.Put(owned.entries, std::size_t{owned.count} * array.entrySize);
  }
  auto* flags = reinterpret_cast<WORD*>(writer.Take(marks * sizeof(WORD)));
  for (std::size_t i = 0; i < marks; ++i) std::memcpy(flags + i, &ucb->pSFL->pSFCB[i].flags, sizeof(WORD));
  writer.Put(work.fChanged);
  writer.Put(work.dwRequest);
  writer.Put(work.dwMode);
  writer.Put(work.dwValidateFlags);
  writer.Put(ucb->wCurrentDialog);
}

// The context's memo with the current state's lists first, made on first
// use. Null without a DCB (or without memory).
ACTIVEVALUEMEMO* Current(UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr || ucb->pWork == nullptr) return nullptr;
  try {
    WORKAREA& work = *ucb->pWork;
    if (work.pActiveValueMemo == nullptr) work.pActiveValueMemo = new ACTIVEVALUEMEMO;
    ACTIVEVALUEMEMO& memo = *work.pActiveValueMemo;
    StateOf(ucb, memo.scratch);
    auto& states = memo.states;
    std::size_t found = 0;
    while (found < states.size() && states[found].key != memo.scratch) ++found;
    if (found == states.size()) {
      if (states.size() == kKeptStates) states.pop_back();
      states.insert(states.begin(), ACTIVEVALUEMEMO::State{});
      states.front().key.swap(memo.scratch);
    } else if (found != 0) {
      std::rotate(states.begin(), states.begin() + static_cast<std::ptrdiff_t>(found),
                  states.begin() + static_cast<std::ptrdiff_t>(found) + 1);
    }
    return &memo;
  } catch (const std::bad_alloc&) {
    FreeActiveValueMemo(ucb);
    return nullptr;
  }
}

}  // namespace

bool FindActiveValues(UCB* ucb, WORD funcId, DWORD mode, const DWORD*& values, DWORD& count) {
  ACTIVEVALUEMEMO* memo = Current(ucb);
  if (memo == nullptr) return false;
  for (const ACTIVEVALUEMEMO::List& list : memo->states.front().lists) {
    if (list.funcId == funcId && list.mode == mode) {
      values = list.values.data();
      count = static_cast<DWORD>(list.values.size());
      return true;
    }
  }
  return false;
}

void KeepActiveValues(UCB* ucb, WORD funcId, DWORD mode, const DWORD* values, DWORD count) {
  // The state was taken by the FindActiveValues before the judgement, which
  // puts everything back as it was.
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pWork->pActiveValueMemo == nullptr) return;
  auto& states = ucb->pWork->pActiveValueMemo->states;
  if (states.empty()) return;
  try {
    states.front().lists.push_back({funcId, mode, std::vector<DWORD>(values, values + count)});
  } catch (const std::bad_alloc&) {
    FreeActiveValueMemo(ucb);
  }
}

void FreeActiveValueMemo(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  delete ucb->pWork->pActiveValueMemo;
  ucb->pWork->pActiveValueMemo = nullptr;
}
