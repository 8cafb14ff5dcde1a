#include "ui/entry/document_events.h"

#include <cstring>
#include <string_view>

#include "devicecomm/jobcodes/jc_document_events.h"
#include "platform/modules/winmodule.h"
#include "platform/modules/winresource.h"
#include "settings/context/context_names.h"
#include "storage/ini/ini_path_escape.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/system/driver_reg_values.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/entry_scope.h"

namespace {

// The rows; each document start fills its own copy, so that two DCs
// starting at once on different threads never share the texts.
const REPLACESTRINGROW tblReplaceString[kReplaceStringRows] = {
    {731, 15000, {}},
    {733, 15001, {}},
    {735, 15002, {}},
    {0, 0, {}},
};

// A file name of the driver directory: no folder, no drive, no way up.
bool IsPlainFileName(std::u16string_view name) {
  if (name.empty() || name.find(u"..") != std::u16string_view::npos) return false;
  return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

// The resource DLL's path: the driver directory and the help file's name
// with the extension "dll"; false when there is none.
bool ResourceDllPath(HANDLE printer, WCHAR (&path)[MAX_PATH]) {
  GetInstallDirectoryWithoutUCB(printer, path, 0);
  const std::size_t directory = std::char_traits<char16_t>::length(path);
  if (directory == 0 || directory + 1 >= MAX_PATH) return false;
  const auto room = static_cast<DWORD>(MAX_PATH - directory);
  if (!GetHelpFileNameFromReg2WithoutUCB(path + directory, room * sizeof(WCHAR), printer)) return false;
  path[MAX_PATH - 1] = 0;
  std::u16string_view name(path + directory);
  if (!IsPlainFileName(name)) return false;
  const std::size_t dot = name.rfind(u'.');
  const std::size_t stem = directory + (dot == std::u16string_view::npos ? name.size() : dot);
  constexpr std::u16string_view kExtension = u".dll";
  if (stem + kExtension.size() >= MAX_PATH) return false;
  kExtension.copy(path + stem, kExtension.size());
  path[stem + kExtension.size()] = 0;
  return true;
}

void EndDocument(HDC dc) { EndJobCodeDocument(dc); }

// STARTDOCPOST carries the job id; none (0 or less) means the start failed.
bool StartFailed(ULONG inBytes, const void* in) {
  if (in == nullptr || inBytes < sizeof(LONG)) return false;
  LONG job = 0;
  std::memcpy(&job, in, sizeof job);
  return job <= 0;
}

void SendPageEscapes(HANDLE printer, HDC dc) {
  EscapeIniFilePathWithoutUCB(printer, dc);
  EscapeJobCodeWithoutUCB(printer, dc);
}

}  // namespace

HMODULE GetResDllWithoutUCB(HANDLE printer, HMODULE* slot) {
  if (slot == nullptr) return nullptr;
  if (*slot == nullptr) {
    WCHAR path[MAX_PATH] = {};
    if (ResourceDllPath(printer, path)) *slot = LoadLibraryW(path);
  }
  return *slot;
}

void LoadStringFromResDllWithoutUCB(HANDLE printer, HMODULE* slot, UINT id, LPWSTR buffer, int limit) {
  if (buffer == nullptr || limit <= 0) return;
  buffer[0] = 0;
  if (const HMODULE module = GetResDllWithoutUCB(printer, slot)) LoadStringW(module, id, buffer, limit);
}

void FreeResDllWithoutUCB(HMODULE module) {
  if (module != nullptr) FreeLibrary(module);
}

void EscapeResWithoutUCB(HANDLE printer, HDC dc) {
  HMODULE module = nullptr;
  REPLACESTRINGROW table[kReplaceStringRows];
  std::memcpy(table, tblReplaceString, sizeof table);
  for (REPLACESTRINGROW& row : table) {
    if (row.funcId == 0) break;
    LoadStringFromResDllWithoutUCB(printer, &module, row.stringId, row.text, static_cast<int>(std::size(row.text)));
  }
  ExtEscape(dc, kEscapeReplaceStrings, kReplaceStringEscapeBytes, reinterpret_cast<LPCSTR>(table), 0,
            nullptr);
  FreeResDllWithoutUCB(module);
}

int _DrvDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inBytes, PVOID in, ULONG /*outBytes*/,
                      PVOID /*out*/) {
  switch (event & 0xFFFF) {
    case DOCUMENTEVENT_CREATEDCPRE:
    case DOCUMENTEVENT_CREATEDCPOST:
      return DOCUMENTEVENT_SUCCESS;
    case DOCUMENTEVENT_STARTDOC:
      InstallPerUser(printer);
      if (dc != nullptr) {
        EscapeResWithoutUCB(printer, dc);
        SendPageEscapes(printer, dc);
      }
      return DOCUMENTEVENT_SUCCESS;
    case DOCUMENTEVENT_STARTPAGE:
      InstallPerUser(printer);
      if (dc != nullptr) SendPageEscapes(printer, dc);
      return DOCUMENTEVENT_SUCCESS;
    case DOCUMENTEVENT_STARTDOCPOST:
      if (StartFailed(inBytes, in)) EndDocument(dc);
      return DOCUMENTEVENT_UNSUPPORTED;
    case DOCUMENTEVENT_ENDDOC:
    case DOCUMENTEVENT_ENDDOCPOST:
    case DOCUMENTEVENT_ABORTDOC:
    case DOCUMENTEVENT_DELETEDC:
      EndDocument(dc);
      return DOCUMENTEVENT_UNSUPPORTED;
    default:
      return DOCUMENTEVENT_UNSUPPORTED;
  }
}

KESM_EXPORT int DrvDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inBytes, PVOID in, ULONG outBytes,
                                 PVOID out) {
  return kesm_entry::Guarded(DOCUMENTEVENT_UNSUPPORTED,
                             [&] { return _DrvDocumentEvent(printer, dc, event, inBytes, in, outBytes, out); });
}
