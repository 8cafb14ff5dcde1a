#include "jobsettings/devmode/devmode_defaults.h"

#include <array>
#include <cstring>
#include <memory>

#include "jobsettings/convert/devmode_convert.h"
#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/kept_parts.h"
#include "jobsettings/devmode/public_defaults.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/priv_validators.h"
#include "jobsettings/validate/private_validation.h"
#include "platform/spooler/winspool.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/properties/default_devmode.h"
#include "storage/install/devmode_upgrade.h"
#include "storage/properties/default_font.h"
#include "storage/system/printer_info.h"
#if !KESM_KERNEL_MODE
#include "storage/system/machine_registry.h"
#include "storage/system/system_info.h"
#endif

namespace {

constexpr WORD kFuncPresetNo = 37;
constexpr WORD kFuncHFFontName = 115;
constexpr WORD kFuncLanguage = 169;
constexpr WORD kFuncDspLanguage = 170;
constexpr WORD kFuncCopyProtectFontName = 525;
constexpr WORD kFuncIniFileName = 599;
constexpr WORD kFuncCDCVersion = 600;
constexpr WORD kFuncKPJLVersion = 601;
constexpr WORD kFuncTcomMark = 602;
constexpr WORD kFuncTcomVersion = 603;
constexpr WORD kFuncTcomMember = 604;
constexpr WORD kFuncTcomCaps = 605;
[[maybe_unused]] constexpr WORD kFuncUIModeChange = 36;
constexpr WORD kFuncDriverVersionText = 954;
[[maybe_unused]] constexpr WORD kFuncLogCodeUse = 10002;
constexpr int kFirstWorkRecord = 623;  // the records from function id 624 on
constexpr LONG kPresetKeyBase = 119;   // preset 0 is keyed 119 in the description
[[maybe_unused]] constexpr DWORD kApplicationKind = 2;

const DP& Model(const UCB* ucb) { return ucb != nullptr && ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

#if !KESM_KERNEL_MODE
LONG_PTR Stored(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }
#endif

// A setting a description default must not touch: the font arrays the DCB
// owns, and their counts.
bool TakesNoDefault(const SFCB& record) {
  const DWORD kind = SettingKindOf(record.descriptor);
  const bool pointer = (kind == kKindI32 || kind == kKindU32) && SettingSizeOf(record.descriptor) == kSettingPointerSlot;
  return pointer || IsValidDMSpecialValue(kInvalidKDMValue, record.funcId) != 0;
}

// The description keys preset n as 119 + n; without a preset group the
// preset number stays 0 rather than a negative key.
void StoreDescriptionDefault(UCB* ucb, SFCB& record) {
  LONG def = BKPDGetGroupDefaultByFuncID(record.funcId, ucb);
  if (record.funcId == kFuncPresetNo && BKPDGetUiGroupAddrByFuncID(kFuncPresetNo, ucb) != nullptr) def -= kPresetKeyBase;
  // Function ids are unique in the setting list: the record is the one a
  // lookup by its id would find.
  SetDevmodeValueBySFCBFromBKPD(ucb, &record, def);
}

void StoreText(UCB* ucb, WORD funcId, LPCWSTR text) {
  SFCB* record = GetSFCBbyFuncID(ucb, funcId);
  if (record != nullptr) SetDevmodeStringBySFCB(ucb, record, text != nullptr ? text : u"");
}

// The language of the driver's help file. A context opened without the
// driver's name (open kind 2) does not ask the spooler for it here: it takes
// the printer's help file, as the defaults do in the end anyway.
WORD DriverLanguage(UCB* ucb) {
#if !KESM_KERNEL_MODE
  if (ucb->pWork != nullptr && ucb->pWork->szDriverName[0] != 0) return GetLanguageID(ucb);
#endif
  return GetLanguageID2(ucb);
}

// A stored DEVMODE was just copied over the current one: make its bytes
// safe, then hold its fields to the checks the built defaults pass (public
// fields the description does not keep and private values their
// validators refuse become defaults). The kept parts are the context's.
void SettleStoredDevmode(UCB* ucb, const KeptPrivateParts& kept) {
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  SettleDevmodeImage(dm);
  kept.Restore(dm);
  DMPrivate2DMPublic(dm, ucb);
  _SetValidatePrivateDM(dm, ucb, kPrivCheckMode);
}

struct InfoDeleter {
  void operator()(void* block) const { FreeMemPtr(block); }
};

bool SameWords(const DEVMODEW& stored, const DEVMODEW& current) {
  return stored.dmSize != 0 && stored.dmDriverExtra != 0 && stored.dmDriverVersion != 0 &&
         stored.dmSize == current.dmSize && stored.dmDriverExtra == current.dmDriverExtra &&
         stored.dmDriverVersion == current.dmDriverVersion;
}

// Takes the printer's stored default into the context's current DEVMODE.
// One of an older minor version of this model is upgraded like any other
// DEVMODE of it; one that no upgrade applies to (a newer version, another
// major version) is not taken, and the DEVMODE is left empty again.
bool TakeStoredDefault(UCB* ucb, DEVMODEW* dm) {
  if (!GetDefaultDevmodeFromReg(ucb)) return false;
  if (GetKDMdwVersionByDM(dm) == fgDP.dwPrivVersion) return true;
  if (IsUpgrade(dm) == 1) {
    UpgradeDevmode(dm, ucb);
    return true;
  }
  std::memset(dm, 0, kSizeofKesmDM);
  DevCBSetPrivHeaderOffset(dm);
  return false;
}

}  // namespace

void DevCBSetPrivInit(UCB* ucb) {
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  if (dm == nullptr || ucb->pSFL == nullptr) return;
  DevCBSetPrivHeader(dm, ucb);
  for (int i = 0; i < ucb->pSFL->count; ++i) {
    SFCB& record = ucb->pSFL->pSFCB[i];
    if (!TakesNoDefault(record)) StoreDescriptionDefault(ucb, record);
  }
  const WORD language = DriverLanguage(ucb);
  SetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, language);
  SetDevmodeValueDirectByFuncID(ucb, kFuncDspLanguage, language);
  std::array<WCHAR, kDefaultFontChars> font{};
  KESMGetDefaultFont(ucb, font.data());
  StoreText(ucb, kFuncHFFontName, font.data());
  StoreText(ucb, kFuncCopyProtectFontName, font.data());
}

