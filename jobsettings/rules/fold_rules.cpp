#include "jobsettings/rules/fold_rules.h"

#include <array>

#include "jobsettings/rules/print_orientation.h"
#include "jobsettings/rules/rule_inputs.h"
#include "jobsettings/rules/tray_rules.h"
#include "settings/constraints/paper_fitting.h"

namespace {

constexpr WORD kFuncMachineId = 35;
constexpr WORD kFuncSelectMark = 64;
constexpr WORD kFuncSelectCover = 65;
constexpr WORD kFuncSelectBack = 66;
constexpr WORD kFuncSelectChapter = 69;
constexpr WORD kFuncSelectReverseCover = 70;
constexpr std::array<WORD, 7> kChapterUseTrays = {834, 835, 836, 842, 843, 844, 845};

BYTE FoldMachine(const UCB* ucb) { return static_cast<BYTE>(RuleSetting(ucb, kFuncMachineId)); }

BYTE ClassIn(const FoldPaperSize* table, WORD size) {
  if (table == nullptr) return 0;
  for (; table->paper != 0; ++table) {
    if (table->paper == size) return table->foldClass;
  }
  return 0;
}

// Calls match for each fold tray's paper and direction until it answers
// true.
template <class Match>
BOOL AnyFoldTray(const UCB* ucb, Match match) {
  const WORD* trays = GetFoldSupportTrayTable(ucb);
  if (trays == nullptr) return FALSE;
  for (; *trays != 0; ++trays) {
    WORD size = 0;
    WORD orient = 0;
    if (GetTraySizeOrient(ucb, *trays, &size, &orient) && match(size, orient)) return TRUE;
  }
  return FALSE;
}

bool Selected(const UCB* ucb, WORD funcId) { return RuleSetting(ucb, funcId) != 0; }

}  // namespace

const FoldPaperSize* GetSupportFoldPaperSizeTable(const UCB* ucb) {
  // Both folding models take the same sizes.
  const BYTE machine = FoldMachine(ucb);
  return machine == 144 || machine == 169 || machine == 158 ? SupportFoldPaperSize : nullptr;
}

const WORD* GetFoldSupportTrayTable(const UCB* ucb) {
  const BYTE machine = FoldMachine(ucb);
  if (machine == 144 || machine == 169) return FoldSupportTray_Mach1;
  return machine == 158 ? FoldSupportTray_Mach2 : nullptr;
}

BYTE GetFoldPaperType(const UCB* ucb, WORD size) { return ClassIn(GetSupportFoldPaperSizeTable(ucb), size); }

BOOL IsFoldPaperType(const UCB* ucb, DWORD kind) {
  return GetFoldPaperType(ucb, static_cast<WORD>(GetPrintSize(ucb))) == static_cast<BYTE>(kind) ? TRUE : FALSE;
}

BOOL CheckSameFoldPaperOrient(const UCB* ucb, WORD size, WORD orient) {
  return AnyFoldTray(ucb, [&](WORD paper, WORD dir) { return paper == size && dir == orient; });
}

BOOL CheckExistSelectPaperType(const UCB* ucb, BYTE foldClass, WORD orient) {
  const FoldPaperSize* table = GetSupportFoldPaperSizeTable(ucb);
  return AnyFoldTray(ucb, [&](WORD paper, WORD dir) { return dir == orient && ClassIn(table, paper) == foldClass; });
}

BOOL IsFold(const UCB* ucb, int direction) {
  if (!CovMrkManualCheck(ucb)) return FALSE;
  const auto size = static_cast<WORD>(GetPrintSize(ucb));
  const bool withFlag = static_cast<DWORD>(direction) == GetPrintOrientation(ucb);
  switch (GetFoldPaperType(ucb, size)) {
    case 1:
      return withFlag ? CheckSameFoldPaperOrient(ucb, size, 0) : FALSE;
    case 2:
      return withFlag ? CheckSameFoldPaperOrient(ucb, size, 0) : CheckExistSelectPaperType(ucb, 1, 0);
    case 3:
      return CheckExistSelectPaperType(ucb, 1, 0) || CheckExistSelectPaperType(ucb, 2, 0) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

BOOL CovMrkManualCheck(const UCB* ucb) {
  const bool manual = GetSourceTray(ucb) == kTrayCodeManual ||
                      (Selected(ucb, kFuncSelectCover) && GetCoverTray(ucb) == kTrayCodeManual) ||
                      (Selected(ucb, kFuncSelectMark) && GetMarkTray(ucb) == kTrayCodeManual) ||
                      (Selected(ucb, kFuncSelectBack) && GetBackCoverTray(ucb) == kTrayCodeManual) ||
                      (Selected(ucb, kFuncSelectReverseCover) && GetReverseCoverTray(ucb) == kTrayCodeManual) ||
                      (Selected(ucb, kFuncSelectChapter) && (GetChapterTray(ucb) == kTrayCodeManual || ChpUseTray(ucb)));
  return manual ? FALSE : TRUE;
}

BOOL ChpUseTray(const UCB* ucb) {
  for (WORD id : kChapterUseTrays) {
    if (static_cast<WORD>(RuleSetting(ucb, id)) == kTrayCodeManual) return TRUE;
  }
  return FALSE;
}

LONG_PTR GetDevmodeIDSelect(const UCB* ucb, WORD funcId) { return RuleSetting(ucb, funcId); }
