#include "jobsettings/rules/print_orientation.h"

#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncOrientation = 7;
constexpr WORD kFuncSelectNup = 56;
constexpr WORD kFuncSelectDuplex = 58;
constexpr WORD kFuncNupType = 92;
constexpr WORD kFuncDuplexType = 94;
constexpr LONG_PTR kPortrait = 1;
constexpr LONG_PTR kBookletDuplexFirst = 17;

}  // namespace

DWORD GetPrintOrientation(const UCB* ucb) {
  const bool portrait = GetDevmodeValueDirectByFuncID(ucb, kFuncOrientation, nullptr) == kPortrait;
  const LONG_PTR nupType = GetDevmodeValueDirectByFuncID(ucb, kFuncNupType, nullptr);
  const bool nup = GetDevmodeValueDirectByFuncID(ucb, kFuncSelectNup, nullptr) == 1 && nupType >= kNupTurningFirst &&
                   nupType <= kNupTurningLast;
  const bool booklet = GetDevmodeValueDirectByFuncID(ucb, kFuncSelectDuplex, nullptr) == 1 &&
                       GetDevmodeValueDirectByFuncID(ucb, kFuncDuplexType, nullptr) >= kBookletDuplexFirst;
  if (nup || booklet) {
    return portrait ? 1 : 0;
  }
  return portrait ? 0 : 1;
}
