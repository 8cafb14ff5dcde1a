#include "storage/properties/font_exchange.h"

#include <algorithm>

#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "storage/properties/printer_fonts.h"

namespace {

DcbArray ArrayOf(const UCB* ucb, int which) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return {};
  return GetDcbArray(ucb->pDCB, kDcbOwnedArrays[which]);
}

// A stored name of 32 characters need not end within them: at most 31 are
// handed on, always terminated.
LPWSTR CopyName(const WCHAR* name, LPWSTR buffer) {
  int i = 0;
  if (name != nullptr) {
    for (; i < kFontNameBufferChars - 1 && name[i] != 0; ++i) buffer[i] = name[i];
  }
  buffer[i] = 0;
  return buffer;
}

bool SameFace(const WCHAR* stored, LPCWSTR face) {
  for (int i = 0; i < kFontNameChars; ++i) {
    if (stored[i] != face[i]) return false;
    if (face[i] == 0) return true;
  }
  return face[kFontNameChars] == 0;  // all 32 characters matched, the face ends there
}

}  // namespace

int GetPrinterFontCount(UCB* ucb) {
  return ArrayOf(ucb, kDcbDeviceFonts).count + ArrayOf(ucb, kDcbOptionFonts).count;
}

LPWSTR GetPrinterFontName(UCB* ucb, int n, LPWSTR buffer) {
  if (buffer == nullptr) return nullptr;
  buffer[0] = 0;
  if (n < 0) return buffer;
  for (int which : {kDcbDeviceFonts, kDcbOptionFonts}) {
    const DcbArray fonts = ArrayOf(ucb, which);
    if (n < fonts.count) {
      const auto* records = reinterpret_cast<const KESMFONT*>(fonts.entries);
      return records != nullptr ? CopyName(records[n].name, buffer) : buffer;
    }
    n -= fonts.count;
  }
  return buffer;
}

BOOL SetFontExchangeTable(UCB* ucb, int count, LPVOID table) {
  if (ucb == nullptr || ucb->pDCB == nullptr || ucb->pWork == nullptr) {
    FreeMemPtr(table);
    return FALSE;
  }
  WORKAREA& work = *ucb->pWork;
  const DcbOwnedArray& slot = kDcbOwnedArrays[kDcbFontTable];
  if (work.fFontTableSaved == 0) {
    const DcbArray current = GetDcbArray(ucb->pDCB, slot);
    work.cSavedFontTable = current.count;
    work.pSavedFontTable = current.entries;
    work.fFontTableSaved = 1;
    SetDcbArray(ucb->pDCB, slot, {});
  }
  if (table == nullptr && count == kFontExchangeDefault) return GetFontTableDefault(ucb->hPrinter, ucb);
  FreeMemPtr(GetDcbArray(ucb->pDCB, slot).entries);
  if (table == nullptr || count <= 0) {
    FreeMemPtr(table);
    SetDcbArray(ucb->pDCB, slot, {});
    return TRUE;
  }
  SetDcbArray(ucb->pDCB, slot, {static_cast<WORD>(std::min(count, 0xFFFF)), static_cast<BYTE*>(table)});
  return TRUE;
}

LPWSTR GetFontExchangeName(UCB* ucb, LPCWSTR face, LPWSTR buffer) {
  if (buffer == nullptr) return nullptr;
  const DcbArray table = ArrayOf(ucb, kDcbFontTable);
  const auto* pairs = reinterpret_cast<const KESMFONTPAIR*>(table.entries);
  if (face != nullptr && pairs != nullptr) {
    for (WORD i = 0; i < table.count; ++i) {
      if (SameFace(pairs[i].trueType, face)) return CopyName(pairs[i].device, buffer);
    }
  }
  return GetPrinterFontName(ucb, 0, buffer);
}
