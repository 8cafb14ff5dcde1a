#if !KESM_KERNEL_MODE
#include "devicecomm/bidi/bidi_query.h"

#include <optional>
#include <string>

#include "devicecomm/bidi/bidi_api.h"
#include "devicecomm/bidi/bidi_convert.h"
#include "devicecomm/bidi/bidi_events.h"
#include "devicecomm/bidi/bidi_ini_file.h"
#include "devicecomm/bidi/bidi_ui.h"
#include "features/custom_modules.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "storage/files/path_builders.h"
#include "storage/ini/profile.h"
#include "storage/install/bidi_install.h"
#include "storage/install/install_ini.h"
#include "storage/stores/store_ini.h"
#include "storage/system/printer_info.h"
#include "storage/system/system_info.h"

namespace {

constexpr const WCHAR* kKeyMain = u"bIsBIDISupportForKESM";
constexpr const WCHAR* kKeyModel = u"bIsBIDISupportForKESMModel";
constexpr const WCHAR* kSectionModels = u"Models";
constexpr WORD kFuncSystemVersion = 10271;
constexpr WORD kFuncEmulationVersion = 10272;

// The library, loaded by full path from the system folder, with its table
// filled; freed when it goes out of scope.
class Library {
 public:
  explicit Library(DWORD flags) {
    LPCWSTR name = (flags & kBidiQueryWin9x) != 0 && IsOsIsWin9X() ? kBidiLibrary9x : kBidiLibraryNT;
    WCHAR path[MAX_PATH] = {};
    if (AddSystemDirToFileName(path, MAX_PATH, name) == nullptr) return;
    module_ = LoadLibraryW(path);
    if (module_ == nullptr) return;
    auto initialize = reinterpret_cast<PFNBIDIINITIALIZE>(GetProcAddress(module_, kBidiInitializeName));
    ready_ = initialize != nullptr && initialize(&api_) && api_.pfnOpenPrinter != nullptr &&
             api_.pfnClosePrinter != nullptr && api_.pfnRequestStatus != nullptr &&
             api_.pfnOpenCategory != nullptr && api_.pfnGetModelName != nullptr && api_.pfnGetItem != nullptr &&
             api_.pfnGetCategoryItem != nullptr;
  }
  ~Library() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  const BIDIAPIEX2* api() const { return ready_ ? &api_ : nullptr; }

 private:
  HMODULE module_ = nullptr;
  BIDIAPIEX2 api_{};
  bool ready_ = false;
};

// A printer opened through the library, closed when it goes out of scope.
class DevicePrinter {
 public:
  DevicePrinter(const BIDIAPIEX2& api, UCB* ucb) : api_(api) {
    LPCWSTR name = GetPrinterName(ucb);
    DWORD ok = 0;
    opened_ = name != nullptr && api.pfnOpenPrinter(name, &handle_, &ok) != FALSE;
    usable_ = opened_ && ok != 0;
  }
  ~DevicePrinter() {
    if (opened_) api_.pfnClosePrinter(handle_);
  }
  DevicePrinter(const DevicePrinter&) = delete;
  DevicePrinter& operator=(const DevicePrinter&) = delete;

  bool usable() const { return usable_; }
  DWORD handle() const { return handle_; }

 private:
  const BIDIAPIEX2& api_;
  DWORD handle_ = 0;
  bool opened_ = false;
  bool usable_ = false;
};

// The driver's model name from section "Models" of the driver INI, as the
// install keeps it; empty when there is none or it does not fit 33
// characters with its terminator.
std::u16string DriverModel(UCB* ucb) {
  if (LPCWSTR kept = GetBidiModelName(ucb)) return kept;
  LPCWSTR ini = storage::DriverIniOf(ucb);
  LPCWSTR driver = GetRealDriverName(ucb);
  if (ini == nullptr || driver == nullptr || driver[0] == 0) return {};
  const std::optional<std::u16string> raw = storage::ReadWholeValue(kSectionModels, driver, ini, MAX_PATH - 1);
  if (!raw.has_value()) return {};
  std::u16string model(GetBidiModelNameForINI(raw->c_str()));
  return model.size() < kBidiModelNameChars ? model : std::u16string();
}

void ClearVersions(UCB* ucb) {
  SetDevmodeValueDirectByFuncID(ucb, kFuncSystemVersion, 0);
  SetDevmodeValueDirectByFuncID(ucb, kFuncEmulationVersion, 0);
}

bool ClientMode(UCB* ucb) { return GetKDMServerClientMode(ucb) == 1; }

}  // namespace

BOOL __NO_REAL_BIDI_SUPPORT_TEST__(UCB* ucb, LPCWSTR key) {
  LPCWSTR ini = GetIniFilePath(ucb);
  LPCWSTR driver = GetDriverName(ucb);
  if (ini == nullptr || ini[0] == 0 || ini[1] != u':' || driver == nullptr) return FALSE;
  return KM_UM_GetPrivateProfileInt(driver, key, 1, ini) == 1;
}

BOOL __NO_REAL_BIDI_SUPPORT_TEST_MAIN__(UCB* ucb) { return __NO_REAL_BIDI_SUPPORT_TEST__(ucb, kKeyMain); }
BOOL __NO_REAL_BIDI_SUPPORT_TEST_MODEL__(UCB* ucb) { return __NO_REAL_BIDI_SUPPORT_TEST__(ucb, kKeyModel); }

DWORD BidiErrorProc(const void* /*api*/) { return GetLastError(); }

