// The printer's name, the driver's name and the language code of the
// driver's files.
#include "settings/context/context_names.h"

#include <cstring>

#include "platform/spooler/winspool.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names_text.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"
#include "storage/system/driver_reg_values.h"
#include "storage/system/printer_info.h"
#if KESM_KERNEL_MODE
#include "render/platform/printer_data.h"
#endif

namespace {

// One field of the level-2 printer information.
template <class Field>
bool StorePrinterInfo(HANDLE printer, Field field, LPWSTR out, std::size_t outChars) {
  auto* info = static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer, 2));
  if (info == nullptr) {
    return false;
  }
  const std::u16string_view text = names::View(field(*info));
  const bool stored = !text.empty() && text.size() < outChars;
  if (stored) {
    text.copy(out, text.size());
    out[text.size()] = 0;
  }
  FreeMemPtr(info);
  return stored;
}

#if KESM_KERNEL_MODE
// The device name of the context's DEVMODE (32 characters, maybe without a
// terminator).
void StoreDeviceName(const UCB* ucb, WCHAR (&field)[MAX_PATH]) {
  if (ucb->pDCB == nullptr) {
    return;
  }
  WCHAR name[CCHDEVICENAME + 1] = {};
  std::memcpy(name, ucb->pDCB->devmode, CCHDEVICENAME * sizeof(WCHAR));
  names::StoreField(field, name);
}
#endif

LPWSTR StoreLanguageCode(UCB* ucb, LPCWSTR code) {
  return names::StoreField(ucb->pWork->szDriverLanguage, names::View(code));
}

}  // namespace

LPWSTR GetPrinterName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  WCHAR(&field)[MAX_PATH] = ucb->pWork->szPrinterName;
  if (field[0] != 0) {
    return field;
  }
  if (StorePrinterInfo(ucb->hPrinter, [](const PRINTER_INFO_2W& i) { return i.pPrinterName; }, field,
                       MAX_PATH)) {
    return field;
  }
#if KESM_KERNEL_MODE
  WCHAR recorded[MAX_PATH + 1] = {};
  if (GetPrinterNameFromReg(ucb->hPrinter, recorded, ucb)) {
    names::StoreField(field, recorded);
    if (field[0] != 0) {
      return field;
    }
  }
  StoreDeviceName(ucb, field);
#endif
  return field;
}

LPWSTR GetPrinterNameWithoutUCB(HANDLE printer, LPWSTR destination, DWORD size) {
  if (destination == nullptr) {
    return nullptr;
  }
  StorePrinterInfo(printer, [](const PRINTER_INFO_2W& i) { return i.pPrinterName; }, destination, size);
  return destination;
}

LPWSTR GetRealDriverName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  if (ucb->pWork->szDriverName[0] != 0) {
    return ucb->pWork->szDriverName;
  }
  auto* info = static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(ucb->hPrinter, 2));
  LPWSTR name = GetRealDriverNameFromInfo(ucb, info);
  FreeMemPtr(info);
  return name;
}

LPWSTR GetRealDriverNameFromInfo(UCB* ucb, const PRINTER_INFO_2W* info) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  WCHAR(&field)[MAX_PATH] = ucb->pWork->szDriverName;
  if (field[0] != 0) {
    return field;
  }
  const bool haveInfo = info != nullptr;
  if (haveInfo) {
    const std::u16string_view name = names::View(info->pDriverName);
    // A name too long for the field is a failure, not a missing name.
    const bool named = !name.empty();
    names::StoreField(field, name);
    if (named) {
      return field;
    }
  }
#if KESM_KERNEL_MODE
  WCHAR recorded[kDriverNameChars] = {};
  if (!haveInfo && GetDriverNameFromReg(ucb->hPrinter, recorded, ucb)) {
    return names::StoreField(field, recorded);
  }
#endif
  const DP* dp = ucb->pDP != nullptr ? ucb->pDP : &fgDP;
  return names::StoreField(field, names::View(dp->pszFallbackDriverName));
}

LPWSTR SetDriverName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
#if KESM_KERNEL_MODE
  return StoreLanguageCode(ucb, GetLanguageStr2(ucb));
#else
  return StoreLanguageCode(ucb, ucb->pWork->wOpenKind == 1 ? GetLanguageStr(ucb) : GetLanguageStr2(ucb));
#endif
}

LPWSTR GetDriverName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return nullptr;
  }
  if (ucb->pDCB == nullptr) {
    LPWSTR field = ucb->pWork->szDriverLanguage;
    return field[0] != 0 ? field : StoreLanguageCode(ucb, gtLangUS);
  }
  return StoreLanguageCode(ucb, GetLanguageStrFromKDM(ucb));
}