void DevCBSetPrivInitWork(UCB* ucb) {
  if (ucb == nullptr || ucb->pSFL == nullptr) return;
  for (int i = kFirstWorkRecord; i < ucb->pSFL->count; ++i) {
    SFCB& record = ucb->pSFL->pSFCB[i];
    if (SettingBlockOf(record.descriptor) == kBlockWork && !TakesNoDefault(record)) StoreDescriptionDefault(ucb, record);
  }
  DevCBSetPrivInitEtcWork(ucb);
}

void DevCBSetPrivInitEtcWork(UCB* ucb) { StoreText(ucb, kFuncDriverVersionText, Model(ucb).pszDriverVersion); }

void SetDefaultPrivateHeaderDM(UCB* ucb) {
  const DP& dp = Model(ucb);
  StoreText(ucb, kFuncIniFileName, dp.pszIniFileName);
  StoreText(ucb, kFuncCDCVersion, dp.pszCDCVersion);
  StoreText(ucb, kFuncKPJLVersion, dp.pszKPJLVersion);
#if !KESM_KERNEL_MODE
  StoreText(ucb, kFuncTcomMark, u"TCOMMON");
  SetDevmodeValueDirectByFuncID(ucb, kFuncTcomVersion, kTcomVersion);
#else
  StoreText(ucb, kFuncTcomMark, u"");
  SetDevmodeValueDirectByFuncID(ucb, kFuncTcomVersion, 0);
#endif
  SetDevmodeValueDirectByFuncID(ucb, kFuncTcomMember, 0);
  SetDevmodeValueDirectByFuncID(ucb, kFuncTcomCaps, 0);
}

void SetDefaultPrivateDM(DEVMODEW* dm, UCB* ucb) {
  _SetValidatePrivateDM(dm, ucb, kPrivStoreMode);
  _SetValidatePrivateDMEx(dm, ucb, kDeriveStore);
  SetDefaultPrivateHeaderDM(ucb);
}

