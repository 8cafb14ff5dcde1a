#include "jobsettings/request/capability_walks.h"

#include "jobsettings/paper/resolution_list.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncOutputTray = 53;           // kdmOutputTrayID
constexpr WORD kFuncDstResolution = 38;        // kdmDstResolutionW
constexpr WORD kFuncDstResolutionBoth = 152;   // kdmDstResolutionBoth
constexpr WORD kFuncOptionDuplex = 10014;      // kdmSourceOptionTypeDuplex
constexpr WORD kGroupList = 1;
constexpr WORD kGroupNumber = 8;
constexpr LONG kDefaultResolution = 600;
constexpr LONG kFailed = -1;

// Calls visit(device value) for each visible option of the setting's group,
// in list order. False when the group has no options or an option has no
// setting-value record.
template <class Visit>
bool WalkVisible(UCB* ucb, const UiGroup* group, WORD funcId, Visit visit) {
  const UiOption* option = BkpdFirstOption(ucb->pBKPD, group);
  if (option == nullptr) return false;
  for (; option != nullptr; option = BkpdNext(ucb->pBKPD, option)) {
    const SP* sp = GetSPbyPartsIDAndFunID(funcId, option->value);
    if (sp == nullptr) return false;
    if (!BKPDIsHideModeUI(group, option->value, ucb)) visit(sp->value);
  }
  return true;
}

// Pairs written by the resolution walk; a failure leaves none.
struct PairWriter {
  LONG* output;
  LONG count = 0;
  void Add(LONG x, LONG y) {
    if (output != nullptr) {
      output[2 * count] = x;
      output[2 * count + 1] = y;
    }
    ++count;
  }
};

// The square resolutions of the kdmDstResolutionBoth list: rows of equal
// horizontal and vertical dpi, one per dpi that differs from the row
// written before it.
bool BothResolutions(UCB* ucb, PairWriter& pairs) {
  const UiGroup* group = BKPDGetUiGroupAddrByFuncID(kFuncDstResolutionBoth, ucb);
  const WORD type = BKPDGetGroupTypeByFuncID(kFuncDstResolutionBoth, ucb);
  if (group == nullptr) return false;
  if (type == kGroupNumber) {
    const LONG current = static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, kFuncDstResolution, nullptr));
    if (current == 0) return false;
    pairs.Add(current, current);
    return true;
  }
  if (type != kGroupList) return false;
  bool known = true;
  LONG lastX = 0;
  LONG lastY = 0;
  const bool walked = WalkVisible(ucb, group, kFuncDstResolutionBoth, [&](DWORD value) {
    const ResolutionRow* row = GetResTablebyDMValue(static_cast<WORD>(value));
    if (row == nullptr) {
      known = false;
      return;
    }
    if (row->xDpi != row->yDpi || row->xDpi == lastX || row->yDpi == lastY) return;
    pairs.Add(row->xDpi, row->yDpi);
    lastX = row->xDpi;
    lastY = row->yDpi;
  });
  return walked && known;
}

bool Resolutions(UCB* ucb, PairWriter& pairs) {
  const UiGroup* group = BKPDGetUiGroupAddrByFuncID(kFuncDstResolution, ucb);
  if (group == nullptr) return false;
  const WORD type = BKPDGetGroupTypeByFuncID(kFuncDstResolution, ucb);
  if (type == kGroupList) {
    return WalkVisible(ucb, group, kFuncDstResolution, [&](DWORD value) {
      pairs.Add(static_cast<LONG>(value), static_cast<LONG>(value));
    });
  }
  if (type != kGroupNumber) return false;
  if (BkpdNumericValue(ucb->pBKPD, group) == nullptr) return BothResolutions(ucb, pairs);
  const LONG current = static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, kFuncDstResolution, nullptr));
  if (current == 0) return false;
  pairs.Add(current, current);
  return true;
}

}  // namespace

LONG CapALL(UCB* ucb, WORD* output, WORD funcId) {
  if (ucb == nullptr) return kFailed;
  const UiGroup* group = BKPDGetUiGroupAddrByFuncID(funcId, ucb);
  if (group == nullptr || BKPDGetGroupTypeByFuncID(funcId, ucb) != kGroupList) return kFailed;
  LONG count = 0;
  const bool walked = WalkVisible(ucb, group, funcId, [&](DWORD value) {
    if (output != nullptr) output[count] = static_cast<WORD>(value);
    ++count;
  });
  return walked && count > 0 ? count : kFailed;
}

LONG CapDESTS(UCB* ucb, WORD* output) { return CapALL(ucb, output, kFuncOutputTray); }

LONG CapDUPLEX(const UCB* ucb) {
  return GetDevmodeValueDirectByFuncID(ucb, kFuncOptionDuplex, nullptr) != 0 ? 1 : 0;
}

LONG CapENUMRESOLUTIONS(UCB* ucb, LONG* output) {
  if (ucb != nullptr) {
    // A first pass counts, so that a failure found late writes nothing.
    PairWriter counting{nullptr};
    if (Resolutions(ucb, counting) && counting.count > 0) {
      PairWriter pairs{output};
      Resolutions(ucb, pairs);
      return pairs.count;
    }
  }
  if (output != nullptr) {
    output[0] = kDefaultResolution;
    output[1] = kDefaultResolution;
  }
  return 1;
}
