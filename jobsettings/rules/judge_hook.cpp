// One row per device rule that a description may name by its pseudo id.
// Ids without a row answer 0.
#include "jobsettings/rules/judge_hook.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "jobsettings/rules/finisher_rules.h"
#include "jobsettings/rules/fold_rules.h"
#include "jobsettings/rules/force_feed.h"
#include "jobsettings/rules/print_orientation.h"
#include "jobsettings/rules/resolution_rules.h"
#include "jobsettings/rules/tray_rules.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"

namespace {

struct HookRule {
  WORD id;
  DWORD (*rule)(UCB* ucb);
};

// The resolution rule first refreshes the resolutions and paper areas it
// judges. Asked from a judge it must leave the settings as it found them,
// or the engine's answers would depend on the order its judges run in: the
// rule runs on the context's settings and they are put back afterwards.
// Without memory for the copy it answers that the resolution may stay.
DWORD ResolutionStays(UCB* ucb) {
  if (ucb->pDCB == nullptr || ucb->pWork == nullptr) return IsNotDownResolution(ucb, 1);
  auto saved = NewMemBlock<DCB>();
  if (saved == nullptr) return TRUE;
  std::memcpy(saved.get(), ucb->pDCB, sizeof(DCB));
  const INT changed = ucb->pWork->fChanged;
  const INT request = ucb->pWork->dwRequest;
  const DWORD answer = IsNotDownResolution(ucb, 1);
  std::memcpy(ucb->pDCB, saved.get(), sizeof(DCB));
  ucb->pWork->fChanged = changed;
  ucb->pWork->dwRequest = request;
  return answer;
}

template <BOOL (*Rule)(const UCB*, Fin), Fin F>
DWORD Ask(UCB* ucb) {
  return static_cast<DWORD>(Rule(ucb, F));
}
template <BOOL (*Rule)(const UCB*)>
DWORD Ask(UCB* ucb) {
  return static_cast<DWORD>(Rule(ucb));
}

using enum Fin;
constexpr auto Portrait = IsPrintSizePortraitFin;
constexpr auto Landscape = IsPrintSizeLandscapeFin;
constexpr auto Support = IsPrintSizeSupportFin;
constexpr auto StapleSize = IsPrintSizeSupportStapleFin;
constexpr auto PunchSize = IsPrintSizeSupportPunchFin;
constexpr auto PunchSizeNAEU = IsPrintSizeSupportPunchFinNAEU;
constexpr auto StapleType = IsSupportStapleTypeFin;
constexpr auto PunchType = IsSupportPunchTypeFin;

// The seven questions of a punching family from its first id on: portrait,
// landscape, staple size, punch type, staple type, punch size, the size
// that takes three or four holes.
#define KESM_PUNCH_FAMILY(first, fin)                                                                       \
  HookRule{first, Ask<Portrait, fin>}, HookRule{first + 1, Ask<Landscape, fin>},                            \
      HookRule{first + 2, Ask<StapleSize, fin>}, HookRule{first + 3, Ask<PunchType, fin>},                  \
      HookRule{first + 4, Ask<StapleType, fin>}, HookRule{first + 5, Ask<PunchSize, fin>},                  \
      HookRule{first + 6, Ask<PunchSizeNAEU, fin>}
// The four questions of a stapling family: portrait, landscape, size,
// staple type.
#define KESM_STAPLE_FAMILY(first, fin)                                                                      \
  HookRule{first, Ask<Portrait, fin>}, HookRule{first + 1, Ask<Landscape, fin>},                            \
      HookRule{first + 2, Ask<Support, fin>}, HookRule{first + 3, Ask<StapleType, fin>}

constexpr HookRule kRules[] = {
    KESM_PUNCH_FAMILY(624, QA),
    KESM_STAPLE_FAMILY(640, QE),
    KESM_STAPLE_FAMILY(656, QC),
    KESM_PUNCH_FAMILY(660, QJ),
    KESM_STAPLE_FAMILY(672, QF),
    KESM_PUNCH_FAMILY(676, QL),
    HookRule{688, Ask<Portrait, QD>},
    HookRule{689, Ask<Landscape, QD>},
    HookRule{690, Ask<IsPrintSizePortraitFinQDA4LT>},
    HookRule{691, Ask<IsPrintSizePortraitFinQDMiddle>},
    HookRule{692, Ask<Support, QD>},
    HookRule{693, Ask<StapleType, QD>},
    KESM_PUNCH_FAMILY(696, QK),
    KESM_PUNCH_FAMILY(704, QG),
    KESM_PUNCH_FAMILY(712, QH),
    HookRule{720, [](UCB* ucb) { return GetPrintOrientation(ucb); }},
    HookRule{721, Ask<IsSameSizeAuto>},
    HookRule{722, Ask<IsSameSizeTray1>},
    HookRule{723, Ask<IsSameSizeTray2>},
    HookRule{724, Ask<IsSameSizeTray3>},
    HookRule{725, Ask<IsSameSizeMassTray4>},
    HookRule{726, Ask<IsSameSizeLCT>},
    HookRule{727, Ask<IsSameSizeManual>},
    HookRule{728, Ask<IsForceFeedPort>},
    HookRule{729, Ask<IsForceFeedLand>},
    HookRule{730, Ask<IsSameSizeMassTray4>},
    HookRule{731, Ask<IsSameSizeMassTray5>},
    HookRule{733, Ask<IsSameSizeMassTray6>},
    HookRule{734, Ask<IsSameSizeTray7>},
    HookRule{736, ResolutionStays},
    HookRule{737, Ask<IsSameCoverSourceTraySize>},
    HookRule{738, Ask<IsSameMarkSourceTraySize>},
    HookRule{739, Ask<IsSameBackCoverSourceTraySize>},
    HookRule{740, Ask<IsSameChapterSourceTraySize>},
    HookRule{741, Ask<IsSameReverseCoverSourceTraySize>},
    HookRule{742, Ask<IsPaperFittingWorkCondition>},
    HookRule{743, [](UCB* ucb) { return static_cast<DWORD>(IsFoldPaperType(ucb, 1)); }},
    HookRule{744, [](UCB* ucb) { return static_cast<DWORD>(IsFoldPaperType(ucb, 2)); }},
    HookRule{745, [](UCB* ucb) { return static_cast<DWORD>(IsFoldPaperType(ucb, 3)); }},
    HookRule{746, [](UCB* ucb) { return static_cast<DWORD>(IsFold(ucb, kFoldRightLeft)); }},
    HookRule{747, [](UCB* ucb) { return static_cast<DWORD>(IsFold(ucb, kFoldBottom)); }},
};
#undef KESM_PUNCH_FAMILY
#undef KESM_STAPLE_FAMILY
static_assert(std::is_sorted(std::begin(kRules), std::end(kRules),
                             [](const HookRule& a, const HookRule& b) { return a.id < b.id; }));

}  // namespace

DWORD JudgeHookFunc(UCB* ucb, DWORD id) {
  const auto funcId = static_cast<WORD>(id);
  const auto* row = std::lower_bound(std::begin(kRules), std::end(kRules), funcId,
                                     [](const HookRule& r, WORD key) { return r.id < key; });
  if (ucb == nullptr || row == std::end(kRules) || row->id != funcId) {
    return 0;
  }
  return row->rule(ucb);
}
