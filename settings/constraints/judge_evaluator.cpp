// Judge evaluation on the context's judge stack.
//
// An evaluation owns the entries above the count it found and gives them
// back when it returns, however it ends: a judge that ends early (an
// operand without a setting record) leaves nothing behind for the next
// one, and a judge evaluated while another waits (a hook that asks a judge
// of its own) finds the waiting values intact when it returns. The stack
// is never read or written outside its entries: a judge that would need
// more room than is left, or that pops a value it did not push, is false.
#include <algorithm>

#include "features/custom_modules.h"
#include "jobsettings/rules/judge_hook.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

// Room for the "wrong" text that a string read gives for a kind it cannot
// convert, and its terminator.
constexpr std::size_t kMinStringChars = 6;

LONG* Stack(const UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->pJudgeStack : nullptr;
}

// The entries of one evaluation: those above the count found at its start.
class JudgeFrame {
 public:
  explicit JudgeFrame(UCB* ucb)
      : ucb_(ucb), stack_(Stack(ucb)), base_(stack_ != nullptr ? ucb->pWork->wJudgeStackCount : 0) {}
  ~JudgeFrame() {
    if (stack_ != nullptr) ucb_->pWork->wJudgeStackCount = base_;
  }
  JudgeFrame(const JudgeFrame&) = delete;
  JudgeFrame& operator=(const JudgeFrame&) = delete;

  bool usable() const { return stack_ != nullptr && base_ <= kJudgeStackEntries; }

  bool Push(DWORD value) {
    WORD& count = ucb_->pWork->wJudgeStackCount;
    if (count >= kJudgeStackEntries) return false;
    stack_[count++] = static_cast<LONG>(value);
    return true;
  }
  bool Pop(DWORD* value) {
    WORD& count = ucb_->pWork->wJudgeStackCount;
    if (count <= base_) return false;
    *value = static_cast<DWORD>(stack_[--count]);
    return true;
  }

 private:
  UCB* ucb_;
  LONG* stack_;
  WORD base_;
};

// The length in characters of a string setting's text, read as wide text
// into a buffer of the setting's size; 0 when no buffer can be had.
DWORD StringLength(const UCB* ucb, const SFCB* sfcb) {
  const std::size_t chars = std::max<std::size_t>(SettingSizeOf(sfcb->descriptor), kMinStringChars) + 1;
  auto* text = static_cast<LPWSTR>(GetMemPtr(chars * sizeof(WCHAR)));
  if (text == nullptr) return 0;
  GetDevmodeStringBySFCB(ucb, sfcb, text);
  DWORD length = 0;
  while (length < chars && text[length] != 0) ++length;
  FreeMemPtr(text);
  return length;
}

// A hook may evaluate judges of its own; whatever it leaves on the stack
// is not the caller's.
template <class Hook>
DWORD AskHook(UCB* ucb, Hook hook) {
  const WORD saved = ucb->pWork->wJudgeStackCount;
  const DWORD value = hook();
  ucb->pWork->wJudgeStackCount = saved;
  return value;
}

// The value of a setting operand; false when the setting has no record.
bool OperandValue(UCB* ucb, WORD funcId, DWORD* value) {
  const SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
  if (sfcb == nullptr) return false;
  const WORD id = sfcb->funcId;
  if (id >= kJudgeHookFirstId && id <= kJudgeHookLastId) {
    *value = AskHook(ucb, [&] { return JudgeHookFunc(ucb, id); });
  } else if (id >= kUcfJudgeHookFirstId && id <= kUcfJudgeHookLastId) {
    *value = AskHook(ucb, [&] { return Ucf_JudgeHook(ucb, id); });
  } else if (SettingKindIsString(SettingKindOf(sfcb->descriptor))) {
    *value = StringLength(ucb, sfcb);
  } else {
    // The judge's constants are keyword labels, which mean their value in
    // either orientation.
    const LONG_PTR stored = GetDevmodeValueDirectByFuncID(ucb, id, nullptr);
    *value = static_cast<DWORD>(ConvertDevmodeValueToKeywordID(ucb, sfcb, stored));
  }
  return true;
}

// The result of a two-operand operator.
DWORD Apply(WORD op, DWORD left, DWORD right) {
  switch (op) {
    case kJudgeOpEqual: return left == right;
    case kJudgeOpNotEqual: return left != right;
    case kJudgeOpAnd: return left != 0 && right != 0;
    case kJudgeOpOr: return left != 0 || right != 0;
    case kJudgeOpGreater: return left > right;
    case kJudgeOpLess: return left < right;
    case kJudgeOpGreaterEqual: return left >= right;
    case kJudgeOpLessEqual: return left <= right;
    default: return 0;
  }
}

// Applies an operator token; false when the judge cannot go on. The end
// token's value goes to *result.
bool Operator(JudgeFrame& frame, WORD op, bool* ended, DWORD* result) {
  if (op == kJudgeOpEnd) {
    *ended = true;
    return frame.Pop(result);
  }
  if (op == kJudgeOpNot) {
    DWORD v = 0;
    return frame.Pop(&v) && frame.Push(v == 0 ? 1 : 0);
  }
  if (op < kJudgeOpEqual || op > kJudgeOpEnd) return true;  // unknown operators are skipped
  DWORD right = 0;
  DWORD left = 0;
  return frame.Pop(&right) && frame.Pop(&left) && frame.Push(Apply(op, left, right));
}

}  // namespace

DWORD _IsJudgement(std::span<const JudgeToken> judge, UCB* ucb) {
  if (judge.empty()) return 0;
  JudgeFrame frame(ucb);
  if (!frame.usable()) return 0;
  // The last setting operand read: a judge that names a setting twice
  // ("paper == A4 || paper == A3") reads it, or asks its hook, once.
  WORD lastId = 0;
  DWORD lastValue = 0;
  for (const JudgeToken& t : judge) {
    bool ok = true;
    if (t.kind == kJudgeSetting) {
      if (t.value != lastId) {
        DWORD value = 0;
        if (!OperandValue(ucb, t.value, &value)) return 0;
        lastId = t.value;
        lastValue = value;
      }
      ok = frame.Push(lastValue);
    } else if (t.kind == kJudgeConstant) {
      ok = frame.Push(t.value);
    } else if (t.kind == kJudgeOperator) {
      bool ended = false;
      DWORD result = 0;
      ok = Operator(frame, t.value, &ended, &result);
      if (ended) return ok ? result : 0;
    }
    if (!ok) return 0;
  }
  return 0;  // no end token
}

BOOL _PushData(UCB* ucb, LONG value) {
  LONG* stack = Stack(ucb);
  if (stack == nullptr || ucb->pWork->wJudgeStackCount >= kJudgeStackEntries) return FALSE;
  stack[ucb->pWork->wJudgeStackCount++] = value;
  return TRUE;
}

BOOL _PopData(UCB* ucb, LONG* value) {
  LONG* stack = Stack(ucb);
  if (value != nullptr) *value = 0;
  if (stack == nullptr || ucb->pWork->wJudgeStackCount == 0) return FALSE;
  WORD& count = ucb->pWork->wJudgeStackCount;
  if (count > kJudgeStackEntries) count = kJudgeStackEntries;
  const LONG v = stack[--count];
  if (value != nullptr) *value = v;
  return TRUE;
}
