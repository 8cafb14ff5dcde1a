// One row per device rule that a description may name by its pseudo id.
// Only the print-orientation rule is built so far: the finisher, tray,
// resolution and fold rules join this table as they are written, and until
// then their ids answer 0, as ids without a rule do.
#include "jobsettings/rules/judge_hook.h"

#include <algorithm>
#include <array>

#include "jobsettings/rules/print_orientation.h"

namespace {

struct HookRule {
  WORD id;
  DWORD (*rule)(UCB* ucb);
};

constexpr std::array kRules = {
    HookRule{720, [](UCB* ucb) { return GetPrintOrientation(ucb); }},
};
static_assert(std::is_sorted(kRules.begin(), kRules.end(),
                             [](const HookRule& a, const HookRule& b) { return a.id < b.id; }));

}  // namespace

DWORD JudgeHookFunc(UCB* ucb, DWORD id) {
  const auto funcId = static_cast<WORD>(id);
  const auto* row = std::lower_bound(kRules.begin(), kRules.end(), funcId,
                                     [](const HookRule& r, WORD key) { return r.id < key; });
  if (ucb == nullptr || row == kRules.end() || row->id != funcId) {
    return 0;
  }
  return row->rule(ucb);
}
