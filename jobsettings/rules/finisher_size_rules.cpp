// Print sizes per finisher family and the feed directions they take.
#include "jobsettings/rules/finisher_rules.h"
#include "jobsettings/rules/rule_inputs.h"
#include "jobsettings/rules/tray_rules.h"
#include "settings/constraints/paper_fitting.h"

namespace {

constexpr WORD kA5 = 11;
constexpr WORD kHLT = 6;

const WORD* SizesOf(Fin fin) {
  switch (fin) {
    case Fin::QD: return SupportPrintSizeFinQD;
    case Fin::QE: return SupportPrintSizeFinQE;
    case Fin::QF: return SupportPrintSizeFinQF;
    case Fin::QL: return SupportPrintSizeFinQL;
    default: return SupportPrintSizeFinQA;
  }
}

// Family exceptions of the direction rules.
bool RefusedPortrait(const UCB* ucb, Fin fin, WORD size) {
  const BYTE machine = RuleMachineId(ucb);
  switch (fin) {
    case Fin::QE: return OneOf(size, {7, 13, 93});
    case Fin::QF: return machine == 142 && size == 512;
    case Fin::QG: case Fin::QH: case Fin::QJ: case Fin::QK: return machine == 138 && size == kA5;
    default: return false;
  }
}

bool RefusedLandscape(const UCB* ucb, Fin fin, WORD size) {
  const BYTE machine = RuleMachineId(ucb);
  switch (fin) {
    case Fin::QE: return machine == 131 && size == 7;
    case Fin::QG: case Fin::QH: case Fin::QJ: case Fin::QK: return machine == 138 && size == kA5;
    default: return false;
  }
}

// The QD rules, which ask for the paper of their own sizes.
BOOL QDPortrait(const UCB* ucb, WORD size) {
  return IsFinExist(ucb, Fin::QD) && CheckPrintSizePortraitOnly(size) && CheckSameSizeOrient(ucb, size, 0);
}
BOOL QDLandscape(const UCB* ucb, WORD size) {
  return IsFinExist(ucb, Fin::QD) && OneOf(size, {1, 9, 13}) && CheckSameSizeOrient(ucb, size, 1);
}

}  // namespace

WORD FinPrintSize(const UCB* ucb) { return static_cast<WORD>(GetPrintSize(ucb)); }

bool IsPunchFamily(Fin fin) {
  return fin == Fin::QA || fin == Fin::QG || fin == Fin::QH || fin == Fin::QJ || fin == Fin::QK || fin == Fin::QL;
}

BOOL CheckPrintSizeSupportFin(const UCB* ucb, Fin fin, WORD size, bool punch) {
  if ((fin == Fin::QE || fin == Fin::QF) && RuleMachineId(ucb) == 146 && OneOf(size, {517, 93})) return FALSE;
  if (InCodeList(SizesOf(fin), size)) return TRUE;
  if (!punch || !IsPunchFamily(fin)) return FALSE;
  if (size == kA5 && fin != Fin::QL) return TRUE;
  return size == kHLT && IsFinExist(ucb, fin, /*firstModelOnly=*/true) ? TRUE : FALSE;
}

BOOL CheckPrintSizeSupportPunchNAEU(Fin fin, WORD size) {
  const WORD* refused = fin == Fin::QL ? NotSupportPrintSizePunchFinQLNAEU : NotSupportPrintSizePunchFinQANAEU;
  return InCodeList(refused, size) ? FALSE : TRUE;
}

BOOL CheckPrintSizePortraitOnly(WORD size) { return InCodeList(PrintSizePortraitOnly, size) ? TRUE : FALSE; }

BOOL IsPrintSizePortraitFin(const UCB* ucb, Fin fin) {
  const WORD size = FinPrintSize(ucb);
  if (fin == Fin::QD) return QDPortrait(ucb, size);
  return IsFinExist(ucb, fin) && CheckPrintSizeSupportFin(ucb, fin, size, true) && !RefusedPortrait(ucb, fin, size) &&
                 CheckSameSizeOrient(ucb, size, 0)
             ? TRUE
             : FALSE;
}

BOOL IsPrintSizeLandscapeFin(const UCB* ucb, Fin fin) {
  const WORD size = FinPrintSize(ucb);
  if (fin == Fin::QD) return QDLandscape(ucb, size);
  return IsFinExist(ucb, fin) && CheckPrintSizeSupportFin(ucb, fin, size, true) && !CheckPrintSizePortraitOnly(size) &&
                 !RefusedLandscape(ucb, fin, size) && CheckSameSizeOrient(ucb, size, 1)
             ? TRUE
             : FALSE;
}

BOOL IsPrintSizePortraitFinQDA4LT(const UCB* ucb) {
  const WORD size = FinPrintSize(ucb);
  return IsFinExist(ucb, Fin::QD) && OneOf(size, {9, 1}) && CheckSameSizeOrient(ucb, size, 0) ? TRUE : FALSE;
}

BOOL IsPrintSizePortraitFinQDMiddle(const UCB* ucb) {
  const WORD size = FinPrintSize(ucb);
  const bool sized = size == 5 ? RuleMachineId(ucb) == 151 : OneOf(size, {9, 1}) || CheckPrintSizePortraitOnly(size);
  return IsFinExist(ucb, Fin::QD) && sized && CheckSameSizeOrient(ucb, size, 0) ? TRUE : FALSE;
}

BOOL IsPrintSizeSupportFin(const UCB* ucb, Fin fin) {
  const WORD size = FinPrintSize(ucb);
  if (fin == Fin::QD && size == 13) return CheckSameSizeOrient(ucb, 13, 1);
  return CheckPrintSizeSupportFin(ucb, fin, size, false);
}

BOOL IsPrintSizeSupportStapleFin(const UCB* ucb, Fin fin) {
  return CheckPrintSizeSupportFin(ucb, fin, FinPrintSize(ucb), false);
}

BOOL IsPrintSizeSupportPunchFin(const UCB* ucb, Fin fin) {
  return CheckPrintSizeSupportFin(ucb, fin, FinPrintSize(ucb), true);
}

BOOL IsPrintSizeSupportPunchFinNAEU(const UCB* ucb, Fin fin) {
  return CheckPrintSizeSupportPunchNAEU(fin, FinPrintSize(ucb));
}
