// Staple positions and punch patterns per finisher family.
//
// P and L: paper of the print size is loaded portrait (P) or landscape (L)
// in the source tray; o: the print-orientation flag. A staple or punch
// position lies either with the feed (P with o 0, or L with o 1) or across
// it (P with o 1, or L with o 0).
#include "jobsettings/rules/finisher_rules.h"
#include "jobsettings/rules/print_orientation.h"
#include "jobsettings/rules/rule_inputs.h"
#include "jobsettings/rules/tray_rules.h"

namespace {

constexpr WORD kStapleMiddle = 68;

struct Loaded {
  bool some;  // paper of the size is loaded at all
  bool p;
  bool l;
  DWORD o;
  // The portrait arm and the landscape arm of a position; across the feed
  // exchanges the flags.
  bool PArm(bool across) const { return p && o == (across ? 1u : 0u); }
  bool LArm(bool across) const { return l && o == (across ? 0u : 1u); }
  bool With(bool across) const { return PArm(across) || LArm(across); }
};

// The loaded paper for the size; past the test that some is loaded, QA on
// machine 150 ignores paper loaded landscape for sizes fed portrait only.
Loaded LoadedFor(const UCB* ucb, Fin fin, WORD size) {
  const DWORD bits = GetSameSizeOrient(ucb, size);
  Loaded in{bits != 0, (bits & kSameSizePortrait) != 0, (bits & kSameSizeLandscape) != 0, GetPrintOrientation(ucb)};
  if (fin == Fin::QA && RuleMachineId(ucb) == 150 && CheckPrintSizePortraitOnly(size)) in.l = false;
  return in;
}

bool StapleQD(const UCB* ucb, WORD type, DWORD o) {
  const bool pt = IsPrintSizePortraitFin(ucb, Fin::QD) != 0;
  const bool ls = IsPrintSizeLandscapeFin(ucb, Fin::QD) != 0;
  switch (type) {
    case 33: case 34: return pt || ls || IsPrintSizePortraitFinQDA4LT(ucb);
    case 65: return (pt && o == 0) || (ls && o == 1);
    case 66: case 67: return (pt && o == 1) || (ls && o == 0);
    case kStapleMiddle: return IsPrintSizePortraitFinQDMiddle(ucb) != 0;
    default: return false;
  }
}

// The centre staple of QG, QH and QK: paper loaded portrait, and a size
// the model can staple in the middle.
bool StapleMiddle(const UCB* ucb, Fin fin, WORD size, const Loaded& in) {
  if (!in.p) return false;
  const bool folder = IsFoldingMachine(ucb);
  if (fin == Fin::QG) return !(folder ? OneOf(size, {5, 7, 13, 14, 93, 513, 514, 517}) : OneOf(size, {5, 13}));
  if (!IsFinExist(ucb, Fin::QD)) return false;
  return !(folder ? OneOf(size, {7, 13, 93, 513, 514}) : OneOf(size, {5, 13}));
}

bool Staple(const UCB* ucb, Fin fin, WORD type, WORD size, Loaded in) {
  switch (fin) {
    case Fin::QA:
      if (OneOf(type, {17, 18, 33, 65})) return in.With(false);
      if (OneOf(type, {1, 2, 34, 66, 67})) return in.With(true);
      return OneOf(type, {49, 50});
    case Fin::QC:
      return type == 33 ? in.With(false) : type == 34 && in.With(true);
    case Fin::QE:
      if (size == 13) in.p = false;
      return type == 49 ? in.With(false) : type == 50 && in.With(true);
    case Fin::QF:
      if (type == 65) return in.With(false);
      if (OneOf(type, {66, 67})) return in.With(true);
      return OneOf(type, {49, 50});
    case Fin::QL:
      if (size == 13) in.p = false;  // B5 fed portrait takes no staple here
      if (OneOf(type, {33, 65})) return in.With(false);
      if (OneOf(type, {34, 66, 67})) return in.With(true);
      if (OneOf(type, {49, 50})) return in.l || in.p;
      return type == kStapleMiddle && in.p;
    default:  // QG, QH, QJ, QK
      if (OneOf(type, {33, 65})) return in.With(false);
      if (OneOf(type, {34, 66, 67})) return in.With(true);
      if (OneOf(type, {49, 50})) return in.p || in.l;
      return type == kStapleMiddle && fin != Fin::QJ && StapleMiddle(ucb, fin, size, in);
  }
}

// Which hole group a punch type makes and whether it lies across the feed
// (the first type of a group lies with it); false for unknown types.
bool PunchGroup(WORD type, BYTE* holes, bool* across) {
  const WORD base = type & ~WORD{0x0F};
  const WORD position = type & 0x0F;
  if (type > 0xFF || position < 1 || position > 3) return false;
  switch (base) {
    case 0x00: *holes = kHolesJP; break;
    case 0x10: *holes = kHolesNA; break;
    case 0x20: *holes = kHolesEU; break;
    case 0x30: *holes = kHolesNE; break;
    default: return false;
  }
  *across = position != 1;
  return true;
}

bool Punch(const UCB* ucb, Fin fin, WORD type, WORD size, const Loaded& in) {
  BYTE holes = 0;
  bool across = false;
  if (!PunchGroup(type, &holes, &across)) return false;
  if ((FinAllowedHoles(ucb, fin) & holes) == 0) return false;
  const bool l = in.LArm(across);
  const bool p = in.PArm(across);
  const bool naeu = CheckPrintSizeSupportPunchNAEU(fin, size) != 0;
  const bool folder = IsFoldingMachine(ucb);
  switch (fin) {
    case Fin::QA: case Fin::QJ:
      return holes == kHolesJP || holes == kHolesNE ? l || p : l || (p && naeu);
    case Fin::QG: {
      if (holes == kHolesJP || holes == kHolesNE) return l || p;
      const bool hold = folder && size == 6 && IsFinRegionExist(ucb, fin, kHolesNA | kHolesEU);
      return (l && !hold) || (p && naeu);
    }
    case Fin::QH: case Fin::QK:
      if (holes == kHolesJP) return l || p;
      if (holes == kHolesNA) {
        return (l && !(folder && size == 6 && IsFinRegionExist(ucb, fin, kHolesNA))) || (p && naeu);
      }
      if (holes == kHolesEU) {
        const bool eu = IsFinRegionExist(ucb, fin, kHolesEU);
        return (l && !(folder && eu && (size == 6 || size == 13))) || (p && naeu && (!folder || (eu && size != 12)));
      }
      if (fin == Fin::QH) return false;
      return l || (p && (!folder || !IsFinRegionExist(ucb, fin, kHolesNE) || size != 6));
    case Fin::QL: {
      const bool na = IsFinRegionExist(ucb, fin, kHolesNA);
      switch (holes) {
        case kHolesJP: return (p && !(na && size == 12)) || (l && (!na || size == 9 || size == 1));
        case kHolesNA: return l ? size == 9 || size == 1 : p && naeu;
        case kHolesEU: return l ? size == 9 : p && size == 8 && naeu;
        default: return l || p;
      }
    }
    default:
      return false;
  }
}

}  // namespace

BOOL IsSupportStapleTypeFin(const UCB* ucb, Fin fin) {
  if (!IsFinExist(ucb, fin)) return FALSE;
  const WORD type = GetStapleType(ucb);
  if (fin == Fin::QD) return StapleQD(ucb, type, GetPrintOrientation(ucb)) ? TRUE : FALSE;
  const WORD size = FinPrintSize(ucb);
  if (!CheckPrintSizeSupportFin(ucb, fin, size, false)) return FALSE;
  const Loaded in = LoadedFor(ucb, fin, size);
  if (!in.some) return FALSE;
  return Staple(ucb, fin, type, size, in) ? TRUE : FALSE;
}

BOOL IsSupportPunchTypeFin(const UCB* ucb, Fin fin) {
  if (!IsPunchFamily(fin) || IsFinNoPunchExist(ucb, fin) || !IsFinExist(ucb, fin)) return FALSE;
  const WORD size = FinPrintSize(ucb);
  if (!CheckPrintSizeSupportFin(ucb, fin, size, true)) return FALSE;
  const Loaded in = LoadedFor(ucb, fin, size);
  if (!in.some) return FALSE;
  return Punch(ucb, fin, GetPunchType(ucb), size, in) ? TRUE : FALSE;
}
