#include "ui/entry/device_capabilities.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/request/capability_walks.h"
#include "jobsettings/validate/validate_devmode.h"
#include "platform/spooler/printer_interface.h"
#include "platform/spooler/winspool.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "settings/values/units.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/stores/freesize_store.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/entry_scope.h"
#include "ui/resource_dll.h"

namespace {

constexpr LONG kFailed = -1;
constexpr WORD kFuncPaperSize = 8;       // dmPaperSize
constexpr WORD kFuncDefaultSource = 13;  // dmDefaultSource
constexpr WORD kFuncFrontFunc = 348;     // kdmFrontFunc
constexpr WORD kFuncDuplexOption = 10014;
constexpr WORD kFuncFreeSizeWidth = 753;
constexpr WORD kFuncFreeSizeLength = 754;
constexpr DWORD kValidateForCapability = 0x1000008;
constexpr DWORD kPublicSize = 220;

struct Walk {
  UCB* ucb;
  const UiGroup* group;
  WORD funcId;
};

// The group of a paper or bin setting when it is of the kind the answer
// needs and has options.
bool OpenWalk(UCB* ucb, WORD funcId, WORD type, Walk& walk) {
  if (ucb == nullptr || ucb->pBKPD == nullptr) return false;
  const UiGroup* group = BkpdSlotGroup(ucb->pBKPD, funcId);
  if (group == nullptr) group = BKPDGetUiGroupAddrByFuncID(funcId, ucb);
  if (group == nullptr || (group->type & ~kUiTypeFlags) != type) return false;
  if (BkpdFirstOption(ucb->pBKPD, group) == nullptr) return false;
  walk = {ucb, group, funcId};
  return true;
}

// Calls visit(option, setting-value record or null, position) for each
// visible option and answers their number; -1 when none is visible, or
// when needValue and an option lacks its setting-value record.
template <class Visit>
LONG WalkVisible(const Walk& walk, bool needValue, Visit visit) {
  LONG count = 0;
  for (const UiOption* option = BkpdFirstOption(walk.ucb->pBKPD, walk.group); option != nullptr;
       option = BkpdNext(walk.ucb->pBKPD, option)) {
    const SP* sp = GetSPbyPartsIDAndFunID(walk.funcId, option->value);
    if (sp == nullptr && needValue) return kFailed;
    if (BKPDIsHideModeUI(walk.group, option->value, walk.ucb)) continue;
    visit(*option, sp, count);
    ++count;
  }
  return count > 0 ? count : kFailed;
}

LONG ValueWalk(UCB* ucb, WORD funcId, WORD type, WORD* output) {
  Walk walk;
  if (!OpenWalk(ucb, funcId, type, walk)) return kFailed;
  return WalkVisible(walk, true, [&](const UiOption&, const SP* sp, LONG n) {
    if (output != nullptr) output[n] = static_cast<WORD>(sp->value);
  });
}

// The free-size entry of a paper value, or -1. The stored sizes are read
// here: a capability answer must not depend on whether the caller's
// DEVMODE happened to select one of them.
int FreeSizeEntry(UCB* ucb, const SP* sp) {
  if (sp == nullptr || !IsFreeSizePaperIDByRegist(static_cast<WORD>(sp->value))) return -1;
  const int n = GetFreeSizePaperNum(static_cast<WORD>(sp->value), ucb, nullptr);
  if (n < 0 || n >= kFreeSizeEntries || ucb->pWork == nullptr) return -1;
  ReadFreesizeInfoAll(ucb);
  GetFreeSizeInfoNoRegist(ucb, static_cast<WORD>(sp->value), n);
  return n;
}

// A stored name is ANSI text of the process code page, not always
// terminated in its field.
void AnsiName(const FREESIZEINFO& size, WCHAR* out, int chars) {
  const std::string name(size.szName, strnlen(size.szName, sizeof size.szName));
  CopyStr2Unicode(out, name.c_str(), chars);
}

DWORD Answer(LONG value) { return static_cast<DWORD>(value); }

UCB* Root() { return const_cast<UCB*>(&fgUCB); }

DWORD Fixed(WORD capability) {
  const DP& dp = fgDP;
  switch (capability) {
    case DC_SIZE:
      return kPublicSize;
    case DC_EXTRA:
      return kSizeofKesmDM - kPublicSize;
    case DC_VERSION:
      return dp.wSpecVersion;
    case DC_DRIVER:
      return dp.wDriverVersion;
    case DC_FILEDEPENDENCIES:
      return 0;
    case DC_ORIENTATION:
      return dp.pub.landscapeRotation;
    case DC_COPIES:
      return static_cast<DWORD>(dp.pub.maxCopies);
    default:
      return kCapabilityFailed;
  }
}

DWORD FromContext(UCB* ucb, WORD capability, PVOID output) {
  switch (capability) {
    case DC_FIELDS:
      return reinterpret_cast<const DEVMODEW*>(ucb->pDCB->devmode)->dmFields;
    case DC_PAPERS:
      return Answer(CapPAPERS(ucb, static_cast<WORD*>(output)));
    case DC_PAPERSIZE:
      return Answer(CapPAPERSIZE(ucb, static_cast<POINT*>(output)));
    case DC_BINS:
      return Answer(CapBINS(ucb, static_cast<WORD*>(output)));
    case DC_BINNAMES:
      return Answer(CapBINNAMES(ucb, static_cast<WCHAR*>(output)));
    case DC_ENUMRESOLUTIONS:
      return Answer(CapENUMRESOLUTIONS(ucb, static_cast<LONG*>(output)));
    case DC_TRUETYPE:
      // With device fonts on, TrueType text may also be set in them.
      return (GetDevmodeValueDirectByFuncID(ucb, kFuncFrontFunc, nullptr) & 1) != 0 ? DCTT_BITMAP | DCTT_SUBDEV
                                                                                 : DCTT_BITMAP;
    case DC_PAPERNAMES:
      return Answer(CapPAPERNAMES(ucb, static_cast<WCHAR*>(output)));
    case DC_COLLATE:
      return IsValidateCollateEx(ucb) ? 1 : 0;
    default:  // DC_BINADJUST, DC_EMF_COMPLIANT, DC_DATATYPE_PRODUCED
      return kCapabilityFailed;
  }
}

bool NeedsContext(WORD capability) {
  switch (capability) {
    case DC_FIELDS:
    case DC_PAPERS:
    case DC_PAPERSIZE:
    case DC_BINS:
    case DC_BINNAMES:
    case DC_ENUMRESOLUTIONS:
    case DC_TRUETYPE:
    case DC_PAPERNAMES:
    case DC_BINADJUST:
    case DC_EMF_COMPLIANT:
    case DC_DATATYPE_PRODUCED:
    case DC_COLLATE:
      return true;
    default:
      return false;
  }
}

}  // namespace

