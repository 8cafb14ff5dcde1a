// The private-field validator table: one row per private function id from
// 35 to 598, {function id, routine or none, default}. The rows below name
// the 148 ids that have a routine and the four that only carry a default;
// every other id has neither.
//
// The action bits 211-217 default to 0. They are single bits of one word,
// and a default equal to each bit's mask would switch every action on at
// once.
#include "jobsettings/validate/priv_validators.h"

#include <iterator>

namespace {

constexpr ValidatePrivRow kRows[] = {
    {35, ProckdmMachineID, 0},
    {36, ProckdmUIModeChange, 1},
    {37, ProckdmPresetNo, 0},
    {38, ProckdmDstResolutionW, 600},
    {39, ProckdmDstResolutionH, 600},
    {46, ProckdmOutPaperSize, 1024},
    {53, ProckdmOutputTrayID, 0},
    {54, ProckdmMediaType, 1},
    {55, ProcSetDefaultkdm, 0},
    {56, ProcSetDefaultkdm, 0},
    {57, ProcSetDefaultkdm, 0},
    {58, ProcSetDefaultkdm, 0},
    {59, ProcSetDefaultkdm, 0},
    {60, ProcSetDefaultkdm, 0},
    {61, ProcSetDefaultkdm, 1},
    {62, ProcSetDefaultkdm, 0},
    {63, ProcSetDefaultkdm, 0},
    {64, ProcSetDefaultkdm, 0},
    {65, ProcSetDefaultkdm, 0},
    {66, ProcSetDefaultkdm, 0},
    {67, ProcSetDefaultkdm, 0},
    {68, ProcSetDefaultkdm, 0},
    {69, ProcSetDefaultkdm, 0},
    {87, ProckdmListedValue, 2},
    {88, ProckdmListedValue, 0},
    {89, ProckdmScaleH, 100},
    {90, ProckdmScaleH, 100},
    {91, ProckdmListedValue, 1},
    {92, ProckdmListedValue, 1},
    {93, ProckdmListedValue, 1},
    {94, ProckdmListedValue, 3},
    {95, ProckdmListedValue, 1},
    {98, ProckdmMarginOdd, 0},
    {99, ProckdmMarginOdd, 0},
    {100, ProcSetDefaultkdm, 0},
    {101, ProcSetDefaultkdm, 0},
    {102, ProcSetDefaultkdm, 0},
    {103, ProcSetDefaultkdm, 0},
    {104, ProcSetDefaultkdm, 0},
    {105, ProcSetDefaultkdm, 0},
    {106, ProcSetDefaultkdm, 0},
    {107, ProcSetDefaultkdm, 0},
    {108, ProckdmListedValue, 2},
    {109, ProckdmListedValue, 4},
    {110, ProckdmListedValue, 6},
    {111, ProckdmListedValue, 0},
    {112, ProckdmListedValue, 5},
    {113, ProckdmListedValue, 0},
    {116, ProckdmHFFontPoint, 10},
    {117, ProckdmListedValue, 1},
    {118, ProckdmWmID, 0},
    {119, ProckdmListedValue, 2},
    {120, ProckdmListedValue, 0},
    {121, ProckdmListedValue, 0},
    {122, ProckdmListedValue, 0},
    {123, ProckdmMPInputTray, 7},
    {124, ProckdmListedValue, 0},
    {125, ProckdmMPInputTray, 7},
    {126, ProckdmListedValue, 0},
    {127, ProckdmMPInputTray, 7},
    {128, ProckdmListedValue, 0},
    {129, ProckdmListedValue, 0},
    {130, ProckdmListedValue, 0},
    {131, ProckdmListedValue, 0},
    {132, ProckdmListedValue, 1},
    {133, ProckdmListedValue, 1},
    {134, ProckdmListedValue, 0},
    {135, ProckdmListedValue, 0},
    {136, ProckdmListedValue, 0},
    {137, ProckdmListedValue, 257},
    {138, ProckdmBrightness, 0},
    {139, ProckdmBrightness, 0},
    {140, ProckdmBrightness, 0},
    {141, ProckdmBrightness, 0},
    {142, ProckdmBrightness, 0},
    {143, ProckdmBrightness, 0},
    {144, ProcSetDefaultkdm, 1},
    {145, ProcSetDefaultkdm, 2},
    {146, ProcSetDefaultkdm, 4},
    {147, ProcSetDefaultkdm, 8},
    {169, ProckdmLanguageID, 0},
    {170, ProckdmDspLanguageID, 0},
    {171, ProckdmDspUnit, 0},
    {172, ProckdmLocaleID, 0},
    {173, ProckdmExtPrintArea, 0},
    {174, ProckdmListedValue, 0},
    {175, ProckdmListedValue, 0},
    {176, ProckdmListedValue, 0},
    {177, ProckdmListedValue, 0},
    {178, ProckdmListedValue, 18},
    {179, ProckdmListedValue, 32},
    {180, ProckdmListedValue, 1},
    {181, ProckdmListedValue, 0},
    {182, ProckdmListedValue, 1},
    {183, ProcSetDefaultkdm, 0},
    {184, ProcSetDefaultkdm, 0},
    {199, ProckdmListedValue, 0},
    {200, ProckdmListedValue, 0},
    {201, ProckdmListedValue, 255},
    {202, ProckdmLocaleID, 0},
    {207, ProckdmLocaleID, 0},
    {209, ProckdmListedValue, 0},
    {211, ProcSetDefaultkdm, 0},
    {212, ProcSetDefaultkdm, 0},
    {213, ProcSetDefaultkdm, 0},
    {214, ProcSetDefaultkdm, 0},
    {215, ProcSetDefaultkdm, 0},
    {216, ProcSetDefaultkdm, 0},
    {217, ProcSetDefaultkdm, 0},
    {227, ProckdmListedValue, 0},
    {228, ProckdmListedValue, 0},
    {229, ProckdmListedValue, 0},
    {231, ProckdmLocaleID, 0},
    {232, ProckdmListedValue, 1},
    {233, ProcSetDefaultkdm, 16},
    {242, ProckdmListedValue, 0},
    {243, ProckdmListedValue, 0},
    {398, ProckdmListedValue, 0},
    {399, ProckdmGammaX, 5},
    {400, ProckdmGammaX, 5},
    {401, ProckdmGammaX, 5},
    {402, ProckdmGammaX, 5},
    {404, ProckdmListedValue, 1},
    {405, ProckdmListedValue, 1},
    {406, ProckdmListedValue, 1},
    {407, ProckdmListedValue, 1},
    {411, ProckdmSeparationSheetCycle, 1},
    {445, ProcSetDefault, 2},
    {446, ProcSetDefault, 3},
    {512, ProcSetDefault, 0},
    {513, ProcSetDefault, 3},
    {514, ProcSetDefault, 0},
    {515, ProcSetDefault, 0},
    {516, ProcSetDefault, 0},
    {517, ProcSetDefault, 0},
    {518, ProcSetDefault, 0},
    {519, ProcSetDefault, 0},
    {520, ProcSetDefault, 0},
    {522, ProcSetDefault, 0},
    {523, ProcSetDefault, 0},
    {526, ProcSetDefault, 0},
    {527, ProcSetDefault, 100},
    {528, ProcSetDefault, 0},
    {529, ProcSetDefault, 0},
    {530, ProcSetDefault, 0},
    {531, ProcSetDefault, 0},
    {562, ProcSetDefault, 0},
    {563, ProcSetDefault, 0},
};

// Defaults of ids without a routine; nothing reads them.
constexpr ValidatePrivRow kDefaultsOnly[] = {
    {152, nullptr, 17},
    {444, nullptr, 17},
    {536, nullptr, 1},
    {568, nullptr, 1},
};

constexpr std::array<ValidatePrivRow, kValidatePrivRowCount> Build() {
  std::array<ValidatePrivRow, kValidatePrivRowCount> table{};
  for (int i = 0; i < kValidatePrivRowCount; ++i) {
    table[static_cast<std::size_t>(i)] = {static_cast<DWORD>(kPrivFirstFuncId + i), nullptr, 0};
  }
  for (const ValidatePrivRow& row : kRows) table[row.funcId - kPrivFirstFuncId] = row;
  for (const ValidatePrivRow& row : kDefaultsOnly) table[row.funcId - kPrivFirstFuncId] = row;
  return table;
}

template <std::size_t N>
constexpr bool AscendInside(const ValidatePrivRow (&rows)[N]) {
  DWORD last = kPrivFirstFuncId - 1;
  for (const ValidatePrivRow& row : rows) {
    if (row.funcId <= last || row.funcId > kPrivLastFuncId) return false;
    last = row.funcId;
  }
  return true;
}
static_assert(AscendInside(kRows) && AscendInside(kDefaultsOnly), "one row per id, in id order, inside 35-598");
static_assert(std::size(kRows) == 148);

}  // namespace

constinit const std::array<ValidatePrivRow, kValidatePrivRowCount> ValidatePrivTable = Build();
