#include "ui/entry/query_print.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "jobsettings/validate/validate_devmode.h"
#include "platform/base/winerror.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"
#include "storage/install/sequence/install_sequence.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/entry_scope.h"

namespace {

constexpr LONG kMatchMicrometres = 1000;  // 1 mm either way
constexpr LONG kMicrometresPerTenth = 100;
constexpr DWORD kValidateForJob = 0x8000008;
// The public fields the form match reads and writes end with the form name.
constexpr std::size_t kFormFieldsEnd = offsetof(DEVMODEW, dmFormName) + sizeof(DEVMODEW::dmFormName);

// The first 31 characters of a form name, terminated.
void CopyName(LPCWSTR name, WCHAR (&out)[kFormNameChars]) {
  std::fill(std::begin(out), std::end(out), WCHAR{0});
  if (name == nullptr) return;
  for (int i = 0; i + 1 < kFormNameChars && name[i] != 0; ++i) out[i] = name[i];
}

SHORT Tenths(LONG micrometres) {
  return static_cast<SHORT>(std::clamp<LONG>(micrometres / kMicrometresPerTenth, 0, 0x7FFF));
}

bool NameEquals(LPCWSTR formName, const WCHAR (&dmName)[CCHFORMNAME]) {
  if (formName == nullptr) return false;
  for (int i = 0; i < CCHFORMNAME; ++i) {
    if (formName[i] != dmName[i]) return false;
    if (formName[i] == 0) return true;
  }
  return false;  // the DEVMODE's name has no terminator: no form has it
}

// The index of the form the DEVMODE names, or -1; -2 when the fields
// decide nothing.
long FindForm(const FORM_INFO_1W* forms, DWORD count, const DEVMODEW& dm) {
  if ((dm.dmFields & DM_PAPERLENGTH) && (dm.dmFields & DM_PAPERWIDTH) && dm.dmPaperLength > 0 && dm.dmPaperWidth > 0) {
    const LONG width = dm.dmPaperWidth * kMicrometresPerTenth;
    const LONG length = dm.dmPaperLength * kMicrometresPerTenth;
    for (DWORD i = 0; i < count; ++i) {
      if (std::labs(forms[i].Size.cx - width) <= kMatchMicrometres &&
          std::labs(forms[i].Size.cy - length) <= kMatchMicrometres) {
        return static_cast<long>(i);
      }
    }
    return -1;
  }
  if (dm.dmFields & DM_PAPERSIZE) {
    return dm.dmPaperSize >= 1 && static_cast<DWORD>(dm.dmPaperSize) <= count ? dm.dmPaperSize - 1 : -2;
  }
  if (dm.dmFields & DM_FORMNAME) {
    for (DWORD i = 0; i < count; ++i) {
      if (NameEquals(forms[i].pName, dm.dmFormName)) return static_cast<long>(i);
    }
  }
  return -2;
}

void TakeForm(const FORM_INFO_1W& form, DWORD index, DEVMODEW* dm, FORMRECORD* record) {
  if (record != nullptr) {
    record->info = form;
    CopyName(form.pName, record->name);
    record->info.pName = record->name;
  }
  dm->dmPaperWidth = Tenths(form.Size.cx);
  dm->dmPaperLength = Tenths(form.Size.cy);
  dm->dmPaperSize = static_cast<SHORT>(std::min<DWORD>(index + 1, 0x7FFF));
  dm->dmFields |= DM_FORMNAME;
  CopyName(form.pName, dm->dmFormName);
}

}  // namespace

DatabaseForms GetDatabaseForms(HANDLE printer) {
  DatabaseForms result;
  DWORD needed = 0;
  DWORD count = 0;
  if (EnumFormsW(printer, 1, nullptr, 0, &needed, &count) || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
      needed == 0) {
    return result;
  }
  result.block.assign(needed, 0);
  if (!EnumFormsW(printer, 1, result.block.data(), needed, &needed, &count) || count == 0 ||
      static_cast<std::size_t>(count) * sizeof(FORM_INFO_1W) > result.block.size()) {
    return DatabaseForms{};
  }
  result.count = count;
  return result;
}

int MatchDevModeForm(const FORM_INFO_1W* forms, DWORD count, DEVMODEW* dm, FORMRECORD* record) {
  if (forms == nullptr || count == 0 || dm == nullptr || dm->dmSize < kFormFieldsEnd) return kFormUndecided;
  const long found = FindForm(forms, count, *dm);
  if (found >= 0) {
    TakeForm(forms[found], static_cast<DWORD>(found), dm, record);
    return kFormMatched;
  }
  if (found == -1) {
    const LONG width = dm->dmPaperWidth * kMicrometresPerTenth;
    const LONG length = dm->dmPaperLength * kMicrometresPerTenth;
    if (record != nullptr) {
      *record = FORMRECORD{};
      record->info = FORM_INFO_1W{0, record->name, {width, length}, {0, 0, width, length}};
    }
    return kFormCustom;
  }
  return kFormUndecided;
}

int ValidateDevModeForm(HANDLE printer, DEVMODEW* dm, FORMRECORD* record) {
  const DatabaseForms forms = GetDatabaseForms(printer);
  return MatchDevModeForm(forms.forms(), forms.count, dm, record);
}

BOOL QueryPrintForm(DEVQUERYPRINT_INFO* info, DEVMODEW* /*contextDevmode*/, UCB* /*ucb*/) {
  FORMRECORD record{};
  ValidateDevModeForm(info->hPrinter, info->pDevMode, &record);
  return TRUE;
}

BOOL QueryPrinterFeatures(DEVQUERYPRINT_INFO*, DEVMODEW*, UCB*) { return TRUE; }

BOOL _DevQueryPrintEx(DEVQUERYPRINT_INFO* info) {
  if (info == nullptr || info->cbSize < sizeof(DEVQUERYPRINT_INFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (info->pDevMode == nullptr) return TRUE;
  if (InstallPerUser(info->hPrinter) != 1) return TRUE;
  kesm_entry::ContextHold context(GetUcb(info->hPrinter, info->hPrinter, 0, kesm_entry::kModeSheet));
  UCB* ucb = context.get();
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  if (!ValidateDevmode(ucb, info->pDevMode, kValidateForJob)) return FALSE;
  auto* contextDevmode = reinterpret_cast<DEVMODEW*>(ucb->pDCB->devmode);
  QueryPrintForm(info, contextDevmode, ucb);
  QueryPrinterFeatures(info, contextDevmode, ucb);
  return TRUE;
}

KESM_EXPORT BOOL DevQueryPrintEx(DEVQUERYPRINT_INFO* info) {
  return kesm_entry::Guarded(FALSE, [&] { return _DevQueryPrintEx(info); });
}
