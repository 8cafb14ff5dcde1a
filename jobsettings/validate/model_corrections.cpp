#include "jobsettings/validate/model_corrections.h"

#include <cstring>
#include <vector>

#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

// Regional punch variants of a finisher: the generic option the device
// reports, the variant without punch and the variants for regions 132, 133
// and 134. Each finisher clears the same variant of the other one.
struct FinisherVariants {
  WORD generic;
  WORD noPunch;
  WORD regional[3];
};
constexpr FinisherVariants kFinQG = {10082, 10089, {10086, 10087, 10088}};
constexpr FinisherVariants kFinQK = {10084, 10097, {10094, 10095, 10096}};
constexpr DWORD kRegionNoPunch = 0;
constexpr DWORD kFirstPunchRegion = 132;

// The model's "other information" texts: {driver type code, text}.
struct OtherText {
  DWORD code;
  LPCSTR text;
};
constexpr OtherText OtherTable[] = {
    {0x90, "8203150207d014"},
    {0x190, "8202150207d014"},
};

constexpr WORD kFuncUseUserMacro = 176;
constexpr WORD kFuncBalanceMacro = 178;
constexpr WORD kFuncDriverType = 242;
constexpr WORD kFuncOneStepSource = 10023;
constexpr WORD kFuncOneStepCount = 10110;
constexpr WORD kFuncOther = 10274;

void Correct(const FinisherVariants& own, const FinisherVariants& other, DWORD region, UCB* ucb) {
  if (GetDevmodeValueDirectByFuncID(ucb, own.generic, nullptr) == 0) return;
  if (region == kRegionNoPunch) {
    SetDevmodeValueDirectByFuncID(ucb, own.noPunch, 1);
    SetDevmodeValueDirectByFuncID(ucb, other.noPunch, 0);
  } else if (region >= kFirstPunchRegion && region < kFirstPunchRegion + 3) {
    const DWORD i = region - kFirstPunchRegion;
    SetDevmodeValueDirectByFuncID(ucb, own.regional[i], 1);
    SetDevmodeValueDirectByFuncID(ucb, other.regional[i], 0);
    SetDevmodeValueDirectByFuncID(ucb, own.noPunch, 0);
  }
  SetDevmodeValueDirectByFuncID(ucb, own.generic, 0);
}

}  // namespace

void CorrectOptDevByOptDevPunchDependOnMachine(DWORD region, UCB* ucb) {
  Correct(kFinQG, kFinQK, region, ucb);
  Correct(kFinQK, kFinQG, region, ucb);
}

void Setkdm1StepOptionNumDependOnMachine(WORD optionId, DWORD deviceCode, LONG* number, UCB* ucb) {
  if (optionId != kFuncOneStepSource || number == nullptr) return;
  LONG count = 0;
  if ((deviceCode == 105 || deviceCode == 30) && *number == 0) {
    count = 1;
  } else if (deviceCode == 106 && (*number == 0 || *number == 1)) {
    count = 2;
  } else {
    return;
  }
  SetDevmodeValueDirectByFuncID(ucb, kFuncOneStepCount, count);
  *number = count;
}

void SetResolutionDataOfUIDependOnMachine(LONG resolution, UCB* ucb) {
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncUseUserMacro, nullptr) != 0) return;
  const bool standard = resolution == 200 || resolution == 300 || resolution == 400 || resolution == 600;
  SetDevmodeValueDirectByFuncID(ucb, kFuncBalanceMacro, standard ? 17 : 18);
}

LPCSTR GetOtherStr(DWORD flag) { return OtherTable[(flag & 0xFF) == 0 ? 0 : 1].text; }

void SetOtherTableToDevmdodeDependOnMachine(UCB* ucb) {
  SFCB* sfcb = GetSFCBbyFuncID(ucb, kFuncOther);
  if (sfcb == nullptr) return;
  const auto type = static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncDriverType, nullptr));
  // The text goes through a zeroed buffer of the setting's size, so that it
  // is cut and terminated there.
  std::vector<char> text(SettingSizeOf(sfcb->descriptor) + 1, '\0');
  std::strncpy(text.data(), GetOtherStr(type), text.size() - 1);
  SetDevmodeValueDirect(ucb, sfcb, reinterpret_cast<LONG_PTR>(text.data()));
}
