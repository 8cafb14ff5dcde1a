#include "storage/install/devmode_upgrade.h"

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/system/unaligned.h"
#include "settings/tables/driver_params.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncConvertVersion = 856;  // wdmConvertVersion
constexpr char kConvertGroup[] = "KPD_ConvertDevmode";

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
  const GK* group = GetGKbyKeyWord(kConvertGroup);
  if (ucb == nullptr || group == nullptr) return 0;
  const ExclusiveRecord* record = _GetExclusiveAddr(group->groupId, ucb);
  if (record == nullptr || record->transact == 0) return 0;
  // The versions of one major version are fewer than 100: the loop is
  // bounded whatever the actions do.
  for (DWORD version = from + 1; version <= to; ++version) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncConvertVersion, static_cast<LONG_PTR>(version));
    BKPDSetAction(group->groupId, 0, ucb);
    if (static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncConvertVersion, nullptr)) >= to) break;
  }
  return 1;
}

int UpgradeDevmode(const DEVMODEW* dm, UCB* ucb) {
  if (IsUpgrade(dm) != 1) return 0;
  const DWORD current = fgDP.dwPrivVersion;
  const int result = _UpgradeDevmode(GetKDMdwVersionByDM(dm), current, ucb);
  if (DEVMODEW* target = GetDocumentDevmode(ucb); target != nullptr) StoreLE<DWORD>(target, kOffDwVersion, current);
  return result;
}
