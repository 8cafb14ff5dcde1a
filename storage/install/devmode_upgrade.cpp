#include "storage/install/devmode_upgrade.h"

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"
#include "settings/system/unaligned.h"
#include "settings/tables/driver_params.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr LPCSTR kConversionGroup = "KPD_ConvertDevmode";
constexpr WORD kFuncConvertVersion = 856;

DWORD ModelVersion(const UCB* ucb) { return (ucb != nullptr && ucb->pDP != nullptr ? *ucb->pDP : fgDP).dwPrivVersion; }

}  // namespace

int IsUpgradeVersionCheck(DWORD stored, DWORD current) {
  const DWORD a = stored / 100;
  const DWORD b = current / 100;
  if (a <= 2 && b <= 2) return 2;
  if (a == b) return stored % 100 < current % 100 ? 1 : 0;
  return a > b ? 0 : 2;
}

int IsUpgrade(const DEVMODEW* dm) {
  if (dm == nullptr) return -1;
  return IsUpgradeVersionCheck(GetKDMdwVersionByDM(dm), fgDP.dwPrivVersion);
}

int _UpgradeDevmode(DWORD from, DWORD to, UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr || IsUpgradeVersionCheck(from, to) != 1) return 0;
  const GK* gk = GetGKbyKeyWord(kConversionGroup);
  const ExclusiveRecord* program = gk != nullptr ? _GetExclusiveAddr(gk->groupId, ucb) : nullptr;
  if (program == nullptr || program->transact == 0) return 0;
  for (DWORD v = from + 1; v <= to; ++v) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncConvertVersion, static_cast<LONG_PTR>(v));
    BKPDSetAction(gk->groupId, 0, ucb);
    if (static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncConvertVersion, nullptr)) >= to) break;
  }
  return 1;
}

int UpgradeDevmode(const DEVMODEW* dm, UCB* ucb) {
  if (IsUpgrade(dm) != 1 || ucb == nullptr) return 0;
  const DWORD to = ModelVersion(ucb);
  const int result = _UpgradeDevmode(GetKDMdwVersionByDM(dm), to, ucb);
  DEVMODEW* current = GetDocumentDevmode(ucb);
  if (current != nullptr) StoreLE<DWORD>(current, kOffDwVersion, to);
  return result;
}
