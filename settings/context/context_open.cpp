// Building a printer context: a clone of the static root with its own
// setting, tab and item records, driver parameters, work area, undo ring,
// saved state and DCB. Any part that cannot be built fails the whole open;
// the partial context is freed at once and never reaches the cache.
#include "settings/context/context_open.h"

#include <cstring>
#include <memory>

#include "devicecomm/jobcodes/job_codes.h"
#include "features/custom_modules.h"
#include "jobsettings/devmode/devmode_defaults.h"
#include "platform/spooler/winspool.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_description.h"
#include "settings/context/context_internal.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "storage/install/drvinst_ini.h"
#include "storage/system/printer_info.h"
#include "storage/properties/printer_properties.h"
#include "storage/ini/section_names.h"
#if KESM_KERNEL_MODE
#include "platform/engine/eng_printer.h"
#else
#include "ui/ts_modify.h"
#endif

namespace {

constexpr int kMaxPrinterNameChars = 256;
// Install-time completion: the job-code kinds read from printer data and
// handed to the job-code library, and the user-code kind.
[[maybe_unused]] constexpr DWORD kInstallJobCodeMask = 0x9E;
[[maybe_unused]] constexpr DWORD kUserCodeMask = 0x01;
[[maybe_unused]] constexpr WORD kFuncUserCode = 203;

template <class T>
T* Allocate(std::size_t count = 1) {
  return static_cast<T*>(GetMemPtr(sizeof(T) * count));
}

struct InfoDeleter {
  void operator()(void* block) const { FreeMemPtr(block); }
};
using PrinterInfo2 = std::unique_ptr<PRINTER_INFO_2W, InfoDeleter>;

bool CopySettingList(UCB* ucb) {
  auto* head = Allocate<SFL>();
  if (head == nullptr) return false;
  ucb->pSFL = head;
  head->pSFCB = Allocate<SFCB>(fgSFL.count);
  if (head->pSFCB == nullptr) return false;
  head->count = fgSFL.count;
  std::memcpy(head->pSFCB, fgSFL.pSFCB, sizeof(SFCB) * fgSFL.count);
  return true;
}

#if !KESM_KERNEL_MODE
// The tab records and every tab's item array; item pointers of tabs whose
// array is not copied yet stay null, so a partial list frees cleanly.
bool CopyTabList(UCB* ucb) {
  auto* head = Allocate<TL>();
  if (head == nullptr) return false;
  ucb->pTL = head;
  head->pTCB = Allocate<TCB>(fgTL.count);
  if (head->pTCB == nullptr) return false;
  head->count = fgTL.count;
  for (int i = 0; i < fgTL.count; ++i) {
    const TCB& from = fgTL.pTCB[i];
    TCB& to = head->pTCB[i];
    to = from;
    to.pICB = nullptr;
  }
  for (int i = 0; i < fgTL.count; ++i) {
    const TCB& from = fgTL.pTCB[i];
    if (from.pICB == nullptr || from.itemCount == 0) continue;
    ICB* items = Allocate<ICB>(from.itemCount);
    if (items == nullptr) return false;
    std::memcpy(items, from.pICB, sizeof(ICB) * from.itemCount);
    head->pTCB[i].pICB = items;
  }
  return true;
}
#endif

bool CreateWorkArea(UCB* ucb, DWORD flags, DWORD mode, LPCWSTR printerName) {
  ucb->pWork = Allocate<WORKAREA>();
  if (ucb->pWork == nullptr) return false;
  WORKAREA& work = *ucb->pWork;
  work = fgWork;
  for (BYTE*& entry : work.apUndoRing) {
    entry = static_cast<BYTE*>(GetMemPtr(sizeof(DCB)));
    if (entry == nullptr) return false;
  }
  work.fTakeLock = (flags & kOpenNoLock) == 0 ? 1 : 0;
  work.fCheckAdmin = (flags & kOpenNoAdminCheck) == 0 ? 1 : 0;
  work.wOpenKind = static_cast<WORD>(flags & kOpenKindMask);
  work.dwMode = mode;
  // The printer name the cache compares is the one the context was opened
  // with.
  if (printerName != nullptr) lstrcpynW(work.szPrinterName, printerName, MAX_PATH);
  return true;
}

// Fills the names and modules part of the context: driver name (from the
// printer information the open read), language code, saved state buffer,
// feature modules (and in the rendering library the data file name and
// paths).
bool PrepareContext(UCB* ucb, DWORD kind, const PRINTER_INFO_2W* info) {
  WORKAREA& work = *ucb->pWork;
  if (kind == 0 || kind == 1 || kind == 3) GetRealDriverNameFromInfo(ucb, info);
  SetDriverName(ucb);
  work.cSavedFontTable = 0;
  work.pSavedFontTable = nullptr;
  work.pDCB2 = Allocate<DCB>();
  if (work.pDCB2 == nullptr) return false;
  KesmInitCustom(ucb);
#if KESM_KERNEL_MODE
  LPCWSTR dataFile = ucb->hData != nullptr ? EngGetPrinterDataFileName(static_cast<HDEV>(ucb->hData)) : nullptr;
  lstrcpynW(work.szDataFileName, dataFile != nullptr ? dataFile : u"", MAX_PATH);
  GetInstallDirectory(ucb);
  GetIniFilePath(ucb);
#endif
  return true;
}

#if !KESM_KERNEL_MODE
// A printer installed by a set-up program is completed on its first plain
// open: its job codes are taken from printer data, then the mark is cleared.
void CompleteInstallation(UCB* ucb) {
  LPCWSTR path = GetDrvInstIniFilePath(ucb);
  LPCWSTR section = GetPresetSectionName(ucb);
  if (path == nullptr || section == nullptr || !IsDrvInstSetForCompleteFromFile(path, section)) return;
  GetJobCodeFromReg(ucb, kInstallJobCodeMask);
  SetJobCodeDLLDependOnMachine(ucb, kInstallJobCodeMask);
  for (int i = 0; i < ucb->pSFL->count; ++i) {
    SFCB* record = &ucb->pSFL->pSFCB[i];
    if (record->funcId != kFuncUserCode) continue;
    if (GetDevmodeValueFromRegUseSetKey(ucb->hPrinter, ucb, record)) {
      SetJobCodeDLLDependOnMachine(ucb, kUserCodeMask);
    }
    break;
  }
  DrvInstSetForComplete(path, section, 0);
}
#endif

// Builds the description, DCB and properties of a kind 0-3 context.
bool BuildSettings(UCB* ucb, DWORD flags, DWORD kind) {
  if (!OpenContextDescription(ucb)) return false;
  ucb->pDCB = DevCBCreate(ucb, static_cast<int>(kind));
  if (ucb->pDCB == nullptr) return false;
  if (kind == 0 || (flags & kOpenReadProperties) != 0) GetReg(ucb);
#if !KESM_KERNEL_MODE
  if (kind == 0) CompleteInstallation(ucb);
#endif
  return TakeSavedState(ucb);
}

UCB* BuildUcb(HANDLE printer, HANDLE data, DWORD flags, DWORD mode, const PRINTER_INFO_2W* info) {
  const LPCWSTR printerName = info != nullptr ? info->pPrinterName : nullptr;
  auto* ucb = Allocate<UCB>();
  if (ucb == nullptr) return nullptr;
  CountUcb(1);
  *ucb = fgUCB;
  // Owned parts start empty so that a failure part way frees only what this
  // context allocated; the rendering library shares the static tab list.
  ucb->pSFL = nullptr;
#if !KESM_KERNEL_MODE
  ucb->pTL = nullptr;
#endif
  ucb->pDP = nullptr;
  ucb->pDCB = nullptr;
  ucb->pBKPD = nullptr;
  ucb->pWork = nullptr;
  ucb->hPrinter = printer;
  ucb->hData = data;

  // A call that throws on the way (a store or library of the platform that
  // runs out of memory) frees the context as a failure does; the
  // exception goes on to the entry point that catches it.
  struct FreeUnlessBuilt {
    UCB*& ucb;
    ~FreeUnlessBuilt() {
      if (ucb != nullptr) DestroyUcb(ucb);
    }
  };
  UCB* building = ucb;
  const FreeUnlessBuilt guard{building};

  const DWORD kind = flags & kOpenKindMask;
  bool built = CopySettingList(ucb);
#if !KESM_KERNEL_MODE
  built = built && CopyTabList(ucb);
#endif
  if (built && (ucb->pDP = Allocate<DP>()) != nullptr) {
    *ucb->pDP = fgDP;
  } else {
    built = false;
  }
  built = built && CreateWorkArea(ucb, flags, mode, printerName) && PrepareContext(ucb, kind, info);
  if (built && kind <= kOpenKindLastWithDcb) built = BuildSettings(ucb, flags, kind);
  if (!built) return nullptr;
  building = nullptr;
  return ucb;
}

}  // namespace

