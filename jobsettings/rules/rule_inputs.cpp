#include "jobsettings/rules/rule_inputs.h"

#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncSource = 13;
constexpr WORD kFuncSelectPunch = 62;
constexpr WORD kFuncSelectStaple = 63;
constexpr WORD kFuncPunchType = 120;
constexpr WORD kFuncStapleType = 121;
constexpr WORD kFuncMarkTray = 123;
constexpr WORD kFuncCoverTray = 125;
constexpr WORD kFuncBackCoverTray = 127;
constexpr WORD kFuncReverseCoverTray = 408;
constexpr WORD kFuncChapterTray = 840;
constexpr WORD kFuncOptionLCT = 10018;
constexpr WORD kFuncOptionManual = 10021;
constexpr WORD kFuncOptionMulti = 10022;
constexpr BYTE kAllHoles = kHolesJP | kHolesNA | kHolesEU | kHolesNE;

WORD Word(const UCB* ucb, WORD funcId) { return static_cast<WORD>(RuleSetting(ucb, funcId)); }

const TrayRecordIds* RecordIdsOf(WORD code) {
  for (const TrayRecordIds* row = kTrayRecordIds; row->tray != 0; ++row) {
    if (row->tray == code) return row;
  }
  return nullptr;
}

// Whether another family reads the bit as a variant with a punch unit.
bool IsAnotherFamilysPunchBit(const FinOptionBit& noPunch) {
  for (const FinOptionBit* row = kFinOptionBits; row->kind != FinBitKind::kEnd; ++row) {
    if (row->fin != noPunch.fin && row->kind == FinBitKind::kRegion && row->bit == noPunch.bit) return true;
  }
  return false;
}

}  // namespace

LONG_PTR RuleSetting(const UCB* ucb, WORD funcId) {
  return ucb != nullptr ? GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr) : 0;
}

BYTE RuleMachineId(const UCB* ucb) { return ucb != nullptr && ucb->pDP != nullptr ? ucb->pDP->bMachineID : 0; }

BYTE RuleModelByte(const UCB* ucb) {
  return ucb != nullptr && ucb->pDP != nullptr ? static_cast<BYTE>(ucb->pDP->cDriverType) : 0;
}

bool IsFoldingMachine(const UCB* ucb) { return OneOf(RuleMachineId(ucb), {144, 169}); }

WORD GetSourceTray(const UCB* ucb) { return Word(ucb, kFuncSource); }
WORD GetCoverTray(const UCB* ucb) { return Word(ucb, kFuncCoverTray); }
WORD GetMarkTray(const UCB* ucb) { return Word(ucb, kFuncMarkTray); }
WORD GetBackCoverTray(const UCB* ucb) { return Word(ucb, kFuncBackCoverTray); }
WORD GetChapterTray(const UCB* ucb) { return Word(ucb, kFuncChapterTray); }
WORD GetReverseCoverTray(const UCB* ucb) { return Word(ucb, kFuncReverseCoverTray); }
WORD GetStapleSelect(const UCB* ucb) { return Word(ucb, kFuncSelectStaple); }
WORD GetStapleType(const UCB* ucb) { return Word(ucb, kFuncStapleType); }
WORD GetPunchSelect(const UCB* ucb) { return Word(ucb, kFuncSelectPunch); }
WORD GetPunchType(const UCB* ucb) { return Word(ucb, kFuncPunchType); }

bool IsManualTrayExist(const UCB* ucb) {
  return OneOf(RuleMachineId(ucb), {143, 147, 149, 157}) || RuleSetting(ucb, kFuncOptionManual) != 0;
}
bool IsMultiTrayExist(const UCB* ucb) { return RuleSetting(ucb, kFuncOptionMulti) != 0; }
bool IsLCTExist(const UCB* ucb) { return RuleSetting(ucb, kFuncOptionLCT) != 0; }

bool ReadTray(const UCB* ucb, WORD code, TrayState* state) {
  if (code == kTrayCodeManual) code = IsManualTrayExist(ucb) ? kTrayManualFeeder : kTrayMultiPurpose;
  // Only four models keep tray 5 apart; the others report their
  // large-capacity tray as tray 5.
  if (code == kTrayCode5 && !OneOf(RuleMachineId(ucb), {140, 144, 150, 169})) code = kTrayCodeLCT;
  const TrayRecordIds* ids = RecordIdsOf(code);
  if (ids == nullptr) return false;
  state->present = code == kTrayCodeLCT       ? IsLCTExist(ucb)
                   : code == kTrayMultiPurpose ? IsMultiTrayExist(ucb)
                   : code == kTrayManualFeeder ? IsManualTrayExist(ucb)
                                               : true;
  state->paper = Word(ucb, ids->paper);
  state->orient = RuleSetting(ucb, ids->orient) != 0 ? 1 : 0;
  state->locked = ids->lock != 0 && RuleSetting(ucb, ids->lock) != 0;
  return true;
}

bool IsFinOptionSet(const UCB* ucb, WORD bit) { return RuleSetting(ucb, bit) != 0; }

bool IsFinExist(const UCB* ucb, Fin fin, bool firstModelOnly) {
  for (const FinOptionBit* row = kFinOptionBits; row->kind != FinBitKind::kEnd; ++row) {
    if (row->fin == fin && !(firstModelOnly && row->secondModel) && IsFinOptionSet(ucb, row->bit)) return true;
  }
  return false;
}

bool IsFinNoPunchExist(const UCB* ucb, Fin fin) {
  for (const FinOptionBit* row = kFinOptionBits; row->kind != FinBitKind::kEnd; ++row) {
    if (row->fin != fin || row->kind != FinBitKind::kNoPunch || !IsFinOptionSet(ucb, row->bit)) continue;
    // A no-punch bit that is another family's punching variant (QJ's is
    // QH's EU4) tells of a finisher without a punch unit only while none of
    // the family's own punching variants is set: beside one, it is the
    // other family's unit.
    if (!IsAnotherFamilysPunchBit(*row) || !IsFinRegionExist(ucb, fin, kAllHoles)) return true;
  }
  return false;
}

bool IsFinRegionExist(const UCB* ucb, Fin fin, BYTE holes) {
  for (const FinOptionBit* row = kFinOptionBits; row->kind != FinBitKind::kEnd; ++row) {
    if (row->fin == fin && row->kind == FinBitKind::kRegion && (row->holes & holes) != 0 &&
        IsFinOptionSet(ucb, row->bit)) {
      return true;
    }
  }
  return false;
}

BYTE FinAllowedHoles(const UCB* ucb, Fin fin) {
  for (const FinOptionBit* row = kFinOptionBits; row->kind != FinBitKind::kEnd; ++row) {
    if (row->fin == fin && row->kind == FinBitKind::kRegion && IsFinOptionSet(ucb, row->bit)) {
      return IsFoldingMachine(ucb) ? row->holesOnFolder : row->holes;
    }
  }
  return kAllHoles;
}
