// The form database as EnumFormsW hands it out.
#include "platform/base/entryguard.h"
#include "platform/spooler/formtable.h"
#include "platform/spooler/infopack.h"
#include "platform/spooler/spoolinfo.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"

namespace {

using plat::spool::Packer;

void EmitForms(Packer& p) {
  const auto forms = plat::spool::StandardForms();
  const std::size_t first = p.Reserve(forms.size() * sizeof(FORM_INFO_1W), alignof(FORM_INFO_1W));
  for (std::size_t i = 0; i < forms.size(); ++i) {
    const auto& form = forms[i];
    const FORM_INFO_1W r{FORM_BUILTIN,
                         p.Text(form.name),
                         {form.width, form.length},
                         {0, 0, form.width, form.length}};
    p.Store(first + i * sizeof(FORM_INFO_1W), r);
  }
}

DWORD EnumForms(HANDLE hPrinter, DWORD level, LPBYTE buffer, DWORD cbBuf, LPDWORD cbNeeded,
                LPDWORD returned) {
  // The form database is the server's: a server handle reads it too.
  if (!plat::spool::FindSpoolHandle(hPrinter)) return ERROR_INVALID_HANDLE;
  if (!cbNeeded || !returned) return ERROR_INVALID_PARAMETER;
  *returned = 0;
  if (level != 1) return ERROR_INVALID_LEVEL;
  const DWORD rc = plat::spool::Pack(buffer, cbBuf, cbNeeded, EmitForms);
  if (rc == ERROR_SUCCESS) *returned = static_cast<DWORD>(plat::spool::StandardForms().size());
  return rc;
}

}  // namespace

BOOL EnumFormsW(HANDLE hPrinter, DWORD Level, LPBYTE pForm, DWORD cbBuf, LPDWORD pcbNeeded,
                LPDWORD pcReturned) {
  return plat::spool::Report(
      plat::Guard([&] { return EnumForms(hPrinter, Level, pForm, cbBuf, pcbNeeded, pcReturned); }));
}
