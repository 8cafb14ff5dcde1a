#include "jobsettings/rules/tray_rules.h"

#include <array>

#include "jobsettings/rules/rule_inputs.h"
#include "settings/constraints/paper_fitting.h"

namespace {

// The trays Auto may choose, in the order they are tried.
constexpr std::array kAutoOrder = {kTrayCode1,   kTrayCode2,        kTrayCode3,       kTrayCode4,
                                   kTrayCode5,   kTrayCode6,        kTrayCode7,       kTrayCodeLCT,
                                   kTrayMultiPurpose, kTrayManualFeeder};

// The single trays a source code may name (the inserter feeds no job).
bool IsSingleSource(WORD code) {
  switch (code) {
    case kTrayCode1: case kTrayCode2: case kTrayCode3: case kTrayCode4: case kTrayCode5:
    case kTrayCode6: case kTrayCode7: case kTrayCodeLCT: case kTrayCodeManual:
      return true;
    default:
      return false;
  }
}

// Calls match for each tray the code stands for that may feed it, until it
// answers true; true when one did.
template <class Match>
bool AnyTray(const UCB* ucb, WORD code, Match match) {
  TrayState t{};
  if (code == kTrayCodeAuto) {
    for (WORD auto_code : kAutoOrder) {
      if (ReadTray(ucb, auto_code, &t) && t.present && !t.locked && match(t)) return true;
    }
    return false;
  }
  return IsSingleSource(code) && ReadTray(ucb, code, &t) && t.present && match(t);
}

WORD PrintSize(const UCB* ucb) { return static_cast<WORD>(GetPrintSize(ucb)); }

BOOL SameAsSource(const UCB* ucb, WORD insertTray) {
  WORD size = 0;
  WORD orient = 0;
  if (!GetTraySizeOrient(ucb, insertTray, &size, &orient)) return FALSE;
  return CheckSameSizeOrientCoverMark(ucb, size, orient);
}

}  // namespace

DWORD GetSameSizeOrient(const UCB* ucb, WORD size) {
  DWORD bits = 0;
  AnyTray(ucb, GetSourceTray(ucb), [&](const TrayState& t) {
    if (t.paper == size) bits |= t.orient == 0 ? kSameSizePortrait : kSameSizeLandscape;
    return false;
  });
  return bits;
}

BOOL CheckTraySameSizeOrientExist(const UCB* ucb, WORD tray, WORD size, WORD orient) {
  return AnyTray(ucb, tray, [&](const TrayState& t) { return t.paper == size && t.orient == orient; }) ? TRUE : FALSE;
}

BOOL CheckSameSizeOrient(const UCB* ucb, WORD size, WORD orient) {
  return CheckTraySameSizeOrientExist(ucb, GetSourceTray(ucb), size, orient);
}

BOOL CheckSameSizeOrientCoverMark(const UCB* ucb, WORD size, WORD orient) {
  WORD source = GetSourceTray(ucb);
  if (source == kTrayCodeAuto && !CvrMrkChkONNotTray1(ucb)) source = kTrayCode1;
  return CheckTraySameSizeOrientExist(ucb, source, size, orient);
}

BOOL CheckTraySameSizeExist(const UCB* ucb, WORD tray, WORD size) {
  return AnyTray(ucb, tray, [&](const TrayState& t) { return t.paper == size; }) ? TRUE : FALSE;
}

BOOL GetTraySizeOrient(const UCB* ucb, WORD tray, WORD* size, WORD* orient) {
  TrayState t{};
  if (tray == kTrayManualFeeder || tray == kTrayMultiPurpose || !ReadTray(ucb, tray, &t)) return FALSE;
  *size = t.paper;
  *orient = t.orient;
  return TRUE;
}

BOOL CvrMrkChkONNotTray1(const UCB* ucb) {
  switch (RuleMachineId(ucb)) {
    case 138: case 142: case 144: case 146: case 149: case 150: case 151: case 157: case 158: case 169:
      return TRUE;
    case 145: case 148:
      return RuleModelByte(ucb) == 1 ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

BOOL IsSameSizeAuto(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCodeAuto, PrintSize(ucb)); }
BOOL IsSameSizeTray1(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCode1, PrintSize(ucb)); }
BOOL IsSameSizeTray2(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCode2, PrintSize(ucb)); }
BOOL IsSameSizeTray3(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCode3, PrintSize(ucb)); }
BOOL IsSameSizeMassTray4(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCode4, PrintSize(ucb)); }
BOOL IsSameSizeMassTray5(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCode5, PrintSize(ucb)); }
BOOL IsSameSizeMassTray6(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCode6, PrintSize(ucb)); }
BOOL IsSameSizeTray7(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCode7, PrintSize(ucb)); }
BOOL IsSameSizeLCT(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCodeLCT, PrintSize(ucb)); }
BOOL IsSameSizeManual(const UCB* ucb) { return CheckTraySameSizeExist(ucb, kTrayCodeManual, PrintSize(ucb)); }

BOOL IsSameCoverSourceTraySize(const UCB* ucb) { return SameAsSource(ucb, GetCoverTray(ucb)); }
BOOL IsSameMarkSourceTraySize(const UCB* ucb) { return SameAsSource(ucb, GetMarkTray(ucb)); }
BOOL IsSameBackCoverSourceTraySize(const UCB* ucb) { return SameAsSource(ucb, GetBackCoverTray(ucb)); }
BOOL IsSameChapterSourceTraySize(const UCB* ucb) { return SameAsSource(ucb, GetChapterTray(ucb)); }
BOOL IsSameReverseCoverSourceTraySize(const UCB* ucb) { return SameAsSource(ucb, GetReverseCoverTray(ucb)); }

BOOL IsPaperFittingWorkCondition(const UCB* ucb) { return GetPaperFittingWorkCondition(ucb); }
