#if !KESM_KERNEL_MODE
#include "storage/install/upgrade.h"

#include "storage/install/ini_install.h"
#include "storage/properties/printer_properties.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/watermark_store.h"
#include "storage/system/printer_info.h"

BOOL UpgradeInifile(UCB* ucb) { return IniFileProcForInstall(ucb, kIniProcUpgrade, nullptr); }

BOOL UpgradeProperties(HANDLE printer, UCB* ucb) {
  if (ucb == nullptr) return 1;
  if (!IsClientDriver(ucb)) SetPrinterProperties(printer, ucb);
  UpgradeInifile(ucb);
  UpgradePreset(ucb);
  UpgradeQuality(ucb);
  UpgradeWatermark(ucb);
  UpgradeFreesize(ucb);
  return 1;
}
#endif