UCB* GetUcbx(HANDLE printer, HANDLE data, DWORD /*reserved*/, DWORD flags, DWORD mode) {
#if !KESM_KERNEL_MODE
  if (UCBTSModify == 1) mode |= kModeTsModify;
#endif
  // The spooler is asked for the printer's information once; the cache
  // and the new context take the name and driver name from it.
  PrinterInfo2 info(static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer, 2)));
  LPCWSTR name = info != nullptr ? info->pPrinterName : nullptr;
  if (name != nullptr && lstrlenW(name) > kMaxPrinterNameChars) return nullptr;
  if (mode == kModeRendering) mode = kModeRenderingStored;
  if (UCB* parked = TakeParkedUcb(printer, flags, mode, name)) return parked;
  return BuildUcb(printer, data, flags & 0xFFFF, mode, info.get());
}

UCB* GetUcb(HANDLE printer, HANDLE data, DWORD reserved, DWORD mode) {
  return GetUcbx(printer, data, reserved, 0, mode);
}

UCB* GetUcb2(HANDLE printer, HANDLE data, DWORD reserved, DWORD flags, DWORD mode) {
  return GetUcbx(printer, data, reserved, flags, mode);
}

LPWSTR GetPrinterNameDirect(HANDLE printer) {
  PrinterInfo2 info(static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer, 2)));
  if (info == nullptr || info->pPrinterName == nullptr) return nullptr;
  const int length = lstrlenW(info->pPrinterName);
  auto* copy = static_cast<LPWSTR>(GetMemPtr(sizeof(WCHAR) * (static_cast<std::size_t>(length) + 1)));
  if (copy != nullptr) std::memcpy(copy, info->pPrinterName, sizeof(WCHAR) * (static_cast<std::size_t>(length) + 1));
  return copy;
}