void InitDefaultDevmodeExt(UCB* ucb) {
#if !KESM_KERNEL_MODE
  SetKDMCallSrcProperty(ucb);
  SetKDMOSKind(ucb, IsOsLaterWin2000() ? 2 : 1);
  SetKDMTSE(ucb, IsTSE(ucb) ? 1 : 0);
  SetKDMAdmin(ucb, KesmIsAdmin(ucb) ? 1 : 0);
  SetKDMBatchInstOn(ucb);
  SetKDMPrintLogOff(ucb);
  SetKDMBiDirectOff(ucb);
  SetKDMNoPermissionOff(ucb);
  SetKDMPresentUIMode(ucb, Stored(ucb, kFuncUIModeChange) != 0 ? 1 : 0);
  SetKDMBidiSupport(ucb, IsAttrBidiEnable(ucb) ? 1 : 0);
  SetKDMServerClientMode(ucb, IsClientDriver(ucb) ? 1 : 0);
  SetKDMUserCodeFIX(ucb, Stored(ucb, kFuncLogCodeUse) != 0 ? 1 : 0);
  SetKDMUserCodeGetOff(ucb);
  SetKDMPXInstalled(ucb, IsInstalledTalvoAppl(kApplicationKind, ucb) ? 1 : 0);
  SetKDMPropertyTypeDocument(ucb);
  SetKDMUserCodeDLLOff(ucb);
#else
  (void)ucb;
#endif
}

void InitDefaultDevmode(UCB* ucb) {
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  if (dm == nullptr) return;
  DevCBSetPrivInit(ucb);
  DevCBSetPrivInitEtcWork(ucb);
  SetDefaultPublicDM(dm, 1, ucb);
  SetDefaultPrivateDM(dm, ucb);
  InitDefaultDevmodeExt(ucb);
  const WORD language = GetLanguageID2(ucb);
  SetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, language);
  SetDevmodeValueDirectByFuncID(ucb, kFuncDspLanguage, language);
}

void DevCBSetModify(UCB* ucb) { DevCBSetModifyNT(ucb); }

void DevCBSetModifyNT(UCB* ucb) {
  DEVMODEW* current = GetDocumentDevmode(ucb);
  if (current == nullptr) return;
  const std::unique_ptr<PRINTER_INFO_2W, InfoDeleter> info(static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(ucb->hPrinter, 2)));
  const DEVMODEW* stored = info != nullptr ? info->pDevMode : nullptr;
  // The spooler hands the stored DEVMODE over whole (dmSize + dmDriverExtra
  // bytes), so with the current sizes it holds a whole image.
  if (stored == nullptr || !SameWords(*stored, *current) || !IsMyValidDevmode(stored, 0)) return;
  const KeptPrivateParts kept(current);
  std::memcpy(current, stored, kSizeofKesmDM);
  SettleStoredDevmode(ucb, kept);
}

DCB* DevCBCreate(UCB* ucb, int type) {
  if (ucb == nullptr) return nullptr;
  auto* dcb = static_cast<DCB*>(GetMemPtr(sizeof(DCB)));
  if (dcb == nullptr) return nullptr;
  DCB* previous = ucb->pDCB;
  ucb->pDCB = dcb;
  auto* dm = reinterpret_cast<DEVMODEW*>(dcb->devmode);
  DevCBSetPrivHeaderOffset(dm);
  if (type != kDcbIgnoreStored && TakeStoredDefault(ucb, dm)) {
    DevCBSetPrivHeaderOffset(dm);
#if !KESM_KERNEL_MODE
    DevCBSetPrivInitWork(ucb);
#endif
    // The stored default's run-time flags describe another call and its
    // geometry is derived: both start again from this one.
    KeptPrivateParts::Clear(dm);
    InitDefaultDevmodeExt(ucb);
    SettleStoredDevmode(ucb, KeptPrivateParts(dm));
    if (type == kDcbRederive) {
      SetValidatePrivateDMEx(dm, ucb, kDeriveStore);
    } else {
      _SetValidatePrivateDMEx(dm, ucb, kDeriveStore);
    }
  } else {
    InitDefaultDevmode(ucb);
    DevCBSetModify(ucb);
  }
  ucb->pDCB = previous;
  return dcb;
}