LONG CapBINS(UCB* ucb, WORD* output) { return ValueWalk(ucb, kFuncDefaultSource, kUiPickSlot, output); }

LONG CapPAPERS(UCB* ucb, WORD* output) { return ValueWalk(ucb, kFuncPaperSize, kUiPickPage, output); }

LONG CapBINNAMES(UCB* ucb, WCHAR* output) {
  Walk walk;
  if (!OpenWalk(ucb, kFuncDefaultSource, kUiPickSlot, walk)) return kFailed;
  return WalkVisible(walk, false, [&](const UiOption& option, const SP*, LONG n) {
    if (output == nullptr) return;
    WCHAR* name = output + static_cast<std::size_t>(n) * CCHBINNAME;
    std::fill_n(name, CCHBINNAME, WCHAR{0});
    LoadStringFromResDll(ucb, option.value, name, CCHBINNAME, TRUE);
  });
}

LONG CapPAPERNAMES(UCB* ucb, WCHAR* output) {
  Walk walk;
  if (!OpenWalk(ucb, kFuncPaperSize, kUiPickPage, walk)) return kFailed;
  return WalkVisible(walk, false, [&](const UiOption& option, const SP* sp, LONG n) {
    if (output == nullptr) return;
    WCHAR* name = output + static_cast<std::size_t>(n) * CCHPAPERNAME;
    std::fill_n(name, CCHPAPERNAME, WCHAR{0});
    const int entry = FreeSizeEntry(ucb, sp);
    if (entry >= 0) {
      AnsiName(ucb->pWork->aFreeSizeInfo[entry], name, CCHPAPERNAME);
    } else {
      LoadStringFromResDll(ucb, option.value, name, CCHPAPERNAME, TRUE);
    }
  });
}

