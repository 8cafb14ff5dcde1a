#include "devicecomm/jobcodes/jc_document_events.h"

#if !KESM_KERNEL_MODE
#include <cstring>
#include <map>
#include <mutex>

#include "devicecomm/jobcodes/jc_binding.h"
#include "devicecomm/jobcodes/jc_code_table.h"
#include "devicecomm/jobcodes/jc_escape_table.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "platform/spooler/winspool.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"
#include "storage/system/printer_info.h"

namespace {

// Document events ask for the newest interface first.
constexpr WORD kDocumentVersions[] = {kJCVersion259, kJCVersion258, kJCVersion257};
// The local buffer a fetch fills when the size needed fits the kind's.
constexpr DWORD kLocalBytes = 136;
static_assert(kLocalBytes >= kJCMaxBufferBytes);
// A size needed beyond this is not believed.
constexpr DWORD kMostBytes = 64 * 1024;

// The library bound for each DC with a document under way.
struct Bindings {
  std::mutex lock;
  std::map<HDC, JCBINDING> byDc;
};
Bindings& DocumentBindings() {
  static Bindings bindings;
  return bindings;
}

// The DC's binding, made on its first event; false when the library cannot
// be loaded or hands out no interface.
bool BindingOf(HDC dc, JCBINDING& out) {
  std::lock_guard guard(DocumentBindings().lock);
  JCBINDING& record = DocumentBindings().byDc[dc];
  if (DrvJCBind(record, kDocumentVersions) != kJCSuccess) {
    DocumentBindings().byDc.erase(dc);
    return false;
  }
  out = record;
  return true;
}

void SendCodes(const JCBINDING& binding, DWORD handle, HDC dc, DWORD kindMask) {
  for (const JCCODE& code : DrvJCCodeTbl) {
    const JCESCAPE* escape = JCFindEscape(code.dwKind);
    if ((code.dwMask & kindMask) == 0 || escape == nullptr) continue;
    char payload[kLocalBytes / 2] = {};
    if (_GetJobCodeInBuf(binding.wVersion, binding.pInterface, handle, code.dwKind, kJCTypeText, escape->cbWide,
                         payload)) {
      ExtEscape(dc, escape->iEscape, escape->cbPayload, payload, 0, nullptr);
    }
  }
}

}  // namespace

BOOL EscapeJobCodeWithoutUCB(HANDLE printer, HDC dc) {
  if (IsSupportJobCodeDLL()) _EscapeJobCodeWithoutUCB(printer, dc, kJCMaskDevmodeCodes);
  return TRUE;
}

BOOL _EscapeJobCodeWithoutUCB(HANDLE printer, HDC dc, DWORD kindMask) {
  MemBlock<PRINTER_INFO_2W> info(static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer, 2)));
  if (info == nullptr || info->pPrinterName == nullptr) return FALSE;
  JCBINDING binding{};
  if (!BindingOf(dc, binding)) return FALSE;
  DWORD handle = 0;
  if (binding.pInterface->OpenJobCode(info->pPrinterName, &handle) != kJCSuccess) return FALSE;
  SendCodes(binding, handle, dc, kindMask);
  binding.pInterface->CloseJobCode(handle);
  return TRUE;
}

void EndJobCodeDocument(HDC dc) {
  std::lock_guard guard(DocumentBindings().lock);
  const auto found = DocumentBindings().byDc.find(dc);
  if (found == DocumentBindings().byDc.end()) return;
  DrvJCUnbind(found->second);
  DocumentBindings().byDc.erase(found);
}

DWORD CountJobCodeDocuments() {
  std::lock_guard guard(DocumentBindings().lock);
  return static_cast<DWORD>(DocumentBindings().byDc.size());
}

DWORD _GetJobCodeSelect(WORD /*version*/, const JCINTERFACE* iface, DWORD handle, DWORD kind, DWORD type,
                        LPVOID buffer, DWORD size, DWORD* needed) {
  return iface->GetValue(handle, kind, type, buffer, size, needed);
}

BOOL _GetJobCodeInBuf(WORD version, const JCINTERFACE* iface, DWORD handle, DWORD kind, DWORD type,
                      DWORD wideBytes, LPSTR text) {
  if (iface == nullptr || text == nullptr || wideBytes < sizeof(WCHAR) || wideBytes > kLocalBytes) return FALSE;
  DWORD needed = 0;
  const DWORD probe = _GetJobCodeSelect(version, iface, handle, kind, type, nullptr, 0, &needed);
  // Only a size given with success or "more data" is a value; any other
  // status, the no-value status among them, sends nothing.
  if ((probe != kJCSuccess && probe != kJCMoreData) || needed == 0 || needed > kMostBytes) return FALSE;
  WCHAR local[kLocalBytes / sizeof(WCHAR)] = {};
  DWORD status = kJCSuccess;
  if (needed <= wideBytes) {
    status = _GetJobCodeSelect(version, iface, handle, kind, type, local, wideBytes, &needed);
  } else {
    MemBlock<BYTE> block(static_cast<BYTE*>(GetMemPtr(needed)));
    if (block == nullptr) return FALSE;
    status = _GetJobCodeSelect(version, iface, handle, kind, type, block.get(), needed, &needed);
    std::memcpy(local, block.get(), wideBytes);
  }
  if (status != kJCSuccess) return FALSE;
  // Whatever the library wrote, the text ends within the kind's buffer.
  local[wideBytes / sizeof(WCHAR) - 1] = 0;
  CopyUnicode2Str(text, local, static_cast<int>(wideBytes / 2));
  return TRUE;
}
#endif
