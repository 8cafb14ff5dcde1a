#include "storage/ini/section_names.h"

#include "settings/context/context_names.h"
#include "storage/files/text_out.h"

LPCWSTR GetDriverIniSectionName(UCB* ucb) { return GetDriverName(ucb); }

LPCWSTR GetPresetSectionName(UCB* ucb) { return GetPrinterName(ucb); }

LPWSTR GetPresetSectionNameWithoutUCB(HANDLE printer, LPWSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return nullptr;
  buffer[0] = 0;
  GetPrinterNameWithoutUCB(printer, buffer, size);
  return buffer[0] != 0 ? buffer : nullptr;
}

LPCWSTR GetCustomDoneSectionName(UCB*) { return u"BatchInstallDone"; }
