// Creating the bidi fallback INI with its security is not written yet:
// there is no file to create, and the call says so.
#include "devicecomm/bidi_ini_file.h"

#include "platform/base/winerror.h"

BOOL CreateFullControlBidiFile(UCB* /*ucb*/) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

#if !KESM_KERNEL_MODE
#include <memory>

#include "jobsettings/devmode/runtime_flags.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "storage/files/path_builders.h"
#include "storage/ini/ini_script.h"
#include "storage/ini/profile.h"
#include "storage/properties/property_codec.h"
#include "storage/properties/value_filters.h"
#include "storage/system/printer_data.h"

namespace {

constexpr const WCHAR* kBidiIniName = u"kesmbid.ini";
constexpr const WCHAR* kBidiFlag = u"BidiFlag";
constexpr const WCHAR* kBidiFunc = u"BidiFunc";
constexpr DWORD kPathChars = MAX_PATH;
// A key is there when its number differs from this default.
constexpr INT kAbsent = 7;
constexpr INT kNoVersion = 0xFFFF;
constexpr WORD kFuncLanguage = 169;

struct BlockDeleter {
  void operator()(void* block) const { FreeMemPtr(block); }
};
using PathBlock = std::unique_ptr<WCHAR, BlockDeleter>;
struct ImageDeleter {
  void operator()(LPSTR image) const { ReadIniClose(image); }
};
using IniImage = std::unique_ptr<char, ImageDeleter>;

// The fallback INI's path in a block of its own; null when memory is short
// or the path cannot be built.
PathBlock BidiIniPath(UCB* ucb) {
  PathBlock path(static_cast<LPWSTR>(GetMemPtr(kPathChars * sizeof(WCHAR))));
  if (path != nullptr && AddSystemDirToFileNameEx2(path.get(), kPathChars, kBidiIniName, ucb) == nullptr) {
    path.reset();
  }
  return path;
}

INT ReadInt(UCB* ucb, LPCWSTR key, INT defaultValue) {
  const PathBlock path = BidiIniPath(ucb);
  LPCWSTR printer = GetPrinterName(ucb);
  if (path == nullptr || printer == nullptr) return defaultValue;
  return static_cast<INT>(KM_UM_GetPrivateProfileInt(printer, key, defaultValue, path.get()));
}

const DP& ModelOf(const UCB* ucb) { return ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

// The section was written by this driver version (the same hundreds), for
// this machine and in the context's language.
bool VersionMatches(UCB* ucb, LPCSTR body, PLONG position) {
  const INT version = GetScriptInt(u"RstVersion", kNoVersion, body, position);
  const INT machine = GetScriptInt(u"RstMachine", kNoVersion, body, position);
  const INT language = GetScriptInt(u"RstLanguage", kNoVersion, body, position);
  if (version == kNoVersion || machine == kNoVersion || language == kNoVersion) return false;
  const DP& model = ModelOf(ucb);
  const auto languageNow = static_cast<WORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, nullptr));
  return static_cast<WORD>(version) / 100 == static_cast<WORD>(model.dwSetFileVersion) / 100 &&
         machine == model.bMachineID && static_cast<WORD>(language) == languageNow;
}

// The bidi case of a set-file read: every setting that bidi data carries,
// under its setting name, from the printer's section.
BOOL ReadBidiSettings(UCB* ucb, LPCWSTR path) {
  if (ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr) return FALSE;
  WCHAR section[kPathChars + 1] = {};
  LPCWSTR printer = GetPrinterName(ucb);
  if (printer == nullptr || lstrlenW(printer) > static_cast<int>(kPathChars)) return FALSE;
  lstrcpyW(section, printer);
  CnvSQUAREBRACKETS(section);
  const IniImage image(ReadIniOpen(path, 0));
  LPCSTR body = image != nullptr ? GetSectionAddr(section, image.get()) : nullptr;
  if (body == nullptr) return FALSE;
  LONG position = 0;
  if (!VersionMatches(ucb, body, &position)) {
    DrvSetLastError(ucb, 1);
    return TRUE;
  }
  BOOL read = TRUE;
  for (int i = 0; i < ucb->pSFL->count; ++i) {
    SFCB* record = &ucb->pSFL->pSFCB[i];
    if (!IsAvailableDevmodeValueForBidiSetFile(record) || record->name == nullptr) continue;
    storage::RecordOverride keep(record);
    record->iniKey = record->name;
    if (storage::ReadIniSetting(ucb, record, path, body, &position) == storage::IniRead::kRefused) read = FALSE;
  }
  return read;
}

}  // namespace

BOOL GetBidiFlagDataFromReg(HANDLE printer, LPDWORD flag, UCB* ucb) {
  return GetDataFromReg(printer, flag, sizeof(DWORD), kBidiFlag, ucb);
}

BOOL SetBidiFlagDataToReg(HANDLE printer, DWORD flag, UCB* ucb) {
  return SetDataToReg(printer, &flag, sizeof flag, kBidiFlag, ucb);
}

BOOL IsBidiWritableReg(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  DWORD flag = 0;
  return GetBidiFlagDataFromReg(ucb->hPrinter, &flag, ucb) && SetBidiFlagDataToReg(ucb->hPrinter, flag, ucb);
}

BOOL IsBidiFlagDataRead(UCB* ucb) { return ReadInt(ucb, kBidiFlag, kAbsent) != kAbsent; }

BOOL GetBidiFlagDataFromFile(UCB* ucb) { return ReadInt(ucb, kBidiFlag, 0) != 0; }

BOOL GetBidiFuncDataFromFile(UCB* ucb) {
  SetKDMBidiFunc(ucb, static_cast<DWORD>(ReadInt(ucb, kBidiFunc, 0)));
  return TRUE;
}

BOOL GetBidiPrinterDataFromIni(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  DrvSetLastError(ucb, 0);
  const PathBlock path = BidiIniPath(ucb);
  if (path == nullptr) return FALSE;
  const BOOL read = ReadBidiSettings(ucb, path.get());
  GetBidiFuncDataFromFile(ucb);
  return read;
}

BOOL DeleteBidiPrinterDataToIni(UCB* ucb) {
  const PathBlock path = BidiIniPath(ucb);
  LPCWSTR printer = GetPrinterName(ucb);
  if (path == nullptr || printer == nullptr) return FALSE;
  KM_UM_WritePrivateProfileString(printer, nullptr, nullptr, path.get());
  return TRUE;
}
#endif
