// The families are asked in a fixed order; the first one installed
// decides. A punch pattern decides before the staples; a feed "with" the
// print orientation is landscape when the print-orientation flag is 1.
#include "jobsettings/rules/force_feed.h"

#include <array>
#include "jobsettings/rules/finisher_rules.h"
#include "jobsettings/rules/print_orientation.h"
#include "jobsettings/rules/rule_inputs.h"

namespace {

constexpr std::array kFamilyOrder = {Fin::QA, Fin::QC, Fin::QD, Fin::QE, Fin::QF,
                                     Fin::QG, Fin::QH, Fin::QJ, Fin::QK, Fin::QL};

enum class Feed { kWith, kAgainst, kEither, kPortrait, kNone };

// The staple types that force a feed, per family: with the print
// orientation, against it, either way, and portrait whatever the flag.
struct StapleFeedRow {
  WORD with[3];
  WORD against[4];
  WORD either[3];
  WORD portrait[2];
};
constexpr StapleFeedRow kTopOrSide = {{33, 65, 0}, {34, 66, 67, 0}, {49, 50, 0}, {0}};
constexpr StapleFeedRow kTopOrSideMiddle = {{33, 65, 0}, {34, 66, 67, 0}, {49, 50, 0}, {68, 0}};
constexpr StapleFeedRow kSlantOnly = {{33, 0}, {34, 0}, {0}, {0}};
constexpr StapleFeedRow kCornerOnly = {{49, 0}, {50, 0}, {0}, {0}};
constexpr StapleFeedRow kSideOrSlant = {{65, 0}, {66, 67, 0}, {33, 34, 0}, {68, 0}};
constexpr StapleFeedRow kSideOrCorner = {{65, 0}, {66, 67, 0}, {49, 50, 0}, {0}};

const StapleFeedRow& StapleFeedOf(Fin fin) {
  switch (fin) {
    case Fin::QA: case Fin::QJ: return kTopOrSide;
    case Fin::QC: return kSlantOnly;
    case Fin::QD: return kSideOrSlant;
    case Fin::QE: return kCornerOnly;
    case Fin::QF: return kSideOrCorner;
    default: return kTopOrSideMiddle;
  }
}

Feed StapleFeed(Fin fin, WORD type) {
  const StapleFeedRow& row = StapleFeedOf(fin);
  if (InCodeList(row.with, type)) return Feed::kWith;
  if (InCodeList(row.against, type)) return Feed::kAgainst;
  if (InCodeList(row.either, type)) return Feed::kEither;
  return InCodeList(row.portrait, type) ? Feed::kPortrait : Feed::kNone;
}

Feed PunchFeed(const UCB* ucb, Fin fin, WORD type) {
  if (!IsPunchFamily(fin) || GetPunchSelect(ucb) == 0 || IsFinNoPunchExist(ucb, fin)) return Feed::kNone;
  const bool second = fin != Fin::QH && OneOf(type, {49, 50, 51});
  if (OneOf(type, {1, 17, 33}) || (second && type == 49)) return Feed::kWith;
  if (OneOf(type, {2, 3, 18, 19, 34, 35}) || (second && type != 49)) return Feed::kAgainst;
  return Feed::kNone;
}

DWORD Answer(Feed feed, DWORD o) {
  switch (feed) {
    case Feed::kWith: return o == 1 ? kForceFeedLandscape : kForceFeedPortrait;
    case Feed::kAgainst: return o == 1 ? kForceFeedPortrait : kForceFeedLandscape;
    case Feed::kEither: return kForceFeedEither;
    case Feed::kPortrait: return kForceFeedPortrait;
    default: return kForceFeedNone;
  }
}

}  // namespace

DWORD GetForceFeed(const UCB* ucb) {
  for (Fin fin : kFamilyOrder) {
    if (!IsFinExist(ucb, fin)) continue;
    const WORD size = FinPrintSize(ucb);
    const bool sized = fin == Fin::QD ? InCodeList(SupportPrintSizeFinQD, size)
                                      : CheckPrintSizeSupportFin(ucb, fin, size, true) != 0;
    if (!sized) return kForceFeedNone;
    const DWORD o = GetPrintOrientation(ucb);
    if (const Feed punch = PunchFeed(ucb, fin, GetPunchType(ucb)); punch != Feed::kNone) return Answer(punch, o);
    if (GetStapleSelect(ucb) == 0) return kForceFeedEither;
    return Answer(StapleFeed(fin, GetStapleType(ucb)), o);
  }
  return kForceFeedNone;
}

BOOL IsForceFeedPort(const UCB* ucb) { return GetForceFeed(ucb) == kForceFeedPortrait ? TRUE : FALSE; }
BOOL IsForceFeedLand(const UCB* ucb) { return GetForceFeed(ucb) == kForceFeedLandscape ? TRUE : FALSE; }