BOOL IsBidiPortAvailable(UCB* ucb, DWORD flags) {
  if (ucb == nullptr) return FALSE;
  const Library library(flags);
  if (library.api() == nullptr) return FALSE;
  const DevicePrinter printer(*library.api(), ucb);
  return printer.usable();
}

BOOL _GetBidiData(DWORD /*osKind*/, DWORD flags, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const std::u16string model = DriverModel(ucb);
  if (model.empty()) return FALSE;
  const Library library(flags);
  const BIDIAPIEX2* api = library.api();
  if (api == nullptr) return FALSE;
  const DevicePrinter printer(*api, ucb);
  WCHAR device[kBidiModelNameChars] = {};
  if (!printer.usable() || !api->pfnGetModelName(printer.handle(), 0, device, kBidiModelNameChars)) {
    BidiErrorProc(api);
    return FALSE;
  }
  device[kBidiModelNameChars - 1] = 0;  // whatever the library left
  if (__NO_REAL_BIDI_SUPPORT_TEST_MODEL__(ucb) && model != device) return FALSE;
  const bool versionOnly = (flags & kBidiQueryVersionOnly) != 0;
  DWORD response = 0;
  DWORD word = 0;
  SetLastError(ERROR_SUCCESS);
  if (!api->pfnRequestStatus(printer.handle(), &response, versionOnly ? kBidiMaskVersion : kBidiMaskFull, &word) &&
      GetLastError() != kBidiPending) {
    BidiErrorProc(api);
    return FALSE;
  }
  return versionOnly ? GetBidiDataAndConvert2DriverData2(api, printer.handle(), response, ucb)
                     : GetBidiDataAndConvert2DriverData(api, printer.handle(), response, ucb);
}

namespace {

// The query, with the progress window up while it runs when one was asked
// for.
BOOL QueryWithProgress(UCB* ucb, HWND window, DWORD flags) {
  const HWND progress = (flags & kBidiQueryWindow) != 0 ? BidiStartWindow(ucb, window) : nullptr;
  const BOOL result = _GetBidiData(GetKDMOSKind(ucb), flags, ucb);
  BidiEndWindow(ucb, progress);
  return result;
}

}  // namespace

BOOL _GetBidiDataImmediately(UCB* ucb, HWND window, DWORD flags) {
  if (ucb == nullptr) return FALSE;
  if (!__NO_REAL_BIDI_SUPPORT_TEST_MAIN__(ucb)) {
    SetKDMBiDirectOff(ucb);
    return TRUE;
  }
  BOOL result = FALSE;
  if (IsAttrBidiEnable(ucb) && IsBidiPortAvailable(ucb, flags)) result = QueryWithProgress(ucb, window, flags);
  if (!result) {
    SetKDMBiDirectOff(ucb);
    ClearVersions(ucb);
    return FALSE;
  }
  SetBidiFlagDataToReg(ucb->hPrinter, 1, ucb);
  SetBidiFuncDataToReg(ucb->hPrinter, static_cast<BYTE>(GetKDMBidiFunc(ucb)), ucb);
  SetKDMBiDirectOn(ucb);
  if (IsBidiWritableReg(ucb)) {
    DeleteBidiPrinterDataToIni(ucb);
  } else if (!ClientMode(ucb)) {
    SetBidiPrinterDataToIni(ucb);
  }
  return TRUE;
}

BOOL GetBidiDataImmediately(UCB* ucb, HWND window) { return _GetBidiDataImmediately(ucb, window, kBidiQueryWindow); }

BOOL GetBidiDataImmediatelyWexa(UCB* ucb) { return _GetBidiDataImmediately(ucb, nullptr, kBidiQueryApplication); }

BOOL GetBidiDataImmediately2(UCB* ucb, HWND window) {
  if (ucb == nullptr) return FALSE;
  if (!__NO_REAL_BIDI_SUPPORT_TEST_MAIN__(ucb)) return TRUE;
  BOOL result = FALSE;
  if (IsAttrBidiEnable(ucb) && IsBidiPortAvailable(ucb, kBidiQueryVersionOnly)) {
    result = QueryWithProgress(ucb, window, kBidiQueryVersionOnly | kBidiQueryWindow);
  }
  if (!result) ClearVersions(ucb);
  return result;
}

BOOL GetBidiDataNormal(UCB* ucb) {
  SetKDMBiDirect(ucb, __NO_REAL_BIDI_SUPPORT_TEST_MAIN__(ucb) ? 1 : 0);
  return TRUE;
}

BOOL GetBidiDataStart(UCB* ucb, HWND window) {
  CustomBidiStart record{window, FALSE};
  KesmCustomFunction(ucb, kCustomBidiStart, &record);
  return record.result;
}

BOOL GetBidiDataIfNeed(UCB* ucb, HWND window) {
  if (ucb == nullptr) return FALSE;
  if (!__NO_REAL_BIDI_SUPPORT_TEST_MAIN__(ucb)) return TRUE;
  if (!ClientMode(ucb) && IsBidiFlagDataRead(ucb)) {
    return GetBidiFlagDataFromFile(ucb) ? GetBidiDataNormal(ucb) : GetBidiDataStart(ucb, window);
  }
  if (IsBidiDoneOperationBefore(ucb->hPrinter, ucb)) {
    GetBidiDataNormal(ucb);
    BYTE func = 0;
    if (GetBidiFuncDataFromReg(ucb->hPrinter, &func, ucb)) SetKDMBidiFunc(ucb, func);
    return TRUE;
  }
  return GetBidiDataStart(ucb, window);
}
#endif
