#include "storage/install/devmode_upgrade.h"

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/system/unaligned.h"
#include "settings/tables/driver_params.h"

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

int UpgradeDevmode(const DEVMODEW* dm, UCB* ucb) {
  if (IsUpgrade(dm) != 1) return 0;
  DEVMODEW* current = GetDocumentDevmode(ucb);
  if (current != nullptr) StoreLE<DWORD>(current, kOffDwVersion, fgDP.dwPrivVersion);
  return 0;
}