LONG CapPAPERSIZE(UCB* ucb, POINT* output) {
  Walk walk;
  if (!OpenWalk(ucb, kFuncPaperSize, kUiPickPage, walk)) return kFailed;
  return WalkVisible(walk, false, [&](const UiOption& option, const SP* sp, LONG n) {
    if (output == nullptr) return;
    const int entry = FreeSizeEntry(ucb, sp);
    if (entry >= 0) {
      const FREESIZEINFO& size = ucb->pWork->aFreeSizeInfo[entry];
      output[n] = {static_cast<LONG>(CmnFromDot(kUnitMmOf01, size.dwWidth, kInternalDpi)),
                   static_cast<LONG>(CmnFromDot(kUnitMmOf01, size.dwLength, kInternalDpi))};
      return;
    }
    const UiPageOption* page = BkpdPageOption(ucb->pBKPD, walk.group, &option);
    output[n] = page != nullptr ? POINT{static_cast<LONG>(page->width), static_cast<LONG>(page->length)} : POINT{};
  });
}

DWORD _CapMinMaxEXTENT(UCB* ucb, WORD* output, WORD capability) {
  const DP& dp = ucb != nullptr && ucb->pDP != nullptr ? *ucb->pDP : fgDP;
  const bool minimum = capability == DC_MINEXTENT;
  auto width = static_cast<LONG>(
      CmnFromDot(kUnitMmOf01, minimum ? dp.dwFreeSizeWidthMin : dp.dwFreeSizeWidthMax, kInternalDpi));
  auto length = static_cast<LONG>(
      CmnFromDot(kUnitMmOf01, minimum ? dp.dwFreeSizeLengthMin : dp.dwFreeSizeLengthMax, kInternalDpi));
  LONG low = 0;
  LONG high = 0;
  if (GetDispMinMaxByFuncID(ucb, kFuncFreeSizeWidth, &low, &high)) width = std::clamp(width, low, std::max(low, high));
  if (GetDispMinMaxByFuncID(ucb, kFuncFreeSizeLength, &low, &high)) {
    length = std::clamp(length, low, std::max(low, high));
  }
  if (output != nullptr) {
    output[0] = static_cast<WORD>(width);
    output[1] = static_cast<WORD>(length);
  }
  return (static_cast<DWORD>(length) << 16) | (static_cast<DWORD>(width) & 0xFFFF);
}

DWORD CapReg(HANDLE printer, LPCWSTR, WORD, PVOID, const DEVMODEW*) {
  const SFCB* sfcb = GetSFCBbyFuncID(&fgUCB, kFuncDuplexOption);
  if (sfcb == nullptr || sfcb->name == nullptr) return kCapabilityFailed;
  DWORD value = 0;
  DWORD type = 0;
  DWORD needed = 0;
  if (GetPrinterDataW(printer, sfcb->name, &type, reinterpret_cast<LPBYTE>(&value), sizeof value, &needed) !=
      ERROR_SUCCESS) {
    return kCapabilityFailed;
  }
  return value != 0 ? 1 : 0;
}

DWORD CapUCB(HANDLE printer, LPCWSTR, WORD capability, PVOID output, const DEVMODEW* devmode) {
  if (InstallPerUser(printer) != 1) return kCapabilityFailed;
  kesm_entry::ContextHold context(GetUcb(printer, printer, 0, kesm_entry::kModeCapability));
  UCB* ucb = context.get();
  if (ucb == nullptr || ucb->pDCB == nullptr) return kCapabilityFailed;
  if (capability != DC_TRUETYPE && capability != DC_DATATYPE_PRODUCED &&
      !ValidateDevmode(ucb, devmode, kValidateForCapability)) {
    return kCapabilityFailed;
  }
  return FromContext(ucb, capability, output);
}

DWORD _DrvDeviceCapabilities(HANDLE printer, LPWSTR deviceName, WORD capability, PVOID output, DEVMODEW* devmode) {
  if (NeedsContext(capability)) return CapUCB(printer, deviceName, capability, output, devmode);
  if (capability == DC_MINEXTENT || capability == DC_MAXEXTENT) {
    return _CapMinMaxEXTENT(Root(), static_cast<WORD*>(output), capability);
  }
  if (capability == DC_DUPLEX) return CapReg(printer, deviceName, capability, output, devmode);
  return Fixed(capability);
}

KESM_EXPORT DWORD DrvDeviceCapabilities(HANDLE printer, LPWSTR deviceName, WORD capability, PVOID output,
                                        DEVMODEW* devmode) {
  return kesm_entry::Guarded(kCapabilityFailed,
                             [&] { return _DrvDeviceCapabilities(printer, deviceName, capability, output, devmode); });
}
